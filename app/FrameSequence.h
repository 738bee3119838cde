// The device operations' frames without any window: what a write and a clear send, in order, how each frame goes
// out, and the messages that name a frame the port did not take or a channel that did not answer.
#pragma once

#include "Protocol.h"
#include "Settings.h"

#include <functional>
#include <string>
#include <vector>

// One frame of an operation with the row it carries. The clock frame is built when it is sent, from the local
// time of that moment; a clear step of a row that is not enabled sends nothing but still takes its turn.
struct FrameStep {
    enum TKind { fsText, fsClear, fsClock };
    TKind Kind = fsText;
    int Group = 0;
    int Row = 0;
    Frame Bytes;
    BYTE ClockCommand = ClockShow;
};

// The first enabled row without text, group after group; false when every enabled row has text.
bool FindEmptyEnabledRow(const OverlaySettings& settings, int& group, int& row);
// The text frames of one group's enabled rows, in row order.
std::vector<FrameStep> GroupSteps(const OverlaySettings& settings, int group);
// Shows or hides the clock.
FrameStep ClockStep(bool shown);
// The whole write: the three groups' text frames, then the clock.
std::vector<FrameStep> WriteSteps(const OverlaySettings& settings);
// The clear of rows 0 .. enabled.size()-1: one clear frame for each enabled row, a turn for every row.
std::vector<FrameStep> ClearSteps(const std::vector<bool>& enabled);

// Writes the step's frame, if it has one; false when the port did not take all of it.
bool SendStep(const FrameStep& step);

// How a run of steps ended, and at which step when it did not end with all of them sent.
struct SendResult {
    enum TEnd { seDone, seStopped, seFailed };
    TEnd End = seDone;
    size_t At = 0;
};
// Sends the steps in order. After every step but the clock's, between runs (progress, messages, the wait) and
// answers whether to go on: a stop falls between two frames, never inside one. A frame the port does not take
// ends the run at once.
SendResult SendSteps(const std::vector<FrameStep>& steps, const std::function<bool(const FrameStep&)>& between);

// "端口：COM1发送第2组->第5个通道出错！" and the like for clear and clock frames.
std::string SendFailureText(const std::string& port, const FrameStep& step);
// "读取第2组->第5个通道出错！": group and row counted from 0.
std::string ReadFailureText(int group, int row);

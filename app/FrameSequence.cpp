// The write's and the clear's frame sequences, sending them, and the failure messages.
#include "FrameSequence.h"

namespace {

std::string Number(int value) { return std::to_string(value); }

}  // namespace

bool FindEmptyEnabledRow(const OverlaySettings& settings, int& group, int& row) {
    for (int g = 0; g < GroupCount; ++g) {
        const auto& rows = settings.Groups[static_cast<size_t>(g)];
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].Enabled || !rows[i].Text.empty()) continue;
            group = g;
            row = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

std::vector<FrameStep> GroupSteps(const OverlaySettings& settings, int group) {
    std::vector<FrameStep> steps;
    const auto& rows = settings.Groups[static_cast<size_t>(group)];
    for (size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].Enabled) continue;
        FrameStep step;
        step.Kind = FrameStep::fsText;
        step.Group = group;
        step.Row = static_cast<int>(i);
        step.Bytes = TextFrame(group, step.Row, rows[i].X, rows[i].Y, rows[i].Size, rows[i].Text);
        steps.push_back(std::move(step));
    }
    return steps;
}

FrameStep ClockStep(bool shown) {
    FrameStep step;
    step.Kind = FrameStep::fsClock;
    step.ClockCommand = shown ? ClockShow : ClockHide;
    return step;
}

std::vector<FrameStep> WriteSteps(const OverlaySettings& settings) {
    std::vector<FrameStep> steps;
    for (int g = 0; g < GroupCount; ++g) {
        std::vector<FrameStep> group = GroupSteps(settings, g);
        steps.insert(steps.end(), group.begin(), group.end());
    }
    steps.push_back(ClockStep(settings.Clock.Shown));
    return steps;
}

std::vector<FrameStep> ClearSteps(const std::vector<bool>& enabled) {
    std::vector<FrameStep> steps;
    for (size_t i = 0; i < enabled.size(); ++i) {
        FrameStep step;
        step.Kind = FrameStep::fsClear;
        step.Row = static_cast<int>(i);
        if (enabled[i]) step.Bytes = ClearFrame(step.Row);
        steps.push_back(std::move(step));
    }
    return steps;
}

bool SendStep(const FrameStep& step) {
    if (step.Kind == FrameStep::fsClock) return SendClockFrame(step.ClockCommand, 0, 0);
    return step.Bytes.empty() || SendFrame(step.Bytes);
}

SendResult SendSteps(const std::vector<FrameStep>& steps, const std::function<bool(const FrameStep&)>& between) {
    for (size_t i = 0; i < steps.size(); ++i) {
        if (!SendStep(steps[i])) return SendResult{SendResult::seFailed, i};
        if (steps[i].Kind == FrameStep::fsClock) continue;
        if (between && !between(steps[i])) return SendResult{SendResult::seStopped, i + 1};
    }
    return SendResult{SendResult::seDone, steps.size()};
}

std::string SendFailureText(const std::string& port, const FrameStep& step) {
    switch (step.Kind) {
    case FrameStep::fsClear: return "端口：" + port + "清除第" + Number(step.Row + 1) + "个通道出错！";
    case FrameStep::fsClock: return "端口：" + port + "发送时钟出错！";
    default:
        return "端口：" + port + "发送第" + Number(step.Group + 1) + "组->第" + Number(step.Row + 1) + "个通道出错！";
    }
}

std::string ReadFailureText(int group, int row) {
    return "读取第" + Number(group + 1) + "组->第" + Number(row + 1) + "个通道出错！";
}

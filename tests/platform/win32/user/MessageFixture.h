// A fixture for message, input and focus tests: windows of one recording class (W, or A for character-set
// tests) whose procedures log every message with its parameters, with per-window answers in place of
// DefWindowProc, and a clean queue, input state, focus and capture around each test.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <vector>

struct Received {
    HWND Window;
    UINT Message;
    WPARAM WParam;
    LPARAM LParam;
};

class MessageFixture : public ::testing::Test {
public:
    using Answer = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the recording class; dblclks picks the class with CS_DBLCLKS, ansi the A class.
    HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, DWORD exStyle = 0, bool dblclks = false,
              bool ansi = false);
    // Answers a window's message before DefWindowProc sees it (nullopt: pass it on).
    void OnMessage(HWND hwnd, UINT message, Answer answer) { FAnswers[{hwnd, message}] = std::move(answer); }

    // What was received, in order; only the given messages when some are named.
    std::vector<Received> Taken(std::vector<UINT> messages = {}) const;
    std::vector<UINT> Messages(HWND hwnd, std::vector<UINT> messages) const;
    void Clear() { FReceived.clear(); }
    // Reads the whole queue the way a message loop does.
    void Pump();
    // Removes everything waiting without dispatching it.
    static void Drain();

private:
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool ansi);
    static LRESULT ProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT ProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static MessageFixture* Current;

    std::map<std::pair<HWND, UINT>, Answer> FAnswers;
    std::vector<Received> FReceived;
    std::vector<HWND> FMade;
};

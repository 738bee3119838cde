// A fixture for frame tests: top-level windows of a plain class that DefWindowProc serves, with a log of the
// messages the frame sends them (and the rectangles of WM_MOVING / WM_SIZING), and clean input around each test.
#pragma once

#include <testing/Testing.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

struct FrameEvent {
    HWND Window = nullptr;
    UINT Message = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    RECT Rect{0, 0, 0, 0};  // WM_MOVING / WM_SIZING: the proposed rectangle
};

class FrameFixture : public ::testing::Test {
protected:
    // Frames start classic; tests of the visual style switch it on for their scope.
    wintest::ScopedVisualStyles FClassic{false};

public:
    // A window's own answer before DefWindowProc (return true when answered).
    using Hook = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
    static FrameFixture* Current;

protected:
    void SetUp() override;
    void TearDown() override;

    HWND Make(DWORD style, DWORD exStyle, const RECT& rect, const char16_t* text = u"Frame");
    void SetHook(Hook hook) { FHook = std::move(hook); }

    // Runs every pending message, then forgets what was logged.
    void Settle();
    std::vector<FrameEvent> Events(UINT message) const;
    std::vector<UINT> Messages(const std::vector<UINT>& only) const;
    void ClearEvents() { FLog.clear(); }
    static RECT WindowRectOf(HWND hwnd);

private:
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::vector<FrameEvent> FLog;
    std::vector<HWND> FWindows;
    Hook FHook;
};

// A rectangle as four numbers, for comparisons that print well.
std::array<LONG, 4> Box(const RECT& rect);

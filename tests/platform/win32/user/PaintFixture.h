// A fixture for painting tests: windows whose procedure logs the paint messages (with what BeginPaint gave) and
// fills what it is asked to paint with a colour of its own, and a way to read pixels back.
#pragma once

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

struct PaintEvent {
    HWND Window = nullptr;
    UINT Message = 0;
    WPARAM WParam = 0;
    RECT Rect{0, 0, 0, 0};     // WM_PAINT: rcPaint; WM_NCPAINT: the region's box (screen); WM_ERASEBKGND: clip box
    RECT ClipBox{0, 0, 0, 0};  // WM_PAINT: the paint DC's clip box
    BOOL Erase = FALSE;        // WM_PAINT: fErase
};

class PaintFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Windows of the plain class, or of a class with the given class styles, painting themselves in colour.
    HWND MakeTop(const RECT& rect, COLORREF color, DWORD style = WS_POPUP | WS_VISIBLE, UINT classStyle = 0);
    HWND MakeChild(HWND parent, const RECT& rect, COLORREF color, DWORD style = WS_CHILD | WS_VISIBLE);

    // Runs every pending message, then forgets what was logged.
    void Settle();
    // The logged messages (of one window, or of all).
    std::vector<PaintEvent> Events(HWND window = nullptr, UINT message = 0) const;
    std::vector<UINT> Messages(HWND window) const;
    void ClearEvents();

    // A pixel of a top-level window's surface, in window coordinates (a window DC reads it, even under
    // LockWindowUpdate).
    COLORREF Pixel(HWND top, int x, int y) const;
    // Fills a rectangle (client coordinates) through GetDC and releases the DC.
    void FillThroughGetDC(HWND window, const RECT& rect, COLORREF color);

    static constexpr COLORREF Black = RGB(0, 0, 0);
    static constexpr COLORREF Red = RGB(255, 0, 0);
    static constexpr COLORREF Green = RGB(0, 255, 0);
    static constexpr COLORREF Blue = RGB(0, 0, 255);
    static constexpr COLORREF White = RGB(255, 255, 255);

public:
    // How each window answers: the colour WM_PAINT fills with, the colour WM_ERASEBKGND fills with (none: it
    // returns 0 without erasing), and whether WM_PAINT validates at all.
    struct Behaviour {
        COLORREF Paint = 0;
        bool Erases = true;
        COLORREF EraseColor = RGB(255, 255, 255);
        bool BeginsPaint = true;
        int FrameInset = 0;  // WM_NCCALCSIZE: a frame this wide on every side
        // Logs WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE and WM_WINDOWPOSCHANGED too, to place the
        // painting messages among them.
        bool LogsPlacement = false;
    };
    static std::map<HWND, Behaviour>& Behaviours();
    static std::vector<PaintEvent>& Log();

private:
    std::vector<HWND> FWindows;
    std::vector<const char16_t*> FClasses;
};

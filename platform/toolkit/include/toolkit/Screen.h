// TScreen (the display and the application's forms) and TMouse (the pointer), with their global objects Screen
// and Mouse.
#pragma once

#include <toolkit/Component.h>

#include <win32/windows.h>

#include <vector>

class TCustomForm;

class TScreen : public TComponent {
    TOOLKIT_CLASS(TScreen, TComponent)

public:
    explicit TScreen(TComponent* owner) : TComponent(owner) {}

    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const { return 96; }
    // The screen less the task bar, as SPI_GETWORKAREA answers.
    RECT WorkAreaRect() const;
    int WorkAreaLeft() const { return WorkAreaRect().left; }
    int WorkAreaTop() const { return WorkAreaRect().top; }
    int WorkAreaWidth() const;
    int WorkAreaHeight() const;

    // Every form that exists, in creation order.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int index) const;
    // The form whose window is the active window, or nullptr.
    TCustomForm* ActiveForm() const;

    // The cursor shown everywhere while not crDefault (crHourGlass during work), as an id of LoadCursor's
    // standard cursors or a toolkit cursor number (TCursor).
    int Cursor() const { return FCursor; }
    void SetCursor(int value);
    // The cursor handle of a toolkit cursor number (crDefault answers the arrow).
    HCURSOR Cursors(int index) const;

    // Forms register themselves on creation and leave on destruction.
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);

private:
    std::vector<TCustomForm*> FForms;  // not owned
    int FCursor = 0;
};

class TMouse {
public:
    POINT CursorPos() const;
    void SetCursorPos(const POINT& value);
    HWND Capture() const { return GetCapture(); }
    void SetCapture(HWND value);
    bool MousePresent() const { return true; }
    bool WheelPresent() const { return true; }
    int WheelScrollLines() const;
};

extern TScreen* Screen;
extern TMouse* Mouse;

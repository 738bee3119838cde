// The display driver boundary: what the window manager asks of a display, and the input it gets back. The
// headless driver (memory only, input injected by tests) and the SDL driver implement it; nothing above this
// folder knows which one runs.
#pragma once

#include <win32/windef.h>

#include <memory>
#include <string>
#include <vector>

namespace backend {

struct InputEvent {
    enum class Kind {
        MouseMove,
        ButtonDown,
        ButtonUp,
        Wheel,
        KeyDown,
        KeyUp,
        Text,
        // The desktop acted on one of our top-level windows itself (its taskbar, its title bar, another
        // program taking the focus); not echoes of what the window manager asked for.
        WindowMinimized,
        WindowRestored,
        WindowCloseRequested,
        WindowFocusLost,
        WindowFocusGained,
        // The screen changed size (screen holds the new width and height) or colour depth (bitsPerPixel).
        DisplayChanged
    };
    Kind kind = Kind::MouseMove;
    POINT screen{0, 0};  // mouse events: where the pointer is, in screen coordinates
    int button = 0;      // ButtonDown/Up: 0 left, 1 right, 2 middle
    int wheelDelta = 0;  // Wheel: multiples of WHEEL_DELTA, positive away from the user
    UINT vk = 0;         // KeyDown/Up: the virtual key
    UINT scanCode = 0;
    bool extended = false;
    bool repeat = false;
    std::u16string text;    // Text: characters typed or composed by an input method
    HWND window = nullptr;  // Window...: the top-level window the desktop acted on
    int bitsPerPixel = 32;  // DisplayChanged
    DWORD time = 0;         // milliseconds, GetTickCount's clock; 0 means "now"
};

// How a top-level window shows on the display.
enum class SurfaceKind { Normal, Popup, Tooltip };

// How a layered window (WS_EX_LAYERED) mixes with what lies under it on the screen.
struct LayeredStyle {
    bool ColorKey = false;  // presented pixels equal to Key (0x00RRGGBB) are holes
    uint32_t Key = 0;
    bool ConstantAlpha = false;  // the whole window is drawn with opacity Alpha / 255
    BYTE Alpha = 255;
    bool PerPixelAlpha = false;  // the top byte of each presented pixel is its (premultiplied) alpha
};

class Driver {
public:
    virtual ~Driver() = default;
    virtual const char* Name() const = 0;

    virtual SIZE ScreenSize() const = 0;
    virtual RECT WorkArea() const = 0;

    // Top-level windows, keyed by their HWND; rectangles in screen coordinates, frame included.
    virtual void WindowCreated(HWND hwnd, SurfaceKind kind, const RECT& rect) = 0;
    virtual void WindowDestroyed(HWND hwnd) = 0;
    virtual void WindowMoved(HWND hwnd, const RECT& rect) = 0;
    virtual void WindowShown(HWND hwnd, bool visible, bool activate) = 0;
    // The window became minimized (SW_SHOWMINIMIZED), maximized (SW_SHOWMAXIMIZED) or normal (SW_SHOWNORMAL).
    // WindowMoved has already told the new rectangle; a minimized window's is parked off the screen, and the
    // desktop should show it iconified instead.
    virtual void WindowStateChanged(HWND hwnd, int showState) { (void)hwnd, (void)showState; }
    // The top-level windows' stacking order, the topmost first; sent whenever it changes.
    virtual void WindowZOrder(const std::vector<HWND>& topToBottom) { (void)topToBottom; }
    virtual void WindowTitle(HWND hwnd, const std::u16string& title) { (void)hwnd, (void)title; }
    // The window's layering changed; null when it is no longer layered.
    virtual void WindowLayered(HWND hwnd, const LayeredStyle* style) { (void)hwnd, (void)style; }
    // The window's whole surface (0x00RRGGBB rows, top-down, stride in pixels) after painting; dirty says which
    // part changed since the last call.
    virtual void Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stride, const RECT& dirty) = 0;

    // Input: the next event without waiting, or false when there is none.
    virtual bool NextEvent(InputEvent& event) = 0;
    // Waits until an event is there, Wake() is called or timeoutMs pass (INFINITE waits for ever).
    virtual void WaitForEvent(DWORD timeoutMs) = 0;
    // Ends a WaitForEvent from any thread (a message posted from another thread).
    virtual void Wake() = 0;

    // The desktop's clipboard as text; the window manager keeps other formats itself.
    virtual void SetClipboardText(const std::u16string& text) = 0;
    virtual bool ClipboardText(std::u16string& text) = 0;

    virtual void SetCursorShape(int standardCursorId) { (void)standardCursorId; }
    // Where the pointer is on the desktop, over our windows or not; false when only the input this driver
    // delivered tells (the window manager then answers with the last position it saw).
    virtual bool CursorPosition(POINT& screen) {
        (void)screen;
        return false;
    }
    virtual void Beep() {}

    // ShellExecuteA opens an existing document (a native path) or a URL: true when the driver dealt with it,
    // false to let the platform start the desktop's opener.
    virtual bool OpenDocument(const std::string& nativePath) {
        (void)nativePath;
        return false;
    }
};

// The driver in use: the one installed, else the headless driver.
Driver& CurrentDriver();
// Installs a driver before the first window is made (the SDL program does this at start-up).
void InstallDriver(std::unique_ptr<Driver> driver);

}  // namespace backend

// The window object behind an HWND and the window manager's shared state (desktop, focus, activation, capture,
// keyboard). Rectangles are kept as Windows keeps them: relative to the parent's client area (the screen for
// top-level windows, whose parent is the desktop window).
#pragma once

#include "gdi/BitmapObject.h"
#include "gdi/Region.h"
#include "user/ScrollBarState.h"

#include <win32/windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace win32::user {

struct WindowClass {
    std::u16string Name;  // compared without regard to case
    ATOM Atom = 0;
    UINT Style = 0;
    WNDPROC Proc = nullptr;
    bool Unicode = false;  // registered with the W function
    int ClassExtra = 0;
    int WindowExtra = 0;
    HINSTANCE Instance = nullptr;
    HICON Icon = nullptr;
    HICON SmallIcon = nullptr;
    HCURSOR Cursor = nullptr;
    HBRUSH Background = nullptr;
    std::vector<BYTE> Extra;
};

// How a layered window was set up: the two ways exclude each other until WS_EX_LAYERED is taken off and put back.
struct LayeredState {
    bool ByAttributes = false;  // SetLayeredWindowAttributes
    bool ByUpdate = false;      // UpdateLayeredWindow
    COLORREF Key = 0;
    BYTE Alpha = 255;
    DWORD Flags = 0;  // LWA_* as given to SetLayeredWindowAttributes
};

class Window {
public:
    HWND Handle = nullptr;
    std::shared_ptr<WindowClass> Class;
    WNDPROC Proc = nullptr;
    bool Unicode = false;  // messages carry UTF-16 text (the window procedure was set through a W function)
    DWORD Style = 0;
    DWORD ExStyle = 0;
    HINSTANCE Instance = nullptr;
    LONG_PTR Id = 0;  // GWLP_ID (the menu handle of a top-level window)
    LONG_PTR UserData = 0;
    std::vector<BYTE> Extra;              // cbWndExtra bytes
    std::map<std::string, HANDLE> Props;  // SetProp names, or "#<atom>"
    std::u16string Text;

    // Tree and ownership. Children are in z-order, the topmost first. Top-level windows are the desktop's children.
    Window* Parent = nullptr;
    Window* Owner = nullptr;
    std::vector<Window*> Children;

    // Geometry, relative to the parent's client area.
    RECT WindowRect{0, 0, 0, 0};
    RECT ClientRect{0, 0, 0, 0};
    // Where the window goes back to when restored from minimized or maximized (screen/parent coordinates).
    RECT NormalRect{0, 0, 0, 0};
    POINT MinPosition{-1, -1};
    POINT MaxPosition{-1, -1};
    // SetWindowRgn's region, in window coordinates (origin at the window rectangle's top-left).
    std::optional<gdi::Region> WindowRegion;

    // Painting state, in window coordinates: what needs WM_PAINT (client part) and WM_NCPAINT (frame part).
    gdi::Region UpdateRegion;
    bool EraseNeeded = false;
    bool NcPaintNeeded = false;
    bool InternalPaint = false;
    bool Painting = false;  // between BeginPaint and EndPaint

    // A top-level window's pixels: its whole window rectangle. Children draw into their top-level's surface.
    std::shared_ptr<gdi::BitmapObject> Surface;
    RECT SurfaceDirty{0, 0, 0, 0};  // surface coordinates, what changed since the last present

    // Lifetime.
    bool Destroying = false;  // DestroyWindow is running; WM_DESTROY has been or is being sent
    bool Created = false;     // WM_CREATE answered
    // An overlapped window gets its first WM_SIZE and WM_MOVE when first shown, not from CreateWindowEx.
    bool NeedSize = false;
    // Restoring from minimized goes back to maximized (WPF_RESTORETOMAXIMIZED).
    bool RestoreToMaximized = false;
    // An owned window that DefWindowProc hid because its owner was minimized (WM_SHOWWINDOW SW_PARENTCLOSING),
    // shown again when the owner is restored.
    bool HiddenByOwner = false;

    // What the window manager's services keep for the window; all of it goes with the window object.
    HDC OwnDC = nullptr;                               // the CS_OWNDC device context, made on first use
    HMENU SystemMenu = nullptr;                        // GetSystemMenu's copy, made on first use
    HICON BigIcon = nullptr, SmallIcon = nullptr;      // WM_SETICON
    std::optional<bool> FrameActive;                   // how WM_NCACTIVATE last asked the frame to look
    int HotCaptionButton = HTNOWHERE;                  // the caption button under the pointer, in the visual style
    SIZE PresentedSize{0, 0};                          // the surface size the display driver was last given
    std::optional<LayeredState> Layered;               // since SetLayeredWindowAttributes or UpdateLayeredWindow
    std::optional<scrollbar::BarState> ScrollBars[3];  // SB_HORZ, SB_VERT and SB_CTL, made on first use

    // The visible regions window DCs asked for, by the DCX_ flags that shape them; valid until the window, an
    // ancestor or a sibling changes place, size, visibility, z-order, window region or clip styles.
    struct CachedVisibleRegion {
        bool Valid = false;
        DWORD Flags = 0;
        gdi::Region Region;
    };
    CachedVisibleRegion VisibleRegions[4];
    unsigned NextVisibleRegion = 0;  // the entry a new flag combination replaces

    bool Visible() const { return (Style & WS_VISIBLE) != 0; }
    bool Child() const { return (Style & WS_CHILD) != 0; }
    bool TopLevel() const;
    // The top-level window this one draws into (itself for a top-level window).
    Window* Root();
    // A rectangle in the parent's client coordinates, in screen coordinates.
    RECT ParentClientToScreen(RECT rect) const;
    // Window and client rectangles in screen coordinates.
    RECT ScreenWindowRect() const;
    RECT ScreenClientRect() const;
    // The client area's top-left relative to the window rectangle's top-left.
    POINT ClientOffset() const { return {ClientRect.left - WindowRect.left, ClientRect.top - WindowRect.top}; }
};

// Window handles: positive, never reused while the process lives long enough to matter.
Window* FromHandle(HWND hwnd);       // null with ERROR_INVALID_WINDOW_HANDLE
Window* FromHandleQuiet(HWND hwnd);  // null, last error untouched
HWND InsertWindow(std::unique_ptr<Window> window);
void RemoveWindow(HWND hwnd);  // after WM_NCDESTROY
Window& Desktop();

// The window manager's shared state. One user-interface thread, as the toolkit has.
struct UserState {
    HWND Focus = nullptr;
    HWND Active = nullptr;
    HWND Foreground = nullptr;
    HWND Capture = nullptr;
    POINT CursorPos{0, 0};
    BYTE KeyState[256] = {};  // bit 0x80 down, bit 0x01 toggled, as GetKeyboardState reports
    HCURSOR Cursor = nullptr;
    int CursorShowCount = 0;
    // Counts the changes that make cached visible regions stale: a DC attached at the current count is up to date.
    unsigned long VisibleGeneration = 1;
};
UserState& State();

}  // namespace win32::user

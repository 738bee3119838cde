// The frame's modal loops: moving and sizing a window with the mouse or the arrow keys, and holding a caption
// button down. Each captures the mouse and reads the queue itself, dispatching what is not its own.
#include "user/ClassicFrame.h"
#include "user/Hooks.h"
#include "user/WindowPos.h"

#include <algorithm>

namespace win32::user {
namespace {

// The caption button held down, for the painter.
HWND pushedWindow = nullptr;
int pushedHit = HTNOWHERE;

// The keyboard moves and sizes in steps of this many pixels, as Windows does.
constexpr int KeyStep = 8;

// Takes the next message for a loop; false at WM_QUIT, which goes back to the queue for the outer loop.
bool NextMessage(MSG& msg) {
    if (GetMessageW(&msg, nullptr, 0, 0)) return true;
    PostQuitMessage(static_cast<int>(msg.wParam));
    return false;
}

void Dispatch(const MSG& msg) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

struct Edges {
    bool Left = false, Right = false, Top = false, Bottom = false;
};

Edges EdgesOf(int wmsz) {
    Edges edges;
    edges.Left = wmsz == WMSZ_LEFT || wmsz == WMSZ_TOPLEFT || wmsz == WMSZ_BOTTOMLEFT;
    edges.Right = wmsz == WMSZ_RIGHT || wmsz == WMSZ_TOPRIGHT || wmsz == WMSZ_BOTTOMRIGHT;
    edges.Top = wmsz == WMSZ_TOP || wmsz == WMSZ_TOPLEFT || wmsz == WMSZ_TOPRIGHT;
    edges.Bottom = wmsz == WMSZ_BOTTOM || wmsz == WMSZ_BOTTOMLEFT || wmsz == WMSZ_BOTTOMRIGHT;
    return edges;
}

// One side of a sized rectangle, moved by delta and kept within the size limits.
void SizeSpan(LONG& low, LONG& high, bool lowMoves, bool highMoves, int delta, int minimum, int maximum) {
    if (lowMoves) low = std::clamp<LONG>(low + delta, high - maximum, high - minimum);
    if (highMoves) high = std::clamp<LONG>(high + delta, low + minimum, low + maximum);
}

class MoveSizeLoop {
public:
    MoveSizeLoop(HWND hwnd, bool sizing, int wmsz, POINT start, const RECT& rect, const MINMAXINFO& limits)
        : FHwnd(hwnd),
          FSizing(sizing),
          FWmsz(wmsz),
          FStart(start),
          FPointer(start),
          FOriginal(rect),
          FCurrent(rect),
          FLimits(limits) {}

    // Runs until the button comes up, Enter or Esc, or the capture goes elsewhere.
    void Run(bool keyboard) {
        MSG msg;
        while (GetCapture() == FHwnd && NextMessage(msg)) {
            switch (msg.message) {
            case WM_MOUSEMOVE:
                // Started from the keyboard, the loop follows the arrows alone: moves of the pointer (some
                // made by putting it on the caption) would make the window jump.
                if (keyboard) break;
                FPointer = msg.pt;
                Follow();
                break;
            case WM_LBUTTONUP:
                if (msg.pt.x != FPointer.x || msg.pt.y != FPointer.y) {
                    FPointer = msg.pt;
                    Follow();
                }
                return;
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                if (keyboard) return;
                break;
            case WM_KEYDOWN:
                if (msg.wParam == VK_ESCAPE) {
                    Cancel();
                    return;
                }
                if (msg.wParam == VK_RETURN) return;
                Key(static_cast<UINT>(msg.wParam));
                break;
            case WM_KEYUP:
            case WM_CHAR:
            case WM_SYSKEYDOWN:
            case WM_SYSKEYUP:
            case WM_SYSCHAR: break;  // the loop owns the keyboard
            default: Dispatch(msg); break;
            }
        }
    }

    // Where the window went, in screen coordinates, and whether it moved or changed size at all.
    bool Moved(RECT& screen) const {
        screen = FCurrent;
        if (HWND parent = GetParent(FHwnd); parent && (GetWindowLongPtrW(FHwnd, GWL_STYLE) & WS_CHILD))
            MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&screen), 2);
        return !EqualRect(&FCurrent, &FOriginal);
    }

    void Cancel() { Place(FOriginal); }

private:
    void Key(UINT vk) {
        int dx = vk == VK_LEFT ? -KeyStep : vk == VK_RIGHT ? KeyStep : 0;
        int dy = vk == VK_UP ? -KeyStep : vk == VK_DOWN ? KeyStep : 0;
        if (!dx && !dy) return;
        // Sizing from the keyboard starts on the side the first arrow points to.
        if (FSizing && FWmsz == 0) FWmsz = dx < 0 ? WMSZ_LEFT : dx > 0 ? WMSZ_RIGHT : dy < 0 ? WMSZ_TOP : WMSZ_BOTTOM;
        FPointer.x += dx;
        FPointer.y += dy;
        Follow();
    }

    void Follow() {
        int dx = FPointer.x - FStart.x, dy = FPointer.y - FStart.y;
        RECT rect = FOriginal;
        if (FSizing) {
            Edges edges = EdgesOf(FWmsz);
            SizeSpan(rect.left, rect.right, edges.Left, edges.Right, dx, FLimits.ptMinTrackSize.x,
                     FLimits.ptMaxTrackSize.x);
            SizeSpan(rect.top, rect.bottom, edges.Top, edges.Bottom, dy, FLimits.ptMinTrackSize.y,
                     FLimits.ptMaxTrackSize.y);
            SendMessageW(FHwnd, WM_SIZING, static_cast<WPARAM>(FWmsz), reinterpret_cast<LPARAM>(&rect));
        } else {
            OffsetRect(&rect, dx, dy);
            SendMessageW(FHwnd, WM_MOVING, 0, reinterpret_cast<LPARAM>(&rect));
        }
        Place(rect);
    }

    // Full-window dragging (SPI_GETDRAGFULLWINDOWS): the window itself follows the pointer.
    void Place(const RECT& rect) {
        if (EqualRect(&rect, &FCurrent) || !IsWindow(FHwnd)) return;
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (rect.right - rect.left == FCurrent.right - FCurrent.left &&
            rect.bottom - rect.top == FCurrent.bottom - FCurrent.top)
            flags |= SWP_NOSIZE;
        FCurrent = rect;
        SetWindowPos(FHwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, flags);
        UpdateWindow(FHwnd);
    }

    HWND FHwnd;
    bool FSizing;
    int FWmsz;
    POINT FStart, FPointer;
    RECT FOriginal, FCurrent;
    MINMAXINFO FLimits;
};

}  // namespace

int PushedCaptionButton(HWND hwnd) { return hwnd == pushedWindow ? pushedHit : HTNOWHERE; }

void TrackMoveSize(HWND hwnd, WPARAM command, POINT screen) {
    Window* window = FromHandle(hwnd);
    if (!window || (window->Style & WS_MAXIMIZE)) return;
    bool sizing = (command & 0xFFF0) == SC_SIZE;
    int code = static_cast<int>(command & 0x000F);
    bool keyboard = sizing ? code == 0 : code != HTCAPTION;
    if (sizing && (!(window->Style & WS_THICKFRAME) || (window->Style & WS_MINIMIZE))) return;

    // Rectangles and points in the parent's client coordinates (the screen for top-level windows).
    HWND parent = window->Child() ? GetParent(hwnd) : nullptr;
    RECT rect;
    GetWindowRect(hwnd, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    POINT start = screen;
    if (keyboard) {
        // The pointer goes to the middle of the caption (moving) or of the window (sizing).
        RECT screenRect = window->ScreenWindowRect();
        start = POINT{(screenRect.left + screenRect.right) / 2,
                      sizing ? (screenRect.top + screenRect.bottom) / 2
                             : screenRect.top + GetSystemMetrics(SM_CYCAPTION) / 2 + GetSystemMetrics(SM_CYFRAME)};
        SetCursorPos(start.x, start.y);
    }
    MINMAXINFO limits = QueryMinMaxInfo(*window);
    if (!IsWindow(hwnd)) return;

    SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    // Pointer positions stay in screen coordinates: only their distance from the start point matters.
    MoveSizeLoop loop(hwnd, sizing, sizing ? code : 0, start, rect, limits);
    loop.Run(keyboard);
    // The window followed the pointer already; a CBT hook that refuses the new place puts it back.
    RECT placed;
    if (IsWindow(hwnd) && loop.Moved(placed) &&
        CbtVetoes(HCBT_MOVESIZE, reinterpret_cast<WPARAM>(hwnd), reinterpret_cast<LPARAM>(&placed)))
        loop.Cancel();
    if (GetCapture() == hwnd) ReleaseCapture();
    if (IsWindow(hwnd)) SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

bool TrackCaptionButton(HWND hwnd, int hit) {
    Window* window = FromHandle(hwnd);
    if (!window) return false;
    SetCapture(hwnd);
    pushedWindow = hwnd;
    pushedHit = hit;
    RepaintCaption(hwnd);
    bool inside = true;
    MSG msg;
    while (GetCapture() == hwnd && NextMessage(msg)) {
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            if (!(window = FromHandleQuiet(hwnd))) break;
            RECT screenRect = window->ScreenWindowRect();
            POINT inWindow{msg.pt.x - screenRect.left, msg.pt.y - screenRect.top};
            bool now = CaptionHitTest(*window, inWindow) == hit;
            if (now != inside) {
                inside = now;
                pushedHit = inside ? hit : HTNOWHERE;
                RepaintCaption(hwnd);
            }
            if (msg.message == WM_LBUTTONUP) break;
        } else if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP && msg.message != WM_CHAR) {
            Dispatch(msg);
        }
    }
    pushedWindow = nullptr;
    pushedHit = HTNOWHERE;
    if (GetCapture() == hwnd) ReleaseCapture();
    RepaintCaption(hwnd);
    return inside && IsWindow(hwnd);
}

}  // namespace win32::user

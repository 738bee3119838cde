// CreateCaret, DestroyCaret, ShowCaret, HideCaret, SetCaretPos, GetCaretPos and the blink time. The caret is
// drawn by inversion, so drawing it twice restores the pixels under it; On says whether it is drawn now.
#include "Caret.h"

#include "Timers.h"
#include "Window.h"

namespace win32::user {
namespace {

constexpr int BlinkTimerId = 1;
const HBITMAP GrayCaret = reinterpret_cast<HBITMAP>(1);

struct CaretState {
    HWND Window = nullptr;  // null: there is no caret
    HBITMAP Bitmap = nullptr;
    int Width = 0;
    int Height = 0;
    POINT Pos{0, 0};  // client coordinates of the owner
    int HideCount = 0;
    bool On = false;
    UINT BlinkTime = 530;
};

CaretState& Caret() {
    static CaretState caret;
    return caret;
}

void Invert() {
    auto& caret = Caret();
    HDC dc = GetDC(caret.Window);
    if (!dc) return;
    if (caret.Bitmap && caret.Bitmap != GrayCaret) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, caret.Bitmap);
        BitBlt(dc, caret.Pos.x, caret.Pos.y, caret.Width, caret.Height, source, 0, 0, SRCINVERT);
        SelectObject(source, old);
        DeleteDC(source);
    } else if (caret.Bitmap == GrayCaret) {
        HGDIOBJ old = SelectObject(dc, GetStockObject(GRAY_BRUSH));
        PatBlt(dc, caret.Pos.x, caret.Pos.y, caret.Width, caret.Height, PATINVERT);
        SelectObject(dc, old);
    } else {
        PatBlt(dc, caret.Pos.x, caret.Pos.y, caret.Width, caret.Height, DSTINVERT);
    }
    ReleaseDC(caret.Window, dc);
    caret.On = !caret.On;
}

void Erase() {
    if (Caret().On) Invert();
}

void Forget() {
    KillInternalTimer(BlinkTimerId);
    Caret() = CaretState{nullptr, nullptr, 0, 0, {0, 0}, 0, false, Caret().BlinkTime};
}

void Blink() {
    auto& caret = Caret();
    if (!caret.Window) return;
    if (!FromHandleQuiet(caret.Window)) {
        Forget();
        return;
    }
    if (caret.HideCount == 0) Invert();
}

// A caret that has just appeared or moved stays on for a whole period before it blinks off.
void RestartBlinking() {
    if (Caret().BlinkTime == INFINITE) {
        KillInternalTimer(BlinkTimerId);
        return;
    }
    SetInternalTimer(BlinkTimerId, Caret().BlinkTime, Blink);
}

void Draw() {
    if (!Caret().On) Invert();
    RestartBlinking();
}

// The window a caret call names: null means the caret's own. False, with ERROR_ACCESS_DENIED, when the caret is
// not that window's.
bool Owns(HWND hwnd) {
    auto& caret = Caret();
    if (caret.Window && !FromHandleQuiet(caret.Window)) Forget();
    if (!caret.Window || (hwnd && hwnd != caret.Window)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    return true;
}

}  // namespace

void HideCaretForPaint(HWND hwnd) {
    auto& caret = Caret();
    if (!hwnd || hwnd != caret.Window) return;
    ++caret.HideCount;
    Erase();
}

void ShowCaretAfterPaint(HWND hwnd) {
    auto& caret = Caret();
    if (!hwnd || hwnd != caret.Window || caret.HideCount == 0) return;
    if (--caret.HideCount == 0) Draw();
}

void DestroyWindowCaret(HWND hwnd) {
    if (hwnd && hwnd == Caret().Window) Forget();
}

}  // namespace win32::user

using namespace win32::user;

BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight) {
    if (!FromHandle(hWnd)) return FALSE;
    int width = nWidth;
    int height = nHeight;
    if (hBitmap && hBitmap != GrayCaret) {
        // A bitmap caret has the bitmap's size; the width and height given are not used.
        BITMAP info{};
        if (!GetObjectA(hBitmap, sizeof(info), &info)) {
            SetLastError(ERROR_INVALID_HANDLE);
            return FALSE;
        }
        width = info.bmWidth;
        height = info.bmHeight;
    } else {
        if (width < 0 || height < 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        if (width == 0) width = GetSystemMetrics(SM_CXBORDER);
        if (height == 0) height = GetSystemMetrics(SM_CYBORDER);
    }
    // A thread has one caret: making a new one destroys the old, wherever it was.
    if (Caret().Window) {
        Erase();
        Forget();
    }
    auto& caret = Caret();
    caret.Window = hWnd;
    caret.Bitmap = hBitmap;
    caret.Width = width;
    caret.Height = height;
    caret.Pos = {0, 0};
    caret.HideCount = 1;  // a new caret is hidden until ShowCaret
    caret.On = false;
    RestartBlinking();
    return TRUE;
}

BOOL DestroyCaret(void) {
    if (!Owns(nullptr)) return FALSE;
    Erase();
    Forget();
    return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
    if (!Owns(hWnd)) return FALSE;
    auto& caret = Caret();
    // Hiding is counted; showing a caret that is not hidden changes nothing.
    if (caret.HideCount > 0 && --caret.HideCount == 0) Draw();
    return TRUE;
}

BOOL HideCaret(HWND hWnd) {
    if (!Owns(hWnd)) return FALSE;
    ++Caret().HideCount;
    Erase();
    return TRUE;
}

BOOL SetCaretPos(int X, int Y) {
    if (!Owns(nullptr)) return FALSE;
    auto& caret = Caret();
    if (caret.Pos.x == X && caret.Pos.y == Y) return TRUE;
    Erase();
    caret.Pos = {X, Y};
    if (caret.HideCount == 0) Draw();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT lpPoint) {
    if (!lpPoint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Without a caret the answer is where the last one was left: (0, 0) once it is destroyed.
    *lpPoint = Caret().Pos;
    return TRUE;
}

UINT GetCaretBlinkTime(void) { return Caret().BlinkTime; }

BOOL SetCaretBlinkTime(UINT uMSeconds) {
    Caret().BlinkTime = uMSeconds;
    if (Caret().Window) RestartBlinking();
    return TRUE;
}

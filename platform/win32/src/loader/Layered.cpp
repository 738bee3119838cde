// Layered windows: SetLayeredWindowAttributes, GetLayeredWindowAttributes and UpdateLayeredWindow. The window
// keeps its attributes here; the display driver is told how to mix the window into the screen.
#include "gdi/DeviceContext.h"
#include "user/Painting.h"
#include "user/Window.h"

#include <backend/Driver.h>

#include <algorithm>

namespace {

using win32::user::Window;

using win32::user::LayeredState;

// The window's layered state, made on first use.
LayeredState* StateOf(HWND hwnd, Window*& window) {
    window = win32::user::FromHandle(hwnd);
    if (!window) return nullptr;
    // Layered child windows came only with later systems than the one this platform presents.
    if (!(window->ExStyle & WS_EX_LAYERED) || !window->TopLevel()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!window->Layered) window->Layered.emplace();
    return &*window->Layered;
}

uint32_t PixelOf(COLORREF color) { return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF); }

// Copies the source picture into the window's surface, alpha bytes included (a per-pixel alpha window needs them).
bool CopyPicture(Window& window, HDC source, POINT from) {
    auto dc = win32::gdi::LookupDC(source);
    win32::gdi::BitmapObject* picture = dc ? dc->Surface() : nullptr;
    if (!picture || picture->BitsPerPixel() != 32 || !window.Surface) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    from = dc->ToSurface(from);
    win32::gdi::BitmapObject& surface = *window.Surface;
    int width = std::min(surface.Width(), picture->Width() - static_cast<int>(from.x));
    int height = std::min(surface.Height(), picture->Height() - static_cast<int>(from.y));
    if (from.x < 0 || from.y < 0 || width <= 0 || height <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = picture->Row32(from.y + y) + from.x;
        std::copy(row, row + width, surface.Row32(y));
    }
    win32::user::MarkSurfaceDirty(window, RECT{0, 0, width, height});
    return true;
}

}  // namespace

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF crKey, BYTE bAlpha, DWORD dwFlags) {
    Window* window = nullptr;
    LayeredState* state = StateOf(hwnd, window);
    if (!state) return FALSE;
    if ((dwFlags & ~DWORD{LWA_COLORKEY | LWA_ALPHA}) || state->ByUpdate) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    state->ByAttributes = true;
    state->Key = crKey;
    state->Alpha = bAlpha;
    state->Flags = dwFlags;
    backend::LayeredStyle style;
    style.ColorKey = (dwFlags & LWA_COLORKEY) != 0;
    style.Key = PixelOf(crKey);
    style.ConstantAlpha = (dwFlags & LWA_ALPHA) != 0;
    style.Alpha = bAlpha;
    backend::CurrentDriver().WindowLayered(hwnd, &style);
    return TRUE;
}

BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* pcrKey, BYTE* pbAlpha, DWORD* pdwFlags) {
    Window* window = nullptr;
    LayeredState* state = StateOf(hwnd, window);
    if (!state) return FALSE;
    if (!state->ByAttributes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (pcrKey) *pcrKey = state->Key;
    if (pbAlpha) *pbAlpha = state->Alpha;
    if (pdwFlags) *pdwFlags = state->Flags;
    return TRUE;
}

BOOL UpdateLayeredWindow(HWND hWnd, HDC hdcDst, POINT* pptDst, SIZE* psize, HDC hdcSrc, POINT* pptSrc, COLORREF crKey,
                         BLENDFUNCTION* pblend, DWORD dwFlags) {
    (void)hdcDst;  // the screen's palette: nothing to match on a 32-bit display
    Window* window = nullptr;
    LayeredState* state = StateOf(hWnd, window);
    if (!state) return FALSE;
    bool badFlags = (dwFlags & ~DWORD{ULW_COLORKEY | ULW_ALPHA | ULW_OPAQUE}) != 0;
    bool badBlend = (dwFlags & ULW_ALPHA) && (!pblend || pblend->BlendOp != AC_SRC_OVER || pblend->BlendFlags != 0 ||
                                              (pblend->AlphaFormat & ~AC_SRC_ALPHA) != 0);
    bool badSize = psize && (psize->cx <= 0 || psize->cy <= 0);
    if (state->ByAttributes || badFlags || badBlend || badSize || (!hdcSrc && pptSrc)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (pptDst || psize) {
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (pptDst ? 0 : SWP_NOMOVE) | (psize ? 0 : SWP_NOSIZE);
        if (!SetWindowPos(hWnd, nullptr, pptDst ? pptDst->x : 0, pptDst ? pptDst->y : 0, psize ? psize->cx : 0,
                          psize ? psize->cy : 0, flags)) {
            return FALSE;
        }
    }
    if (hdcSrc && !CopyPicture(*window, hdcSrc, pptSrc ? *pptSrc : POINT{0, 0})) return FALSE;
    state->ByUpdate = true;
    backend::LayeredStyle style;
    style.ColorKey = (dwFlags & ULW_COLORKEY) != 0;
    style.Key = PixelOf(crKey);
    bool alpha = (dwFlags & ULW_ALPHA) != 0;
    style.ConstantAlpha = alpha;
    style.Alpha = alpha ? pblend->SourceConstantAlpha : 255;
    style.PerPixelAlpha = alpha && (pblend->AlphaFormat & AC_SRC_ALPHA);
    backend::CurrentDriver().WindowLayered(hWnd, &style);
    win32::user::PresentPending();
    return TRUE;
}

// The scroll functions (SetScrollInfo and its older forms, ShowScrollBar, EnableScrollBar, GetScrollBarInfo) and
// the window's own bars as the default frame sizes, paints, hit-tests and tracks them.
#include "user/ScrollBar.h"

#include "kernel/LastError.h"
#include "theme/SystemStyle.h"
#include "user/ScrollBarState.h"

#include <win32/vssym32.h>

#include <algorithm>
#include <climits>

using win32::Fail;

using namespace win32::user;
using namespace win32::user::scrollbar;

namespace {

constexpr UINT KnownInfoFlags = SIF_ALL | SIF_DISABLENOSCROLL;

bool ValidInfoSize(UINT size) { return size == sizeof(SCROLLINFO) || size == sizeof(SCROLLINFO) - sizeof(int); }

// A bar the caller may read: a window's bar once it exists (or the window has the style), or a control's.
BarState* Readable(HWND hwnd, int bar) {
    Window* window = FromHandle(hwnd);
    if (!window) return nullptr;
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_CTL) return Fail<BarState*>(nullptr, ERROR_INVALID_PARAMETER);
    if (BarState* state = Find(hwnd, bar)) return state;
    DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (bar == SB_CTL ? IsScrollBarControl(hwnd) : (window->Style & styleBit) != 0) return Ensure(hwnd, bar);
    return Fail<BarState*>(nullptr, ERROR_NO_SCROLLBARS);
}

BarState* Writable(HWND hwnd, int bar) {
    if (!FromHandle(hwnd)) return nullptr;
    if (bar != SB_HORZ && bar != SB_VERT && bar != SB_CTL) return Fail<BarState*>(nullptr, ERROR_INVALID_PARAMETER);
    BarState* state = Ensure(hwnd, bar);
    return state ? state : Fail<BarState*>(nullptr, ERROR_NO_SCROLLBARS);
}

void ClampPosition(BarState& state) { state.Pos = std::max(state.Min, std::min(state.Pos, state.MaxPos())); }

bool SetBarStyles(HWND hwnd, DWORD bits, bool show) {
    Window* window = FromHandle(hwnd);
    if (!window) return false;
    DWORD style = show ? (window->Style | bits) : (window->Style & ~bits);
    if (style == window->Style) return true;
    if (show) {
        if (bits & WS_HSCROLL) Ensure(hwnd, SB_HORZ);
        if (bits & WS_VSCROLL) Ensure(hwnd, SB_VERT);
    }
    // The bars are part of the frame: the style changes quietly and the frame is recalculated.
    window->Style = style;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

DWORD BarStyle(int bar) { return bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL; }

}  // namespace

namespace win32::user {

void RemoveScrollBars(const Window& window, RECT& rect) {
    if (window.Style & WS_VSCROLL) {
        if (window.ExStyle & WS_EX_LEFTSCROLLBAR)
            rect.left += GetSystemMetrics(SM_CXVSCROLL);
        else
            rect.right -= GetSystemMetrics(SM_CXVSCROLL);
    }
    if (window.Style & WS_HSCROLL) rect.bottom -= GetSystemMetrics(SM_CYHSCROLL);
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
}

bool ScrollBarRect(const Window& window, int bar, RECT& rect) {
    bool vertical;
    return (bar == SB_HORZ || bar == SB_VERT) && Locate(window.Handle, bar, rect, vertical);
}

void PaintScrollBars(HWND hwnd, HDC windowDc) {
    for (int bar : {SB_HORZ, SB_VERT}) {
        RECT rect;
        bool vertical;
        if (!Locate(hwnd, bar, rect, vertical)) continue;
        BarState* state = Ensure(hwnd, bar);
        Draw(hwnd, bar, windowDc, MakeLayout(rect, vertical, *state, BarEnabled(hwnd, bar, *state)), *state);
    }
    RECT horizontal, vertical;
    bool isVertical;
    if (Locate(hwnd, SB_HORZ, horizontal, isVertical) && Locate(hwnd, SB_VERT, vertical, isVertical)) {
        RECT corner{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
        if (const win32::theme::ClassStyle* style = BarStyle(hwnd, SB_VERT))
            win32::theme::DrawSystemPart(windowDc, *style, SBP_LOWERTRACKVERT, SCRBS_NORMAL, corner);
        else
            FillRect(windowDc, &corner, GetSysColorBrush(COLOR_3DFACE));
    }
}

int ScrollBarHitTest(HWND hwnd, POINT pt) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return HTNOWHERE;
    RECT screen = window->ScreenWindowRect();
    POINT local{pt.x - screen.left, pt.y - screen.top};
    RECT horizontal{0, 0, 0, 0}, vertical{0, 0, 0, 0};
    bool isVertical;
    bool hasHorizontal = Locate(hwnd, SB_HORZ, horizontal, isVertical);
    bool hasVertical = Locate(hwnd, SB_VERT, vertical, isVertical);
    if (hasVertical && PtInRect(&vertical, local)) return HTVSCROLL;
    if (hasHorizontal && PtInRect(&horizontal, local)) return HTHSCROLL;
    if (hasHorizontal && hasVertical) {
        RECT corner{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
        if (PtInRect(&corner, local))
            return (window->Style & WS_THICKFRAME) && !(window->Style & WS_MAXIMIZE) ? HTSIZE : HTNOWHERE;
    }
    return HTNOWHERE;
}

void TrackScrollBar(HWND hwnd, int hitCode, POINT pt) {
    if (hitCode != HTHSCROLL && hitCode != HTVSCROLL) return;
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return;
    RECT screen = window->ScreenWindowRect();
    Track(hwnd, hitCode == HTVSCROLL ? SB_VERT : SB_HORZ, POINT{pt.x - screen.left, pt.y - screen.top});
}

}  // namespace win32::user

int SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL redraw) {
    if (!lpsi || !ValidInfoSize(lpsi->cbSize) || (lpsi->fMask & ~KnownInfoFlags)) {
        if (!FromHandle(hwnd)) return 0;
        return Fail(0, ERROR_INVALID_PARAMETER);
    }
    BarState* state = Writable(hwnd, nBar);
    if (!state) return 0;
    UINT mask = lpsi->fMask;
    BarState before = *state;
    if (mask & SIF_RANGE) {
        // A range that runs backwards or is wider than a LONG holds is no range at all.
        long long width = static_cast<long long>(lpsi->nMax) - lpsi->nMin;
        if (width < 0 || width > INT_MAX) {
            state->Min = state->Max = 0;
        } else {
            state->Min = lpsi->nMin;
            state->Max = lpsi->nMax;
        }
    }
    if (mask & SIF_PAGE) state->Page = lpsi->nPage;
    long long widest = static_cast<long long>(state->Max) - state->Min + 1;
    if (static_cast<long long>(state->Page) > widest) state->Page = static_cast<UINT>(widest);
    if (mask & SIF_POS) state->Pos = lpsi->nPos;
    ClampPosition(*state);

    bool valuesChanged = state->Min != before.Min || state->Max != before.Max || state->Page != before.Page;
    int showChange = 0;  // +1 show the window's bar, -1 hide it
    bool redrawNeeded = state->Pos != before.Pos || valuesChanged;
    if (mask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        if (!state->Scrollable()) {
            if (mask & SIF_DISABLENOSCROLL) {
                redrawNeeded |= state->DisabledArrows != ESB_DISABLE_BOTH;
                state->DisabledArrows = ESB_DISABLE_BOTH;
            } else if (nBar != SB_CTL && valuesChanged) {
                showChange = -1;
            }
        } else {
            redrawNeeded |= state->DisabledArrows != ESB_ENABLE_BOTH;
            state->DisabledArrows = ESB_ENABLE_BOTH;
            if (nBar != SB_CTL && valuesChanged) showChange = 1;
        }
    }
    int position = state->Pos;
    Window* window = FromHandleQuiet(hwnd);
    bool shown = nBar == SB_CTL || (window->Style & BarStyle(nBar));
    if (showChange && (showChange > 0) != shown) {
        SetBarStyles(hwnd, BarStyle(nBar), showChange > 0);
    } else if (redraw && redrawNeeded) {
        Redraw(hwnd, nBar);
    }
    return position;
}

BOOL GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi) {
    if (!lpsi || !ValidInfoSize(lpsi->cbSize) || (lpsi->fMask & ~KnownInfoFlags)) {
        if (!FromHandle(hwnd)) return FALSE;
        return Fail(FALSE, ERROR_INVALID_PARAMETER);
    }
    BarState* state = Readable(hwnd, nBar);
    if (!state) return FALSE;
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = state->Min;
        lpsi->nMax = state->Max;
    }
    if (lpsi->fMask & SIF_PAGE) lpsi->nPage = state->Page;
    if (lpsi->fMask & SIF_POS) lpsi->nPos = state->Pos;
    if ((lpsi->fMask & SIF_TRACKPOS) && lpsi->cbSize == sizeof(SCROLLINFO))
        lpsi->nTrackPos = state->Tracking ? state->TrackPos : state->Pos;
    return (lpsi->fMask & SIF_ALL) ? TRUE : FALSE;
}

int SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw) {
    BarState* state = Writable(hWnd, nBar);
    if (!state) return 0;
    int previous = state->Pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return previous;
}

int GetScrollPos(HWND hWnd, int nBar) {
    BarState* state = Readable(hWnd, nBar);
    return state ? state->Pos : 0;
}

BOOL SetScrollRange(HWND hWnd, int nBar, int nMinPos, int nMaxPos, BOOL bRedraw) {
    if (!Writable(hWnd, nBar)) return FALSE;
    if (static_cast<long long>(nMaxPos) - nMinPos > INT_MAX) return Fail(FALSE, ERROR_INVALID_SCROLLBAR_RANGE);
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, nMinPos, nMaxPos, 0, 0, 0};
    SetScrollInfo(hWnd, nBar, &info, bRedraw);
    return TRUE;
}

BOOL GetScrollRange(HWND hWnd, int nBar, LPINT lpMinPos, LPINT lpMaxPos) {
    if (!lpMinPos || !lpMaxPos) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    *lpMinPos = *lpMaxPos = 0;
    BarState* state = Readable(hWnd, nBar);
    if (!state) return FALSE;
    *lpMinPos = state->Min;
    *lpMaxPos = state->Max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hWnd, int wBar, BOOL bShow) {
    if (!FromHandle(hWnd)) return FALSE;
    switch (wBar) {
    case SB_CTL:
        if (!IsScrollBarControl(hWnd)) return Fail(FALSE, ERROR_NO_SCROLLBARS);
        ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE);
        return TRUE;
    case SB_HORZ: return SetBarStyles(hWnd, WS_HSCROLL, bShow != FALSE);
    case SB_VERT: return SetBarStyles(hWnd, WS_VSCROLL, bShow != FALSE);
    case SB_BOTH: return SetBarStyles(hWnd, WS_HSCROLL | WS_VSCROLL, bShow != FALSE);
    default: return Fail(FALSE, ERROR_INVALID_PARAMETER);
    }
}

BOOL EnableScrollBar(HWND hWnd, UINT wSBflags, UINT wArrows) {
    if (!FromHandle(hWnd)) return FALSE;
    if (wArrows & ~static_cast<UINT>(ESB_DISABLE_BOTH)) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    int bars[2];
    int count = 0;
    switch (wSBflags) {
    case SB_HORZ:
    case SB_VERT:
    case SB_CTL: bars[count++] = static_cast<int>(wSBflags); break;
    case SB_BOTH:
        bars[count++] = SB_HORZ;
        bars[count++] = SB_VERT;
        break;
    default: return Fail(FALSE, ERROR_INVALID_PARAMETER);
    }
    bool changed = false;
    for (int i = 0; i < count; ++i) {
        BarState* state = Writable(hWnd, bars[i]);
        if (!state) return FALSE;
        if (state->DisabledArrows == wArrows) continue;
        state->DisabledArrows = wArrows;
        changed = true;
        Redraw(hWnd, bars[i]);
    }
    // A control disabled on both arrows is a disabled window, as Windows makes it.
    if (wSBflags == SB_CTL && (wArrows == ESB_DISABLE_BOTH || wArrows == ESB_ENABLE_BOTH))
        EnableWindow(hWnd, wArrows == ESB_ENABLE_BOTH);
    return changed ? TRUE : FALSE;
}

BOOL GetScrollBarInfo(HWND hwnd, LONG idObject, PSCROLLBARINFO psbi) {
    Window* window = FromHandle(hwnd);
    if (!window) return FALSE;
    if (!psbi || psbi->cbSize != sizeof(SCROLLBARINFO)) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    int bar;
    if (idObject == OBJID_HSCROLL)
        bar = SB_HORZ;
    else if (idObject == OBJID_VSCROLL)
        bar = SB_VERT;
    else if (idObject == OBJID_CLIENT && IsScrollBarControl(hwnd))
        bar = SB_CTL;
    else
        return Fail(FALSE, ERROR_INVALID_PARAMETER);

    BarState* state = Ensure(hwnd, bar);
    RECT rect;
    bool vertical = bar == SB_VERT;
    bool shown = Locate(hwnd, bar, rect, vertical);
    if (!shown) rect = WindowBarRect(hwnd, bar);
    bool enabled = BarEnabled(hwnd, bar, *state);
    Layout layout = MakeLayout(rect, vertical, *state, enabled);

    // The rectangle goes to the screen: window coordinates for a window's bar, client ones for a control.
    RECT origin = bar == SB_CTL ? window->ScreenClientRect() : window->ScreenWindowRect();
    psbi->rcScrollBar = rect;
    OffsetRect(&psbi->rcScrollBar, origin.left, origin.top);
    psbi->dxyLineButton = layout.Arrow;
    psbi->xyThumbTop = layout.ThumbSize ? layout.ThumbStart : 0;
    psbi->xyThumbBottom = layout.ThumbSize ? layout.ThumbStart + layout.ThumbSize : 0;
    psbi->reserved = 0;
    std::fill(std::begin(psbi->rgstate), std::end(psbi->rgstate), 0);
    if (!shown || !IsWindowVisible(hwnd)) psbi->rgstate[0] |= STATE_SYSTEM_INVISIBLE;
    if (!enabled) psbi->rgstate[0] |= STATE_SYSTEM_UNAVAILABLE;
    if (!enabled || (state->DisabledArrows & ESB_DISABLE_LTUP)) psbi->rgstate[1] |= STATE_SYSTEM_UNAVAILABLE;
    if (!enabled || (state->DisabledArrows & ESB_DISABLE_RTDN)) psbi->rgstate[5] |= STATE_SYSTEM_UNAVAILABLE;
    if (!layout.ThumbSize) {
        for (int part : {PartPageTop, PartThumb, PartPageBottom}) psbi->rgstate[part] |= STATE_SYSTEM_INVISIBLE;
    }
    if (state->Pressed != PartNone) psbi->rgstate[state->Pressed] |= STATE_SYSTEM_PRESSED;
    return TRUE;
}

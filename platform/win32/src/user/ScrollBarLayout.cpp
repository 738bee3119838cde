// Scroll bar values per window, how a bar divides into arrows, page areas and thumb, and its drawing in either
// look.
#include "user/ScrollBarState.h"
#include "user/Window.h"

#include "gdi/DeviceContext.h"
#include "gdi/classic/ClassicPainter.h"
#include "theme/SystemStyle.h"

#include <win32/vssym32.h>

#include <algorithm>
#include <optional>

namespace win32::user::scrollbar {
namespace {

// A thumb never shrinks below this many pixels, however large the range is against the page.
constexpr int MinThumb = 8;

// a * b / c rounded to the nearest; c is a positive length or span here (0 when it is not).
int Scale(int a, int b, int c) {
    if (c <= 0) return 0;
    long long product = static_cast<long long>(a) * b;
    return static_cast<int>((product + (product >= 0 ? c / 2 : -(c / 2))) / c);
}

// The window's slot for the bar (SB_HORZ, SB_VERT, SB_CTL), or null for a window that is gone.
std::optional<BarState>* Slot(HWND hwnd, int bar) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window || bar < SB_HORZ || bar > SB_CTL) return nullptr;
    return &window->ScrollBars[bar];
}

bool IsScrollBarClass(const Window& window) {
    static const std::u16string name = u"scrollbar";
    const std::u16string& className = window.Class ? window.Class->Name : std::u16string();
    if (className.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t c = className[i];
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
        if (c != name[i]) return false;
    }
    return true;
}

}  // namespace

int BarState::MaxPos() const { return Max - std::max(static_cast<int>(Page) - 1, 0); }

bool IsScrollBarControl(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    return window && IsScrollBarClass(*window);
}

BarState* Find(HWND hwnd, int bar) {
    std::optional<BarState>* slot = Slot(hwnd, bar);
    return slot && *slot ? &**slot : nullptr;
}

BarState* Ensure(HWND hwnd, int bar) {
    if (BarState* state = Find(hwnd, bar)) return state;
    if (bar == SB_CTL && !IsScrollBarControl(hwnd)) return nullptr;
    std::optional<BarState>* slot = Slot(hwnd, bar);
    if (!slot) return nullptr;
    BarState& state = slot->emplace();
    if (bar != SB_CTL) state.Max = 100;
    return &state;
}

void Forget(HWND hwnd) {
    if (Window* window = FromHandleQuiet(hwnd))
        for (auto& slot : window->ScrollBars) slot.reset();
}

RECT Layout::Span(int from, int to) const {
    if (Vertical) return RECT{Bar.left, Bar.top + from, Bar.right, Bar.top + to};
    return RECT{Bar.left + from, Bar.top, Bar.left + to, Bar.bottom};
}

RECT WindowBarRect(HWND hwnd, int bar) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return RECT{0, 0, 0, 0};
    POINT offset = window->ClientOffset();
    RECT client{offset.x, offset.y, offset.x + (window->ClientRect.right - window->ClientRect.left),
                offset.y + (window->ClientRect.bottom - window->ClientRect.top)};
    if (bar == SB_VERT) {
        int width = GetSystemMetrics(SM_CXVSCROLL);
        if (window->ExStyle & WS_EX_LEFTSCROLLBAR)
            return RECT{client.left - width, client.top, client.left, client.bottom};
        return RECT{client.right, client.top, client.right + width, client.bottom};
    }
    return RECT{client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

bool Locate(HWND hwnd, int bar, RECT& rect, bool& vertical) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) return false;
    if (bar == SB_CTL) {
        if (!IsScrollBarClass(*window)) return false;
        GetClientRect(hwnd, &rect);
        vertical = (window->Style & SBS_VERT) != 0;
        return true;
    }
    DWORD styleBit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    if (!(window->Style & styleBit) || (window->Style & WS_MINIMIZE)) return false;
    rect = WindowBarRect(hwnd, bar);
    vertical = bar == SB_VERT;
    return true;
}

bool BarEnabled(HWND hwnd, int bar, const BarState& state) {
    if (state.DisabledArrows == ESB_DISABLE_BOTH) return false;
    return bar != SB_CTL || IsWindowEnabled(hwnd);
}

Layout MakeLayout(const RECT& rect, bool vertical, const BarState& state, bool enabled) {
    Layout layout;
    layout.Bar = rect;
    layout.Vertical = vertical;
    int length = layout.Length();
    int arrow = GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
    // Too short for two full arrows: they share the length and there is no track.
    if (length < 2 * arrow) arrow = std::max(length / 2, 0);
    layout.Arrow = arrow;
    int track = length - 2 * arrow;
    if (!enabled || !state.Scrollable() || track < MinThumb) return layout;

    int thumb = GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
    if (state.Page) thumb = Scale(track, static_cast<int>(state.Page), state.Max - state.Min + 1);
    thumb = std::min(std::max(thumb, MinThumb), track);
    int position = state.Tracking ? state.TrackPos : state.Pos;
    int span = state.MaxPos() - state.Min;
    layout.ThumbSize = thumb;
    layout.ThumbStart = arrow + Scale(track - thumb, position - state.Min, span);
    return layout;
}

Part PartAt(const Layout& layout, POINT pt) {
    if (!PtInRect(&layout.Bar, pt)) return PartNone;
    int along = layout.Along(pt);
    int length = layout.Length();
    if (along < layout.Arrow) return PartArrowTop;
    if (along >= length - layout.Arrow) return PartArrowBottom;
    if (!layout.ThumbSize) return PartNone;
    if (along < layout.ThumbStart) return PartPageTop;
    if (along < layout.ThumbStart + layout.ThumbSize) return PartThumb;
    return PartPageBottom;
}

int PositionAt(const Layout& layout, const BarState& state, int thumbStart) {
    int free = layout.Length() - 2 * layout.Arrow - layout.ThumbSize;
    if (free <= 0) return state.Min;
    int offset = std::min(std::max(thumbStart - layout.Arrow, 0), free);
    return state.Min + Scale(offset, state.MaxPos() - state.Min, free);
}

namespace {

// The bar in the visual style: the ScrollBar class's arrows, tracks and thumb over the same division.
void DrawStyled(const theme::ClassStyle& style, HDC hdc, const Layout& layout, const BarState& state, bool enabled) {
    int length = layout.Length();
    auto look = [&](Part part, bool disabled) {
        return disabled ? SCRBS_DISABLED : state.Pressed == part ? SCRBS_PRESSED : SCRBS_NORMAL;
    };
    // Arrow states come in fours per direction: up, down, left, right.
    auto arrow = [&](Part part, int direction, UINT disabledBit) {
        RECT rect = part == PartArrowTop ? layout.Span(0, layout.Arrow) : layout.Span(length - layout.Arrow, length);
        int stateId = direction * 4 + look(part, !enabled || (state.DisabledArrows & disabledBit));
        theme::DrawSystemPart(hdc, style, SBP_ARROWBTN, stateId, rect);
    };
    arrow(PartArrowTop, layout.Vertical ? 0 : 2, ESB_DISABLE_LTUP);
    arrow(PartArrowBottom, layout.Vertical ? 1 : 3, ESB_DISABLE_RTDN);

    auto track = [&](int from, int to, Part part, int partId) {
        if (to > from) theme::DrawSystemPart(hdc, style, partId, look(part, !enabled), layout.Span(from, to));
    };
    int lower = layout.Vertical ? SBP_LOWERTRACKVERT : SBP_LOWERTRACKHORZ;
    int upper = layout.Vertical ? SBP_UPPERTRACKVERT : SBP_UPPERTRACKHORZ;
    int trackStart = layout.Arrow, trackEnd = length - layout.Arrow;
    if (!layout.ThumbSize) {
        track(trackStart, trackEnd, PartNone, lower);
        return;
    }
    track(trackStart, layout.ThumbStart, PartPageTop, lower);
    track(layout.ThumbStart + layout.ThumbSize, trackEnd, PartPageBottom, upper);
    RECT thumb = layout.Span(layout.ThumbStart, layout.ThumbStart + layout.ThumbSize);
    int thumbState = state.Tracking ? SCRBS_PRESSED : look(PartThumb, false);
    theme::DrawSystemPart(hdc, style, layout.Vertical ? SBP_THUMBBTNVERT : SBP_THUMBBTNHORZ, thumbState, thumb);
}

}  // namespace

const theme::ClassStyle* BarStyle(HWND hwnd, int bar) { return theme::SystemStyle(hwnd, u"ScrollBar", bar != SB_CTL); }

void Draw(HWND hwnd, int bar, HDC hdc, const Layout& layout, const BarState& state) {
    if (const theme::ClassStyle* style = BarStyle(hwnd, bar)) {
        DrawStyled(*style, hdc, layout, state, BarEnabled(hwnd, bar, state));
        return;
    }
    auto dc = gdi::LookupDC(hdc);
    if (!dc) return;
    gdi::classic::ClassicPainter painter(*dc);
    bool enabled = BarEnabled(hwnd, bar, state);
    int length = layout.Length();

    auto arrow = [&](Part part, UINT glyph, UINT disabledBit) {
        RECT rect = part == PartArrowTop ? layout.Span(0, layout.Arrow) : layout.Span(length - layout.Arrow, length);
        UINT flags = glyph;
        if (state.Pressed == part) flags |= DFCS_PUSHED | DFCS_FLAT;
        if (!enabled || (state.DisabledArrows & disabledBit)) flags |= DFCS_INACTIVE;
        painter.FrameControl(rect, DFC_SCROLL, flags);
    };
    arrow(PartArrowTop, layout.Vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT, ESB_DISABLE_LTUP);
    arrow(PartArrowBottom, layout.Vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT, ESB_DISABLE_RTDN);

    // A control's parent may colour the track; the default answer keeps the classic dither.
    HBRUSH trackBrush = nullptr;
    if (bar == SB_CTL) {
        HWND parent = GetParent(hwnd);
        if (parent) {
            auto answer = reinterpret_cast<HBRUSH>(SendMessageW(
                parent, WM_CTLCOLORSCROLLBAR, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hwnd)));
            if (answer != GetSysColorBrush(COLOR_3DFACE) && answer != GetSysColorBrush(COLOR_SCROLLBAR))
                trackBrush = answer;
        }
    }
    auto track = [&](int from, int to, Part part) {
        if (to <= from) return;
        RECT rect = layout.Span(from, to);
        if (trackBrush)
            FillRect(hdc, &rect, trackBrush);
        else
            painter.FillDither(rect, GetSysColor(COLOR_SCROLLBAR), GetSysColor(COLOR_3DHILIGHT));
        if (part != PartNone && state.Pressed == part) InvertRect(hdc, &rect);
    };
    int trackStart = layout.Arrow, trackEnd = length - layout.Arrow;
    if (!layout.ThumbSize) {
        track(trackStart, trackEnd, PartNone);
        return;
    }
    track(trackStart, layout.ThumbStart, PartPageTop);
    track(layout.ThumbStart + layout.ThumbSize, trackEnd, PartPageBottom);
    RECT thumb = layout.Span(layout.ThumbStart, layout.ThumbStart + layout.ThumbSize);
    painter.Edge(thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

void Redraw(HWND hwnd, int bar) {
    BarState* state = Find(hwnd, bar);
    RECT rect;
    bool vertical;
    if (!state || !Locate(hwnd, bar, rect, vertical) || !IsWindowVisible(hwnd)) return;
    HDC hdc = bar == SB_CTL ? GetDC(hwnd) : GetWindowDC(hwnd);
    if (!hdc) return;
    Draw(hwnd, bar, hdc, MakeLayout(rect, vertical, *state, BarEnabled(hwnd, bar, *state)), *state);
    ReleaseDC(hwnd, hdc);
}

}  // namespace win32::user::scrollbar

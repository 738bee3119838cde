// TSkControl: the paint pipeline over the three buffers, the erase rule, hot and focus tracking, the cached size
// and the embedded scroll bars' places.
#include <skin/SkControl.h>

#include "PaintTarget.h"

#include <skin/CanvasUtils.h>
#include <skin/SkScrollBar.h>
#include <toolkit/PropertyRegistry.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto published = Publish<TSkControl>().Enumeration(
    "Performance", PerformanceNames, &TSkControl::Performance, &TSkControl::SetPerformance, vnpNoBuffer);

}  // namespace

TSkControl::TSkControl(TComponent* owner) : TCustomControl(owner), FPaintFont(std::make_unique<TFont>()) {
    SetControlStyle(ControlStyle() + TControlStyle{csOpaque});
    SetColor(clBtnFace);
    SetDoubleBuffered(false);
    SetBounds(0, 0, 100, 30);
}

TSkControl::~TSkControl() = default;

void TSkControl::SetPerformance(TSkPerformance value) {
    if (value == FPerformance) return;
    FPerformance = value;
    Invalidate();
}

void TSkControl::SetScrollBars(TSkScrollBars value) {
    if (value == FScrollBars) return;
    FScrollBars = value;
    if (HandleAllocated() && Parent()) BuildScrollBars();
    Invalidate();
}

void TSkControl::InvalidateRect(const RECT& rect) {
    if (HandleAllocated()) ::InvalidateRect(Handle(), &rect, FALSE);
}

void TSkControl::SetBounds(int left, int top, int width, int height) {
    inherited::SetBounds(left, top, width, height);
    FCachedWidth = Width();
    FCachedHeight = Height();
    LayoutScrollBars();
}

RECT TSkControl::ClientRect() {
    RECT rect = GetInnerRect();
    if (FVertBar) rect.right -= FVertBar->Width();
    if (FHorzBar) rect.bottom -= FHorzBar->Height();
    return rect;
}

void TSkControl::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    // The embedded bars stand in for the system's.
    params.Style &= ~static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL);
}

void TSkControl::CreateWnd() {
    inherited::CreateWnd();
    if (Parent()) BuildScrollBars();
}

void TSkControl::Loaded() {
    inherited::Loaded();
    LayoutScrollBars();
}

TSkScrollBar* TSkControl::CreateScrollBar() { return new TSkScrollBar(this); }

int TSkControl::GetScrollBarSize() { return GetSystemMetrics(SM_CYVTHUMB); }

void TSkControl::BuildScrollBars() {
    delete FHorzBar;
    FHorzBar = nullptr;
    delete FVertBar;
    FVertBar = nullptr;
    const int size = GetScrollBarSize();
    auto build = [this, size](bool horizontal) {
        TSkScrollBar* bar = CreateScrollBar();
        bar->SetBorderWidth(0);
        bar->SetParent(this);
        bar->SetOrientation(horizontal ? vnoHorizontal : vnoVertical);
        if (horizontal)
            bar->SetHeight(size);
        else
            bar->SetWidth(size);
        bar->SetVisible(true);
        bar->OnScroll = [this, horizontal](TObject*, TSkScrollCode code, int& position) {
            BarScroll(horizontal, code, position);
        };
        return bar;
    };
    if (FScrollBars == vsbHorizontal || FScrollBars == vsbBoth) FHorzBar = build(true);
    if (FScrollBars == vsbVertical || FScrollBars == vsbBoth) FVertBar = build(false);
    LayoutScrollBars();
}

void TSkControl::BarScroll(bool horizontal, int code, int& position) {
    if (FUpdatingBars) return;
    const WPARAM scrollCode = code >= SB_LINEUP && code <= SB_ENDSCROLL ? static_cast<WPARAM>(code) : 0;
    Perform(horizontal ? WM_HSCROLL : WM_VSCROLL, scrollCode, position);
    position = (horizontal ? FHorzBar : FVertBar)->Position();
}

void TSkControl::LayoutScrollBars() {
    if (FCachedWidth < 0 || FCachedHeight < 0 || (!FHorzBar && !FVertBar)) return;
    RECT base{0, 0, FCachedWidth, FCachedHeight};
    if (Parent()) {
        // The window's client area, narrowed by the frame.
        const RECT inner = GetInnerRect();
        base.left += inner.left;
        base.top += inner.top;
        base.right += inner.right - FCachedWidth;
        base.bottom += inner.bottom - FCachedHeight;
    }
    const int vertWidth = FVertBar ? FVertBar->Width() : 0;
    const int horzHeight = FHorzBar ? FHorzBar->Height() : 0;
    if (FHorzBar)
        FHorzBar->SetBounds(base.left, base.bottom - horzHeight, base.right - vertWidth - base.left, horzHeight);
    if (FVertBar) FVertBar->SetBounds(base.right - vertWidth, base.top, vertWidth, base.bottom - horzHeight - base.top);
}

void TSkControl::Paint() {
    if (Width() <= 0 || Height() <= 0 || FCachedWidth <= 0 || FCachedHeight <= 0) return;
    TCanvas& canvas = *Canvas();
    TskPaintTarget target(canvas, FPerformance, FCachedWidth, FCachedHeight, true);
    FPaintFont->Assign(*Font());
    RECT inner = GetInnerRect();
    const bool bothBars = FScrollBars == vsbBoth;
    const RECT client = ClientRect();
    if (bothBars) {
        inner.right = std::min(inner.right, client.right);
        inner.bottom = std::min(inner.bottom, client.bottom);
    }
    HDC dc = canvas.Handle();
    int saved = SaveDC(dc);
    ExcludeClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    PaintBorder();
    RestoreDC(dc, saved);
    canvas.Refresh();
    // The client's clipping is undone afterwards too: the shared buffer outlives this paint.
    saved = SaveDC(dc);
    if (bothBars) IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    PaintClient();
    RestoreDC(dc, saved);
    canvas.Refresh();
    // The window-less children without the client's clip: the embedded bars lie outside the client rectangle.
    PaintControls(dc, nullptr);
    canvas.Refresh();
    target.CopyOut();
}

void TSkControl::PaintClient() { FillRectColor(*Canvas(), GetInnerRect(), Color()); }

void TSkControl::PaintInto(HDC dc) {
    TCanvas& canvas = *Canvas();
    HDC previous = canvas.HandleAllocated() ? canvas.Handle() : nullptr;
    canvas.SetHandle(dc);
    try {
        FPaintFont->Assign(*Font());
        PaintBorder();
        int saved = SaveDC(dc);
        if (FScrollBars == vsbBoth) {
            const RECT client = ClientRect();
            IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        }
        PaintClient();
        RestoreDC(dc, saved);
    } catch (...) {
        canvas.SetHandle(previous);
        throw;
    }
    canvas.SetHandle(previous);
}

void TSkControl::DoMouseEnter() {
    FMouseInControl = true;
    inherited::MouseEnter();
}

void TSkControl::DoMouseLeave() {
    FMouseInControl = false;
    inherited::MouseLeave();
}

void TSkControl::DoFocusEnter() {
    FHasFocus = true;
    Invalidate();
}

void TSkControl::DoFocusExit() {
    FHasFocus = false;
    Invalidate();
}

void TSkControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_PAINT: {
        // The window-less children are painted by Paint, into the buffer with the rest.
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        PAINTSTRUCT ps{};
        if (!dc) dc = BeginPaint(Handle(), &ps);
        try {
            PaintWindow(dc);
        } catch (...) {
            if (!message.WParam) EndPaint(Handle(), &ps);
            throw;
        }
        if (!message.WParam) EndPaint(Handle(), &ps);
        message.Result = 0;
        return;
    }
    case WM_ERASEBKGND: {
        // Only a request with lParam set paints (a transparent child asking for this control's face); the
        // system's erase paints nothing, so nothing is drawn twice.
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        if (dc && message.LParam) PaintInto(dc);
        message.Result = 1;
        return;
    }
    case WM_THEMECHANGED:
        Invalidate();
        inherited::Dispatch(message);
        return;
    case WM_WINDOWPOSCHANGING: {
        inherited::Dispatch(message);
        // After the toolkit applied the constraints, so the cache holds the size the window will have.
        auto* pos = reinterpret_cast<WINDOWPOS*>(message.LParam);
        if (pos && !(pos->flags & SWP_NOSIZE)) {
            FCachedWidth = pos->cx;
            FCachedHeight = pos->cy;
            LayoutScrollBars();
        }
        return;
    }
    case CM_ENTER:
        DoFocusEnter();
        inherited::Dispatch(message);
        return;
    case CM_EXIT:
        DoFocusExit();
        inherited::Dispatch(message);
        return;
    case CM_VISIBLECHANGED:
        inherited::Dispatch(message);
        if (!Visible()) FHasFocus = false;
        return;
    default: inherited::Dispatch(message);
    }
}

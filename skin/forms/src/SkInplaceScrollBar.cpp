// TSkInplaceScrollBar: following the target's native bar (place, visibility, range, page, position, enabled) and
// turning the hosted bar's scroll events into the target's scroll messages.
#include <skin/SkInplaceScrollBar.h>

#include <skin/WinApi.h>

TSkInplaceScrollBar::TSkInplaceScrollBar(TComponent* owner, TWinControl* target, bool vertical,
                                         const TSkScrollBarFactory& factory)
    : TWinControl(owner), FTarget(target), FVertical(vertical) {
    SetAnchors(TAnchors{});
    SetVisible(false);
    FScrollBar = factory ? factory(this) : new TSkScrollBar(this);
    FScrollBar->SetBorderWidth(0);
    FScrollBar->SetPerformance(vnpDoubleBuffer);
    FScrollBar->SetOrientation(vertical ? vnoVertical : vnoHorizontal);
    FScrollBar->SetAlign(alClient);
    FScrollBar->SetParent(this);
    FScrollBar->OnScroll = [this](TObject*, TSkScrollCode code, int& position) { BarScroll(code, position); };
}

TSkInplaceScrollBar::~TSkInplaceScrollBar() { FFinished = true; }

void TSkInplaceScrollBar::Finish() {
    FFinished = true;
    FTarget = nullptr;
}

void TSkInplaceScrollBar::SetBounds(int left, int top, int width, int height) {
    if (FPlacing) inherited::SetBounds(left, top, width, height);
}

void TSkInplaceScrollBar::Dispatch(TMessage& message) {
    if (message.Msg == WM_ERASEBKGND) {
        // The hosted bar covers the whole window.
        message.Result = 1;
        return;
    }
    inherited::Dispatch(message);
}

void TSkInplaceScrollBar::Synchronise() {
    if (FFinished || !FTarget || !FTarget->HandleAllocated() || !Parent() ||
        FTarget->ComponentState().Contains(csDestroying) || ComponentState().Contains(csDestroying))
        return;
    HWND target = FTarget->Handle();
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    GetScrollBarInfoSafe(target, FVertical ? OBJID_VSCROLL : OBJID_HSCROLL, info);
    if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) {
        SetVisible(false);
        return;
    }
    const POINT topLeft = Parent()->ScreenToClient(POINT{info.rcScrollBar.left, info.rcScrollBar.top});
    FPlacing = true;
    try {
        inherited::SetBounds(topLeft.x, topLeft.y, info.rcScrollBar.right - info.rcScrollBar.left,
                             info.rcScrollBar.bottom - info.rcScrollBar.top);
    } catch (...) {
        FPlacing = false;
        throw;
    }
    FPlacing = false;
    if (!Visible()) {
        SetVisible(true);
        BringToFront();
    }
    SCROLLINFO scroll{};
    scroll.cbSize = sizeof(scroll);
    scroll.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!GetScrollInfo(target, FVertical ? SB_VERT : SB_HORZ, &scroll)) return;
    FScrollBar->SetEnabled(FTarget->Enabled());
    // Max first when the range moves up, so that Min is never refused for lying above the old Max.
    if (scroll.nMin > FScrollBar->Max()) FScrollBar->SetMax(scroll.nMax);
    FScrollBar->SetMin(scroll.nMin);
    FScrollBar->SetMax(scroll.nMax);
    FScrollBar->SetPageSize(static_cast<int>(scroll.nPage));
    if (!FScrolling) FScrollBar->SetPosition(scroll.nPos);
    FScrollBar->Invalidate();
}

void TSkInplaceScrollBar::TargetMessage(const TMessage& message) {
    if (FFinished) return;
    switch (message.Msg) {
    case WM_DESTROY:
        // The target going for good finishes the overlay. A window made again (another parent, another border)
        // takes its bars along: the overlay hides until the new window shows them.
        if (!FTarget || FTarget->ComponentState().Contains(csDestroying))
            FFinished = true;
        else
            SetVisible(false);
        return;
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORSCROLLBAR: Synchronise(); return;
    case WM_WINDOWPOSCHANGED: {
        // Moved, sized, shown, hidden, or a bar shown or hidden (the frame changes): the message comes once the
        // change is made, so the native bar reads as it now is.
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
        const UINT changes = SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED;
        if (pos && ((pos->flags & changes) || (pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)))
            Synchronise();
        return;
    }
    default: return;
    }
}

void TSkInplaceScrollBar::BarScroll(TSkScrollCode code, int& position) {
    if (FFinished || !FTarget || !FTarget->HandleAllocated()) return;
    const UINT message = FVertical ? WM_VSCROLL : WM_HSCROLL;
    HWND target = FTarget->Handle();
    if (code < vncPageUp) {
        SendMessageW(target, message, static_cast<WPARAM>(code), 0);
        return;
    }
    FScrolling = true;
    try {
        SendMessageW(target, message, MAKEWPARAM(code, position), 0);
    } catch (...) {
        FScrolling = false;
        throw;
    }
    FScrolling = false;
}

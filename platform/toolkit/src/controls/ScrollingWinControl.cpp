// TScrollingWinControl and TControlScrollBar: ranges from the children, the window's scroll bars kept in step,
// the scroll messages, and moving the children when the position changes.
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Screen.h>
#include <toolkit/ScrollingWinControl.h>

#include <algorithm>
#include <climits>

namespace {

[[maybe_unused]] const auto publishedScrollBar =
    Publish<TControlScrollBar>()
        .Integer("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
        .Integer("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
        .Integer("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement, 8)
        .Boolean("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible, true)
        .Boolean("Tracking", &TControlScrollBar::Tracking, &TControlScrollBar::SetTracking);

[[maybe_unused]] const auto publishedScrolling =
    Publish<TScrollingWinControl>()
        .Boolean("AutoScroll", &TScrollingWinControl::AutoScroll, &TScrollingWinControl::SetAutoScroll, true)
        .Object("HorzScrollBar", &TScrollingWinControl::HorzScrollBar)
        .Object("VertScrollBar", &TScrollingWinControl::VertScrollBar);

// Where control's bounds lie in ancestor's client coordinates.
RECT BoundsIn(TControl* control, TWinControl* ancestor) {
    RECT rect = control->BoundsRect();
    for (TWinControl* parent = control->Parent(); parent && parent != ancestor; parent = parent->Parent()) {
        // A windowed parent's client area starts inside its border.
        if (parent->HandleAllocated()) {
            POINT origin = parent->ClientOrigin();
            RECT window{};
            GetWindowRect(parent->Handle(), &window);
            OffsetRect(&rect, origin.x - window.left, origin.y - window.top);
        }
        OffsetRect(&rect, parent->Left(), parent->Top());
    }
    return rect;
}

}  // namespace

TControlScrollBar::TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind)
    : FControl(control), FKind(kind) {}

void TControlScrollBar::SetRange(int value) {
    FControl->FAutoScroll = false;
    DoSetRange(value);
}

void TControlScrollBar::DoSetRange(int value) {
    value = std::max(value, 0);
    if (value == FRange) return;
    FRange = value;
    FControl->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int value) {
    value = std::min(std::max(value, 0), MaxPosition());
    if (value == FPosition) return;
    int delta = FPosition - value;
    FPosition = value;
    if (FKind == sbHorizontal)
        FControl->ScrollBy(delta, 0);
    else
        FControl->ScrollBy(0, delta);
    if (FControl->HandleAllocated() && IsScrollBarVisible())
        SetScrollPos(FControl->Handle(), FKind == sbHorizontal ? SB_HORZ : SB_VERT, FPosition, TRUE);
}

void TControlScrollBar::SetIncrement(int value) { FIncrement = std::min(std::max(value, 1), 32767); }

void TControlScrollBar::SetVisible(bool value) {
    if (value == FVisible) return;
    FVisible = value;
    FControl->UpdateScrollBars();
}

bool TControlScrollBar::IsScrollBarVisible() const {
    if (!FControl->HandleAllocated()) return false;
    auto style = static_cast<DWORD>(GetWindowLongPtrA(FControl->Handle(), GWL_STYLE));
    return (style & (FKind == sbHorizontal ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

void TControlScrollBar::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TControlScrollBar*>(source);
    if (!other) {
        inherited::Assign(source);
        return;
    }
    FIncrement = other->FIncrement;
    FTracking = other->FTracking;
    FVisible = other->FVisible;
    SetRange(other->FRange);
    SetPosition(other->FPosition);
}

int TControlScrollBar::ControlSize() const {
    RECT client = FControl->ClientRect();
    return FKind == sbHorizontal ? client.right : client.bottom;
}

void TControlScrollBar::ScrollMessage(WORD code, int thumbPos) {
    switch (code) {
    case SB_LINEUP: SetPosition(FPosition - FIncrement); break;
    case SB_LINEDOWN: SetPosition(FPosition + FIncrement); break;
    case SB_PAGEUP: SetPosition(FPosition - ControlSize()); break;
    case SB_PAGEDOWN: SetPosition(FPosition + ControlSize()); break;
    case SB_THUMBPOSITION: SetPosition(thumbPos); break;
    case SB_THUMBTRACK:
        if (FTracking) SetPosition(thumbPos);
        break;
    case SB_TOP: SetPosition(0); break;
    case SB_BOTTOM: SetPosition(FRange); break;
    default: break;  // SB_ENDSCROLL and anything unknown change nothing
    }
}

void TControlScrollBar::Update() {
    HWND handle = FControl->Handle();
    int bar = FKind == sbHorizontal ? SB_HORZ : SB_VERT;
    int size = ControlSize();
    // The client area may have grown: keep the position inside the new limit.
    SetPosition(FPosition);
    if (FVisible && FRange > size) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        info.nMin = 0;
        info.nMax = FRange - 1;
        info.nPage = static_cast<UINT>(size);
        info.nPos = FPosition;
        ShowScrollBar(handle, bar, TRUE);
        SetScrollInfo(handle, bar, &info, TRUE);
    } else if (IsScrollBarVisible()) {
        ShowScrollBar(handle, bar, FALSE);
    }
}

TScrollingWinControl::TScrollingWinControl(TComponent* owner)
    : TWinControl(owner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool value) {
    if (value == FAutoScroll) return;
    FAutoScroll = value;
    if (value) {
        UpdateScrollBars();
    } else {
        FHorzScrollBar->DoSetRange(0);
        FVertScrollBar->DoSetRange(0);
    }
}

void TScrollingWinControl::ScrollBy(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    // Alignment waits until every child has moved, so the ranges are measured once, from the final places.
    DisableAlign();
    FUpdatingScrollBars++;
    try {
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            child->SetBounds(child->Left() + dx, child->Top() + dy, child->Width(), child->Height());
        }
    } catch (...) {
        FUpdatingScrollBars--;
        EnableAlign();
        throw;
    }
    FUpdatingScrollBars--;
    EnableAlign();
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

bool TScrollingWinControl::DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) {
    if (inherited::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    TControlScrollBar* bar = FVertScrollBar->IsScrollBarVisible()   ? FVertScrollBar.get()
                             : FHorzScrollBar->IsScrollBarVisible() ? FHorzScrollBar.get()
                                                                    : nullptr;
    if (!bar) return false;
    RECT client = ClientRect();
    int page = bar->Kind() == sbVertical ? client.bottom - client.top : client.right - client.left;
    int lines = Mouse->WheelScrollLines();
    // WHEEL_PAGESCROLL (and any absurd setting) turns a page per notch.
    int step = lines > 0 && lines * bar->Increment() < page ? lines * bar->Increment() : page;
    // A fine-grained wheel sends fractions of a notch: they scroll their share rather than nothing.
    bar->SetPosition(bar->Position() - static_cast<int>(static_cast<long long>(wheelDelta) * step / WHEEL_DELTA));
    return true;
}

void TScrollingWinControl::ScrollInView(TControl* control) {
    if (!control || control == this || !ContainsControl(control)) return;
    RECT rect = BoundsIn(control, this);
    RECT client = ClientRect();
    auto bring = [](TControlScrollBar* bar, int start, int end, int size) {
        if (start < 0)
            bar->SetPosition(bar->Position() + start);
        else if (end > size)
            bar->SetPosition(bar->Position() + (end - start > size ? start : end - size));
    };
    bring(FHorzScrollBar.get(), rect.left, rect.right, client.right);
    bring(FVertScrollBar.get(), rect.top, rect.bottom, client.bottom);
}

void TScrollingWinControl::CalcAutoRange() {
    int right = 0, bottom = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* child = Controls(i);
        if (!child->Visible()) continue;
        TAlign align = child->Align();
        // Controls stretched along an edge fill whatever extent there is, so only their depth counts.
        if (align == alNone || align == alLeft) right = std::max(right, child->Left() + child->Width());
        if (align == alNone || align == alTop) bottom = std::max(bottom, child->Top() + child->Height());
    }
    FHorzScrollBar->FRange = std::max(right + FHorzScrollBar->FPosition, 0);
    FVertScrollBar->FRange = std::max(bottom + FVertScrollBar->FPosition, 0);
}

void TScrollingWinControl::UpdateScrollBars() {
    if (FUpdatingScrollBars != 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying))
        return;
    FUpdatingScrollBars++;
    try {
        if (FAutoScroll) CalcAutoRange();
        if (HandleAllocated()) {
            // Showing one bar narrows the client area and may make the other one needed: repeat until stable.
            for (int pass = 0; pass < 3; ++pass) {
                bool horz = FHorzScrollBar->IsScrollBarVisible(), vert = FVertScrollBar->IsScrollBarVisible();
                FHorzScrollBar->Update();
                FVertScrollBar->Update();
                if (horz == FHorzScrollBar->IsScrollBarVisible() && vert == FVertScrollBar->IsScrollBarVisible()) break;
            }
        } else {
            FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition);
            FVertScrollBar->SetPosition(FVertScrollBar->FPosition);
        }
    } catch (...) {
        FUpdatingScrollBars--;
        throw;
    }
    FUpdatingScrollBars--;
}

void TScrollingWinControl::WndProc(TMessage& message) {
    if ((message.Msg == WM_HSCROLL || message.Msg == WM_VSCROLL) && message.LParam == 0) {
        TControlScrollBar* bar = message.Msg == WM_HSCROLL ? FHorzScrollBar.get() : FVertScrollBar.get();
        bar->ScrollMessage(LOWORD(message.WParam), static_cast<int>(HIWORD(message.WParam)));
        message.Result = 0;
        return;
    }
    inherited::WndProc(message);
}

void TScrollingWinControl::CreateWnd() {
    inherited::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::AdjustClientRect(RECT& rect) {
    inherited::AdjustClientRect(rect);
    int width = std::max(rect.right - rect.left, FHorzScrollBar->FRange);
    int height = std::max(rect.bottom - rect.top, FVertScrollBar->FRange);
    rect.left -= FHorzScrollBar->FPosition;
    rect.top -= FVertScrollBar->FPosition;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
}

void TScrollingWinControl::AlignControls(TControl* control, RECT& rect) {
    inherited::AlignControls(control, rect);
    UpdateScrollBars();
}

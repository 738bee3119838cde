// TSkTabSheet: joining its tab control, its place and tab among the pages, OnShow / OnHide, and its painting: the
// tab control's page area behind the window-less children, and the same area for transparent children.
#include <skin/SkTabSheet.h>

#include <skin/ParentPainters.h>
#include <skin/SkTabControl.h>
#include <toolkit/Application.h>
#include <toolkit/PropertyRegistry.h>

namespace {

// Left, Top, Width, Height and Visible follow the tab control: a description stores none of them for a sheet.
[[maybe_unused]] const auto published =
    Publish<TSkTabSheet>()
        .Integer("ImageIndex", &TSkTabSheet::ImageIndex, &TSkTabSheet::SetImageIndex, -1)
        .Integer("PageIndex", &TSkTabSheet::PageIndex, &TSkTabSheet::SetPageIndex, 0)
        .Boolean("PageVisible", &TSkTabSheet::PageVisible, &TSkTabSheet::SetPageVisible, true)
        .Event("OnShow", &TSkTabSheet::OnShow)
        .Event("OnHide", &TSkTabSheet::OnHide);

}  // namespace

TSkTabSheet::TSkTabSheet(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetVisible(false);
    SetAlign(alClient);
}

TSkTabSheet::~TSkTabSheet() {
    FDestroying = true;
    Destroying();
    if (FTabControl && !FTabControl->ComponentState().Contains(csDestroying)) FTabControl->RemovePage(this);
}

void TSkTabSheet::SetTabControl(TSkTabControl* value) {
    if (value == FTabControl) return;
    if (FTabControl) FTabControl->RemovePage(this);
    if (value) value->InsertPage(value->PageCount(), this);
}

void TSkTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FTabControl && parent != FTabControl) FTabControl->RemovePage(this);
    inherited::SetParent(parent);
    if (auto* tabControl = dynamic_cast<TSkTabControl*>(parent)) SetTabControl(tabControl);
}

int TSkTabSheet::PageIndex() const {
    if (!FTabControl) return -1;
    return FTabControl->FPages->IndexOf(const_cast<TSkTabSheet*>(this));
}

void TSkTabSheet::SetPageIndex(int value) {
    // A description's pages keep the order they were read in.
    if (ComponentState().Contains(csLoading) || !FTabControl) return;
    const int current = PageIndex();
    if (value == current || value < 0 || value >= FTabControl->PageCount()) return;
    FTabControl->FPages->Exchange(current, value);
    FTabControl->UpdateTabs();
}

void TSkTabSheet::SetPageVisible(bool value) {
    if (value == FPageVisible) return;
    FPageVisible = value;
    if (!ComponentState().Contains(csLoading) && FTabControl) FTabControl->UpdateTabs();
}

void TSkTabSheet::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    if (FTabControl) FTabControl->Invalidate();
}

void TSkTabSheet::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    // A wider sheet repaints only what it gained: the page area behind it does not move.
    params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TSkTabSheet::PaintPageBackground(HDC dc) {
    if (!Parent() || !FTabControl) return;
    const int saved = SaveDC(dc);
    POINT origin{0, 0};
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x + Left(), origin.y + Top(), nullptr);
    TCanvas& canvas = *FTabControl->Canvas();
    HDC previous = canvas.HandleAllocated() ? canvas.Handle() : nullptr;
    canvas.SetHandle(dc);
    try {
        FTabControl->DrawPageArea();
    } catch (...) {
        canvas.SetHandle(previous);
        SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
        RestoreDC(dc, saved);
        throw;
    }
    canvas.SetHandle(previous);
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
    RestoreDC(dc, saved);
}

void TSkTabSheet::Paint() {
    // Only the page shown has the page area behind it; the toolkit adds the window-less children.
    if (FTabControl && FTabControl->ActivePage() == this) PaintPageBackground(Canvas()->Handle());
}

void TSkTabSheet::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND: message.Result = 1; return;
    case CM_TEXTCHANGED:
        inherited::Dispatch(message);
        if (FTabControl) {
            const int visible = FTabControl->VisibleIndexOfPage(PageIndex());
            if (visible >= 0 && visible < FTabControl->Tabs()->Count())
                FTabControl->Tabs()->SetStrings(visible, Caption());
        }
        return;
    case CM_SHOWINGCHANGED:
        inherited::Dispatch(message);
        try {
            if (Showing()) {
                if (OnShow) OnShow(this);
            } else if (OnHide) {
                OnHide(this);
            }
        } catch (...) {
            Application->HandleException(this);
        }
        return;
    default: inherited::Dispatch(message);
    }
}

void PaintTabSheetBackground(TCanvas& canvas, const TskParentPaintInfo& info) {
    if (auto* sheet = dynamic_cast<TSkTabSheet*>(info.Parent)) sheet->PaintPageBackground(canvas.Handle());
}

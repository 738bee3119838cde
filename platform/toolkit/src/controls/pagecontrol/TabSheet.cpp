// TTabSheet: joining and leaving a page control through its parent, its place among the pages, its tab's
// visibility and the OnShow / OnHide that follow the page as it comes and goes.
#include <toolkit/PageControl.h>
#include <toolkit/PropertyRegistry.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto publishedTabSheet =
    Publish<TTabSheet>()
        .Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex, 0)
        .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true)
        .Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, -1)
        .Color("Color", &TTabSheet::Color, &TTabSheet::SetColor, clBtnFace)
        .Event<TNotifyEvent>("OnShow", &TTabSheet::OnShow)
        .Event<TNotifyEvent>("OnHide", &TTabSheet::OnHide);

}  // namespace

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csNoDesignVisible});
    SetColor(clBtnFace);
    // A sheet shows only while it is its page control's active page, and then fills the display area.
    SetVisible(false);
    SetAlign(alClient);
}

TTabSheet::~TTabSheet() {
    // Leave the pages while still a whole sheet; the page control then picks another active page.
    Destroying();
    if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* value) { SetParent(value); }

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (FPageControl) FPageControl->RemovePage(this);
    inherited::SetParent(parent);
    if (auto* pageControl = dynamic_cast<TPageControl*>(parent)) pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
    if (!FPageControl) return -1;
    const auto& pages = FPageControl->FPages;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (FPageControl) FPageControl->MovePage(this, value);
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == FTabVisible) return;
    FTabVisible = value;
    if (FPageControl) FPageControl->PageTabChanged();
}

int TTabSheet::TabIndex() const {
    if (!FPageControl || !FTabVisible) return -1;
    int index = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) return index;
        if (page->FTabVisible) ++index;
    }
    return -1;
}

void TTabSheet::SetImageIndex(int value) {
    if (value == FImageIndex) return;
    FImageIndex = value;
    if (FPageControl) FPageControl->PageTabChanged();
}

TWinControl* TTabSheet::FirstControl() {
    TWinControl* first = FindNextControl(nullptr, true, true, false);
    return first ? first : FindNextControl(nullptr, true, false, false);
}

void TTabSheet::WndProc(TMessage& message) {
    inherited::WndProc(message);
    switch (message.Msg) {
    case CM_TEXTCHANGED:
        if (FPageControl) FPageControl->PageTabChanged();
        break;
    case CM_SHOWINGCHANGED:
        if (Showing()) {
            if (OnShow) OnShow(this);
        } else if (OnHide) {
            OnHide(this);
        }
        break;
    default: break;
    }
}

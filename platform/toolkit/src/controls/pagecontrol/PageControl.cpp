// TPageControl: the pages behind the tabs, the active page shown and the others hidden, the focus carried from a
// page that hides into the one that shows, and Ctrl+Tab / Ctrl+Shift+Tab as the dialog keys that switch pages.
#include <toolkit/PageControl.h>

#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>

#include <algorithm>

namespace {

[[maybe_unused]] const auto publishedPageControl =
    Publish<TPageControl>()
        .Component("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage)
        .Enumeration("TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}, &TPageControl::TabPosition,
                     &TPageControl::SetTabPosition, tpTop)
        .Integer("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight, 0)
        .Integer("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth, 0)
        .Boolean("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine, false)
        .Boolean("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack, false)
        .Enumeration("Style", {"tsTabs", "tsButtons", "tsFlatButtons"}, &TPageControl::Style, &TPageControl::SetStyle,
                     tsTabs)
        .Component("Images", &TPageControl::Images, &TPageControl::SetImages)
        .Boolean("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop, true)
        .Event<TNotifyEvent>("OnChange", &TPageControl::OnChange)
        .Event<TTabChangingEvent>("OnChanging", &TPageControl::OnChanging);

}  // namespace

TPageControl::TPageControl(TComponent* owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
    // The sheets are destroyed as children once this part is gone: they must not call back.
    Destroying();
    for (TTabSheet* page : FPages) page->FPageControl = nullptr;
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) return nullptr;
    return FPages[static_cast<size_t>(index)];
}

int TPageControl::TabCount() const {
    return static_cast<int>(std::count_if(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->TabVisible(); }));
}

TTabSheet* TPageControl::ShownTab(int tabIndex) const {
    if (tabIndex < 0) return nullptr;
    for (TTabSheet* page : FPages)
        if (page->TabVisible() && tabIndex-- == 0) return page;
    return nullptr;
}

std::string TPageControl::TabCaption(int index) const {
    TTabSheet* page = ShownTab(index);
    return page ? page->Caption() : std::string();
}

int TPageControl::TabImageIndex(int index) const {
    TTabSheet* page = ShownTab(index);
    return page ? page->ImageIndex() : -1;
}

int TPageControl::TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }

void TPageControl::SetTabIndex(int value) {
    if (TTabSheet* page = ShownTab(value)) SetActivePage(page);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    ChangeActivePage(page);
}

void TPageControl::ChangeActivePage(TTabSheet* page) {
    if (page == FActivePage) return;
    TTabSheet* old = FActivePage;
    TCustomForm* form = GetParentForm(this);
    // A sheet being destroyed takes its focus with it; only a sheet that merely hides hands the focus on.
    bool oldLeaving = old && old->ComponentState().Contains(csDestroying);
    if (form && old && !oldLeaving && form->ActiveControl() && old->ContainsControl(form->ActiveControl())) {
        // Park the focus on the old sheet first: an OnExit that sends the focus elsewhere keeps the page.
        form->SetActiveControl(old);
        if (form->ActiveControl() != old) {
            Invalidate();
            return;
        }
    }
    FActivePage = page;
    if (page) {
        page->BringToFront();
        page->SetVisible(true);
        if (form && old && !oldLeaving && form->ActiveControl() == old)
            form->SetActiveControl(page->CanFocus() ? static_cast<TWinControl*>(page) : this);
    }
    if (old && !oldLeaving) old->SetVisible(false);
    if (form && page && form->ActiveControl() == page)
        if (TWinControl* first = page->FirstControl()) form->SetActiveControl(first);
    MakeTabVisible(TabIndex());
    Invalidate();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward, bool checkTabVisible) {
    auto count = static_cast<int>(FPages.size());
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), current);
    int start = it == FPages.end() ? (goForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
    int index = start;
    do {
        index = goForward ? (index + 1) % count : (index + count - 1) % count;
        TTabSheet* page = FPages[static_cast<size_t>(index)];
        if (!checkTabVisible || page->TabVisible()) return page;
    } while (index != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool goForward, bool checkTabVisible) {
    TTabSheet* page = FindNextPage(FActivePage, goForward, checkTabVisible);
    if (!page || page == FActivePage || !CanChange()) return;
    ChangeActivePage(page);
    if (FActivePage == page) Change();
}

void TPageControl::InsertPage(TTabSheet* page) {
    FPages.push_back(page);
    page->FPageControl = this;
    TabsChanged();
    // A page control that shows nothing takes its first page; a description names its active page instead.
    if (!FActivePage && page->TabVisible() && !ComponentState().Contains(csLoading)) ChangeActivePage(page);
}

void TPageControl::RemovePage(TTabSheet* page) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    TTabSheet* next = nullptr;
    if (page == FActivePage) {
        next = FindNextPage(page, true, true);
        if (next == page) next = nullptr;
    }
    FPages.erase(it);
    page->FPageControl = nullptr;
    if (page == FActivePage) ChangeActivePage(next);
    TabsChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(FPages.begin(), FPages.end(), page);
    if (it == FPages.end()) return;
    index = std::clamp(index, 0, PageCount() - 1);
    if (it - FPages.begin() == index) return;
    FPages.erase(it);
    FPages.insert(FPages.begin() + index, page);
    TabsChanged();
}

void TPageControl::PageTabChanged() {
    TabsChanged();
    MakeTabVisible(TabIndex());
}

void TPageControl::Loaded() {
    inherited::Loaded();
    if (!FActivePage)
        if (TTabSheet* first = ShownTab(0)) ChangeActivePage(first);
}

void TPageControl::KeyDown(WORD& key, TShiftState shift) {
    bool pageKey = (key == VK_NEXT || key == VK_PRIOR) && shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    inherited::KeyDown(key, shift);
    // OnKeyDown may have taken the key (set it to 0).
    if (pageKey && (key == VK_NEXT || key == VK_PRIOR)) {
        SelectNextPage(key == VK_NEXT);
        key = 0;
    }
}

void TPageControl::WndProc(TMessage& message) {
    if (message.Msg == CM_DIALOGKEY && message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 &&
        GetKeyState(VK_MENU) >= 0 && HandleAllocated() && (Focused() || IsChild(Handle(), GetFocus()))) {
        SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
        message.Result = 1;
        return;
    }
    inherited::WndProc(message);
}

// TSkTabControl and TSkPageControl: the tab list and the pages kept in step, the strip's geometry (rows, tab
// rectangles, scroll buttons), selection behind OnChanging, and the mouse and keyboard on the strip.
#include <skin/SkTabControl.h>

#include <skin/SkTabSheet.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeManager.h>
#include <toolkit/Form.h>
#include <toolkit/ImageList.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Timer.h>

#include <algorithm>
#include <vector>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkTabControl>()
        .Component("ActivePage", &TSkTabControl::ActivePage, &TSkTabControl::SetActivePage)
        .Strings("Tabs", &TSkTabControl::Tabs)
        .Integer("TabIndex", &TSkTabControl::TabIndex, &TSkTabControl::SetTabIndex, -1)
        .Enumeration("TabPosition", {"vttpTop", "vttpBottom", "vttpLeft", "vttpRight"}, &TSkTabControl::TabPosition,
                     &TSkTabControl::SetTabPosition, vttpTop)
        .Boolean("MultiLine", &TSkTabControl::MultiLine, &TSkTabControl::SetMultiLine, false)
        .Boolean("RaggedRight", &TSkTabControl::RaggedRight, &TSkTabControl::SetRaggedRight, false)
        .Boolean("ScrollOpposite", &TSkTabControl::ScrollOpposite, &TSkTabControl::SetScrollOpposite, false)
        .Boolean("HotTrack", &TSkTabControl::HotTrack, &TSkTabControl::SetHotTrack, false)
        .Boolean("OwnerDraw", &TSkTabControl::OwnerDraw, &TSkTabControl::SetOwnerDraw, false)
        .Integer("TabHeight", &TSkTabControl::TabHeight, &TSkTabControl::SetTabHeight, 0)
        .Integer("TabWidth", &TSkTabControl::TabWidth, &TSkTabControl::SetTabWidth, 0)
        .Component("Images", &TSkTabControl::Images, &TSkTabControl::SetImages)
        .Boolean("UsePages", &TSkTabControl::UsePages, &TSkTabControl::SetUsePages, false)
        .String("ThemeObject", &TSkTabControl::ThemeObject, &TSkTabControl::SetThemeObject, "default")
        .Component("ThemeLink", &TSkTabControl::ThemeLink, &TSkTabControl::SetThemeLink)
        .Event("OnChange", &TSkTabControl::OnChange)
        .Event("OnChanging", &TSkTabControl::OnChanging)
        .Event("OnDrawTab", &TSkTabControl::OnDrawTab);

// Adds nothing but makes the class known to descriptions.
[[maybe_unused]] const auto publishedPageControl = Publish<TSkPageControl>();

// What the tabs' length along the strip loses to the margins at its two ends.
constexpr int StripInset = 4;

bool Intersect(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != FALSE;
}

}  // namespace

void TSkTabStringList::Clear() {
    inherited::Clear();
    FControl->UpdateTabs();
}

void TSkTabStringList::Delete(int index) {
    inherited::Delete(index);
    FControl->UpdateTabs();
}

void TSkTabStringList::InsertItem(int index, const std::string& s, TObject* object) {
    inherited::InsertItem(index, s, object);
    FControl->UpdateTabs();
}

void TSkTabStringList::Put(int index, const std::string& s) {
    inherited::Put(index, s);
    FControl->UpdateTabs();
}

void TSkTabStringList::SetUpdateState(bool updating) {
    inherited::SetUpdateState(updating);
    FControl->FTabsInUpdate = updating;
    if (!updating) {
        FControl->Invalidate();
        FControl->UpdateTabs();
    }
}

void TSkPageList::Clear() {
    TList::Clear();
    FControl->UpdateTabs();
}

void TSkPageList::Notify(void*, TListNotification) { FControl->UpdateTabs(); }

TSkTabControl::TSkTabControl(TComponent* owner)
    : TSkControl(owner), FTabs(std::make_unique<TSkTabStringList>(this)), FPages(std::make_unique<TSkPageList>(this)) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks});
    SetParentColor(true);
    SetBounds(Left(), Top(), 289, 193);
    SetTabStop(true);
    AddThemeListener(this);
    Realign();
}

TSkTabControl::~TSkTabControl() {
    RemoveThemeListener(this);
    if (FThemeLink) FThemeLink->RemoveFreeNotification(this);
    Destroying();
    for (int i = 0; i < FPages->Count(); ++i) FPages->Page(i)->FTabControl = nullptr;
    FActivePage = nullptr;
    FScrollTimer.reset();
}

TSkPageControl::TSkPageControl(TComponent* owner) : TSkTabControl(owner) { SetUsePages(true); }

// ---- Pages ----------------------------------------------------------------------------------------------------

TSkTabSheet* TSkTabControl::ActivePage() const {
    if (!FUsePages || !FActivePage) return nullptr;
    return FPages->IndexOf(FActivePage) >= 0 ? FActivePage : nullptr;
}

int TSkTabControl::ActivePageIndex() const {
    TSkTabSheet* page = ActivePage();
    return page ? page->PageIndex() : -1;
}

int TSkTabControl::VisibleIndexOfPage(int pageIndex) const {
    if ((FUsePages && FPages->Count() == 0) || pageIndex > FPages->Count() || pageIndex < 0) return -1;
    int visible = 0;
    for (int i = 0; i <= pageIndex && i < FPages->Count(); ++i)
        if (FPages->Page(i)->PageVisible()) ++visible;
    return visible - 1;
}

int TSkTabControl::PageOfVisibleIndex(int visibleIndex) const {
    if (FUsePages && FPages->Count() == 0) return -1;
    for (int i = 0; i < FPages->Count(); ++i)
        if (FPages->Page(i)->PageVisible() && visibleIndex-- == 0) return i;
    return -1;
}

void TSkTabControl::ActivatePageAt(int index) {
    if (index >= 0 && index < FPages->Count()) SetActivePage(FPages->Page(index));
}

void TSkTabControl::SetActivePage(TSkTabSheet* page) {
    // Showing no page at all is not offered; a sheet of another control cannot be shown here.
    if (!page || page->FTabControl != this) return;
    if (page == FActivePage) {
        page->SetVisible(true);
        page->BringToFront();
        return;
    }
    if (FActivePage) FActivePage->SetVisible(false);
    FActivePage = page;
    page->SetVisible(true);
    page->BringToFront();
    if (page->PageVisible()) {
        FTabIndex = VisibleIndexOfPage(page->PageIndex());
        RedrawStrip();
    } else {
        FTabIndex = page->PageIndex();
        if (FPages->Count() > 0) RedrawStrip();
    }
    Change();
}

void TSkTabControl::InsertPage(int index, TSkTabSheet* page) {
    FPages->Insert(index, page);
    page->FTabControl = this;
    page->SetParent(this);
    // A sheet being read gets its caption from the description after it joined.
    if (page->Caption().empty() && !page->ComponentState().Contains(csLoading))
        page->SetCaption("New Page " + std::to_string(FTabs->Count() - 1));
    Invalidate();
}

bool TSkTabControl::Closing() const {
    // An owner being destroyed frees its components one by one without marking them first.
    for (const TComponent* c = this; c; c = c->Owner())
        if (c->ComponentState().Contains(csDestroying)) return true;
    for (const TControl* c = Parent(); c; c = c->Parent())
        if (c->ComponentState().Contains(csDestroying)) return true;
    return false;
}

void TSkTabControl::RemovePage(TSkTabSheet* page) {
    const int pageIndex = FPages->IndexOf(page);
    if (pageIndex < 0) return;
    if (Closing()) {
        // Nothing is shown any more: the page only leaves the list.
        FPages->Delete(pageIndex);
        page->FTabControl = nullptr;
        if (page == FActivePage) FActivePage = nullptr;
        return;
    }
    const bool updating = FUpdatingTabs;
    FUpdatingTabs = true;
    try {
        // A page without a tab has no string to take away.
        const int visible = page->PageVisible() ? VisibleIndexOfPage(pageIndex) : -1;
        if (visible >= 0 && visible < FTabs->Count()) FTabs->Delete(visible);
        FPages->Delete(pageIndex);
    } catch (...) {
        FUpdatingTabs = updating;
        throw;
    }
    FUpdatingTabs = updating;
    page->FTabControl = nullptr;
    if (page == FActivePage) {
        FActivePage = nullptr;
        if (FTabs->Count() == 0) {
            FTabIndex = -1;
        } else {
            FTabIndex = 0;
            ActivatePageAt(0);
        }
    } else if (FActivePage && FActivePage->PageVisible()) {
        // A tab before the selected one went: the selection stays on the page shown.
        FTabIndex = VisibleIndexOfPage(FActivePage->PageIndex());
    }
    Invalidate();
}

void TSkTabControl::UpdateTabs() {
    if (FUpdatingTabs || Closing()) return;
    FUpdatingTabs = true;
    try {
        const int count = FTabs->Count();
        if (count == 0)
            FTabIndex = -1;
        else if (FTabIndex == -1)
            FTabIndex = 0;
        else if (FTabIndex > count - 1)
            FTabIndex = count - 1;
        if (FUsePages && !ComponentState().Contains(csLoading)) {
            // A string without a page of its caption (counting repeats) gets a new page.
            for (int k = 0; k < FTabs->Count(); ++k) {
                const std::string caption = FTabs->Strings(k);
                int strings = 0, pages = 0;
                for (int j = 0; j < FTabs->Count(); ++j)
                    if (FTabs->Strings(j) == caption) ++strings;
                for (int j = 0; j < FPages->Count(); ++j)
                    if (FPages->Page(j)->Caption() == caption) ++pages;
                if (pages >= strings) continue;
                auto* sheet = new TSkTabSheet(Owner());
                sheet->SetCaption(caption);
                InsertPage(k, sheet);
                FActivePage = sheet;
                FTabIndex = k;
            }
        }
        if (FUsePages) {
            const std::string before = FTabs->CommaText();
            // The list's own calls back here return at once: UpdatingTabs is set.
            FTabs->Clear();
            for (int i = 0; i < FPages->Count(); ++i)
                if (FPages->Page(i)->PageVisible()) FTabs->Add(FPages->Page(i)->Caption());
            if (FTabs->CommaText() != before) ActivatePageAt(PageOfVisibleIndex(FTabIndex));
        }
    } catch (...) {
        FUpdatingTabs = false;
        throw;
    }
    FUpdatingTabs = false;
    LayoutRows();
    if (!FTabsInUpdate) {
        RedrawStrip();
        if (FUsePages) Realign();
    }
}

void TSkTabControl::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (!FUsePages) {
        inherited::GetChildren(proc, root);
        return;
    }
    for (int i = 0; i < FPages->Count(); ++i) proc(FPages->Page(i));
}

// ---- Properties -----------------------------------------------------------------------------------------------

void TSkTabControl::SetTabIndex(int value) {
    if (ComponentState().Contains(csLoading)) FLoadedTabIndex = value;
    if (value == FTabIndex || value < 0 || value >= FTabs->Count()) return;
    const int old = FTabIndex;
    // OnChanging sees the new index already.
    FTabIndex = value;
    if (!CanChange()) {
        FTabIndex = old;
        RedrawStrip();
        return;
    }
    BringTabIntoView();
    RedrawStrip();
    if (FUsePages) {
        ActivatePageAt(PageOfVisibleIndex(FTabIndex));
        Realign();
    } else {
        Change();
    }
}

void TSkTabControl::BringTabIntoView() {
    const int count = FTabs->Count();
    while (ScrollerVisible() && FFirstVisibleTab < count - 1) {
        const RECT tab = TabRect(FTabIndex);
        if (!Intersect(tab, LeftScrollButtonRect()) && !Intersect(tab, RightScrollButtonRect())) break;
        ++FFirstVisibleTab;
    }
    while (FTabIndex < FFirstVisibleTab) --FFirstVisibleTab;
    if (!FMultiLine && LastVisibleTab(true) != 0)
        while (LastVisibleTab(true) < FTabIndex && FFirstVisibleTab < FTabIndex) ++FFirstVisibleTab;
}

void TSkTabControl::SetTabPosition(TSkTabPosition value) {
    if (value == FTabPosition) return;
    FTabPosition = value;
    if (SideStrip() && !FMultiLine) FMultiLine = true;
    Invalidate();
    TSkTabSheet* page = ActivePage();
    if (!page) {
        LayoutRows();
        Realign();
        return;
    }
    DisableAlign();
    try {
        LayoutRows();
        RECT client = ClientRect();
        AdjustClientRect(client);
        page->SetBoundsRect(client);
    } catch (...) {
        EnableAlign();
        throw;
    }
    EnableAlign();
    if (page->HandleAllocated()) page->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(page->Canvas()->Handle()), 0);
    page->Invalidate();
}

void TSkTabControl::SetMultiLine(bool value) {
    if (value == FMultiLine) return;
    if (!value && SideStrip())
        throw EInvalidOperation("MultiLine must be True when TabPosition is vttpLeft or vttpRight");
    FMultiLine = value;
    LayoutRows();
    Realign();
    Invalidate();
}

void TSkTabControl::SetRaggedRight(bool value) {
    if (value == FRaggedRight) return;
    FRaggedRight = value;
    Invalidate();
}

void TSkTabControl::SetScrollOpposite(bool value) {
    if (value == FScrollOpposite) return;
    FScrollOpposite = value;
    if (value) FMultiLine = true;
    LayoutRows();
    Realign();
    Invalidate();
}

void TSkTabControl::SetHotTrack(bool value) {
    if (value == FHotTrack) return;
    FHotTrack = value;
    Invalidate();
}

void TSkTabControl::SetOwnerDraw(bool value) {
    if (value == FOwnerDraw) return;
    FOwnerDraw = value;
    Invalidate();
}

void TSkTabControl::SetUsePages(bool value) {
    if (value == FUsePages) return;
    FUsePages = value;
    if (ComponentState().Contains(csLoading)) return;
    if (value)
        while (ControlCount() > 0) delete Controls(ControlCount() - 1);
    UpdateTabs();
}

void TSkTabControl::SetTabHeight(int value) {
    if (value == FTabHeight) return;
    FTabHeight = value;
    LayoutRows();
    Invalidate();
    Realign();
}

void TSkTabControl::SetTabWidth(int value) {
    if (value == FTabWidth) return;
    FTabWidth = value;
    LayoutRows();
    Invalidate();
    Realign();
}

void TSkTabControl::SetImages(TCustomImageList* value) {
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    LayoutRows();
    Invalidate();
}

void TSkTabControl::SetThemeObject(const std::string& value) {
    if (value == FThemeObject) return;
    FThemeObject = value;
    Invalidate();
}

void TSkTabControl::SetThemeLink(TskCustomThemeLink* value) {
    if (value == FThemeLink) return;
    if (FThemeLink) FThemeLink->RemoveFreeNotification(this);
    FThemeLink = value;
    if (FThemeLink) FThemeLink->FreeNotification(this);
    Invalidate();
}

void TSkTabControl::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation != opRemove) return;
    if (component && component == FThemeLink) FThemeLink = nullptr;
    if (component && component == FImages) {
        FImages = nullptr;
        Invalidate();
    }
}

void TSkTabControl::Loaded() {
    inherited::Loaded();
    // Sheets join while they are read, before their own PageVisible is known.
    if (FUsePages) UpdateTabs();
    if (FUsePages) ActivatePageAt(PageOfVisibleIndex(FLoadedTabIndex));
    LayoutRows();
    Realign();
}

void TSkTabControl::SetBounds(int left, int top, int width, int height) {
    inherited::SetBounds(left, top, width, height);
    if (!FMultiLine) return;
    const int rows = FTabRowCount;
    LayoutRows();
    if (rows != FTabRowCount) {
        Realign();
        Invalidate();
    }
}

void TSkTabControl::Resize() {
    inherited::Resize();
    if (TSkTabSheet* page = FUsePages ? ActivePage() : nullptr) page->Invalidate();
}

void TSkTabControl::Change() {
    if (OnChange) OnChange(this);
}

bool TSkTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TSkTabControl::DoDrawTab(int index, const RECT& rect, bool active) {
    if (OnDrawTab) OnDrawTab(this, index, rect, active);
}

// ---- Geometry -------------------------------------------------------------------------------------------------

bool TSkTabControl::ThemeDefined() { return IsTabDefined(0, ThemeObject(), ThemeLink()); }

TFont* TSkTabControl::TabFont(int index) {
    if (!ThemeDefined()) return Font();
    const bool selected = index == FTabIndex;
    int fontIndex;
    if (!Enabled())
        fontIndex = selected ? fiTabTextActiveDisabled : fiTabTextInactiveDisabled;
    else if (index == FHotTab)
        fontIndex = selected ? fiTabTextActiveHot : fiTabTextInactiveHot;
    else
        fontIndex = selected ? fiTabTextActiveNormal : fiTabTextInactiveNormal;
    return GetTheme(FThemeLink)->Fonts().GetFont(fontIndex, ThemeObject());
}

TSkTabSheet* TSkTabControl::ImagePage(int index) {
    if (!FUsePages || !FImages) return nullptr;
    const int page = PageOfVisibleIndex(index);
    if (page < 0 || page >= FImages->Count()) return nullptr;
    TSkTabSheet* sheet = FPages->Page(page);
    return sheet->ImageIndex() >= 0 ? sheet : nullptr;
}

int TSkTabControl::RowHeight() {
    if (FTabHeight > 0) return FTabHeight;
    const int text = Font()->TextExtent("Pq").cy + 4;
    return FImages ? std::max(text, FImages->Height() + 4) : text;
}

int TSkTabControl::MeasureTab(int index) {
    if (index < 0 || index >= FTabs->Count()) return 0;
    if (FTabWidth != 0) return FTabWidth;
    int length = TabFont(index)->TextExtent(FTabs->Strings(index)).cx + 12;
    if (FUsePages && FImages) {
        const int page = PageOfVisibleIndex(index);
        if (page >= 0 && FPages->Page(page)->ImageIndex() >= 0) length += FImages->Width();
    }
    return std::max(length, 2 * (RowHeight() + 2));
}

void TSkTabControl::LayoutRows() {
    const int count = FTabs->Count();
    if (count == 0) return;
    const int available = StripLength();
    int rows = 0;
    int length = MeasureTab(0);
    int start = 0;
    const int limit = static_cast<int>(FRows.size());
    auto close = [&](int end) {
        if (rows >= limit) return;
        TRow& row = FRows[static_cast<size_t>(rows++)];
        row.LastTab = end - 1;
        row.Extra = end == start ? 0 : (available - length) / (end - start);
        row.Remainder = available - length - row.Extra * (end - start);
    };
    for (int j = 1; j < count; ++j) {
        const int tab = MeasureTab(j);
        if (length + tab < available) {
            length += tab;
            continue;
        }
        close(j);
        length = tab;
        start = j;
    }
    if (length > 0) close(count);
    FTabRowCount = rows;
}

int TSkTabControl::StripLength() const { return (SideStrip() ? CachedHeight() : CachedWidth()) - StripInset; }

int TSkTabControl::RowOf(int index) {
    if (!FMultiLine) return 0;
    int first = 0;
    for (int r = 0; r < FTabRowCount; ++r) {
        const int last = FRows[static_cast<size_t>(r)].LastTab;
        if (index >= first && index <= last) return r;
        first = last + 1;
    }
    return 0;
}

int TSkTabControl::RowTabWidth(int index) {
    const int length = MeasureTab(index);
    if (FRaggedRight || FTabWidth != 0 || !FMultiLine) return length;
    const TRow& row = FRows[static_cast<size_t>(RowOf(index))];
    return length + row.Extra + (index == row.LastTab ? row.Remainder : 0);
}

int TSkTabControl::RowOffset(int row) {
    const int selected = RowOf(FTabIndex);
    const int rows = RowsInUse();
    int k;
    if (row >= selected)
        k = row - selected + 1;
    else if (FScrollOpposite)
        k = selected - row;
    else
        k = row + rows - selected + 1;
    return k * RowHeight();
}

bool TSkTabControl::IsOppositeRow(int index) {
    return FMultiLine && FScrollOpposite && RowOf(index) < RowOf(FTabIndex);
}

int TSkTabControl::StripThickness() {
    if (FTabs->Count() == 0) return 0;
    const int rows = FScrollOpposite ? RowsInUse() - RowOf(FTabIndex) : RowsInUse();
    return RowHeight() * rows + MarginTop();
}

int TSkTabControl::OppositeThickness() { return FScrollOpposite ? RowOf(FTabIndex) * RowHeight() : 0; }

RECT TSkTabControl::PageAreaRect() {
    RECT area{0, 0, CachedWidth(), CachedHeight()};
    const int strip = StripThickness();
    const int opposite = OppositeThickness();
    switch (FTabPosition) {
    case vttpTop:
        area.top += strip;
        area.bottom -= opposite;
        break;
    case vttpBottom:
        area.bottom -= strip;
        area.top += opposite;
        break;
    case vttpLeft:
        area.left += strip;
        area.right -= opposite;
        break;
    case vttpRight:
        area.right -= strip;
        area.left += opposite;
        break;
    }
    return area;
}

void TSkTabControl::AdjustClientRect(RECT& rect) {
    rect = PageAreaRect();
    InflateRect(&rect, -(MarginLeft() + 1), -(MarginTop() + 1));
}

RECT TSkTabControl::TabRect(int index) {
    const int m = MarginTop();
    int start = 0;
    if (FMultiLine) {
        const int row = RowOf(index);
        const int first = row == 0 ? 0 : FRows[static_cast<size_t>(row - 1)].LastTab + 1;
        for (int i = first; i < index; ++i) start += RowTabWidth(i);
    } else if (index >= FFirstVisibleTab) {
        for (int i = FFirstVisibleTab; i < index; ++i) start += MeasureTab(i);
    } else {
        for (int i = index; i < FFirstVisibleTab; ++i) start -= MeasureTab(i);
    }
    const bool opposite = IsOppositeRow(index);
    const int thickness = opposite ? OppositeThickness() : StripThickness();
    static const TSkTabPosition flipped[] = {vttpBottom, vttpTop, vttpRight, vttpLeft};
    const TSkTabPosition side = opposite ? flipped[FTabPosition] : FTabPosition;
    const int outer = thickness - RowOffset(RowOf(index));
    const int length = RowTabWidth(index);
    const int w = CachedWidth();
    const int h = CachedHeight();
    switch (side) {
    case vttpTop: return RECT{start + m, outer, start + m + length, thickness + m};
    case vttpBottom: return RECT{start + m, h - thickness - m, start + m + length, h - outer};
    case vttpLeft: return RECT{outer, start + m, thickness + m, start + m + length};
    case vttpRight: return RECT{w - thickness - m, start + m, w - outer, start + m + length};
    }
    return RECT{0, 0, 0, 0};
}

bool TSkTabControl::ScrollerVisible() {
    const int count = FTabs->Count();
    if (SideStrip() || count < 2 || FMultiLine) return false;
    if (FFirstVisibleTab >= 1) return true;
    return TabRect(count - 1).right > CachedWidth();
}

void TSkTabControl::GetScrollButtonSize(int& width, int& height) { width = height = 2 * Font()->Size(); }

RECT TSkTabControl::LeftScrollButtonRect() {
    int s = 0, unused = 0;
    GetScrollButtonSize(s, unused);
    const int w = CachedWidth();
    const int top =
        FTabPosition == vttpTop ? StripThickness() - s - MarginTop() : CachedHeight() + MarginTop() - StripThickness();
    return RECT{w - 2 * s, top, w - s, top + s};
}

RECT TSkTabControl::RightScrollButtonRect() {
    RECT rect = LeftScrollButtonRect();
    OffsetRect(&rect, rect.right - rect.left, 0);
    return rect;
}

bool TSkTabControl::InLeftScrollButton(int x, int y) {
    const RECT rect = LeftScrollButtonRect();
    return ScrollerVisible() && PtInRect(&rect, POINT{x, y});
}

bool TSkTabControl::InRightScrollButton(int x, int y) {
    const RECT rect = RightScrollButtonRect();
    return ScrollerVisible() && PtInRect(&rect, POINT{x, y});
}

int TSkTabControl::LastVisibleTab(bool fully) {
    const int count = FTabs->Count();
    if (count == 0) return -1;
    const int available = StripLength();
    int length = 0;
    int last = FFirstVisibleTab - 1;
    for (int i = FFirstVisibleTab; i < count; ++i) {
        const int tab = MeasureTab(i);
        if (length + tab > available) break;
        length += tab;
        last = i;
    }
    if (last + 1 < count) ++last;
    if (!fully) return last;
    // The buttons only hide tabs while they are shown.
    const bool buttons = ScrollerVisible();
    const RECT left = LeftScrollButtonRect();
    const RECT right = RightScrollButtonRect();
    while (last > 0) {
        const RECT tab = TabRect(last);
        const bool beyond = SideStrip() ? tab.bottom > CachedHeight() : tab.right > CachedWidth();
        if (!beyond && !(buttons && (Intersect(tab, left) || Intersect(tab, right)))) break;
        --last;
    }
    return last;
}

int TSkTabControl::HitTestTab(int x, int y) {
    const int count = FTabs->Count();
    if (count == 0) return -1;
    const POINT point{x, y};
    if (ScrollerVisible()) {
        int s = 0, unused = 0;
        GetScrollButtonSize(s, unused);
        const int w = CachedWidth();
        const int h = CachedHeight();
        const RECT zone = FTabPosition == vttpTop ? RECT{w - 2 * s, 0, w, StripThickness()}
                                                  : RECT{w - 2 * s, h - StripThickness(), w, h};
        if (PtInRect(&zone, point)) return -1;
    }
    if (FTabIndex >= 0 && FTabIndex < count) {
        const RECT selected = TabRect(FTabIndex);
        if (PtInRect(&selected, point)) return FTabIndex;
    }
    if (FMultiLine) {
        // Nearest row first: the reverse of the drawing order.
        const int selectedRow = RowOf(FTabIndex);
        const int rows = RowsInUse();
        std::vector<int> order;
        if (FScrollOpposite) {
            for (int r = selectedRow - 1; r >= 0; --r) order.push_back(r);
            for (int r = selectedRow; r < rows; ++r) order.push_back(r);
        } else {
            for (int r = selectedRow; r < rows; ++r) order.push_back(r);
            for (int r = 0; r < selectedRow; ++r) order.push_back(r);
        }
        for (int r : order) {
            const int first = r == 0 ? 0 : FRows[static_cast<size_t>(r - 1)].LastTab + 1;
            for (int i = first; i <= FRows[static_cast<size_t>(r)].LastTab && i < count; ++i) {
                const RECT tab = TabRect(i);
                if (PtInRect(&tab, point)) return i;
            }
        }
        return -1;
    }
    const int last = LastVisibleTab(false);
    for (int i = FFirstVisibleTab; i <= last && i < count; ++i) {
        // The part of an unselected tab under the page frame belongs to the page.
        RECT tab = TabRect(i);
        if (FTabPosition == vttpTop)
            tab.bottom -= MarginBottom();
        else if (FTabPosition == vttpBottom)
            tab.top += MarginTop();
        if (PtInRect(&tab, point)) return i;
    }
    return -1;
}

void TSkTabControl::ScrollTabs(int delta) {
    if (delta == 0) return;
    const int count = FTabs->Count();
    if (count == 0) {
        FFirstVisibleTab = -1;
    } else {
        FFirstVisibleTab = std::clamp(FFirstVisibleTab + delta, 0, count - 1);
        bool stepped = false;
        while (FFirstVisibleTab > 0 && LastVisibleTab(true) == count - 1) {
            --FFirstVisibleTab;
            stepped = true;
        }
        if (stepped) ++FFirstVisibleTab;
    }
    RedrawStrip();
}

// ---- Input ----------------------------------------------------------------------------------------------------

void TSkTabControl::MouseMove(TShiftState shift, int x, int y) {
    inherited::MouseMove(shift, x, y);
    const bool left = InLeftScrollButton(x, y);
    const bool right = InRightScrollButton(x, y);
    const int hot = HitTestTab(x, y);
    if (left == FLeftButtonHot && right == FRightButtonHot && hot == FHotTab) return;
    FLeftButtonHot = left;
    FRightButtonHot = right;
    FHotTab = hot;
    RedrawStrip();
}

void TSkTabControl::DoMouseLeave() {
    inherited::DoMouseLeave();
    if (!FLeftButtonHot && !FRightButtonHot && FHotTab == -1) return;
    FLeftButtonHot = FRightButtonHot = false;
    FHotTab = -1;
    RedrawStrip();
}

void TSkTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    inherited::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    const bool leftWas = FLeftButtonDown && FLeftButtonHot;
    const bool rightWas = FRightButtonDown && FRightButtonHot;
    // A press without a move before it still finds the button under the pointer hot.
    FLeftButtonHot = InLeftScrollButton(x, y);
    FRightButtonHot = InRightScrollButton(x, y);
    FLeftButtonDown = InLeftScrollButton(x, y);
    FRightButtonDown = InRightScrollButton(x, y);
    if ((!leftWas && FLeftButtonDown && FLeftButtonHot) || (!rightWas && FRightButtonDown && FRightButtonHot)) {
        RedrawStrip();
        StartAutoScroll(true);
        return;
    }
    const int tab = HitTestTab(x, y);
    if (tab == -1) return;
    if (!ComponentState().Contains(csDesigning) && CanFocus() && !Focused()) SetFocus();
    SetTabIndex(tab);
}

void TSkTabControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    inherited::MouseUp(button, shift, x, y);
    if (button != mbLeft) return;
    FLeftButtonDown = FRightButtonDown = false;
    StopAutoScroll();
    RedrawStrip();
}

void TSkTabControl::StartAutoScroll(bool immediate) {
    if (ComponentState().Contains(csDesigning)) {
        ScrollTabs(FLeftButtonDown ? -1 : 1);
        return;
    }
    if (!FScrollTimer) {
        FScrollTimer = std::make_unique<TTimer>(nullptr);
        FScrollTimer->SetEnabled(false);
        FScrollTimer->OnTimer = [this](TObject* sender) { AutoScrollTick(sender); };
    }
    if (immediate) AutoScrollTick(FScrollTimer.get());
    FScrollTimer->SetInterval(immediate ? 300 : 100);
    FScrollTimer->SetEnabled(true);
}

void TSkTabControl::AutoScrollTick(TObject*) {
    try {
        FScrollTimer->SetInterval(100);
        if (FLeftButtonDown && FLeftButtonHot)
            ScrollTabs(-1);
        else if (FRightButtonDown && FRightButtonHot)
            ScrollTabs(1);
    } catch (...) {
        StopAutoScroll();
        throw;
    }
}

void TSkTabControl::StopAutoScroll() {
    if (FScrollTimer) FScrollTimer->SetEnabled(false);
}

void TSkTabControl::KeyDown(WORD& key, TShiftState shift) {
    inherited::KeyDown(key, shift);
    if (key == VK_LEFT || key == VK_UP)
        SetTabIndex(FTabIndex - 1);
    else if (key == VK_RIGHT || key == VK_DOWN)
        SetTabIndex(FTabIndex + 1);
}

void TSkTabControl::SelectNextTab(bool forward) {
    const int count = FTabs->Count();
    if (count < 2) return;
    SetTabIndex((std::max(FTabIndex, 0) + (forward ? 1 : count - 1)) % count);
}

void TSkTabControl::DoEnter() {
    inherited::DoEnter();
    RedrawStrip();
}

void TSkTabControl::DoExit() {
    inherited::DoExit();
    RedrawStrip();
}

void TSkTabControl::Dispatch(TMessage& message) {
    switch (message.Msg) {
    case SkThemeMessage:
        switch (message.WParam) {
        case tcThemeReplaced:
        case tcThemeSet:
        case tcThemeRemoved:
            Invalidate();
            if (TSkTabSheet* page = ActivePage()) page->Invalidate();
            break;
        case tcColorsChanged: Invalidate(); break;
        default: break;
        }
        return;
    case SkThemeLinkMessage:
        if (message.LParam && reinterpret_cast<TskCustomThemeLink*>(message.LParam) == FThemeLink) Invalidate();
        return;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case CM_DIALOGKEY:
        // Ctrl+Tab and Ctrl+Shift+Tab turn the pages from anywhere inside the control.
        if (message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0 && HandleAllocated() &&
            (Focused() || IsChild(Handle(), GetFocus()))) {
            SelectNextTab(GetKeyState(VK_SHIFT) >= 0);
            message.Result = 1;
            return;
        }
        break;
    case CM_DIALOGCHAR:
        for (int i = 0; i < FTabs->Count(); ++i)
            if (IsAccel(static_cast<WORD>(message.WParam), FTabs->Strings(i)) && CanFocus()) {
                SetTabIndex(i);
                message.Result = 1;
                return;
            }
        break;
    case CM_ENABLEDCHANGED:
    case CM_FONTCHANGED:
        inherited::Dispatch(message);
        LayoutRows();
        Invalidate();
        return;
    default: break;
    }
    inherited::Dispatch(message);
}

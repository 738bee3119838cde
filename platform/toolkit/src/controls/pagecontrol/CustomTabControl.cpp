// TCustomTabControl: the strip's geometry (tab sizes from the font, scrolling when the tabs overflow), hit testing,
// and the user's ways of picking a tab: a click, the arrow keys while the strip has the focus, an accelerator.
#include <toolkit/CustomTabControl.h>

#include <toolkit/Form.h>

#include <algorithm>

namespace {

// The selected tab rises this far above the others, and the strip starts this far in so that it has room to.
constexpr int kSelectedRise = 2;
// Space on each side of a caption, and what a tab adds to the text height besides kSelectedRise.
constexpr int kCaptionPadding = 6;
constexpr int kVerticalPadding = 3;
// The page frame (a raised 3D edge) and the margin inside it around the pages.
constexpr int kFrame = 2;
constexpr int kPageMargin = 2;
constexpr int kImageGap = 3;

}  // namespace

TCustomTabControl::TCustomTabControl(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(TControlStyle{csClickEvents, csDoubleClicks, csOpaque});
    SetTabStop(true);
    SetBounds(0, 0, 289, 193);
}

TCustomTabControl::~TCustomTabControl() = default;

void TCustomTabControl::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
    // The pages are child windows; the strip and frame are painted around them.
    params.Style |= WS_CLIPCHILDREN;
}

void TCustomTabControl::SetTabIndex(int value) {
    value = std::clamp(value, -1, TabCount() - 1);
    if (value == FTabIndex) return;
    FTabIndex = value;
    MakeTabVisible(value);
    Invalidate();
}

void TCustomTabControl::SetTabHeight(int value) {
    value = std::max(value, 0);
    if (value == FTabHeight) return;
    FTabHeight = value;
    TabsChanged();
}

void TCustomTabControl::SetTabWidth(int value) {
    value = std::max(value, 0);
    if (value == FTabWidth) return;
    FTabWidth = value;
    TabsChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
    if (value == FTabPosition) return;
    if (value != tpTop && value != tpBottom)
        throw EInvalidOperation("Tabs on the left or right side are not supported");
    FTabPosition = value;
    TabsChanged();
}

void TCustomTabControl::SetStyle(TTabStyle value) {
    if (value == FStyle) return;
    if (value != tsTabs) throw EInvalidOperation("Only the tsTabs style is supported");
    FStyle = value;
    TabsChanged();
}

void TCustomTabControl::SetMultiLine(bool value) {
    if (value == FMultiLine) return;
    FMultiLine = value;
    FFirstTab = 0;
    TabsChanged();
}

void TCustomTabControl::SetHotTrack(bool value) {
    if (value == FHotTrack) return;
    FHotTrack = value;
    FHotIndex = -1;
    Invalidate();
}

void TCustomTabControl::SetImages(TCustomImageList* value) {
    if (value == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = value;
    if (FImages) FImages->FreeNotification(this);
    TabsChanged();
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == FImages) {
        FImages = nullptr;
        TabsChanged();
    }
}

void TCustomTabControl::TabsChanged() {
    FHotIndex = -1;
    FFirstTab = std::clamp(FFirstTab, 0, std::max(TabCount() - 1, 0));
    // The strip's height may have changed with the font, the images or TabHeight: the pages follow.
    Realign();
    Invalidate();
}

bool TCustomTabControl::HasImage(int index) const {
    int image = FImages ? TabImageIndex(index) : -1;
    return image >= 0 && image < FImages->Count();
}

int TCustomTabControl::CaptionWidth(int index) {
    RECT measured = Font()->MeasureText(TabCaption(index), RECT{0, 0, 0, 0}, DT_SINGLELINE);
    return measured.right - measured.left;
}

int TCustomTabControl::RowHeight() {
    if (FTabHeight > 0) return FTabHeight;
    int content = Font()->TextHeight();
    if (FImages) content = std::max(content, FImages->Height());
    return content + kSelectedRise + kVerticalPadding;
}

TCustomTabControl::TLayout TCustomTabControl::Layout() {
    TLayout layout;
    layout.RowHeight = RowHeight();
    int count = TabCount();
    int width = ClientWidth();
    std::vector<int> widths;
    for (int i = 0; i < count; ++i) {
        if (FTabWidth > 0) {
            widths.push_back(FTabWidth);
            continue;
        }
        int w = CaptionWidth(i) + 2 * kCaptionPadding;
        if (HasImage(i)) w += FImages->Width() + kImageGap;
        widths.push_back(w);
    }
    layout.StripRight = width;
    if (FMultiLine && count > 0) {
        FFirstTab = 0;
        LayOutRows(layout, widths, width);
        return layout;
    }
    int total = 0;
    for (int w : widths) total += w;
    if (count > 0 && kSelectedRise + total > width) {
        layout.Arrows = true;
        int side = std::max(layout.RowHeight - 2, 8);
        int top = kSelectedRise + (layout.RowHeight - side) / 2;
        layout.RightArrow = RECT{width - side, top, width, top + side};
        layout.LeftArrow = RECT{width - 2 * side, top, width - side, top + side};
        layout.StripRight = layout.LeftArrow.left;
        // Never scroll further than needed to show the last tab.
        FFirstTab = std::clamp(FFirstTab, 0, count - 1);
        int tail = 0;
        for (int i = FFirstTab; i < count; ++i) tail += widths[static_cast<size_t>(i)];
        while (FFirstTab > 0 && kSelectedRise + tail + widths[static_cast<size_t>(FFirstTab - 1)] <= layout.StripRight)
            tail += widths[static_cast<size_t>(--FFirstTab)];
    } else {
        FFirstTab = 0;
    }
    int x = kSelectedRise;
    for (int i = 0; i < FFirstTab; ++i) x -= widths[static_cast<size_t>(i)];
    for (int w : widths) {
        layout.Tabs.push_back(RECT{x, kSelectedRise, x + w, kSelectedRise + layout.RowHeight});
        x += w;
    }
    layout.CanScrollLeft = layout.Arrows && FFirstTab > 0;
    layout.CanScrollRight = layout.Arrows && x > layout.StripRight;
    return layout;
}

void TCustomTabControl::LayOutRows(TLayout& layout, const std::vector<int>& widths, int width) {
    int available = std::max(width - 2 * kSelectedRise, 1);
    std::vector<std::vector<int>> rows(1);
    int x = 0;
    for (int i = 0; i < static_cast<int>(widths.size()); ++i) {
        int w = widths[static_cast<size_t>(i)];
        if (x > 0 && x + w > available) {
            rows.emplace_back();
            x = 0;
        }
        rows.back().push_back(i);
        x += w;
    }
    auto count = static_cast<int>(rows.size());
    layout.Rows = count;
    layout.Tabs.assign(widths.size(), RECT{});
    // The rows turn round so that the selected tab's row lies next to the pages, the others keeping their order.
    int selectedRow = count - 1;
    for (int r = 0; r < count; ++r)
        for (int i : rows[static_cast<size_t>(r)])
            if (i == TabIndex()) selectedRow = r;
    for (int r = 0; r < count; ++r) {
        const std::vector<int>& row = rows[static_cast<size_t>(r)];
        int place = (r - selectedRow + 2 * count - 1) % count;
        int used = 0;
        for (int i : row) used += widths[static_cast<size_t>(i)];
        // With more than one row every row is stretched to the full width, the spare pixels going first.
        int spare = count > 1 ? std::max(available - used, 0) : 0;
        auto tabs = static_cast<int>(row.size());
        int left = kSelectedRise, top = kSelectedRise + place * layout.RowHeight;
        for (int k = 0; k < tabs; ++k) {
            int i = row[static_cast<size_t>(k)];
            int w = widths[static_cast<size_t>(i)] + spare / tabs + (k < spare % tabs ? 1 : 0);
            layout.Tabs[static_cast<size_t>(i)] = RECT{left, top, left + w, top + layout.RowHeight};
            left += w;
        }
    }
}

RECT TCustomTabControl::Place(const RECT& fromTop) {
    if (FTabPosition != tpBottom) return fromTop;
    int height = ClientHeight();
    return RECT{fromTop.left, height - fromTop.bottom, fromTop.right, height - fromTop.top};
}

bool TCustomTabControl::ScrollArrowsShown() { return Layout().Arrows; }

RECT TCustomTabControl::TabRect(int index) {
    TLayout layout = Layout();
    if (index < 0 || index >= static_cast<int>(layout.Tabs.size())) return RECT{0, 0, 0, 0};
    return Place(layout.Tabs[static_cast<size_t>(index)]);
}

RECT TCustomTabControl::DisplayRect() {
    int inset = kFrame + kPageMargin;
    TLayout layout = Layout();
    int strip = kSelectedRise + layout.Rows * layout.RowHeight;
    RECT rect = Place(RECT{inset, strip + inset, ClientWidth() - inset, ClientHeight() - inset});
    rect.right = std::max(rect.right, rect.left);
    rect.bottom = std::max(rect.bottom, rect.top);
    return rect;
}

void TCustomTabControl::AdjustClientRect(RECT& rect) {
    inherited::AdjustClientRect(rect);
    rect = DisplayRect();
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
    TLayout layout = Layout();
    POINT point{x, y};
    if (layout.Arrows && x >= layout.StripRight) return -1;
    // The selected tab stands out over its neighbours' edges, so it is asked first.
    int selected = TabIndex();
    if (selected >= FFirstTab && selected < static_cast<int>(layout.Tabs.size())) {
        RECT r = layout.Tabs[static_cast<size_t>(selected)];
        RECT raised{r.left - kSelectedRise, r.top - kSelectedRise, r.right + kSelectedRise, r.bottom};
        RECT placed = Place(raised);
        if (PtInRect(&placed, point)) return selected;
    }
    for (int i = FFirstTab; i < static_cast<int>(layout.Tabs.size()); ++i) {
        RECT placed = Place(layout.Tabs[static_cast<size_t>(i)]);
        if (PtInRect(&placed, point)) return i;
    }
    return -1;
}

void TCustomTabControl::MakeTabVisible(int index) {
    TLayout layout = Layout();
    if (!layout.Arrows || index < 0 || index >= static_cast<int>(layout.Tabs.size())) return;
    int before = FFirstTab;
    if (index < FFirstTab) {
        FFirstTab = index;
    } else {
        // Scroll forward until the tab ends inside the strip (or starts the strip).
        int right = layout.Tabs[static_cast<size_t>(index)].right;
        while (FFirstTab < index && right > layout.StripRight) {
            const RECT& first = layout.Tabs[static_cast<size_t>(FFirstTab)];
            right -= first.right - first.left;
            ++FFirstTab;
        }
    }
    if (FFirstTab != before) Invalidate();
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change() {
    if (OnChange) OnChange(this);
}

bool TCustomTabControl::SelectTabByUser(int index) {
    if (index < 0 || index >= TabCount() || index == TabIndex()) return false;
    if (!CanChange()) return false;
    SetTabIndex(index);
    if (TabIndex() != index) return false;
    MakeTabVisible(index);
    Change();
    return true;
}

void TCustomTabControl::SetHotIndex(int value) {
    if (!FHotTrack) value = -1;
    if (value == FHotIndex) return;
    FHotIndex = value;
    Invalidate();
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    inherited::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    TLayout layout = Layout();
    POINT point{x, y};
    if (layout.Arrows) {
        RECT left = Place(layout.LeftArrow), right = Place(layout.RightArrow);
        if (PtInRect(&left, point) || PtInRect(&right, point)) {
            bool forward = PtInRect(&right, point);
            if (forward ? layout.CanScrollRight : layout.CanScrollLeft) {
                FFirstTab += forward ? 1 : -1;
                Invalidate();
            }
            return;
        }
    }
    int index = IndexOfTabAt(x, y);
    if (index < 0) return;
    // A click focuses the strip even when the change is then refused, as the system's tab control does.
    if (!Focused() && CanFocus()) SetFocus();
    SelectTabByUser(index);
}

void TCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    inherited::MouseMove(shift, x, y);
    if (FHotTrack) SetHotIndex(IndexOfTabAt(x, y));
}

void TCustomTabControl::KeyDown(WORD& key, TShiftState shift) {
    inherited::KeyDown(key, shift);
    int step = 0;
    switch (key) {
    case VK_LEFT:
    case VK_UP: step = -1; break;
    case VK_RIGHT:
    case VK_DOWN: step = 1; break;
    default: return;
    }
    // The strip stops at its ends; only Ctrl+Tab wraps around.
    int target = TabIndex() + step;
    if (target >= 0 && target < TabCount()) SelectTabByUser(target);
    key = 0;
}

void TCustomTabControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case CM_DIALOGCHAR:
        for (int i = 0; i < TabCount(); ++i)
            if (IsAccel(static_cast<WORD>(message.WParam), TabCaption(i)) && CanFocus()) {
                message.Result = 1;
                SelectTabByUser(i);
                return;
            }
        break;
    default: break;
    }
    inherited::WndProc(message);
    switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The focus rectangle on the selected tab comes and goes.
        Invalidate();
        break;
    case CM_FONTCHANGED: TabsChanged(); break;
    case CM_MOUSELEAVE: SetHotIndex(-1); break;
    case WM_SIZE: Invalidate(); break;
    default: break;
    }
}

// TSkTabControl and TSkPageControl: the geometry of a 14-pixel strip, tabs and pages kept in step, selection by
// mouse and keyboard behind OnChanging, the scroll buttons' auto-repeat, the hot tab, rows of a multi-line strip,
// sheets coming and going, and a description read back.
#include "TabControlFixture.h"

#include <skin/CodePage.h>
#include <skin/ThemeManager.h>
#include <toolkit/Bitmap.h>
#include <toolkit/ImageList.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Reader.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::vector<std::string> Captions(TSkTabControl* control) {
    std::vector<std::string> captions;
    for (int i = 0; i < control->Tabs()->Count(); ++i) captions.push_back(control->Tabs()->Strings(i));
    return captions;
}

using Strings = std::vector<std::string>;

}  // namespace

TEST_F(TabControlTest, TabsAreTheTextHeightPlus4ThickAndPagesLieInsideTheFrame) {
    Pages->SetBounds(10, 10, 549, 460);
    ShowForm();
    // The 14-pixel face's "Pq" is 14 pixels high where the captions were designed; here it is what the font says.
    const int h = Pages->Font()->TextExtent("Pq").cy + 4;
    EXPECT_EQ(Pages->RowHeight(), h);
    for (int i = 0; i < 3; ++i) {
        const int caption = Pages->Font()->TextExtent(Pages->Tabs()->Strings(i)).cx;
        EXPECT_EQ(Pages->MeasureTab(i), std::max(caption + 12, 2 * (h + 2))) << i;
    }
    // One row along the top: tabs from y 2 to h + 4, the frame from h + 2, the pages 3 pixels inside it.
    EXPECT_EQ(Pages->TabRect(0), (RECT{2, 2, 2 + Pages->MeasureTab(0), h + 4}));
    EXPECT_EQ(Pages->TabRect(1).left, Pages->TabRect(0).right);
    EXPECT_EQ(Pages->PageAreaRect(), (RECT{0, h + 2, 549, 460}));
    EXPECT_EQ(Sheets[0]->BoundsRect(), (RECT{3, h + 5, 546, 457}));
    // A short caption still gives a tab 2 × (h + 2) long.
    Sheets[1]->SetCaption("W");
    EXPECT_EQ(Pages->MeasureTab(1), 2 * (h + 2));
    Pages->SetTabHeight(25);
    Pages->SetTabWidth(70);
    EXPECT_EQ(Pages->TabRect(2), (RECT{142, 2, 212, 29}));
    EXPECT_EQ(Sheets[0]->BoundsRect(), (RECT{3, 30, 546, 457}));
}

TEST_F(TabControlTest, StringsAssignedToAnEmptyPageControlBecomePages) {
    auto* empty = Add<TSkPageControl>(10, 220, 300, 100);
    ShowForm();
    TStringList strings;
    for (const char* s : {"One", "Two", "Three"}) strings.Add(s);
    empty->SetTabs(strings);
    ASSERT_EQ(empty->PageCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(empty->Pages(i)->Caption(), strings.Strings(i));
    EXPECT_EQ(empty->TabIndex(), 2);
    EXPECT_EQ(empty->ActivePage(), empty->Pages(2));
    EXPECT_FALSE(empty->Pages(2)->Visible()) << "recorded as active, not yet shown";
    empty->SetTabIndex(0);
    empty->SetTabIndex(2);
    EXPECT_TRUE(empty->Pages(2)->Visible());
    EXPECT_FALSE(empty->Pages(0)->Visible());
    // Whatever is assigned, the tabs stay the pages' captions; a new string adds a page.
    empty->Tabs()->Add("Four");
    EXPECT_EQ(empty->PageCount(), 4);
    EXPECT_EQ(Captions(empty), (Strings{"One", "Two", "Three", "Four"}));
}

TEST_F(TabControlTest, TabsFollowThePagesThatHaveOne) {
    ShowForm();
    Sheets[1]->SetPageVisible(false);
    EXPECT_EQ(Captions(Pages), (Strings{"第1组(16汉字)", "第3组"}));
    Pages->SetTabIndex(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]) << "visible index 1 is the third page";
    Sheets[2]->SetCaption("Third");
    EXPECT_EQ(Captions(Pages), (Strings{"第1组(16汉字)", "Third"}));
    Sheets[1]->SetPageVisible(true);
    EXPECT_EQ(Captions(Pages), (Strings{"第1组(16汉字)", "Second", "Third"}));
    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(Captions(Pages), (Strings{"Third", "Second", "第1组(16汉字)"}));
    EXPECT_EQ(Sheets[2]->PageIndex(), 0);

    // A sheet without a caption is named after its tab.
    auto* fresh = new TSkTabSheet(Form.get());
    fresh->SetTabControl(Pages);
    EXPECT_EQ(fresh->Caption(), "New Page 3");
    EXPECT_EQ(Pages->Tabs()->Strings(3), "New Page 3");
}

TEST_F(TabControlTest, DestroyingTheActiveSheetShowsTheFirst) {
    ShowForm();
    Pages->SetActivePage(Sheets[2]);
    // A page before the one shown goes: the selection stays on the page shown.
    delete Sheets[0];
    EXPECT_EQ(Captions(Pages), (Strings{"Second", "第3组"}));
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    // The page shown goes: the first one shows.
    delete Sheets[2];
    EXPECT_EQ(Captions(Pages), (Strings{"Second"}));
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_EQ(Pages->TabIndex(), 0);
    EXPECT_TRUE(Sheets[1]->Visible());
    delete Sheets[1];
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    EXPECT_EQ(Pages->PageCount(), 0);
}

TEST_F(TabControlTest, IndicesOutOfRangeAndTheCurrentOneChangeNothing) {
    ShowForm();
    Events.clear();
    for (int index : {-1, 3, 0}) {
        Pages->SetTabIndex(index);
        EXPECT_EQ(Pages->TabIndex(), 0) << index;
    }
    EXPECT_TRUE(Events.empty());
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
}

TEST_F(TabControlTest, SelectionAsksOnChangingWhichMayRefuse) {
    ShowForm();
    struct Case {
        const char* Input;
        int From;  // every case selects tab 1
        std::function<void()> Select;
    };
    const Case cases[] = {
        {"click", 0, [this] { ClickTab(1); }},
        {"right arrow", 0, [] { Key(VK_RIGHT); }},
        {"down arrow", 0, [] { Key(VK_DOWN); }},
        {"left arrow", 2, [] { Key(VK_LEFT); }},
        {"Ctrl+Tab", 0, [] { Key(VK_TAB, wintest::Control); }},
        {"Ctrl+Shift+Tab", 2, [] { Key(VK_TAB, wintest::Control | wintest::Shift); }},
    };
    for (const Case& c : cases) {
        for (bool allow : {false, true}) {
            Allow = true;
            Pages->SetTabIndex(c.From);
            Pages->SetFocus();
            Pump();
            Events.clear();
            Allow = allow;
            c.Select();
            TSkTabSheet* shown = allow ? Sheets[1] : Sheets[static_cast<size_t>(c.From)];
            EXPECT_EQ(Events, allow ? (Strings{"changing 1", "change 1"}) : Strings{"changing 1"}) << c.Input;
            EXPECT_EQ(Pages->TabIndex(), allow ? 1 : c.From) << c.Input;
            EXPECT_EQ(Pages->ActivePage(), shown) << c.Input;
            for (TSkTabSheet* sheet : Sheets) EXPECT_EQ(sheet->Visible(), sheet == shown) << c.Input;
        }
    }
}

TEST_F(TabControlTest, AClickOnAnUnfocusedControlFocusesItAndSelects) {
    ShowForm();
    Other->SetFocus();
    Pump();
    Events.clear();
    ClickTab(2);
    EXPECT_EQ(GetFocus(), Pages->Handle());
    EXPECT_EQ(Events, (Strings{"changing 2", "change 2"}));
    // The two pixels of an unselected tab under the page frame belong to the page.
    const RECT tab = Pages->TabRect(1);
    EXPECT_EQ(Pages->HitTestTab(tab.left + 5, tab.bottom - 3), 1);
    EXPECT_EQ(Pages->HitTestTab(tab.left + 5, tab.bottom - 2), -1);
}

TEST_F(TabControlTest, ArrowsStopAtTheEndsAndCtrlTabWrapsAround) {
    ShowForm();
    Pages->SetFocus();
    Pump();
    const struct {
        UINT Key;
        unsigned Modifiers;
        int From, To;
    } cases[] = {{VK_LEFT, wintest::NoModifiers, 0, 0},
                 {VK_UP, wintest::NoModifiers, 1, 0},
                 {VK_RIGHT, wintest::NoModifiers, 2, 2},
                 {VK_TAB, wintest::Control, 2, 0},
                 {VK_TAB, wintest::Control | wintest::Shift, 0, 2}};
    for (const auto& c : cases) {
        Pages->SetTabIndex(c.From);
        Key(c.Key, c.Modifiers);
        EXPECT_EQ(Pages->TabIndex(), c.To) << c.Key << " from " << c.From;
    }
    // Ctrl+Tab reaches the control from a control on one of its pages.
    auto* inner = Add<TFaceControl>(10, 10, 40, 20, Sheets[0]);
    Pages->SetTabIndex(0);
    inner->SetFocus();
    Pump();
    Key(VK_TAB, wintest::Control);
    EXPECT_EQ(Pages->TabIndex(), 1);
}

TEST_F(TabControlTest, AnAcceleratorSelectsItsTab) {
    Sheets[1]->SetCaption("&Second");
    ShowForm();
    Other->SetFocus();
    Pump();
    Key('S', wintest::Alt);
    EXPECT_EQ(Pages->TabIndex(), 1);
}

TEST_F(TabControlTest, TheTabUnderThePointerIsHotUntilItLeaves) {
    ShowForm();
    EXPECT_EQ(Pages->HotTab(), -1);
    MoveTo(TabCentre(1));
    EXPECT_EQ(Pages->HotTab(), 1);
    MoveTo(TabCentre(0));
    EXPECT_EQ(Pages->HotTab(), 0);
    MoveTo(Centre(Pages));
    EXPECT_EQ(Pages->HotTab(), -1);
    MoveTo(TabCentre(2));
    Park();
    EXPECT_EQ(Pages->HotTab(), -1);
}

TEST_F(TabControlTest, ScrollButtonsRepeatWhileHeldAndStopAtTheLastTab) {
    AddSheets(5);
    Pages->SetWidth(300);
    ShowForm();
    ASSERT_TRUE(Pages->ScrollerVisible());
    // Two point sizes square, standing on the strip's inner edge less the margin.
    const int s = 2 * Pages->Font()->Size();
    const int top = Pages->StripThickness() - s - 2;
    EXPECT_EQ(Pages->LeftScrollButtonRect(), (RECT{300 - 2 * s, top, 300 - s, top + s}));
    const RECT right = Pages->RightScrollButtonRect();
    const POINT button = At(Pages, (right.left + right.right) / 2, right.bottom - 4);
    const int lastFirst = [this, s] {
        // The smallest offset that shows the last tab whole.
        int first = 0;
        int length = 0;
        for (int i = Pages->Tabs()->Count() - 1; i >= 0; --i) {
            length += Pages->MeasureTab(i);
            if (length > 300 - 2 - 2 * s) break;
            first = i;
        }
        return first;
    }();
    ASSERT_GT(lastFirst, 3);

    MoveTo(button);
    wintest::MouseDown();
    Pump();
    EXPECT_EQ(Pages->FirstVisibleTab(), 1) << "at once";
    EXPECT_TRUE(Pages->RightButtonDown());
    wintest::PumpFor(200);
    EXPECT_EQ(Pages->FirstVisibleTab(), 1) << "the first repeat waits 300 ms";
    wintest::PumpFor(150);
    EXPECT_EQ(Pages->FirstVisibleTab(), 2);
    wintest::PumpFor(120);
    EXPECT_EQ(Pages->FirstVisibleTab(), 3) << "then every 100 ms";
    wintest::PumpFor(1000);
    EXPECT_EQ(Pages->FirstVisibleTab(), lastFirst) << "never past the last tab";
    wintest::MouseUp();
    Pump();
    EXPECT_FALSE(Pages->RightButtonDown());

    // A click on the left button moves back by one; tabs under the buttons do not take clicks.
    const RECT left = Pages->LeftScrollButtonRect();
    const POINT back = At(Pages, (left.left + left.right) / 2, left.bottom - 4);
    wintest::MouseClick(back.x, back.y);
    Pump();
    EXPECT_EQ(Pages->FirstVisibleTab(), lastFirst - 1);
    EXPECT_EQ(Pages->HitTestTab(left.left + 2, left.bottom - 4), -1);

    // Selecting a tab scrolls it into view.
    Pages->SetTabIndex(1);
    EXPECT_EQ(Pages->FirstVisibleTab(), 1);
    Pages->SetTabIndex(7);
    EXPECT_EQ(Pages->LastVisibleTab(true), 7);
}

TEST_F(TabControlTest, RowsWrapWithTheSelectedRowNextToThePage) {
    AddSheets(4);
    Pages->SetMultiLine(true);
    ShowForm();
    ASSERT_GE(Pages->TabRowCount(), 2);
    const int h = Pages->RowHeight();
    const int rows = Pages->TabRowCount();
    EXPECT_EQ(Pages->PageAreaRect().top, rows * h + 2);
    // Each row is stretched to the full length, the last tab taking the remainder.
    for (int r = 0; r < rows; ++r) {
        int last = -1;
        for (int i = 0; i < Pages->Tabs()->Count(); ++i)
            if (Pages->RowOf(i) == r) last = i;
        EXPECT_EQ(Pages->TabRect(last).right, 360 - 2) << "row " << r;
    }
    // The selected tab's row lies next to the page; the others move outwards in turn.
    const int lastTab = Pages->Tabs()->Count() - 1;
    Pages->SetTabIndex(lastTab);
    const int selectedRow = Pages->RowOf(lastTab);
    EXPECT_EQ(Pages->TabRect(lastTab).top, rows * h + 2 - h);
    EXPECT_EQ(Pages->TabRect(0).top, rows * h + 2 - (selectedRow == 0 ? 1 : rows - selectedRow + 1) * h);
    // The nearest row wins where rows overlap.
    const RECT selected = Pages->TabRect(lastTab);
    EXPECT_EQ(Pages->HitTestTab(selected.left + 3, selected.top + 3), lastTab);
    EXPECT_EQ(Pages->HitTestTab(Pages->TabRect(0).left + 3, Pages->TabRect(0).top + 3), 0);

    // The side positions need rows.
    Pages->SetTabPosition(vttpLeft);
    EXPECT_TRUE(Pages->MultiLine());
    EXPECT_THROW(Pages->SetMultiLine(false), EInvalidOperation);
    EXPECT_TRUE(Pages->MultiLine());
    EXPECT_EQ(Pages->PageAreaRect().left, Pages->StripThickness());
}

TEST_F(TabControlTest, SheetsRaiseOnShowAndOnHide) {
    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i) {
        Sheets[i]->OnShow = [&shown, i](TObject*) { shown.push_back("show " + std::to_string(i)); };
        Sheets[i]->OnHide = [&shown, i](TObject*) { shown.push_back("hide " + std::to_string(i)); };
    }
    ShowForm();
    EXPECT_EQ(shown, (Strings{"show 0"}));
    Pages->SetTabIndex(2);
    EXPECT_EQ(shown, (Strings{"show 0", "hide 0", "show 2"}));
    for (TSkTabSheet* sheet : Sheets) sheet->OnShow = sheet->OnHide = nullptr;
}

TEST_F(TabControlTest, ATabControlWithoutPagesChangesOnItsOwn) {
    auto* tabs = Add<TSkTabControl>(10, 220, 300, 100);
    std::vector<int> changes;
    tabs->OnChange = [&changes, tabs](TObject*) { changes.push_back(tabs->TabIndex()); };
    ShowForm();
    for (const char* s : {"A", "B", "C"}) tabs->Tabs()->Add(s);
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(tabs->PageCount(), 0);
    tabs->SetTabIndex(2);
    tabs->Tabs()->Delete(2);
    EXPECT_EQ(tabs->TabIndex(), 1) << "clamped to the last tab";
    EXPECT_EQ(changes, std::vector<int>{2});
    // Turning pages on frees the children it had and makes a page of each tab.
    Add<TFaceControl>(10, 30, 40, 20, tabs)->SetName("Child");
    tabs->SetUsePages(true);
    EXPECT_EQ(Form->FindComponent("Child"), nullptr);
    ASSERT_EQ(tabs->PageCount(), 2);
    EXPECT_EQ(tabs->Pages(1)->Caption(), "B");
    EXPECT_EQ(tabs->ControlCount(), 2);
}

namespace {

class TPagesTestForm : public TForm {
    TOOLKIT_CLASS(TPagesTestForm, TForm)

public:
    using TForm::TForm;
};

}  // namespace

TEST_F(TabControlTest, ADescriptionsSheetsJoinInTheirOrder) {
    TPagesTestForm form(nullptr);
    ReadDescription(&form, R"(object PagesTestForm: TPagesTestForm
  Width = 400
  Height = 300
  object PageControl1: TSkPageControl
    Left = 0
    Top = 0
    Width = 300
    Height = 200
    ActivePage = Sheet2
    TabIndex = 1
    TabPosition = vttpBottom
    HotTrack = True
    ThemeObject = 'pages'
    object Sheet1: TSkTabSheet
      Caption = 'One'
    end
    object Sheet2: TSkTabSheet
      Caption = 'Two'
      ImageIndex = 1
      PageIndex = 0
    end
    object Sheet3: TSkTabSheet
      Caption = 'Three'
      PageVisible = False
    end
  end
end
)");
    auto* control = dynamic_cast<TSkPageControl*>(form.FindComponent("PageControl1"));
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->UsePages());
    EXPECT_EQ(Captions(control), (Strings{"One", "Two"}));
    ASSERT_EQ(control->PageCount(), 3);
    EXPECT_EQ(control->Pages(1)->Name(), "Sheet2") << "a stored PageIndex does not reorder";
    EXPECT_EQ(control->Pages(1)->ImageIndex(), 1);
    EXPECT_FALSE(control->Pages(2)->PageVisible());
    EXPECT_EQ(control->TabPosition(), vttpBottom);
    EXPECT_TRUE(control->HotTrack());
    EXPECT_EQ(control->ThemeObject(), "pages");
    EXPECT_EQ(control->TabIndex(), 1);
    EXPECT_EQ(control->ActivePage(), control->Pages(1));
    EXPECT_TRUE(control->Pages(1)->Visible());
    EXPECT_FALSE(control->Pages(0)->Visible());
}

TEST_F(TabControlTest, RowsBeforeTheSelectedOneMoveToTheOppositeSide) {
    AddSheets(4);
    Pages->SetScrollOpposite(true);
    EXPECT_TRUE(Pages->MultiLine()) << "opposite rows are rows";
    ShowForm();
    const int rows = Pages->TabRowCount();
    ASSERT_GE(rows, 2);
    const int h = Pages->RowHeight();
    const int last = Pages->Tabs()->Count() - 1;
    Pages->SetTabIndex(last);
    const int selected = Pages->RowOf(last);
    ASSERT_GT(selected, 0);
    // The rows from the selected one on stay on top; the rows before it sit under the page area.
    const RECT area = Pages->PageAreaRect();
    EXPECT_EQ(area.top, (rows - selected) * h + 2);
    EXPECT_EQ(area.bottom, 200 - selected * h);
    const RECT first = Pages->TabRect(0);
    EXPECT_EQ(first.top, area.bottom - 2) << "reaching 2 pixels into the frame";
    EXPECT_EQ(first.bottom, 200 - (selected - 1) * h) << "the row just before the selected one is nearest";
    EXPECT_EQ(Pages->HitTestTab(first.left + 3, first.bottom - 3), 0);
    EXPECT_EQ(Pages->TabRect(last).bottom, area.top + 2);
}

TEST_F(TabControlTest, OwnerDrawnTabsAreDrawnByOnDrawTabAlone) {
    struct Drawn {
        int Index;
        RECT Rect;
        bool Active;
    };
    std::vector<Drawn> drawn;
    Pages->OnDrawTab = [&drawn, this](TSkTabControl* control, int index, const RECT& rect, bool active) {
        EXPECT_EQ(control, Pages);
        drawn.push_back(Drawn{index, rect, active});
    };
    Pages->SetOwnerDraw(true);
    Pages->SetTabIndex(1);
    ShowForm();
    drawn.clear();
    Pages->Repaint();
    // The unselected tabs first, then the selected one after the page frame.
    ASSERT_EQ(drawn.size(), 3u);
    const int order[] = {0, 2, 1};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(drawn[i].Index, order[i]);
        EXPECT_EQ(drawn[i].Rect, Pages->TabRect(order[i]));
        EXPECT_EQ(drawn[i].Active, order[i] == 1);
    }
    Pages->OnDrawTab = nullptr;
}

TEST_F(TabControlTest, ImagesWidenTheTabsOfPagesThatShowOne) {
    TCustomImageList images(nullptr, 16, 16);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas().Brush().SetColor(static_cast<TColor>(RGB(0xFF, 0, 0)));
    red.Canvas().FillRect(RECT{0, 0, 16, 16});
    images.Add(red, nullptr);
    images.Add(red, nullptr);
    ShowForm();
    Other->SetFocus();
    Park();
    const int plain = Pages->MeasureTab(1);
    Sheets[1]->SetImageIndex(0);
    Pages->SetImages(&images);
    EXPECT_EQ(Pages->MeasureTab(1), plain + 16);
    EXPECT_EQ(Pages->MeasureTab(2), Pages->Font()->TextExtent(Pages->Tabs()->Strings(2)).cx + 12)
        << "no image index, no room";
    // The image sits 3 pixels inside the unselected tab's top-left corner.
    const RECT tab = Pages->TabRect(1);
    const wintest::Picture picture = Crop(Pages);
    EXPECT_EQ(picture.At(tab.left + 3, tab.top + 3), 0xFF0000u);
    EXPECT_EQ(picture.At(tab.left + 18, tab.top + 18), 0xFF0000u);
    EXPECT_NE(picture.At(tab.left + 19, tab.top + 3), 0xFF0000u);
    // An image list going away takes the images with it.
    Pages->SetImages(nullptr);
    EXPECT_EQ(Pages->MeasureTab(1), plain);
}

namespace {

// A theme that defines the tab object and writes down what the control asks it to draw.
class TabTheme : public TskTheme {
public:
    bool IsTabDefined(TskKind, const std::string&) override { return true; }
    void TabDraw(TskKind, TCanvas&, const std::string&, const RECT& rect) override { Areas.push_back(rect); }
    void TabDrawTab(TskKind, TCanvas&, const std::string& name, const TskPartRecord& part) override {
        Names.push_back(name);
        Tabs.push_back({part.Part, part.State});
    }
    void TabDrawButton(TskKind, TCanvas&, const std::string&, const TskPartRecord& part) override {
        Buttons.push_back({part.Part, part.State});
    }
    void TabDrawText(TskKind, TCanvas&, const std::string&, const TskTextInfo& info, const TskPartRecord&) override {
        Texts.push_back(info.Text);
    }
    // Bounds for every object, which a tab control does not take.
    void GetObjectBounds(const std::string&, RECT& bounds) override { bounds = RECT{1, 1, 50, 50}; }
    void Clear() {
        Areas.clear();
        Names.clear();
        Tabs.clear();
        Buttons.clear();
        Texts.clear();
    }
    std::vector<RECT> Areas;
    std::vector<std::string> Names;
    std::vector<std::pair<int, int>> Tabs;  // kind, state
    std::vector<std::pair<int, int>> Buttons;
    std::vector<std::u16string> Texts;
};

}  // namespace

TEST_F(TabControlTest, AThemeThatDefinesTabsIsToldEachTabsKindAndState) {
    ShowForm();
    Other->SetFocus();
    Park();
    Pages->SetThemeObject("pages");
    auto owned = std::make_unique<TabTheme>();
    TabTheme* theme = owned.get();
    const RECT bounds = Pages->BoundsRect();
    ThemeManager()->SetCurrentTheme(std::move(owned));
    Pump();
    EXPECT_EQ(Pages->BoundsRect(), bounds) << "the theme's bounds are not applied";
    using Pairs = std::vector<std::pair<int, int>>;
    const struct {
        const char* Name;
        std::function<void()> Set;
        Pairs Tabs;  // in drawing order: unselected ones, then the selected one
    } cases[] = {
        {"first selected", [] {}, {{0, 0}, {2, 0}, {1, 3}}},
        {"middle selected, last hot",
         [this] {
             Pages->SetTabIndex(1);
             MoveTo(TabCentre(2));
         },
         {{1, 0}, {2, 1}, {0, 3}}},
        {"selected and hot", [this] { MoveTo(TabCentre(1)); }, {{1, 0}, {2, 0}, {0, 4}}},
        {"disabled", [this] { Pages->SetEnabled(false); }, {{1, 2}, {2, 2}, {0, 5}}},
    };
    for (const auto& c : cases) {
        c.Set();
        Pump();
        theme->Clear();
        Pages->Repaint();
        EXPECT_EQ(theme->Tabs, c.Tabs) << c.Name;
        EXPECT_EQ(theme->Names, std::vector<std::string>(3, "pages")) << c.Name;
        ASSERT_EQ(theme->Areas.size(), 1u) << c.Name;
        EXPECT_EQ(theme->Areas[0], Pages->PageAreaRect()) << c.Name;
        EXPECT_EQ(theme->Texts.size(), 3u) << c.Name;
    }
    Pages->SetEnabled(true);
    // Scroll buttons: left kind 1, right kind 4; the other positions' tabs are 9, 3 and 6.
    Pages->SetWidth(150);
    Park();
    theme->Clear();
    Pages->Repaint();
    EXPECT_EQ(theme->Buttons, (Pairs{{1, 0}, {4, 0}}));
    const struct {
        TSkTabPosition Side;
        int Kind;
    } sides[] = {{vttpBottom, 9}, {vttpLeft, 3}, {vttpRight, 6}};
    for (const auto& side : sides) {
        Pages->SetTabPosition(side.Side);
        theme->Clear();
        Pages->Repaint();
        ASSERT_FALSE(theme->Tabs.empty());
        for (const auto& tab : theme->Tabs) EXPECT_EQ(tab.first, side.Kind) << side.Side;
    }
    ThemeManager()->RemoveCurrentTheme();
}

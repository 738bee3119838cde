// TPageControl on a shown form: switching pages by mouse, Ctrl+Tab, arrows and accelerators with the OnChanging
// veto, hidden tabs, the focus leaving a sheet that hides, and the bookkeeping of pages.
#include "PageFormFixture.h"

#include <toolkit/Reader.h>

namespace {

using Steps = std::vector<std::string>;

TEST_F(PageForm, ClickOnATabSelectsItsPageAndFocusesTheStrip) {
    ClickTab(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_EQ(Pages->ActivePageIndex(), 1);
    EXPECT_EQ(Pages->TabIndex(), 1);
    EXPECT_EQ(Log, (Steps{"changing from 0", "change to 1"}));
    EXPECT_EQ(GetFocus(), Pages->Handle());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Sheets[i]->Visible(), i == 1) << i;
        EXPECT_EQ(IsWindowVisible(Sheets[i]->Handle()) != FALSE, i == 1) << i;
    }
    // A click on the tab that is already selected changes nothing.
    Log.clear();
    ClickTab(1);
    EXPECT_TRUE(Log.empty());
    // Neither does a click on the strip beside the tabs or on the page.
    RECT last = Pages->TabRect(2);
    Click(last.right + 20, last.top + 5);
    Click(100, 100);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_TRUE(Log.empty());
}

TEST_F(PageForm, CtrlTabSwitchesPagesFromInsideASheetAndWraps) {
    Fields[0]->SetFocus();
    Application->ProcessMessages();
    struct {
        unsigned Modifiers;
        int Expected;
    } steps[] = {
        {wintest::Control, 1},
        {wintest::Control, 2},
        {wintest::Control, 0},
        {wintest::Control | wintest::Shift, 2},
        {wintest::Control | wintest::Shift, 1},
    };
    int from = 0;
    for (const auto& step : steps) {
        Log.clear();
        Key(VK_TAB, step.Modifiers);
        EXPECT_EQ(Pages->ActivePageIndex(), step.Expected);
        EXPECT_EQ(Log, (Steps{"changing from " + std::to_string(from), "change to " + std::to_string(step.Expected)}));
        // The focus went with the page: into the first control of the sheet that shows.
        EXPECT_EQ(GetFocus(), Fields[step.Expected]->Handle());
        from = step.Expected;
    }
    // From the focused strip too.
    Pages->SetFocus();
    Key(VK_TAB, wintest::Control);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_EQ(GetFocus(), Pages->Handle());
}

TEST_F(PageForm, CtrlTabIsLeftToTheFormOutsideThePageControl) {
    Outside->SetFocus();
    Application->ProcessMessages();
    Key(VK_TAB, wintest::Control);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    EXPECT_TRUE(Log.empty());
    // A plain Tab still moves the focus in Tab order.
    Key(VK_TAB);
    EXPECT_NE(GetFocus(), Outside->Handle());
}

TEST_F(PageForm, ArrowsOnTheFocusedStripStepWithoutWrapping) {
    Pages->SetFocus();
    Application->ProcessMessages();
    struct {
        UINT Key;
        int Expected;
        bool Changes;
    } steps[] = {
        {VK_RIGHT, 1, true}, {VK_RIGHT, 2, true}, {VK_RIGHT, 2, false}, {VK_DOWN, 2, false},
        {VK_LEFT, 1, true},  {VK_UP, 0, true},    {VK_LEFT, 0, false},
    };
    for (const auto& step : steps) {
        Log.clear();
        Key(step.Key);
        EXPECT_EQ(Pages->ActivePageIndex(), step.Expected) << step.Key;
        EXPECT_EQ(Log.size(), step.Changes ? 2u : 0u) << step.Key;
        EXPECT_EQ(GetFocus(), Pages->Handle());
    }
    // Ctrl+PageDown and Ctrl+PageUp wrap around as Ctrl+Tab does.
    Key(VK_PRIOR, wintest::Control);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    Key(VK_NEXT, wintest::Control);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    EXPECT_EQ(Log.back(), "change to 0");
    // Inside a sheet the arrows belong to the form (they move among the sheet's controls), not to the strip.
    Fields[0]->SetFocus();
    Key(VK_RIGHT);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
}

TEST_F(PageForm, OnChangingVetoesEveryWayOfChanging) {
    Veto = true;
    struct {
        const char* Name;
        std::function<void()> Act;
    } ways[] = {
        {"click", [this] { ClickTab(2); }},
        {"Ctrl+Tab",
         [this] {
             Fields[0]->SetFocus();
             Key(VK_TAB, wintest::Control);
         }},
        {"arrow",
         [this] {
             Pages->SetFocus();
             Key(VK_RIGHT);
         }},
        {"accelerator",
         [this] {
             Pages->SetFocus();
             Key('G', wintest::Alt);
         }},
        {"SelectNextPage", [this] { Pages->SelectNextPage(true); }},
    };
    for (const auto& way : ways) {
        Log.clear();
        way.Act();
        Application->ProcessMessages();
        EXPECT_EQ(Pages->ActivePage(), Sheets[0]) << way.Name;
        EXPECT_TRUE(Sheets[0]->Visible()) << way.Name;
        EXPECT_FALSE(Sheets[1]->Visible() || Sheets[2]->Visible()) << way.Name;
        EXPECT_EQ(Log, (Steps{"changing from 0"})) << way.Name;
    }
}

TEST_F(PageForm, AnAcceleratorInACaptionSelectsItsTab) {
    // The third caption is "&Gamma".
    Pages->SetFocus();
    Key('G', wintest::Alt);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_EQ(Log, (Steps{"changing from 0", "change to 2"}));
}

TEST_F(PageForm, SettingThePageByCodeRaisesNoEvents) {
    Pages->SetActivePage(Sheets[2]);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_TRUE(Sheets[2]->Visible());
    EXPECT_FALSE(Sheets[0]->Visible());
    Pages->SetTabIndex(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    Pages->SetActivePageIndex(0);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    // A sheet of another page control is no page of this one.
    TTabSheet stranger(nullptr);
    Pages->SetActivePage(&stranger);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    Pages->SetActivePage(nullptr);
    EXPECT_EQ(Pages->ActivePage(), nullptr);
    EXPECT_EQ(Pages->TabIndex(), -1);
    EXPECT_FALSE(Sheets[0]->Visible());
    Application->ProcessMessages();
    EXPECT_TRUE(Log.empty());
}

TEST_F(PageForm, HiddenTabsAreSkipped) {
    Sheets[1]->SetTabVisible(false);
    EXPECT_EQ(Sheets[0]->TabIndex(), 0);
    EXPECT_EQ(Sheets[1]->TabIndex(), -1);
    EXPECT_EQ(Sheets[2]->TabIndex(), 1);
    EXPECT_EQ(Sheets[2]->PageIndex(), 2);
    // The second tab on the strip is now the third sheet's.
    ClickTab(1);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->TabIndex(), 1);
    Fields[2]->SetFocus();
    Key(VK_TAB, wintest::Control);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    Key(VK_TAB, wintest::Control | wintest::Shift);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    Pages->SetFocus();
    Key(VK_LEFT);
    EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->FindNextPage(Sheets[0], true, true), Sheets[2]);
    EXPECT_EQ(Pages->FindNextPage(Sheets[0], true, false), Sheets[1]);

    // Code may still show a sheet whose tab is hidden (a wizard's pages): no tab is selected then.
    Pages->SetActivePage(Sheets[1]);
    EXPECT_TRUE(Sheets[1]->Visible());
    EXPECT_EQ(Pages->TabIndex(), -1);
    Sheets[1]->SetTabVisible(true);
    EXPECT_EQ(Pages->TabIndex(), 1);
}

TEST_F(PageForm, TheFocusLeavesASheetThatHides) {
    Fields[0]->SetFocus();
    Application->ProcessMessages();
    Pages->SetActivePage(Sheets[1]);
    Application->ProcessMessages();
    EXPECT_EQ(GetFocus(), Fields[1]->Handle());
    EXPECT_EQ(Form->ActiveControl(), Fields[1]);
    // A sheet with nothing focusable takes the focus itself.
    Fields[2]->SetEnabled(false);
    Pages->SetActivePage(Sheets[2]);
    Application->ProcessMessages();
    EXPECT_EQ(GetFocus(), Sheets[2]->Handle());
    // With the focus outside the page control, switching pages leaves it where it is.
    Outside->SetFocus();
    Pages->SetActivePage(Sheets[0]);
    EXPECT_EQ(GetFocus(), Outside->Handle());
    // The focus also leaves a sheet that goes away with its page control's active page.
    Fields[0]->SetFocus();
    delete Sheets[0];
    Sheets[0] = nullptr;
    Application->ProcessMessages();
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    EXPECT_NE(GetFocus(), nullptr);
    EXPECT_EQ(Form->ActiveControl() == Fields[0], false);
}

TEST_F(PageForm, OnShowAndOnHideFollowTheActivePage) {
    Steps shown;
    for (int i = 0; i < 3; ++i) {
        Sheets[i]->OnShow = [&shown, i](TObject*) { shown.push_back("show " + std::to_string(i)); };
        Sheets[i]->OnHide = [&shown, i](TObject*) { shown.push_back("hide " + std::to_string(i)); };
    }
    ClickTab(2);
    Pages->SetActivePage(Sheets[1]);
    EXPECT_EQ(shown, (Steps{"show 2", "hide 0", "show 1", "hide 2"}));
    for (TTabSheet* sheet : Sheets) sheet->OnShow = sheet->OnHide = nullptr;
}

TEST_F(PageForm, SheetsFillTheDisplayRectangleInsideFrameAndStrip) {
    RECT display = Pages->DisplayRect();
    RECT tab = Pages->TabRect(0);
    // Two pixels of frame and two of margin around the pages; the frame starts where the tabs end.
    EXPECT_EQ(display.left, 4);
    EXPECT_EQ(display.top, tab.bottom + 4);
    EXPECT_EQ(display.right, Pages->ClientWidth() - 4);
    EXPECT_EQ(display.bottom, Pages->ClientHeight() - 4);
    RECT bounds = Sheets[0]->BoundsRect();
    EXPECT_TRUE(EqualRect(&bounds, &display));
    // A page shown later is placed there too, and the tab height follows TabHeight.
    Pages->SetTabHeight(30);
    ClickTab(1);
    display = Pages->DisplayRect();
    bounds = Sheets[1]->BoundsRect();
    EXPECT_EQ(display.top, 2 + 30 + 4);
    EXPECT_TRUE(EqualRect(&bounds, &display));
    // At the bottom the strip and the display area change places.
    Pages->SetTabPosition(tpBottom);
    display = Pages->DisplayRect();
    bounds = Sheets[1]->BoundsRect();
    EXPECT_EQ(display.top, 4);
    EXPECT_EQ(display.bottom, Pages->ClientHeight() - 32 - 4);
    EXPECT_TRUE(EqualRect(&bounds, &display));
    tab = Pages->TabRect(2);
    EXPECT_EQ(tab.bottom, Pages->ClientHeight() - 2);
    ClickTab(2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_THROW(Pages->SetTabPosition(tpLeft), EInvalidOperation);
    EXPECT_THROW(Pages->SetStyle(tsButtons), EInvalidOperation);
    EXPECT_EQ(Pages->TabPosition(), tpBottom);
}

TEST_F(PageForm, TabsTooWideForTheStripScrollBehindArrows) {
    for (int i = 0; i < 3; ++i) Sheets[i]->SetCaption("A rather long caption " + std::to_string(i));
    Pages->SetWidth(200);
    Application->ProcessMessages();
    ASSERT_TRUE(Pages->ScrollArrowsShown());
    EXPECT_EQ(Pages->FirstVisibleTab(), 0);
    // The right arrow scrolls one tab; nothing under the arrows counts as a tab.
    RECT tab = Pages->TabRect(0);
    int arrowY = (tab.top + tab.bottom) / 2;
    EXPECT_EQ(Pages->IndexOfTabAt(Pages->ClientWidth() - 4, arrowY), -1);
    Click(Pages->ClientWidth() - 4, arrowY);
    EXPECT_EQ(Pages->FirstVisibleTab(), 1);
    EXPECT_EQ(Pages->ActivePageIndex(), 0);
    EXPECT_TRUE(Log.empty());
    Click(Pages->ClientWidth() - 4 - (tab.bottom - tab.top), arrowY);
    EXPECT_EQ(Pages->FirstVisibleTab(), 0);
    // Moving to the last tab scrolls it into view; back to the first scrolls back.
    Pages->SetFocus();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(Pages->ActivePageIndex(), 2);
    EXPECT_GT(Pages->FirstVisibleTab(), 0);
    EXPECT_GE(Pages->IndexOfTabAt(Pages->TabRect(2).left + 3, arrowY), 2);
    Pages->SetActivePageIndex(0);
    EXPECT_EQ(Pages->FirstVisibleTab(), 0);
    // Wide enough again: no arrows.
    Pages->SetWidth(600);
    EXPECT_FALSE(Pages->ScrollArrowsShown());
}

TEST_F(PageForm, MultiLineWrapsTheTabsWithTheSelectedRowNextToThePages) {
    for (int i = 0; i < 3; ++i) Sheets[i]->SetCaption("A rather long caption " + std::to_string(i));
    Pages->SetWidth(200);
    Pages->SetMultiLine(true);
    Application->ProcessMessages();
    EXPECT_FALSE(Pages->ScrollArrowsShown());
    ASSERT_EQ(Pages->RowCount(), 3);
    int rowHeight = Pages->TabRect(0).bottom - Pages->TabRect(0).top;
    int stripBottom = 2 + 3 * rowHeight;
    RECT display = Pages->DisplayRect(), bounds = Sheets[0]->BoundsRect();
    EXPECT_EQ(display.top, stripBottom + 4);
    EXPECT_TRUE(EqualRect(&bounds, &display));
    // Every row is stretched over the strip; the selected tab's row touches the page frame.
    for (int i = 0; i < 3; ++i) {
        RECT tab = Pages->TabRect(i);
        EXPECT_EQ(tab.left, 2) << i;
        EXPECT_EQ(tab.right, Pages->ClientWidth() - 2) << i;
    }
    EXPECT_EQ(Pages->TabRect(0).bottom, stripBottom);
    // Picking a tab in an outer row brings its row to the pages.
    RECT outer = Pages->TabRect(2);
    EXPECT_LT(outer.bottom, stripBottom);
    ClickTab(2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
    EXPECT_EQ(Pages->TabRect(2).bottom, stripBottom);
    EXPECT_EQ(Log, (Steps{"changing from 0", "change to 2"}));
    // Back to one row: the pages grow and the arrows take over.
    Pages->SetMultiLine(false);
    EXPECT_EQ(Pages->RowCount(), 1);
    EXPECT_TRUE(Pages->ScrollArrowsShown());
    bounds = Sheets[2]->BoundsRect();
    EXPECT_EQ(bounds.top, 2 + rowHeight + 4);
}

TEST_F(PageForm, PagesJoinLeaveAndReorder) {
    EXPECT_EQ(Pages->PageCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Pages->Pages(i), Sheets[i]);
        EXPECT_EQ(Sheets[i]->PageControl(), Pages);
        EXPECT_EQ(Sheets[i]->Parent(), Pages);
        EXPECT_EQ(Sheets[i]->Owner(), Form.get());
    }
    EXPECT_EQ(Pages->Pages(3), nullptr);
    EXPECT_EQ(Pages->Pages(-1), nullptr);

    Sheets[2]->SetPageIndex(0);
    EXPECT_EQ(Pages->Pages(0), Sheets[2]);
    EXPECT_EQ(Pages->Pages(1), Sheets[0]);
    EXPECT_EQ(Sheets[0]->TabIndex(), 1);
    Sheets[2]->SetPageIndex(99);  // clamped to the last place
    EXPECT_EQ(Pages->Pages(2), Sheets[2]);

    // Into another page control: the first page there becomes its active page; here the next one takes over.
    TPageControl other(nullptr);
    other.SetParent(Form.get());
    Sheets[0]->SetPageControl(&other);
    EXPECT_EQ(Sheets[0]->Parent(), &other);
    EXPECT_EQ(other.ActivePage(), Sheets[0]);
    EXPECT_EQ(Pages->PageCount(), 2);
    EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
    // Parenting elsewhere takes a sheet out of the pages too.
    Sheets[0]->SetParent(Form.get());
    EXPECT_EQ(Sheets[0]->PageControl(), nullptr);
    EXPECT_EQ(other.PageCount(), 0);
    EXPECT_EQ(other.ActivePage(), nullptr);
    EXPECT_EQ(Sheets[0]->PageIndex(), -1);
    EXPECT_EQ(Sheets[0]->TabIndex(), -1);
    Sheets[0]->SetPageControl(Pages);
    EXPECT_EQ(Pages->Pages(2), Sheets[0]);
    EXPECT_FALSE(Sheets[0]->Visible());

    // Destroying the page control destroys its sheets; the form forgets them.
    int before = Form->ComponentCount();
    delete Pages;
    Pages = nullptr;
    EXPECT_EQ(Form->ComponentCount(), before - 7);
}

// A form read from a description, as the program's windows are.
class TPagesDialog : public TForm {
    TOOLKIT_CLASS(TPagesDialog, TForm)

public:
    explicit TPagesDialog(TComponent* owner, const std::string& activePage) : TForm(owner) {
        ReadDescription(this,
                        u8"object PagesDialog: TPagesDialog\n"
                        u8"  Left = 20\n  Top = 30\n  Width = 400\n  Height = 300\n"
                        u8"  object PageControl1: TPageControl\n"
                        u8"    Left = 8\n    Top = 8\n    Width = 300\n    Height = 200\n" +
                            activePage +
                            u8"    TabHeight = 20\n"
                            u8"    OnChange = PagesChange\n"
                            u8"    object TabSheet1: TTabSheet\n"
                            u8"      Caption = '第1组(16汉字或32字符)'\n"
                            u8"    end\n"
                            u8"    object TabSheet2: TTabSheet\n"
                            u8"      Caption = '第2组'\n"
                            u8"      ImageIndex = 2\n"
                            u8"    end\n"
                            u8"    object TabSheet3: TTabSheet\n"
                            u8"      Caption = '第3组'\n"
                            u8"      TabVisible = False\n"
                            u8"      Color = 14218716\n"
                            u8"    end\n"
                            u8"  end\n"
                            u8"end\n");
    }
    void PagesChange(TObject*) { ++Changes; }

    TPageControl* PageControl1 = nullptr;
    TTabSheet* TabSheet1 = nullptr;
    TTabSheet* TabSheet2 = nullptr;
    TTabSheet* TabSheet3 = nullptr;
    int Changes = 0;
};

const auto publishedPagesDialog = Publish<TPagesDialog>()
                                      .Method("PagesChange", &TPagesDialog::PagesChange)
                                      .Field("PageControl1", &TPagesDialog::PageControl1)
                                      .Field("TabSheet1", &TPagesDialog::TabSheet1)
                                      .Field("TabSheet2", &TPagesDialog::TabSheet2)
                                      .Field("TabSheet3", &TPagesDialog::TabSheet3);

TEST(PageControlDescription, ThreeSheetsAndTheActivePageAreRead) {
    TPagesDialog dialog(nullptr, "    ActivePage = TabSheet2\n");
    TPageControl* pages = dialog.PageControl1;
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->PageCount(), 3);
    TTabSheet* sheets[] = {dialog.TabSheet1, dialog.TabSheet2, dialog.TabSheet3};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(pages->Pages(i), sheets[i]);
        EXPECT_EQ(sheets[i]->PageControl(), pages);
        EXPECT_EQ(sheets[i]->Owner(), &dialog);
    }
    EXPECT_EQ(pages->ActivePage(), dialog.TabSheet2);
    EXPECT_TRUE(dialog.TabSheet2->Visible());
    EXPECT_FALSE(dialog.TabSheet1->Visible());
    EXPECT_EQ(dialog.TabSheet1->Caption(), "第1组(16汉字或32字符)");
    EXPECT_EQ(dialog.TabSheet2->ImageIndex(), 2);
    EXPECT_FALSE(dialog.TabSheet3->TabVisible());
    EXPECT_EQ(dialog.TabSheet3->Color(), TColor(14218716));
    EXPECT_EQ(pages->TabHeight(), 20);
    EXPECT_EQ(dialog.TabSheet3->TabIndex(), -1);
    // Reading raised no OnChange; the bound handler runs on a user change.
    EXPECT_EQ(dialog.Changes, 0);
    pages->SelectNextPage(false);
    EXPECT_EQ(pages->ActivePage(), dialog.TabSheet1);
    EXPECT_EQ(dialog.Changes, 1);
}

TEST(PageControlDescription, WithoutActivePageTheFirstShownTabIsActive) {
    TPagesDialog dialog(nullptr, "");
    EXPECT_EQ(dialog.PageControl1->ActivePage(), dialog.TabSheet1);
    EXPECT_TRUE(dialog.TabSheet1->Visible());
}

TEST(PageControlDescription, AnActivePageThatIsNoSheetIsAnError) {
    EXPECT_THROW(TPagesDialog(nullptr, "    ActivePage = PageControl1\n"), EReadError);
}

}  // namespace

// The main window as the operator first meets it: defaults without Config.ini, the switch between 8 and 16
// channels, the check boxes that groups 1 and 2 mirror from group 0, the text length limits and the clock label.
#include "ProgramFixture.h"

#include <Png.h>
#include <skin/ThemeManager.h>

#include <regex>

namespace {

const char* const FullWidth[] = {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"};

}  // namespace

class MainWindowTest : public ProgramFixture {
protected:
    // The main window as shown, its clock stopped at a fixed time: the label's text and width follow the time of
    // day.
    wintest::Picture MainWindowPicture() {
        Form1->Timer1->SetEnabled(false);
        Form1->lbDateTime->SetCaption(u"2026-01-01 08:00:00");
        Pump();
        return wintest::Screenshot(Form1->Handle());
    }
};

namespace {

::testing::AssertionResult LooksLike(const wintest::Picture& picture, const std::string& name) {
    if (picture.Empty()) return ::testing::AssertionFailure() << "no picture";
    return MatchesGolden(std::string(TEST_SOURCE_DIR) + "/app/windows/data/" + name, picture.Width, picture.Height,
                         picture.Pixels.data());
}

}  // namespace

TEST_F(MainWindowTest, TheMainWindowInEachLookAndSwitchedAtRunTime) {
    wintest::ScopedVisualStyles classic(false);
    StartProgram();
    EXPECT_TRUE(LooksLike(MainWindowPicture(), "main-window-classic.png"));
    wintest::SetVisualStylesActive(true);
    Pump();
    EXPECT_TRUE(LooksLike(MainWindowPicture(), "main-window-styled.png"));
    wintest::SetVisualStylesActive(false);
    Pump();
    EXPECT_TRUE(LooksLike(MainWindowPicture(), "main-window-classic.png")) << "back to classic at run time";
}

TEST_F(MainWindowTest, TheGroupSheetsFillThePageAreaUnderTabsThatEndBeforeTheHelpButton) {
    StartProgram();
    TSkPageControl* pages = Form1->PageControl1;
    ASSERT_EQ(pages->PageCount(), 3);
    std::vector<std::string> captions;
    for (int i = 0; i < pages->Tabs()->Count(); ++i) captions.push_back(pages->Tabs()->Strings(i));
    EXPECT_EQ(captions,
              (std::vector<std::string>{"第1组(16汉字或32字符)", "第2组(16汉字或32字符)", "第3组(6汉字或12字符)"}));
    EXPECT_EQ(pages->TabPosition(), vttpTop);
    EXPECT_FALSE(pages->ScrollerVisible()) << "the three tabs fit in one row";
    EXPECT_LE(pages->TabRect(2).right, Form1->btnHelp->Left()) << "the help button covers no tab";
    // The pages fill the frame under the strip, 3 pixels in; each scroll box fills its page.
    const int h = pages->RowHeight();
    for (TSkTabSheet* sheet : {Form1->SkTabSheet1, Form1->SkTabSheet2, Form1->SkTabSheet3}) {
        pages->SetActivePage(sheet);
        const RECT bounds = sheet->BoundsRect();
        EXPECT_EQ(bounds.left, 3);
        EXPECT_EQ(bounds.top, h + 5);
        EXPECT_EQ(bounds.right, pages->Width() - 3);
        EXPECT_EQ(bounds.bottom, pages->Height() - 3);
        TControl* box = sheet->Controls(0);
        EXPECT_EQ(box->Width(), sheet->Width());
        EXPECT_EQ(box->Height(), sheet->Height());
    }
}

TEST_F(MainWindowTest, FirstStartWithoutConfigShowsTheDefaults) {
    StartProgram();
    EXPECT_TRUE(Boxes.empty());
    EXPECT_GT(reinterpret_cast<LONG_PTR>(PortHandle), 0) << "COM1 (the emulator) is opened at start-up";
    EXPECT_EQ(Form1->cbbChCount->Text(), "8路");
    EXPECT_FALSE(Form1->Gauge1->Visible());
    for (const TMyObject& record : Groups) {
        ASSERT_EQ(record.BuiltCount, 8);
        ASSERT_EQ(record.Checks.size(), 8u);
        for (int i = 0; i < 8; ++i) {
            auto at = static_cast<size_t>(i);
            SCOPED_TRACE("group " + std::to_string(record.GroupIndex) + " row " + std::to_string(i));
            std::string number = "0" + std::to_string(i + 1);
            EXPECT_FALSE(record.Checks[at]->Checked());
            EXPECT_EQ(record.Checks[at]->Enabled(), record.GroupIndex == 0);
            EXPECT_EQ(record.NameLabels[at]->Caption(), "通道" + number);
            EXPECT_EQ(record.TextEdits[at]->Text(), std::string("通道") + FullWidth[0] + FullWidth[i + 1]);
            EXPECT_EQ(record.XEdits[at]->Value(), 1);
            EXPECT_EQ(record.YEdits[at]->Value(), 0);
            EXPECT_EQ(record.SizeBoxes[at]->Text(), "大");
            EXPECT_EQ(record.TextEdits[at]->Parent(), record.Host);
        }
    }
    EXPECT_TRUE(Form1->ckbDateTime->Checked());
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->SkTabSheet1);

    // The clock label leaves its design text at the first tick, half a second after the start.
    wintest::PumpFor(700);
    EXPECT_TRUE(std::regex_match(Form1->lbDateTime->Text(),
                                 std::regex("20[0-9]{2}-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]")))
        << Form1->lbDateTime->Text();
}

TEST_F(MainWindowTest, AtSixteenChannelsInALowerWindowTheSkinnedBarScrollsTheLastRowIntoViewToBeTypedInto) {
    StartProgram();
    for (TSkScrollBox* box : {Form1->ScrollBox1, Form1->ScrollBox2, Form1->ScrollBox3})
        EXPECT_FALSE(box->OverlayBars()->VertOverlay()->Visible()) << "eight rows fit";
    ChooseChannelCount(1);
    TSkScrollBox* box = Form1->ScrollBox1;
    TSkInplaceScrollBar* overlay = box->OverlayBars()->VertOverlay();
    EXPECT_FALSE(overlay->Visible()) << "at the window's first size sixteen rows fit as well";
    // The operator makes the window lower: the rows no longer fit.
    Form1->SetHeight(Form1->Height() - 80);
    Pump();
    ASSERT_TRUE(overlay->Visible()) << "the skinned bar lies over the box's own";
    TEdit* last = Groups[0].TextEdits[15];
    ASSERT_GT(last->Top() + last->Height(), box->ClientHeight()) << "the last row starts out of view";

    // The thumb dragged to the end of its track.
    TSkScrollBar* bar = overlay->ScrollBar();
    const POINT grab = bar->ClientToScreen(POINT{8, bar->ThumbRect().top + 2});
    wintest::MouseMove(grab.x, grab.y);
    wintest::MouseDown();
    Pump();
    const POINT end = bar->ClientToScreen(POINT{8, bar->Height() + 40});
    wintest::MouseMove(end.x, end.y);
    wintest::MouseUp();
    Pump();
    const int bottom = box->VertScrollBar()->Range() - box->ClientHeight();
    EXPECT_EQ(box->VertScrollBar()->Position(), bottom);
    EXPECT_EQ(bar->Position(), bottom) << "the skinned bar shows where the box is";
    EXPECT_GE(last->Top(), 0);
    EXPECT_LE(last->Top() + last->Height(), box->ClientHeight()) << "the last row is in view";

    Click(last);
    Press(VK_END);
    Type(u"末");
    EXPECT_EQ(last->Text(), std::string("通道") + FullWidth[1] + FullWidth[6] + "末");

    // The wheel brings the first row back, and the skinned thumb with it.
    const POINT middle = box->ClientToScreen(POINT{200, 200});
    wintest::MouseMove(middle.x, middle.y);
    for (int notch = 0; notch < 10; ++notch) wintest::Wheel(WHEEL_DELTA);
    Pump();
    EXPECT_EQ(box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(Groups[0].TextEdits[0]->Top(), 5);
}

TEST_F(MainWindowTest, SixteenChannelsAddRowsBelowAGapAndEightDiscardsUnsavedEdits) {
    StartProgram();
    ChooseChannelCount(1);
    EXPECT_EQ(Form1->cbbChCount->Text(), "16路");
    EXPECT_EQ(RowCount, 16);
    for (const TMyObject& record : Groups) {
        EXPECT_EQ(record.BuiltCount, 16);
        EXPECT_EQ(record.TextEdits.size(), 16u);
    }
    // Rows lie 25 pixels apart with 10 more after every fourth; tops are in the unscrolled scroll box.
    const TMyObject& group0 = Groups[0];
    ASSERT_EQ(Form1->ScrollBox1->VertScrollBar()->Position(), 0);
    struct {
        int Row, CheckTop, EditTop, LabelTop;
    } rows[] = {{0, 9, 5, 10},      {3, 84, 80, 85},    {4, 119, 115, 120},
                {7, 194, 190, 195}, {8, 229, 225, 230}, {15, 414, 410, 415}};
    for (const auto& row : rows) {
        auto at = static_cast<size_t>(row.Row);
        SCOPED_TRACE("row " + std::to_string(row.Row));
        EXPECT_EQ(group0.Checks[at]->Top(), row.CheckTop);
        EXPECT_EQ(group0.Checks[at]->Left(), 5);
        EXPECT_EQ(group0.Checks[at]->Width(), 14);
        EXPECT_EQ(group0.NameLabels[at]->Top(), row.CheckTop);
        EXPECT_EQ(group0.NameLabels[at]->Left(), 22);
        EXPECT_EQ(group0.TextEdits[at]->Top(), row.EditTop);
        EXPECT_EQ(group0.XLabels[at]->Top(), row.LabelTop);
        EXPECT_EQ(group0.YEdits[at]->Top(), row.EditTop);
        // Left to right, five pixels apart.
        EXPECT_EQ(group0.TextEdits[at]->Left(), group0.NameLabels[at]->Left() + group0.NameLabels[at]->Width() + 5);
        EXPECT_EQ(group0.TextEdits[at]->Width(), 240);
        EXPECT_EQ(group0.XLabels[at]->Left(), group0.TextEdits[at]->Left() + 240 + 5);
        EXPECT_EQ(group0.XEdits[at]->Left(), group0.XLabels[at]->Left() + group0.XLabels[at]->Width() + 5);
        EXPECT_EQ(group0.XEdits[at]->Width(), 50);
        EXPECT_EQ(group0.YLabels[at]->Left(), group0.XEdits[at]->Left() + 50 + 5);
        EXPECT_EQ(group0.YEdits[at]->Left(), group0.YLabels[at]->Left() + group0.YLabels[at]->Width() + 5);
        EXPECT_EQ(group0.SizeBoxes[at]->Left(), group0.YEdits[at]->Left() + 50 + 5);
        EXPECT_EQ(group0.SizeBoxes[at]->Width(), 40);
    }
    EXPECT_EQ(Groups[2].TextEdits[15]->Text(), "通道１６");
    EXPECT_EQ(Groups[2].NameLabels[15]->Caption(), "通道16");

    // An edit typed but never saved is replaced by the file's (here the default) value when the count changes.
    Click(group0.TextEdits[0]);
    Press(VK_END);
    Type(u"改");
    EXPECT_EQ(group0.TextEdits[0]->Text(), "通道０１改");
    ChooseChannelCount(0);
    EXPECT_EQ(RowCount, 8);
    for (const TMyObject& record : Groups) {
        EXPECT_EQ(record.BuiltCount, 8);
        EXPECT_EQ(record.Checks.size(), 8u);
    }
    EXPECT_EQ(group0.TextEdits[0]->Text(), "通道０１");
    EXPECT_EQ(Form1->ScrollBox1->ControlCount(), 8 * 8) << "the rows beyond the eighth are destroyed";
}

TEST_F(MainWindowTest, GroupZeroTicksTheSameRowInGroupsOneAndTwoWhichDoNotReactToClicks) {
    PrepareConfig("[Check1]\n02=1\n");
    StartProgram();
    Click(Groups[0].Checks[3]);
    for (const TMyObject& record : Groups) EXPECT_TRUE(record.Checks[3]->Checked()) << record.GroupIndex;
    // Group 1's own stored state of row 2 stays until group 0's row 2 is clicked.
    EXPECT_FALSE(Groups[0].Checks[2]->Checked());
    EXPECT_TRUE(Groups[1].Checks[2]->Checked());
    EXPECT_FALSE(Groups[2].Checks[2]->Checked());

    for (int sheet : {1, 2}) {
        ClickTab(sheet);
        ASSERT_EQ(Form1->PageControl1->ActivePageIndex(), sheet);
        const TMyObject& record = Groups[static_cast<size_t>(sheet)];
        Click(record.Checks[3]);
        Click(record.Checks[4]);
        EXPECT_TRUE(record.Checks[3]->Checked()) << sheet;
        EXPECT_FALSE(record.Checks[4]->Checked()) << sheet;
    }
    ClickTab(0);
    Click(Groups[0].Checks[3]);
    Click(Groups[0].Checks[2]);
    for (const TMyObject& record : Groups) {
        EXPECT_FALSE(record.Checks[3]->Checked()) << record.GroupIndex;
        EXPECT_TRUE(record.Checks[2]->Checked()) << record.GroupIndex;
    }
}

TEST_F(MainWindowTest, TypingStopsAtTheGroupsByteLimit) {
    StartProgram();
    struct {
        int Group;
        std::u16string Typed;
        std::string Expected;
    } cases[] = {
        {2, u"一二三四五六七", "一二三四五六"},
        {2, u"abcdefghijklmn", "abcdefghijkl"},
        {2, u"abcdefghijk一", "abcdefghijk"},  // a character never split: one byte left is not enough
        {0, u"一二三四五六七八九十一二三四五六七", "一二三四五六七八九十一二三四五六"},
        {1, std::u16string(40, u'x'), std::string(32, 'x')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Expected);
        ClickTab(c.Group);
        TEdit* edit = Groups[static_cast<size_t>(c.Group)].TextEdits[1];
        Click(edit);
        Press(VK_HOME);
        Press(VK_END, wintest::Shift);
        Press(VK_DELETE);
        ASSERT_EQ(edit->Text(), "");
        Type(c.Typed);
        EXPECT_EQ(edit->Text(), c.Expected);
    }
}

// exit() with the main window alive (as a library's fatal-error path calls it): the process ends with the status
// given, the fonts, fontconfig and the toolkit's objects released in an order that does not crash.
TEST_F(MainWindowTest, ExitWithTheMainWindowAliveEndsWithItsStatus) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StartProgram();
            std::exit(1);
        },
        ::testing::ExitedWithCode(1), "");
}

// The window's engine component chooses no theme: every window keeps the look it draws itself.
TEST_F(MainWindowTest, TheEngineComponentChoosesNoTheme) {
    StartProgram();
    ASSERT_NE(Form1->SkSkinCore1, nullptr);
    EXPECT_EQ(Form1->SkSkinCore1->Owner(), Form1);
    EXPECT_EQ(Form1->SkSkinCore1->ThemeBuilding(), "No theme");
    EXPECT_EQ(Form1->SkSkinCore1->DeltaHue(), 0);
    EXPECT_EQ(Form1->SkSkinCore1->DeltaBrightness(), 0);
    EXPECT_EQ(Form1->SkSkinCore1->Version(), "6.0");
    EXPECT_EQ(Form1->SkSkinCore1->ThemeList(), nullptr);
    EXPECT_EQ(Form1->SkSkinCore1->ThemeIndex(), -1);
    EXPECT_EQ(Form1->SkSkinCore1->ThemeFile(), "");
    ASSERT_NE(ThemeManager(), nullptr);
    EXPECT_TRUE(ThemeManager()->IsListener(Form1->SkSkinCore1));
    EXPECT_EQ(ThemeManager()->CurrentTheme(), nullptr);
}

TEST_F(MainWindowTest, TheClockBoxIsTheSkinnedCheckBoxSeeThroughItsGroupInBothLooks) {
    StartProgram();
    TSkCheckBox* box = Form1->ckbDateTime;
    ASSERT_EQ(box->ClassName(), "TSkCheckBox");
    EXPECT_EQ(box->Caption(), u"显示时钟");
    EXPECT_EQ(box->State(), vcbsChecked);
    EXPECT_TRUE(box->Transparent());
    EXPECT_EQ(box->Alignment(), valLeftJustify);
    EXPECT_EQ(box->Spacing(), 5);
    EXPECT_FALSE(box->WordWrap());
    EXPECT_FALSE(box->AllowGrayed());
    EXPECT_EQ(box->Performance(), vnpDoubleBuffer);
    EXPECT_EQ(box->ThemeObject(), "default");

    // The box's pixels in the window, with the pointer away from it.
    const POINT park = Form1->ClientToScreen(POINT{2, 2});
    wintest::MouseMove(park.x, park.y);
    auto boxPixels = [&] {
        Pump();
        const wintest::Picture shot = wintest::ScreenshotClient(Form1->Handle());
        const POINT origin = box->ClientToScreen(POINT{0, 0});
        const POINT form = Form1->ClientToScreen(POINT{0, 0});
        std::vector<uint32_t> pixels;
        for (int y = 0; y < box->Height(); ++y)
            for (int x = 0; x < box->Width(); ++x)
                pixels.push_back(shot.At(origin.x - form.x + x, origin.y - form.y + y));
        return pixels;
    };
    // The group is transparent too: its panel's colour shows through both.
    ASSERT_TRUE(Form1->GroupBox1->Transparent());
    const COLORREF group = ColorToRGB(Form1->Panel1->Color());
    const uint32_t groupPixel =
        (uint32_t{GetRValue(group)} << 16) | (uint32_t{GetGValue(group)} << 8) | GetBValue(group);
    wintest::SetVisualStylesActive(false);
    const std::vector<uint32_t> classic = boxPixels();
    wintest::SetVisualStylesActive(true);
    const std::vector<uint32_t> styled = boxPixels();
    wintest::SetVisualStylesActive(false);
    // The group's colour shows around the caption; the glyph is drawn in the look of the moment.
    EXPECT_EQ(classic[static_cast<size_t>(box->Width() - 1)], groupPixel);
    EXPECT_EQ(styled[static_cast<size_t>(box->Width() - 1)], groupPixel);
    EXPECT_NE(classic, styled);

    // A click still reaches the handler the description names and flips the clock setting.
    Click(box);
    EXPECT_FALSE(box->Checked());
}

// The base theme's window geometry: the client and caption rectangles, where each caption button sits for the
// buttons a window has, and what a point of the frame is.
#include "ThemePaint.h"

#include <skin/Theme.h>

namespace {

constexpr std::uint16_t Bit(int kind) { return static_cast<std::uint16_t>(1u << kind); }

class ThemeWindow : public ::testing::Test {
protected:
    TskTheme FTheme;
    TskWindowInfo FInfo;

    void SetUp() override {
        MakeWindowInfo(RECT{0, 0, 300, 200}, wsActive, RECT{0, 0, 0, 0}, FInfo, false, u"Caption",
                       Bit(wbSysMenu) | Bit(wbClose) | Bit(wbMinimize) | Bit(wbMaximize));
    }
    RECT Button(int kind) {
        RECT rect;
        FTheme.WindowGetButtonRect(wkStandard, FInfo, rect, "default", kind);
        return rect;
    }
};

TEST_F(ThemeWindow, ClientAndCaptionRectangles) {
    RECT client;
    FTheme.WindowGetContentRect(wkStandard, RECT{10, 20, 210, 120}, client, "default");
    EXPECT_EQ(client, (RECT{14, 42, 206, 116}));
    RECT caption;
    FTheme.WindowGetCaptionRect(wkStandard, FInfo, caption, "any");
    EXPECT_EQ(caption, (RECT{4, 3, 296, 22}));
}

TEST_F(ThemeWindow, ButtonsLineUpLeftOfTheOnesTheWindowHas) {
    // The close cell is (C.Right - 23, 4, C.Right - 1, C.Top - 1) = (273, 4, 295, 21); each present button to the
    // right pushes a cell 22 pixels further left.
    struct Case {
        std::uint16_t Buttons;
        int Kind;
        int Left;
    } cases[] = {
        {Bit(wbClose), wbClose, 273},
        {Bit(wbClose) | Bit(wbMaximize), wbMaximize, 251},
        {Bit(wbMaximize), wbMaximize, 273},
        {Bit(wbClose) | Bit(wbRestoreMaximized), wbRestoreMaximized, 251},
        {Bit(wbClose) | Bit(wbMaximize) | Bit(wbMinimize), wbMinimize, 229},
        {Bit(wbClose) | Bit(wbRestoreMinimized), wbRestoreMinimized, 251},
        {Bit(wbClose) | Bit(wbRestoreMaximized) | Bit(wbMinimize) | Bit(wbRollUp), wbRollUp, 207},
        {Bit(wbClose) | Bit(wbRollDown), wbRollDown, 251},
        {Bit(wbClose) | Bit(wbMinimize) | Bit(wbRollUp) | Bit(wbTray), wbTray, 207},
        {Bit(wbClose) | Bit(wbTray), wbTray, 251},
        {Bit(wbClose) | Bit(wbMaximize) | Bit(wbMinimize) | Bit(wbRollDown) | Bit(wbTray) | Bit(wbHelp), wbHelp, 163},
        {Bit(wbClose) | Bit(wbHelp), wbHelp, 251},
        // An absent or reserved kind answers the close cell.
        {Bit(wbClose), wbMaximize, 273},
        {Bit(wbClose) | Bit(10), 10, 273},
    };
    for (const Case& c : cases) {
        FInfo.Buttons = c.Buttons;
        EXPECT_EQ(Button(c.Kind), (RECT{c.Left, 4, c.Left + 22, 21})) << c.Kind << " in " << std::hex << c.Buttons;
    }
    EXPECT_EQ(Button(wbSysMenu), (RECT{4, 4, 26, 21}));
}

TEST_F(ThemeWindow, HitTestAnswersBordersCornersCaptionAndButtons) {
    struct Case {
        int X, Y;
        int Code;
    } cases[] = {
        {1, 1, whTopLeft},    {2, 150, whLeft},      {298, 2, whTopRight},   {150, 1, whTop},
        {298, 100, whRight},  {150, 198, whBottom},  {1, 198, whBottomLeft}, {298, 198, whBottomRight},
        {1, 10, whTopLeft},   {150, 10, whCaption},  {150, 21, whCaption},   {150, 100, whNowhere},
        {280, 10, whClose},   {260, 10, whMaximize}, {240, 10, whMinimize},  {10, 10, whSysMenu},
        {300, 10, whNowhere}, {-1, 10, whNowhere},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FTheme.WindowHitTest(wkStandard, FInfo, "default", c.X, c.Y), c.Code) << c.X << ", " << c.Y;
}

TEST_F(ThemeWindow, OnlyFramedKindsAreHitTested) {
    for (TskKind kind : {wkStandard, wkDialog, wkBorderOnly, wkToolWindow})
        EXPECT_EQ(FTheme.WindowHitTest(kind, FInfo, "default", 150, 10), whCaption) << int(kind);
    EXPECT_EQ(FTheme.WindowHitTest(wkNoBorder, FInfo, "default", 150, 10), whNowhere);
    EXPECT_EQ(FTheme.WindowHitTest(3, FInfo, "default", 1, 1), whNowhere);
}

TEST_F(ThemeWindow, AbsentButtonsDoNotTakeTheCloseCell) {
    // Absent buttons answer the close cell; had the hit test asked them too, the absent system-menu icon would
    // claim a click on close (or on the caption where there is no close button).
    FInfo.Buttons = Bit(wbClose);
    EXPECT_EQ(FTheme.WindowHitTest(wkStandard, FInfo, "default", 280, 10), whClose);
    FInfo.Buttons = 0;
    EXPECT_EQ(FTheme.WindowHitTest(wkStandard, FInfo, "default", 280, 10), whCaption);
    EXPECT_EQ(FTheme.WindowHitTest(wkStandard, FInfo, "default", 10, 10), whCaption);
    FInfo.Buttons = Bit(wbTray) | Bit(wbClose);
    EXPECT_EQ(FTheme.WindowHitTest(wkStandard, FInfo, "default", 260, 10), whTray);
}

}  // namespace

// The base theme's placeholder look as golden pictures (the window with its buttons and grip, and a sheet of
// every other object kind in its states), the operations that draw nothing, and records that place text and
// images.
#include "ThemePaint.h"

#include <Png.h>

#include <skin/Theme.h>
#include <skin/ThemeTables.h>

#include <string>

namespace {

constexpr std::uint16_t Bit(int kind) { return static_cast<std::uint16_t>(1u << kind); }

std::string Golden(const char* name) { return std::string(TEST_SOURCE_DIR) + "/skin/theme/theme/data/" + name; }

class ThemeDrawing : public ThemePaint {
protected:
    TskTheme FTheme;
    TskBitmap FIcon;

    void SetUp() override {
        Reset(160, 80);
        // A 16 × 16 icon: a green square with a key-coloured hole that must stay out.
        FIcon.SetSize(16, 16);
        FIcon.Clear(0xFF00A000);
        FIcon.FillRect(RECT{5, 5, 11, 11}, TransparentKey);
        FIcon.SetTransparent(true);
    }
    ::testing::AssertionResult Matches(const char* name) {
        return MatchesGolden(Golden(name), FBitmap.Width(), FBitmap.Height(), FBitmap.Bits());
    }
    // One window: frame, client, caption text, every button it has in the state given, the size grip.
    void DrawWindow(const RECT& rect, std::uint8_t state, std::uint16_t buttons, std::uint8_t buttonState) {
        TskWindowInfo info;
        MakeWindowInfo(rect, state, RECT{0, 0, 0, 0}, info, false, u"Form1 窗口", buttons);
        FTheme.WindowDraw(wkStandard, Canvas(), "default", info);
        RECT client;
        FTheme.WindowGetContentRect(wkStandard, rect, client, "default");
        FTheme.WindowDrawClient(wkStandard, Canvas(), "default", client);
        RECT caption;
        FTheme.WindowGetCaptionRect(wkStandard, info, caption, "default");
        caption.left += 24;
        for (int kind = wbSysMenu; kind <= wbTray; ++kind) {
            if (!info.HasButton(kind)) continue;
            RECT button;
            FTheme.WindowGetButtonRect(wkStandard, info, button, "default", kind);
            if (kind != wbSysMenu && button.left < caption.right) caption.right = button.left;
        }
        FTheme.WindowDrawCaption(wkStandard, Canvas(), "default", caption, info);
        for (int kind = wbSysMenu; kind <= wbTray; ++kind) {
            if (!info.HasButton(kind)) continue;
            RECT button;
            FTheme.WindowGetButtonRect(wkStandard, info, button, "default", kind);
            FTheme.WindowDrawButton(
                wkStandard, Canvas(), "default",
                MakeWindowButtonRecord(button, static_cast<std::uint8_t>(kind), buttonState, &FIcon));
        }
        RECT grip{client.right - 16, client.bottom - 16, client.right, client.bottom};
        FTheme.WindowDrawSizeGrip(wkStandard, Canvas(), "default", MakeSizeGripRecord(grip, true));
        FTheme.WindowDrawSizeGrip(
            wkStandard, Canvas(), "default",
            MakeSizeGripRecord(RECT{client.left, client.bottom - 16, client.left + 16, client.bottom}, false));
    }
};

TEST_F(ThemeDrawing, WindowsGolden) {
    // Windows start at the top edge: the base caption band lies at y = 3 of the window's own surface.
    Reset(440, 110);
    DrawWindow(RECT{0, 0, 220, 110}, wsActive,
               Bit(wbSysMenu) | Bit(wbClose) | Bit(wbMinimize) | Bit(wbMaximize) | Bit(wbHelp), bstNormal);
    DrawWindow(RECT{220, 0, 440, 110}, 0, Bit(wbClose) | Bit(wbRestoreMaximized) | Bit(wbRestoreMinimized), bstHot);
    EXPECT_TRUE(Matches("Windows.png"));
}

TEST_F(ThemeDrawing, PressedAndRollButtonsGolden) {
    Reset(200, 50);
    const std::uint8_t kinds[] = {wbClose, wbHelp, wbMinimize, wbMaximize, wbRollUp, wbRollDown, wbTray, wbSysMenu};
    for (int row = 0; row < 2; ++row) {
        int x = 2;
        for (std::uint8_t kind : kinds) {
            FTheme.WindowDrawButton(wkStandard, Canvas(), "default",
                                    MakeWindowButtonRecord(RECT{x, 4 + row * 22, x + 22, 21 + row * 22}, kind,
                                                           row == 0 ? bstNormal : bstPressed, &FIcon));
            x += 24;
        }
    }
    EXPECT_TRUE(Matches("WindowButtons.png"));
}

// Cells of 30 × 20 pixels, ten to a row, one operation each.
class ThemeSheet : public ThemeDrawing {
protected:
    int FCell = 0;

    RECT Next() {
        const int column = FCell % 10;
        const int row = FCell / 10;
        ++FCell;
        return RECT{2 + column * 32, 2 + row * 22, 32 + column * 32, 22 + row * 22};
    }
    void NewRow() { FCell = (FCell + 9) / 10 * 10; }
};

TEST_F(ThemeSheet, ObjectKindsGolden) {
    Reset(322, 178);
    TCanvas& canvas = Canvas();
    canvas.Font().SetColor(clMaroon);
    for (std::uint8_t state : {bstNormal, bstHot, bstPressed, bstDisabled, bstFocused, bstDefault})
        FTheme.ButtonDraw(0, canvas, "default", MakeStateRecord(Next(), state));
    for (TskKind kind : {0, 1, 2}) FTheme.PanelDraw(kind, canvas, "default", Next());
    FTheme.GroupBoxDraw(0, canvas, "default", MakeGroupRecord(Next(), RECT{0, 0, 0, 0}, 0));
    NewRow();
    for (std::uint8_t part : {0, 1, 2, 3, 8, 9})
        FTheme.ScrollBarDrawButton(0, canvas, "default", MakePartRecord(Next(), part, 0));
    for (std::uint8_t state : {1, 2, 3})
        FTheme.ScrollBarDrawButton(0, canvas, "default", MakePartRecord(Next(), 0, state));
    FTheme.ScrollBarDrawTrack(0, canvas, "default", MakePartRecord(Next(), 0, 1));
    NewRow();
    for (std::uint8_t state : {0, 1, 2, 3}) FTheme.MenuDrawItem(0, canvas, "default", MakePartRecord(Next(), 0, state));
    FTheme.MenuDrawItem(0, canvas, "default", MakePartRecord(Next(), 1, 0));
    FTheme.MenuDraw(0, canvas, "default", Next());
    for (std::uint8_t glyph : {0, 1, 2, 3})
        FTheme.MenuDrawGlyph(0, canvas, "default", MakeImageRecord(RECT{0, 0, 0, 0}, &FIcon, 0),
                             MakePartRecord(Next(), glyph, 0));
    NewRow();
    for (std::uint8_t state : {0, 1, 2, 3, 4, 5})
        FTheme.ListBoxDrawItem(0, canvas, "default", MakeStateRecord(Next(), state));
    for (std::uint8_t state : {0, 1, 2, 3})
        FTheme.ListBoxDrawCheck(0, canvas, "default", MakeImageRecord(Next(), &FIcon, state));
    NewRow();
    FTheme.ListBoxDraw(0, canvas, "default", Next());
    FTheme.ListBoxDrawBack(0, canvas, "default", Next());
    FTheme.EditDraw(0, canvas, "default", MakeStateRecord(Next(), 0));
    FTheme.EditDrawButton(0, canvas, "default", MakePartRecord(Next(), 0, 0));
    FTheme.HintDraw(0, canvas, "default", Next());
    FTheme.SplitterDraw(0, canvas, "default", Next());
    FTheme.ScrollBoxDraw(0, canvas, "default", Next());
    FTheme.ToolButtonDraw(0, canvas, "default", MakeStateRecord(Next(), 0));
    FTheme.ToolButtonDrawGlyph(0, canvas, "default", MakeImageRecord(RECT{0, 0, 0, 0}, nullptr, 0),
                               MakePartRecord(Next(), 0, 0));
    FTheme.Reserved1Draw(0, canvas, "default", MakeStateRecord(Next(), 0));
    NewRow();
    FTheme.TrackBarDraw(0, canvas, "default", Next());
    FTheme.TrackBarDrawThumb(0, canvas, "default", MakePartRecord(Next(), 3, 0));
    FTheme.HeaderDraw(0, canvas, "default", Next());
    FTheme.HeaderDrawSection(0, canvas, "default", MakePartRecord(Next(), 0, 0));
    FTheme.StatusBarDraw(0, canvas, "default", Next());
    FTheme.StatusBarDrawPanel(0, canvas, "default", MakeStateRecord(Next(), 0));
    FTheme.TabDraw(0, canvas, "default", Next());
    FTheme.TabDrawTab(0, canvas, "default", MakePartRecord(Next(), 0, 0));
    FTheme.TabDrawButton(0, canvas, "default", MakePartRecord(Next(), 0, 0));
    FTheme.RollPanelDrawCaption(0, canvas, "default", MakeStateRecord(Next(), 0));
    NewRow();
    FTheme.RollPanelDrawButton(0, canvas, "default", MakePartRecord(Next(), 1, 0));
    FTheme.RollPanelDrawPart(0, canvas, "default", MakePartRecord(Next(), 0, 0));
    FTheme.TreeDraw(0, canvas, "default", Next());
    FTheme.TreeDrawItem(0, canvas, "default", MakeStateRecord(Next(), 0));
    FTheme.GridDraw(0, canvas, "default", Next());
    FTheme.GridDrawCell(0, canvas, "default", MakePartRecord(Next(), 0, 0));
    FTheme.GridDrawCell(0, canvas, "default", MakePartRecord(Next(), 0, 1));
    FTheme.ButtonDrawImage(0, canvas, "default", MakeImageRecord(Next(), &FIcon, ikAtOrigin),
                           MakeStateRecord(RECT{0, 0, 0, 0}, 0));
    FTheme.TabDrawImage(0, canvas, "default", MakeImageRecord(Next(), &FIcon, ikInRect),
                        MakePartRecord(RECT{0, 0, 0, 0}, 0, 0));
    NewRow();
    TskTextInfo text;
    MakeTextInfo(RECT{0, 0, 0, 0}, u"Ok", DT_CENTER | DT_VCENTER | DT_SINGLELINE, text);
    for (int i = 0; i < 3; ++i) {
        const RECT cell = Next();
        FTheme.ButtonDraw(0, canvas, "default", MakeStateRecord(cell, bstNormal));
        FTheme.ButtonDrawText(0, canvas, "default", text, MakeStateRecord(cell, bstNormal));
    }
    EXPECT_TRUE(Matches("ObjectKinds.png"));
}

TEST_F(ThemeDrawing, PlaceholderOperationsThatDrawNothing) {
    TCanvas& canvas = Canvas();
    const RECT r{10, 10, 60, 40};
    FTheme.ButtonDraw(0, canvas, "default", MakeStateRecord(r, bstDisabled));
    FTheme.CheckBoxDraw(0, canvas, "default", MakeStateRecord(r, 1));
    FTheme.ProgressBarDraw(0, canvas, "default", MakePartRecord(r, 0, 0));
    FTheme.DockBarDraw(0, canvas, "default", r);
    FTheme.PanelDrawState(0, canvas, "default", MakePartRecord(r, 0, 0));
    FTheme.ScrollBarDrawBack(0, canvas, "default", r);
    FTheme.ToolButtonDrawPart(0, canvas, "default", MakePartRecord(r, 0, 0));
    FTheme.TrackBarDrawTrack(0, canvas, "default", MakePartRecord(r, 1, 0));
    FTheme.RollPanelDraw(0, canvas, "default", r);
    FTheme.TreeDrawButton(0, canvas, "default", MakeStateRecord(r, 0));
    FTheme.GridDrawImage(0, canvas, "default", MakeImageRecord(r, &FIcon, 0), MakePartRecord(r, 0, 0));
    FTheme.Reserved2Draw(0, canvas, "default", MakeStateRecord(r, 0));
    FTheme.PanelDraw(5, canvas, "default", r);
    // Images without a bitmap, and glyph kinds beyond the four.
    FTheme.ButtonDrawImage(0, canvas, "default", MakeImageRecord(r, nullptr, 0), MakeStateRecord(r, 0));
    TskBitmap empty;
    FTheme.HeaderDrawImage(0, canvas, "default", MakeImageRecord(r, &empty, ikInRect), MakePartRecord(r, 0, 0));
    FTheme.MenuDrawGlyph(0, canvas, "default", MakeImageRecord(r, nullptr, 0), MakePartRecord(r, 3, 0));
    FTheme.MenuDrawGlyph(0, canvas, "default", MakeImageRecord(r, &FIcon, 0), MakePartRecord(r, 4, 0));
    EXPECT_EQ(InkCount(), 0);
}

TEST_F(ThemeDrawing, TextOperationsDrawInTheirRecordsRectangle) {
    TCanvas& canvas = Canvas();
    canvas.Font().SetColor(clBlack);
    TskTextInfo text;
    MakeTextInfo(RECT{0, 0, 160, 80}, u"Ok", DT_SINGLELINE, text);
    const RECT cell{100, 50, 150, 75};
    auto inCell = [&] {
        const RECT ink = InkBox();
        FBitmap.Clear(0xFFFFFFFF);
        return ink.left >= cell.left && ink.top >= cell.top && ink.right <= cell.right && ink.bottom <= cell.bottom &&
               ink.right > ink.left;
    };
    FTheme.ButtonDrawText(0, canvas, "default", text, MakeStateRecord(cell, 0));
    EXPECT_TRUE(inCell());
    FTheme.PanelDrawText(0, canvas, "default", text, cell);
    EXPECT_TRUE(inCell());
    FTheme.CheckBoxDrawText(0, canvas, "default", text, MakeStateRecord(cell, 0));
    EXPECT_TRUE(inCell());
    FTheme.GroupBoxDrawText(0, canvas, "default", text, MakeGroupRecord(cell, RECT{0, 0, 0, 0}, 0));
    EXPECT_TRUE(inCell());
    FTheme.MenuDrawText(0, canvas, "default", text, MakePartRecord(cell, 0, 0));
    EXPECT_TRUE(inCell());
    FTheme.TabDrawText(0, canvas, "default", text, MakePartRecord(cell, 0, 0));
    EXPECT_TRUE(inCell());
    FTheme.ListBoxDrawText(0, canvas, "default", text, MakeStateRecord(cell, 0));
    EXPECT_TRUE(inCell());
    // Without a record the text info's own rectangle holds.
    text.Rect = cell;
    FTheme.LabelDrawText(0, canvas, "default", text, 0);
    EXPECT_TRUE(inCell());
    FTheme.RollPanelDrawText(0, canvas, "default", text);
    EXPECT_TRUE(inCell());
}

}  // namespace

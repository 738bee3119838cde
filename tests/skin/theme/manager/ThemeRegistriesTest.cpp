// The unit's two small registries (parent painters and the font store), and its shut-down.
#include "ManagerTestSupport.h"

#include <skin/FontStore.h>
#include <skin/ParentPainters.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>
#include <toolkit/GroupBox.h>
#include <toolkit/Panel.h>

#include <gtest/gtest.h>

using namespace managertest;

namespace {

void PainterA(TCanvas&, const TskParentPaintInfo&) {}
void PainterB(TCanvas&, const TskParentPaintInfo&) {}
void PainterB2(TCanvas&, const TskParentPaintInfo&) {}

class ParentPainters : public ::testing::Test {
protected:
    void SetUp() override { ClearParentPainters(); }
    // Back to what the unit registers.
    void TearDown() override {
        ClearParentPainters();
        RegisterParentPainter(TCustomGroupBox::ClassInfo(), &PaintGroupBoxBackground);
    }
};

TEST_F(ParentPainters, TheMostDerivedRegisteredClassWinsWhateverTheOrder) {
    // A = TWinControl, B = TCustomControl; a panel descends from B.
    TPanel panel(nullptr);
    for (bool aFirst : {true, false}) {
        ClearParentPainters();
        if (aFirst) RegisterParentPainter(TWinControl::ClassInfo(), &PainterA);
        RegisterParentPainter(TCustomControl::ClassInfo(), &PainterB);
        if (!aFirst) RegisterParentPainter(TWinControl::ClassInfo(), &PainterA);
        EXPECT_EQ(FindParentPainter(&panel), &PainterB) << aFirst;
    }
    // Of two registrations of one class, the earlier.
    RegisterParentPainter(TCustomControl::ClassInfo(), &PainterB2);
    EXPECT_EQ(FindParentPainter(&panel), &PainterB);
    // No registered class above the control, or no control: none.
    RecordingControl graphic;
    EXPECT_EQ(FindParentPainter(&graphic), nullptr);
    EXPECT_EQ(FindParentPainter(nullptr), nullptr);
}

TEST_F(ParentPainters, TheGroupBoxPainterFillsWithTheGroupBoxColour) {
    TearDown();  // the unit's own registration
    TGroupBox groupBox(nullptr);
    groupBox.SetColor(clRed);
    TPanel panel(nullptr);
    EXPECT_EQ(FindParentPainter(&groupBox), &PaintGroupBoxBackground);
    EXPECT_EQ(FindParentPainter(&panel), nullptr);

    TskBitmap bitmap;
    bitmap.SetSize(12, 12);
    bitmap.Clear(0xFF00FF00);
    TCanvas canvas;
    canvas.SetHandle(bitmap.DC());
    const TskParentPaintInfo info{{2, 3, 8, 9}, {2, 3, 8, 9}, &panel, &groupBox};
    FindParentPainter (&groupBox)(canvas, info);
    canvas.SetHandle(nullptr);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool inside = x >= 2 && x < 8 && y >= 3 && y < 9;
            EXPECT_EQ(bitmap.Bits()[y * 12 + x] & 0xFFFFFF, inside ? 0xFF0000u : 0x00FF00u) << x << "," << y;
        }
}

TEST(FontStore, KeepsACopyToRestoreUntilTheFontIsRemoved) {
    TFont font;
    font.SetName("Arial");
    font.SetColor(clRed);
    StoreFont(font);
    EXPECT_TRUE(IsFontStored(font));
    font.SetName("Tahoma");
    font.SetStyle({fsBold});
    RestoreFont(font);
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_TRUE(font.Style().Empty());

    // Storing again refreshes the copy.
    font.SetColor(clBlue);
    StoreFont(font);
    font.SetColor(clLime);
    RestoreFont(font);
    EXPECT_EQ(font.Color(), clBlue);

    RemoveFont(font);
    EXPECT_FALSE(IsFontStored(font));
    font.SetColor(clLime);
    RestoreFont(font);
    EXPECT_EQ(font.Color(), clLime);
    RemoveFont(font);  // twice is harmless
}

TEST(ThemeUnit, FinalizationFreesTheThemeAndTheStoresAndInitializationComesBack) {
    bool freed = false;
    RecordingListener listener;
    ASSERT_TRUE(AddThemeListener(&listener));
    ThemeManager()->SetCurrentTheme(std::make_unique<WatchedTheme>(&freed));
    TFont font;
    StoreFont(font);
    listener.Received.clear();

    FinalizeThemeUnit();
    EXPECT_TRUE(freed);
    EXPECT_TRUE(listener.Received.empty());  // finalisation tells nobody
    EXPECT_EQ(ThemeManager(), nullptr);
    EXPECT_EQ(CurrentTheme(), nullptr);
    EXPECT_EQ(GetTheme(nullptr), nullptr);
    EXPECT_FALSE(IsFontStored(font));
    TGroupBox groupBox(nullptr);
    EXPECT_EQ(FindParentPainter(&groupBox), nullptr);
    // A listener outliving the unit can still leave, and nobody can join.
    RemoveThemeListener(&listener);
    EXPECT_FALSE(AddThemeListener(&listener));

    InitializeThemeUnit();
    InitializeThemeUnit();  // once is enough
    ASSERT_NE(ThemeManager(), nullptr);
    EXPECT_EQ(ThemeManager()->ThemeClassCount(), 1);
    EXPECT_EQ(ThemeManager()->ListenerCount(), 0);
    EXPECT_EQ(FindParentPainter(&groupBox), &PaintGroupBoxBackground);
}

}  // namespace

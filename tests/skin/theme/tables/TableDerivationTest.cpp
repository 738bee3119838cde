// Hue and brightness derivation of the three colour tables: zero deltas, the ends of the range and beyond.
#include <skin/PixelOps.h>
#include <skin/ThemeColors.h>
#include <skin/ThemeFonts.h>
#include <skin/ThemeSysColors.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

// Plain colours the hue formula maps onto themselves through a whole turn.
constexpr TColor Fixed[] = {clRed, clLime, clBlue, clWhite, clBlack, clGray, clSilver};

void FillFixed(TskThemeColors& colors) {
    for (int i = 0; i < TskThemeColors::Count; ++i) colors.SetColor(i, Fixed[i % 7]);
}

TEST(TableDerivation, ZeroDeltasLeaveSystemColourCodesAlone) {
    TskThemeColors colors(nullptr);
    colors.SetDefaults();
    colors.ApplyHue(0);
    colors.ApplyBrightness(0);
    EXPECT_EQ(colors.GetColor(ciPanelNormal), clBtnFace);

    TskThemeFonts fonts(nullptr);
    fonts.SetDefaults();
    fonts.ApplyHue(0);
    fonts.ApplyBrightness(0);
    EXPECT_EQ(fonts.GetFontByIndex(14)->Color(), clBtnShadow);

    TskThemeSysColors sys(nullptr);
    sys.SetColor(clMenu, 0x00123456);
    sys.ApplyHue(0);
    sys.ApplyBrightness(0);
    EXPECT_EQ(sys.GetColor(clMenu), 0x00123456);
}

TEST(TableDerivation, AnyOtherDeltaResolvesSystemColours) {
    TskThemeColors colors(nullptr);
    colors.SetDefaults();
    colors.ApplyBrightness(1);
    const COLORREF face = ColorToRGB(clBtnFace);
    EXPECT_EQ(colors.GetColor(ciPanelNormal),
              static_cast<TColor>(RGB(GetRValue(face) + 1, GetGValue(face) + 1, GetBValue(face) + 1)));
    EXPECT_EQ(colors.GetColor(ciCaptionNormal), 0x00FF0101);  // blue's red and green rise, its blue saturates
}

TEST(TableDerivation, BrightnessSaturatesAtBothEndsWithoutOverflow) {
    struct Case {
        int Delta;
        TColor Every;
    } cases[] = {{255, clWhite}, {-255, clBlack}, {1000, clWhite}, {INT_MAX, clWhite}, {INT_MIN, clBlack}};
    for (const Case& c : cases) {
        TskThemeColors colors(nullptr);
        colors.SetDefaults();
        colors.ApplyBrightness(c.Delta);
        TskThemeFonts fonts(nullptr);
        fonts.SetDefaults();
        fonts.ApplyBrightness(c.Delta);
        TskThemeSysColors sys(nullptr);
        sys.ApplyBrightness(c.Delta);
        for (int i = 0; i < TskThemeColors::Count; ++i) EXPECT_EQ(colors.GetColor(i), c.Every) << c.Delta;
        for (int i = 0; i < TskThemeFonts::Count; ++i) EXPECT_EQ(fonts.GetFontByIndex(i)->Color(), c.Every) << c.Delta;
        for (int i = 0; i < TskThemeSysColors::Count; ++i) EXPECT_EQ(sys.ColorAt(i), c.Every) << c.Delta;
    }
}

TEST(TableDerivation, AWholeTurnOfHueInEitherDirectionKeepsTheColours) {
    for (int delta : {255, -255, 510, 255 * 1000, INT_MAX - INT_MAX % 255, INT_MIN - INT_MIN % 255}) {
        TskThemeColors colors(nullptr);
        FillFixed(colors);
        colors.ApplyHue(delta);
        for (int i = 0; i < TskThemeColors::Count; ++i) EXPECT_EQ(colors.GetColor(i), Fixed[i % 7]) << delta;
    }
}

TEST(TableDerivation, HueTurnsPrimariesByThirds) {
    // 85 steps of 255 are a third of the circle: red → green → blue → red.
    TskThemeColors colors(nullptr);
    colors.SetColor(0, clRed);
    colors.SetColor(1, clLime);
    colors.SetColor(2, clBlue);
    colors.ApplyHue(85);
    EXPECT_EQ(colors.GetColor(0), clLime);
    EXPECT_EQ(colors.GetColor(1), clBlue);
    EXPECT_EQ(colors.GetColor(2), clRed);
    colors.ApplyHue(-85);
    EXPECT_EQ(colors.GetColor(0), clRed);
    // Past a turn only the remainder counts, also at the ends of the integer range.
    for (int delta : {85 + 255 * 3, INT_MAX, INT_MIN}) {
        TskThemeColors turned(nullptr);
        turned.SetColor(0, 0x00336699);
        turned.ApplyHue(delta);
        TskThemeColors reference(nullptr);
        reference.SetColor(0, 0x00336699);
        reference.ApplyHue(delta % 255);
        EXPECT_EQ(turned.GetColor(0), reference.GetColor(0)) << delta;
    }
}

TEST(TableDerivation, FontHueChangesOnlyColours) {
    TskThemeFonts fonts(nullptr);
    fonts.SetDefaults();
    fonts.GetFontByIndex(3)->SetColor(clRed);
    fonts.ApplyHue(85);
    EXPECT_EQ(fonts.GetFontByIndex(3)->Color(), clLime);
    EXPECT_EQ(fonts.GetFontByIndex(3)->Size(), 8);
    EXPECT_TRUE(fonts.GetFontByIndex(3)->Style().Contains(fsBold));
    EXPECT_EQ(fonts.GetFontByIndex(3)->Name(), "Tahoma");
}

}  // namespace

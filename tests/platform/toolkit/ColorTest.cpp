// TColor values, ColorToRGB through the system colours, and the colour-name table both ways.
#include <toolkit/Graphics.h>

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

TEST(Color, ConstantsKeepTheirValues) {
    EXPECT_EQ(0x00C0C0C0, clSilver);
    EXPECT_EQ(0x000000FF, clRed);
    EXPECT_EQ(static_cast<TColor>(0xFF00000Fu), clBtnFace);
    EXPECT_EQ(static_cast<TColor>(0xFF00001Eu), clMenuBar);
    EXPECT_EQ(0x1FFFFFFF, clNone);
    EXPECT_EQ(0x20000000, clDefault);
}

TEST(Color, ColorToRGBLooksUpSystemColoursOnly) {
    EXPECT_EQ(0x00C0C0C0u, ColorToRGB(clBtnFace));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), ColorToRGB(clWindow));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), ColorToRGB(clBtnShadow));
    EXPECT_EQ(0x00123456u, ColorToRGB(0x123456));
    EXPECT_EQ(static_cast<COLORREF>(clNone), ColorToRGB(clNone));
    EXPECT_EQ(static_cast<COLORREF>(clDefault), ColorToRGB(clDefault));
}

TEST(Color, ColorToStringAndBack) {
    struct {
        TColor color;
        const char* text;
    } cases[] = {
        {clBtnFace, "clBtnFace"},
        {clBlack, "clBlack"},
        {clSilver, "clSilver"},
        {clNone, "clNone"},
        {clDefault, "clDefault"},
        {cl3DDkShadow, "cl3DDkShadow"},
        {clMenuHighlight, "clMenuHighlight"},
        {0x00123456, "$00123456"},
        {0x00ABCDEF, "$00ABCDEF"},
        // COLOR_ index 25 has no name.
        {static_cast<TColor>(0xFF000019u), "$FF000019"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.text, ColorToString(c.color));
        EXPECT_EQ(c.color, StringToColor(c.text)) << c.text;
    }
    // Aliases answer the first name of their value.
    EXPECT_EQ("clSilver", ColorToString(clLtGray));
    EXPECT_EQ("clGray", ColorToString(clDkGray));
}

TEST(Color, StringToColorIgnoresCaseAndReadsIntegers) {
    EXPECT_EQ(clBtnFace, StringToColor("CLBTNFACE"));
    EXPECT_EQ(clWindowText, StringToColor("clwindowtext"));
    EXPECT_EQ(0xFF0000, StringToColor("$FF0000"));
    EXPECT_EQ(255, StringToColor("255"));
    EXPECT_THROW(StringToColor("clNoSuchColour"), EConvertError);
    EXPECT_THROW(StringToColor(""), EConvertError);
    TColor color = 7;
    EXPECT_FALSE(IdentToColor("$00FF0000", color));
    EXPECT_EQ(7, color);
}

TEST(Color, EveryTableNameRoundTrips) {
    std::set<std::string> names;
    GetColorValues([&](const std::string& name) {
        names.insert(name);
        TColor color = 0;
        ASSERT_TRUE(IdentToColor(name, color)) << name;
        std::string back;
        ASSERT_TRUE(ColorToIdent(color, back));
        EXPECT_EQ(color, StringToColor(back));
    });
    for (const char* name : {"clScrollBar",
                             "clBackground",
                             "clActiveCaption",
                             "clInactiveCaption",
                             "clMenu",
                             "clWindow",
                             "clWindowFrame",
                             "clMenuText",
                             "clWindowText",
                             "clCaptionText",
                             "clActiveBorder",
                             "clInactiveBorder",
                             "clAppWorkSpace",
                             "clHighlight",
                             "clHighlightText",
                             "clBtnFace",
                             "clBtnShadow",
                             "clGrayText",
                             "clBtnText",
                             "clInactiveCaptionText",
                             "clBtnHighlight",
                             "cl3DDkShadow",
                             "cl3DLight",
                             "clInfoText",
                             "clInfoBk",
                             "clHotLight",
                             "clGradientActiveCaption",
                             "clGradientInactiveCaption",
                             "clMenuHighlight",
                             "clMenuBar",
                             "clWhite",
                             "clFuchsia",
                             "clAqua",
                             "clMoneyGreen",
                             "clSkyBlue",
                             "clCream",
                             "clMedGray"})
        EXPECT_EQ(1u, names.count(name)) << name;
}

TEST(Color, FontStylesAreASet) {
    TFontStyles styles{fsBold, fsUnderline};
    EXPECT_TRUE(styles.Contains(fsBold));
    EXPECT_FALSE(styles.Contains(fsItalic));
    EXPECT_EQ((TFontStyles{fsBold}), styles - TFontStyles{fsUnderline});
    EXPECT_EQ((TFontStyles{fsBold, fsUnderline, fsStrikeOut}), styles + TFontStyles{fsStrikeOut});
    EXPECT_TRUE((styles * TFontStyles{fsItalic}).Empty());
}

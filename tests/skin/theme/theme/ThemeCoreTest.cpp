// The base theme as an object: its name and class answers, the tables it fills and re-derives, Assign, the
// answers of its queries, and the image-list record.
#include "ThemePaint.h"

#include <skin/PixelOps.h>
#include <skin/Theme.h>
#include <skin/ThemeHolders.h>
#include <skin/ThemeTables.h>
#include <toolkit/Bitmap.h>
#include <toolkit/ImageList.h>
#include <toolkit/MemoryStream.h>

#include <memory>

namespace {

class TTestTheme : public TskTheme {
    TOOLKIT_CLASS(TTestTheme, TskTheme)
    SK_THEME_CLASS(TTestTheme)

public:
    TTestTheme() { UpdateTheme(); }
    static void GetKindName(std::string& name) { name = "Test"; }
    static void GetConfig(TskThemeConfig& config) {
        config = TskThemeConfig{};
        config.Procedural = 1;
    }
    // Its own colours replace the defaults, at construction as after a delta change.
    void SetDefaultColors() override {
        TskTheme::SetDefaultColors();
        Colors().SetColor(ciWindow, clRed);
    }
};

TEST(ThemeCore, TheBaseClassAnswersDefaultAndNothingMore) {
    TskTheme theme;
    EXPECT_EQ(theme.Name(), "Default theme");
    EXPECT_EQ(theme.FileName(), "");
    EXPECT_EQ(theme.ThemeClass(), TskTheme::ThemeClassRef());
    const TskThemeClass* themeClass = TskTheme::ThemeClassRef();
    std::string kind;
    themeClass->GetKindName(kind);
    EXPECT_EQ(kind, "Default");
    TskThemeConfig config;
    config.CanLoad = 1;
    config.Filter = "x";
    themeClass->GetConfig(config);
    EXPECT_EQ(config.Procedural + config.CanSave + config.CanLoad, 0);
    EXPECT_EQ(config.Filter, "");
    EXPECT_EQ(config.DefaultExt, "");

    TMemoryStream stream;
    stream.WriteBuffer("theme", 5);
    stream.SetPosition(0);
    EXPECT_FALSE(themeClass->IsThemeStream(stream));
    EXPECT_FALSE(theme.LoadFromStream(stream));
    EXPECT_FALSE(theme.SaveToStream(stream));
    EXPECT_EQ(stream.Size(), 5);
    EXPECT_FALSE(theme.LoadFromFile("any.theme"));
    EXPECT_FALSE(theme.SaveToFile("any.theme"));

    std::unique_ptr<TskTheme> created = themeClass->Create();
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->ThemeClass(), themeClass);
}

TEST(ThemeCore, ADerivedClassCreatesItselfWithItsOwnDefaults) {
    const TskThemeClass* themeClass = TTestTheme::ThemeClassRef();
    EXPECT_NE(themeClass, TskTheme::ThemeClassRef());
    EXPECT_TRUE(themeClass->ClassInfo()->InheritsFrom(TskTheme::ClassInfo()));
    std::string kind;
    themeClass->GetKindName(kind);
    EXPECT_EQ(kind, "Test");
    TskThemeConfig config;
    themeClass->GetConfig(config);
    EXPECT_EQ(config.Procedural, 1);
    std::unique_ptr<TskTheme> theme = themeClass->Create();
    ASSERT_NE(dynamic_cast<TTestTheme*>(theme.get()), nullptr);
    EXPECT_EQ(theme->ThemeClass(), themeClass);
    EXPECT_EQ(theme->Colors().GetColor(ciWindow), clRed);
    // And keeps them through a re-derivation.
    theme->SetDeltaBrightness(0);
    theme->UpdateTheme();
    EXPECT_EQ(theme->Colors().GetColor(ciWindow), clRed);
}

TEST(ThemeCore, TablesBelongToTheThemeAndFollowTheDeltas) {
    TskTheme theme;
    EXPECT_EQ(theme.Colors().Theme(), &theme);
    EXPECT_EQ(theme.Fonts().Theme(), &theme);
    EXPECT_EQ(theme.SysColors().Theme(), &theme);
    EXPECT_EQ(theme.Drawing().Theme(), &theme);
    EXPECT_EQ(theme.Metrics().Theme(), &theme);
    EXPECT_EQ(theme.Options().Theme(), &theme);
    EXPECT_EQ(theme.Colors().GetColor(ciCaptionNormal), 0x00FF0000);
    EXPECT_EQ(theme.Colors().GetColor(ciButtonNormal), clBtnFace);
    EXPECT_EQ(theme.SysColors().GetColor(clBtnFace), static_cast<TColor>(ColorToRGB(clBtnFace)));
    EXPECT_EQ(theme.Fonts().GetFontByIndex(fiCaptionTextNormal)->Color(), clWhite);

    // A delta is only stored; UpdateTheme derives every table from the defaults again.
    theme.SetDeltaBrightness(40);
    EXPECT_EQ(theme.Colors().GetColor(ciCaptionNormal), 0x00FF0000);
    theme.UpdateTheme();
    const TColor brighter = theme.Colors().GetColor(ciCaptionNormal);
    EXPECT_EQ(brighter, PixelToColor(ChangePixelBrightness(ColorToPixel(0x00FF0000, 255), 40)));
    EXPECT_NE(brighter, 0x00FF0000);
    EXPECT_NE(theme.SysColors().GetColor(clBtnFace), static_cast<TColor>(ColorToRGB(clBtnFace)));
    theme.SetDeltaBrightness(0);
    theme.UpdateTheme();
    EXPECT_EQ(theme.Colors().GetColor(ciCaptionNormal), 0x00FF0000);
    EXPECT_EQ(theme.SysColors().GetColor(clBtnFace), static_cast<TColor>(ColorToRGB(clBtnFace)));
}

TEST(ThemeCore, AssignCopiesNameAndTablesButNotDeltasOrFile) {
    TskTheme source;
    source.SetName("Blue");
    source.SetFileName("blue.theme");
    source.SetDeltaHue(30);
    source.Colors().SetColor(ciHint, clLime);
    source.SysColors().SetColor(clWindow, clAqua);
    source.Fonts().GetFontByIndex(fiButtonTextNormal)->SetColor(clNavy);
    source.Options().SetOption(1, 7);
    TskTheme target;
    target.Assign(&source);
    EXPECT_EQ(target.Name(), "Blue");
    EXPECT_EQ(target.FileName(), "");
    EXPECT_EQ(target.DeltaHue(), 0);
    EXPECT_EQ(target.Colors().GetColor(ciHint), clLime);
    EXPECT_EQ(target.SysColors().GetColor(clWindow), clAqua);
    EXPECT_EQ(target.Fonts().GetFontByIndex(fiButtonTextNormal)->Color(), clNavy);
    EXPECT_EQ(target.Options().Option(1), 7);
    target.Assign(&target);
    EXPECT_EQ(target.Name(), "Blue");
    TskBitmap notATheme;
    EXPECT_THROW(target.Assign(&notATheme), EConvertError);
}

TEST(ThemeCore, AdjustFontCopiesTheEntry) {
    TskTheme theme;
    TFont font;
    theme.AdjustFont(font, fiCaptionTextInactive, "Caption");
    EXPECT_EQ(font.Name(), "Tahoma");
    EXPECT_EQ(font.Color(), clSilver);
    EXPECT_TRUE(font.Style().Contains(fsBold));
    font.SetColor(clRed);
    theme.AdjustFont(font, 66, "Caption");  // no such entry: left alone
    EXPECT_EQ(font.Color(), clRed);
}

TEST(ThemeCore, BaseQueryAnswers) {
    TskTheme theme;
    struct Case {
        const char* Name;
        bool (TskTheme::*Query)(TskKind, const std::string&);
        bool Answer;
    } cases[] = {
        {"IsLabelTransparent", &TskTheme::IsLabelTransparent, true},
        {"IsCheckBoxTransparent", &TskTheme::IsCheckBoxTransparent, true},
        {"IsGroupBoxTransparent", &TskTheme::IsGroupBoxTransparent, true},
        {"IsTabTransparent", &TskTheme::IsTabTransparent, true},
        {"IsTrackBarTransparent", &TskTheme::IsTrackBarTransparent, true},
        {"IsPanelTransparent", &TskTheme::IsPanelTransparent, false},
        {"IsButtonTransparent", &TskTheme::IsButtonTransparent, false},
        {"IsEditTransparent", &TskTheme::IsEditTransparent, false},
        {"IsMenuTransparent", &TskTheme::IsMenuTransparent, false},
        {"IsListBoxTransparent", &TskTheme::IsListBoxTransparent, false},
        {"IsHintDefined", &TskTheme::IsHintDefined, false},
        {"IsSplitterDefined", &TskTheme::IsSplitterDefined, false},
        {"IsTrackBarDefined", &TskTheme::IsTrackBarDefined, false},
        {"IsHeaderDefined", &TskTheme::IsHeaderDefined, false},
        {"IsDockBarDefined", &TskTheme::IsDockBarDefined, false},
        {"IsRollPanelDefined", &TskTheme::IsRollPanelDefined, false},
        {"IsTreeDefined", &TskTheme::IsTreeDefined, false},
        {"IsGridDefined", &TskTheme::IsGridDefined, false},
        {"IsReserved1Defined", &TskTheme::IsReserved1Defined, false},
        {"IsReserved2Defined", &TskTheme::IsReserved2Defined, false},
    };
    for (const Case& c : cases) EXPECT_EQ((theme.*c.Query)(0, "default"), c.Answer) << c.Name;

    EXPECT_EQ(theme.WindowGetRegion(wkStandard, RECT{0, 0, 100, 100}, "default"), nullptr);
    SIZE size{1, 1};
    theme.CheckBoxGetSize(0, "default", size);
    EXPECT_EQ(size.cx, 13);
    EXPECT_EQ(size.cy, 13);
    theme.TrackBarGetThumbSize(0, "default", MakePartRecord(RECT{0, 0, 20, 20}, 3, 0), size);
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, 0);
    RECT bounds{1, 2, 3, 4};
    theme.GetObjectBounds("Button1", bounds);
    EXPECT_EQ(bounds, (RECT{0, 0, 0, 0}));
    EXPECT_EQ(theme.GetObjectColor("Button1"), clNone);
}

TEST(ThemeCore, ContentRectangles) {
    TskTheme theme;
    const RECT r{10, 20, 110, 80};
    using TContent = void (TskTheme::*)(TskKind, const RECT&, RECT&, const std::string&);
    struct Case {
        const char* Name;
        TContent Content;
        RECT Expected;
    } cases[] = {
        {"Panel", &TskTheme::PanelGetContentRect, r},
        {"ProgressBar", &TskTheme::ProgressBarGetContentRect, r},
        {"GroupBox", &TskTheme::GroupBoxGetContentRect, r},
        {"DockBar", &TskTheme::DockBarGetContentRect, r},
        {"Tab", &TskTheme::TabGetContentRect, r},
        {"RollPanel", &TskTheme::RollPanelGetContentRect, r},
        {"Edit", &TskTheme::EditGetContentRect, RECT{13, 23, 107, 77}},
        {"ScrollBox", &TskTheme::ScrollBoxGetContentRect, RECT{13, 23, 107, 77}},
        {"Tree", &TskTheme::TreeGetContentRect, RECT{12, 22, 108, 78}},
        {"Grid", &TskTheme::GridGetContentRect, RECT{12, 22, 108, 78}},
        {"ListBox", &TskTheme::ListBoxGetContentRect, RECT{14, 25, 106, 75}},
        {"Menu", &TskTheme::MenuGetContentRect, RECT{13, 25, 107, 75}},
        {"StatusBar", &TskTheme::StatusBarGetContentRect, RECT{15, 22, 105, 78}},
        {"ToolButton", &TskTheme::ToolButtonGetContentRect, RECT{21, 22, 108, 78}},
        {"Hint", &TskTheme::HintGetContentRect, RECT{20, 33, 100, 67}},
    };
    for (const Case& c : cases) {
        RECT content{};
        (theme.*c.Content)(0, r, content, "default");
        EXPECT_EQ(content, c.Expected) << c.Name;
    }
    RECT content{};
    theme.Reserved1GetContentRect(0, MakeStateRecord(r, 0), content, "default");
    EXPECT_EQ(content, r);
}

TEST(ThemeRecords, AnImageListEntryIsKeyedByItsMaskOnlyWhenTheListIsMasked) {
    TBitmap picture;
    picture.SetSize(8, 8);
    picture.Canvas().Brush().SetColor(clFuchsia);
    picture.Canvas().FillRect(RECT{0, 0, 8, 8});
    picture.Canvas().Brush().SetColor(clBlue);
    picture.Canvas().FillRect(RECT{2, 2, 6, 6});
    TCustomImageList list(nullptr, 8, 8);
    list.AddMasked(picture, clFuchsia);

    const TskImageRecord record = MakeImageRecord(RECT{5, 6, 30, 30}, list, 0);
    EXPECT_EQ(record.Rect, (RECT{5, 6, 30, 30}));
    ASSERT_NE(record.Bitmap, nullptr);
    EXPECT_TRUE(record.Bitmap->Transparent());
    EXPECT_TRUE(IsKeyPixel(record.Bitmap->GetPixel(0, 0)));
    EXPECT_EQ(record.Bitmap->GetPixel(3, 3) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(MakeImageRecord(RECT{0, 0, 8, 8}, list, 1).Bitmap, nullptr);
    EXPECT_EQ(MakeImageRecord(RECT{0, 0, 8, 8}, list, -1).Bitmap, nullptr);

    // An unmasked list gives an opaque image: no key, every pixel as stored (the masked-out ones black).
    list.SetMasked(false);
    const TskImageRecord opaque = MakeImageRecord(RECT{5, 6, 30, 30}, list, 0);
    ASSERT_NE(opaque.Bitmap, nullptr);
    EXPECT_FALSE(opaque.Bitmap->Transparent());
    EXPECT_FALSE(IsKeyPixel(opaque.Bitmap->GetPixel(0, 0)));
    EXPECT_EQ(opaque.Bitmap->GetPixel(0, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(opaque.Bitmap->GetPixel(3, 3) & 0xFFFFFF, 0x0000FFu);
}

}  // namespace

// The font table: constructed entries, the base defaults, font descriptions, its stream form and damage.
#include "TableStreamBytes.h"

#include <skin/Theme.h>
#include <skin/ThemeFonts.h>

#include <gtest/gtest.h>

using namespace tabletest;

namespace {

struct FontValues {
    std::string Name;
    int Size;
    TColor Color;
    std::uint32_t Style;
    int Charset;
    bool operator==(const FontValues& o) const {
        return Name == o.Name && Size == o.Size && Color == o.Color && Style == o.Style && Charset == o.Charset;
    }
};

FontValues ValuesOf(const TFont& font) {
    return {font.Name(), font.Size(), font.Color(), font.Style().Bits(), font.Charset()};
}

std::vector<FontValues> Values(const TskThemeFonts& fonts) {
    std::vector<FontValues> values;
    for (int i = 0; i < TskThemeFonts::Count; ++i) values.push_back(ValuesOf(*fonts.GetFontByIndex(i)));
    return values;
}

const std::uint32_t Bold = TFontStyles{fsBold}.Bits();

TEST(ThemeFonts, EntriesStartAsTheDefaultFontInTahoma) {
    TskThemeFonts fonts(nullptr);
    const TFont plain;
    for (int i = 0; i < TskThemeFonts::Count; ++i) {
        const TFont& font = *fonts.GetFontByIndex(i);
        EXPECT_EQ(font.Name(), "Tahoma");
        EXPECT_EQ(font.Height(), plain.Height());
        EXPECT_EQ(font.Color(), plain.Color());
        EXPECT_TRUE(font.Style().Empty());
    }
    EXPECT_EQ(fonts.GetFontByIndex(-1), nullptr);
    EXPECT_EQ(fonts.GetFontByIndex(TskThemeFonts::Count), nullptr);
    EXPECT_EQ(fonts.GetFont(TskThemeFonts::Count, "default"), nullptr);
    // Without a theme every object name gets the entry itself.
    EXPECT_EQ(fonts.GetFont(5, "SomeButton"), fonts.GetFontByIndex(5));
}

// Makes every named object's font italic and two points larger.
class AdjustingTheme : public TskTheme {
public:
    void AdjustFont(TFont& font, int fontIndex, const std::string& objectName) override {
        TskTheme::AdjustFont(font, fontIndex, objectName);
        font.SetSize(font.Size() + 2);
        font.SetStyle({fsItalic});
        LastObject = objectName;
    }
    std::string LastObject;
};

TEST(ThemeFonts, NamedObjectsGetTheThemesAdjustedScratchFont) {
    AdjustingTheme theme;
    TskThemeFonts& fonts = theme.Fonts();
    TFont* entry = fonts.GetFontByIndex(fiButtonTextNormal);
    EXPECT_EQ(fonts.GetFont(fiButtonTextNormal, "default"), entry);
    EXPECT_TRUE(theme.LastObject.empty());

    TFont* adjusted = fonts.GetFont(fiButtonTextNormal, "OkButton");
    ASSERT_NE(adjusted, entry);
    EXPECT_EQ(theme.LastObject, "OkButton");
    EXPECT_EQ(adjusted->Size(), entry->Size() + 2);
    EXPECT_TRUE(adjusted->Style().Contains(fsItalic));
    EXPECT_TRUE(entry->Style().Empty());                                 // the entry itself stays as it was
    EXPECT_EQ(fonts.GetFont(fiCaptionTextNormal, "Caption"), adjusted);  // one scratch font, reused
    EXPECT_EQ(adjusted->Size(), 12);
}

TEST(ThemeFonts, DefaultsOfTheBaseTheme) {
    TskThemeFonts fonts(nullptr);
    fonts.GetFontByIndex(8)->SetColor(clRed);  // "as constructed" entries come back too
    fonts.SetDefaults();
    const TFont plain;
    struct Case {
        int Index;
        int Size;
        TColor Color;
        std::uint32_t Style;
    } cases[] = {
        {0, 10, clWhite, Bold},   {1, 10, clSilver, Bold},   {2, 8, clWhite, Bold},     {3, 8, clSilver, Bold},
        {4, 8, clBlack, 0},       {13, 8, clBlack, 0},       {25, 8, clBlack, 0},       {31, 8, clBlack, 0},
        {46, 8, clBlack, 0},      {14, 8, clBtnShadow, 0},   {65, 8, clBtnShadow, 0},   {33, 8, clWhite, 0},
        {8, 8, plain.Color(), 0}, {47, 8, plain.Color(), 0}, {64, 8, plain.Color(), 0},
    };
    for (const Case& c : cases) {
        const TFont& font = *fonts.GetFontByIndex(c.Index);
        EXPECT_EQ(ValuesOf(font), (FontValues{"Tahoma", c.Size, c.Color, c.Style, plain.Charset()})) << c.Index;
    }
    EXPECT_EQ(fonts.GetFontByIndex(0)->Height(), -13);
    EXPECT_EQ(fonts.GetFontByIndex(4)->Height(), -11);
    EXPECT_STREQ(TskThemeFonts::EntryName(44), "HeaderSectionTextDraggedOut");
    EXPECT_STREQ(TskThemeFonts::EntryName(65), "PopupMenuItemTextDisabled");
}

TEST(ThemeFonts, DescriptionsNameFaceSizeCharsetColourBytesAndStyles) {
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(8);
    font.SetCharset(134);
    font.SetColor(clBtnShadow);  // the code's low bytes, not the resolved colour
    font.SetStyle({fsStrikeOut, fsBold});
    EXPECT_EQ(TskThemeFonts::DescribeFont(font), "Tahoma,8,134,16,0,0,bold,strikeout");
    font.SetColor(0x00332211);
    font.SetStyle({fsItalic, fsUnderline});
    EXPECT_EQ(TskThemeFonts::DescribeFont(font), "Tahoma,8,134,17,34,51,italic,underline");
}

TEST(ThemeFonts, ReadingADescriptionSkipsTheCharacterSet) {
    TFont font;
    font.SetCharset(1);
    ASSERT_TRUE(TskThemeFonts::ParseFontDescription("Arial,9,134,0,0,255,italic", font));
    EXPECT_EQ(ValuesOf(font), (FontValues{"Arial", 9, clBlue, TFontStyles{fsItalic}.Bits(), 1}));
    // Any of the separators, with blanks, brackets and repeated separators; style words in any case.
    ASSERT_TRUE(TskThemeFonts::ParseFontDescription("Courier New; 12 (0) 1=2:3 , BOLD underline", font));
    EXPECT_EQ(ValuesOf(font), (FontValues{"Courier New", 12, 0x030201, TFontStyles{fsBold, fsUnderline}.Bits(), 1}));
}

TEST(ThemeFonts, DescriptionsThatAreNoFontAreRefused) {
    const char* texts[] = {
        "", ",8,1,0,0,0", "Arial", "Arial,8,1,0,0", "Arial,x,1,0,0,0", "Arial,8,1,0,256,0", "Arial,8,1,0,-1,0"};
    for (const char* text : texts) {
        TFont font;
        font.SetName("Before");
        EXPECT_FALSE(TskThemeFonts::ParseFontDescription(text, font)) << text;
        EXPECT_EQ(font.Name(), "Before");
    }
}

TEST(ThemeFonts, WrittenAndReadBackGivesTheSameFonts) {
    TskThemeFonts written(nullptr);
    written.SetDefaults();
    written.GetFontByIndex(40)->SetName("Arial");
    written.GetFontByIndex(40)->SetSize(14);
    written.GetFontByIndex(40)->SetStyle({fsItalic, fsStrikeOut});
    written.GetFontByIndex(41)->SetColor(0x00C08040);
    written.GetFontByIndex(42)->SetName("Face\x81");  // ends in a lead byte with no trail byte
    TMemoryStream stream;
    written.SaveToStream(stream);
    stream.SetPosition(0);
    std::uint8_t count = 0;
    stream.ReadBuffer(&count, 1);
    EXPECT_EQ(count, 65);
    EXPECT_EQ(ReadString(stream), "CaptionTextNormal");
    EXPECT_EQ(ReadString(stream), ":");
    EXPECT_EQ(ReadString(stream), "Tahoma,10,1,255,255,255,bold");

    stream.SetPosition(0);
    TskThemeFonts read(nullptr);
    read.LoadFromStream(stream);
    auto expected = Values(written);
    // A system-colour code travels as its low bytes only.
    for (FontValues& values : expected)
        if (values.Color < 0) values.Color &= 0xFFFFFF;
    EXPECT_EQ(Values(read), expected);
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(ThemeFonts, DamagedStreamsRaiseAndLeaveTheTable) {
    TskThemeFonts fonts(nullptr);
    fonts.SetDefaults();
    const auto before = Values(fonts);
    TMemoryStream whole;
    fonts.SaveToStream(whole);
    const std::string bytes = Bytes(whole);
    TMemoryStream stream;
    for (size_t length = 0; length < bytes.size(); length += 13) {
        Fill(stream, bytes, length);
        EXPECT_THROW(fonts.LoadFromStream(stream), EReadError) << length;
    }
    // Well-formed strings, but the last font description is broken.
    TMemoryStream bad;
    PutByte(bad, 65);
    for (int i = 0; i < 65; ++i) PutEntry(bad, "x", "Arial,9,0,1,2,3");
    PutEntry(bad, "PopupMenuItemTextDisabled", "Arial,9");
    bad.SetPosition(0);
    EXPECT_THROW(fonts.LoadFromStream(bad), EReadError);
    EXPECT_EQ(Values(fonts), before);
}

TEST(ThemeFonts, ExtraEntriesAreReadAndIgnored) {
    TMemoryStream stream;
    PutByte(stream, 67);
    for (int i = 0; i < 68; ++i) PutEntry(stream, "x", i < 66 ? "Arial,9,0,1,2,3" : "not a font");
    stream.SetPosition(0);
    TskThemeFonts fonts(nullptr);
    fonts.LoadFromStream(stream);
    EXPECT_EQ(fonts.GetFontByIndex(65)->Name(), "Arial");
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(ThemeFonts, AssignCopiesEveryFont) {
    TskThemeFonts source(nullptr);
    source.SetDefaults();
    source.GetFontByIndex(7)->SetName("Arial");
    TskThemeFonts dest(nullptr);
    dest.Assign(&source);
    EXPECT_EQ(Values(dest), Values(source));
    EXPECT_NE(dest.GetFontByIndex(7), source.GetFontByIndex(7));
}

}  // namespace

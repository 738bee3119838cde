// The object colour table: defaults, its stream form read back, longer and damaged streams.
#include "TableStreamBytes.h"

#include <skin/ThemeColors.h>
#include <skin/ThemeOptions.h>

#include <gtest/gtest.h>

#include <array>

using namespace tabletest;

namespace {

std::array<TColor, TskThemeColors::Count> Values(const TskThemeColors& colors) {
    std::array<TColor, TskThemeColors::Count> values{};
    for (int i = 0; i < TskThemeColors::Count; ++i) values[i] = colors.GetColor(i);
    return values;
}

TEST(ThemeColors, DefaultsFillEveryEntryButBorder) {
    TskThemeColors colors(nullptr);
    EXPECT_EQ(colors.GetColor(ciBorder), 0);
    colors.SetColor(ciBorder, 0x123456);
    colors.SetDefaults();
    const std::array<TColor, TskThemeColors::Count> expected = {
        0x00FF0000,  0x00C0C0C0, 0x00808080, 0x00C0C0C0, 0x123456, clBtnFace, clBtnFace, clBtnFace,
        clBtnFace,   clBtnFace,  clBtnFace,  clBtnFace,  clWindow, clWindow,  clWindow,  clBtnFace,
        clHighlight, clInfoBk,   clWindow,   clWindow,   clWindow, clBtnFace};
    EXPECT_EQ(Values(colors), expected);
    EXPECT_EQ(static_cast<std::uint32_t>(clInfoBk), 0xFF000018u);
}

TEST(ThemeColors, BadIndexesAnswerNoColourAndChangeNothing) {
    TskThemeColors colors(nullptr);
    colors.SetDefaults();
    const auto before = Values(colors);
    colors.SetColor(-1, clRed);
    colors.SetColor(TskThemeColors::Count, clRed);
    EXPECT_EQ(Values(colors), before);
    EXPECT_EQ(colors.GetColor(-1), clNone);
    EXPECT_EQ(colors.GetColor(TskThemeColors::Count), clNone);
}

TEST(ThemeColors, StreamStartsWithTheLastIndexThenNamedEntries) {
    TskThemeColors colors(nullptr);
    colors.SetDefaults();
    TMemoryStream stream;
    colors.SaveToStream(stream);
    stream.SetPosition(0);
    std::uint8_t count = 0;
    stream.ReadBuffer(&count, 1);
    EXPECT_EQ(count, 21);
    EXPECT_EQ(ReadString(stream), "CaptionNormal");
    EXPECT_EQ(ReadString(stream), ":");
    EXPECT_EQ(ReadString(stream), "clBlue");
    for (int i = 0; i < 5 * 3; ++i) ReadString(stream);
    EXPECT_EQ(ReadString(stream), "PanelDisabled");
    EXPECT_EQ(ReadString(stream), ":");
    EXPECT_EQ(ReadString(stream), "clBtnFace");
}

TEST(ThemeColors, WrittenAndReadBackGivesTheSameValues) {
    TskThemeColors written(nullptr);
    for (int i = 0; i < TskThemeColors::Count; ++i) written.SetColor(i, 0x00010203 * i);
    written.SetColor(3, clNone);
    written.SetColor(4, clDefault);
    written.SetColor(5, clBtnFace);
    written.SetColor(6, 0x00ABCDEF);
    TMemoryStream stream;
    written.SaveToStream(stream);
    stream.SetPosition(0);
    TskThemeColors read(nullptr);
    read.LoadFromStream(stream);
    EXPECT_EQ(Values(read), Values(written));
    EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(ThemeColors, ThirtyEntriesFillTheTableAndTheRestIsSkipped) {
    TMemoryStream stream;
    PutByte(stream, 29);
    for (int i = 0; i < 30; ++i) PutEntry(stream, "Extra" + std::to_string(i), std::to_string(0x100 + i));
    PutByte(stream, 0x5A);  // what follows the table
    stream.SetPosition(0);
    TskThemeColors colors(nullptr);
    colors.LoadFromStream(stream);
    for (int i = 0; i < TskThemeColors::Count; ++i) EXPECT_EQ(colors.GetColor(i), 0x100 + i) << i;
    std::uint8_t next = 0;
    stream.ReadBuffer(&next, 1);
    EXPECT_EQ(next, 0x5A);
}

TEST(ThemeColors, AShortTableChangesOnlyTheEntriesItHolds) {
    TMemoryStream stream;
    PutByte(stream, 1);
    PutEntry(stream, "CaptionNormal", "clRed");
    PutEntry(stream, "CaptionInactive", "$00112233");
    stream.SetPosition(0);
    TskThemeColors colors(nullptr);
    colors.SetDefaults();
    colors.LoadFromStream(stream);
    EXPECT_EQ(colors.GetColor(0), clRed);
    EXPECT_EQ(colors.GetColor(1), 0x00112233);
    EXPECT_EQ(colors.GetColor(2), 0x00808080);
}

TEST(ThemeColors, ADamagedStreamRaisesAndLeavesTheTable) {
    TskThemeColors source(nullptr);
    for (int i = 0; i < TskThemeColors::Count; ++i) source.SetColor(i, 0x00102030 + i);
    TMemoryStream whole;
    source.SaveToStream(whole);
    const std::string bytes = Bytes(whole);

    TskThemeColors colors(nullptr);
    colors.SetDefaults();
    const auto before = Values(colors);
    TMemoryStream stream;
    // Every cut: the count, inside a length, inside a text.
    for (size_t length = 0; length < bytes.size(); ++length) {
        Fill(stream, bytes, length);
        EXPECT_THROW(colors.LoadFromStream(stream), EReadError) << length;
        EXPECT_EQ(Values(colors), before) << length;
    }
    // A value that is neither a colour name nor a number, in the last entry.
    TMemoryStream bad;
    PutByte(bad, 21);
    for (int i = 0; i < 21; ++i) PutEntry(bad, "x", "clBlack");
    PutEntry(bad, "BarDock", "clNoSuchColour");
    bad.SetPosition(0);
    EXPECT_THROW(colors.LoadFromStream(bad), EReadError);
    EXPECT_EQ(Values(colors), before);
}

TEST(ThemeColors, AssignCopiesTheValuesAndRefusesOtherClasses) {
    TskThemeColors source(nullptr);
    source.SetDefaults();
    source.SetColor(ciBorder, 0x0A0B0C);
    TskThemeColors dest(nullptr);
    dest.Assign(&source);
    EXPECT_EQ(Values(dest), Values(source));
    TskThemeOptions options(nullptr);
    EXPECT_THROW(dest.Assign(&options), EConvertError);
    EXPECT_EQ(Values(dest), Values(source));
}

}  // namespace

// The system-colour substitutes: the map, lookups by code, the stream form and damaged counts.
#include "TableStreamBytes.h"

#include <skin/ThemeSysColors.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <array>

using namespace tabletest;

namespace {

std::array<TColor, TskThemeSysColors::Count> Values(const TskThemeSysColors& colors) {
    std::array<TColor, TskThemeSysColors::Count> values{};
    for (int i = 0; i < TskThemeSysColors::Count; ++i) values[i] = colors.ColorAt(i);
    return values;
}

TEST(ThemeSysColors, ConstructionResolvesEveryCodeThroughTheSystem) {
    TskThemeSysColors colors(nullptr);
    for (int i = 0; i < TskThemeSysColors::Count; ++i) {
        const TColor code = TskThemeSysColors::EntryCode(i);
        const TColor expected = code == clDefault ? clDefault : static_cast<TColor>(GetSysColor(code & 0xFF));
        EXPECT_EQ(colors.ColorAt(i), expected) << TskThemeSysColors::EntryName(i);
    }
    EXPECT_STREQ(TskThemeSysColors::EntryName(10), "clActiveCaption");
    EXPECT_STREQ(TskThemeSysColors::EntryName(25), "clWindowFrame");
}

TEST(ThemeSysColors, LookupsTakeTheFirstEntryOfACodeAndAnswerNoColourOutsideTheMap) {
    TskThemeSysColors colors(nullptr);
    colors.SetColor(clActiveCaption, 0x010203);
    EXPECT_EQ(colors.ColorAt(1), 0x010203);
    EXPECT_EQ(colors.ColorAt(10), static_cast<TColor>(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_EQ(colors.GetColor(clActiveCaption), 0x010203);
    EXPECT_EQ(colors.GetColor(clBtnShadow), static_cast<TColor>(GetSysColor(COLOR_BTNSHADOW)));
    // clWindowText follows the table in the map but is not part of it.
    const auto before = Values(colors);
    EXPECT_EQ(colors.GetColor(clWindowText), clNone);
    EXPECT_EQ(colors.GetColor(clRed), clNone);
    colors.SetColor(clWindowText, clRed);
    EXPECT_EQ(Values(colors), before);
}

TEST(ThemeSysColors, ReloadFollowsTheSystemColours) {
    TskThemeSysColors colors(nullptr);
    const COLORREF saved = GetSysColor(COLOR_BTNFACE);
    const INT element = COLOR_BTNFACE;
    const COLORREF changed = RGB(1, 2, 3);
    ASSERT_TRUE(SetSysColors(1, &element, &changed));
    colors.Reload();
    EXPECT_EQ(colors.GetColor(clBtnFace), static_cast<TColor>(changed));
    SetSysColors(1, &element, &saved);
}

TEST(ThemeSysColors, WrittenAndReadBackGivesTheSameValuesInMapOrder) {
    TskThemeSysColors written(nullptr);
    TMemoryStream stream;
    written.SaveToStream(stream);
    stream.SetPosition(0);
    unsigned char count[4];
    stream.ReadBuffer(count, 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(count), 4), std::string("\x1A\x00\x00\x00", 4));
    for (int i = 0; i < 10 * 3; ++i) ReadString(stream);
    EXPECT_EQ(ReadString(stream), "clActiveCaption");

    // Distinct values everywhere, the second clActiveCaption included, survive.
    TMemoryStream distinct;
    PutInt32(distinct, 26);
    for (int i = 0; i < 26; ++i) PutEntry(distinct, TskThemeSysColors::EntryName(i), ColorToString(0x0F0000 + i));
    distinct.SetPosition(0);
    TskThemeSysColors read(nullptr);
    read.LoadFromStream(distinct);
    TMemoryStream again;
    read.SaveToStream(again);
    again.SetPosition(0);
    TskThemeSysColors readAgain(nullptr);
    readAgain.LoadFromStream(again);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(readAgain.ColorAt(i), 0x0F0000 + i) << i;
}

TEST(ThemeSysColors, ExtraEntriesAreSkipped) {
    TMemoryStream stream;
    PutInt32(stream, 28);
    for (int i = 0; i < 28; ++i) PutEntry(stream, "x", std::to_string(i));
    PutByte(stream, 0x77);
    stream.SetPosition(0);
    TskThemeSysColors colors(nullptr);
    colors.LoadFromStream(stream);
    EXPECT_EQ(colors.ColorAt(25), 25);
    std::uint8_t next = 0;
    stream.ReadBuffer(&next, 1);
    EXPECT_EQ(next, 0x77);
}

TEST(ThemeSysColors, DamagedStreamsRaiseAndLeaveTheTable) {
    TskThemeSysColors colors(nullptr);
    const auto before = Values(colors);
    TMemoryStream whole;
    colors.SaveToStream(whole);
    const std::string bytes = Bytes(whole);
    TMemoryStream stream;
    for (size_t length = 0; length < bytes.size(); length += 7) {
        Fill(stream, bytes, length);
        EXPECT_THROW(colors.LoadFromStream(stream), EReadError) << length;
    }
    // Counts that no stream of this size can hold, negative or huge.
    for (std::int32_t count : {-1, INT32_MIN, INT32_MAX, 27}) {
        std::string damaged = bytes;
        const auto bits = static_cast<std::uint32_t>(count);
        for (int i = 0; i < 4; ++i) damaged[i] = static_cast<char>(bits >> (8 * i));
        Fill(stream, damaged, damaged.size());
        EXPECT_THROW(colors.LoadFromStream(stream), EReadError) << count;
    }
    EXPECT_EQ(Values(colors), before);
}

}  // namespace

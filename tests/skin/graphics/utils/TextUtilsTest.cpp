// Wide text drawing and measuring on a bitmap canvas, and captions shortened with "...".
#include "PaintFixture.h"

#include <skin/Common.h>
#include <skin/TextUtils.h>

#include <win32/windows.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class TextUtils : public PaintFixture {
protected:
    void SetUp() override { Reset(120, 40, clWhite); }
    int Width(const std::u16string& text) {
        SIZE size{};
        GetTextExtentPoint32W(FCanvas.Handle(), text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    std::u16string Ellipsis(const std::u16string& text, int maxWidth) {
        return EllipsisText(FCanvas.Handle(), text, maxWidth);
    }
};

TEST_F(TextUtils, DrawTextEx2DrawsInTheFontColourOverNoBackground) {
    ASSERT_TRUE(IsNT());
    FCanvas.Brush().SetColor(clRed);  // an opaque background would show it
    FCanvas.Font().SetColor(clBlue);
    RECT rect{0, 0, 120, 40};
    int height = DrawTextEx2(FCanvas, u"通道 Hg", rect, DT_LEFT | DT_TOP | DT_SINGLELINE);
    EXPECT_EQ(height, TextHeightEx(FCanvas, u"通道 Hg"));
    EXPECT_GT(height, 0);
    EXPECT_EQ(CountAll(kRed), 0);
    EXPECT_GT(CountAll(RGB(0, 0, 255)), 10);
    EXPECT_EQ(GetBkMode(FCanvas.Handle()), TRANSPARENT);
}

TEST_F(TextUtils, DrawTextEx2MeasuresWithCalcRectAndDrawsNothing) {
    RECT rect{10, 5, 10, 5};
    int height = DrawTextEx2(FCanvas, u"通道12", rect, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(rect.right - rect.left, Width(u"通道12"));
    EXPECT_EQ(rect.bottom - rect.top, height);
    EXPECT_EQ(CountAll(kWhite), 120 * 40);
}

TEST_F(TextUtils, ModifyStringNeverWritesIntoTheCallersText) {
    const std::u16string text = u"a rather long caption";
    RECT rect{0, 0, 30, 20};
    DrawTextEx2(FCanvas, text, rect, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_EQ(text, u"a rather long caption");
    EXPECT_GT(TextWidthEx(FCanvas, text, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING), 0);
}

TEST_F(TextUtils, TextWidthExMeasuresOneLineOrTheCalcRectBox) {
    EXPECT_EQ(TextWidthEx(FCanvas, u"通道 12", 0), Width(u"通道 12"));
    // Through the ANSI form double-byte characters measure the same.
    EXPECT_EQ(TextWidthEx(FCanvas, u"通道 12", DT_SINGLELINE), Width(u"通道 12"));
    // Word breaks in an empty rectangle: the box grows to the longest word.
    EXPECT_EQ(TextWidthEx(FCanvas, u"ab cdefgh ij", DT_WORDBREAK), Width(u"cdefgh"));
    EXPECT_EQ(TextWidthEx(FCanvas, u"", 0), 0);
    // Characters code page 936 lacks are measured as its default character.
    EXPECT_EQ(TextWidthEx(FCanvas, u"\u0E01", DT_SINGLELINE), Width(u"?"));
}

TEST_F(TextUtils, TextHeightExIsTheFontsLineHeight) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(FCanvas.Handle(), &metrics);
    EXPECT_EQ(TextHeightEx(FCanvas, u"Hg通"), metrics.tmHeight);
    FCanvas.Font().SetHeight(-20);
    EXPECT_GT(TextHeightEx(FCanvas, u"Hg通"), metrics.tmHeight);
}

TEST_F(TextUtils, EllipsisTextKeepsWhatFitsAndShortensTheRest) {
    const std::u16string text = u"abcde";
    EXPECT_EQ(Ellipsis(text, Width(text)), text);
    EXPECT_EQ(Ellipsis(text, 1000), text);
    // Room for "ab..." but not for "abc...".
    EXPECT_EQ(Ellipsis(text, Width(u"ab...")), u"ab...");
    EXPECT_EQ(Ellipsis(text, Width(u"abc...") - 1), u"ab...");
    EXPECT_EQ(Ellipsis(u"abcdefghij", Width(u"abcd...")), u"abcd...");
    // Not even one character fits: the dots alone, even where they do not fit either.
    EXPECT_EQ(Ellipsis(text, Width(u"a...") - 1), u"...");
    EXPECT_EQ(Ellipsis(text, 0), u"...");
    EXPECT_EQ(Ellipsis(text, -7), u"...");
    // An empty caption stays empty, whatever the width.
    EXPECT_EQ(Ellipsis(u"", 0), u"");
    EXPECT_EQ(Ellipsis(u"", -3), u"");
}

TEST_F(TextUtils, EllipsisTextKeepsWholeCharacters) {
    const std::u16string chinese = u"通道名称设置";
    EXPECT_EQ(Ellipsis(chinese, Width(u"通道...")), u"通道...");
    EXPECT_EQ(Ellipsis(chinese, Width(u"通道名...") - 1), u"通道...");
    // A character outside the basic plane is one character of two code units: never cut between them.
    const std::u16string astral = u"\U00020000\U00020001\U00020002";
    for (int width = 0; width <= Width(astral); ++width) {
        std::u16string result = Ellipsis(astral, width);
        if (result == astral) continue;
        ASSERT_GE(result.size(), 3u);
        ASSERT_EQ(result.substr(result.size() - 3), u"...");
        std::u16string kept = result.substr(0, result.size() - 3);
        EXPECT_EQ(kept.size() % 2, 0u) << width;
        EXPECT_EQ(astral.compare(0, kept.size(), kept), 0) << width;
    }
}

}  // namespace

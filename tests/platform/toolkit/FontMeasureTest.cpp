// Measuring through TFont: the same answers as GetTextExtentPoint32A and DrawTextA DT_CALCRECT on a DC with the
// font selected, and cached metrics that follow every change of the font.
#include <toolkit/Font.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A DC of the test's own with the font selected: what the toolkit's measuring must agree with.
class TSelectedDC {
public:
    explicit TSelectedDC(TFont& font) : FDC(CreateCompatibleDC(nullptr)) { FOld = SelectObject(FDC, font.Handle()); }
    ~TSelectedDC() {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
    }
    TSelectedDC(const TSelectedDC&) = delete;
    TSelectedDC& operator=(const TSelectedDC&) = delete;

    SIZE Extent(const std::string& text) {
        SIZE size{0, 0};
        EXPECT_TRUE(GetTextExtentPoint32A(FDC, text.data(), static_cast<int>(text.size()), &size));
        return size;
    }
    RECT CalcRect(const std::string& text, RECT rect, UINT flags) {
        DrawTextA(FDC, text.c_str(), static_cast<int>(text.size()), &rect, flags | DT_CALCRECT);
        return rect;
    }
    TEXTMETRICA Metrics() {
        TEXTMETRICA metrics{};
        EXPECT_TRUE(GetTextMetricsA(FDC, &metrics));
        return metrics;
    }

private:
    HDC FDC;
    HGDIOBJ FOld;
};

struct TMeasureCase {
    const char* Text;
    RECT Bounds;
    UINT Flags;
};

// Latin, GBK double-byte text, accelerator prefixes with and without DT_NOPREFIX, and word-broken lines.
const std::vector<TMeasureCase> kCases = {
    {"", {0, 0, 0, 0}, DT_SINGLELINE},
    {"Abc xyz", {0, 0, 0, 0}, DT_SINGLELINE},
    {"通道 1 设置", {0, 0, 0, 0}, DT_SINGLELINE},
    {"&File", {0, 0, 0, 0}, DT_SINGLELINE},
    {"&File", {0, 0, 0, 0}, DT_SINGLELINE | DT_NOPREFIX},
    {"a && b", {0, 0, 0, 0}, DT_SINGLELINE},
    {"line one\nline two", {0, 0, 200, 0}, 0},
    {"the quick brown fox jumps over the lazy dog", {0, 0, 60, 0}, DT_WORDBREAK},
    {"串口 通道 设置 字体 大小", {4, 3, 50, 3}, DT_WORDBREAK | DT_EXPANDTABS},
};

void ExpectSameRect(const RECT& expected, const RECT& actual, const std::string& what) {
    EXPECT_EQ(expected.left, actual.left) << what;
    EXPECT_EQ(expected.top, actual.top) << what;
    EXPECT_EQ(expected.right, actual.right) << what;
    EXPECT_EQ(expected.bottom, actual.bottom) << what;
}

void ExpectMeasuresAsADC(TFont& font) {
    TSelectedDC dc(font);
    for (const auto& c : kCases) {
        std::string label = std::string("\"") + c.Text + "\" flags " + std::to_string(c.Flags);
        SIZE expected = dc.Extent(c.Text);
        SIZE actual = font.TextExtent(c.Text);
        EXPECT_EQ(expected.cx, actual.cx) << label;
        EXPECT_EQ(expected.cy, actual.cy) << label;
        ExpectSameRect(dc.CalcRect(c.Text, c.Bounds, c.Flags), font.MeasureText(c.Text, c.Bounds, c.Flags), label);
    }
    TEXTMETRICA expected = dc.Metrics();
    const TEXTMETRICA& cached = font.Metrics();
    EXPECT_EQ(expected.tmHeight, cached.tmHeight);
    EXPECT_EQ(expected.tmAscent, cached.tmAscent);
    EXPECT_EQ(expected.tmAveCharWidth, cached.tmAveCharWidth);
    EXPECT_EQ(expected.tmWeight, cached.tmWeight);
    EXPECT_EQ(expected.tmItalic, cached.tmItalic);
    EXPECT_EQ(expected.tmHeight, font.TextHeight());
}

}  // namespace

TEST(FontMeasure, AgreesWithADCThatHasTheFontSelected) {
    TFont latin;
    ExpectMeasuresAsADC(latin);
    TFont chinese;
    chinese.SetName("宋体");
    chinese.SetSize(9);
    ExpectMeasuresAsADC(chinese);
    TFont bold;
    bold.SetStyle(TFontStyles{fsBold});
    bold.SetSize(14);
    ExpectMeasuresAsADC(bold);
}

// The metrics are cached in the font; each change that makes a new handle must drop them.
TEST(FontMeasure, CachedMetricsFollowEveryChangeOfTheFont) {
    TFont font;
    int before = font.TextHeight();
    int weight = font.Metrics().tmWeight;

    font.SetSize(20);
    EXPECT_GT(font.TextHeight(), before);
    ExpectMeasuresAsADC(font);

    font.SetHeight(-11);
    EXPECT_EQ(before, font.TextHeight());

    font.SetStyle(TFontStyles{fsBold, fsItalic});
    EXPECT_GT(font.Metrics().tmWeight, weight);
    EXPECT_TRUE(font.Metrics().tmItalic);
    ExpectMeasuresAsADC(font);

    font.SetName("宋体");
    ExpectMeasuresAsADC(font);

    font.SetCharset(GB2312_CHARSET);
    ExpectMeasuresAsADC(font);

    TFont large;
    large.SetSize(24);
    font.Assign(large);
    EXPECT_EQ(large.TextHeight(), font.TextHeight());
    ExpectMeasuresAsADC(font);

    LOGFONTA lf = large.LogFont();
    lf.lfHeight = -30;
    font.SetHandle(CreateFontIndirectA(&lf));
    EXPECT_EQ(-30, font.Height());
    ExpectMeasuresAsADC(font);

    // The colour does not change the glyphs; the cached metrics stay right.
    int height = font.TextHeight();
    font.SetColor(clRed);
    EXPECT_EQ(height, font.TextHeight());
}

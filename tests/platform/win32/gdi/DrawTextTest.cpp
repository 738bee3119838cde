// DrawText: measuring (DT_CALCRECT), wrapping, prefixes, ellipses, tabs, alignment, clipping and the return value.
#include "TextFixture.h"

#include <cstring>
#include <vector>

namespace {

class DrawTextTest : public TextFixture {
protected:
    void SetUp() override {
        TextFixture::SetUp();
        Use(-12, u"宋体");
        GetTextMetricsW(Dc(), &FTm);
    }
    int Extent(const std::u16string& text) {
        SIZE size{};
        GetTextExtentPoint32W(Dc(), text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // DT_CALCRECT from a rectangle `width` wide at (10, 5); answers the rectangle and sets the return value.
    RECT Calc(const std::u16string& text, UINT format, int width = 1000) {
        RECT rect{10, 5, 10 + width, 5 + 100};
        Returned = DrawTextW(Dc(), text.data(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
        return rect;
    }
    TEXTMETRICW FTm{};
    int Returned = 0;
};

TEST_F(DrawTextTest, CalcRectMeasuresOneLine) {
    for (const std::u16string text : {u"通道01 Channel", u"字符叠加", u"x"}) {
        RECT r = Calc(text, DT_SINGLELINE);
        EXPECT_EQ(r, (RECT{10, 5, 10 + Extent(text), 5 + FTm.tmHeight}));
        EXPECT_EQ(Returned, FTm.tmHeight);
        // Without DT_SINGLELINE and DT_WORDBREAK one line measures the same.
        EXPECT_EQ(Calc(text, 0), r);
    }
    RECT lines = Calc(u"ab\r\nc\nlonger line\rd", 0);
    EXPECT_EQ(lines.right - lines.left, Extent(u"longer line"));
    EXPECT_EQ(lines.bottom - lines.top, 4 * FTm.tmHeight);
    EXPECT_EQ(Returned, 4 * FTm.tmHeight);
    // DT_EXTERNALLEADING adds the font's external leading to every line.
    EXPECT_EQ(Calc(u"a\nb", DT_EXTERNALLEADING).bottom - 5, 2 * (FTm.tmHeight + FTm.tmExternalLeading));

    RECT empty{10, 5, 50, 40};
    EXPECT_EQ(DrawTextW(Dc(), u"", -1, &empty, DT_CALCRECT | DT_SINGLELINE), FTm.tmHeight);
    EXPECT_EQ(empty, (RECT{10, 5, 10, 5 + FTm.tmHeight}));
}

struct WrapCase {
    const char16_t* Text;
    const char16_t* WidthOf;  // the wrapping width is this text's extent
    std::vector<std::u16string> Lines;
    UINT Extra;
};

TEST_F(DrawTextTest, WordBreakWrapsAtSpacesAndBetweenChineseCharacters) {
    const WrapCase cases[] = {
        {u"Hello world again", u"Hello world", {u"Hello world", u"again"}, 0},
        {u"Hello world again", u"Hello worl", {u"Hello", u"world", u"again"}, 0},
        {u"通道字符叠加", u"通道字符", {u"通道字符", u"叠加"}, 0},
        {u"ABC通道", u"ABC通", {u"ABC通", u"道"}, 0},
        {u"通道01 字符", u"通道01", {u"通道01", u"字符"}, 0},
        // Closing punctuation stays with the character before it.
        {u"通道，字符", u"通道", {u"通", u"道，", u"字符"}, 0},
        // A word wider than the line stays whole, unless an edit control breaks it.
        {u"abcdefghij xy", u"abcd", {u"abcdefghij", u"xy"}, 0},
        {u"abcdefghij xy", u"abcd", {u"abcd", u"efgh", u"ij xy"}, DT_EDITCONTROL},
        {u"two\r\nparas here", u"paras", {u"two", u"paras", u"here"}, 0},
        {u"通道字符", u"通道", {u"通道字符"}, DT_NOFULLWIDTHCHARBREAK},
    };
    for (const auto& c : cases) {
        int wrap = Extent(c.WidthOf);
        RECT r = Calc(c.Text, DT_WORDBREAK | c.Extra, wrap);
        int widest = 0;
        for (const auto& line : c.Lines) widest = std::max(widest, Extent(line));
        EXPECT_EQ(r.right - r.left, widest) << "width " << wrap << " extra " << c.Extra;
        EXPECT_EQ(r.bottom - r.top, static_cast<LONG>(c.Lines.size()) * FTm.tmHeight)
            << "lines of case with width " << wrap;
        EXPECT_EQ(Returned, r.bottom - r.top);

        // Drawn, each line's ink starts on its own row of cells and matches the line drawn alone.
        Reset(200, 100);
        Use(-12, u"宋体");
        RECT box{0, 0, wrap, 100};
        DrawTextW(Dc(), c.Text, -1, &box, DT_WORDBREAK | DT_NOCLIP | c.Extra);
        std::vector<uint32_t> wrapped(Bits(), Bits() + Width() * Height());
        Clear();
        for (size_t i = 0; i < c.Lines.size(); ++i)
            TextOutW(Dc(), 0, static_cast<int>(i) * FTm.tmHeight, c.Lines[i].data(),
                     static_cast<int>(c.Lines[i].size()));
        EXPECT_TRUE(std::equal(wrapped.begin(), wrapped.end(), Bits())) << "wrapped at width " << wrap;
        Reset(200, 60);
        Use(-12, u"宋体");
    }
}

TEST_F(DrawTextTest, PrefixesAreRemovedAndUnderlined) {
    EXPECT_EQ(Calc(u"&File", DT_SINGLELINE).right - 10, Extent(u"File"));
    EXPECT_EQ(Calc(u"A&&B", DT_SINGLELINE).right - 10, Extent(u"A&B"));
    EXPECT_EQ(Calc(u"&File", DT_SINGLELINE | DT_NOPREFIX).right - 10, Extent(u"&File"));
    EXPECT_EQ(Calc(u"File&", DT_SINGLELINE).right - 10, Extent(u"File"));

    RECT box{0, 0, 100, 30};
    SetBkMode(Dc(), TRANSPARENT);
    DrawTextW(Dc(), u"&File", -1, &box, DT_SINGLELINE | DT_HIDEPREFIX);
    std::vector<uint32_t> hidden(Bits(), Bits() + Width() * Height());
    Clear();
    DrawTextW(Dc(), u"&File", -1, &box, DT_SINGLELINE);
    // The only difference: a one-pixel row under 'F', one pixel shorter than its advance.
    int underlineRow = FTm.tmAscent + 1, fWidth = Extent(u"F");
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x) {
            bool inBar = y == underlineRow && x < fWidth - 1;
            uint32_t expected = inBar ? 0 : hidden[y * Width() + x];
            EXPECT_EQ(Pixel(x, y), expected) << x << "," << y;
        }
    Clear();
    DrawTextW(Dc(), u"&File", -1, &box, DT_SINGLELINE | DT_PREFIXONLY);
    EXPECT_EQ(InkBox(), (RECT{0, underlineRow, fWidth - 1, underlineRow + 1}));
}

TEST_F(DrawTextTest, EllipsesShortenTheTextToFit) {
    // End ellipsis: as much of the start as fits with "...".
    int width = Extent(u"Hello w...");
    WCHAR buffer[64] = {};
    std::memcpy(buffer, u"Hello world", sizeof(u"Hello world"));
    RECT r{0, 0, width, 20};
    DrawTextExW(Dc(), buffer, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT, nullptr);
    EXPECT_EQ(std::u16string(buffer), u"Hello w...");
    EXPECT_EQ(r.right, width);

    // Path ellipsis keeps the file name and the start of the path.
    const char16_t* path = u"C:\\Program Files\\Vendor\\Tool\\file.txt";
    std::memcpy(buffer, path, (std::char_traits<char16_t>::length(path) + 1) * 2);
    r = RECT{0, 0, Extent(u"C:\\Prog...\\file.txt"), 20};
    DrawTextExW(Dc(), buffer, -1, &r, DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT, nullptr);
    EXPECT_EQ(std::u16string(buffer), u"C:\\Prog...\\file.txt");

    // Word ellipsis cuts at a word end.
    std::memcpy(buffer, u"Hello wonderful world", sizeof(u"Hello wonderful world"));
    r = RECT{0, 0, Extent(u"Hello wonder"), 20};
    DrawTextExW(Dc(), buffer, -1, &r, DT_SINGLELINE | DT_WORD_ELLIPSIS | DT_CALCRECT, nullptr);
    EXPECT_EQ(r.right, Extent(u"Hello..."));
    EXPECT_EQ(std::u16string(buffer), u"Hello wonderful world") << "only DT_MODIFYSTRING changes the text";

    // Text that fits is left alone, and Chinese text is cut by characters.
    EXPECT_EQ(Calc(u"字符叠加", DT_SINGLELINE | DT_END_ELLIPSIS, Extent(u"字符叠加")).right - 10, Extent(u"字符叠加"));
    EXPECT_EQ(Calc(u"字符叠加", DT_SINGLELINE | DT_END_ELLIPSIS, Extent(u"字符...") + 1).right - 10,
              Extent(u"字符..."));
}

TEST_F(DrawTextTest, TabsExpandToStopsInAverageCharacterWidths) {
    int ave = FTm.tmAveCharWidth;
    EXPECT_EQ(Calc(u"a\tb", DT_SINGLELINE | DT_EXPANDTABS).right - 10, 8 * ave + Extent(u"b"));
    // With DT_TABSTOP the second byte of the format is the tab length (so DT_CALCRECT cannot go with it).
    RECT box{0, 0, 200, 40};
    SetBkMode(Dc(), TRANSPARENT);
    DrawTextW(Dc(), u"a\tb", -1, &box, DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP | (4 << 8));
    std::vector<uint32_t> tabbed(Bits(), Bits() + Width() * Height());
    Clear();
    TextOutW(Dc(), 0, 0, u"a", 1);
    TextOutW(Dc(), 4 * ave, 0, u"b", 1);
    EXPECT_TRUE(std::equal(tabbed.begin(), tabbed.end(), Bits()));
    RECT r{0, 0, 500, 50};
    DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 2, 5, 7, 0};
    WCHAR text[] = u"a\tb";
    EXPECT_EQ(DrawTextExW(Dc(), text, -1, &r, DT_SINGLELINE | DT_EXPANDTABS | DT_CALCRECT, &params), FTm.tmHeight);
    EXPECT_EQ(r.right, 5 + 2 * ave + Extent(u"b") + 7) << "margins widen the measured rectangle";
    EXPECT_EQ(params.uiLengthDrawn, 3u);
}

TEST_F(DrawTextTest, PlacementInTheRectangleAndTheReturnValue) {
    SetBkMode(Dc(), TRANSPARENT);
    RECT box{20, 10, 180, 50};
    int width = Extent(u"通道01");
    struct {
        UINT Format;
        int Left, Top;
        int Returned;
    } cases[] = {
        {DT_SINGLELINE, 20, 10, FTm.tmHeight},
        {DT_SINGLELINE | DT_RIGHT, 180 - width, 10, FTm.tmHeight},
        {DT_SINGLELINE | DT_CENTER, (20 + 180 - width) / 2, 10, FTm.tmHeight},
        {DT_SINGLELINE | DT_VCENTER, 20, 30 - FTm.tmHeight / 2, 20 - FTm.tmHeight / 2 + FTm.tmHeight},
        {DT_SINGLELINE | DT_BOTTOM, 20, 50 - FTm.tmHeight, 40},
    };
    RECT reference{};
    for (const auto& c : cases) {
        Clear();
        RECT r = box;
        EXPECT_EQ(DrawTextW(Dc(), u"通道01", -1, &r, c.Format), c.Returned) << c.Format;
        EXPECT_EQ(r, box) << "drawing leaves the rectangle alone";
        RECT ink = InkBox();
        if (c.Format == DT_SINGLELINE) reference = ink;
        EXPECT_EQ(ink.left - c.Left, reference.left - 20) << c.Format;
        EXPECT_EQ(ink.top - c.Top, reference.top - 10) << c.Format;
    }

    // Clipped to the rectangle unless DT_NOCLIP.
    RECT narrow{20, 10, 40, 50};
    Clear();
    DrawTextW(Dc(), u"通道字符叠加", -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(InkBox().right, 40);
    Clear();
    DrawTextW(Dc(), u"通道字符叠加", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBox().right, 40);

    // Failures answer 0.
    WCHAR text[] = u"x";
    DRAWTEXTPARAMS bad{sizeof(DRAWTEXTPARAMS) + 1, 0, 0, 0, 0};
    EXPECT_EQ(DrawTextExW(Dc(), text, -1, &narrow, 0, &bad), 0);
    EXPECT_EQ(DrawTextW(Dc(), u"x", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(Dc(), u"x", -1, &narrow, 0x01000000), 0);
    EXPECT_EQ(DrawTextW(nullptr, u"x", -1, &narrow, 0), 0);
}

TEST_F(DrawTextTest, AnsiTextIsCodePage936) {
    RECT a{0, 0, 60, 60}, w = a;
    EXPECT_EQ(DrawTextA(Dc(), "通道01 字符叠加", -1, &a, DT_WORDBREAK | DT_CALCRECT),
              DrawTextW(Dc(), u"通道01 字符叠加", -1, &w, DT_WORDBREAK | DT_CALCRECT));
    EXPECT_EQ(a, w);

    RECT box{0, 0, 200, 40};
    SetBkMode(Dc(), TRANSPARENT);
    DrawTextW(Dc(), u"通道&1 ok", -1, &box, DT_SINGLELINE);
    std::vector<uint32_t> wide(Bits(), Bits() + Width() * Height());
    Clear();
    DrawTextA(Dc(), "通道&1 ok", -1, &box, DT_SINGLELINE);
    EXPECT_TRUE(std::equal(wide.begin(), wide.end(), Bits()));

    char buffer[32] = "字符叠加字符叠加";
    RECT r{0, 0, Extent(u"字符叠..."), 20};
    DRAWTEXTPARAMS params{sizeof(DRAWTEXTPARAMS), 0, 0, 0, 0};
    DrawTextExA(Dc(), buffer, -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING, &params);
    EXPECT_STREQ(buffer, "字符叠...");
    EXPECT_EQ(params.uiLengthDrawn, 16u) << "counted in bytes";
}

}  // namespace

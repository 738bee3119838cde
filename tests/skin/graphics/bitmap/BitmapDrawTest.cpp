// TskBitmap drawing: the three modes between bitmaps, the direct path through another bitmap's DC, the
// temporary-bitmap path onto plain DCs, stretching maps, tiling, filling, merging and colour shifts.
#include <skin/PixelOps.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<TskColor> Row(const TskBitmap& bitmap, int y) {
    return std::vector<TskColor>(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width());
}

// A source whose pixel value is its column number (plus 100 per row), opaque.
void Number(TskBitmap& bitmap, int width, int height) {
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.SetPixel(x, y, 0xFF000000u | static_cast<TskColor>(100 * y + x));
}

// The low bytes of each pixel of a row: which source pixel landed there.
std::vector<int> Sources(const TskBitmap& bitmap, int y) {
    std::vector<int> sources;
    for (TskColor pixel : Row(bitmap, y)) sources.push_back(static_cast<int>(pixel & 0xFFFF));
    return sources;
}

TEST(BitmapDrawTo, TheModeDecidesHowPixelsArrive) {
    TskBitmap source;
    source.SetSize(3, 1);
    source.SetPixel(0, 0, 0x80FF0000);
    source.SetPixel(1, 0, 0x007F007F);
    source.SetPixel(2, 0, 0x00123456);
    const TskColor under = 0xFF0000FF;
    struct {
        bool alphaBlend, transparent;
        std::vector<TskColor> expected;
    } modes[] = {
        {false, false, {0x80FF0000, 0x007F007F, 0x00123456}},
        {false, true, {0xFFFF0000, under, 0xFF123456}},
        {true, true, {0xBF7F007F, under, under}},  // alpha wins over the key
    };
    for (const auto& mode : modes) {
        TskBitmap target;
        target.SetSize(3, 1);
        target.Clear(under);
        source.SetAlphaBlend(mode.alphaBlend);
        source.SetTransparent(mode.transparent);
        source.DrawTo(target, 0, 0);
        EXPECT_EQ(Row(target, 0), mode.expected) << mode.alphaBlend << mode.transparent;
    }
}

TEST(BitmapDrawTo, ClippingAndSourcesOutsideTheBitmap) {
    TskBitmap source, target;
    Number(source, 10, 10);
    target.SetSize(4, 2);
    source.DrawTo(target, RECT{-2, -9, 2, 1}, RECT{3, 0, 7, 10});
    EXPECT_EQ(Sources(target, 0), (std::vector<int>{905, 906, 0, 0}));
    EXPECT_EQ(Sources(target, 1), (std::vector<int>{0, 0, 0, 0}));

    target.Clear(0);
    source.DrawTo(target, RECT{0, 0, 11, 10}, RECT{0, 0, 11, 10});
    source.DrawRectTo(target, 0, 0, RECT{-1, 0, 3, 1});
    source.DrawTo(target, RECT{0, 0, 3, 1}, RECT{2, 0, 2, 1});
    EXPECT_EQ(Row(target, 0), std::vector<TskColor>(4, 0));
}

// Bitmaps of one width take whole rows at once; rows must still land in order, shifted by the clip.
TEST(BitmapDrawTo, WholeRowsOfEqualWidthsArriveInOrder) {
    for (bool alpha : {false, true}) {
        TskBitmap source, target;
        Number(source, 4, 3);
        source.SetAlphaBlend(alpha);
        target.SetSize(4, 3);
        source.DrawTo(target, 0, -1);
        EXPECT_EQ(Sources(target, 0), (std::vector<int>{100, 101, 102, 103}));
        EXPECT_EQ(Sources(target, 1), (std::vector<int>{200, 201, 202, 203}));
        EXPECT_EQ(Row(target, 2), std::vector<TskColor>(4, 0));
    }
}

struct StretchCase {
    int sourceWidth, targetWidth;
    std::vector<int> columns;
};

TEST(BitmapDrawTo, StretchingMapsColumnsThroughASinglePrecisionRatio) {
    const StretchCase cases[] = {
        {2, 4, {0, 0, 0, 1}},  // 1/3 in single precision is a little above a third: 3 x ratio truncates to 1
        {2, 1, {0}},
        {8, 11, {0, 0, 1, 2, 2, 3, 4, 4, 5, 6, 6}},  // 0.7 is a little below: the last column gets 6, not 7
        {3, 1, {1}},
    };
    for (bool alpha : {false, true}) {
        for (const StretchCase& c : cases) {
            SCOPED_TRACE(testing::Message() << c.sourceWidth << " to " << c.targetWidth << (alpha ? " blended" : ""));
            TskBitmap source, target;
            Number(source, c.sourceWidth, 1);
            source.SetAlphaBlend(alpha);
            target.SetSize(c.targetWidth, 1);
            source.DrawTo(target, RECT{0, 0, c.targetWidth, 1}, RECT{0, 0, c.sourceWidth, 1});
            EXPECT_EQ(Sources(target, 0), c.columns);
        }
    }
}

TEST(BitmapDrawTo, StretchedRowsFollowTheSameMapAndClipKeepsTheMap) {
    TskBitmap source, target;
    Number(source, 2, 2);
    target.SetSize(3, 4);
    source.DrawTo(target, RECT{0, 0, 3, 4}, RECT{0, 0, 2, 2});
    EXPECT_EQ(Sources(target, 0), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(Sources(target, 2), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(Sources(target, 3), (std::vector<int>{100, 100, 101}));

    TskBitmap wide, part;
    Number(wide, 8, 1);
    part.SetSize(3, 1);
    wide.SetTransparent(true);
    wide.DrawTo(part, RECT{-8, 0, 3, 1}, RECT{0, 0, 8, 1});  // columns 8..10 of the 8-to-11 map
    EXPECT_EQ(Sources(part, 0), (std::vector<int>{5, 6, 6}));
}

// A bitmap's DC is recognised: the draw goes straight to its pixels, with the formula's exact result and the
// DC's window origin taken off.
TEST(BitmapDrawOnDC, AnotherBitmapsDCTakesTheDirectPath) {
    TskBitmap source, target;
    source.SetSize(1, 1);
    source.SetPixel(0, 0, 0x80FF0000);
    source.SetAlphaBlend(true);
    target.SetSize(3, 3);
    target.Clear(0xFF0000FF);
    SetWindowOrgEx(target.DC(), 1, 1, nullptr);
    source.Draw(target.DC(), 2, 3);
    source.Draw(target.Canvas(), 1, 1);
    EXPECT_EQ(target.GetPixel(1, 2), 0xBF7F007Fu);  // alpha too: GDI would have left it alone or zeroed it
    EXPECT_EQ(target.GetPixel(0, 0), 0xBF7F007Fu);
    EXPECT_EQ(target.GetPixel(1, 1), 0xFF0000FFu);
}

// A DC holding a plain top-down DIB section that is not a TskBitmap's.
class PlainDib {
public:
    PlainDib(int width, int height, bool bottomUp = false) : FWidth(width), FHeight(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = bottomUp ? height : -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        FDC = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        FSection = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        FBits = static_cast<TskColor*>(bits);
        FOld = SelectObject(FDC, FSection);
        FBottomUp = bottomUp;
    }
    ~PlainDib() {
        SelectObject(FDC, FOld);
        DeleteObject(FSection);
        DeleteDC(FDC);
    }
    HDC DC() const { return FDC; }
    TskColor& At(int x, int y) { return FBits[(FBottomUp ? FHeight - 1 - y : y) * FWidth + x]; }
    void Fill(TskColor pixel) { std::fill(FBits, FBits + FWidth * FHeight, pixel); }

private:
    int FWidth, FHeight;
    bool FBottomUp = false;
    HDC FDC;
    HBITMAP FSection;
    HGDIOBJ FOld;
    TskColor* FBits;
};

TEST(BitmapDrawOnDC, BlendingAndKeyPixelsOntoAPlainDCGoThroughATemporaryBitmap) {
    TskBitmap source;
    source.SetSize(2, 1);
    source.SetPixel(0, 0, 0x80FF0000);
    source.SetPixel(1, 0, 0xFF00FF00);
    PlainDib dib(4, 1);
    dib.Fill(0xFF0000FF);
    source.SetAlphaBlend(true);
    source.Draw(dib.DC(), 1, 0);
    // The colours follow the formula; the alpha byte is whatever the blits between the DCs make of it.
    EXPECT_EQ(dib.At(0, 0), 0xFF0000FFu);
    EXPECT_EQ(dib.At(1, 0) & 0xFFFFFF, 0x7F007Fu);
    EXPECT_EQ(dib.At(2, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(dib.At(3, 0), 0xFF0000FFu);

    source.SetAlphaBlend(false);
    source.SetTransparent(true);
    source.SetPixel(0, 0, TransparentKey);
    dib.Fill(0xFF0000FF);
    source.Draw(dib.DC(), RECT{0, 0, 4, 1}, RECT{0, 0, 2, 1});  // stretched: key, key, key, green
    EXPECT_EQ(dib.At(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(dib.At(2, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(dib.At(3, 0) & 0xFFFFFF, 0x00FF00u);
}

TEST(BitmapDrawOnDC, OpaqueDrawingStretchesThroughTheDC) {
    TskBitmap source;
    source.SetSize(2, 1);
    source.SetPixel(0, 0, 0xFF112233);
    source.SetPixel(1, 0, 0xFF445566);
    PlainDib dib(4, 2);
    source.Draw(dib.DC(), RECT{0, 0, 4, 2}, RECT{0, 0, 2, 1});
    EXPECT_EQ(dib.At(0, 1) & 0xFFFFFF, 0x112233u);
    EXPECT_EQ(dib.At(3, 1) & 0xFFFFFF, 0x445566u);
    EXPECT_EQ(GetStretchBltMode(dib.DC()), COLORONCOLOR);
}

// Tiles of a 10 x 10 source over 25 x 12: widths 10, 10, 5 and heights 10, 2, each the source's top-left part.
void ExpectTiles(const std::vector<std::vector<int>>& picture) {
    const int xs[] = {0, 10, 20}, ys[] = {0, 10};
    for (int tx : xs)
        for (int ty : ys)
            for (int y = ty; y < std::min(ty + 10, 12); ++y)
                for (int x = tx; x < std::min(tx + 10, 25); ++x)
                    ASSERT_EQ(picture[y][x], 100 * (y - ty) + (x - tx)) << x << "," << y;
}

TEST(BitmapTile, TilesAreLaidFromTheTopLeftCornerOnEveryKindOfDC) {
    TskBitmap source;
    Number(source, 10, 10);

    TskBitmap target;
    target.SetSize(28, 15);
    SetWindowOrgEx(target.DC(), -2, -2, nullptr);  // the rectangle below lands at (2, 2) in the pixels
    source.Tile(target.DC(), RECT{0, 0, 25, 12}, RECT{0, 0, 10, 10});
    std::vector<std::vector<int>> picture(12, std::vector<int>(25));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 25; ++x) picture[y][x] = static_cast<int>(target.GetPixel(x + 2, y + 2) & 0xFFFF);
    ExpectTiles(picture);
    EXPECT_EQ(target.GetPixel(1, 1), 0u);
    EXPECT_EQ(target.GetPixel(27, 14), 0u);

    for (bool bottomUp : {true, false}) {
        SCOPED_TRACE(bottomUp ? "bottom-up DIB, written directly" : "top-down DIB, through the DC");
        PlainDib dib(25, 12, bottomUp);
        source.SetTransparent(true);
        source.Tile(dib.DC(), RECT{0, 0, 25, 12}, RECT{0, 0, 10, 10});
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 25; ++x) picture[y][x] = static_cast<int>(dib.At(x, y) & 0xFFFF);
        ExpectTiles(picture);
        source.SetTransparent(false);
    }
}

TEST(BitmapTile, TileClipDrawsWholeTilesThatTouchTheClip) {
    TskBitmap source;
    Number(source, 10, 10);
    PlainDib dib(25, 12);
    source.TileClip(dib.DC(), RECT{0, 0, 25, 12}, RECT{0, 0, 10, 10}, RECT{12, 11, 13, 12});
    EXPECT_EQ(dib.At(10, 10) & 0xFFFF, 0u);  // the touched tile, drawn whole
    EXPECT_EQ(dib.At(19, 11) & 0xFFFF, 109u);
    EXPECT_EQ(dib.At(10, 9), 0u);  // the tile above is not touched
    EXPECT_EQ(dib.At(20, 11), 0u);
    source.TileClip(dib.DC(), RECT{0, 0, 25, 12}, RECT{0, 0, 10, 10}, RECT{0, 0, 0, 0});
    EXPECT_EQ(dib.At(24, 9) & 0xFFFF, 904u);
}

TEST(BitmapFill, FillStoresOrBlendsInsideTheClippedRectangle) {
    TskBitmap bitmap;
    bitmap.SetSize(3, 1);
    bitmap.Clear(0xFF0000FF);
    bitmap.FillRect(RECT{2, -1, 5, 5}, 0x80FF0000);
    EXPECT_EQ(Row(bitmap, 0), (std::vector<TskColor>{0xFF0000FF, 0xFF0000FF, 0x80FF0000}));
    bitmap.SetAlphaBlend(true);
    bitmap.FillRect(RECT{0, 0, 2, 1}, 0x80FF0000);
    bitmap.FillRect(RECT{0, 0, 3, 1}, 0x00FFFFFF);
    EXPECT_EQ(Row(bitmap, 0), (std::vector<TskColor>{0xBF7F007F, 0xBF7F007F, 0x80FF0000}));
    bitmap.FillRect(RECT{1, 0, 2, 1}, 0xFF00FF00);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0xFF00FF00u);
}

TEST(BitmapMerge, SourcePixelsGoUnderneath) {
    TskBitmap top, under;
    top.SetSize(4, 1);
    top.SetPixel(0, 0, 0x00123456);  // clear: takes the source
    top.SetPixel(1, 0, 0xFF123456);  // opaque: stays
    top.SetPixel(2, 0, 0x80FF0000);  // partial: blended over the source with its own alpha
    top.SetPixel(3, 0, 0x00ABCDEF);  // beyond the source rectangle
    under.SetSize(5, 1);
    under.Clear(0xFF0000FF);
    under.SetPixel(4, 0, 0xFFEEEEEE);
    top.MergeUnder(under, 0, 0, RECT{-2, 0, 3, 5});
    EXPECT_EQ(Row(top, 0), (std::vector<TskColor>{0xFF0000FF, 0xFF123456, 0xBF7F007F, 0x00ABCDEF}));
}

TEST(BitmapColours, BrightnessAndHueSkipClearPixelsAndKeepAlpha) {
    TskBitmap bitmap;
    bitmap.SetSize(3, 1);
    bitmap.SetPixel(0, 0, 0x00FF0000);
    bitmap.SetPixel(1, 0, 0x80FF0000);
    bitmap.SetPixel(2, 0, 0xFFF0F0F0);
    bitmap.ChangeBrightness(0);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x80FF0000u);
    bitmap.ChangeBrightness(20);
    EXPECT_EQ(Row(bitmap, 0), (std::vector<TskColor>{0x00FF0000, 0x80FF1414, 0xFFFFFFFF}));
    bitmap.SetPixel(1, 0, 0x80FF0000);
    bitmap.ChangeHue(85);
    EXPECT_EQ(Row(bitmap, 0), (std::vector<TskColor>{0x00FF0000, 0x8000FF00, 0xFFFFFFFF}));
}

}  // namespace

// Raster operations: the named ternary operations by their truth tables, all 256 against a bitwise reference on
// colour and monochrome bitmaps, and the rectangle and region fills built on them.
#include "RasterCanvas.h"

#include <random>

namespace {

struct NamedRop {
    const char* Name;
    DWORD Rop;
    uint32_t Expected;
};

// Pattern 0xF0, source 0xCC and destination 0xAA in every colour byte make each result byte the operation's own
// index, worked out by hand from its formula. Source alpha 0x80 and destination alpha 0x0F show the alpha rule:
// every operation works on whole pixels, alpha included, as on a Windows DIB section (SRCCOPY copies the source's
// alpha, SRCPAINT ORs it, DSTINVERT inverts the destination's), and a brush, made of a colour, has alpha 0.
const NamedRop kNamedRops[] = {
    {"SRCCOPY", SRCCOPY, 0x80CCCCCC},          // S
    {"SRCPAINT", SRCPAINT, 0x8FEEEEEE},        // S | D
    {"SRCAND", SRCAND, 0x00888888},            // S & D
    {"SRCINVERT", SRCINVERT, 0x8F666666},      // S ^ D
    {"SRCERASE", SRCERASE, 0x80444444},        // S & ~D
    {"NOTSRCCOPY", NOTSRCCOPY, 0x7F333333},    // ~S
    {"NOTSRCERASE", NOTSRCERASE, 0x70111111},  // ~(S | D)
    {"MERGECOPY", MERGECOPY, 0x00C0C0C0},      // P & S
    {"MERGEPAINT", MERGEPAINT, 0x7FBBBBBB},    // ~S | D
    {"PATCOPY", PATCOPY, 0x00F0F0F0},          // P
    {"PATPAINT", PATPAINT, 0x7FFBFBFB},        // P | ~S | D
    {"PATINVERT", PATINVERT, 0x0F5A5A5A},      // P ^ D
    {"DSTINVERT", DSTINVERT, 0xF0555555},      // ~D
    {"BLACKNESS", BLACKNESS, 0x00000000},      // 0
    {"WHITENESS", WHITENESS, 0xFFFFFFFF},      // 1
};

TEST(RasterOperations, NamedOperationsFollowTheirTruthTables) {
    RasterCanvas source(1, 1, 0x80CCCCCC);
    HBRUSH brush = CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
    for (const NamedRop& op : kNamedRops) {
        RasterCanvas destination(1, 1, 0x0FAAAAAA);
        HGDIOBJ previous = SelectObject(destination.Dc(), brush);
        ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 1, 1, source.Dc(), 0, 0, op.Rop)) << op.Name;
        EXPECT_EQ(destination.Pixel(0, 0), op.Expected) << op.Name;
        SelectObject(destination.Dc(), previous);
    }
    DeleteObject(brush);
}

// The result bit for pattern p, source s and destination d is bit p*4 + s*2 + d of the operation index.
uint32_t ReferenceRop(int index, uint32_t p, uint32_t s, uint32_t d) {
    uint32_t result = 0;
    for (int bit = 0; bit < 32; ++bit) {
        int i = static_cast<int>(((p >> bit) & 1) * 4 + ((s >> bit) & 1) * 2 + ((d >> bit) & 1));
        result |= static_cast<uint32_t>((index >> i) & 1) << bit;
    }
    return result;
}

HBRUSH PatternBrushOf(const std::vector<uint32_t>& pixels) {
    RasterCanvas pattern(static_cast<int>(pixels.size()), 1);
    for (size_t x = 0; x < pixels.size(); ++x) pattern.At(static_cast<int>(x), 0) = pixels[x];
    return CreatePatternBrush(pattern.Bitmap());
}

TEST(RasterOperations, EveryOperationMatchesTheBitwiseReferenceOnColourPixels) {
    constexpr int kWidth = 16;
    std::mt19937 random(20240601);
    std::vector<uint32_t> patternPixels(kWidth), sourcePixels(kWidth), destinationPixels(kWidth);
    for (int x = 0; x < kWidth; ++x) {
        patternPixels[x] = random() & 0x00FFFFFF;  // a brush is made of colours
        sourcePixels[x] = random();
        destinationPixels[x] = random();
    }
    RasterCanvas source(kWidth, 1);
    for (int x = 0; x < kWidth; ++x) source.At(x, 0) = sourcePixels[x];
    HBRUSH brush = PatternBrushOf(patternPixels);
    RasterCanvas destination(kWidth, 1);
    HGDIOBJ previous = SelectObject(destination.Dc(), brush);
    for (int index = 0; index < 256; ++index) {
        for (int x = 0; x < kWidth; ++x) destination.At(x, 0) = destinationPixels[x];
        ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, kWidth, 1, source.Dc(), 0, 0, static_cast<DWORD>(index) << 16));
        for (int x = 0; x < kWidth; ++x) {
            uint32_t expected = ReferenceRop(index, patternPixels[x], sourcePixels[x], destinationPixels[x]);
            ASSERT_EQ(destination.Pixel(x, 0), expected) << "operation 0x" << std::hex << index << " pixel " << x;
        }
    }
    SelectObject(destination.Dc(), previous);
    DeleteObject(brush);
}

TEST(RasterOperations, EveryOperationMatchesTheBitwiseReferenceOnMonochromeBitmaps) {
    // Bits straddle byte boundaries and stop short of the last byte, so packing faults show.
    constexpr int kWidth = 21;
    std::mt19937 random(7);
    auto randomRow = [&random] {
        std::vector<uint8_t> row(4);
        for (uint8_t& b : row) b = static_cast<uint8_t>(random());
        return row;
    };
    auto bitOf = [](const std::vector<uint8_t>& row, int x) { return (row[x / 8] >> (7 - x % 8)) & 1; };
    std::vector<uint8_t> patternBits = randomRow(), sourceBits = randomRow(), destinationBits = randomRow();
    MonoCanvas pattern(kWidth, 1, patternBits);
    MonoCanvas source(kWidth, 1, sourceBits);
    // With the default black text and white background a monochrome pattern keeps its bits.
    HBRUSH brush = CreatePatternBrush(pattern.Bitmap());
    for (int index = 0; index < 256; ++index) {
        MonoCanvas destination(kWidth, 1, destinationBits);
        HGDIOBJ previous = SelectObject(destination.Dc(), brush);
        ASSERT_TRUE(BitBlt(destination.Dc(), 2, 0, kWidth - 3, 1, source.Dc(), 2, 0, static_cast<DWORD>(index) << 16));
        for (int x = 0; x < kWidth; ++x) {
            int expected = bitOf(destinationBits, x);
            if (x >= 2 && x < kWidth - 1) {
                expected = (index >> (bitOf(patternBits, x) * 4 + bitOf(sourceBits, x) * 2 + expected)) & 1;
            }
            ASSERT_EQ(destination.Bit(x, 0), expected != 0) << "operation 0x" << std::hex << index << " bit " << x;
        }
        SelectObject(destination.Dc(), previous);
    }
    DeleteObject(brush);
}

TEST(RasterOperations, PatBltRefusesOperationsThatReadASource) {
    RasterCanvas canvas(2, 2, 0x00123456);
    EXPECT_FALSE(PatBlt(canvas.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(canvas.Pixel(0, 0), 0x00123456u);
    EXPECT_FALSE(PatBlt(reinterpret_cast<HDC>(0x7FFF0000), 0, 0, 2, 2, PATCOPY));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(RasterOperations, NegativeExtentsReachBackFromTheCornerPixel) {
    RasterCanvas canvas(6, 1, 0xFF000000);
    SelectObject(canvas.Dc(), GetStockObject(BLACK_BRUSH));
    // x = 3, width -2 covers pixels 2 and 3: the corner pixel stays inside.
    ASSERT_TRUE(PatBlt(canvas.Dc(), 3, 0, -2, 1, PATCOPY));
    EXPECT_EQ(canvas.Picture({{0xFF000000, '.'}, {0, '#'}}), "..##..\n");
}

TEST(Fills, FillRectUsesTheBrushHandleOrTheSystemColourItNames) {
    RasterCanvas canvas(4, 3, 0xFF000000);
    RECT all{0, 0, 4, 3};
    ASSERT_NE(FillRect(canvas.Dc(), &all, reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_BTNFACE + 1))), 0);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    uint32_t facePixel = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    EXPECT_EQ(canvas.Pixel(3, 2), facePixel);

    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT inner{1, 1, 3, 2};
    ASSERT_NE(FillRect(canvas.Dc(), &inner, red), 0);
    EXPECT_EQ(canvas.Picture({{facePixel, '.'}, {0x00FF0000, 'r'}}), "....\n.rr.\n....\n");
    DeleteObject(red);

    EXPECT_EQ(FillRect(canvas.Dc(), &inner, reinterpret_cast<HBRUSH>(0x7FFF0000)), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(Fills, LargeFillsCoverExactlyTheirRectangle) {
    // Whole bitmaps fill as one long run, narrower rectangles row by row; both stop at the rectangle's edges.
    constexpr int kWidth = 256, kHeight = 80;
    RasterCanvas canvas(kWidth, kHeight, 0xFF000000);
    HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    RECT all{0, 0, kWidth, kHeight};
    ASSERT_NE(FillRect(canvas.Dc(), &all, brush), 0);
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) wrong += canvas.Pixel(x, y) != 0x00123456u;
    }
    EXPECT_EQ(wrong, 0);

    canvas.Fill(0xFF000000);
    RECT inset{1, 1, kWidth - 3, kHeight - 1};
    ASSERT_NE(FillRect(canvas.Dc(), &inset, brush), 0);
    wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            bool inside = x >= 1 && x < kWidth - 3 && y >= 1 && y < kHeight - 1;
            wrong += canvas.Pixel(x, y) != (inside ? 0x00123456u : 0xFF000000u);
        }
    }
    EXPECT_EQ(wrong, 0);
    DeleteObject(brush);
}

TEST(Fills, FillRectHonoursTheWindowOriginAndTheClipRegion) {
    RasterCanvas canvas(6, 4, 0xFF000000);
    SetWindowOrgEx(canvas.Dc(), 1, 0, nullptr);
    IntersectClipRect(canvas.Dc(), 0, 1, 10, 3);  // logical, so device x from -1
    RECT rect{1, 0, 4, 4};                        // device 0 to 3
    FillRect(canvas.Dc(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(canvas.Picture({{0xFF000000, '.'}, {0, '#'}}), "......\n###...\n###...\n......\n");
}

TEST(Fills, FrameRectAndInvertRect) {
    RasterCanvas canvas(5, 4, 0x00FFFFFF);
    RECT rect{0, 0, 4, 4};
    ASSERT_NE(FrameRect(canvas.Dc(), &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(canvas.Picture({{0x00FFFFFF, '.'}, {0, '#'}}), "####.\n#..#.\n#..#.\n####.\n");
    RECT empty{2, 2, 2, 4};
    EXPECT_EQ(FrameRect(canvas.Dc(), &empty, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);

    canvas.At(4, 0) = 0x80123456;
    RECT right{3, 0, 5, 1};
    ASSERT_TRUE(InvertRect(canvas.Dc(), &right));
    EXPECT_EQ(canvas.Pixel(3, 0), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.Pixel(4, 0), 0x7FEDCBA9u) << "every bit inverted, alpha too";
    ASSERT_TRUE(InvertRect(canvas.Dc(), &right));
    EXPECT_EQ(canvas.Pixel(3, 0), 0u);
    EXPECT_EQ(canvas.Pixel(4, 0), 0x80123456u) << "inverting twice gives the whole pixel back";
}

TEST(Fills, RegionFills) {
    RasterCanvas canvas(6, 6, 0x00FFFFFF);
    HRGN region = CreateRectRgn(0, 0, 4, 4);
    HRGN corner = CreateRectRgn(2, 2, 6, 6);
    CombineRgn(region, region, corner, RGN_OR);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    // ',' is white whose alpha an inversion set.
    std::vector<std::pair<uint32_t, char>> legend{{0x00FFFFFF, '.'}, {0, '#'}, {0xFFFFFFFF, ','}};

    ASSERT_TRUE(FrameRgn(canvas.Dc(), region, black, 1, 1));
    EXPECT_EQ(canvas.Picture(legend), "####..\n#..#..\n#...##\n##...#\n..#..#\n..####\n");

    canvas.Fill(0x00FFFFFF);
    ASSERT_TRUE(FillRgn(canvas.Dc(), region, black));
    EXPECT_EQ(canvas.Picture(legend), "####..\n####..\n######\n######\n..####\n..####\n");

    ASSERT_TRUE(InvertRgn(canvas.Dc(), corner));
    EXPECT_EQ(canvas.Picture(legend), "####..\n####..\n##,,,,\n##,,,,\n..,,,,\n..,,,,\n");

    // PaintRgn uses the selected brush under the binary raster mode.
    SelectObject(canvas.Dc(), black);
    SetROP2(canvas.Dc(), R2_NOT);
    ASSERT_TRUE(PaintRgn(canvas.Dc(), corner));
    EXPECT_EQ(canvas.Picture(legend), "####..\n####..\n######\n######\n..####\n..####\n");

    EXPECT_FALSE(FillRgn(canvas.Dc(), reinterpret_cast<HRGN>(0x7FFF0000), black));
    DeleteObject(region);
    DeleteObject(corner);
}

}  // namespace

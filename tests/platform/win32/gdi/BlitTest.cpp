// Blits between device contexts: colour conversions, stretching and mirroring, clipping, sources that leave
// their bitmap, overlapping moves, masks and the DIB transfer functions.
#include "RasterCanvas.h"

namespace {

constexpr uint32_t A = 0x00AA0000, B = 0x0000BB00, C = 0x000000CC, D = 0x00DDDDDD;
constexpr uint32_t kRed = 0x00FF0000, kBlue = 0x000000FF, kWhite = 0x00FFFFFF;
constexpr uint32_t kUntouched = 0xFF00FF00;
constexpr DWORD kDstCopy = 0x00AA0029;

const std::vector<std::pair<uint32_t, char>> kLegend{{A, 'A'}, {B, 'B'}, {C, 'C'}, {D, 'D'}, {kUntouched, '.'}};

void Paint(RasterCanvas& canvas, int width, const std::vector<uint32_t>& pixels) {
    for (size_t i = 0; i < pixels.size(); ++i)
        canvas.At(static_cast<int>(i) % width, static_cast<int>(i) / width) = pixels[i];
}

TEST(Blits, MonochromeSourceTakesTheDestinationsTextAndBackgroundColours) {
    MonoCanvas source(4, 1, {0xA0});            // 1 0 1 0
    SetTextColor(source.Dc(), RGB(0, 255, 0));  // the source DC's colours play no part
    RasterCanvas destination(4, 1);
    SetTextColor(destination.Dc(), RGB(255, 0, 0));
    SetBkColor(destination.Dc(), RGB(0, 0, 255));
    ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 4, 1, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(destination.Picture({{kRed, 'r'}, {kBlue, 'b'}}), "brbr\n");
}

TEST(Blits, ColourSourceOntoMonochromeMarksTheSourceBackgroundColour) {
    RasterCanvas source(4, 1);
    Paint(source, 4, {kRed, kWhite, kRed, kBlue});
    SetBkColor(source.Dc(), RGB(255, 0, 0));
    MonoCanvas destination(4, 1);
    ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 4, 1, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(destination.Picture(), "1010\n");

    // Monochrome to monochrome copies bits whatever the colours.
    MonoCanvas copy(4, 1);
    SetTextColor(copy.Dc(), RGB(255, 255, 255));
    SetBkColor(copy.Dc(), RGB(0, 0, 0));
    ASSERT_TRUE(BitBlt(copy.Dc(), 0, 0, 4, 1, destination.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(copy.Picture(), "1010\n");
}

struct StretchCase {
    const char* Name;
    int DestX, DestWidth, SourceX, SourceWidth;
    const char* Row;
};

TEST(Blits, StretchBltTakesTheNearestPixelAndMirrorsWhenTheSignsDiffer) {
    const StretchCase cases[] = {
        {"same size", 0, 4, 0, 4, "ABCD"},        {"destination mirrored", 3, -4, 0, 4, "DCBA"},
        {"source mirrored", 0, 4, 3, -4, "DCBA"}, {"both negative", 3, -4, 3, -4, "ABCD"},
        {"doubled", 0, 4, 0, 2, "AABB"},          {"doubled and mirrored", 3, -4, 0, 2, "BBAA"},
    };
    RasterCanvas source(4, 1);
    Paint(source, 4, {A, B, C, D});
    SetStretchBltMode(source.Dc(), COLORONCOLOR);
    for (const StretchCase& c : cases) {
        RasterCanvas destination(4, 1, kUntouched);
        SetStretchBltMode(destination.Dc(), COLORONCOLOR);
        ASSERT_TRUE(StretchBlt(destination.Dc(), c.DestX, 0, c.DestWidth, 1, source.Dc(), c.SourceX, 0, c.SourceWidth,
                               1, SRCCOPY))
            << c.Name;
        EXPECT_EQ(destination.Picture(kLegend), std::string(c.Row) + "\n") << c.Name;
    }

    // Rows double and mirror the same way.
    RasterCanvas square(2, 2);
    Paint(square, 2, {A, B, C, D});
    RasterCanvas destination(4, 4, kUntouched);
    ASSERT_TRUE(StretchBlt(destination.Dc(), 0, 3, 4, -4, square.Dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(destination.Picture(kLegend), "CCDD\nCCDD\nAABB\nAABB\n");
}

TEST(Blits, ShrinkingKeepsBlackOrWhiteAsTheStretchModeSays) {
    RasterCanvas source(4, 1);
    Paint(source, 4, {kWhite, 0, kWhite, kWhite});
    std::vector<std::pair<uint32_t, char>> legend{{kWhite, 'w'}, {0, 'k'}};
    RasterCanvas destination(2, 1);
    ASSERT_EQ(GetStretchBltMode(destination.Dc()), BLACKONWHITE);
    ASSERT_TRUE(StretchBlt(destination.Dc(), 0, 0, 2, 1, source.Dc(), 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(destination.Picture(legend), "kw\n");
    SetStretchBltMode(destination.Dc(), WHITEONBLACK);
    ASSERT_TRUE(StretchBlt(destination.Dc(), 0, 0, 2, 1, source.Dc(), 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(destination.Picture(legend), "ww\n");
}

TEST(Blits, ClipRegionLimitsTheDestination) {
    RasterCanvas source(4, 4);
    source.Fill(A);
    RasterCanvas destination(4, 4, kUntouched);
    ASSERT_EQ(IntersectClipRect(destination.Dc(), 1, 1, 3, 5), SIMPLEREGION);
    ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 4, 4, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(destination.Picture(kLegend), "....\n.AA.\n.AA.\n.AA.\n");
}

TEST(Blits, OnlyThePartOfTheSourceOnItsBitmapIsCopied) {
    RasterCanvas source(2, 2);
    Paint(source, 2, {A, B, C, D});
    // The source DC's clip region does not limit the source.
    IntersectClipRect(source.Dc(), 0, 0, 1, 1);
    RasterCanvas destination(4, 4, kUntouched);
    ASSERT_TRUE(BitBlt(destination.Dc(), 0, 0, 4, 4, source.Dc(), -1, -1, SRCCOPY));
    EXPECT_EQ(destination.Picture(kLegend), "....\n.AB.\n.CD.\n....\n");
}

TEST(Blits, MovesWithinOneBitmapReadTheSourceBeforeWriting) {
    RasterCanvas canvas(5, 2);
    Paint(canvas, 5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    ASSERT_TRUE(BitBlt(canvas.Dc(), 1, 0, 4, 2, canvas.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(canvas.Row(0), (std::vector<uint32_t>{1, 1, 2, 3, 4}));
    ASSERT_TRUE(BitBlt(canvas.Dc(), 0, 0, 4, 1, canvas.Dc(), 1, 1, SRCCOPY));
    EXPECT_EQ(canvas.Row(0), (std::vector<uint32_t>{6, 7, 8, 9, 4}));
    ASSERT_TRUE(BitBlt(canvas.Dc(), 0, 1, 5, 1, canvas.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(canvas.Row(1), (std::vector<uint32_t>{6, 7, 8, 9, 4}));
}

HBITMAP BottomUpDib(int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(bits), nullptr, 0);
}

TEST(Blits, WholeBitmapCopiesKeepTheRowsInPlaceWhateverTheirMemoryOrder) {
    // Bottom-up DIBs keep the top row last in memory; copies between whole bitmaps of either order must still
    // put each row where it was.
    uint32_t* sourceBits = nullptr;
    HBITMAP sourceBitmap = BottomUpDib(3, 3, &sourceBits);
    for (uint32_t i = 0; i < 9; ++i) sourceBits[i] = i + 1;  // memory row 0 is the bottom row: 1 2 3
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ previousSource = SelectObject(source, sourceBitmap);

    uint32_t* bottomUpBits = nullptr;
    HBITMAP bottomUp = BottomUpDib(3, 3, &bottomUpBits);
    HDC destination = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(destination, bottomUp);
    ASSERT_TRUE(BitBlt(destination, 0, 0, 3, 2, source, 0, 1, SRCCOPY));
    EXPECT_EQ(std::vector<uint32_t>(bottomUpBits, bottomUpBits + 9),
              (std::vector<uint32_t>{0, 0, 0, 1, 2, 3, 4, 5, 6}));
    SelectObject(destination, previous);

    RasterCanvas topDown(3, 3);
    ASSERT_TRUE(BitBlt(topDown.Dc(), 0, 0, 3, 3, source, 0, 0, SRCCOPY));
    EXPECT_EQ(topDown.Row(0), (std::vector<uint32_t>{7, 8, 9}));
    EXPECT_EQ(topDown.Row(2), (std::vector<uint32_t>{1, 2, 3}));

    SelectObject(source, previousSource);
    DeleteDC(source);
    DeleteDC(destination);
    DeleteObject(sourceBitmap);
    DeleteObject(bottomUp);
}

TEST(Blits, ArgumentsAreCheckedAsWindowsChecksThem) {
    RasterCanvas source(1, 1, A);
    RasterCanvas destination(1, 1, kUntouched);
    HDC bogus = reinterpret_cast<HDC>(0x7FFF0000);
    SetLastError(0);
    EXPECT_FALSE(BitBlt(bogus, 0, 0, 1, 1, source.Dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(BitBlt(destination.Dc(), 0, 0, 1, 1, bogus, 0, 0, SRCCOPY));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(BitBlt(destination.Dc(), 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(destination.Dc(), 0, 0, 1, 1, nullptr, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(destination.Pixel(0, 0), kUntouched);
    // An operation that reads no source needs no source DC.
    EXPECT_TRUE(BitBlt(destination.Dc(), 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    EXPECT_EQ(destination.Pixel(0, 0), 0u);
}

TEST(Blits, MaskBltPicksTheForegroundOperationWhereTheMaskIsSet) {
    RasterCanvas source(4, 1, B);
    MonoCanvas mask(4, 1, {0xC0});  // 1 1 0 0
    RasterCanvas destination(4, 1, D);
    ASSERT_TRUE(
        MaskBlt(destination.Dc(), 0, 0, 4, 1, source.Dc(), 0, 0, mask.Bitmap(), 0, 0, MAKEROP4(SRCCOPY, kDstCopy)));
    EXPECT_EQ(destination.Picture(kLegend), "BBDD\n");

    // The mask has its own origin; past its edge counts as 0.
    destination.Fill(D);
    ASSERT_TRUE(
        MaskBlt(destination.Dc(), 0, 0, 4, 1, source.Dc(), 0, 0, mask.Bitmap(), 1, 0, MAKEROP4(SRCCOPY, kDstCopy)));
    EXPECT_EQ(destination.Picture(kLegend), "BDDD\n");

    // Background and foreground swap roles; no source is needed when neither reads one.
    destination.Fill(D);
    SelectObject(destination.Dc(), GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(MaskBlt(destination.Dc(), 0, 0, 4, 1, nullptr, 0, 0, mask.Bitmap(), 0, 0, MAKEROP4(kDstCopy, PATCOPY)));
    EXPECT_EQ(destination.Picture({{D, 'D'}, {0, 'k'}}), "DDkk\n");

    EXPECT_FALSE(
        MaskBlt(destination.Dc(), 0, 0, 4, 1, source.Dc(), 0, 0, source.Bitmap(), 0, 0, MAKEROP4(SRCCOPY, kDstCopy)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

struct Dib2x2 {
    BITMAPINFOHEADER Header;
    uint32_t Pixels[4];
};

TEST(DibTransfers, StretchDIBitsCountsBottomUpSourceRowsFromTheBottom) {
    // Bottom-up: the first row in memory is the picture's bottom row.
    Dib2x2 dib{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {C, D, A, B}};
    auto info = reinterpret_cast<const BITMAPINFO*>(&dib.Header);
    RasterCanvas destination(4, 4, kUntouched);
    EXPECT_EQ(StretchDIBits(destination.Dc(), 0, 0, 2, 2, 0, 0, 2, 2, dib.Pixels, info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(destination.Picture(kLegend), "AB..\nCD..\n....\n....\n");

    destination.Fill(kUntouched);
    EXPECT_EQ(StretchDIBits(destination.Dc(), 0, 0, 4, 4, 0, 0, 2, 2, dib.Pixels, info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(destination.Picture(kLegend), "AABB\nAABB\nCCDD\nCCDD\n");

    // ySrc = 0, height 1 is the bottom row.
    destination.Fill(kUntouched);
    EXPECT_EQ(StretchDIBits(destination.Dc(), 0, 0, 2, 1, 0, 0, 2, 1, dib.Pixels, info, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(destination.Picture(kLegend), "CD..\n....\n....\n....\n");

    EXPECT_EQ(StretchDIBits(destination.Dc(), 0, 0, 2, 1, 0, 0, 2, 1, dib.Pixels, info, DIB_PAL_COLORS, SRCCOPY), 0);
}

TEST(DibTransfers, MonochromeDibsUseTheirColourTable) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
        uint8_t row[4];
    } dib{};
    dib.header = {sizeof(BITMAPINFOHEADER), 2, -1, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    dib.colors[0] = {0, 0, 0xAA, 0};  // A
    dib.colors[1] = {0xCC, 0, 0, 0};  // C
    dib.row[0] = 0x40;                // 0 1
    RasterCanvas destination(2, 1, kUntouched);
    SetTextColor(destination.Dc(), RGB(0, 255, 0));
    EXPECT_EQ(StretchDIBits(destination.Dc(), 0, 0, 2, 1, 0, 0, 2, 1, dib.row, reinterpret_cast<BITMAPINFO*>(&dib),
                            DIB_RGB_COLORS, SRCCOPY),
              1);
    EXPECT_EQ(destination.Picture(kLegend), "AC\n");
}

TEST(DibTransfers, SetDIBitsToDeviceDrawsTheScanLinesItIsGiven) {
    // A 2 x 4 bottom-up DIB of which only scan lines 1 and 2 (from the bottom) are passed.
    struct {
        BITMAPINFOHEADER header;
    } info{{sizeof(BITMAPINFOHEADER), 2, 4, 1, 32, BI_RGB, 0, 0, 0, 0, 0}};
    const uint32_t band[4] = {C, D, A, B};  // line 1, then line 2
    RasterCanvas destination(2, 4, kUntouched);
    EXPECT_EQ(SetDIBitsToDevice(destination.Dc(), 0, 0, 2, 4, 0, 0, 1, 2, band, reinterpret_cast<BITMAPINFO*>(&info),
                                DIB_RGB_COLORS),
              2);
    EXPECT_EQ(destination.Picture(kLegend), "..\nAB\nCD\n..\n");
}

}  // namespace

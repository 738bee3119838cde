// Brushes: solid, hatched, pattern and DIB pattern brushes as they fill, aligned to the brush origin.
#include "RasterCanvas.h"

#include <memory>

namespace {

constexpr uint32_t kRed = 0x00FF0000;
constexpr uint32_t kGreen = 0x0000FF00;
constexpr uint32_t kBlue = 0x000000FF;
constexpr uint32_t kWhite = 0x00FFFFFF;
constexpr uint32_t kUntouched = 0xFF00FF00;

void FillWith(RasterCanvas& canvas, HBRUSH brush, int width, int height) {
    RECT all{0, 0, width, height};
    ASSERT_NE(FillRect(canvas.Dc(), &all, brush), 0);
}

struct HatchCase {
    int Hatch;
    const char* Picture;
};

const HatchCase kHatches[] = {
    {HS_HORIZONTAL, "........\n........\n........\n........\n########\n........\n........\n........\n"},
    {HS_VERTICAL, "....#...\n....#...\n....#...\n....#...\n....#...\n....#...\n....#...\n....#...\n"},
    {HS_FDIAGONAL, "#.......\n.#......\n..#.....\n...#....\n....#...\n.....#..\n......#.\n.......#\n"},
    {HS_BDIAGONAL, ".......#\n......#.\n.....#..\n....#...\n...#....\n..#.....\n.#......\n#.......\n"},
    {HS_CROSS, "....#...\n....#...\n....#...\n....#...\n########\n....#...\n....#...\n....#...\n"},
    {HS_DIAGCROSS, "#......#\n.#....#.\n..#..#..\n...##...\n...##...\n..#..#..\n.#....#.\n#......#\n"},
};

TEST(Brushes, HatchesDrawTheirLinesInTheBrushColourAndGapsInTheBackgroundColour) {
    for (const HatchCase& hatch : kHatches) {
        RasterCanvas canvas(8, 8, kUntouched);
        SetBkColor(canvas.Dc(), RGB(255, 255, 255));
        HBRUSH brush = CreateHatchBrush(hatch.Hatch, RGB(255, 0, 0));
        ASSERT_NE(brush, nullptr);
        FillWith(canvas, brush, 8, 8);
        EXPECT_EQ(canvas.Picture({{kRed, '#'}, {kWhite, '.'}}), hatch.Picture) << "hatch " << hatch.Hatch;

        // In TRANSPARENT mode the gaps keep what was there.
        canvas.Fill(kUntouched);
        SetBkMode(canvas.Dc(), TRANSPARENT);
        FillWith(canvas, brush, 8, 8);
        EXPECT_EQ(canvas.Picture({{kRed, '#'}, {kUntouched, '.'}}), hatch.Picture) << "hatch " << hatch.Hatch;
        DeleteObject(brush);
    }
}

TEST(Brushes, HatchAndBrushIndirectRefuseStylesTheyCannotMake) {
    EXPECT_EQ(CreateHatchBrush(HS_DIAGCROSS + 1, 0), nullptr);
    LOGBRUSH global{BS_DIBPATTERN, DIB_RGB_COLORS, 0};
    EXPECT_EQ(CreateBrushIndirect(&global), nullptr);
    EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);

    LOGBRUSH hatched{BS_HATCHED, RGB(1, 2, 3), HS_CROSS};
    HBRUSH brush = CreateBrushIndirect(&hatched);
    ASSERT_NE(brush, nullptr);
    LOGBRUSH described{};
    ASSERT_EQ(GetObjectA(brush, sizeof described, &described), static_cast<int>(sizeof described));
    EXPECT_EQ(described.lbStyle, static_cast<UINT>(BS_HATCHED));
    EXPECT_EQ(described.lbColor, RGB(1, 2, 3));
    EXPECT_EQ(described.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
    DeleteObject(brush);
}

TEST(Brushes, NullBrushDrawsNothing) {
    RasterCanvas canvas(2, 2, kUntouched);
    LOGBRUSH hollow{BS_NULL, 0, 0};
    HBRUSH brush = CreateBrushIndirect(&hollow);
    ASSERT_NE(brush, nullptr);
    FillWith(canvas, brush, 2, 2);
    SelectObject(canvas.Dc(), brush);
    ASSERT_TRUE(PatBlt(canvas.Dc(), 0, 0, 2, 2, PATINVERT));
    EXPECT_EQ(canvas.Pixel(1, 1), kUntouched);
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
    DeleteObject(brush);
}

TEST(Brushes, PatternsAlignToTheBrushOriginInDeviceCoordinates) {
    RasterCanvas pattern(2, 2);
    pattern.At(0, 0) = kRed;    // A
    pattern.At(1, 0) = kGreen;  // B
    pattern.At(0, 1) = kBlue;   // C
    pattern.At(1, 1) = kWhite;  // D
    HBRUSH brush = CreatePatternBrush(pattern.Bitmap());
    ASSERT_NE(brush, nullptr);
    std::vector<std::pair<uint32_t, char>> legend{{kRed, 'A'}, {kGreen, 'B'}, {kBlue, 'C'}, {kWhite, 'D'}};

    RasterCanvas shifted(4, 3);
    POINT previous{-1, -1};
    ASSERT_TRUE(SetBrushOrgEx(shifted.Dc(), 1, 1, &previous));
    EXPECT_EQ(previous.x, 0);
    FillWith(shifted, brush, 4, 3);
    EXPECT_EQ(shifted.Picture(legend), "DCDC\nBABA\nDCDC\n");

    // Moving the window origin moves the rectangle, not the pattern.
    RasterCanvas moved(4, 2);
    SetWindowOrgEx(moved.Dc(), 1, 0, nullptr);
    RECT logical{2, 0, 5, 2};  // device 1 to 4
    FillRect(moved.Dc(), &logical, brush);
    EXPECT_EQ(moved.Picture(legend), "?BAB\n?DCD\n");
    DeleteObject(brush);
}

TEST(Brushes, PatternBrushKeepsItsOwnCopyOfTheBitmap) {
    auto pattern = std::make_unique<RasterCanvas>(1, 1, kRed);
    HBRUSH brush = CreatePatternBrush(pattern->Bitmap());
    pattern->At(0, 0) = kGreen;
    pattern.reset();  // deletes the bitmap too
    RasterCanvas canvas(2, 1);
    FillWith(canvas, brush, 2, 1);
    EXPECT_EQ(canvas.Pixel(1, 0), kRed);
    DeleteObject(brush);
}

TEST(Brushes, MonochromePatternTakesTheTextAndBackgroundColoursWhenDrawn) {
    MonoCanvas bits(4, 1, {0xA0});  // 1 0 1 0
    HBRUSH brush = CreatePatternBrush(bits.Bitmap());
    RasterCanvas canvas(4, 1);
    SetTextColor(canvas.Dc(), RGB(255, 0, 0));
    SetBkColor(canvas.Dc(), RGB(0, 0, 255));
    FillWith(canvas, brush, 4, 1);
    std::vector<std::pair<uint32_t, char>> legend{{kRed, 'r'}, {kBlue, 'b'}, {kGreen, 'g'}};
    EXPECT_EQ(canvas.Picture(legend), "brbr\n");
    SetTextColor(canvas.Dc(), RGB(0, 255, 0));
    FillWith(canvas, brush, 4, 1);
    EXPECT_EQ(canvas.Picture(legend), "bgbg\n");
    DeleteObject(brush);
}

TEST(Brushes, DibPatternBrushesUseTheirOwnColours) {
    // A packed 1-bit 2 x 2 DIB, bottom-up: colour table red, blue; bottom row 0 1, top row 1 0.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
        uint8_t rows[2][4];
    } mono{};
    mono.header = {sizeof(BITMAPINFOHEADER), 2, 2, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    mono.colors[0] = {0, 0, 255, 0};
    mono.colors[1] = {255, 0, 0, 0};
    mono.rows[0][0] = 0x40;
    mono.rows[1][0] = 0x80;
    HBRUSH brush = CreateDIBPatternBrushPt(&mono, DIB_RGB_COLORS);
    ASSERT_NE(brush, nullptr);
    RasterCanvas canvas(2, 2);
    SetTextColor(canvas.Dc(), RGB(0, 255, 0));
    FillWith(canvas, brush, 2, 2);
    std::vector<std::pair<uint32_t, char>> legend{{kRed, 'r'}, {kBlue, 'b'}};
    EXPECT_EQ(canvas.Picture(legend), "br\nrb\n");
    DeleteObject(brush);

    // A 32-bit one: its alpha bytes do not reach the destination.
    struct {
        BITMAPINFOHEADER header;
        uint32_t pixels[2];
    } color{};
    color.header = {sizeof(BITMAPINFOHEADER), 2, -1, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    color.pixels[0] = 0xFF00FF00;
    color.pixels[1] = 0x80FF0000;
    brush = CreateDIBPatternBrushPt(&color, DIB_RGB_COLORS);
    ASSERT_NE(brush, nullptr);
    FillWith(canvas, brush, 2, 2);
    EXPECT_EQ(canvas.Row(1), (std::vector<uint32_t>{kGreen, kRed}));
    DeleteObject(brush);

    EXPECT_EQ(CreateDIBPatternBrushPt(&color, DIB_PAL_COLORS), nullptr);
    color.header.biBitCount = 7;
    EXPECT_EQ(CreateDIBPatternBrushPt(&color, DIB_RGB_COLORS), nullptr);
}

TEST(Brushes, DcBrushTakesTheDcBrushColour) {
    RasterCanvas canvas(1, 1);
    SelectObject(canvas.Dc(), GetStockObject(DC_BRUSH));
    SetDCBrushColor(canvas.Dc(), RGB(0, 0, 255));
    ASSERT_TRUE(PatBlt(canvas.Dc(), 0, 0, 1, 1, PATCOPY));
    EXPECT_EQ(canvas.Pixel(0, 0), kBlue);
    SelectObject(canvas.Dc(), GetStockObject(WHITE_BRUSH));
}

TEST(Brushes, ColoursOnAMonochromeBitmapBecomeTheNearerOfBlackAndWhite) {
    MonoCanvas canvas(2, 1);
    RECT left{0, 0, 1, 1}, right{1, 0, 2, 1};
    HBRUSH light = CreateSolidBrush(RGB(200, 180, 160));
    HBRUSH dark = CreateSolidBrush(RGB(90, 60, 30));
    FillRect(canvas.Dc(), &left, light);
    FillRect(canvas.Dc(), &right, dark);
    EXPECT_EQ(canvas.Picture(), "10\n");
    DeleteObject(light);
    DeleteObject(dark);
}

}  // namespace

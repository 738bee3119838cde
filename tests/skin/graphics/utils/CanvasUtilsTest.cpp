// Canvas helpers drawn into a small bitmap and read back: outlines on the inner edge, end points left out,
// the Frame3D corners, system colours, and no pattern left behind on the brush.
#include "PaintFixture.h"

#include <skin/CanvasUtils.h>
#include <skin/Fills.h>

#include <win32/windows.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

using CanvasUtils = PaintFixture;

TEST_F(CanvasUtils, FillRectColorResolvesSystemColoursAndExcludesRightAndBottom) {
    FillRectColor(FCanvas, RECT{2, 3, 6, 8}, clBtnFace);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(Count(face, RECT{2, 3, 6, 8}), 20);
    EXPECT_EQ(CountAll(face), 20);
    FillRectXY(FCanvas, 10, 10, clRed, 12, 11);
    EXPECT_EQ(CountAll(kRed), 2);
    EXPECT_EQ(At(10, 10), kRed);
    EXPECT_EQ(At(11, 10), kRed);
}

TEST_F(CanvasUtils, FrameRectColorDrawsTheInnerEdgeOnly) {
    FillRectColor(FCanvas, RECT{0, 0, 40, 30}, clBlue);
    FrameRectColor(FCanvas, RECT{2, 2, 7, 6}, clRed);
    EXPECT_EQ(Picture(RECT{1, 1, 8, 7}, kRed),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
    // The brush is clear: the inside keeps what was there.
    EXPECT_EQ(At(4, 4), kBlue);
    FrameRectXY(FCanvas, 20, 20, clWhite, 22, 22);
    EXPECT_EQ(Count(kWhite, RECT{20, 20, 22, 22}), 4);
}

TEST_F(CanvasUtils, Frame3DCornersBelongToTheLowerColourExceptTopLeft) {
    const RECT rect{3, 4, 9, 10};
    Frame3D(FCanvas, rect, clBlue, clRed);
    struct Case {
        int X, Y;
        COLORREF Color;
    } cases[] = {
        {3, 4, kBlue},   // top left
        {8, 4, kRed},    // top right
        {8, 9, kRed},    // bottom right
        {3, 9, kRed},    // bottom left
        {3, 8, kBlue},   // left edge, last upper pixel
        {7, 4, kBlue},   // top edge, last upper pixel
        {8, 5, kRed},    // right edge
        {4, 9, kRed},    // bottom edge
        {2, 9, kWhite},  // the lower line stops before left - 1
        {9, 4, kWhite}, {5, 6, kWhite}, {3, 10, kWhite},
    };
    for (const Case& c : cases) EXPECT_EQ(At(c.X, c.Y), c.Color) << c.X << "," << c.Y;
    EXPECT_EQ(Count(kBlue, RECT{0, 0, 40, 30}), 4 + 5);
    EXPECT_EQ(Count(kRed, RECT{0, 0, 40, 30}), 6 + 5);
}

TEST_F(CanvasUtils, FocusRectColorIsTheXorFrameThatASecondCallRemoves) {
    const RECT rect{4, 4, 14, 10};
    FocusRectColor(FCanvas, rect, clRed);
    int changed = 40 * 30 - CountAll(kWhite);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(Count(kWhite, RECT{5, 5, 13, 9}), 8 * 4);  // the inside is untouched
    FocusRectColor(FCanvas, rect, clRed);
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
}

TEST_F(CanvasUtils, LineToColorLeavesOutTheEndPoint) {
    MoveToPoint(FCanvas, 2, 5);
    LineToColor(FCanvas, 7, 5, clRed);
    LineToColor(FCanvas, 7, 8, clBlue);
    EXPECT_EQ(Count(kRed, RECT{2, 5, 7, 6}), 5);
    EXPECT_EQ(At(7, 5), kBlue);  // the red line's end point, drawn by the blue one
    EXPECT_EQ(Count(kBlue, RECT{0, 0, 40, 30}), 3);
    EXPECT_EQ(At(7, 8), kWhite);
}

TEST_F(CanvasUtils, RoundRectsCutTheCornersByTheRadius) {
    RoundRectFill(FCanvas, RECT{2, 2, 22, 14}, 8, clRed);
    EXPECT_EQ(At(2, 2), kWhite);
    EXPECT_EQ(At(21, 13), kWhite);
    EXPECT_EQ(At(12, 2), kRed);
    EXPECT_EQ(At(12, 8), kRed);  // filled in the brush colour
    EXPECT_EQ(At(2, 8), kRed);

    Reset(40, 30, clWhite);
    RoundRectFrame(FCanvas, RECT{2, 2, 22, 14}, 8, clRed);
    EXPECT_EQ(At(2, 2), kWhite);
    EXPECT_EQ(At(12, 2), kRed);
    EXPECT_EQ(At(12, 8), kWhite);  // outline only
}

TEST_F(CanvasUtils, PolygonsFillOrFrameAndIgnoreAnEmptyList) {
    const std::vector<POINT> square = {{2, 2}, {12, 2}, {12, 12}, {2, 12}};
    PolygonFrame(FCanvas, square, clRed);
    EXPECT_EQ(At(2, 2), kRed);
    EXPECT_EQ(At(12, 7), kRed);
    EXPECT_EQ(At(7, 7), kWhite);
    PolygonFill(FCanvas, square, clBlue);
    EXPECT_EQ(At(7, 7), kBlue);
    EXPECT_EQ(At(2, 2), kBlue);
    int blue = CountAll(kBlue);
    PolygonFill(FCanvas, {}, clRed);
    PolygonFrame(FCanvas, {}, clRed);
    EXPECT_EQ(CountAll(kBlue), blue);
}

TEST_F(CanvasUtils, SolidFillsAfterACheckerAreSolid) {
    FillChecker(FCanvas, RECT{0, 0, 8, 8}, clBlack, clWhite);
    FillRectColor(FCanvas, RECT{10, 10, 18, 18}, clRed);
    EXPECT_EQ(Count(kRed, RECT{10, 10, 18, 18}), 64);
    RoundRectFill(FCanvas, RECT{20, 0, 30, 10}, 0, clBlue);
    EXPECT_EQ(Count(kBlue, RECT{20, 0, 30, 10}), 100);
}

// A red 4 × 6 icon, opaque everywhere.
HICON MakeIcon() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int i = 0; i < 24; ++i) pixels[i] = 0xFFFF0000;  // BGRA in memory: red
    const BYTE maskBits[12] = {};
    HBITMAP mask = CreateBitmap(4, 6, 1, 1, maskBits);
    ICONINFO iconInfo{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&iconInfo);
    DeleteObject(color);
    DeleteObject(mask);
    return icon;
}

TEST_F(CanvasUtils, DrawIconCenteredPlacesTheIconAsASmallIconWouldSit) {
    HICON icon = MakeIcon();
    ASSERT_NE(icon, nullptr);
    ASSERT_EQ(GetSystemMetrics(SM_CXSMICON), 16);
    // (20 - 16) / 2 = 2 and (30 - 16) / 2 = 7 from the rectangle's corner; the icon keeps its own 4 × 6 size.
    DrawIconCentered(FCanvas, RECT{10, 0, 30, 30}, icon);
    EXPECT_EQ(Count(kRed, RECT{12, 7, 16, 13}), 24);
    EXPECT_EQ(CountAll(kRed), 24);

    // In a rectangle narrower than a small icon the offset (9 - 16) / 2 truncates toward zero to -3, so the
    // icon's last column lands on x = 0.
    Reset(40, 30, clWhite);
    DrawIconCentered(FBitmap.Canvas().Handle(), RECT{0, 0, 9, 16}, icon);
    EXPECT_EQ(Count(kRed, RECT{0, 0, 40, 30}), 6);
    EXPECT_EQ(Count(kRed, RECT{0, 0, 1, 6}), 6);

    Reset(40, 30, clWhite);
    DrawIconCentered(FCanvas, RECT{0, 0, 20, 20}, nullptr);
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
    DestroyIcon(icon);
}

}  // namespace

// Lines: the GIQ pixel choice and end-point exclusion, styles, raster operations, wide pens, the current position
// and logical coordinates.
#include "ShapeCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using PixelSet = std::set<std::pair<int, int>>;

PixelSet Drawn(ShapeCanvas& canvas) {
    PixelSet set;
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (canvas.Pixel(x, y) != ShapeCanvas::kBackground) set.insert({x, y});
    return set;
}

PixelSet DrawLine(ShapeCanvas& canvas, POINT from, POINT to) {
    canvas.Clear();
    MoveToEx(canvas.Dc(), from.x, from.y, nullptr);
    EXPECT_TRUE(LineTo(canvas.Dc(), to.x, to.y));
    return Drawn(canvas);
}

TEST(LineTest, EndPointLeftOutInEveryOctant) {
    ShapeCanvas canvas(21, 21);
    const POINT centre{10, 10};
    const POINT ends[] = {{7, 2}, {2, 7}, {-2, 7}, {-7, 2}, {-7, -2}, {-2, -7}, {2, -7},  {7, -2},
                          {8, 0}, {0, 8}, {-8, 0}, {0, -8}, {5, 5},   {-5, 5},  {-5, -5}, {5, -5}};
    for (const POINT& d : ends) {
        SCOPED_TRACE(testing::Message() << "towards (" << d.x << ", " << d.y << ")");
        const POINT end{centre.x + d.x, centre.y + d.y};
        const PixelSet pixels = DrawLine(canvas, centre, end);
        EXPECT_EQ(pixels.size(), static_cast<size_t>(std::max(std::abs(d.x), std::abs(d.y))));
        EXPECT_TRUE(pixels.count({centre.x, centre.y}));
        EXPECT_FALSE(pixels.count({end.x, end.y}));
    }
}

TEST(LineTest, SmallLinesLightExactPixels) {
    struct Case {
        POINT from, to;
        std::string picture;
    };
    // Half-way ties go to the upper pixel of a flat line and the left pixel of a steep one, whichever way the line
    // runs, so a line and its reverse share every pixel but their ends.
    const Case cases[] = {
        {{0, 0}, {4, 1}, Rows({"###..", "...#."})},
        {{4, 1}, {0, 0}, Rows({".##..", "...##"})},
        {{0, 1}, {4, 0}, Rows({"..##.", "##..."})},
        {{4, 0}, {0, 1}, Rows({"..###", ".#..."})},
        {{0, 0}, {1, 4}, Rows({"#.", "#.", "#.", ".#", ".."})},
        {{1, 4}, {0, 0}, Rows({"..", "#.", "#.", ".#", ".#"})},
        {{0, 0}, {4, 2}, Rows({"##...", "..##.", "....."})},
        {{0, 0}, {3, 3}, Rows({"#...", ".#..", "..#.", "...."})},
        {{0, 2}, {4, 0}, Rows({"...#.", ".##..", "#...."})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.from.x << "," << c.from.y << ") to (" << c.to.x << "," << c.to.y
                                        << ")");
        const int rows = static_cast<int>(std::count(c.picture.begin(), c.picture.end(), '\n')) + 1;
        const int columns = static_cast<int>(c.picture.find('\n'));
        ShapeCanvas canvas(columns, rows);
        MoveToEx(canvas.Dc(), c.from.x, c.from.y, nullptr);
        ASSERT_TRUE(LineTo(canvas.Dc(), c.to.x, c.to.y));
        EXPECT_EQ(canvas.Picture(), c.picture);
    }
}

// Properties of the diamond rule over every short line: one pixel per step of the major axis, each within half a
// pixel of the true line across it (exact halves going up or left), and the same pixels in both directions.
TEST(LineTest, EveryShortLineFollowsTheDiamondRule) {
    ShapeCanvas canvas(17, 17);
    const POINT a{8, 8};
    for (int dy = -7; dy <= 7; ++dy) {
        for (int dx = -7; dx <= 7; ++dx) {
            if (dx == 0 && dy == 0) continue;
            SCOPED_TRACE(testing::Message() << "dx " << dx << " dy " << dy);
            const POINT b{a.x + dx, a.y + dy};
            PixelSet forward = DrawLine(canvas, a, b);
            PixelSet backward = DrawLine(canvas, b, a);
            const bool xMajor = std::abs(dx) > std::abs(dy);
            const int steps = std::max(std::abs(dx), std::abs(dy));
            ASSERT_EQ(forward.size(), static_cast<size_t>(steps));
            for (const auto& [x, y] : forward) {
                // Twice the signed distance, across the major axis, from the pixel to the true line.
                const int major = xMajor ? x - a.x : y - a.y;
                const int minor = xMajor ? y - a.y : x - a.x;
                const int majorD = xMajor ? dx : dy;
                const int minorD = xMajor ? dy : dx;
                const int twiceError = 2 * minor * majorD - 2 * major * minorD;  // scaled by majorD
                const int scaledHalf = std::abs(majorD);
                const int error = majorD > 0 ? twiceError : -twiceError;
                EXPECT_LE(std::abs(error), scaledHalf) << "pixel " << x << "," << y;
                if (std::abs(error) == scaledHalf) {
                    EXPECT_LT(error, 0) << "tie at " << x << "," << y;
                }
            }
            forward.erase({a.x, a.y});
            backward.erase({b.x, b.y});
            EXPECT_EQ(forward, backward);
        }
    }
}

TEST(LineTest, BinaryRasterOperationsFollowTheirTruthTables) {
    // With pen bits 1100 and destination bits 1010 in every colour byte, mode n gives (n - 1) * 0x11: its truth
    // table. The operation runs on the alpha byte too, where the pen (a colour) has 0 and the destination 0xFF: the
    // top byte is all ones exactly when the mode gives 1 for pen 0 on destination 1 (bit 1 of n - 1).
    ShapeCanvas canvas(3, 1);
    canvas.UsePen(CreatePen(PS_SOLID, 1, RGB(0xCC, 0xCC, 0xCC)));
    for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
        SCOPED_TRACE(testing::Message() << "R2 mode " << mode);
        canvas.Clear(0xFFAAAAAA);
        SetROP2(canvas.Dc(), mode);
        MoveToEx(canvas.Dc(), 1, 0, nullptr);
        ASSERT_TRUE(LineTo(canvas.Dc(), 2, 0));
        const uint32_t byte = static_cast<uint32_t>(mode - 1) * 0x11;
        const uint32_t alpha = ((mode - 1) >> 1) & 1 ? 0xFF000000u : 0u;
        EXPECT_EQ(canvas.Pixel(1, 0), alpha | byte * 0x010101);
        EXPECT_EQ(canvas.Pixel(0, 0), 0xFFAAAAAAu);
        EXPECT_EQ(canvas.Pixel(2, 0), 0xFFAAAAAAu);
    }
    SetROP2(canvas.Dc(), R2_COPYPEN);
    canvas.Clear(0xFFAAAAAA);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 1, 0);
    EXPECT_EQ(canvas.Pixel(0, 0), 0x00CCCCCCu) << "GDI writes alpha 0";
}

TEST(LineTest, XorPolylineKeepsEachJointOnce) {
    // Each segment leaves out its end point, so the joints are drawn once and XOR leaves no holes at them.
    ShapeCanvas canvas(6, 6);
    SetROP2(canvas.Dc(), R2_NOT);
    const POINT points[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 1}};
    ASSERT_TRUE(Polyline(canvas.Dc(), points, 5));
    EXPECT_EQ(canvas.Picture(), Rows({"#####.", "....#.", "#...#.", "#...#.", "#####.", "......"}));
}

TEST(LineTest, CosmeticStylePatterns) {
    ShapeCanvas canvas(26, 1);
    struct Case {
        HPEN pen;
        int bkMode;
        const char* picture;
    };
    LOGBRUSH solid{BS_SOLID, RGB(0, 0, 0), 0};
    const Case cases[] = {
        {CreatePen(PS_DOT, 1, RGB(0, 0, 0)), TRANSPARENT, "###...###...###...###...#."},
        {CreatePen(PS_DOT, 0, RGB(0, 0, 0)), OPAQUE, "###ooo###ooo###ooo###ooo#."},
        {CreatePen(PS_DASH, 1, RGB(0, 0, 0)), TRANSPARENT, "##################......#."},
        {CreatePen(PS_DASHDOT, 1, RGB(0, 0, 0)), TRANSPARENT, "#########......###......#."},
        {CreatePen(PS_DASHDOTDOT, 1, RGB(0, 0, 0)), TRANSPARENT, "#########...###...###...#."},
        {ExtCreatePen(PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr), OPAQUE, "#o#o#o#o#o#o#o#o#o#o#o#o#."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        canvas.Clear();
        canvas.UsePen(c.pen);
        SetBkMode(canvas.Dc(), c.bkMode);
        SetBkColor(canvas.Dc(), RGB(255, 0, 0));
        MoveToEx(canvas.Dc(), 0, 0, nullptr);
        ASSERT_TRUE(LineTo(canvas.Dc(), 25, 0));
        EXPECT_EQ(canvas.Picture(), c.picture);
    }
}

TEST(LineTest, StyleRunsOnAcrossPolylineSegmentsAndRestartsPerLineTo) {
    ShapeCanvas canvas(8, 3);
    canvas.UsePen(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
    SetBkMode(canvas.Dc(), TRANSPARENT);
    const POINT points[] = {{0, 0}, {2, 0}, {7, 0}};
    ASSERT_TRUE(Polyline(canvas.Dc(), points, 3));
    MoveToEx(canvas.Dc(), 0, 2, nullptr);
    LineTo(canvas.Dc(), 2, 2);
    LineTo(canvas.Dc(), 7, 2);
    EXPECT_EQ(canvas.Picture(), Rows({"###...#.", "........", "#####..."}));
}

TEST(LineTest, NullPenDrawsNothingButMovesThePosition) {
    ShapeCanvas canvas(8, 8);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    MoveToEx(canvas.Dc(), 1, 1, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 6, 6));
    EXPECT_EQ(canvas.Changed(), 0);
    POINT position{};
    GetCurrentPositionEx(canvas.Dc(), &position);
    EXPECT_EQ(position.x, 6);
    EXPECT_EQ(position.y, 6);
}

TEST(LineTest, CurrentPosition) {
    ShapeCanvas canvas(10, 10);
    POINT old{};
    MoveToEx(canvas.Dc(), 2, 3, nullptr);
    ASSERT_TRUE(MoveToEx(canvas.Dc(), 4, 5, &old));
    EXPECT_EQ(old.x, 2);
    EXPECT_EQ(old.y, 3);

    LineTo(canvas.Dc(), 7, 5);
    POINT now{};
    GetCurrentPositionEx(canvas.Dc(), &now);
    EXPECT_EQ(now.x, 7);
    EXPECT_EQ(now.y, 5);

    const POINT points[] = {{0, 0}, {9, 9}, {1, 8}};
    ASSERT_TRUE(Polyline(canvas.Dc(), points, 3));
    GetCurrentPositionEx(canvas.Dc(), &now);
    EXPECT_EQ(now.x, 7) << "Polyline leaves the position alone";

    ASSERT_TRUE(PolylineTo(canvas.Dc(), points, 3));
    GetCurrentPositionEx(canvas.Dc(), &now);
    EXPECT_EQ(now.x, 1);
    EXPECT_EQ(now.y, 8);
}

TEST(LineTest, PolylineToStartsAtTheCurrentPosition) {
    ShapeCanvas canvas(6, 3);
    MoveToEx(canvas.Dc(), 0, 1, nullptr);
    const POINT points[] = {{3, 1}, {3, 0}};
    ASSERT_TRUE(PolylineTo(canvas.Dc(), points, 2));
    EXPECT_EQ(canvas.Picture(), Rows({"......", "####..", "......"}));
}

TEST(LineTest, LogicalCoordinatesGoThroughTheOrigins) {
    ShapeCanvas canvas(8, 4);
    SetWindowOrgEx(canvas.Dc(), 10, 20, nullptr);
    SetViewportOrgEx(canvas.Dc(), 1, 2, nullptr);
    // Logical (10, 20) is device (1, 2).
    MoveToEx(canvas.Dc(), 10, 20, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 15, 20));
    EXPECT_EQ(canvas.Picture(), Rows({"........", "........", ".#####..", "........"}));
    POINT position{};
    GetCurrentPositionEx(canvas.Dc(), &position);
    EXPECT_EQ(position.x, 15) << "the position stays logical";
}

TEST(LineTest, ClippedToTheBitmapAndFarAwayLinesAreCheap) {
    ShapeCanvas canvas(8, 8);
    MoveToEx(canvas.Dc(), -100, -100, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 100, 100));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(canvas.Pixel(i, i), 0u);
    EXPECT_EQ(canvas.Changed(), 8);

    canvas.Clear();
    MoveToEx(canvas.Dc(), -50000000, 3, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 50000000, 3));
    EXPECT_EQ(canvas.Changed(), 8);
}

TEST(LineTest, ClipRegionLimitsTheLine) {
    ShapeCanvas canvas(8, 1);
    HRGN clip = CreateRectRgn(2, 0, 5, 1);
    SelectClipRgn(canvas.Dc(), clip);
    DeleteObject(clip);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    LineTo(canvas.Dc(), 8, 0);
    EXPECT_EQ(canvas.Picture(), "..###...");
}

TEST(LineTest, WidePensStrokeWithRoundEnds) {
    ShapeCanvas canvas(12, 9);
    canvas.UsePen(CreatePen(PS_SOLID, 3, RGB(0, 0, 0)));
    MoveToEx(canvas.Dc(), 2, 4, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 9, 4));
    // Centres within 1.5 of the segment: three rows, one column past each end, end point included.
    EXPECT_EQ(canvas.Picture(), Rows({"............", "............", "............", ".##########.", ".##########.",
                                      ".##########.", "............", "............", "............"}));

    // An even width covers as many rows, the half-way row going to the top.
    canvas.Clear();
    canvas.UsePen(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
    MoveToEx(canvas.Dc(), 2, 4, nullptr);
    LineTo(canvas.Dc(), 9, 4);
    for (int y = 0; y < 9; ++y) EXPECT_EQ(canvas.Pixel(5, y) == 0, y == 3 || y == 4) << y;
}

TEST(LineTest, WidePolylinePaintsEachPixelOnce) {
    const POINT points[] = {{2, 12}, {8, 2}, {14, 12}, {3, 6}};
    ShapeCanvas copy(18, 16), inverted(18, 16);
    copy.UsePen(CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
    inverted.UsePen(CreatePen(PS_SOLID, 4, RGB(0, 0, 0)));
    SetROP2(inverted.Dc(), R2_NOT);
    ASSERT_TRUE(Polyline(copy.Dc(), points, 4));
    ASSERT_TRUE(Polyline(inverted.Dc(), points, 4));
    EXPECT_GT(copy.Changed(), 60);
    EXPECT_EQ(Drawn(inverted), Drawn(copy)) << "an overlap painted twice would invert back";
}

TEST(LineTest, GeometricPenCaps) {
    LOGBRUSH brush{BS_SOLID, RGB(0, 0, 0), 0};
    struct Case {
        DWORD cap;
        int left, right;  // covered columns in the middle row
    };
    const Case cases[] = {{PS_ENDCAP_FLAT, 3, 7}, {PS_ENDCAP_SQUARE, 1, 9}, {PS_ENDCAP_ROUND, 1, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cap);
        ShapeCanvas canvas(12, 7);
        canvas.UsePen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | c.cap, 4, &brush, 0, nullptr));
        MoveToEx(canvas.Dc(), 3, 3, nullptr);
        ASSERT_TRUE(LineTo(canvas.Dc(), 8, 3));
        for (int x = 0; x < 12; ++x) EXPECT_EQ(canvas.Pixel(x, 3) == 0, x >= c.left && x <= c.right) << x;
        EXPECT_EQ(canvas.Pixel(c.left, 1) == 0, c.cap != PS_ENDCAP_ROUND) << "square corners";
    }
}

TEST(LineTest, Failures) {
    ShapeCanvas canvas(4, 4);
    SetLastError(0);
    EXPECT_FALSE(LineTo(reinterpret_cast<HDC>(0x7654), 1, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    const POINT one[] = {{1, 1}};
    SetLastError(0);
    EXPECT_FALSE(Polyline(canvas.Dc(), one, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    const POINT two[] = {{0, 0}, {3, 3}};
    const DWORD counts[] = {2, 1};
    EXPECT_FALSE(PolyPolyline(canvas.Dc(), two, counts, 2));
    EXPECT_FALSE(GetCurrentPositionEx(canvas.Dc(), nullptr));
    EXPECT_EQ(canvas.Changed(), 0);
}

// CreatePen gives a dashed or dotted style wider than a pixel as PS_SOLID of that width, which strokes with round
// ends and joins like any solid wide pen; one pixel wide, the style stays.
TEST(LineTest, DashedPensWiderThanAPixelAreSolid) {
    const POINT points[] = {{2, 12}, {9, 3}, {15, 12}};
    struct Case {
        int Style;
        int Width;
        UINT Made;
    } cases[] = {
        {PS_DASH, 2, PS_SOLID},      {PS_DOT, 3, PS_SOLID},
        {PS_DASHDOT, 5, PS_SOLID},   {PS_DASHDOTDOT, 4, PS_SOLID},
        {PS_DASH, -3, PS_SOLID},     {PS_DOT, 1, PS_DOT},
        {PS_DASHDOT, 0, PS_DASHDOT}, {PS_INSIDEFRAME, 3, PS_INSIDEFRAME},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.Style << " width " << c.Width);
        HPEN pen = CreatePen(c.Style, c.Width, RGB(0, 0, 0));
        LOGPEN made{};
        ASSERT_EQ(GetObjectA(pen, sizeof made, &made), static_cast<int>(sizeof made));
        EXPECT_EQ(made.lopnStyle, c.Made);
        EXPECT_EQ(made.lopnWidth.x, std::abs(c.Width));
        if (c.Made != PS_SOLID) {
            DeleteObject(pen);
            continue;
        }
        ShapeCanvas drawn(18, 16), solid(18, 16);
        drawn.UsePen(pen);
        solid.UsePen(CreatePen(PS_SOLID, c.Width, RGB(0, 0, 0)));
        ASSERT_TRUE(Polyline(drawn.Dc(), points, 3));
        ASSERT_TRUE(Polyline(solid.Dc(), points, 3));
        EXPECT_EQ(drawn.Picture(), solid.Picture());
        EXPECT_EQ(drawn.Pixel(9, 3), 0u) << "the joint is covered";
    }
}

TEST(LineTest, NopModeLeavesPixelsWhole) {
    ShapeCanvas canvas(3, 1);
    canvas.Clear(0xFF123456);
    SetROP2(canvas.Dc(), R2_NOP);
    MoveToEx(canvas.Dc(), 0, 0, nullptr);
    ASSERT_TRUE(LineTo(canvas.Dc(), 3, 0));
    EXPECT_EQ(canvas.Pixel(1, 0), 0xFF123456u);
}

TEST(LineTest, MonochromeBitmapsTakeTheNearerColour) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(8, 2, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(dc, mono);
    HPEN light = CreatePen(PS_SOLID, 1, RGB(200, 200, 200));
    HGDIOBJ oldPen = SelectObject(dc, light);
    MoveToEx(dc, 1, 0, nullptr);
    ASSERT_TRUE(LineTo(dc, 5, 0));
    SelectObject(dc, oldPen);
    SetROP2(dc, R2_NOT);
    MoveToEx(dc, 0, 1, nullptr);
    LineTo(dc, 2, 1);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 4, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 5, 0), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(light);
    DeleteObject(mono);
    DeleteDC(dc);
}

TEST(LineTest, PolyPolylineDrawsEachPolyline) {
    ShapeCanvas canvas(5, 3);
    const POINT points[] = {{0, 0}, {4, 0}, {0, 2}, {3, 2}};
    const DWORD counts[] = {2, 2};
    ASSERT_TRUE(PolyPolyline(canvas.Dc(), points, counts, 2));
    EXPECT_EQ(canvas.Picture(), Rows({"####.", ".....", "###.."}));
}

}  // namespace

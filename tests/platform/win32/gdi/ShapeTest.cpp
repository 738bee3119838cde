// Filled shapes: where outline and interior fall for Rectangle, Ellipse, RoundRect and polygons, null and wide
// pens, raster operations and logical coordinates.
#include "ShapeCanvas.h"

#include <string>

namespace {

// Black pen, red brush: outlines read '#', interiors 'o'.
class ShapeTest : public testing::Test {
protected:
    void Prepare(ShapeCanvas& canvas) { DeleteObject(SelectObject(canvas.Dc(), CreateSolidBrush(RGB(255, 0, 0)))); }
};

TEST_F(ShapeTest, RectanglePutsThePenInsideAndExcludesRightAndBottom) {
    ShapeCanvas canvas(7, 6);
    Prepare(canvas);
    const std::string expected = Rows({".......", ".####..", ".#oo#..", ".#oo#..", ".####..", "......."});
    ASSERT_TRUE(Rectangle(canvas.Dc(), 1, 1, 5, 5));
    EXPECT_EQ(canvas.Picture(), expected);
    canvas.Clear();
    ASSERT_TRUE(Rectangle(canvas.Dc(), 5, 5, 1, 1));
    EXPECT_EQ(canvas.Picture(), expected) << "swapped corners";
}

TEST_F(ShapeTest, NullPenFillIsOnePixelSmaller) {
    ShapeCanvas canvas(7, 6);
    Prepare(canvas);
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    ASSERT_TRUE(Rectangle(canvas.Dc(), 1, 1, 5, 5));
    EXPECT_EQ(canvas.Picture(), Rows({".......", ".ooo...", ".ooo...", ".ooo...", ".......", "......."}));

    canvas.Clear();
    ASSERT_TRUE(Ellipse(canvas.Dc(), 0, 0, 7, 6));
    for (int x = 0; x < 7; ++x) EXPECT_EQ(canvas.Pixel(x, 5), ShapeCanvas::kBackground);
    for (int y = 0; y < 6; ++y) EXPECT_EQ(canvas.Pixel(6, y), ShapeCanvas::kBackground);
    EXPECT_NE(canvas.Pixel(0, 2), ShapeCanvas::kBackground);
    EXPECT_NE(canvas.Pixel(3, 0), ShapeCanvas::kBackground);
}

TEST_F(ShapeTest, NullBrushLeavesTheInside) {
    ShapeCanvas canvas(5, 5);
    SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
    ASSERT_TRUE(Rectangle(canvas.Dc(), 0, 0, 4, 4));
    EXPECT_EQ(canvas.Picture(), Rows({"####.", "#..#.", "#..#.", "####.", "....."}));
}

TEST_F(ShapeTest, InsideFrameKeepsAWidePenWithinTheRectangle) {
    ShapeCanvas canvas(9, 9);
    Prepare(canvas);
    canvas.UsePen(CreatePen(PS_INSIDEFRAME, 3, RGB(0, 0, 0)));
    ASSERT_TRUE(Rectangle(canvas.Dc(), 1, 1, 8, 8));
    EXPECT_EQ(canvas.Picture(), Rows({".........", ".#######.", ".#######.", ".#######.", ".###o###.", ".#######.",
                                      ".#######.", ".#######.", "........."}));
}

TEST_F(ShapeTest, WideSolidPenIsCentredOnTheOutline) {
    ShapeCanvas canvas(12, 12);
    Prepare(canvas);
    canvas.UsePen(CreatePen(PS_SOLID, 3, RGB(0, 0, 0)));
    ASSERT_TRUE(Rectangle(canvas.Dc(), 2, 2, 10, 10));
    // The path runs through 2 and 9; three pixels centred on it reach from 1 to 10.
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(canvas.Pixel(i, 5) == 0, i == 1 || i == 2 || i == 3 || i == 8 || i == 9 || i == 10) << i;
    }
    EXPECT_EQ(canvas.Pixel(5, 5), 0x00FF0000u);
}

TEST_F(ShapeTest, EllipsesAreSymmetricAndFillTheirBox) {
    for (int width = 3; width <= 14; ++width) {
        for (int height = 3; height <= 14; ++height) {
            SCOPED_TRACE(testing::Message() << width << " x " << height);
            ShapeCanvas canvas(16, 16);
            Prepare(canvas);
            ASSERT_TRUE(Ellipse(canvas.Dc(), 1, 1, 1 + width, 1 + height));
            int left = 99, right = -1, top = 99, bottom = -1;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 16; ++x) {
                    const uint32_t p = canvas.Pixel(x, y);
                    if (p == ShapeCanvas::kBackground) continue;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                    // Mirror images through the centre of the box hold the same thing.
                    EXPECT_EQ(canvas.Pixel(width + 1 - x, y), p) << x << "," << y;
                    EXPECT_EQ(canvas.Pixel(x, height + 1 - y), p) << x << "," << y;
                }
            }
            EXPECT_EQ(left, 1);
            EXPECT_EQ(top, 1);
            EXPECT_EQ(right, width);
            EXPECT_EQ(bottom, height);
            // The outline is closed: the centre is brush, and each row's ends are pen.
            EXPECT_EQ(canvas.Pixel(1 + width / 2, 1 + height / 2), height > 2 && width > 2 ? 0x00FF0000u : 0u);
        }
    }
}

TEST_F(ShapeTest, SmallEllipseAndRoundRectPixels) {
    ShapeCanvas canvas(9, 7);
    Prepare(canvas);
    ASSERT_TRUE(Ellipse(canvas.Dc(), 0, 0, 9, 7));
    EXPECT_EQ(canvas.Picture(),
              Rows({"..#####..", ".#ooooo#.", "#ooooooo#", "#ooooooo#", "#ooooooo#", ".#ooooo#.", "..#####.."}));

    ShapeCanvas round(10, 7);
    Prepare(round);
    ASSERT_TRUE(RoundRect(round.Dc(), 0, 0, 10, 7, 4, 4));
    EXPECT_EQ(round.Picture(),
              Rows({".########.", "#oooooooo#", "#oooooooo#", "#oooooooo#", "#oooooooo#", "#oooooooo#", ".########."}));
}

TEST_F(ShapeTest, RoundRectCornersShrinkToARectangle) {
    ShapeCanvas a(8, 6), b(8, 6);
    Prepare(a);
    Prepare(b);
    ASSERT_TRUE(RoundRect(a.Dc(), 1, 1, 7, 5, 2, 2));
    ASSERT_TRUE(Rectangle(b.Dc(), 1, 1, 7, 5));
    EXPECT_EQ(a.Picture(), b.Picture());

    // Corners larger than the rectangle are the ellipse.
    ASSERT_TRUE(RoundRect(a.Dc(), 0, 0, 8, 6, 100, 100));
    ASSERT_TRUE(Ellipse(b.Dc(), 0, 0, 8, 6));
    EXPECT_EQ(a.Picture(), b.Picture());
}

TEST_F(ShapeTest, NotModeInvertsEveryShapePixelOnce) {
    // Outline and interior never overlap, so inverting paints exactly what copying paints (for outlines that do
    // not cross themselves).
    auto draw = [](HDC dc) {
        Ellipse(dc, 1, 1, 12, 9);
        RoundRect(dc, 13, 1, 23, 12, 6, 5);
        const POINT notch[] = {{1, 12}, {11, 12}, {6, 16}, {11, 22}, {1, 22}};
        Polygon(dc, notch, 5);
    };
    ShapeCanvas copy(24, 24), inverted(24, 24);
    Prepare(copy);
    Prepare(inverted);
    draw(copy.Dc());
    SetROP2(inverted.Dc(), R2_NOT);
    draw(inverted.Dc());
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            EXPECT_EQ(copy.Pixel(x, y) != ShapeCanvas::kBackground, inverted.Pixel(x, y) != ShapeCanvas::kBackground)
                << x << "," << y;
        }
    }
}

TEST_F(ShapeTest, PolygonFillModes) {
    // A five-pointed star drawn in one stroke: its middle is wound twice.
    const POINT star[] = {{10, 1}, {16, 19}, {1, 7}, {19, 7}, {4, 19}};
    for (int mode : {ALTERNATE, WINDING}) {
        SCOPED_TRACE(mode);
        ShapeCanvas canvas(21, 21);
        Prepare(canvas);
        SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
        SetPolyFillMode(canvas.Dc(), mode);
        ASSERT_TRUE(Polygon(canvas.Dc(), star, 5));
        EXPECT_EQ(canvas.Pixel(10, 11), mode == WINDING ? 0x00FF0000u : ShapeCanvas::kBackground) << "centre";
        EXPECT_EQ(canvas.Pixel(10, 4), 0x00FF0000u) << "top point";
        EXPECT_EQ(canvas.Pixel(4, 8), 0x00FF0000u) << "left point";
        EXPECT_EQ(canvas.Pixel(10, 18), ShapeCanvas::kBackground) << "between the feet";
    }
}

TEST_F(ShapeTest, PolygonOutlineAndFillRules) {
    ShapeCanvas canvas(6, 6);
    Prepare(canvas);
    const POINT square[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}};
    ASSERT_TRUE(Polygon(canvas.Dc(), square, 4));
    EXPECT_EQ(canvas.Picture(), Rows({"#####.", "#ooo#.", "#ooo#.", "#ooo#.", "#####.", "......"}));

    // Without a pen the right and bottom edges stay out, so polygons that share an edge share no pixel.
    canvas.Clear();
    SelectObject(canvas.Dc(), GetStockObject(NULL_PEN));
    SetROP2(canvas.Dc(), R2_NOT);
    const POINT halves[] = {{0, 0}, {5, 0}, {0, 5}, {5, 0}, {5, 5}, {0, 5}};
    const INT counts[] = {3, 3};
    ASSERT_TRUE(PolyPolygon(canvas.Dc(), halves, counts, 2));
    EXPECT_EQ(canvas.Picture(), Rows({"#####.", "#####.", "#####.", "#####.", "#####.", "......"}));
}

TEST_F(ShapeTest, DcPenAndLogicalCoordinates) {
    ShapeCanvas canvas(6, 5);
    SelectObject(canvas.Dc(), GetStockObject(DC_PEN));
    SelectObject(canvas.Dc(), GetStockObject(NULL_BRUSH));
    SetDCPenColor(canvas.Dc(), RGB(0, 0, 255));
    SetViewportOrgEx(canvas.Dc(), 1, 1, nullptr);
    SetWindowOrgEx(canvas.Dc(), 10, 10, nullptr);
    ASSERT_TRUE(Rectangle(canvas.Dc(), 10, 10, 13, 13));
    EXPECT_EQ(canvas.Picture(), Rows({"......", ".ooo..", ".o.o..", ".ooo..", "......"}));
    EXPECT_EQ(canvas.Pixel(1, 1), 0x000000FFu);
}

TEST_F(ShapeTest, EmptyAndFailingShapes) {
    ShapeCanvas canvas(6, 6);
    Prepare(canvas);
    EXPECT_TRUE(Rectangle(canvas.Dc(), 2, 2, 2, 5));
    EXPECT_TRUE(Ellipse(canvas.Dc(), 1, 3, 5, 3));
    EXPECT_EQ(canvas.Changed(), 0);
    SetLastError(0);
    EXPECT_FALSE(Rectangle(reinterpret_cast<HDC>(0x7654), 0, 0, 3, 3));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    const POINT one[] = {{1, 1}};
    EXPECT_FALSE(Polygon(canvas.Dc(), one, 1));
    const INT counts[] = {0};
    EXPECT_FALSE(PolyPolygon(canvas.Dc(), one, counts, 1));
}

TEST(PenTest, CreationRules) {
    EXPECT_EQ(CreatePen(PS_NULL, 5, RGB(1, 2, 3)), GetStockObject(NULL_PEN));

    LOGPEN pen{};
    HPEN made = CreatePen(PS_ALTERNATE, -7, RGB(1, 2, 3));
    ASSERT_EQ(GetObjectA(made, sizeof(pen), &pen), static_cast<int>(sizeof(pen)));
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID)) << "CreatePen makes PS_ALTERNATE solid";
    EXPECT_EQ(pen.lopnWidth.x, 7);
    EXPECT_EQ(pen.lopnColor, RGB(1, 2, 3));
    DeleteObject(made);

    const LOGPEN dashed{PS_DASH, {0, 9}, RGB(4, 5, 6)};
    made = CreatePenIndirect(&dashed);
    ASSERT_EQ(GetObjectA(made, sizeof(pen), &pen), static_cast<int>(sizeof(pen)));
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_DASH));
    EXPECT_EQ(pen.lopnWidth.y, 0);
    DeleteObject(made);

    const LOGBRUSH solid{BS_SOLID, RGB(7, 8, 9), 0};
    const LOGBRUSH hatched{BS_HATCHED, RGB(7, 8, 9), HS_CROSS};
    const DWORD user[] = {2, 2};
    struct Case {
        DWORD style, width;
        const LOGBRUSH* brush;
        DWORD entries;
        const DWORD* styleArray;
        DWORD error;  // 0: made
    };
    const Case cases[] = {
        {PS_COSMETIC | PS_DOT, 1, &solid, 0, nullptr, 0},
        {PS_COSMETIC | PS_ALTERNATE, 1, &solid, 0, nullptr, 0},
        {PS_COSMETIC | PS_SOLID, 2, &solid, 0, nullptr, ERROR_INVALID_PARAMETER},
        {PS_COSMETIC | PS_INSIDEFRAME, 1, &solid, 0, nullptr, ERROR_INVALID_PARAMETER},
        {PS_COSMETIC | PS_SOLID, 1, &hatched, 0, nullptr, ERROR_INVALID_PARAMETER},
        {PS_COSMETIC | PS_SOLID, 1, &solid, 2, user, ERROR_INVALID_PARAMETER},
        {PS_COSMETIC | PS_USERSTYLE, 1, &solid, 2, user, ERROR_NOT_SUPPORTED},
        {PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 6, &solid, 0, nullptr, 0},
        {PS_GEOMETRIC | PS_INSIDEFRAME, 6, &solid, 0, nullptr, 0},
        {PS_GEOMETRIC | PS_ALTERNATE, 6, &solid, 0, nullptr, ERROR_INVALID_PARAMETER},
        {PS_GEOMETRIC | PS_DASH, 6, &solid, 0, nullptr, ERROR_NOT_SUPPORTED},
        {PS_GEOMETRIC | PS_SOLID | PS_JOIN_MITER, 6, &solid, 0, nullptr, ERROR_NOT_SUPPORTED},
        {PS_GEOMETRIC | PS_SOLID, 6, &hatched, 0, nullptr, ERROR_NOT_SUPPORTED},
        {PS_GEOMETRIC | 9, 6, &solid, 0, nullptr, ERROR_INVALID_PARAMETER},
        {PS_GEOMETRIC | PS_SOLID, 6, nullptr, 0, nullptr, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.style << " width " << std::dec << c.width);
        SetLastError(0);
        HPEN ext = ExtCreatePen(c.style, c.width, c.brush, c.entries, c.styleArray);
        EXPECT_EQ(ext != nullptr, c.error == 0);
        if (c.error) {
            EXPECT_EQ(GetLastError(), c.error);
        }
        if (ext) {
            EXPECT_EQ(GetObjectType(ext), static_cast<DWORD>(OBJ_EXTPEN));
            HDC dc = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(dc, ext);
            EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), ext);
            SelectObject(dc, old);
            DeleteDC(dc);
            EXTLOGPEN described{};
            const int size = GetObjectA(ext, sizeof(described), &described);
            EXPECT_EQ(size, static_cast<int>(offsetof(EXTLOGPEN, elpStyleEntry)));
            EXPECT_EQ(described.elpPenStyle, c.style);
            EXPECT_EQ(described.elpWidth, c.width);
            EXPECT_EQ(described.elpColor, RGB(7, 8, 9));
        }
        DeleteObject(ext);
    }
}

}  // namespace

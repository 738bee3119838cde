// Classic drawing: DrawEdge, DrawFrameControl, DrawFocusRect and OBM_CHECKBOXES, read back from DIB pixels.
#include "ClassicCanvas.h"
#include "Png.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

constexpr uint32_t Untouched = 0xFF00FF00u;  // green with alpha: any pixel GDI writes loses the alpha byte
constexpr uint32_t Black = 0x000000u;

// Gives the 3D colours distinct values so each line's colour names its source; restores the scheme after.
class DistinctColours : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < Count; ++i) FSaved[i] = GetSysColor(Indexes[i]);
        const COLORREF distinct[Count] = {RGB(1, 2, 3),       RGB(10, 20, 30),    RGB(40, 50, 60),   RGB(70, 80, 90),
                                          RGB(100, 110, 120), RGB(130, 140, 150), RGB(160, 170, 180)};
        ASSERT_TRUE(SetSysColors(Count, Indexes, distinct));
    }
    void TearDown() override { SetSysColors(Count, Indexes, FSaved); }
    static uint32_t Sys(int index) { return DibPixel(GetSysColor(index)); }
    // A two-line edge around the whole canvas, each line by its colour index (-1: not drawn); the bottom-right
    // colours own the top-right and bottom-left corners.
    static void ExpectEdge(const ClassicCanvas& canvas, int outerTopLeft, int innerTopLeft, int outerBottomRight,
                           int innerBottomRight) {
        auto expect = [](int index) { return index < 0 ? Untouched : Sys(index); };
        const int right = canvas.Width() - 1, bottom = canvas.Height() - 1;
        EXPECT_EQ(canvas.Pixel(0, 0), expect(outerTopLeft));
        EXPECT_EQ(canvas.Pixel(2, 0), expect(outerTopLeft));
        EXPECT_EQ(canvas.Pixel(0, 3), expect(outerTopLeft));
        EXPECT_EQ(canvas.Pixel(right, 0), expect(outerBottomRight));
        EXPECT_EQ(canvas.Pixel(0, bottom), expect(outerBottomRight));
        EXPECT_EQ(canvas.Pixel(right, bottom), expect(outerBottomRight));
        EXPECT_EQ(canvas.Pixel(1, 1), expect(innerTopLeft));
        EXPECT_EQ(canvas.Pixel(2, 1), expect(innerTopLeft));
        EXPECT_EQ(canvas.Pixel(right - 1, 1), expect(innerBottomRight));
        EXPECT_EQ(canvas.Pixel(1, bottom - 1), expect(innerBottomRight));
    }

    static constexpr int Count = 7;
    static constexpr INT Indexes[Count] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW,
                                           COLOR_3DLIGHT, COLOR_WINDOW,    COLOR_WINDOWFRAME};
    COLORREF FSaved[Count] = {};
};
constexpr INT DistinctColours::Indexes[];

using DrawEdgeTest = DistinctColours;

TEST_F(DrawEdgeTest, RaisedEdgeOnFourByFour) {
    ClassicCanvas canvas(4, 4);
    RECT rect{0, 0, 4, 4};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, EDGE_RAISED, BF_RECT));
    uint32_t l = Sys(COLOR_3DLIGHT), d = Sys(COLOR_3DDKSHADOW), h = Sys(COLOR_BTNHIGHLIGHT), s = Sys(COLOR_BTNSHADOW);
    // The bottom-right colours own the top-right and bottom-left corners.
    const uint32_t expected[16] = {l, l, l, d,  //
                                   l, h, s, d,  //
                                   l, s, s, d,  //
                                   d, d, d, d};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(canvas.Bits()[i], expected[i]) << "pixel " << i % 4 << "," << i / 4;
}

TEST_F(DrawEdgeTest, ColoursOfEveryStyle) {
    struct Case {
        UINT Edge, Flags;
        int OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;  // -1: not drawn
    };
    const Case cases[] = {
        {EDGE_RAISED, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {EDGE_SUNKEN, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {EDGE_ETCHED, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW},
        {EDGE_BUMP, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
        {EDGE_RAISED, BF_SOFT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNSHADOW},
        {EDGE_SUNKEN, BF_SOFT, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_3DLIGHT},
        {EDGE_RAISED, BF_FLAT, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE},
        {EDGE_SUNKEN, BF_MONO, COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW},
        {BDR_RAISEDOUTER, 0, COLOR_3DLIGHT, COLOR_3DDKSHADOW, -1, -1},
        {BDR_SUNKENOUTER, 0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, -1, -1},
        // A lone inner line is drawn in the outer place.
        {BDR_RAISEDINNER, 0, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, -1, -1},
        {BDR_SUNKENINNER, 0, COLOR_3DDKSHADOW, COLOR_3DLIGHT, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "edge " << c.Edge << " flags " << c.Flags);
        ClassicCanvas canvas(6, 6);
        RECT rect{0, 0, 6, 6};
        ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, c.Edge, BF_RECT | c.Flags));
        ExpectEdge(canvas, c.OuterTopLeft, c.InnerTopLeft, c.OuterBottomRight, c.InnerBottomRight);
        EXPECT_EQ(canvas.Pixel(2, 2), Untouched);  // no BF_MIDDLE: the inside is left alone
    }
}

TEST_F(DrawEdgeTest, AdjustAndMiddle) {
    struct Case {
        UINT Edge, Flags;
        RECT Expected;
    };
    const Case cases[] = {
        {EDGE_RAISED, BF_RECT | BF_ADJUST, {12, 12, 18, 18}},
        {EDGE_RAISED, BF_RECT, {10, 10, 20, 20}},
        {BDR_RAISEDOUTER, BF_RECT | BF_ADJUST, {11, 11, 19, 19}},
        {BDR_SUNKENINNER, BF_RECT | BF_ADJUST, {11, 11, 19, 19}},
        {EDGE_SUNKEN, BF_TOPLEFT | BF_ADJUST, {12, 12, 20, 20}},
        {EDGE_ETCHED, BF_BOTTOM | BF_ADJUST, {10, 10, 20, 18}},
        {EDGE_BUMP, BF_RIGHT | BF_MIDDLE | BF_ADJUST | BF_FLAT, {10, 10, 18, 20}},
    };
    for (const Case& c : cases) {
        ClassicCanvas canvas(24, 24);
        RECT rect{10, 10, 20, 20};
        ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, c.Edge, c.Flags));
        EXPECT_EQ(rect.left, c.Expected.left);
        EXPECT_EQ(rect.top, c.Expected.top);
        EXPECT_EQ(rect.right, c.Expected.right);
        EXPECT_EQ(rect.bottom, c.Expected.bottom);
    }

    ClassicCanvas canvas(8, 8);
    RECT rect{1, 1, 7, 7};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, EDGE_SUNKEN, BF_RECT | BF_MIDDLE));
    EXPECT_EQ(canvas.Pixel(3, 3), Sys(COLOR_BTNFACE));
    EXPECT_EQ(canvas.Pixel(0, 0), Untouched);
    EXPECT_EQ(canvas.Pixel(7, 7), Untouched);
    RECT mono{1, 1, 7, 7};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &mono, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_MONO));
    EXPECT_EQ(canvas.Pixel(3, 3), Sys(COLOR_WINDOW));
}

TEST_F(DrawEdgeTest, DrawsInLogicalCoordinatesAndHonoursTheClip) {
    ClassicCanvas canvas(10, 10);
    SetWindowOrgEx(canvas.Dc(), -2, -3, nullptr);
    IntersectClipRect(canvas.Dc(), 0, 0, 3, 10);  // logical; device columns 2..4
    RECT rect{0, 0, 6, 6};
    ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, BDR_RAISEDOUTER, BF_RECT));
    EXPECT_EQ(canvas.Pixel(2, 3), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.Pixel(2, 8), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.Pixel(4, 3), Sys(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.Pixel(5, 3), Untouched);  // clipped away
    EXPECT_EQ(canvas.Pixel(7, 5), Untouched);
}

TEST(ClassicFailures, RefusedArguments) {
    ClassicCanvas canvas(4, 4);
    RECT rect{0, 0, 4, 4};
    SetLastError(0);
    EXPECT_FALSE(DrawEdge(canvas.Dc(), &rect, 0x10, BF_RECT));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    EXPECT_FALSE(DrawEdge(canvas.Dc(), &rect, EDGE_RAISED, 0x20));
    EXPECT_FALSE(DrawEdge(canvas.Dc(), nullptr, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(DrawEdge(reinterpret_cast<HDC>(0x7777), &rect, EDGE_RAISED, BF_RECT));
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &rect, 9, 0));
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &rect, DFC_CAPTION, 7));
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &rect, DFC_SCROLL, 4));
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, 0x20));
    EXPECT_FALSE(DrawFrameControl(canvas.Dc(), nullptr, DFC_BUTTON, DFCS_BUTTONPUSH));
    EXPECT_FALSE(DrawFocusRect(canvas.Dc(), nullptr));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(canvas.Bits()[i], Untouched);
}

TEST(DrawFocusRectTest, CheckerboardXorThatUndoesItself) {
    ClassicCanvas canvas(8, 6, 0x00336699u);
    RECT rect{1, 1, 7, 5};
    ASSERT_TRUE(DrawFocusRect(canvas.Dc(), &rect));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            bool border = x >= 1 && x < 7 && y >= 1 && y < 5 && (x == 1 || x == 6 || y == 1 || y == 4);
            // Black text colour on the 0 bits leaves those pixels; the white background inverts the others.
            uint32_t expected = border && (x + y) % 2 == 1 ? 0x00CC9966u : 0x00336699u;
            EXPECT_EQ(canvas.Pixel(x, y), expected) << x << "," << y;
        }
    }
    ASSERT_TRUE(DrawFocusRect(canvas.Dc(), &rect));
    for (int i = 0; i < 48; ++i) EXPECT_EQ(canvas.Bits()[i], 0x00336699u);

    // A rectangle one pixel high: its top and bottom sides fall on the same row and cancel.
    RECT line{0, 2, 8, 3};
    ASSERT_TRUE(DrawFocusRect(canvas.Dc(), &line));
    for (int i = 0; i < 48; ++i) EXPECT_EQ(canvas.Bits()[i], 0x00336699u);
}

// The positions of pixels of one colour inside a rectangle.
std::set<std::pair<int, int>> PixelsOf(const ClassicCanvas& canvas, uint32_t value, const RECT& area) {
    std::set<std::pair<int, int>> found;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (canvas.Pixel(x, y) == value) found.insert({x, y});
    return found;
}

std::set<std::pair<int, int>> Shifted(const std::set<std::pair<int, int>>& points, int dx, int dy) {
    std::set<std::pair<int, int>> moved;
    for (auto [x, y] : points) moved.insert({x + dx, y + dy});
    return moved;
}

void ExpectOutsideUntouched(const ClassicCanvas& canvas, const RECT& rect) {
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x)
            if (x < rect.left || x >= rect.right || y < rect.top || y >= rect.bottom) {
                ASSERT_EQ(canvas.Pixel(x, y), Untouched) << "outside at " << x << "," << y;
            }
}

TEST(DrawFrameControlTest, GlyphsAreBlackInsideTheButtonAndMoveWhenPushed) {
    const std::pair<UINT, UINT> kinds[] = {
        {DFC_CAPTION, DFCS_CAPTIONCLOSE},   {DFC_CAPTION, DFCS_CAPTIONMIN},  {DFC_CAPTION, DFCS_CAPTIONMAX},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE}, {DFC_CAPTION, DFCS_CAPTIONHELP}, {DFC_SCROLL, DFCS_SCROLLUP},
        {DFC_SCROLL, DFCS_SCROLLDOWN},      {DFC_SCROLL, DFCS_SCROLLLEFT},   {DFC_SCROLL, DFCS_SCROLLRIGHT},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX},
    };
    for (auto [type, kind] : kinds) {
        SCOPED_TRACE(::testing::Message() << "type " << type << " kind " << kind);
        const RECT button{2, 3, 18, 17};  // 16 x 14, as a caption button
        const RECT inside{4, 5, 16, 15};
        ClassicCanvas normal(20, 20), pushed(20, 20), inactive(20, 20);
        RECT r1 = button, r2 = button, r3 = button;
        ASSERT_TRUE(DrawFrameControl(normal.Dc(), &r1, type, kind));
        ASSERT_TRUE(DrawFrameControl(pushed.Dc(), &r2, type, kind | DFCS_PUSHED));
        ASSERT_TRUE(DrawFrameControl(inactive.Dc(), &r3, type, kind | DFCS_INACTIVE));
        ExpectOutsideUntouched(normal, button);
        ExpectOutsideUntouched(pushed, button);

        auto glyph = PixelsOf(normal, Black, inside);
        EXPECT_GE(glyph.size(), 4u);
        // Black appears nowhere but in the glyph (the raised frame's dark shadow is on the border).
        EXPECT_EQ(PixelsOf(normal, Black, RECT{3, 4, 17, 16}), glyph);
        EXPECT_EQ(normal.Pixel(9, 9) >> 24, 0u);
        EXPECT_EQ(PixelsOf(pushed, Black, inside), Shifted(glyph, 1, 1));
        // Inactive: grey where the glyph was, with a white copy one pixel down and right.
        EXPECT_TRUE(PixelsOf(inactive, Black, inside).empty());
        EXPECT_EQ(PixelsOf(inactive, DibPixel(GetSysColor(COLOR_BTNSHADOW)), inside), glyph);
        for (auto [x, y] : Shifted(glyph, 1, 1))
            if (!glyph.count({x, y})) {
                EXPECT_EQ(inactive.Pixel(x, y), 0x00FFFFFFu) << x << "," << y;
            }
    }
}

using ScrollButtonTest = DistinctColours;

// A 16-pixel scroll button has DrawEdge's edge (EDGE_RAISED, EDGE_SUNKEN when pushed, a lone shadow line with
// DFCS_FLAT) without the push button's soft highlight, and the classic 7 x 4 arrow half a pixel right of and below
// the middle, one pixel further when pushed.
TEST_F(ScrollButtonTest, EdgesAreDrawEdgesAndTheArrowSitsWhereWindowsPutsIt) {
    struct Edge {
        UINT State;
        int OuterTopLeft, InnerTopLeft, OuterBottomRight, InnerBottomRight, Face;
        int Shift;
    } edges[] = {
        {0, COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, 0},
        {DFCS_PUSHED, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_BTNFACE, 1},
        {DFCS_FLAT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE, 0},
        {DFCS_FLAT | DFCS_PUSHED, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE, 1},
        {DFCS_MONO, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW, 0},
    };
    const std::vector<std::string> down = {"#######", ".#####.", "..###..", "...#..."};
    struct Arrow {
        UINT Kind;
        int Left, Top;  // of the rows below, in the button
        std::vector<std::string> Rows;
    } arrows[] = {
        {DFCS_SCROLLUP, 5, 5, {"...#...", "..###..", ".#####.", "#######"}},
        {DFCS_SCROLLDOWN, 5, 7, down},
        {DFCS_SCROLLCOMBOBOX, 5, 7, down},
        {DFCS_SCROLLLEFT, 5, 5, {"...#", "..##", ".###", "####", ".###", "..##", "...#"}},
        {DFCS_SCROLLRIGHT, 7, 5, {"#...", "##..", "###.", "####", "###.", "##..", "#..."}},
    };
    for (const Arrow& a : arrows) {
        for (const Edge& e : edges) {
            SCOPED_TRACE(::testing::Message() << "kind " << a.Kind << " state 0x" << std::hex << e.State);
            ClassicCanvas canvas(16, 16);
            RECT rect{0, 0, 16, 16};
            ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_SCROLL, a.Kind | e.State));
            ExpectEdge(canvas, e.OuterTopLeft, e.InnerTopLeft, e.OuterBottomRight, e.InnerBottomRight);
            EXPECT_EQ(canvas.Pixel(3, 3), Sys(e.Face));
            std::set<std::pair<int, int>> arrow;
            for (size_t y = 0; y < a.Rows.size(); ++y)
                for (size_t x = 0; x < a.Rows[y].size(); ++x)
                    if (a.Rows[y][x] == '#')
                        arrow.insert({a.Left + static_cast<int>(x) + e.Shift, a.Top + static_cast<int>(y) + e.Shift});
            EXPECT_EQ(PixelsOf(canvas, Black, rect), arrow);
        }
    }
}

TEST(DrawFrameControlTest, GlyphsScaleWithTheSmallerSide) {
    auto blackBox = [](int width, int height) {
        ClassicCanvas canvas(width, height);
        RECT rect{0, 0, width, height};
        EXPECT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_CAPTION, DFCS_CAPTIONCLOSE));
        RECT box{width, height, 0, 0};
        for (auto [x, y] : PixelsOf(canvas, Black, RECT{2, 2, width - 2, height - 2})) {
            box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
        return box;
    };
    RECT small = blackBox(16, 14), large = blackBox(60, 28), tall = blackBox(28, 80);
    EXPECT_EQ(small.right - small.left, 8);  // the classic close cross in a 16 x 14 button
    EXPECT_EQ(small.bottom - small.top, 7);
    // Sized from the smaller side only: the wide and the tall button have the same glyph, centred.
    EXPECT_EQ(large.right - large.left, tall.right - tall.left);
    EXPECT_EQ(large.bottom - large.top, tall.bottom - tall.top);
    EXPECT_GT(large.right - large.left, 2 * (small.right - small.left) - 2);
    EXPECT_NEAR(large.left + large.right, 60, 1);  // centred, to the pixel
}

TEST(DrawFrameControlTest, PushButtonAdjustRectAndLook) {
    ClassicCanvas canvas(24, 12);
    RECT rect{1, 1, 21, 11};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(rect.left, 3);
    EXPECT_EQ(rect.top, 3);
    EXPECT_EQ(rect.right, 19);
    EXPECT_EQ(rect.bottom, 9);
    EXPECT_EQ(canvas.Pixel(1, 1), 0x00FFFFFFu);  // soft raised: highlight outside
    EXPECT_EQ(canvas.Pixel(20, 10), Black);
    EXPECT_EQ(canvas.Pixel(10, 5), 0x00C0C0C0u);

    RECT same{1, 1, 21, 11};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &same, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED));
    EXPECT_EQ(same.left, 1);  // no DFCS_ADJUSTRECT: the rectangle stays
    EXPECT_EQ(canvas.Pixel(1, 1), Black);
    EXPECT_EQ(canvas.Pixel(2, 2), 0x00808080u);
    EXPECT_EQ(canvas.Pixel(20, 10), 0x00FFFFFFu);
}

TEST(DrawFrameControlTest, CheckBoxAndRadioButton) {
    ClassicCanvas canvas(13, 13);
    RECT rect{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONCHECK));
    EXPECT_EQ(canvas.Pixel(0, 0), 0x00808080u);
    EXPECT_EQ(canvas.Pixel(1, 1), Black);
    EXPECT_EQ(canvas.Pixel(12, 12), 0x00FFFFFFu);
    EXPECT_EQ(PixelsOf(canvas, 0x00FFFFFFu, RECT{2, 2, 11, 11}).size(), 81u);

    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    auto mark = PixelsOf(canvas, Black, RECT{2, 2, 11, 11});
    EXPECT_EQ(mark.size(), 21u);  // seven columns, three pixels each
    for (auto [x, y] : mark) EXPECT_TRUE(x >= 3 && x <= 9 && y >= 3 && y <= 9) << x << "," << y;

    ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE));
    EXPECT_EQ(PixelsOf(canvas, 0x00808080u, RECT{2, 2, 11, 11}), mark);
    EXPECT_EQ(canvas.Pixel(3, 3), 0x00C0C0C0u);

    ClassicCanvas radio(12, 12);
    RECT r{0, 0, 12, 12};
    ASSERT_TRUE(DrawFrameControl(radio.Dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO));
    EXPECT_EQ(radio.Pixel(0, 0), Untouched);  // the corners stay as they were
    EXPECT_EQ(radio.Pixel(5, 5), 0x00FFFFFFu);
    EXPECT_EQ(radio.Pixel(5, 0), 0x00808080u);
    ASSERT_TRUE(DrawFrameControl(radio.Dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED));
    EXPECT_EQ(PixelsOf(radio, Black, RECT{3, 3, 9, 9}).size(), 12u);  // a 4 x 4 dot without its corners
}

using ButtonGlyphTest = DistinctColours;

// The 12-pixel radio button in its 13-pixel cell: each ring split along the anti-diagonal into a shaded top-left
// half (a, c) and a lit bottom-right one (b, d), the inside (e) and the 4 x 4 dot without its corners (f). The
// last row and column stay as they were.
TEST_F(ButtonGlyphTest, RadioButtonRingsAndDotInEveryState) {
    const char* const parts[] = {
        "....aaaa.....", "..aaccccaa...", ".acceeeecdb..", ".aceeeeeedb..", "aceeeffeeedb.",
        "aceeffffeedb.", "aceeffffeedb.", "aceeeffeeedb.", ".aceeeeeedb..", ".addeeeeddb..",
        "..bbddddbb...", "....bbbb.....", ".............",
    };
    struct Case {
        UINT State;
        int Colours[6];  // a to f; -1: left as it was
    } cases[] = {
        {0, {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_WINDOW, COLOR_WINDOW}},
        {DFCS_CHECKED,
         {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_WINDOW, COLOR_WINDOWTEXT}},
        {DFCS_PUSHED,
         {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNFACE, COLOR_BTNFACE}},
        {DFCS_CHECKED | DFCS_INACTIVE,
         {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNFACE, COLOR_BTNSHADOW}},
        // Flat: one shadow ring; the inner ring takes the inside's colour.
        {DFCS_FLAT | DFCS_CHECKED,
         {COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOWTEXT}},
        {DFCS_MONO, {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW, COLOR_WINDOW}},
        {DFCS_TRANSPARENT, {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW, COLOR_3DLIGHT, -1, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "state 0x" << std::hex << c.State);
        ClassicCanvas canvas(13, 13);
        RECT rect{0, 0, 13, 13};
        ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONRADIO | c.State));
        for (int y = 0; y < 13; ++y) {
            for (int x = 0; x < 13; ++x) {
                char part = parts[y][x];
                int colour = part == '.' ? -1 : c.Colours[part - 'a'];
                uint32_t expected = colour < 0 ? Untouched : Sys(colour);
                ASSERT_EQ(canvas.Pixel(x, y), expected) << "part " << part << " at " << x << "," << y;
            }
        }
    }
}

// A check box's mark is seven columns three pixels high, lowest in the third; a three-state box that is checked
// shows it grey on the 50% checkerboard, or on the button face when pushed or inactive.
TEST_F(ButtonGlyphTest, CheckAndThreeStateBoxesInEveryState) {
    std::set<std::pair<int, int>> mark;
    const int tops[7] = {5, 6, 7, 6, 5, 4, 3};
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 3; ++row) mark.insert({3 + column, tops[column] + row});
    constexpr int Dither = -2;  // the checkerboard of BTNHIGHLIGHT and BTNFACE
    struct Case {
        UINT Kind, State;
        int Background;
        int Mark;  // -1: no mark
    } cases[] = {
        {DFCS_BUTTONCHECK, 0, COLOR_WINDOW, -1},
        {DFCS_BUTTONCHECK, DFCS_CHECKED, COLOR_WINDOW, COLOR_WINDOWTEXT},
        {DFCS_BUTTONCHECK, DFCS_CHECKED | DFCS_PUSHED, COLOR_BTNFACE, COLOR_WINDOWTEXT},
        {DFCS_BUTTONCHECK, DFCS_CHECKED | DFCS_INACTIVE, COLOR_BTNFACE, COLOR_BTNSHADOW},
        {DFCS_BUTTON3STATE, 0, COLOR_WINDOW, -1},
        {DFCS_BUTTON3STATE, DFCS_PUSHED, COLOR_BTNFACE, -1},
        {DFCS_BUTTON3STATE, DFCS_CHECKED, Dither, COLOR_BTNSHADOW},
        {DFCS_BUTTON3STATE, DFCS_CHECKED | DFCS_PUSHED, COLOR_BTNFACE, COLOR_BTNSHADOW},
        {DFCS_BUTTON3STATE, DFCS_CHECKED | DFCS_INACTIVE, COLOR_BTNFACE, COLOR_BTNSHADOW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.Kind << " state 0x" << std::hex << c.State);
        ClassicCanvas canvas(13, 13);
        RECT rect{0, 0, 13, 13};
        ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_BUTTON, c.Kind | c.State));
        ExpectEdge(canvas, COLOR_BTNSHADOW, COLOR_3DDKSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT);
        for (int y = 2; y < 11; ++y) {
            for (int x = 2; x < 11; ++x) {
                uint32_t pixel = canvas.Pixel(x, y);
                if (c.Mark >= 0 && mark.count({x, y})) {
                    ASSERT_EQ(pixel, Sys(c.Mark)) << "mark at " << x << "," << y;
                } else if (c.Background == Dither) {
                    ASSERT_TRUE(pixel == Sys(COLOR_BTNHIGHLIGHT) || pixel == Sys(COLOR_BTNFACE)) << x << "," << y;
                    if (x > 2 && !mark.count({x - 1, y})) {
                        ASSERT_NE(pixel, canvas.Pixel(x - 1, y)) << x << "," << y;
                    }
                } else {
                    ASSERT_EQ(pixel, Sys(c.Background)) << x << "," << y;
                }
            }
        }
    }
}

TEST(DrawFrameControlTest, MenuGlyphsAreBlackOnWhite) {
    for (UINT kind : {DFCS_MENUARROW, DFCS_MENUCHECK, DFCS_MENUBULLET, DFCS_MENUARROWRIGHT}) {
        ClassicCanvas canvas(16, 16);
        RECT rect{0, 0, 16, 16};
        ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &rect, DFC_MENU, kind));
        auto black = PixelsOf(canvas, Black, rect);
        auto white = PixelsOf(canvas, 0x00FFFFFFu, rect);
        EXPECT_GT(black.size(), 4u) << kind;
        EXPECT_EQ(black.size() + white.size(), 256u) << kind;
    }
}

// Every DrawEdge style on one sheet: rows are edges, columns are flag sets.
TEST(ClassicGoldenTest, EdgeSheet) {
    const UINT edges[] = {EDGE_RAISED,     EDGE_SUNKEN,     EDGE_ETCHED,     EDGE_BUMP,
                          BDR_RAISEDOUTER, BDR_SUNKENOUTER, BDR_RAISEDINNER, BDR_SUNKENINNER};
    const UINT flags[] = {BF_RECT,
                          BF_RECT | BF_SOFT,
                          BF_RECT | BF_FLAT,
                          BF_RECT | BF_MONO,
                          BF_RECT | BF_MIDDLE,
                          BF_TOPLEFT,
                          BF_BOTTOMRIGHT,
                          BF_DIAGONAL_ENDTOPRIGHT | BF_MIDDLE,
                          BF_DIAGONAL_ENDBOTTOMRIGHT,
                          BF_DIAGONAL_ENDTOPLEFT | BF_MIDDLE};
    const int cellW = 26, cellH = 20;
    ClassicCanvas canvas(cellW * 10, cellH * 8, 0x00008080u);
    for (int row = 0; row < 8; ++row) {
        for (int column = 0; column < 10; ++column) {
            RECT rect{column * cellW + 3, row * cellH + 3, column * cellW + cellW - 3, row * cellH + cellH - 3};
            ASSERT_TRUE(DrawEdge(canvas.Dc(), &rect, edges[row], flags[column]));
        }
    }
    EXPECT_TRUE(MatchesGolden(GoldenPath("classic-edges.png"), canvas.Width(), canvas.Height(), canvas.Bits()));
}

// Every DrawFrameControl kind in the normal, pushed, inactive, checked, flat and mono states, at two sizes.
TEST(ClassicGoldenTest, FrameControlSheet) {
    const std::pair<UINT, UINT> kinds[] = {
        {DFC_BUTTON, DFCS_BUTTONCHECK},
        {DFC_BUTTON, DFCS_BUTTONRADIO},
        {DFC_BUTTON, DFCS_BUTTON3STATE},
        {DFC_BUTTON, DFCS_BUTTONPUSH},
        {DFC_BUTTON, DFCS_BUTTONRADIOMASK},
        {DFC_CAPTION, DFCS_CAPTIONCLOSE},
        {DFC_CAPTION, DFCS_CAPTIONMIN},
        {DFC_CAPTION, DFCS_CAPTIONMAX},
        {DFC_CAPTION, DFCS_CAPTIONRESTORE},
        {DFC_CAPTION, DFCS_CAPTIONHELP},
        {DFC_SCROLL, DFCS_SCROLLUP},
        {DFC_SCROLL, DFCS_SCROLLDOWN},
        {DFC_SCROLL, DFCS_SCROLLLEFT},
        {DFC_SCROLL, DFCS_SCROLLRIGHT},
        {DFC_SCROLL, DFCS_SCROLLCOMBOBOX},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
        {DFC_SCROLL, DFCS_SCROLLSIZEGRIPRIGHT},
        {DFC_MENU, DFCS_MENUARROW},
        {DFC_MENU, DFCS_MENUCHECK},
        {DFC_MENU, DFCS_MENUBULLET},
        {DFC_MENU, DFCS_MENUARROWRIGHT},
    };
    const UINT states[] = {0,
                           DFCS_PUSHED,
                           DFCS_INACTIVE,
                           DFCS_CHECKED,
                           DFCS_CHECKED | DFCS_PUSHED,
                           DFCS_CHECKED | DFCS_INACTIVE,
                           DFCS_FLAT | DFCS_CHECKED,
                           DFCS_MONO | DFCS_CHECKED,
                           DFCS_HOT};
    const int small = 20, large = 36;
    const int columns = 9;
    const int rows = static_cast<int>(sizeof kinds / sizeof kinds[0]);
    ClassicCanvas canvas(columns * (small + large), rows * large, 0x00008080u);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            int x = column * (small + large), y = row * large;
            RECT little{x + 2, y + 2, x + 18, y + 16};
            RECT big{x + small + 2, y + 2, x + small + large - 2, y + large - 2};
            UINT state = kinds[row].second | states[column];
            ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &little, kinds[row].first, state));
            ASSERT_TRUE(DrawFrameControl(canvas.Dc(), &big, kinds[row].first, state));
        }
    }
    EXPECT_TRUE(
        MatchesGolden(GoldenPath("classic-frame-controls.png"), canvas.Width(), canvas.Height(), canvas.Bits()));
}

TEST(OemBitmapTest, CheckBoxesBitmap) {
    HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECKBOXES));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 52);
    EXPECT_EQ(info.bmHeight, 39);

    // Each 13 x 13 cell is the frame control on the button face: the checked check box is column 1 of row 0.
    ClassicCanvas canvas(52, 39);
    // Room for a colour table after the header, as GetDIBits callers usually leave.
    struct {
        BITMAPINFO Info;
        RGBQUAD More[255];
    } buffer{};
    BITMAPINFO& header = buffer.Info;
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = 52;
    header.bmiHeader.biHeight = -39;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(52 * 39);
    ASSERT_EQ(GetDIBits(canvas.Dc(), bitmap, 0, 39, pixels.data(), &header, DIB_RGB_COLORS), 39);
    ClassicCanvas cell(13, 13, 0x00C0C0C0u);
    RECT rect{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(cell.Dc(), &rect, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x) EXPECT_EQ(pixels[y * 52 + 13 + x] & 0xFFFFFF, cell.Pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(MatchesGolden(GoldenPath("classic-obm-checkboxes.png"), 52, 39, pixels.data()));
    EXPECT_TRUE(DeleteObject(bitmap));

    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(nullptr, MAKEINTRESOURCEA(32767)), nullptr);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(LoadBitmapA(nullptr, "CHECKBOXES"), nullptr);
}

}  // namespace

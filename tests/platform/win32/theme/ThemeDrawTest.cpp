// What the style draws against what it measures: part sizes, content rectangles and border sizes agree with the
// painted pixels; drawing keeps to the clip rectangle, the DC's clip region and its origin.
#include "ThemeFixture.h"

#include <algorithm>

namespace {

constexpr uint32_t Sentinel = 0xFF123456u;  // a colour no part uses, with a top byte GDI never writes

// The smallest rectangle holding every pixel that is no longer the sentinel.
RECT PaintedBox(const DibCanvas& canvas) {
    RECT box{canvas.Width(), canvas.Height(), 0, 0};
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.Pixel(x, y) == Sentinel) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box;
}

struct PartCase {
    const char16_t* className;
    int part;
    int state;
};

// Opaque parts with a painted border: the border colour runs along the rectangle's edge, from the edge up to the
// content rectangle (TMT_BORDERSIZE pixels of it), and the content starts with the fill colour.
TEST_F(ThemeTest, ContentRectangleLiesInsideThePaintedBorder) {
    const PartCase cases[] = {
        {u"Button", BP_PUSHBUTTON, PBS_NORMAL},
        {u"Button", BP_PUSHBUTTON, PBS_HOT},
        {u"Button", BP_PUSHBUTTON, PBS_DISABLED},
        {u"Edit", EP_EDITTEXT, ETS_NORMAL},
        {u"Edit", EP_EDITTEXT, ETS_FOCUSED},
        {u"Edit", EP_EDITTEXT, 0},
        {u"Tab", TABP_PANE, 1},
        {u"Progress", PP_BAR, 0},
        {u"Progress", PP_BARVERT, 0},
        {u"Tooltip", TTP_STANDARD, TTSS_NORMAL},
        {u"Spin", SPNP_UP, UPS_HOT},
        {u"Tab", TABP_TABITEM, TIS_SELECTED},
    };
    for (const PartCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "part " << c.part << " state " << c.state);
        HTHEME theme = Open(c.className);
        ASSERT_NE(theme, nullptr);
        DibCanvas canvas(80, 40, Sentinel);
        RECT rect{4, 4, 76, 36};
        ASSERT_EQ(DrawThemeBackground(theme, canvas.Dc(), c.part, c.state, &rect, nullptr), S_OK);
        RECT content{};
        ASSERT_EQ(GetThemeBackgroundContentRect(theme, nullptr, c.part, c.state, &rect, &content), S_OK);
        COLORREF border = 0, fill = 0;
        int borderSize = 0;
        ASSERT_EQ(GetThemeColor(theme, c.part, c.state, TMT_BORDERCOLOR, &border), S_OK);
        ASSERT_EQ(GetThemeColor(theme, c.part, c.state, TMT_FILLCOLOR, &fill), S_OK);
        ASSERT_EQ(GetThemeMetric(theme, nullptr, c.part, c.state, TMT_BORDERSIZE, &borderSize), S_OK);
        EXPECT_EQ(PaintedBox(canvas).left, rect.left);
        EXPECT_EQ(PaintedBox(canvas).bottom, rect.bottom);
        int midX = (rect.left + rect.right) / 2;
        int midY = (rect.top + rect.bottom) / 2;
        // Left edge.
        for (int x = rect.left; x < rect.left + borderSize; ++x) EXPECT_EQ(ColorAt(canvas, x, midY), border) << x;
        EXPECT_GE(content.left, rect.left + borderSize);
        EXPECT_EQ(ColorAt(canvas, content.left, midY), fill);
        // Top edge (a tab's accent bar sits between its border and its content).
        EXPECT_EQ(ColorAt(canvas, midX, rect.top), border);
        EXPECT_GE(content.top, rect.top + borderSize);
        EXPECT_NE(ColorAt(canvas, midX, content.top), border);
        EXPECT_EQ(ColorAt(canvas, content.right - 1, midY), fill);
        EXPECT_EQ(ColorAt(canvas, rect.right - 1, midY), border);
        EXPECT_LE(content.right, rect.right - borderSize);
        // The content rectangle and the background extent are inverses.
        RECT extent{};
        ASSERT_EQ(GetThemeBackgroundExtent(theme, nullptr, c.part, c.state, &content, &extent), S_OK);
        EXPECT_TRUE(EqualRect(&extent, &rect));
    }
}

// Fixed-size parts are drawn at their true size, centred; stretching parts fill what they are given.
TEST_F(ThemeTest, PartSizeIsTheSizeDrawn) {
    const PartCase cases[] = {
        {u"Button", BP_CHECKBOX, CBS_CHECKEDNORMAL}, {u"Button", BP_CHECKBOX, CBS_UNCHECKEDNORMAL},
        {u"Button", BP_RADIOBUTTON, RBS_CHECKEDHOT}, {u"Spin", SPNP_DOWN, DNS_PRESSED},
        {u"Button", BP_PUSHBUTTON, PBS_NORMAL},      {u"ComboBox", CP_DROPDOWNBUTTON, CBXS_NORMAL},
        {u"ScrollBar", SBP_ARROWBTN, ABS_UPNORMAL},  {u"Window", WP_CLOSEBUTTON, CBS_HOT},
    };
    for (const PartCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "part " << c.part << " state " << c.state);
        HTHEME theme = Open(c.className);
        ASSERT_NE(theme, nullptr);
        SIZE trueSize{}, drawSize{}, minSize{};
        RECT rect{3, 5, 43, 35};
        ASSERT_EQ(GetThemePartSize(theme, nullptr, c.part, c.state, nullptr, TS_TRUE, &trueSize), S_OK);
        ASSERT_EQ(GetThemePartSize(theme, nullptr, c.part, c.state, &rect, TS_DRAW, &drawSize), S_OK);
        ASSERT_EQ(GetThemePartSize(theme, nullptr, c.part, c.state, nullptr, TS_MIN, &minSize), S_OK);
        EXPECT_LE(minSize.cx, trueSize.cx);
        EXPECT_LE(minSize.cy, trueSize.cy);
        BOOL transparent = FALSE;
        ASSERT_EQ(GetThemeBool(theme, c.part, c.state, TMT_TRANSPARENT, &transparent), S_OK);
        EXPECT_EQ(transparent, IsThemeBackgroundPartiallyTransparent(theme, c.part, c.state));

        DibCanvas canvas(46, 40, Sentinel);
        ASSERT_EQ(DrawThemeBackground(theme, canvas.Dc(), c.part, c.state, &rect, nullptr), S_OK);
        RECT expected{rect.left + (40 - drawSize.cx) / 2, rect.top + (30 - drawSize.cy) / 2, 0, 0};
        expected.right = expected.left + drawSize.cx;
        expected.bottom = expected.top + drawSize.cy;
        // Anti-aliased corners may leave a box's outermost corner pixels untouched, never a whole side.
        RECT painted = PaintedBox(canvas);
        EXPECT_TRUE(EqualRect(&painted, &expected))
            << painted.left << "," << painted.top << "," << painted.right << "," << painted.bottom;
        if (!transparent) {
            for (int y = expected.top; y < expected.bottom; ++y) {
                for (int x = expected.left; x < expected.right; ++x) {
                    ASSERT_NE(canvas.Pixel(x, y), Sentinel) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(ThemeTest, DrawingKeepsToTheClipRectangleRegionAndOrigin) {
    HTHEME theme = Open(u"Button");
    RECT rect{0, 0, 75, 25};
    DibCanvas whole(75, 25, Sentinel);
    ASSERT_EQ(DrawThemeBackground(theme, whole.Dc(), BP_PUSHBUTTON, PBS_DEFAULTED, &rect, nullptr), S_OK);

    struct Case {
        const char* what;
        RECT clip;        // the pClipRect argument, or empty for none
        RECT clipRegion;  // selected into the DC first, or empty for none
        POINT viewport;   // the DC's viewport origin
        RECT expected;    // where pixels change, in device coordinates
    } cases[] = {
        {"clip rectangle", {10, 3, 40, 20}, {}, {0, 0}, {10, 3, 40, 20}},
        {"clip region", {}, {30, 0, 75, 12}, {0, 0}, {30, 0, 75, 12}},
        {"both", {0, 0, 50, 25}, {30, 5, 75, 25}, {0, 0}, {30, 5, 50, 25}},
        {"origin", {}, {}, {5, 2}, {5, 2, 75, 25}},
        {"clip rectangle in logical coordinates", {0, 0, 20, 10}, {}, {5, 2}, {5, 2, 25, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DibCanvas canvas(75, 25, Sentinel);
        if (!IsRectEmpty(&c.clipRegion)) {
            HRGN region = CreateRectRgnIndirect(&c.clipRegion);
            SelectClipRgn(canvas.Dc(), region);
            DeleteObject(region);
        }
        SetViewportOrgEx(canvas.Dc(), c.viewport.x, c.viewport.y, nullptr);
        const RECT* clip = IsRectEmpty(&c.clip) ? nullptr : &c.clip;
        ASSERT_EQ(DrawThemeBackground(theme, canvas.Dc(), BP_PUSHBUTTON, PBS_DEFAULTED, &rect, clip), S_OK);
        for (int y = 0; y < 25; ++y) {
            for (int x = 0; x < 75; ++x) {
                bool inside =
                    x >= c.expected.left && x < c.expected.right && y >= c.expected.top && y < c.expected.bottom;
                int sx = x - c.viewport.x;
                int sy = y - c.viewport.y;
                if (!inside) {
                    ASSERT_EQ(canvas.Pixel(x, y), Sentinel) << x << "," << y;
                } else {
                    ASSERT_EQ(canvas.Pixel(x, y), whole.Pixel(sx, sy)) << x << "," << y;
                }
            }
        }
    }
}

TEST_F(ThemeTest, RegionAndHitTestFollowTheRoundedCorners) {
    HTHEME window = Open(u"Window");
    RECT caption{0, 0, 200, 30};
    HRGN region = nullptr;
    ASSERT_EQ(GetThemeBackgroundRegion(window, nullptr, WP_CAPTION, CS_ACTIVE, &caption, &region), S_OK);
    EXPECT_FALSE(PtInRegion(region, 0, 0)) << "the top corners are cut";
    EXPECT_FALSE(PtInRegion(region, 199, 0));
    EXPECT_TRUE(PtInRegion(region, 100, 0));
    EXPECT_TRUE(PtInRegion(region, 0, 29)) << "the bottom corners are square";
    EXPECT_TRUE(PtInRegion(region, 199, 29));
    RECT box{};
    EXPECT_EQ(GetRgnBox(region, &box), COMPLEXREGION);
    EXPECT_TRUE(EqualRect(&box, &caption));
    // The region holds exactly the pixels drawn at least half covered.
    DibCanvas canvas(200, 30, Sentinel);
    ASSERT_EQ(DrawThemeBackground(window, canvas.Dc(), WP_CAPTION, CS_ACTIVE, &caption, nullptr), S_OK);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (PtInRegion(region, x, y)) {
                EXPECT_NE(canvas.Pixel(x, y), Sentinel) << x << "," << y;
            }
        }
    }
    DeleteObject(region);

    HTHEME frame = Open(u"Window");
    RECT frameRect{0, 0, 100, 100};
    WORD hit = 0;
    struct HitCase {
        POINT point;
        DWORD options;
        WORD expected;
    } hits[] = {
        {{50, 50}, HTTB_BACKGROUNDSEG, HTCLIENT},
        {{150, 50}, HTTB_BACKGROUNDSEG, HTNOWHERE},
        {{1, 1}, HTTB_RESIZINGBORDER, HTTOPLEFT},
        {{50, 1}, HTTB_RESIZINGBORDER, HTTOP},
        {{50, 1}, HTTB_RESIZINGBORDER | HTTB_CAPTION, HTCAPTION},
        {{98, 50}, HTTB_RESIZINGBORDER, HTRIGHT},
        {{98, 50}, HTTB_RESIZINGBORDER_LEFT, HTCLIENT},
        {{1, 50}, HTTB_FIXEDBORDER, HTBORDER},
    };
    for (const HitCase& c : hits) {
        ASSERT_EQ(HitTestThemeBackground(frame, nullptr, WP_CAPTION, CS_ACTIVE, c.options, &frameRect, nullptr, c.point,
                                         &hit),
                  S_OK);
        EXPECT_EQ(hit, c.expected) << c.point.x << "," << c.point.y << " options " << c.options;
    }
}

TEST_F(ThemeTest, TextTakesTheCallersColourUnlessGrayed) {
    HTHEME button = Open(u"Button");
    DibCanvas canvas(60, 20, 0x00FFFFFFu);
    RECT rect{0, 0, 60, 20};
    SetTextColor(canvas.Dc(), RGB(255, 0, 0));
    SetBkColor(canvas.Dc(), RGB(0, 255, 0));
    ASSERT_EQ(DrawThemeText(button, canvas.Dc(), BP_GROUPBOX, GBS_NORMAL, u"Group", -1,
                            DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &rect),
              S_OK);
    bool red = false, green = false;
    for (uint32_t p : canvas.Snapshot()) {
        red |= p == 0x00FF0000u;
        green |= p == 0x0000FF00u;
    }
    EXPECT_TRUE(red) << "the caller's text colour";
    EXPECT_FALSE(green) << "no background box behind the text";
    EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE) << "the DC's mode is put back";
    RECT extent{};
    ASSERT_EQ(
        GetThemeTextExtent(button, canvas.Dc(), BP_GROUPBOX, GBS_NORMAL, u"Group", -1, DT_SINGLELINE, nullptr, &extent),
        S_OK);
    EXPECT_GT(extent.right, 10);
}

// A monochrome bitmap gets the part with its colours reduced to two: the white field stays white, the grey
// border turns black, and nothing outside the part changes.
TEST_F(ThemeTest, MonochromeSurfacesGetTheReducedPicture) {
    HTHEME edit = Open(u"Edit");
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateBitmap(40, 20, 1, 1, nullptr);
    HGDIOBJ previous = SelectObject(dc, mono);
    RECT all{0, 0, 40, 20};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT rect{5, 5, 35, 15};
    ASSERT_EQ(DrawThemeBackground(edit, dc, EP_EDITTEXT, ETS_NORMAL, &rect, nullptr), S_OK);
    EXPECT_EQ(GetPixel(dc, 20, 10), RGB(255, 255, 255)) << "the field";
    EXPECT_EQ(GetPixel(dc, 5, 10), RGB(0, 0, 0)) << "the border";
    EXPECT_EQ(GetPixel(dc, 4, 10), RGB(0, 0, 0)) << "outside";
    RECT clip{5, 5, 20, 15};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ASSERT_EQ(DrawThemeBackground(edit, dc, EP_EDITTEXT, ETS_NORMAL, &rect, &clip), S_OK);
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 25, 10), RGB(0, 0, 0)) << "outside the clip rectangle";
    SelectObject(dc, previous);
    DeleteObject(mono);
    DeleteDC(dc);
}

}  // namespace

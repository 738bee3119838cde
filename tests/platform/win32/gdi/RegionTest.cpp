// Regions through the public API: the algebra checked by properties over random rectangle sets, the Windows
// facts about creation and RGNDATA, and the pixel rules of polygons, ellipses and rounded rectangles.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Random rectangles fall in this square, with a margin around it for membership checks.
constexpr int kGrid = 24;
constexpr int kMargin = 3;

std::vector<RECT> RectsOf(HRGN rgn) {
    DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    EXPECT_EQ(GetRegionData(rgn, size, data), size);
    const RECT* first = reinterpret_cast<const RECT*>(buffer.data() + data->rdh.dwSize);
    return std::vector<RECT>(first, first + data->rdh.nCount);
}

long long Area(HRGN rgn) {
    long long area = 0;
    for (const RECT& r : RectsOf(rgn)) area += static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
    return area;
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

HRGN RectRgn(const RECT& r) { return CreateRectRgn(r.left, r.top, r.right, r.bottom); }

// The union of the rectangles, built one CombineRgn at a time.
HRGN UnionOf(const std::vector<RECT>& rects) {
    HRGN result = CreateRectRgn(0, 0, 0, 0);
    for (const RECT& r : rects) {
        HRGN part = RectRgn(r);
        CombineRgn(result, result, part, RGN_OR);
        DeleteObject(part);
    }
    return result;
}

// Membership straight from the rectangles, swapped corners included, as CreateRectRgn reads them.
bool InAny(const std::vector<RECT>& rects, int x, int y) {
    for (const RECT& r : rects) {
        if (x >= std::min(r.left, r.right) && x < std::max(r.left, r.right) && y >= std::min(r.top, r.bottom) &&
            y < std::max(r.top, r.bottom))
            return true;
    }
    return false;
}

std::vector<RECT> RandomRects(std::mt19937& random) {
    std::uniform_int_distribution<int> count(0, 6);
    std::uniform_int_distribution<int> coordinate(0, kGrid);
    std::vector<RECT> rects(static_cast<size_t>(count(random)));
    for (RECT& r : rects) r = RECT{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
    return rects;
}

// The banded form: non-empty rectangles sorted into bands; a band's rectangles share top and bottom and neither
// overlap nor touch; bands do not overlap; touching bands differ (else they would have been joined).
::testing::AssertionResult Banded(const std::vector<RECT>& rects) {
    std::vector<std::pair<size_t, size_t>> bands;  // [first, last) of each run of equal tops
    for (size_t i = 0; i < rects.size(); ++i) {
        const RECT& r = rects[i];
        if (r.left >= r.right || r.top >= r.bottom) return ::testing::AssertionFailure() << "empty rect " << i;
        if (bands.empty() || rects[bands.back().first].top != r.top) {
            bands.push_back({i, i + 1});
            continue;
        }
        if (r.bottom != rects[i - 1].bottom) return ::testing::AssertionFailure() << "ragged band at " << i;
        if (r.left <= rects[i - 1].right) return ::testing::AssertionFailure() << "overlap or touch at " << i;
        bands.back().second = i + 1;
    }
    auto sameSpans = [&](std::pair<size_t, size_t> a, std::pair<size_t, size_t> b) {
        if (a.second - a.first != b.second - b.first) return false;
        for (size_t k = 0; k < a.second - a.first; ++k) {
            const RECT& x = rects[a.first + k];
            const RECT& y = rects[b.first + k];
            if (x.left != y.left || x.right != y.right) return false;
        }
        return true;
    };
    for (size_t b = 1; b < bands.size(); ++b) {
        const RECT& above = rects[bands[b - 1].first];
        const RECT& below = rects[bands[b].first];
        if (below.top < above.bottom) return ::testing::AssertionFailure() << "bands overlap at " << bands[b].first;
        if (below.top == above.bottom && sameSpans(bands[b - 1], bands[b]))
            return ::testing::AssertionFailure() << "touching equal bands at " << bands[b].first;
    }
    return ::testing::AssertionSuccess();
}

bool Apply(int mode, bool a, bool b) {
    switch (mode) {
    case RGN_AND: return a && b;
    case RGN_OR: return a || b;
    case RGN_XOR: return a != b;
    case RGN_DIFF: return a && !b;
    default: return a;
    }
}

int ExpectedComplexity(size_t count) { return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION; }

TEST(RegionAlgebra, EveryPixelFollowsTheBooleanOperationAndResultsStayBanded) {
    std::mt19937 random(20240611);
    const int modes[] = {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY};
    for (int round = 0; round < 300; ++round) {
        std::vector<RECT> rectsA = RandomRects(random);
        std::vector<RECT> rectsB = RandomRects(random);
        HRGN a = UnionOf(rectsA);
        // Every fourth round B is one rectangle holding all of A (or, swapped, A one holding B).
        if (round % 4 == 0) {
            RECT box{};
            GetRgnBox(a, &box);
            rectsB = {RECT{box.left - round % 3, box.top, box.right, box.bottom + round % 2}};
            if (round % 8 == 0) std::swap(rectsA, rectsB);
            DeleteObject(a);
            a = UnionOf(rectsA);
        }
        HRGN b = UnionOf(rectsB);
        HRGN result = CreateRectRgn(0, 0, 0, 0);
        for (int mode : modes) {
            SCOPED_TRACE(::testing::Message() << "round " << round << " mode " << mode);
            int complexity = CombineRgn(result, a, b, mode);
            std::vector<RECT> rects = RectsOf(result);
            ASSERT_TRUE(Banded(rects));
            EXPECT_EQ(complexity, ExpectedComplexity(rects.size()));
            RECT box{};
            EXPECT_EQ(GetRgnBox(result, &box), complexity);
            RECT expectedBox{0, 0, 0, 0};
            bool any = false;
            for (int y = -kMargin; y < kGrid + kMargin; ++y) {
                for (int x = -kMargin; x < kGrid + kMargin; ++x) {
                    bool expected = Apply(mode, InAny(rectsA, x, y), InAny(rectsB, x, y));
                    ASSERT_EQ(PtInRegion(result, x, y) != FALSE, expected) << "pixel " << x << "," << y;
                    if (!expected) continue;
                    if (!any) expectedBox = RECT{x, y, x + 1, y + 1};
                    expectedBox =
                        RECT{std::min<LONG>(expectedBox.left, x), std::min<LONG>(expectedBox.top, y),
                             std::max<LONG>(expectedBox.right, x + 1), std::max<LONG>(expectedBox.bottom, y + 1)};
                    any = true;
                }
            }
            EXPECT_TRUE(SameRect(box, expectedBox));
        }
        DeleteObject(result);
        DeleteObject(a);
        DeleteObject(b);
    }
}

TEST(RegionAlgebra, AreasAddUpAndXorIsBothDifferences) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        HRGN a = UnionOf(RandomRects(random));
        HRGN b = UnionOf(RandomRects(random));
        HRGN both = CreateRectRgn(0, 0, 0, 0);
        HRGN either = CreateRectRgn(0, 0, 0, 0);
        HRGN aOnly = CreateRectRgn(0, 0, 0, 0);
        HRGN bOnly = CreateRectRgn(0, 0, 0, 0);
        HRGN exclusive = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(both, a, b, RGN_AND);
        CombineRgn(either, a, b, RGN_OR);
        CombineRgn(aOnly, a, b, RGN_DIFF);
        CombineRgn(bOnly, b, a, RGN_DIFF);
        CombineRgn(exclusive, a, b, RGN_XOR);
        EXPECT_EQ(Area(either), Area(a) + Area(b) - Area(both));
        EXPECT_EQ(Area(aOnly), Area(a) - Area(both));
        HRGN differences = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(differences, aOnly, bOnly, RGN_OR);
        EXPECT_TRUE(EqualRgn(differences, exclusive)) << "round " << round;
        // The same set built the other way round has the same list.
        HRGN rebuilt = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(rebuilt, exclusive, both, RGN_OR);
        EXPECT_TRUE(EqualRgn(rebuilt, either)) << "round " << round;
        for (HRGN h : {a, b, both, either, aOnly, bOnly, exclusive, differences, rebuilt}) DeleteObject(h);
    }
}

TEST(RegionAlgebra, RectInRegionMeetsAnyPixel) {
    std::mt19937 random(99);
    std::uniform_int_distribution<int> coordinate(-2, kGrid + 2);
    for (int round = 0; round < 200; ++round) {
        std::vector<RECT> rects = RandomRects(random);
        HRGN rgn = UnionOf(rects);
        RECT probe{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        bool expected = false;
        for (LONG y = std::min(probe.top, probe.bottom); y < std::max(probe.top, probe.bottom); ++y)
            for (LONG x = std::min(probe.left, probe.right); x < std::max(probe.left, probe.right); ++x)
                expected = expected || InAny(rects, x, y);
        EXPECT_EQ(RectInRegion(rgn, &probe) != FALSE, expected) << "round " << round;
        DeleteObject(rgn);
    }
}

TEST(RegionFacts, RectanglesAreNormalisedAndEmptyOnesGiveNullRegion) {
    struct Case {
        RECT input;
        int complexity;
        RECT box;
    } cases[] = {
        {{10, 10, 0, 0}, SIMPLEREGION, {0, 0, 10, 10}}, {{0, 10, 10, 0}, SIMPLEREGION, {0, 0, 10, 10}},
        {{-5, -5, 5, 5}, SIMPLEREGION, {-5, -5, 5, 5}}, {{5, 5, 5, 10}, NULLREGION, {0, 0, 0, 0}},
        {{5, 5, 10, 5}, NULLREGION, {0, 0, 0, 0}},      {{0, 0, 0, 0}, NULLREGION, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        for (int way = 0; way < 3; ++way) {
            HRGN rgn = way == 0   ? CreateRectRgn(c.input.left, c.input.top, c.input.right, c.input.bottom)
                       : way == 1 ? CreateRectRgnIndirect(&c.input)
                                  : CreateRectRgn(1, 2, 3, 4);
            if (way == 2) {
                ASSERT_TRUE(SetRectRgn(rgn, c.input.left, c.input.top, c.input.right, c.input.bottom));
            }
            RECT box{-1, -1, -1, -1};
            EXPECT_EQ(GetRgnBox(rgn, &box), c.complexity) << way;
            EXPECT_TRUE(SameRect(box, c.box)) << way;
            DeleteObject(rgn);
        }
    }
    HRGN emptyA = CreateRectRgn(5, 5, 5, 9);
    HRGN emptyB = CreateRectRgn(100, 0, 200, 0);
    EXPECT_TRUE(EqualRgn(emptyA, emptyB)) << "all empty regions are equal";
    DeleteObject(emptyA);
    DeleteObject(emptyB);
}

TEST(RegionFacts, CombineAnswersComplexityAndRefusesBadArguments) {
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN far = CreateRectRgn(50, 50, 60, 60);
    HRGN dst = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(dst, a, b, RGN_AND), SIMPLEREGION);
    EXPECT_EQ(CombineRgn(dst, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_EQ(CombineRgn(dst, a, far, RGN_AND), NULLREGION);
    EXPECT_EQ(CombineRgn(dst, a, a, RGN_XOR), NULLREGION);
    EXPECT_EQ(CombineRgn(dst, a, nullptr, RGN_COPY), SIMPLEREGION) << "RGN_COPY ignores the second region";
    EXPECT_TRUE(EqualRgn(dst, a));
    // The destination may be one of the sources.
    EXPECT_EQ(CombineRgn(a, a, b, RGN_DIFF), COMPLEXREGION);
    EXPECT_FALSE(PtInRegion(a, 7, 7));
    EXPECT_TRUE(PtInRegion(a, 2, 7));

    SetLastError(0);
    EXPECT_EQ(CombineRgn(dst, a, b, 0), ERROR);
    EXPECT_EQ(CombineRgn(dst, a, b, RGN_COPY + 1), ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(CombineRgn(dst, a, nullptr, RGN_OR), ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CombineRgn(dst, reinterpret_cast<HRGN>(dc), b, RGN_OR), ERROR) << "a DC is not a region";
    DeleteDC(dc);

    EXPECT_EQ(OffsetRgn(b, -5, 10), SIMPLEREGION);
    RECT box{};
    GetRgnBox(b, &box);
    RECT moved{0, 15, 10, 25};
    EXPECT_TRUE(SameRect(box, moved));
    EXPECT_EQ(OffsetRgn(nullptr, 1, 1), ERROR);
    for (HRGN h : {a, b, far, dst}) DeleteObject(h);
}

TEST(RegionFacts, RegionDataSizesAndTheBufferTooSmallRule) {
    HRGN rgn = CreateRectRgn(0, 0, 10, 10);
    HRGN hole = CreateRectRgn(3, 3, 6, 6);
    CombineRgn(rgn, rgn, hole, RGN_DIFF);  // a frame: top, two sides, bottom
    const DWORD needed = sizeof(RGNDATAHEADER) + 4 * sizeof(RECT);
    EXPECT_EQ(GetRegionData(rgn, 0, nullptr), needed);
    EXPECT_EQ(GetRegionData(rgn, 1000, nullptr), needed);

    std::vector<char> buffer(needed + 16, '\x55');
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    SetLastError(0);
    EXPECT_EQ(GetRegionData(rgn, needed - 1, data), 0u) << "a buffer one byte short fails";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetRegionData(rgn, needed + 16, data), needed);
    EXPECT_EQ(data->rdh.dwSize, sizeof(RGNDATAHEADER));
    EXPECT_EQ(data->rdh.iType, static_cast<DWORD>(RDH_RECTANGLES));
    EXPECT_EQ(data->rdh.nCount, 4u);
    EXPECT_EQ(data->rdh.nRgnSize, 4 * sizeof(RECT));
    RECT bound{0, 0, 10, 10};
    EXPECT_TRUE(SameRect(data->rdh.rcBound, bound));
    const RECT* rects = reinterpret_cast<const RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
    const RECT expected[] = {{0, 0, 10, 3}, {0, 3, 3, 6}, {6, 3, 10, 6}, {0, 6, 10, 10}};
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(SameRect(rects[i], expected[i])) << i;

    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetRegionData(empty, 0, nullptr), sizeof(RGNDATAHEADER));
    SetLastError(0);
    EXPECT_EQ(GetRegionData(nullptr, 0, nullptr), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    for (HRGN h : {rgn, hole, empty}) DeleteObject(h);
}

TEST(RegionFacts, ExtCreateRegionRebuildsAndTakesRectanglesInAnyOrder) {
    HRGN original = CreateEllipticRgn(0, 0, 17, 13);
    DWORD size = GetRegionData(original, 0, nullptr);
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    ASSERT_EQ(GetRegionData(original, size, data), size);
    HRGN copy = ExtCreateRegion(nullptr, size, data);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(EqualRgn(copy, original));
    XFORM identity{1, 0, 0, 1, 0, 0};
    HRGN same = ExtCreateRegion(&identity, size, data);
    ASSERT_NE(same, nullptr);
    EXPECT_TRUE(EqualRgn(same, original));

    SetLastError(0);
    XFORM scale{2, 0, 0, 2, 0, 0};
    EXPECT_EQ(ExtCreateRegion(&scale, size, data), nullptr) << "transforms other than identity are refused";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ExtCreateRegion(nullptr, size - 1, data), nullptr) << "the count must cover every rectangle";
    EXPECT_EQ(ExtCreateRegion(nullptr, size, nullptr), nullptr);
    data->rdh.iType = 2;
    EXPECT_EQ(ExtCreateRegion(nullptr, size, data), nullptr);

    // Overlapping, unsorted rectangles; an inverted one adds nothing.
    struct {
        RGNDATAHEADER rdh;
        RECT rects[4];
    } raw{};
    raw.rdh.dwSize = sizeof(RGNDATAHEADER);
    raw.rdh.iType = RDH_RECTANGLES;
    raw.rdh.nCount = 4;
    raw.rects[0] = {5, 5, 15, 15};
    raw.rects[1] = {0, 0, 10, 10};
    raw.rects[2] = {30, 30, 20, 20};
    raw.rects[3] = {2, 2, 4, 4};
    HRGN built = ExtCreateRegion(nullptr, sizeof raw, reinterpret_cast<RGNDATA*>(&raw));
    ASSERT_NE(built, nullptr);
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(expected, a, b, RGN_OR);
    EXPECT_TRUE(EqualRgn(built, expected));
    EXPECT_TRUE(Banded(RectsOf(built)));
    for (HRGN h : {original, copy, same, built, a, b, expected}) DeleteObject(h);
}

// Rows of a region as strings, '#' for member pixels, over [0, width) x [0, height).
std::vector<std::string> Picture(HRGN rgn, int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) row += PtInRegion(rgn, x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(PolygonRegion, RectangleTraceGivesThatRectangle) {
    const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    for (int mode : {ALTERNATE, WINDING}) {
        HRGN poly = CreatePolygonRgn(square, 4, mode);
        HRGN rect = CreateRectRgn(0, 0, 10, 10);
        EXPECT_TRUE(EqualRgn(poly, rect)) << mode;
        DeleteObject(poly);
        DeleteObject(rect);
    }
}

TEST(PolygonRegion, PixelsWhosePointIsInsideOrOnALeftOrTopEdge) {
    struct Case {
        std::vector<POINT> points;
        std::vector<std::string> picture;
    } cases[] = {
        {{{0, 0}, {8, 0}, {0, 8}},
         {"########..", "#######...", "######....", "#####.....", "####......", "###.......", "##........",
          "#.........", "..........", ".........."}},
        // Edges of slope 2: the crossing on odd rows lies half way between two points.
        {{{0, 0}, {4, 0}, {8, 8}, {4, 8}},
         {"####......", ".####.....", ".####.....", "..####....", "..####....", "...####...", "...####...",
          "....####..", "..........", ".........."}},
    };
    for (const Case& c : cases) {
        HRGN rgn = CreatePolygonRgn(c.points.data(), static_cast<int>(c.points.size()), ALTERNATE);
        EXPECT_EQ(Picture(rgn, 10, 10), c.picture);
        DeleteObject(rgn);
    }
}

TEST(PolygonRegion, StarCentreIsLeftOutByAlternateAndFilledByWinding) {
    // A five-pointed star drawn in one stroke: its centre is wound twice.
    const POINT star[] = {{20, 0}, {32, 38}, {0, 14}, {40, 14}, {8, 38}};
    HRGN alternate = CreatePolygonRgn(star, 5, ALTERNATE);
    HRGN winding = CreatePolygonRgn(star, 5, WINDING);
    ASSERT_NE(alternate, nullptr);
    ASSERT_NE(winding, nullptr);
    EXPECT_FALSE(PtInRegion(alternate, 20, 20));
    EXPECT_TRUE(PtInRegion(winding, 20, 20));
    // The arms belong to both.
    for (POINT arm : {POINT{20, 5}, POINT{5, 15}, POINT{35, 15}, POINT{10, 35}, POINT{30, 35}}) {
        EXPECT_TRUE(PtInRegion(alternate, arm.x, arm.y)) << arm.x << "," << arm.y;
        EXPECT_TRUE(PtInRegion(winding, arm.x, arm.y)) << arm.x << "," << arm.y;
    }
    // WINDING adds exactly the inner pentagon: ALTERNATE lies inside it and the two differ in one convex piece.
    HRGN extra = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(extra, alternate, winding, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(extra, winding, alternate, RGN_DIFF), COMPLEXREGION);
    for (const RECT& r : RectsOf(extra)) {
        EXPECT_GE(r.top, 14);
        EXPECT_LT(r.bottom, 32);
    }
    for (HRGN h : {alternate, winding, extra}) DeleteObject(h);
}

TEST(PolygonRegion, OverlappingPolygonsFollowTheFillMode) {
    const POINT points[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {15, 5}, {15, 15}, {5, 15}};
    const INT counts[] = {4, 4};
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    HRGN alternate = CreatePolyPolygonRgn(points, counts, 2, ALTERNATE);
    CombineRgn(expected, a, b, RGN_XOR);
    EXPECT_TRUE(EqualRgn(alternate, expected));
    HRGN winding = CreatePolyPolygonRgn(points, counts, 2, WINDING);
    CombineRgn(expected, a, b, RGN_OR);
    EXPECT_TRUE(EqualRgn(winding, expected));
    // Two squares sharing an edge make one rectangle in either mode.
    const POINT side[] = {{0, 0}, {5, 0}, {5, 5}, {0, 5}, {5, 0}, {10, 0}, {10, 5}, {5, 5}};
    HRGN joined = CreatePolyPolygonRgn(side, counts, 2, ALTERNATE);
    SetRectRgn(expected, 0, 0, 10, 5);
    EXPECT_TRUE(EqualRgn(joined, expected));
    for (HRGN h : {a, b, expected, alternate, winding, joined}) DeleteObject(h);
}

TEST(PolygonRegion, BadArgumentsAreRefused) {
    const POINT points[] = {{0, 0}, {10, 0}, {10, 10}};
    const INT badCounts[] = {3, 1};
    struct Case {
        const POINT* points;
        int count;
        int mode;
    } cases[] = {{points, 1, ALTERNATE}, {points, 0, WINDING}, {points, 3, 0}, {points, 3, 3}, {nullptr, 3, ALTERNATE}};
    for (const Case& c : cases) {
        SetLastError(0);
        EXPECT_EQ(CreatePolygonRgn(c.points, c.count, c.mode), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    EXPECT_EQ(CreatePolyPolygonRgn(points, badCounts, 2, ALTERNATE), nullptr);
    EXPECT_EQ(CreatePolyPolygonRgn(points, badCounts, 0, ALTERNATE), nullptr);
    // A degenerate polygon is valid and empty.
    const POINT line[] = {{0, 0}, {10, 10}};
    HRGN flat = CreatePolygonRgn(line, 2, ALTERNATE);
    ASSERT_NE(flat, nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(flat, &box), NULLREGION);
    DeleteObject(flat);
}

TEST(EllipticRegion, LiesInsideItsBoxShortOfRightAndBottomAndIsSymmetric) {
    const SIZE sizes[] = {{3, 3}, {4, 4}, {5, 9}, {11, 11}, {12, 7}, {30, 20}, {41, 40}};
    for (SIZE s : sizes) {
        SCOPED_TRACE(::testing::Message() << s.cx << "x" << s.cy);
        HRGN rgn = CreateEllipticRgn(0, 0, s.cx, s.cy);
        RECT box{};
        ASSERT_NE(GetRgnBox(rgn, &box), ERROR);
        // The shape fills the pixel box [0, w - 1) x [0, h - 1): it touches all four of its sides.
        RECT expectedBox{0, 0, s.cx - 1, s.cy - 1};
        EXPECT_TRUE(SameRect(box, expectedBox)) << box.left << "," << box.top << "," << box.right << "," << box.bottom;
        std::vector<std::string> rows = Picture(rgn, s.cx, s.cy);
        int previousWidth = 0;
        for (int y = 0; y < s.cy - 1; ++y) {
            const std::string& row = rows[static_cast<size_t>(y)];
            std::string mirrored(row.rbegin() + 1, row.rend());  // column w - 1 is always empty
            EXPECT_EQ(row.substr(0, static_cast<size_t>(s.cx - 1)), mirrored) << "row " << y;
            EXPECT_EQ(row, rows[static_cast<size_t>(s.cy - 2 - y)]) << "row " << y << " against its mirror";
            // Convex: one run per row, widening down to the middle.
            size_t first = row.find('#');
            size_t last = row.rfind('#');
            int width = first == std::string::npos ? 0 : static_cast<int>(last - first + 1);
            if (width) {
                EXPECT_EQ(row.find('.', first), last + 1) << "row " << y;
            }
            if (y < (s.cy - 1) / 2) {
                EXPECT_GE(width, previousWidth) << "row " << y;
            }
            previousWidth = width;
        }
        EXPECT_EQ(rows.back(), std::string(static_cast<size_t>(s.cx), '.'));

        HRGN swapped = CreateEllipticRgn(s.cx, s.cy, 0, 0);
        EXPECT_TRUE(EqualRgn(swapped, rgn));
        RECT indirect{0, 0, s.cx, s.cy};
        HRGN viaRect = CreateEllipticRgnIndirect(&indirect);
        EXPECT_TRUE(EqualRgn(viaRect, rgn));
        for (HRGN h : {rgn, swapped, viaRect}) DeleteObject(h);
    }
}

TEST(EllipticRegion, SmallCircleShape) {
    HRGN rgn = CreateEllipticRgn(0, 0, 11, 11);
    const std::vector<std::string> expected = {
        "...####...", ".########.", ".########.", "##########", "##########",
        "##########", "##########", ".########.", ".########.", "...####...",
    };
    EXPECT_EQ(Picture(rgn, 10, 10), expected);
    DeleteObject(rgn);
}

TEST(EllipticRegion, ThinBoxesRules) {
    struct Case {
        RECT input;
        RECT box;  // all zero: empty
    } cases[] = {
        {{0, 0, 1, 10}, {0, 0, 0, 0}},  // one unit wide: nothing left once the right column goes
        {{0, 0, 10, 1}, {0, 0, 0, 0}}, {{0, 0, 2, 10}, {0, 0, 1, 9}},  // one pixel wide: a plain column
        {{0, 0, 10, 2}, {0, 0, 9, 1}},                                 // one pixel high: a plain row
        {{4, 4, 4, 4}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        HRGN rgn = CreateEllipticRgnIndirect(&c.input);
        HRGN round = CreateRoundRectRgn(c.input.left, c.input.top, c.input.right, c.input.bottom, 5, 5);
        HRGN expected = CreateRectRgnIndirect(&c.box);
        EXPECT_TRUE(EqualRgn(rgn, expected)) << c.input.right << "x" << c.input.bottom;
        EXPECT_TRUE(EqualRgn(round, expected)) << c.input.right << "x" << c.input.bottom;
        for (HRGN h : {rgn, round, expected}) DeleteObject(h);
    }
}

TEST(RoundRectRegion, CornersCutAndEdgesStraight) {
    HRGN rgn = CreateRoundRectRgn(0, 0, 21, 21, 8, 8);
    // Corners cut, the middle of every side kept, nothing past [0, 20).
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 19, 19));
    EXPECT_FALSE(PtInRegion(rgn, 19, 0));
    for (POINT p : {POINT{10, 0}, POINT{0, 10}, POINT{19, 10}, POINT{10, 19}, POINT{4, 0}, POINT{15, 0}})
        EXPECT_TRUE(PtInRegion(rgn, p.x, p.y)) << p.x << "," << p.y;
    RECT box{};
    RECT expectedBox{0, 0, 20, 20};
    GetRgnBox(rgn, &box);
    EXPECT_TRUE(SameRect(box, expectedBox));
    // Each corner is the matching quarter of the 8 x 8 ellipse region.
    HRGN ellipse = CreateEllipticRgn(0, 0, 9, 9);
    HRGN corner = CreateRectRgn(0, 0, 4, 4);
    HRGN a = CreateRectRgn(0, 0, 0, 0);
    HRGN b = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(a, rgn, corner, RGN_AND);
    CombineRgn(b, ellipse, corner, RGN_AND);
    EXPECT_TRUE(EqualRgn(a, b));
    OffsetRgn(ellipse, 12, 12);
    OffsetRgn(corner, 16, 16);
    CombineRgn(a, rgn, corner, RGN_AND);
    CombineRgn(b, ellipse, corner, RGN_AND);
    EXPECT_TRUE(EqualRgn(a, b));
    for (HRGN h : {rgn, ellipse, corner, a, b}) DeleteObject(h);
}

TEST(RoundRectRegion, CornerSizesAreCappedAndSmallOnesGiveTheBox) {
    HRGN capped = CreateRoundRectRgn(0, 0, 15, 11, 100, -100);
    HRGN ellipse = CreateEllipticRgn(0, 0, 15, 11);
    EXPECT_TRUE(EqualRgn(capped, ellipse));
    HRGN square = CreateRoundRectRgn(0, 0, 15, 11, 1, 6);
    HRGN box = CreateRectRgn(0, 0, 14, 10);
    EXPECT_TRUE(EqualRgn(square, box));
    for (HRGN h : {capped, ellipse, square, box}) DeleteObject(h);
}

}  // namespace

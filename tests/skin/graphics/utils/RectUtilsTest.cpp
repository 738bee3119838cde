// Rectangle helpers: sizes, emptiness, containment, inflation and centring as tables of cases.
#include <skin/RectUtils.h>

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b) { return RectEqual(a, b); }

TEST(RectUtils, SizesAndEmptiness) {
    struct Case {
        RECT Rect;
        int Width, Height;
        bool Empty;
    } cases[] = {
        {{0, 0, 10, 5}, 10, 5, false}, {{3, 4, 3, 9}, 0, 5, true},      {{3, 4, 9, 4}, 6, 0, true},
        {{10, 0, 5, 5}, -5, 5, true},  {{-5, -5, -1, -2}, 4, 3, false}, {{0, 8, 4, 2}, 4, -6, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.Rect.left << "," << c.Rect.top << "," << c.Rect.right << "," << c.Rect.bottom);
        EXPECT_EQ(RectWidth(c.Rect), c.Width);
        EXPECT_EQ(RectHeight(c.Rect), c.Height);
        EXPECT_EQ(IsRectEmptyEx(c.Rect), c.Empty);
    }
}

TEST(RectUtils, RectInRectAllowsTouchingEdges) {
    const RECT outer{10, 10, 20, 20};
    struct Case {
        RECT Inner;
        bool Inside;
    } cases[] = {
        {{10, 10, 20, 20}, true},  {{12, 12, 18, 18}, true},  {{9, 10, 20, 20}, false}, {{10, 9, 20, 20}, false},
        {{10, 10, 21, 20}, false}, {{10, 10, 20, 21}, false}, {{15, 15, 15, 15}, true}, {{0, 0, 5, 5}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.Inner.left << "," << c.Inner.top << "," << c.Inner.right << "," << c.Inner.bottom);
        EXPECT_EQ(RectInRect(c.Inner, outer), c.Inside);
    }
}

TEST(RectUtils, RectEqualComparesEveryCoordinate) {
    const RECT a{1, 2, 3, 4};
    EXPECT_TRUE(RectEqual(a, RECT{1, 2, 3, 4}));
    const RECT others[] = {{0, 2, 3, 4}, {1, 0, 3, 4}, {1, 2, 0, 4}, {1, 2, 3, 0}};
    for (const RECT& b : others) EXPECT_FALSE(RectEqual(a, b));
}

TEST(RectUtils, InflateRectByGrowsOrShrinksEverySide) {
    EXPECT_TRUE(Same(InflateRectBy(RECT{5, 5, 10, 12}, 2), RECT{3, 3, 12, 14}));
    EXPECT_TRUE(Same(InflateRectBy(RECT{5, 5, 10, 12}, -3), RECT{8, 8, 7, 9}));
}

TEST(RectUtils, CenterRectTruncatesHalvesTowardZeroAndMovesTheRect) {
    struct Case {
        RECT Rect, Bounds, Expected;
    } cases[] = {
        {{0, 0, 10, 10}, {0, 0, 25, 25}, {7, 7, 17, 17}},
        // Larger than the bounds: (5 - 10) / 2 is -2, not -3.
        {{0, 0, 10, 10}, {0, 0, 5, 5}, {-2, -2, 8, 8}},
        {{100, 50, 104, 52}, {10, 20, 20, 31}, {13, 24, 17, 26}},
        {{0, 0, 3, 3}, {-10, -10, -4, -4}, {-9, -9, -6, -6}},
    };
    for (Case c : cases) {
        RECT result = CenterRect(c.Rect, c.Bounds);
        EXPECT_TRUE(Same(result, c.Expected)) << result.left << "," << result.top;
        EXPECT_TRUE(Same(c.Rect, c.Expected));
    }
}

TEST(RectUtils, CenterRectVertKeepsTheBoundsLeft) {
    const RECT rect{40, 40, 50, 44};
    RECT result = CenterRectVert(rect, RECT{5, 0, 100, 11});
    EXPECT_TRUE(Same(result, RECT{5, 3, 15, 7}));
    EXPECT_TRUE(Same(rect, RECT{40, 40, 50, 44}));
    EXPECT_TRUE(Same(CenterRectVert(rect, RECT{0, 0, 100, 1}), RECT{0, -1, 10, 3}));
}

}  // namespace

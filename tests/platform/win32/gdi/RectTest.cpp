// The rectangle helpers: Windows' results for overlaps, empty rectangles and null pointers.
#include <win32/windows.h>

#include <gtest/gtest.h>

namespace {

bool Same(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct PairCase {
    RECT A;
    RECT B;
    BOOL Result;
    RECT Expected;
};

TEST(RectTest, IntersectRectTable) {
    const PairCase cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}},  {{0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
        {{0, 0, 10, 10}, {20, 20, 30, 30}, FALSE, {0, 0, 0, 0}},  // disjoint
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},   // touching edges share no pixel
        {{0, 0, 10, 10}, {5, 5, 5, 8}, FALSE, {0, 0, 0, 0}},      // an empty one inside the other
        {{10, 10, 0, 0}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},    // inverted counts as empty
    };
    for (const PairCase& c : cases) {
        RECT out{-1, -1, -1, -1};
        EXPECT_EQ(IntersectRect(&out, &c.A, &c.B), c.Result);
        EXPECT_TRUE(Same(out, c.Expected)) << out.left << "," << out.top << "," << out.right << "," << out.bottom;
    }
}

TEST(RectTest, UnionRectIgnoresEmptyRectangles) {
    const PairCase cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {0, 0, 15, 15}},
        {{0, 0, 10, 10}, {100, 100, 100, 200}, TRUE, {0, 0, 10, 10}},
        {{50, 50, 40, 60}, {1, 2, 3, 4}, TRUE, {1, 2, 3, 4}},
        {{5, 5, 5, 5}, {7, 7, 6, 9}, FALSE, {0, 0, 0, 0}},
    };
    for (const PairCase& c : cases) {
        RECT out{-1, -1, -1, -1};
        EXPECT_EQ(UnionRect(&out, &c.A, &c.B), c.Result);
        EXPECT_TRUE(Same(out, c.Expected)) << out.left << "," << out.top << "," << out.right << "," << out.bottom;
    }
}

TEST(RectTest, SubtractRectOnlyWhenTheResultIsARectangle) {
    const PairCase cases[] = {
        {{0, 0, 10, 10}, {0, 0, 4, 10}, TRUE, {4, 0, 10, 10}},     // left strip cut away
        {{0, 0, 10, 10}, {6, -5, 20, 20}, TRUE, {0, 0, 6, 10}},    // right strip
        {{0, 0, 10, 10}, {-1, -1, 11, 3}, TRUE, {0, 3, 10, 10}},   // top strip
        {{0, 0, 10, 10}, {0, 8, 10, 10}, TRUE, {0, 0, 10, 8}},     // bottom strip
        {{0, 0, 10, 10}, {3, 3, 6, 6}, TRUE, {0, 0, 10, 10}},      // a hole is no rectangle: unchanged
        {{0, 0, 10, 10}, {0, 0, 4, 4}, TRUE, {0, 0, 10, 10}},      // a corner: unchanged
        {{0, 0, 10, 10}, {3, 0, 6, 10}, TRUE, {0, 0, 10, 10}},     // a middle band would split it
        {{0, 0, 10, 10}, {20, 20, 30, 30}, TRUE, {0, 0, 10, 10}},  // no overlap
        {{0, 0, 10, 10}, {-5, -5, 15, 15}, FALSE, {0, 0, 0, 0}},   // all of it
        {{0, 0, 0, 10}, {0, 0, 5, 5}, FALSE, {0, 0, 0, 0}},        // empty source
    };
    for (const PairCase& c : cases) {
        RECT out{-1, -1, -1, -1};
        EXPECT_EQ(SubtractRect(&out, &c.A, &c.B), c.Result);
        EXPECT_TRUE(Same(out, c.Expected)) << out.left << "," << out.top << "," << out.right << "," << out.bottom;
    }
}

TEST(RectTest, IntersectionAndUnionBoundEachOther) {
    // Property check over a grid of rectangles: the intersection lies in both, the union holds both.
    for (int a = 0; a < 6; ++a) {
        for (int b = 0; b < 6; ++b) {
            RECT r1{a, a * 2, a + 5, a * 2 + 3}, r2{b * 2, b, b * 2 + 4, b + 6};
            RECT both, either, check;
            if (IntersectRect(&both, &r1, &r2)) {
                EXPECT_TRUE(IntersectRect(&check, &both, &r1) && EqualRect(&check, &both));
                EXPECT_TRUE(IntersectRect(&check, &both, &r2) && EqualRect(&check, &both));
            }
            ASSERT_TRUE(UnionRect(&either, &r1, &r2));
            EXPECT_TRUE(IntersectRect(&check, &either, &r1) && EqualRect(&check, &r1));
            EXPECT_TRUE(IntersectRect(&check, &either, &r2) && EqualRect(&check, &r2));
        }
    }
}

TEST(RectTest, SmallHelpers) {
    RECT r;
    EXPECT_TRUE(SetRect(&r, 1, 2, 3, 4));
    EXPECT_TRUE(Same(r, {1, 2, 3, 4}));
    EXPECT_TRUE(InflateRect(&r, 2, -1));
    EXPECT_TRUE(Same(r, {-1, 3, 5, 3}));
    EXPECT_TRUE(IsRectEmpty(&r));
    EXPECT_TRUE(OffsetRect(&r, 10, 20));
    EXPECT_TRUE(Same(r, {9, 23, 15, 23}));
    RECT copy;
    EXPECT_TRUE(CopyRect(&copy, &r));
    EXPECT_TRUE(EqualRect(&copy, &r));
    EXPECT_TRUE(SetRectEmpty(&r));
    EXPECT_TRUE(Same(r, {0, 0, 0, 0}));
    // Two empty rectangles at different places are not equal: EqualRect compares coordinates.
    RECT otherEmpty{5, 5, 5, 5};
    EXPECT_FALSE(EqualRect(&r, &otherEmpty));

    RECT box{0, 0, 10, 5};
    EXPECT_TRUE(PtInRect(&box, POINT{0, 0}));
    EXPECT_TRUE(PtInRect(&box, POINT{9, 4}));
    EXPECT_FALSE(PtInRect(&box, POINT{10, 4}));
    EXPECT_FALSE(PtInRect(&box, POINT{9, 5}));
    EXPECT_FALSE(PtInRect(&box, POINT{-1, 0}));
}

TEST(RectTest, NullPointers) {
    RECT r{0, 0, 1, 1};
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(SetRectEmpty(nullptr));
    EXPECT_FALSE(CopyRect(nullptr, &r));
    EXPECT_FALSE(CopyRect(&r, nullptr));
    EXPECT_FALSE(InflateRect(nullptr, 1, 1));
    EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
    EXPECT_FALSE(IntersectRect(&r, nullptr, &r));
    EXPECT_FALSE(UnionRect(&r, &r, nullptr));
    EXPECT_FALSE(SubtractRect(nullptr, &r, &r));
    EXPECT_FALSE(EqualRect(&r, nullptr));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
}

}  // namespace

// The gradient's band count, end colours and rounding, and the checkerboard's pixels and phase.
#include "PaintFixture.h"

#include <skin/Fills.h>

#include <win32/windows.h>

#include <set>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

using Fills = PaintFixture;

// Counts runs of equal colour along a row or a column.
class Gradient : public Fills {
protected:
    int Runs(bool vertical, int fixed, int from, int to) const {
        int runs = 0;
        COLORREF last = 0xFFFFFFFF;
        for (int i = from; i < to; ++i) {
            COLORREF c = vertical ? At(fixed, i) : At(i, fixed);
            runs += c != last;
            last = c;
        }
        return runs;
    }
    int RowRuns(int y, int from, int to) const { return Runs(false, y, from, to); }
    int ColumnRuns(int x, int from, int to) const { return Runs(true, x, from, to); }
};

TEST_F(Gradient, HorizontalOverNarrowRectsGivesOneBandPerColumn) {
    Reset(110, 4, clWhite);
    FillGradient(FCanvas, RECT{5, 1, 105, 3}, clBlack, false, clWhite);
    EXPECT_EQ(At(5, 1), kBlack);  // exactly fromColor
    // 99/100 of the way: 99 × 255 / 100 = 252.45.
    EXPECT_EQ(At(104, 2), RGB(252, 252, 252));
    EXPECT_EQ(RowRuns(1, 5, 105), 100);
    // The 101st band would start at the right edge: nothing outside the rectangle changes.
    EXPECT_EQ(At(105, 1), kWhite);
    EXPECT_EQ(At(4, 1), kWhite);
    EXPECT_EQ(Count(kWhite, RECT{0, 0, 110, 1}), 110);
    EXPECT_EQ(Count(kWhite, RECT{0, 3, 110, 4}), 110);
}

TEST_F(Gradient, WideRectsUse255Bands) {
    Reset(300, 2, clWhite);
    FillGradient(FCanvas, RECT{0, 0, 300, 2}, clBlack, false, clWhite);
    EXPECT_EQ(RowRuns(0, 0, 300), 255);
    EXPECT_EQ(At(0, 0), kBlack);
    EXPECT_EQ(At(299, 1), RGB(254, 254, 254));
    // Band i spans MulDiv(i, 300, 255) .. MulDiv(i + 1, 300, 255): one or two columns each.
    std::set<COLORREF> colours;
    for (int x = 0; x < 300; ++x) colours.insert(At(x, 0));
    EXPECT_EQ(colours.size(), 255u);
}

TEST_F(Gradient, VerticalUsesOneBandPerRowOrAtMost255) {
    Reset(3, 300, clWhite);
    FillGradient(FCanvas, RECT{0, 0, 3, 10}, clWhite, true, clBlack);
    EXPECT_EQ(ColumnRuns(1, 0, 10), 10);
    EXPECT_EQ(At(1, 0), kWhite);
    EXPECT_EQ(At(1, 9), RGB(26, 26, 26));  // 255 - 9 × 255 / 10 = 25.5, halves to even
    EXPECT_EQ(At(1, 10), kWhite);

    FillGradient(FCanvas, RECT{0, 0, 3, 300}, clBlack, true, clWhite);
    EXPECT_EQ(ColumnRuns(2, 0, 300), 255);
    EXPECT_EQ(At(0, 299), RGB(254, 254, 254));
}

TEST_F(Gradient, ChannelsRoundHalfToEven) {
    // Two bands: the second lies half-way, at 0.5, 1.5 and 2.5 for red, green and blue.
    Reset(4, 1, clWhite);
    FillGradient(FCanvas, RECT{0, 0, 2, 1}, clBlack, false, static_cast<TColor>(RGB(1, 3, 5)));
    EXPECT_EQ(At(0, 0), kBlack);
    EXPECT_EQ(At(1, 0), RGB(0, 2, 2));
}

TEST_F(Gradient, SystemColoursAreResolvedAndEmptyRectsDrawNothing) {
    FillGradient(FCanvas, RECT{0, 0, 40, 30}, clActiveCaption, false, clActiveCaption);
    EXPECT_EQ(CountAll(GetSysColor(COLOR_ACTIVECAPTION)), 40 * 30);
    Reset(40, 30, clWhite);
    FillGradient(FCanvas, RECT{10, 10, 10, 20}, clBlack, false, clBlack);
    FillGradient(FCanvas, RECT{10, 10, 20, 5}, clBlack, true, clBlack);
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
}

using Checker = PaintFixture;

TEST_F(Checker, BlackAndWhiteGiveAOnePixelCheckerboardInCanvasCoordinates) {
    const RECT rect{3, 5, 23, 25};
    FillChecker(FCanvas, rect, clBlack, clWhite);
    int wrong = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            COLORREF expected = inside && (x + y) % 2 != 0 ? kBlack : kWhite;
            wrong += At(x, y) != expected;
        }
    EXPECT_EQ(wrong, 0) << Picture(RECT{0, 0, 26, 28}, kBlack);
}

TEST_F(Checker, NegativeLeftAndTopAreClippedAway) {
    FillChecker(FCanvas, RECT{-5, -3, 4, 2}, clBlack, clWhite);
    EXPECT_EQ(Picture(RECT{0, 0, 6, 3}, kBlack),
              ".#.#..\n"
              "#.#...\n"
              "......\n");
    Reset(40, 30, clWhite);
    FillChecker(FCanvas, RECT{-5, -5, 0, 10}, clBlack, clBlack);
    EXPECT_EQ(CountAll(kWhite), 40 * 30);
}

TEST_F(Checker, SystemColoursAndTheOutOfRangeSystemIndexGiveBlack) {
    // 0xFFFFFFFF reads as system colour index 255, which does not exist: GetSysColor answers black.
    FillChecker(FCanvas, RECT{0, 0, 4, 4}, clBtnFace, static_cast<TColor>(0xFFFFFFFF));
    EXPECT_EQ(At(0, 0), kBlack);
    EXPECT_EQ(At(1, 0), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Count(kBlack, RECT{0, 0, 4, 4}), 8);
}

}  // namespace

// ScrollWindowEx and ScrollWindow: pixels move, the uncovered strip becomes invalid (and only that), the clip and
// scroll rectangles bound what changes, pending invalid areas travel with the pixels, and children can go along.
#include "PaintFixture.h"

#include <testing/Testing.h>

namespace {

class PaintScroll : public PaintFixture {
protected:
    // A red window with a blue square at (10, 10)-(20, 20), nothing left to paint.
    HWND MakeMarked() {
        HWND top = MakeTop({0, 0, 100, 80}, Red);
        Settle();
        FillThroughGetDC(top, {10, 10, 20, 20}, Blue);
        return top;
    }
};

TEST_F(PaintScroll, MovesPixelsAndInvalidatesTheUncoveredStrip) {
    HWND top = MakeMarked();
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    RECT updateRect{};
    EXPECT_EQ(ScrollWindowEx(top, 5, 10, nullptr, nullptr, update, &updateRect, SW_INVALIDATE), COMPLEXREGION);
    EXPECT_EQ(Pixel(top, 15, 15), Red);  // the square's old top-left corner now holds what was above it
    EXPECT_EQ(Pixel(top, 20, 25), Blue);
    EXPECT_EQ(Pixel(top, 24, 29), Blue);
    EXPECT_EQ(Pixel(top, 25, 30), Red);
    // The strips along the left and top edges, as an L.
    EXPECT_TRUE(PtInRegion(update, 2, 50));
    EXPECT_TRUE(PtInRegion(update, 50, 9));
    EXPECT_FALSE(PtInRegion(update, 5, 10));
    EXPECT_EQ(updateRect.left, 0);
    EXPECT_EQ(updateRect.top, 0);
    EXPECT_EQ(updateRect.right, 100);
    EXPECT_EQ(updateRect.bottom, 80);
    HRGN invalid = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetUpdateRgn(top, invalid, FALSE), COMPLEXREGION);
    EXPECT_TRUE(EqualRgn(invalid, update));
    DeleteObject(invalid);
    DeleteObject(update);

    // The paint that follows covers the strip and nothing else.
    Behaviours()[top].Paint = Green;
    wintest::PumpUntilIdle();
    EXPECT_TRUE(Events(top, WM_ERASEBKGND).empty());
    EXPECT_EQ(Pixel(top, 2, 50), Green);
    EXPECT_EQ(Pixel(top, 50, 5), Green);
    EXPECT_EQ(Pixel(top, 20, 25), Blue);
    EXPECT_EQ(Pixel(top, 50, 50), Red);
}

TEST_F(PaintScroll, WithoutSwInvalidateOnlyReportsTheStrip) {
    HWND top = MakeMarked();
    RECT updateRect{};
    EXPECT_EQ(ScrollWindowEx(top, 0, -10, nullptr, nullptr, nullptr, &updateRect, 0), SIMPLEREGION);
    EXPECT_EQ(updateRect.top, 70);
    EXPECT_EQ(updateRect.bottom, 80);
    EXPECT_EQ(Pixel(top, 15, 5), Blue);
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));

    // SW_ERASE with SW_INVALIDATE asks for WM_ERASEBKGND as well.
    ScrollWindowEx(top, 0, -10, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
}

TEST_F(PaintScroll, ScrollAndClipRectanglesBoundTheChange) {
    HWND top = MakeMarked();
    // Only the band x 0..50 scrolls; only y 0..50 may change.
    RECT scroll{0, 0, 50, 80};
    RECT clip{0, 0, 100, 50};
    RECT updateRect{};
    ScrollWindowEx(top, 0, 30, &scroll, &clip, nullptr, &updateRect, 0);
    EXPECT_EQ(Pixel(top, 15, 45), Blue);  // moved from y 15
    EXPECT_EQ(Pixel(top, 15, 15), Blue);  // uncovered: left as it was until painted
    EXPECT_EQ(updateRect.left, 0);
    EXPECT_EQ(updateRect.top, 0);
    EXPECT_EQ(updateRect.right, 50);
    EXPECT_EQ(updateRect.bottom, 30);

    // A square that would land outside the clip is not drawn there.
    FillThroughGetDC(top, {60, 10, 70, 20}, Blue);
    RECT right{50, 0, 100, 80};
    ScrollWindowEx(top, 0, 40, &right, &clip, nullptr, nullptr, 0);
    EXPECT_EQ(Pixel(top, 65, 55), Red);
    EXPECT_EQ(Pixel(top, 65, 45), Red);  // from y 5
}

TEST_F(PaintScroll, PendingInvalidAreaTravelsWithThePixels) {
    HWND top = MakeMarked();
    RECT invalid{10, 10, 20, 20};
    InvalidateRect(top, &invalid, FALSE);
    ScrollWindowEx(top, 30, 0, nullptr, nullptr, nullptr, nullptr, 0);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(top, region, FALSE);
    EXPECT_TRUE(PtInRegion(region, 45, 15));
    DeleteObject(region);
}

TEST_F(PaintScroll, ScrollChildrenMovesThem) {
    HWND top = MakeTop({0, 0, 100, 80}, Red);
    HWND child = MakeChild(top, {10, 10, 30, 30}, Green);
    Settle();
    ASSERT_TRUE(ScrollWindow(top, 20, 5, nullptr, nullptr));
    RECT rect;
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 30);
    EXPECT_EQ(rect.top, 15);
    // The child's pixels came along with the parent's.
    EXPECT_EQ(Pixel(top, 35, 20), Green);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Pixel(top, 35, 20), Green);
    EXPECT_EQ(Pixel(top, 5, 40), Red);

    // With a scroll rectangle, ScrollWindow leaves the children where they are.
    RECT part{0, 0, 100, 80};
    ScrollWindow(top, 10, 0, &part, nullptr);
    GetWindowRect(child, &rect);
    EXPECT_EQ(rect.left, 30);
}

TEST_F(PaintScroll, RefusesUnknownFlagsAndWindows) {
    HWND top = MakeMarked();
    SetLastError(0);
    EXPECT_EQ(ScrollWindowEx(top, 1, 1, nullptr, nullptr, nullptr, nullptr, 0x100), ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    SetLastError(0);
    EXPECT_EQ(ScrollWindowEx(reinterpret_cast<HWND>(0x7654321), 1, 1, nullptr, nullptr, nullptr, nullptr, 0), ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    // Nothing to move: nothing uncovered.
    EXPECT_EQ(ScrollWindowEx(top, 0, 0, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE), NULLREGION);
}

}  // namespace

// RedrawWindow: invalidating with and without erasing, painting now, which children it reaches, the frame
// (WM_NCPAINT with the region in screen coordinates, or 1 for the whole window), and the flags it refuses.
#include "PaintFixture.h"

#include <testing/Testing.h>

namespace {

class PaintRedraw : public PaintFixture {};

TEST_F(PaintRedraw, UpdateNowPaintsSynchronouslyWithErase) {
    HWND top = MakeTop({0, 0, 60, 40}, Red);
    Settle();
    RECT rect{5, 5, 15, 15};
    ASSERT_TRUE(RedrawWindow(top, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW));
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));

    // RDW_ERASENOW erases at once and leaves WM_PAINT to the queue.
    ClearEvents();
    RedrawWindow(top, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW);
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND}));
    wintest::PumpUntilIdle();
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    EXPECT_FALSE(Events(top, WM_PAINT)[0].Erase);

    // Without RDW_ERASE nothing is erased, now or later.
    ClearEvents();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_PAINT}));
}

TEST_F(PaintRedraw, ChildrenReachedAsTheFlagsAndClipChildrenSay) {
    struct Case {
        DWORD parentStyle;
        UINT flags;
        bool childPainted;
    };
    const DWORD plain = WS_POPUP | WS_VISIBLE;
    const DWORD clipping = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
    const Case cases[] = {
        {plain, 0, true},
        {clipping, 0, false},
        {plain, RDW_NOCHILDREN, false},
        {clipping, RDW_ALLCHILDREN, true},
        {plain, RDW_ALLCHILDREN, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "parent style " << std::hex << c.parentStyle << ", flags " << c.flags);
        HWND top = MakeTop({0, 0, 60, 40}, Red, c.parentStyle);
        HWND child = MakeChild(top, {10, 10, 30, 30}, Green);
        Settle();
        ASSERT_TRUE(RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | c.flags));
        EXPECT_EQ(Events(top, WM_PAINT).size(), 1u);
        EXPECT_EQ(Events(child, WM_PAINT).size(), c.childPainted ? 1u : 0u);
        wintest::PumpUntilIdle();
        EXPECT_EQ(Events(child, WM_PAINT).size(), c.childPainted ? 1u : 0u);
        DestroyWindow(top);
        Settle();
    }
}

TEST_F(PaintRedraw, ChildAreaIsInItsOwnCoordinates) {
    HWND top = MakeTop({0, 0, 100, 80}, Red);
    HWND child = MakeChild(top, {20, 10, 60, 50}, Green);
    Settle();
    RECT rect{30, 20, 90, 30};  // overlaps the child's (10, 10)-(40, 20)
    InvalidateRect(top, &rect, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.top, 10);
    EXPECT_EQ(update.right, 40);
    EXPECT_EQ(update.bottom, 20);
    // A hidden child takes no part.
    ValidateRect(top, nullptr);
    ShowWindow(child, SW_HIDE);
    Settle();
    InvalidateRect(top, nullptr, FALSE);
    EXPECT_FALSE(GetUpdateRect(child, &update, FALSE));
}

TEST_F(PaintRedraw, FrameGivesNcPaintWithTheRegionInScreenCoordinates) {
    HWND top = MakeTop({100, 50, 160, 90}, Red);
    Settle();
    ASSERT_TRUE(RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW));
    auto ncPaints = Events(top, WM_NCPAINT);
    ASSERT_EQ(ncPaints.size(), 1u);
    EXPECT_EQ(ncPaints[0].WParam, 1u);  // the whole window
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_NCPAINT, WM_PAINT}));

    ClearEvents();
    RECT rect{5, 6, 15, 16};
    RedrawWindow(top, &rect, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    ncPaints = Events(top, WM_NCPAINT);
    ASSERT_EQ(ncPaints.size(), 1u);
    EXPECT_NE(ncPaints[0].WParam, 1u);
    EXPECT_EQ(ncPaints[0].Rect.left, 105);
    EXPECT_EQ(ncPaints[0].Rect.top, 56);
    EXPECT_EQ(ncPaints[0].Rect.right, 115);
    EXPECT_EQ(ncPaints[0].Rect.bottom, 66);

    // Without RDW_FRAME the frame stays as it is.
    ClearEvents();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_TRUE(Events(top, WM_NCPAINT).empty());
}

TEST_F(PaintRedraw, ValidateFlags) {
    HWND top = MakeTop({0, 0, 60, 40}, Red);
    Settle();
    InvalidateRect(top, nullptr, TRUE);
    RECT half{0, 0, 30, 40};
    RedrawWindow(top, &half, nullptr, RDW_VALIDATE | RDW_NOERASE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_PAINT}));
    EXPECT_EQ(Events(top, WM_PAINT)[0].Rect.left, 30);
}

TEST_F(PaintRedraw, NullWindowRedrawsEveryTopLevelWindow) {
    HWND first = MakeTop({0, 0, 30, 30}, Red);
    HWND second = MakeTop({200, 200, 230, 230}, Green);
    Settle();
    ASSERT_TRUE(InvalidateRect(nullptr, nullptr, TRUE));
    // Erased (and the frame drawn) before returning; painted from the queue.
    EXPECT_FALSE(Events(first, WM_ERASEBKGND).empty());
    EXPECT_FALSE(Events(second, WM_ERASEBKGND).empty());
    wintest::PumpUntilIdle();
    EXPECT_EQ(Events(first, WM_PAINT).size(), 1u);
    EXPECT_EQ(Events(second, WM_PAINT).size(), 1u);
}

TEST_F(PaintRedraw, RefusesWhatItCannotDo) {
    HWND top = MakeTop({0, 0, 60, 40}, Red);
    Settle();
    SetLastError(0);
    EXPECT_FALSE(RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | 0x8000));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    SetLastError(0);
    EXPECT_FALSE(InvalidateRect(reinterpret_cast<HWND>(0x7654321), nullptr, FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    SetLastError(0);
    EXPECT_FALSE(InvalidateRgn(top, reinterpret_cast<HRGN>(0x7654321), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
}

}  // namespace

// Window DCs: what GetDC and GetWindowDC drawing may touch (clip children, clip siblings, window regions, the
// parent's client area), held DCs following their window, own DCs, and the DC functions' failures.
#include "PaintFixture.h"

#include <testing/Testing.h>

namespace {

class PaintClip : public PaintFixture {};

TEST_F(PaintClip, ClipChildrenKeepsTheParentOffTheChild) {
    for (bool clipChildren : {true, false}) {
        SCOPED_TRACE(clipChildren ? "WS_CLIPCHILDREN" : "no WS_CLIPCHILDREN");
        DWORD style = WS_POPUP | WS_VISIBLE | (clipChildren ? WS_CLIPCHILDREN : 0);
        HWND top = MakeTop({0, 0, 80, 60}, Red, style);
        MakeChild(top, {10, 10, 40, 40}, Green);
        Settle();
        ASSERT_EQ(Pixel(top, 20, 20), Green);
        FillThroughGetDC(top, {0, 0, 80, 60}, Blue);
        EXPECT_EQ(Pixel(top, 20, 20), clipChildren ? Green : Blue);
        EXPECT_EQ(Pixel(top, 60, 50), Blue);
        DestroyWindow(top);
        Settle();
    }
}

TEST_F(PaintClip, ClipSiblingsKeepsAWindowOffTheSiblingsAboveIt) {
    for (bool clipSiblings : {true, false}) {
        SCOPED_TRACE(clipSiblings ? "WS_CLIPSIBLINGS" : "no WS_CLIPSIBLINGS");
        HWND top = MakeTop({0, 0, 100, 60}, Red, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
        DWORD style = WS_CHILD | WS_VISIBLE | (clipSiblings ? WS_CLIPSIBLINGS : 0);
        // The upper one overlaps the lower one from x 40 on.
        HWND lower = MakeChild(top, {10, 10, 60, 50}, Green, style);
        HWND upper = MakeChild(top, {40, 20, 90, 40}, Blue, style);
        SetWindowPos(upper, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Settle();
        // Without WS_CLIPSIBLINGS the lower one, painted after the upper one, covers it: paint the upper again.
        RedrawWindow(upper, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(Pixel(top, 50, 30), Blue);
        FillThroughGetDC(lower, {0, 0, 50, 40}, White);
        EXPECT_EQ(Pixel(top, 20, 20), White);
        EXPECT_EQ(Pixel(top, 50, 30), clipSiblings ? Blue : White);
        // The upper sibling is never clipped by the lower one.
        FillThroughGetDC(upper, {0, 0, 50, 20}, Black);
        EXPECT_EQ(Pixel(top, 50, 30), Black);
        DestroyWindow(top);
        Settle();
    }
}

TEST_F(PaintClip, ChildDrawingStaysInsideTheParentsClientArea) {
    HWND top = MakeTop({0, 0, 80, 60}, Red);
    HWND middle = MakeChild(top, {10, 10, 50, 50}, Green);
    HWND inner = MakeChild(middle, {20, 20, 80, 80}, Blue);  // runs out of its parent
    Settle();
    FillThroughGetDC(inner, {0, 0, 60, 60}, White);
    EXPECT_EQ(Pixel(top, 45, 45), White);
    EXPECT_EQ(Pixel(top, 55, 45), Red);  // right of the middle window
    EXPECT_EQ(Pixel(top, 45, 55), Red);
    RECT box;
    HDC hdc = GetDC(inner);
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 20);
    ReleaseDC(inner, hdc);
}

TEST_F(PaintClip, WindowRegionClipsPainting) {
    HWND top = MakeTop({0, 0, 80, 60}, Red);
    HWND child = MakeChild(top, {10, 10, 50, 50}, Green);
    Settle();
    ASSERT_TRUE(SetWindowRgn(child, CreateRectRgn(0, 0, 20, 20), TRUE));
    Settle();
    FillThroughGetDC(child, {0, 0, 40, 40}, Blue);
    EXPECT_EQ(Pixel(top, 15, 15), Blue);
    EXPECT_EQ(Pixel(top, 35, 35), Green);  // painted before the region was set, not touched since
    HDC hdc = GetWindowDC(child);
    EXPECT_EQ(GetPixel(hdc, 30, 30), CLR_INVALID);
    ReleaseDC(child, hdc);

    // Invalidation is cut to the region too.
    InvalidateRect(child, nullptr, FALSE);
    RECT update;
    ASSERT_TRUE(GetUpdateRect(child, &update, FALSE));
    EXPECT_EQ(update.right, 20);
    EXPECT_EQ(update.bottom, 20);
}

TEST_F(PaintClip, WindowDcCoversTheFrameAndClientDcTheClientArea) {
    HWND top = MakeTop({100, 100, 180, 160}, Red);
    Behaviours()[top].FrameInset = 3;
    SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    RECT window, client;
    GetWindowRect(top, &window);
    GetClientRect(top, &client);
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    int border = origin.x - window.left;
    ASSERT_EQ(border, 3);

    HDC windowDc = GetWindowDC(top);
    HDC clientDc = GetDC(top);
    EXPECT_EQ(WindowFromDC(windowDc), top);
    EXPECT_EQ(WindowFromDC(clientDc), top);
    SetPixel(windowDc, 0, 0, Blue);     // the frame's corner
    SetPixel(clientDc, 0, 0, Green);    // the client area's corner
    SetPixel(clientDc, -1, -1, White);  // on the frame: outside a client DC
    EXPECT_EQ(GetPixel(windowDc, 0, 0), Blue);
    EXPECT_EQ(GetPixel(windowDc, border, border), Green);
    EXPECT_NE(GetPixel(windowDc, border - 1, border - 1), White);
    EXPECT_EQ(ReleaseDC(top, windowDc), 1);
    EXPECT_EQ(ReleaseDC(top, clientDc), 1);
    EXPECT_EQ(ReleaseDC(top, clientDc), 0);  // already released
    EXPECT_EQ(WindowFromDC(clientDc), nullptr);
}

TEST_F(PaintClip, HeldDcFollowsItsWindow) {
    HWND top = MakeTop({0, 0, 100, 80}, Red);
    HWND child = MakeChild(top, {10, 10, 30, 30}, Green);
    Settle();
    HDC held = GetDC(child);
    ASSERT_TRUE(SetWindowPos(child, nullptr, 50, 40, 40, 30, SWP_NOZORDER | SWP_NOACTIVATE));
    Settle();
    HBRUSH brush = CreateSolidBrush(Blue);
    RECT all{0, 0, 40, 30};
    FillRect(held, &all, brush);
    DeleteObject(brush);
    EXPECT_EQ(Pixel(top, 85, 65), Blue);
    EXPECT_EQ(Pixel(top, 15, 15), Red);  // where it was: repainted by the parent, not drawn on now
    ReleaseDC(child, held);
}

TEST_F(PaintClip, OwnDcIsKeptWithItsAttributes) {
    HWND top = MakeTop({0, 0, 60, 40}, Red, WS_POPUP | WS_VISIBLE, CS_OWNDC);
    Settle();
    HDC first = GetDC(top);
    SetTextColor(first, Blue);
    EXPECT_EQ(ReleaseDC(top, first), 1);
    HDC second = GetDC(top);
    EXPECT_EQ(second, first);
    EXPECT_EQ(GetTextColor(second), Blue);
    ReleaseDC(top, second);

    // A plain class hands out a fresh DC each time, with default attributes.
    HWND plain = MakeTop({100, 0, 160, 40}, Red);
    Settle();
    HDC dc = GetDC(plain);
    SetTextColor(dc, Blue);
    ReleaseDC(plain, dc);
    dc = GetDC(plain);
    EXPECT_EQ(GetTextColor(dc), Black);
    ReleaseDC(plain, dc);
}

// Released common DCs are taken again by later GetDC calls, for any window: nothing the last user set or
// selected may carry over, and the DC must draw where its new window is.
TEST_F(PaintClip, AReleasedDcComesBackAsANewOneForAnyWindow) {
    HWND left = MakeTop({0, 0, 60, 40}, Red);
    HWND right = MakeTop({100, 50, 160, 90}, Red);
    Settle();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        HDC used = GetDC(left);
        HBRUSH brush = CreateSolidBrush(Blue);
        HPEN pen = CreatePen(PS_SOLID, 3, Green);
        SelectObject(used, brush);
        SelectObject(used, pen);
        SetTextColor(used, Blue);
        SetBkMode(used, TRANSPARENT);
        SetWindowOrgEx(used, 5, 5, nullptr);
        SaveDC(used);
        IntersectClipRect(used, 0, 0, 2, 2);
        EXPECT_EQ(ReleaseDC(left, used), 1);
        EXPECT_EQ(ReleaseDC(left, used), 0) << "released twice";
        EXPECT_EQ(WindowFromDC(used), nullptr);
        EXPECT_TRUE(DeleteObject(brush)) << "still selected after ReleaseDC";
        EXPECT_TRUE(DeleteObject(pen)) << "still selected after ReleaseDC";

        HDC dc = GetDC(right);
        EXPECT_EQ(WindowFromDC(dc), right);
        EXPECT_EQ(GetTextColor(dc), Black);
        EXPECT_EQ(GetBkMode(dc), OPAQUE);
        POINT origin{-1, -1};
        GetWindowOrgEx(dc, &origin);
        EXPECT_EQ(origin.x, 0);
        EXPECT_EQ(origin.y, 0);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
        EXPECT_FALSE(RestoreDC(dc, -1)) << "the save stack carried over";
        RECT box{};
        EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
        EXPECT_EQ(box.right, 60);
        EXPECT_EQ(box.bottom, 40);
        SetPixel(dc, 30, 20, Green);
        ReleaseDC(right, dc);
        EXPECT_EQ(Pixel(right, 30, 20), Green) << "not drawn on its new window";
        EXPECT_NE(Pixel(left, 30, 20), Green) << "drawn on its old window";
        EXPECT_NE(Pixel(right, 25, 15), Green) << "drawn through the old window origin";
    }
}

TEST_F(PaintClip, GetDcExRegionsAndFlags) {
    HWND top = MakeTop({200, 100, 280, 160}, Red);
    Settle();
    // The region is in screen coordinates, as WM_NCPAINT's is.
    HRGN region = CreateRectRgn(210, 110, 220, 120);
    HDC hdc = GetDCEx(top, region, DCX_WINDOW | DCX_INTERSECTRGN);
    ASSERT_NE(hdc, nullptr);
    RECT box;
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 20);
    EXPECT_EQ(box.bottom, 20);
    ReleaseDC(top, hdc);
    hdc = GetDCEx(top, region, DCX_EXCLUDERGN);
    EXPECT_EQ(GetClipBox(hdc, &box), COMPLEXREGION);
    ReleaseDC(top, hdc);
    DeleteObject(region);

    // The update region as a clip.
    RECT invalid{30, 30, 40, 35};
    InvalidateRect(top, &invalid, FALSE);
    hdc = GetDCEx(top, nullptr, DCX_INTERSECTUPDATE | DCX_VALIDATE);
    EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 30);
    EXPECT_EQ(box.bottom, 35);
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    ReleaseDC(top, hdc);

    SetLastError(0);
    EXPECT_EQ(GetDCEx(top, nullptr, 0x40000000), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
    SetLastError(0);
    EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x7654321)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(PaintClip, ScreenDcCoversTheScreen) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    RECT box;
    EXPECT_EQ(GetClipBox(screen, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(box.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(WindowFromDC(screen), GetDesktopWindow());
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST_F(PaintClip, ExcludeUpdateRgnKeepsDrawingOffTheInvalidPart) {
    HWND top = MakeTop({0, 0, 60, 40}, Red);
    Settle();
    RECT invalid{0, 0, 20, 40};
    InvalidateRect(top, &invalid, FALSE);
    HDC hdc = GetDC(top);
    EXPECT_EQ(ExcludeUpdateRgn(hdc, top), SIMPLEREGION);
    HBRUSH brush = CreateSolidBrush(Blue);
    RECT all{0, 0, 60, 40};
    FillRect(hdc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(top, hdc);
    EXPECT_EQ(Pixel(top, 10, 10), Red);
    EXPECT_EQ(Pixel(top, 30, 10), Blue);
}

TEST_F(PaintClip, LockWindowUpdateSuspendsDrawing) {
    HWND top = MakeTop({0, 0, 60, 40}, Red);
    HWND other = MakeTop({100, 0, 160, 40}, Red);
    Settle();
    ASSERT_TRUE(LockWindowUpdate(top));
    EXPECT_FALSE(LockWindowUpdate(other));  // one at a time
    FillThroughGetDC(top, {0, 0, 60, 40}, Blue);
    EXPECT_EQ(Pixel(top, 10, 10), Red);
    HDC hdc = GetDCEx(top, nullptr, DCX_LOCKWINDOWUPDATE);
    SetPixel(hdc, 1, 1, Green);
    ReleaseDC(top, hdc);
    EXPECT_EQ(Pixel(top, 1, 1), Green);
    ASSERT_TRUE(LockWindowUpdate(nullptr));
    // Unlocking repaints the window in full.
    wintest::PumpUntilIdle();
    EXPECT_EQ(Events(top, WM_PAINT).size(), 1u);
    EXPECT_EQ(Pixel(top, 1, 1), Red);
}

}  // namespace

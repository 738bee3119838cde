// Update regions and WM_PAINT: only the invalid part is painted, erasing only when asked, validation, GetUpdateRect
// and GetUpdateRgn, UpdateWindow running the paint before it returns, and the queue's WM_PAINT coming last.
#include "PaintFixture.h"

#include <testing/Testing.h>

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

#define EXPECT_RECT(expected, actual)                                                                   \
    EXPECT_TRUE(SameRect(expected, actual)) << "got (" << (actual).left << ", " << (actual).top << ", " \
                                            << (actual).right << ", " << (actual).bottom << ")"

class PaintUpdate : public PaintFixture {};

TEST_F(PaintUpdate, PaintsOnlyTheInvalidPart) {
    HWND top = MakeTop({100, 100, 200, 180}, Red);
    Settle();
    EXPECT_EQ(Pixel(top, 50, 40), Red);

    Behaviours()[top].Paint = Blue;
    RECT first{10, 10, 20, 20};
    RECT second{30, 5, 40, 15};
    ASSERT_TRUE(InvalidateRect(top, &first, FALSE));
    ASSERT_TRUE(InvalidateRect(top, &second, FALSE));
    EXPECT_TRUE(wintest::PumpUntilIdle());

    // The two rectangles accumulate into one WM_PAINT, and drawing over the whole client reaches only them.
    auto paints = Events(top, WM_PAINT);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_RECT((RECT{10, 5, 40, 20}), paints[0].Rect);
    EXPECT_RECT((RECT{10, 5, 40, 20}), paints[0].ClipBox);
    EXPECT_TRUE(Events(top, WM_ERASEBKGND).empty());
    EXPECT_EQ(Pixel(top, 15, 15), Blue);
    EXPECT_EQ(Pixel(top, 35, 10), Blue);
    EXPECT_EQ(Pixel(top, 25, 10), Red);  // inside the box, outside both rectangles
    EXPECT_EQ(Pixel(top, 50, 40), Red);
}

TEST_F(PaintUpdate, ErasesBeforePaintingOnlyWhenAsked) {
    HWND top = MakeTop({0, 0, 60, 60}, Red);
    Settle();

    RECT rect{0, 0, 10, 10};
    InvalidateRect(top, &rect, TRUE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    auto erase = Events(top, WM_ERASEBKGND);
    ASSERT_EQ(erase.size(), 1u);
    EXPECT_RECT(rect, erase[0].Rect);  // the erase DC is the paint DC
    EXPECT_FALSE(Events(top, WM_PAINT)[0].Erase);

    // An erase asked for once stays asked for, whatever later invalidations say.
    ClearEvents();
    InvalidateRect(top, &rect, TRUE);
    InvalidateRect(top, nullptr, FALSE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));

    // A handler that does not erase leaves it to the painter: fErase.
    ClearEvents();
    Behaviours()[top].Erases = false;
    InvalidateRect(top, &rect, TRUE);
    wintest::PumpUntilIdle();
    auto paints = Events(top, WM_PAINT);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_TRUE(paints[0].Erase);
}

TEST_F(PaintUpdate, ValidationRemovesTheNeedToPaint) {
    HWND top = MakeTop({0, 0, 80, 60}, Red);
    Settle();

    InvalidateRect(top, nullptr, TRUE);
    ASSERT_TRUE(ValidateRect(top, nullptr));
    RECT update{1, 1, 1, 1};
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
    EXPECT_RECT((RECT{0, 0, 0, 0}), update);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(Events(top).empty());

    // Validating part of it shrinks what is painted; a region validates as well as a rectangle.
    InvalidateRect(top, nullptr, FALSE);
    RECT left{0, 0, 40, 60};
    ValidateRect(top, &left);
    HRGN bottom = CreateRectRgn(40, 30, 80, 60);
    ASSERT_TRUE(ValidateRgn(top, bottom));
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_RECT((RECT{40, 0, 80, 30}), update);
    EXPECT_EQ(GetUpdateRgn(top, bottom, FALSE), SIMPLEREGION);
    RECT box;
    GetRgnBox(bottom, &box);
    EXPECT_RECT((RECT{40, 0, 80, 30}), box);
    DeleteObject(bottom);
    wintest::PumpUntilIdle();
    auto paints = Events(top, WM_PAINT);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_RECT((RECT{40, 0, 80, 30}), paints[0].Rect);
}

TEST_F(PaintUpdate, InvalidationIsCroppedToTheClientArea) {
    HWND top = MakeTop({0, 0, 50, 40}, Red);
    Settle();
    RECT outside{-20, -20, 10, 500};
    InvalidateRect(top, &outside, FALSE);
    RECT update;
    EXPECT_TRUE(GetUpdateRect(top, &update, FALSE));
    EXPECT_RECT((RECT{0, 0, 10, 40}), update);
    ValidateRect(top, nullptr);
    RECT beyond{60, 0, 90, 10};
    InvalidateRect(top, &beyond, FALSE);
    EXPECT_FALSE(GetUpdateRect(top, &update, FALSE));
}

// A window DC kept for the window's lifetime (as a skinned frame keeps one): what it draws reaches the screen
// once the queue goes idle, with no ReleaseDC to announce it.
TEST_F(PaintUpdate, DrawingThroughAHeldWindowDCIsPresentedWhenTheQueueGoesIdle) {
    HWND top = MakeTop({10, 10, 60, 50}, Red);
    Settle();
    HDC held = GetWindowDC(top);
    ASSERT_NE(held, nullptr);
    RECT corner{0, 0, 6, 6};
    HBRUSH green = CreateSolidBrush(Green);
    FillRect(held, &corner, green);
    DeleteObject(green);
    auto presented = [&] {
        wintest::Picture picture = wintest::PresentedPicture(top);
        return picture.Pixels.empty() ? 0u : picture.Pixels[2 * picture.Width + 2] & 0xFFFFFF;
    };
    EXPECT_EQ(presented(), 0xFF0000u) << "nothing is presented before the queue is read";
    wintest::PumpUntilIdle();
    EXPECT_EQ(presented(), 0x00FF00u);
    ReleaseDC(top, held);
}

TEST_F(PaintUpdate, UpdateWindowPaintsBeforeReturning) {
    HWND top = MakeTop({0, 0, 50, 40}, Red);
    HWND child = MakeChild(top, {5, 5, 25, 25}, Green);
    Settle();

    Behaviours()[top].Paint = Blue;
    InvalidateRect(top, nullptr, TRUE);  // reaches the child: the parent does not clip children
    ASSERT_TRUE(UpdateWindow(top));
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    EXPECT_EQ(Messages(child), (std::vector<UINT>{WM_ERASEBKGND, WM_PAINT}));
    // Parent first, so the child's paint lands on top.
    ASSERT_EQ(Log().size(), 4u);
    EXPECT_EQ(Log()[1].Window, top);
    EXPECT_EQ(Log()[2].Window, child);
    EXPECT_EQ(Pixel(top, 40, 30), Blue);
    EXPECT_EQ(Pixel(top, 10, 10), Green);

    // Nothing invalid, nothing sent; nothing left for the queue either.
    ClearEvents();
    EXPECT_TRUE(UpdateWindow(top));
    wintest::PumpUntilIdle();
    EXPECT_TRUE(Log().empty());

    SetLastError(0);
    EXPECT_FALSE(UpdateWindow(reinterpret_cast<HWND>(0x7654321)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(PaintUpdate, PaintComesAfterPostedMessages) {
    HWND top = MakeTop({0, 0, 50, 40}, Red);
    Settle();
    InvalidateRect(top, nullptr, FALSE);
    PostMessageW(top, WM_USER + 1, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, top);
    // Not validated yet, so it is still there; painting it empties the queue.
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    DispatchMessageW(&msg);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
}

TEST_F(PaintUpdate, InternalPaintWithoutInvalidArea) {
    HWND top = MakeTop({0, 0, 50, 40}, Red);
    Settle();
    ASSERT_TRUE(RedrawWindow(top, nullptr, nullptr, RDW_INTERNALPAINT));
    EXPECT_FALSE(GetUpdateRect(top, nullptr, FALSE));
    wintest::PumpUntilIdle();
    auto paints = Events(top, WM_PAINT);
    ASSERT_EQ(paints.size(), 1u);
    EXPECT_RECT((RECT{0, 0, 0, 0}), paints[0].Rect);
    EXPECT_EQ(Pixel(top, 10, 10), Red);

    ClearEvents();
    RedrawWindow(top, nullptr, nullptr, RDW_INTERNALPAINT);
    RedrawWindow(top, nullptr, nullptr, RDW_NOINTERNALPAINT);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(Log().empty());
}

TEST_F(PaintUpdate, PaintingIsPresentedToTheDisplay) {
    HWND top = MakeTop({300, 200, 340, 230}, Red);
    Settle();
    wintest::Picture picture = wintest::PresentedPicture(top);
    ASSERT_EQ(picture.Width, 40);
    ASSERT_EQ(picture.Height, 30);
    EXPECT_EQ(picture.At(20, 15), 0xFF0000u);

    // Drawing through GetDC outside WM_PAINT reaches the display once the DC is released and the queue is idle.
    FillThroughGetDC(top, {0, 0, 5, 5}, Blue);
    EXPECT_EQ(Pixel(top, 2, 2), Blue);
    wintest::PumpUntilIdle();
    picture = wintest::PresentedPicture(top);
    EXPECT_EQ(picture.At(2, 2), 0x0000FFu);
    EXPECT_EQ(picture.At(20, 15), 0xFF0000u);
    wintest::Picture screen = wintest::Screenshot(nullptr);
    ASSERT_FALSE(screen.Empty());
    EXPECT_EQ(screen.At(302, 202), 0x0000FFu);
}

TEST_F(PaintUpdate, ClassRedrawStylesInvalidateTheWholeClientOnResize) {
    // From 60 x 40 to the new size: in each case the class asks for the whole client area, and the paint
    // that follows has it all (with erasing).
    struct Case {
        UINT classStyle;
        int width, height;
    };
    const Case cases[] = {
        {CS_HREDRAW, 80, 40},
        {CS_HREDRAW, 50, 40},
        {CS_VREDRAW, 60, 50},
        {CS_VREDRAW, 60, 30},
        {CS_HREDRAW | CS_VREDRAW, 50, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "class style " << c.classStyle << ", " << c.width << " x " << c.height);
        HWND top = MakeTop({0, 0, 60, 40}, Red, WS_POPUP | WS_VISIBLE, c.classStyle);
        HWND child = MakeChild(top, {5, 5, 25, 25}, Green);
        Settle();
        // The child is resized inside its parent, so no surface is replaced under it.
        Behaviours()[child].Paint = Blue;
        ASSERT_TRUE(SetWindowPos(child, nullptr, 0, 0, 20 + c.width - 60, 20 + c.height - 40,
                                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
        DestroyWindow(child);
        Settle();
        ASSERT_TRUE(SetWindowPos(top, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
        RECT update{};
        ASSERT_TRUE(GetUpdateRect(top, &update, FALSE));
        EXPECT_TRUE(SameRect(update, RECT{0, 0, c.width, c.height}));
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetUpdateRgn(top, region, FALSE), SIMPLEREGION);
        DeleteObject(region);
        wintest::PumpUntilIdle();
        EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}));
        DestroyWindow(top);
        Settle();
    }
}

}  // namespace

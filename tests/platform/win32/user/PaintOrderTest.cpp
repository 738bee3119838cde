// The painting messages of SetWindowPos and ShowWindow: the frame and the background of what a show or a size
// exposes are painted and erased inside the call, before WM_WINDOWPOSCHANGED; WM_PAINT comes later from the
// queue, and only for what became invalid.
#include "PaintFixture.h"

#include <testing/Testing.h>

#include <functional>

namespace {

class PaintOrder : public PaintFixture {};

constexpr UINT Quiet = SWP_NOZORDER | SWP_NOACTIVATE;
constexpr int Inset = 4;  // the probe's frame: a 200 x 150 window has a 192 x 142 client area

struct OrderCase {
    const char* Label;
    DWORD Style;
    UINT ClassStyle;
    std::function<void(HWND)> Change;
    std::vector<UINT> InCall;  // what the window gets while the call runs, in order
    std::vector<UINT> Later;   // what the queue sends afterwards
    RECT Painted;              // the later WM_PAINT's rcPaint (client coordinates)
    bool ClientKept;           // the client pixels from before stay where no WM_PAINT reaches
};

void Size(HWND hwnd, int cx, int cy, UINT flags = 0) {
    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, cx, cy, SWP_NOMOVE | Quiet | flags));
}

const OrderCase orderCases[] = {
    {"show",
     WS_POPUP,
     0,
     [](HWND hwnd) { ShowWindow(hwnd, SW_SHOW); },
     {WM_WINDOWPOSCHANGING, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED},
     {WM_PAINT},
     {0, 0, 192, 142},
     false},
    {"hide",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) { ShowWindow(hwnd, SW_HIDE); },
     {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED},
     {},
     {},
     true},
    // Without CS_HREDRAW the pixels stay and only the strip the client area gained is erased and painted.
    {"grow",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) { Size(hwnd, 240, 150); },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED},
     {WM_PAINT},
     {192, 0, 232, 142},
     true},
    {"shrink",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) { Size(hwnd, 160, 150); },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_WINDOWPOSCHANGED},
     {},
     {},
     true},
    {"growRedrawClass",
     WS_POPUP | WS_VISIBLE,
     CS_HREDRAW,
     [](HWND hwnd) { Size(hwnd, 240, 150); },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED},
     {WM_PAINT},
     {0, 0, 232, 142},
     false},
    // A width change leaves a class that redraws only vertically alone.
    {"growOtherRedrawClass",
     WS_POPUP | WS_VISIBLE,
     CS_VREDRAW,
     [](HWND hwnd) { Size(hwnd, 240, 150); },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED},
     {WM_PAINT},
     {192, 0, 232, 142},
     true},
    // DefWindowProc asks a sizable window for its limits before the new client area is computed.
    {"growSizable",
     WS_POPUP | WS_THICKFRAME | WS_VISIBLE,
     0,
     [](HWND hwnd) { Size(hwnd, 200, 170); },
     {WM_WINDOWPOSCHANGING, WM_GETMINMAXINFO, WM_NCCALCSIZE, WM_NCPAINT, WM_ERASEBKGND, WM_WINDOWPOSCHANGED},
     {WM_PAINT},
     {0, 142, 192, 162},
     true},
    {"frameChanged",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) {
         ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | Quiet | SWP_FRAMECHANGED));
     },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_NCPAINT, WM_WINDOWPOSCHANGED},
     {},
     {},
     true},
    {"move",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) { ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 30, 40, 0, 0, SWP_NOSIZE | Quiet)); },
     {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED},
     {},
     {},
     true},
    {"deferErase",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) { Size(hwnd, 240, 150, SWP_DEFERERASE); },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED},
     {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT},
     {192, 0, 232, 142},
     true},
    {"noRedraw",
     WS_POPUP | WS_VISIBLE,
     0,
     [](HWND hwnd) { Size(hwnd, 240, 150, SWP_NOREDRAW); },
     {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED},
     {},
     {},
     true},
};

TEST_F(PaintOrder, ShowSizeAndFrameChangesPaintInWindowsOrder) {
    for (const OrderCase& c : orderCases) {
        SCOPED_TRACE(c.Label);
        HWND top = MakeTop({100, 100, 300, 250}, Red, c.Style, c.ClassStyle);
        Behaviours()[top].FrameInset = Inset;
        SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | Quiet | SWP_FRAMECHANGED);
        Settle();
        Behaviours()[top].Paint = Blue;
        Behaviours()[top].EraseColor = Green;
        Behaviours()[top].LogsPlacement = true;

        c.Change(top);
        EXPECT_EQ(Messages(top), c.InCall);
        ClearEvents();
        EXPECT_TRUE(wintest::PumpUntilIdle());
        EXPECT_EQ(Messages(top), c.Later);
        auto paints = Events(top, WM_PAINT);
        if (!paints.empty()) {
            const RECT& r = paints[0].Rect;
            EXPECT_TRUE(EqualRect(&r, &c.Painted))
                << "painted (" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
        }
        if (IsWindowVisible(top)) {
            EXPECT_EQ(Pixel(top, Inset + 10, Inset + 10), c.ClientKept ? Red : Blue);
        }
        DestroyWindow(top);
        Settle();
    }
}

// A child that shrinks: its parent erases the part it uncovered inside the call, and the child's own frame is
// repainted there too; the paints follow from the queue.
TEST_F(PaintOrder, ShrinkingAChildErasesWhatItUncoveredInsideTheCall) {
    HWND top = MakeTop({0, 0, 200, 150}, Red);
    HWND child = MakeChild(top, {10, 10, 110, 60}, Green);
    Settle();
    Size(child, 60, 50);
    ASSERT_EQ(Events(top, WM_ERASEBKGND).size(), 1u);
    RECT erased = Events(top, WM_ERASEBKGND)[0].Rect;
    RECT uncovered{70, 10, 110, 60};
    EXPECT_TRUE(EqualRect(&erased, &uncovered));
    EXPECT_EQ(Messages(child), (std::vector<UINT>{WM_NCPAINT}));
    EXPECT_TRUE(Events(top, WM_PAINT).empty());
    ClearEvents();
    EXPECT_TRUE(wintest::PumpUntilIdle());
    EXPECT_EQ(Messages(top), (std::vector<UINT>{WM_PAINT}));
    EXPECT_TRUE(Messages(child).empty());
}

// DefWindowProc keeps a sizable window within the limits WM_GETMINMAXINFO answers.
TEST_F(PaintOrder, SizingKeepsTheTrackSizeLimits) {
    HWND top = MakeTop({0, 0, 200, 150}, Red, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Settle();
    Size(top, 5, 5);
    RECT rect;
    GetWindowRect(top, &rect);
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXMINTRACK));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYMINTRACK));
}

}  // namespace

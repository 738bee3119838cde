// Scroll bars: values and clamping, showing, hiding and disabling with the window's styles, the geometry
// GetScrollBarInfo reports, mouse and keyboard driving a bar, and the classic picture.
#include <testing/Testing.h>

#include <Png.h>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Scroll {
    UINT message;
    int code;
    int pos;
    LPARAM control;
    bool operator==(const Scroll& other) const {
        return message == other.message && code == other.code && pos == other.pos && control == other.control;
    }
};

std::ostream& operator<<(std::ostream& out, const Scroll& s) {
    return out << (s.message == WM_VSCROLL ? "V" : "H") << "(" << s.code << "," << s.pos << "," << s.control << ")";
}

std::vector<Scroll>& Received() {
    static std::vector<Scroll> received;
    return received;
}

LRESULT ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL: {
        int code = LOWORD(wParam);
        int pos = (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) ? static_cast<short>(HIWORD(wParam)) : 0;
        Received().push_back({message, code, pos, lParam});
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Input steps run one per timer tick, from inside the loop that tracks the mouse.
std::vector<std::function<void()>>& Steps() {
    static std::vector<std::function<void()>> steps;
    return steps;
}

void RunNextStep(HWND, UINT, UINT_PTR id, DWORD) {
    if (Steps().empty()) {
        KillTimer(nullptr, id);
        return;
    }
    auto step = Steps().front();
    Steps().erase(Steps().begin());
    step();
}

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ProbeProc;
        wc.lpszClassName = u"ScrollBarProbe";
        RegisterClassExW(&wc);
        Received().clear();
        wintest::ResetInput();
    }
    void TearDown() override {
        for (HWND hwnd : FMade) DestroyWindow(hwnd);
        wintest::PumpUntilIdle();
        UnregisterClassW(u"ScrollBarProbe", nullptr);
    }

    HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr) {
        HWND hwnd = CreateWindowExW(0, u"ScrollBarProbe", u"", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
        if (!parent) FMade.push_back(hwnd);
        return hwnd;
    }
    HWND MakeControl(HWND parent, DWORD style, int x, int y, int cx, int cy) {
        return CreateWindowExW(0, u"SCROLLBAR", u"", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, parent, nullptr,
                               nullptr, nullptr);
    }
    static SCROLLINFO Info(UINT mask, int min, int max, UINT page, int pos) {
        return SCROLLINFO{sizeof(SCROLLINFO), mask, min, max, page, pos, 0};
    }
    static SCROLLINFO Get(HWND hwnd, int bar) {
        SCROLLINFO info = Info(SIF_ALL, -1, -1, 99, -1);
        EXPECT_TRUE(GetScrollInfo(hwnd, bar, &info));
        return info;
    }
    static SCROLLBARINFO BarInfo(HWND hwnd, LONG object) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(GetScrollBarInfo(hwnd, object, &info));
        return info;
    }
    static RECT ClientRect(HWND hwnd) {
        RECT rect;
        GetClientRect(hwnd, &rect);
        return rect;
    }

    std::vector<HWND> FMade;
};

TEST_F(ScrollBarTest, SetScrollInfoClampsThePageAndPositionAndReturnsThePosition) {
    struct Case {
        UINT mask;
        int min, max;
        UINT page;
        int pos;
        int expectMin, expectMax;
        UINT expectPage;
        int expectPos;
    };
    // Each case starts from range 0..100, page 0, position 40.
    const Case cases[] = {
        {SIF_POS, 0, 0, 0, 70, 0, 100, 0, 70},
        {SIF_POS, 0, 0, 0, -5, 0, 100, 0, 0},
        {SIF_POS, 0, 0, 0, 101, 0, 100, 0, 100},
        {SIF_PAGE, 0, 0, 10, 0, 0, 100, 10, 40},
        {SIF_PAGE | SIF_POS, 0, 0, 10, 95, 0, 100, 10, 91},  // a full page ends at the maximum
        {SIF_PAGE, 0, 0, 500, 0, 0, 100, 101, 0},            // no page beyond the whole range
        {SIF_RANGE, 10, 20, 0, 0, 10, 20, 0, 20},
        {SIF_RANGE, 50, 60, 0, 0, 50, 60, 0, 50},
        {SIF_RANGE, 20, 10, 0, 0, 0, 0, 0, 0},  // backwards: no range at all
        {SIF_RANGE | SIF_PAGE | SIF_POS, -50, 50, 20, 45, -50, 50, 20, 31},
        {SIF_RANGE | SIF_POS, 0, 0, 0, 7, 0, 0, 0, 0},
        {0, 1, 2, 3, 4, 0, 100, 0, 40},
    };
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VSCROLL, 10, 10, 200, 200);
    for (const Case& c : cases) {
        SCROLLINFO start = Info(SIF_ALL, 0, 100, 0, 40);
        SetScrollInfo(hwnd, SB_VERT, &start, FALSE);
        SCROLLINFO info = Info(c.mask, c.min, c.max, c.page, c.pos);
        SCOPED_TRACE("mask " + std::to_string(c.mask) + " pos " + std::to_string(c.pos));
        EXPECT_EQ(SetScrollInfo(hwnd, SB_VERT, &info, FALSE), c.expectPos);
        SCROLLINFO got = Get(hwnd, SB_VERT);
        EXPECT_EQ(got.nMin, c.expectMin);
        EXPECT_EQ(got.nMax, c.expectMax);
        EXPECT_EQ(got.nPage, c.expectPage);
        EXPECT_EQ(got.nPos, c.expectPos);
        EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), c.expectPos);
    }
}

TEST_F(ScrollBarTest, OlderFunctionsAndRefusals) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_HSCROLL, 10, 10, 200, 200);
    int min = -1, max = -1;
    // A window made with the style starts with the range 0..100.
    EXPECT_TRUE(GetScrollRange(hwnd, SB_HORZ, &min, &max));
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 100);
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, 30, FALSE), 0);  // the previous position
    EXPECT_EQ(SetScrollPos(hwnd, SB_HORZ, 300, FALSE), 30);
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 100);
    EXPECT_TRUE(SetScrollRange(hwnd, SB_HORZ, 0, 50, FALSE));
    EXPECT_EQ(GetScrollPos(hwnd, SB_HORZ), 50);
    SetLastError(0);
    EXPECT_FALSE(SetScrollRange(hwnd, SB_HORZ, INT_MIN, INT_MAX, FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SCROLLBAR_RANGE));

    // Bad structures, unknown flags and bars are refused.
    SCROLLINFO info = Info(SIF_POS, 0, 0, 0, 5);
    info.cbSize = 0;
    SetLastError(0);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_HORZ, &info, FALSE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    info = Info(0x100 | SIF_POS, 0, 0, 0, 5);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_HORZ, &info, FALSE), 0);
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_HORZ, &info));
    info = Info(SIF_POS, 0, 0, 0, 5);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_BOTH, &info, FALSE), 0);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_CTL, &info, FALSE), 0);  // not a scroll bar control
    // The structure without nTrackPos is accepted.
    info.cbSize = sizeof(SCROLLINFO) - sizeof(int);
    EXPECT_EQ(SetScrollInfo(hwnd, SB_HORZ, &info, FALSE), 5);

    // A window that never had a vertical bar has no values to read.
    SetLastError(0);
    info = Info(SIF_ALL, 0, 0, 0, 0);
    EXPECT_FALSE(GetScrollInfo(hwnd, SB_VERT, &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_SCROLLBARS));
    EXPECT_EQ(GetScrollPos(hwnd, SB_VERT), 0);
    EXPECT_FALSE(GetScrollRange(hwnd, SB_VERT, &min, &max));
    EXPECT_EQ(SetScrollPos(reinterpret_cast<HWND>(0x7FFFFF), SB_HORZ, 1, FALSE), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(ScrollBarTest, AnEmptyRangeHidesTheBarOrDisablesItAndTheFrameFollows) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_VISIBLE, 10, 10, 200, 200);
    wintest::PumpUntilIdle();
    LONG withBar = ClientRect(hwnd).right;
    auto style = [&] { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); };

    SCROLLINFO info = Info(SIF_RANGE, 0, 0, 0, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_FALSE(style() & WS_VSCROLL);
    EXPECT_EQ(ClientRect(hwnd).right, withBar + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_TRUE(BarInfo(hwnd, OBJID_VSCROLL).rgstate[0] & STATE_SYSTEM_INVISIBLE);

    info = Info(SIF_RANGE | SIF_PAGE, 0, 100, 20, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_TRUE(style() & WS_VSCROLL);
    EXPECT_EQ(ClientRect(hwnd).right, withBar);
    EXPECT_EQ(BarInfo(hwnd, OBJID_VSCROLL).rgstate[0], 0u);

    // A page as large as the range leaves nothing to scroll: with SIF_DISABLENOSCROLL the bar stays, disabled.
    info = Info(SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 101, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_TRUE(style() & WS_VSCROLL);
    SCROLLBARINFO bar = BarInfo(hwnd, OBJID_VSCROLL);
    EXPECT_EQ(bar.rgstate[0], static_cast<DWORD>(STATE_SYSTEM_UNAVAILABLE));
    EXPECT_TRUE(bar.rgstate[1] & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(bar.rgstate[3] & STATE_SYSTEM_INVISIBLE);
    info = Info(SIF_PAGE | SIF_DISABLENOSCROLL, 0, 0, 10, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_EQ(BarInfo(hwnd, OBJID_VSCROLL).rgstate[0], 0u);

    // Changing only the position never hides a bar shown by hand.
    info = Info(SIF_RANGE, 0, 0, 0, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_TRUE(ShowScrollBar(hwnd, SB_BOTH, TRUE));
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), static_cast<DWORD>(WS_HSCROLL | WS_VSCROLL));
    EXPECT_EQ(ClientRect(hwnd).right, withBar);
    info = Info(SIF_POS, 0, 0, 0, 3);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    EXPECT_TRUE(style() & WS_VSCROLL);
    LONG bottomWithBar = ClientRect(hwnd).bottom;
    EXPECT_TRUE(ShowScrollBar(hwnd, SB_HORZ, FALSE));
    EXPECT_EQ(style() & (WS_HSCROLL | WS_VSCROLL), static_cast<DWORD>(WS_VSCROLL));
    EXPECT_EQ(ClientRect(hwnd).bottom, bottomWithBar + GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_FALSE(ShowScrollBar(hwnd, 7, TRUE));
}

TEST_F(ScrollBarTest, EnableScrollBarReportsChangesAndMarksTheArrows) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL, 10, 10, 200, 200);
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, ESB_ENABLE_BOTH));  // already so
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_UP));
    SCROLLBARINFO bar = BarInfo(hwnd, OBJID_VSCROLL);
    EXPECT_EQ(bar.rgstate[1], static_cast<DWORD>(STATE_SYSTEM_UNAVAILABLE));
    EXPECT_EQ(bar.rgstate[5], 0u);
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, ESB_DISABLE_UP));
    EXPECT_TRUE(EnableScrollBar(hwnd, SB_BOTH, ESB_DISABLE_BOTH));
    EXPECT_TRUE(BarInfo(hwnd, OBJID_HSCROLL).rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    SetLastError(0);
    EXPECT_FALSE(EnableScrollBar(hwnd, SB_VERT, 4));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(ScrollBarTest, GetScrollBarInfoGeometry) {
    HWND hwnd = Make(WS_POPUP | WS_VSCROLL | WS_HSCROLL, 100, 100, 200, 150);
    SCROLLINFO info = Info(SIF_ALL, 0, 99, 10, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, FALSE);
    SCROLLBARINFO bar = BarInfo(hwnd, OBJID_VSCROLL);
    EXPECT_EQ(bar.rcScrollBar.left, 283);
    EXPECT_EQ(bar.rcScrollBar.top, 100);
    EXPECT_EQ(bar.rcScrollBar.right, 300);
    EXPECT_EQ(bar.rcScrollBar.bottom, 233);
    EXPECT_EQ(bar.dxyLineButton, 17);
    // 99 pixels of track, a tenth of them for the page.
    EXPECT_EQ(bar.xyThumbTop, 17);
    EXPECT_EQ(bar.xyThumbBottom, 27);
    SetScrollPos(hwnd, SB_VERT, 90, FALSE);
    bar = BarInfo(hwnd, OBJID_VSCROLL);
    EXPECT_EQ(bar.xyThumbTop, 106);
    EXPECT_EQ(bar.xyThumbBottom, 116);
    // A huge range keeps a thumb one can still take.
    info = Info(SIF_ALL, 0, 100000, 1, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, FALSE);
    bar = BarInfo(hwnd, OBJID_VSCROLL);
    EXPECT_EQ(bar.xyThumbBottom - bar.xyThumbTop, 8);

    SCROLLBARINFO horizontal = BarInfo(hwnd, OBJID_HSCROLL);
    EXPECT_EQ(horizontal.rcScrollBar.left, 100);
    EXPECT_EQ(horizontal.rcScrollBar.top, 233);
    EXPECT_EQ(horizontal.rcScrollBar.right, 283);
    EXPECT_EQ(horizontal.rcScrollBar.bottom, 250);
    // Without a page the thumb is as long as the bar is thick.
    EXPECT_EQ(horizontal.xyThumbBottom - horizontal.xyThumbTop, 17);

    SCROLLBARINFO bad{};
    bad.cbSize = sizeof(bad) - 1;
    EXPECT_FALSE(GetScrollBarInfo(hwnd, OBJID_VSCROLL, &bad));
    bad.cbSize = sizeof(bad);
    EXPECT_FALSE(GetScrollBarInfo(hwnd, OBJID_CLIENT, &bad));  // not a scroll bar control
}

class ScrollBarControlTest : public ScrollBarTest {
protected:
    void SetUp() override {
        ScrollBarTest::SetUp();
        FParent = Make(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
        FBar = MakeControl(FParent, SBS_HORZ | WS_TABSTOP, 10, 10, 200, 17);
        SCROLLINFO info = Info(SIF_ALL, 0, 100, 10, 50);
        SetScrollInfo(FBar, SB_CTL, &info, TRUE);
        wintest::PumpUntilIdle();
    }
    Scroll H(int code, int pos = 0) const { return Scroll{WM_HSCROLL, code, pos, reinterpret_cast<LPARAM>(FBar)}; }
    // Screen coordinates of a point of the bar control.
    static POINT At(int x, int y) { return POINT{110 + x, 110 + y}; }

    HWND FParent = nullptr;
    HWND FBar = nullptr;
};

TEST_F(ScrollBarControlTest, ClicksOnArrowsAndTrackNotifyTheParent) {
    // 166 pixels of track: the thumb is 16 long and for position 50 starts at 99.
    SCROLLBARINFO bar = BarInfo(FBar, OBJID_CLIENT);
    EXPECT_EQ(bar.xyThumbTop, 99);
    EXPECT_EQ(bar.xyThumbBottom, 115);

    POINT left = At(5, 8), right = At(195, 8), pageLeft = At(40, 8), pageRight = At(150, 8);
    for (POINT pt : {left, right, pageLeft, pageRight}) wintest::MouseClick(pt.x, pt.y);
    wintest::PumpUntilIdle();
    std::vector<Scroll> expected{H(SB_LINELEFT), H(SB_ENDSCROLL), H(SB_LINERIGHT), H(SB_ENDSCROLL),
                                 H(SB_PAGELEFT), H(SB_ENDSCROLL), H(SB_PAGERIGHT), H(SB_ENDSCROLL)};
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetFocus(), FBar);  // a WS_TABSTOP bar takes the focus when clicked
    // The position is the application's to change.
    EXPECT_EQ(GetScrollPos(FBar, SB_CTL), 50);

    // Disabled arrows ignore the mouse.
    Received().clear();
    EnableScrollBar(FBar, SB_CTL, ESB_DISABLE_LEFT);
    wintest::MouseClick(left.x, left.y);
    wintest::PumpUntilIdle();
    EXPECT_TRUE(Received().empty());
}

TEST_F(ScrollBarControlTest, DraggingTheThumbTracksThenSetsThePosition) {
    POINT thumb = At(107, 8);
    wintest::MouseMove(thumb.x, thumb.y);
    wintest::MouseDown();
    // Moves that wait in the queue together arrive as one, so each comes from a timer while the bar tracks.
    Steps() = {[=] { wintest::MouseMove(thumb.x + 30, thumb.y + 5); },
               [=] { wintest::MouseMove(thumb.x + 30, thumb.y + 17 * 8 + 40); },  // far off the bar: back to the start
               [=] { wintest::MouseMove(thumb.x - 120, thumb.y); },  // beyond the left end, but near the bar
               [] { wintest::MouseUp(); }};
    SetTimer(nullptr, 0, 20, RunNextStep);
    wintest::PumpUntilIdle();
    // Thumb start 129 of 150 free pixels past the arrow: 112 * 91 / 150 is 68.
    std::vector<Scroll> expected{H(SB_THUMBTRACK, 68), H(SB_THUMBTRACK, 50), H(SB_THUMBTRACK, 0),
                                 H(SB_THUMBPOSITION, 0), H(SB_ENDSCROLL)};
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(GetCapture(), nullptr);
    SCROLLINFO info = Info(SIF_TRACKPOS, 0, 0, 0, 0);
    info.nTrackPos = -1;
    GetScrollInfo(FBar, SB_CTL, &info);
    EXPECT_EQ(info.nTrackPos, 50);  // no drag: the position itself
}

void ReleaseAfterTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    wintest::MouseUp();
}

TEST_F(ScrollBarControlTest, AHeldArrowRepeats) {
    POINT right = At(195, 8);
    wintest::MouseMove(right.x, right.y);
    wintest::MouseDown();
    // The keyboard delay (500 ms here) passes before the first repeat, then one every 50 ms or so.
    SetTimer(nullptr, 0, 900, ReleaseAfterTimer);
    wintest::PumpUntilIdle();
    int lines = 0;
    for (const Scroll& s : Received()) lines += s.code == SB_LINERIGHT;
    EXPECT_GE(lines, 3);
    ASSERT_FALSE(Received().empty());
    EXPECT_EQ(Received().back(), H(SB_ENDSCROLL));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarControlTest, KeysScrollTheFocusedBar) {
    SetFocus(FBar);
    for (UINT vk : {VK_RIGHT, VK_LEFT, VK_NEXT, VK_PRIOR, VK_HOME, VK_END}) wintest::KeyPress(vk);
    wintest::PumpUntilIdle();
    std::vector<Scroll> expected;
    for (int code : {SB_LINERIGHT, SB_LINELEFT, SB_PAGERIGHT, SB_PAGELEFT, SB_LEFT, SB_RIGHT}) {
        expected.push_back(H(code));
        expected.push_back(H(SB_ENDSCROLL));
    }
    EXPECT_EQ(Received(), expected);
    EXPECT_EQ(SendMessageW(FBar, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(ScrollBarControlTest, AlignmentStylesKeepOneEdgeAndTheStandardThickness) {
    HWND bar = MakeControl(FParent, SBS_VERT | SBS_RIGHTALIGN, 10, 40, 100, 120);
    RECT rect;
    GetWindowRect(bar, &rect);
    EXPECT_EQ(rect.left, 210 - 17);
    EXPECT_EQ(rect.right, 210);
    EXPECT_EQ(rect.bottom - rect.top, 120);
    EXPECT_FALSE(ShowScrollBar(FParent, SB_CTL, TRUE));
    EXPECT_TRUE(ShowScrollBar(bar, SB_CTL, FALSE));
    EXPECT_FALSE(IsWindowVisible(bar));
}

// Each look's pictures: classic ones without a prefix, the visual style's with "styled-".
struct Look {
    bool Styled;
    const char* Prefix;
};
constexpr Look Looks[] = {{false, ""}, {true, "styled-"}};

std::string Golden(const Look& look, const char* name) {
    return std::string(TEST_SOURCE_DIR) + "/platform/win32/user/data/" + look.Prefix + name;
}

TEST_F(ScrollBarControlTest, PictureOfControlsInEachLook) {
    for (const Look& look : Looks) {
        SCOPED_TRACE(look.Prefix);
        wintest::ScopedVisualStyles styles(look.Styled);
        // Beside the horizontal bar: a vertical one with a long thumb, a disabled one and one too short for a
        // track.
        HWND vertical = MakeControl(FParent, SBS_VERT, 220, 10, 17, 120);
        SCROLLINFO info = Info(SIF_ALL, 0, 10, 6, 2);
        SetScrollInfo(vertical, SB_CTL, &info, TRUE);
        HWND disabled = MakeControl(FParent, SBS_HORZ, 10, 40, 120, 17);
        EnableScrollBar(disabled, SB_CTL, ESB_DISABLE_BOTH);
        HWND tiny = MakeControl(FParent, SBS_HORZ, 10, 70, 30, 17);  // arrows share a bar too short for them
        SetScrollInfo(tiny, SB_CTL, &info, TRUE);
        wintest::PumpUntilIdle();
        wintest::Picture picture = wintest::Screenshot(FParent);
        ASSERT_FALSE(picture.Empty());
        EXPECT_TRUE(MatchesGolden(Golden(look, "scrollbar-controls.png"), picture.Width, picture.Height,
                                  picture.Pixels.data()));
        for (HWND control : {vertical, disabled, tiny}) DestroyWindow(control);
    }
}

TEST_F(ScrollBarControlTest, PressedArrowAndDraggedThumbInEachLook) {
    for (const Look& look : Looks) {
        SCOPED_TRACE(look.Prefix);
        wintest::ScopedVisualStyles styles(look.Styled);
        wintest::PumpUntilIdle();
        wintest::Picture arrow, thumb;
        // Each picture is taken from a timer while the bar tracks the held button.
        POINT right = At(195, 8), grip = At(107, 8);
        wintest::MouseMove(right.x, right.y);
        wintest::MouseDown();
        Steps() = {[&] {
            arrow = wintest::Screenshot(FBar);
            wintest::MouseUp();
        }};
        SetTimer(nullptr, 0, 20, RunNextStep);
        wintest::PumpUntilIdle();
        wintest::MouseMove(grip.x, grip.y);
        wintest::MouseDown();
        Steps() = {[=] { wintest::MouseMove(grip.x + 30, grip.y); },
                   [&] {
                       thumb = wintest::Screenshot(FBar);
                       wintest::MouseUp();
                   }};
        SetTimer(nullptr, 0, 20, RunNextStep);
        wintest::PumpUntilIdle();
        ASSERT_FALSE(arrow.Empty());
        ASSERT_FALSE(thumb.Empty());
        EXPECT_TRUE(
            MatchesGolden(Golden(look, "scrollbar-pressed-arrow.png"), arrow.Width, arrow.Height, arrow.Pixels.data()));
        EXPECT_TRUE(
            MatchesGolden(Golden(look, "scrollbar-dragged-thumb.png"), thumb.Width, thumb.Height, thumb.Pixels.data()));
    }
}

// The window's own bars, through the default frame's hit testing and WM_NCLBUTTONDOWN. Off until the default
// window procedure hands WM_NCPAINT and WM_NCLBUTTONDOWN to the scroll bar functions.
TEST_F(ScrollBarTest, ClicksOnAWindowsOwnBars) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 100, 100, 200, 150);
    SCROLLINFO info = Info(SIF_ALL, 0, 99, 10, 0);
    SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(290, 200)), HTVSCROLL);
    EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(150, 240)), HTHSCROLL);
    wintest::MouseClick(290, 225);  // the down arrow
    wintest::MouseClick(290, 180);  // below the thumb
    wintest::MouseClick(110, 240);  // the left arrow
    wintest::PumpUntilIdle();
    std::vector<Scroll> expected{{WM_VSCROLL, SB_LINEDOWN, 0, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0, 0},
                                 {WM_VSCROLL, SB_PAGEDOWN, 0, 0}, {WM_VSCROLL, SB_ENDSCROLL, 0, 0},
                                 {WM_HSCROLL, SB_LINELEFT, 0, 0}, {WM_HSCROLL, SB_ENDSCROLL, 0, 0}};
    EXPECT_EQ(Received(), expected);
}

TEST_F(ScrollBarTest, PictureOfBothBarsInEachLook) {
    for (const Look& look : Looks) {
        SCOPED_TRACE(look.Prefix);
        wintest::ScopedVisualStyles styles(look.Styled);
        HWND hwnd = Make(WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 40, 40, 160, 120);
        SCROLLINFO info = Info(SIF_ALL, 0, 99, 25, 30);
        SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
        info = Info(SIF_ALL, 0, 9, 0, 9);
        SetScrollInfo(hwnd, SB_HORZ, &info, TRUE);
        EnableScrollBar(hwnd, SB_HORZ, ESB_DISABLE_RIGHT);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        wintest::PumpUntilIdle();
        wintest::Picture picture = wintest::Screenshot(hwnd);
        ASSERT_FALSE(picture.Empty());
        EXPECT_TRUE(
            MatchesGolden(Golden(look, "scrollbar-both.png"), picture.Width, picture.Height, picture.Pixels.data()));
        DestroyWindow(hwnd);
    }
}

}  // namespace

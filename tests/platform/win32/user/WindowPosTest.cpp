// SetWindowPos and ShowWindow: the message sequences Windows sends for moves, sizes, frame changes, nested
// calls and show commands, what NCCALCSIZE_PARAMS.lppos holds, z-order and placement.
#include "WindowFixture.h"

#include <algorithm>

namespace {

class WindowPosTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Parent = Make(u"parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300);
        Child = Make(u"child", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, Parent);
        ClearLog();
    }
    HWND Parent = nullptr;
    HWND Child = nullptr;
};

struct PosCase {
    const char* Label;
    int X, Y, Cx, Cy;
    UINT Flags;
    std::vector<std::string> Expected;
};

class SetWindowPosTable : public WindowPosTest, public ::testing::WithParamInterface<PosCase> {};

TEST_P(SetWindowPosTable, SendsWindowsSequence) {
    const PosCase& c = GetParam();
    ASSERT_TRUE(SetWindowPos(Child, nullptr, c.X, c.Y, c.Cx, c.Cy, c.Flags));
    EXPECT_EQ(Log(), c.Expected);
}

constexpr UINT Quiet = SWP_NOZORDER | SWP_NOACTIVATE;

INSTANTIATE_TEST_SUITE_P(
    Cases, SetWindowPosTable,
    ::testing::Values(
        PosCase{"move",
                20,
                30,
                0,
                0,
                Quiet | SWP_NOSIZE,
                {"child: changing(NOSIZE|NOZORDER|NOACTIVATE)", "child: changed(NOSIZE|NOZORDER|NOACTIVATE)",
                 "child: move(20,30)"}},
        PosCase{"size",
                0,
                0,
                120,
                60,
                Quiet | SWP_NOMOVE,
                {"child: changing(NOMOVE|NOZORDER|NOACTIVATE)", "child: nccalcsize(1)",
                 "child: changed(NOMOVE|NOZORDER|NOACTIVATE)", "child: size(0,120,60)"}},
        PosCase{"both",
                20,
                30,
                120,
                60,
                Quiet,
                {"child: changing(NOZORDER|NOACTIVATE)", "child: nccalcsize(1)", "child: changed(NOZORDER|NOACTIVATE)",
                 "child: move(20,30)", "child: size(0,120,60)"}},
        // Same place and size given as a move: Windows finds nothing changed and sends no WM_WINDOWPOSCHANGED.
        PosCase{"nothing", 10, 10, 100, 50, Quiet, {"child: changing(NOZORDER|NOACTIVATE)"}},
        PosCase{"noSendChanging",
                20,
                30,
                0,
                0,
                Quiet | SWP_NOSIZE | SWP_NOSENDCHANGING,
                {"child: changed(NOSIZE|NOZORDER|NOACTIVATE)", "child: move(20,30)"}},
        PosCase{"frameChanged",
                0,
                0,
                0,
                0,
                Quiet | SWP_NOSIZE | SWP_NOMOVE | SWP_FRAMECHANGED,
                {"child: changing(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|FRAMECHANGED)", "child: nccalcsize(1)",
                 "child: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|FRAMECHANGED)"}}),
    [](const ::testing::TestParamInfo<PosCase>& info) { return std::string(info.param.Label); });

// A handler of WM_WINDOWPOSCHANGING that sets a window region (a nested SetWindowPos with SWP_FRAMECHANGED) and
// narrows the request: the inner call runs to its end, then the outer one goes on with the edited WINDOWPOS.
TEST_F(WindowPosTest, NestedSetWindowPosFromChanging) {
    bool nested = false;
    OnMessage("child", [&](HWND hwnd, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_WINDOWPOSCHANGING && !nested) {
            nested = true;
            SetWindowRgn(hwnd, CreateRectRgn(0, 0, 50, 50), TRUE);
            reinterpret_cast<WINDOWPOS*>(l)->cx = 77;
        }
        return std::nullopt;
    });
    ASSERT_TRUE(SetWindowPos(Child, nullptr, 20, 30, 120, 60, Quiet));
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "child: changing(NOZORDER|NOACTIVATE)",
                         "child: changing(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|FRAMECHANGED)",
                         "child: nccalcsize(1)",
                         "child: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|FRAMECHANGED)",
                         "child: nccalcsize(1)",
                         "child: changed(NOZORDER|NOACTIVATE)",
                         "child: move(20,30)",
                         "child: size(0,77,60)",
                     }));
    RECT rect;
    GetWindowRect(Child, &rect);
    EXPECT_EQ(rect.right - rect.left, 77);
    RECT box;
    EXPECT_EQ(GetWindowRgnBox(Child, &box), SIMPLEREGION);
}

// WM_NCCALCSIZE's lppos says where the window goes even when the caller left the position or size out.
TEST_F(WindowPosTest, NcCalcSizeSeesTheRealPosition) {
    WINDOWPOS seen{};
    RECT proposed{};
    OnMessage("child", [&](HWND, UINT m, WPARAM w, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_NCCALCSIZE && w) {
            auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
            seen = *params->lppos;
            proposed = params->rgrc[0];
        }
        return std::nullopt;
    });
    ASSERT_TRUE(SetWindowPos(Child, nullptr, 999, 999, 130, 70, Quiet | SWP_NOMOVE));
    EXPECT_EQ(seen.x, 10);
    EXPECT_EQ(seen.y, 10);
    EXPECT_EQ(seen.cx, 130);
    EXPECT_EQ(seen.cy, 70);
    EXPECT_EQ(proposed.left, 10);
    EXPECT_EQ(proposed.right, 140);
    ASSERT_TRUE(SetWindowPos(Child, nullptr, 0, 0, 0, 0, Quiet | SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED));
    EXPECT_EQ(seen.x, 10);
    EXPECT_EQ(seen.cx, 130);
    EXPECT_EQ(seen.cy, 70);
}

TEST_F(WindowPosTest, RejectsBadArguments) {
    EXPECT_FALSE(SetWindowPos(reinterpret_cast<HWND>(0x7777), nullptr, 0, 0, 0, 0, SWP_NOSIZE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(SetWindowPos(Child, nullptr, 0, 0, 0, 0, 0x00100000));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    // hWndInsertAfter must be a sibling.
    EXPECT_FALSE(SetWindowPos(Child, Parent, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE));
}

struct ShowCase {
    const char* Label;
    DWORD Start;  // WS_VISIBLE, WS_MAXIMIZE or WS_MINIMIZE states to reach first
    int Command;
    BOOL Result;
    std::vector<std::string> Expected;
};

class ShowWindowTable : public WindowFixture, public ::testing::WithParamInterface<ShowCase> {};

TEST_P(ShowWindowTable, SendsWindowsSequence) {
    const ShowCase& c = GetParam();
    HWND w = Make(u"w", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200);
    ASSERT_NE(w, nullptr);
    if (c.Start & WS_VISIBLE) ShowWindow(w, SW_SHOW);
    if (c.Start & WS_MAXIMIZE) ShowWindow(w, SW_MAXIMIZE);
    if (c.Start & WS_MINIMIZE) ShowWindow(w, SW_MINIMIZE);
    ClearLog();
    EXPECT_EQ(ShowWindow(w, c.Command), c.Result);
    // WM_GETMINMAXINFO, WM_MOVE and WM_SIZE come from DefWindowProc's handling, checked elsewhere.
    EXPECT_EQ(LogWithout({"getminmaxinfo", "move", "size"}), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShowWindowTable,
    ::testing::Values(ShowCase{"show",
                               0,
                               SW_SHOW,
                               FALSE,
                               {"w: showwindow(1,0)", "w: changing(NOSIZE|NOMOVE|SHOWWINDOW)",
                                "w: changed(NOSIZE|NOMOVE|NOZORDER|SHOWWINDOW)"}},
                      ShowCase{"showShown", WS_VISIBLE, SW_SHOW, TRUE, {}},
                      ShowCase{"hide",
                               WS_VISIBLE,
                               SW_HIDE,
                               TRUE,
                               {"w: showwindow(0,0)", "w: changing(NOSIZE|NOMOVE|HIDEWINDOW)",
                                "w: changed(NOSIZE|NOMOVE|NOZORDER|HIDEWINDOW)"}},
                      ShowCase{"hideHidden", 0, SW_HIDE, FALSE, {}},
                      ShowCase{"showNa",
                               0,
                               SW_SHOWNA,
                               FALSE,
                               {"w: showwindow(1,0)", "w: changing(NOSIZE|NOMOVE|NOACTIVATE|SHOWWINDOW)",
                                "w: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|SHOWWINDOW)"}},
                      // A state change carries no WM_SHOWWINDOW.
                      ShowCase{"minimize",
                               WS_VISIBLE,
                               SW_MINIMIZE,
                               TRUE,
                               {"w: changing(NOZORDER|NOACTIVATE|FRAMECHANGED|SHOWWINDOW)", "w: nccalcsize(1)",
                                "w: changed(NOZORDER|NOACTIVATE|FRAMECHANGED)"}},
                      ShowCase{"maximize",
                               WS_VISIBLE,
                               SW_MAXIMIZE,
                               TRUE,
                               {"w: changing(FRAMECHANGED)", "w: nccalcsize(1)", "w: changed(NOZORDER|FRAMECHANGED)"}},
                      ShowCase{"restoreMaximized",
                               WS_VISIBLE | WS_MAXIMIZE,
                               SW_RESTORE,
                               TRUE,
                               {"w: changing(FRAMECHANGED)", "w: nccalcsize(1)", "w: changed(NOZORDER|FRAMECHANGED)"}},
                      ShowCase{"restoreMinimized",
                               WS_VISIBLE | WS_MINIMIZE,
                               SW_RESTORE,
                               TRUE,
                               {"w: changing(FRAMECHANGED)", "w: nccalcsize(1)", "w: changed(NOZORDER|FRAMECHANGED)"}}),
    [](const ::testing::TestParamInfo<ShowCase>& info) { return std::string(info.param.Label); });

using ShowStateTest = WindowFixture;

TEST_F(ShowStateTest, MinimizeMaximizeRestoreMoveTheWindowAndKeepThePlacement) {
    HWND w = Make(u"w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    RECT normal{100, 100, 400, 300}, rect;
    ShowWindow(w, SW_MAXIMIZE);
    EXPECT_TRUE(IsZoomed(w));
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(w, &rect);
    int frame = GetSystemMetrics(SM_CXFRAME);
    EXPECT_EQ(rect.left, work.left - frame);
    EXPECT_EQ(rect.bottom, work.bottom + frame);

    ShowWindow(w, SW_MINIMIZE);
    EXPECT_TRUE(IsIconic(w));
    EXPECT_FALSE(IsZoomed(w));
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(w, &placement));
    EXPECT_EQ(placement.showCmd, static_cast<UINT>(SW_SHOWMINIMIZED));
    EXPECT_EQ(placement.flags, static_cast<UINT>(WPF_RESTORETOMAXIMIZED));
    EXPECT_TRUE(EqualRect(&placement.rcNormalPosition, &normal));

    // Restoring a minimized window that was maximized maximizes it again; the next restore goes back to normal.
    ShowWindow(w, SW_RESTORE);
    EXPECT_TRUE(IsZoomed(w));
    ShowWindow(w, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(w));
    GetWindowRect(w, &rect);
    EXPECT_TRUE(EqualRect(&rect, &normal));

    placement.length = 0;
    EXPECT_FALSE(GetWindowPlacement(w, &placement));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(ShowStateTest, SetWindowPlacementMovesAndShows) {
    HWND w = Make(u"w", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = SW_SHOWNORMAL;
    placement.ptMinPosition = {-1, -1};
    placement.ptMaxPosition = {-1, -1};
    placement.rcNormalPosition = {50, 60, 250, 160};
    ASSERT_TRUE(SetWindowPlacement(w, &placement));
    RECT rect;
    GetWindowRect(w, &rect);
    EXPECT_TRUE(EqualRect(&rect, &placement.rcNormalPosition));
    EXPECT_TRUE(IsWindowVisible(w));
}

TEST_F(ShowStateTest, MinimizingAnOwnerTellsItsOwnedWindows) {
    HWND owner = Make(u"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    HWND owned = Make(u"owned", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, owner);
    ClearLog();
    ShowWindow(owner, SW_MINIMIZE);
    auto log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "owned: showwindow(0,1)"), log.end());
    EXPECT_FALSE(IsWindowVisible(owned));
    ClearLog();
    ShowWindow(owner, SW_RESTORE);
    log = Log();
    EXPECT_NE(std::find(log.begin(), log.end(), "owned: showwindow(1,3)"), log.end());
    EXPECT_TRUE(IsWindowVisible(owned));
}

class ZOrderTest : public WindowFixture {
protected:
    // The stacking of the given windows among the desktop's children, topmost first.
    static std::vector<HWND> Order(const std::vector<HWND>& mine) {
        std::vector<HWND> order;
        for (HWND h = GetTopWindow(nullptr); h; h = GetWindow(h, GW_HWNDNEXT))
            if (std::find(mine.begin(), mine.end(), h) != mine.end()) order.push_back(h);
        return order;
    }
    static void Raise(HWND h, HWND after = HWND_TOP) {
        SetWindowPos(h, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
};

TEST_F(ZOrderTest, TopmostBandAndOwnedWindowsAboveOwners) {
    HWND a = Make(u"a", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND b = Make(u"b", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND owned = Make(u"owned", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, a);
    Raise(b);
    EXPECT_EQ(Order({a, b, owned}), (std::vector<HWND>{b, owned, a}));
    // Raising the owner brings what it owns along above it.
    Raise(a);
    EXPECT_EQ(Order({a, b, owned}), (std::vector<HWND>{owned, a, b}));
    // An owned window sent to the bottom still stays above its owner.
    Raise(owned, HWND_BOTTOM);
    EXPECT_EQ(Order({a, b, owned}), (std::vector<HWND>{owned, a, b}));

    Raise(b, HWND_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Raise(a);
    EXPECT_EQ(Order({a, b, owned}).front(), b);
    Raise(b, HWND_NOTOPMOST);
    EXPECT_FALSE(GetWindowLongPtrW(b, GWL_EXSTYLE) & WS_EX_TOPMOST);
    Raise(b, HWND_BOTTOM);
    EXPECT_EQ(Order({a, b, owned}).back(), b);
}

// Activation raises: the window made foreground or active comes to the top of its band with what it owns, and
// a topmost window stays above it; activating the window already on top moves nothing.
TEST_F(ZOrderTest, ActivationRaisesTheWindow) {
    HWND a = Make(u"a", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND owned = Make(u"owned", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, a);
    HWND b = Make(u"b", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
    HWND pinned = Make(u"pinned", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, WS_EX_TOPMOST);
    Raise(b);
    ASSERT_EQ(Order({a, owned, b, pinned}), (std::vector<HWND>{pinned, b, owned, a}));
    ASSERT_TRUE(SetForegroundWindow(a));
    EXPECT_EQ(Order({a, owned, b, pinned}), (std::vector<HWND>{pinned, owned, a, b}));
    ClearLog();
    ASSERT_TRUE(SetForegroundWindow(owned));
    EXPECT_EQ(Order({a, owned, b, pinned}), (std::vector<HWND>{pinned, owned, a, b}));
    EXPECT_TRUE(LogWithout({"childactivate"}).empty());
    ASSERT_EQ(SetActiveWindow(b), owned);
    EXPECT_EQ(Order({a, owned, b, pinned}), (std::vector<HWND>{pinned, b, owned, a}));
}

TEST_F(ZOrderTest, ChildrenStackInCreationOrderAndMove) {
    HWND parent = Make(u"p", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND one = Make(u"1", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
    HWND two = Make(u"2", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), one);
    Raise(two);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), two);
    Raise(two, one);
    EXPECT_EQ(GetWindow(parent, GW_CHILD), one);
    EXPECT_EQ(GetWindow(one, GW_HWNDNEXT), two);
}

}  // namespace

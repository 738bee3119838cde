// The window tree: relations, reparenting, enumeration, coordinate mapping and finding the window under a
// point (window regions, HTTRANSPARENT, hidden and disabled windows).
#include "WindowFixture.h"

namespace {

class WindowTreeTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Owner = Make(u"owner", WS_POPUP | WS_VISIBLE, 100, 200, 300, 300);
        A = Make(u"A", WS_CHILD | WS_VISIBLE, 10, 20, 100, 100, Owner);
        A1 = Make(u"A1", WS_CHILD | WS_VISIBLE, 5, 5, 30, 30, A);
        B = Make(u"B", WS_CHILD | WS_VISIBLE, 150, 20, 100, 100, Owner);
        Owned = Make(u"owned", WS_POPUP, 0, 0, 10, 10, A);
    }
    HWND Owner = nullptr, A = nullptr, A1 = nullptr, B = nullptr, Owned = nullptr;
};

TEST_F(WindowTreeTest, Relations) {
    EXPECT_EQ(GetWindow(Owner, GW_CHILD), A);
    EXPECT_EQ(GetWindow(A, GW_HWNDNEXT), B);
    EXPECT_EQ(GetWindow(B, GW_HWNDPREV), A);
    EXPECT_EQ(GetWindow(A, GW_HWNDPREV), nullptr);
    EXPECT_EQ(GetWindow(B, GW_HWNDFIRST), A);
    EXPECT_EQ(GetWindow(A, GW_HWNDLAST), B);
    // The owner of a top-level window is the top-level window of the one named at creation.
    EXPECT_EQ(GetWindow(Owned, GW_OWNER), Owner);
    EXPECT_EQ(GetParent(Owned), Owner);
    EXPECT_EQ(GetParent(A1), A);
    EXPECT_EQ(GetParent(Owner), nullptr);
    EXPECT_EQ(GetAncestor(Owner, GA_PARENT), GetDesktopWindow());
    EXPECT_EQ(GetAncestor(A1, GA_ROOT), Owner);
    EXPECT_EQ(GetAncestor(Owned, GA_ROOTOWNER), Owner);
    EXPECT_TRUE(IsChild(Owner, A1));
    EXPECT_FALSE(IsChild(Owner, Owned));
    EXPECT_FALSE(IsChild(A, B));
    EXPECT_EQ(GetWindow(A, 99), nullptr);
}

TEST_F(WindowTreeTest, EnumChildWindowsGoesDepthFirstAndStops) {
    std::vector<HWND> seen;
    auto collect = [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return TRUE;
    };
    EXPECT_TRUE(EnumChildWindows(Owner, collect, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen, (std::vector<HWND>{A, A1, B}));
    seen.clear();
    auto stopAtFirst = [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return FALSE;
    };
    EXPECT_FALSE(EnumChildWindows(Owner, stopAtFirst, reinterpret_cast<LPARAM>(&seen)));
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(WindowTreeTest, SetParentMovesTheWindowAndRefusesCycles) {
    EXPECT_EQ(SetParent(A1, B), A);
    EXPECT_EQ(GetParent(A1), B);
    EXPECT_EQ(GetWindow(A, GW_CHILD), nullptr);
    POINT origin{0, 0};
    ClientToScreen(A1, &origin);
    EXPECT_EQ(origin.x, 100 + 150 + 5);
    EXPECT_EQ(origin.y, 200 + 20 + 5);
    EXPECT_TRUE(IsWindowVisible(A1));
    EXPECT_EQ(SetParent(B, A1), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(SetParent(B, B), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(WindowTreeTest, MapWindowPointsUsesClientOrigins) {
    POINT points[2] = {{1, 2}, {3, 4}};
    int offset = MapWindowPoints(A1, nullptr, points, 2);
    EXPECT_EQ(points[0].x, 1 + 100 + 10 + 5);
    EXPECT_EQ(points[1].y, 4 + 200 + 20 + 5);
    EXPECT_EQ(offset, MAKELONG(115, 225));
    POINT p{0, 0};
    MapWindowPoints(A1, B, &p, 1);
    EXPECT_EQ(p.x, 15 - 150);
    EXPECT_EQ(p.y, 25 - 20);
    ScreenToClient(A, &points[0]);
    EXPECT_EQ(points[0].x, 6);
}

TEST_F(WindowTreeTest, WindowFromPointFindsTheDeepestWindow) {
    POINT inA1{100 + 10 + 5 + 2, 200 + 20 + 5 + 2};
    POINT inA{100 + 10 + 50, 200 + 20 + 50};
    POINT inOwner{100 + 120, 200 + 250};
    EXPECT_EQ(WindowFromPoint(inA1), A1);
    EXPECT_EQ(WindowFromPoint(inA), A);
    EXPECT_EQ(WindowFromPoint(inOwner), Owner);

    // A window region cuts the window out where it has no pixels.
    SetWindowRgn(A1, CreateRectRgn(10, 10, 30, 30), FALSE);
    EXPECT_EQ(WindowFromPoint(inA1), A);
    SetWindowRgn(A1, nullptr, FALSE);
    EXPECT_EQ(WindowFromPoint(inA1), A1);

    // HTTRANSPARENT passes the point on to the window below.
    OnMessage("A1", [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCHITTEST) return HTTRANSPARENT;
        return std::nullopt;
    });
    EXPECT_EQ(WindowFromPoint(inA1), A);
    OnMessage("A1", [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> { return std::nullopt; });

    ShowWindow(A1, SW_HIDE);
    EXPECT_EQ(WindowFromPoint(inA1), A);
    ShowWindow(A1, SW_SHOWNA);
    EnableWindow(A1, FALSE);
    EXPECT_EQ(WindowFromPoint(inA1), A);
}

TEST_F(WindowTreeTest, ChildWindowFromPointExHonoursItsFlags) {
    POINT inA{20, 30};
    EXPECT_EQ(ChildWindowFromPoint(Owner, inA), A);
    ShowWindow(A, SW_HIDE);
    EXPECT_EQ(ChildWindowFromPointEx(Owner, inA, CWP_ALL), A);
    EXPECT_EQ(ChildWindowFromPointEx(Owner, inA, CWP_SKIPINVISIBLE), Owner);
    POINT outside{-5, 10};
    EXPECT_EQ(ChildWindowFromPoint(Owner, outside), nullptr);
    POINT empty{120, 250};
    EXPECT_EQ(ChildWindowFromPoint(Owner, empty), Owner);
}

}  // namespace

// DefWindowProc's answers: the client area its frame leaves, hit testing of frame parts, WM_MOVE/WM_SIZE from
// WM_WINDOWPOSCHANGED, WM_CLOSE, the sizing cursors and a child's cursor question going to its parent first.
#include "MessageFixture.h"

#include <testing/Testing.h>

namespace {

class MessageDefWindowProcTest : public MessageFixture {};

TEST_F(MessageDefWindowProcTest, ClientAreaIsTheWindowLessTheFrameItsStylesImply) {
    struct Case {
        DWORD style, exStyle;
        RECT client;  // relative to the window's top-left; the window is 200 x 150
    } cases[] = {
        {WS_POPUP, 0, {0, 0, 200, 150}},
        {WS_POPUP | WS_BORDER, 0, {1, 1, 199, 149}},
        {WS_POPUP | WS_DLGFRAME, 0, {3, 3, 197, 147}},
        {WS_OVERLAPPEDWINDOW, 0, {4, 23, 196, 146}},
        {WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 197, 147}},
        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, {0, 0, 183, 133}},
    };
    for (const Case& c : cases) {
        HWND hwnd = Make(c.style, 100, 100, 200, 150, nullptr, c.exStyle);
        RECT rect{100, 100, 300, 250};
        SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&rect));
        OffsetRect(&rect, -100, -100);
        EXPECT_TRUE(EqualRect(&rect, &c.client))
            << "style " << std::hex << c.style << " ex " << c.exStyle << ": " << std::dec << rect.left << ","
            << rect.top << "," << rect.right << "," << rect.bottom;
        DestroyWindow(hwnd);
    }
}

TEST_F(MessageDefWindowProcTest, HitTestNamesTheFramePartUnderThePoint) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    struct Case {
        int x, y;  // relative to the window's top-left
        int expected;
    } cases[] = {
        {150, 100, HTCLIENT}, {150, 10, HTCAPTION}, {1, 100, HTLEFT},    {298, 100, HTRIGHT},
        {150, 1, HTTOP},      {150, 198, HTBOTTOM}, {1, 1, HTTOPLEFT},   {298, 198, HTBOTTOMRIGHT},
        {10, 10, HTSYSMENU},  {285, 12, HTCLOSE},   {-5, 10, HTNOWHERE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(100 + c.x, 100 + c.y)), c.expected)
            << c.x << "," << c.y;
}

TEST_F(MessageDefWindowProcTest, WindowPosChangedBecomesMoveAndSize) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 100, 100, 200, 150);
    Clear();
    SetWindowPos(hwnd, nullptr, 120, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Messages(hwnd, {WM_MOVE, WM_SIZE}), (std::vector<UINT>{WM_MOVE}));
    EXPECT_EQ(Taken({WM_MOVE}).back().LParam, MAKELPARAM(124, 153));
    Clear();
    SetWindowPos(hwnd, nullptr, 0, 0, 300, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(Messages(hwnd, {WM_MOVE, WM_SIZE}), (std::vector<UINT>{WM_SIZE}));
    EXPECT_EQ(Taken({WM_SIZE}).back().LParam, MAKELPARAM(292, 223));
    EXPECT_EQ(Taken({WM_SIZE}).back().WParam, static_cast<WPARAM>(SIZE_RESTORED));
}

TEST_F(MessageDefWindowProcTest, CloseDestroysTheWindow) {
    HWND hwnd = Make(WS_OVERLAPPEDWINDOW, 100, 100, 200, 150);
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(Messages(hwnd, {WM_CLOSE, WM_DESTROY}), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
}

TEST_F(MessageDefWindowProcTest, CursorFollowsTheFramePartAndParentsAnswerForChildren) {
    HWND parent = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent);
    struct Case {
        int hit;
        int shape;  // the standard cursor id the display shows
    } cases[] = {{HTLEFT, 32644}, {HTTOP, 32645}, {HTTOPLEFT, 32642}, {HTBOTTOMLEFT, 32643}, {HTCAPTION, 32512}};
    for (const Case& c : cases) {
        SendMessageW(parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(parent), MAKELPARAM(c.hit, WM_MOUSEMOVE));
        EXPECT_EQ(wintest::CursorShape(), c.shape) << "hit " << c.hit;
    }
    OnMessage(parent, WM_SETCURSOR, [](HWND, UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(TRUE); });
    Clear();
    EXPECT_EQ(SendMessageW(child, WM_SETCURSOR, reinterpret_cast<WPARAM>(child), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    auto asked = Taken({WM_SETCURSOR});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].Window, parent);
    EXPECT_EQ(asked[1].WParam, reinterpret_cast<WPARAM>(child));
}

}  // namespace

// The classic frame: pictures of active, inactive and dialog frames, hit-test tables, and the caption's state
// following WM_NCACTIVATE.
#include "FrameFixture.h"

#include <Png.h>
#include <testing/Testing.h>

#include <algorithm>
#include <string>

namespace {

class FrameTest : public FrameFixture {};

std::string Golden(const std::string& name) {
    return std::string(TEST_SOURCE_DIR) + "/platform/win32/user/data/" + name;
}

::testing::AssertionResult LooksLike(HWND hwnd, const std::string& name) {
    wintest::Picture picture = wintest::Screenshot(hwnd);
    if (picture.Empty()) return ::testing::AssertionFailure() << "no picture";
    return MatchesGolden(Golden(name), picture.Width, picture.Height, picture.Pixels.data());
}

constexpr DWORD Sizable = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr DWORD Dialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;

constexpr uint32_t Magenta = 0xFF00FF;

// Client areas erased in magenta, so that the first pixel inside the frame tells where the frame ends.
bool MagentaClient(HWND hwnd, UINT message, WPARAM wParam, LPARAM, LRESULT& answer) {
    if (message != WM_ERASEBKGND) return false;
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    DeleteObject(brush);
    answer = 1;
    return true;
}

// Each look's pictures: classic ones without a prefix, the visual style's with "styled-".
struct Look {
    bool Styled;
    const char* Prefix;
};
constexpr Look Looks[] = {{false, ""}, {true, "styled-"}};

TEST_F(FrameTest, ActiveInactiveDialogAndToolFramesInEachLook) {
    for (const Look& look : Looks) {
        SCOPED_TRACE(look.Prefix);
        wintest::ScopedVisualStyles styles(look.Styled);
        std::string prefix = look.Prefix;
        HWND main = Make(Sizable, WS_EX_CLIENTEDGE, RECT{100, 100, 300, 220}, u"Classic frame");
        Settle();
        ASSERT_EQ(GetActiveWindow(), main);
        EXPECT_TRUE(LooksLike(main, prefix + "frame-active.png"));

        HWND dialog = Make(Dialog, WS_EX_DLGMODALFRAME, RECT{400, 100, 560, 200}, u"Dialog");
        Settle();
        ASSERT_EQ(GetActiveWindow(), dialog);
        EXPECT_TRUE(LooksLike(main, prefix + "frame-inactive.png"));
        EXPECT_TRUE(LooksLike(dialog, prefix + "frame-dialog.png"));

        HWND tool = Make(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, WS_EX_TOOLWINDOW,
                         RECT{100, 300, 260, 380}, u"Tool");
        Settle();
        EXPECT_TRUE(LooksLike(tool, prefix + "frame-tool.png"));
        for (HWND hwnd : {tool, dialog, main}) DestroyWindow(hwnd);
        Settle();
    }
}

TEST_F(FrameTest, ACaptionButtonLightsUnderThePointerInTheVisualStyleOnly) {
    int frame = GetSystemMetrics(SM_CXFRAME), button = GetSystemMetrics(SM_CXSIZE) - 2;
    // The close button's middle and a point of the caption, in window coordinates of a 200-pixel-wide window.
    POINT close{200 - frame - 2 - button / 2, frame + GetSystemMetrics(SM_CYCAPTION) / 2};
    POINT caption{100, close.y};
    for (const Look& look : Looks) {
        SCOPED_TRACE(look.Prefix);
        wintest::ScopedVisualStyles styles(look.Styled);
        HWND hwnd = Make(Sizable, 0, RECT{100, 100, 300, 220}, u"");
        auto pointAt = [&](POINT at) {
            wintest::MouseMove(100 + at.x, 100 + at.y);
            Settle();
            return wintest::Screenshot(hwnd);
        };
        wintest::Picture normal = pointAt(POINT{100, 80});
        wintest::Picture hot = pointAt(close);
        ASSERT_FALSE(normal.Empty());
        ASSERT_FALSE(hot.Empty());
        EXPECT_EQ(hot.Pixels != normal.Pixels, look.Styled);
        // What lights up is the button that hit testing finds there, and nothing beside it.
        int outside = 0;
        for (int y = 0; y < hot.Height; ++y)
            for (int x = 0; x < hot.Width; ++x)
                if (hot.At(x, y) != normal.At(x, y) &&
                    SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)) != HTCLOSE)
                    ++outside;
        EXPECT_EQ(outside, 0);
        EXPECT_EQ(pointAt(caption).Pixels, normal.Pixels) << "the caption beside the button is not hot";
        pointAt(close);
        EXPECT_EQ(pointAt(POINT{100, 80}).Pixels, normal.Pixels) << "leaving the frame for the client";
        DestroyWindow(hwnd);
    }
}

TEST_F(FrameTest, SwitchingTheLookTellsEveryWindowAndRepaintsIt) {
    wintest::ScopedVisualStyles classic(false);
    HWND main = Make(Sizable | WS_VSCROLL, 0, RECT{100, 100, 300, 220}, u"Main");
    HWND hidden = Make(WS_OVERLAPPEDWINDOW, 0, RECT{120, 120, 300, 220}, u"Hidden");
    HWND child = CreateWindowExW(0, u"FrameTestWindow", u"", WS_CHILD | WS_VISIBLE | WS_HSCROLL, 10, 10, 80, 40, main,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    Settle();
    wintest::Picture before = wintest::Screenshot(main);
    ASSERT_FALSE(before.Empty());

    wintest::SetVisualStylesActive(true);
    std::vector<HWND> told;
    for (const FrameEvent& event : Events(WM_THEMECHANGED)) told.push_back(event.Window);
    std::vector<HWND> everyone{main, hidden, child};
    std::sort(told.begin(), told.end());
    std::sort(everyone.begin(), everyone.end());
    EXPECT_EQ(told, everyone) << "each window hears it once, the hidden one and the child too";
    ClearEvents();
    wintest::PumpUntilIdle();
    EXPECT_EQ(Events(WM_NCPAINT).size(), 2u) << "the visible window and its child repaint their frames";
    wintest::Picture styled = wintest::Screenshot(main);
    ASSERT_FALSE(styled.Empty());
    EXPECT_NE(styled.Pixels, before.Pixels) << "the frame and both bars changed with no call to repaint them";

    wintest::SetVisualStylesActive(false);
    wintest::PumpUntilIdle();
    wintest::Picture back = wintest::Screenshot(main);
    EXPECT_EQ(back.Pixels, before.Pixels) << "switching back gives the classic pixels again";
}

TEST_F(FrameTest, BordersOfEachStyleHaveTheirMetricWidth) {
    // The first column inside each border is the client's colour; the border's own colours end just before it.
    SetHook(MagentaClient);
    struct Case {
        const char* what;
        DWORD style, exStyle;
        int border;  // pixels of frame on the left
    } cases[] = {
        {"thick frame", WS_POPUP | WS_THICKFRAME | WS_BORDER | WS_VISIBLE, 0, GetSystemMetrics(SM_CXFRAME)},
        {"dialog frame", WS_POPUP | WS_DLGFRAME | WS_VISIBLE, 0, GetSystemMetrics(SM_CXDLGFRAME)},
        {"modal dialog frame", WS_POPUP | WS_VISIBLE, WS_EX_DLGMODALFRAME, GetSystemMetrics(SM_CXDLGFRAME)},
        {"single border", WS_POPUP | WS_BORDER | WS_VISIBLE, 0, GetSystemMetrics(SM_CXBORDER)},
        {"static edge", WS_POPUP | WS_VISIBLE, WS_EX_STATICEDGE, GetSystemMetrics(SM_CXBORDER)},
        {"client edge", WS_POPUP | WS_VISIBLE, WS_EX_CLIENTEDGE, GetSystemMetrics(SM_CXEDGE)},
    };
    for (const Look& look : Looks) {
        wintest::ScopedVisualStyles styles(look.Styled);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(look.Prefix) + c.what);
            HWND hwnd = Make(c.style, c.exStyle, RECT{200, 200, 260, 250});
            Settle();
            wintest::Picture picture = wintest::Screenshot(hwnd);
            ASSERT_FALSE(picture.Empty());
            int y = picture.Height / 2;
            EXPECT_NE(picture.At(c.border - 1, y), Magenta);
            EXPECT_EQ(picture.At(c.border, y), Magenta);
            EXPECT_NE(picture.At(picture.Width - c.border, y), Magenta);
            EXPECT_EQ(picture.At(picture.Width - c.border - 1, y), Magenta);
            if ((c.style & WS_BORDER) && !(c.style & WS_THICKFRAME) && !look.Styled) {
                EXPECT_EQ(picture.At(0, y), 0u);
            }
            DestroyWindow(hwnd);
        }
    }
}

TEST_F(FrameTest, CaptionsEndWhereTheClientAreaBeginsInEachLook) {
    // Drawn frame and WM_NCCALCSIZE agree: the last row above the client area is the frame's, the first is the
    // client's, along the whole width, for big and small captions and both frames.
    SetHook(MagentaClient);
    struct Case {
        const char* what;
        DWORD style, exStyle;
    } cases[] = {
        {"sizable", Sizable, 0},
        {"dialog", Dialog, WS_EX_DLGMODALFRAME},
        {"tool window", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, WS_EX_TOOLWINDOW},
    };
    for (const Look& look : Looks) {
        wintest::ScopedVisualStyles styles(look.Styled);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(look.Prefix) + c.what);
            HWND hwnd = Make(c.style, c.exStyle, RECT{200, 200, 330, 280});
            Settle();
            RECT window = WindowRectOf(hwnd), client;
            GetClientRect(hwnd, &client);
            POINT origin{0, 0};
            ClientToScreen(hwnd, &origin);
            int top = origin.y - window.top, left = origin.x - window.left;
            wintest::Picture picture = wintest::Screenshot(hwnd);
            ASSERT_FALSE(picture.Empty());
            for (int x = left; x < left + client.right; x += 7) {
                EXPECT_NE(picture.At(x, top - 1), Magenta) << x;
                EXPECT_EQ(picture.At(x, top), Magenta) << x;
            }
            DestroyWindow(hwnd);
        }
    }
}

TEST_F(FrameTest, HitTestTables) {
    struct Point {
        int x, y, hit;  // window coordinates
    };
    struct Case {
        const char* what;
        DWORD style, exStyle;
        std::vector<Point> points;
    };
    int frame = GetSystemMetrics(SM_CXFRAME), dlg = GetSystemMetrics(SM_CXDLGFRAME);
    int corner = frame + GetSystemMetrics(SM_CXSIZE), caption = GetSystemMetrics(SM_CYCAPTION);
    int button = GetSystemMetrics(SM_CXSIZE) - 2;
    // A 300 x 200 window; the caption's buttons from the right: close, 2-pixel gap, maximize, minimize.
    int closeLeft = 300 - frame - 2 - button, maxLeft = closeLeft - 2 - button, minLeft = maxLeft - button;
    int mid = frame + caption / 2;
    Case cases[] = {
        {"sizable with a client edge",
         WS_OVERLAPPEDWINDOW | WS_VISIBLE,
         WS_EX_CLIENTEDGE,
         {{150, 100, HTCLIENT},
          {150, mid, HTCAPTION},
          {0, 100, HTLEFT},
          {frame - 1, 100, HTLEFT},
          {299, 100, HTRIGHT},
          {150, 0, HTTOP},
          {150, 199, HTBOTTOM},
          {0, 0, HTTOPLEFT},
          {corner - 1, 0, HTTOPLEFT},
          {corner, 0, HTTOP},
          {0, corner - 1, HTTOPLEFT},
          {0, corner, HTLEFT},
          {299, 0, HTTOPRIGHT},
          {0, 199, HTBOTTOMLEFT},
          {299, 199, HTBOTTOMRIGHT},
          {299 - corner + 1, 199, HTBOTTOMRIGHT},
          {frame + 2, mid, HTSYSMENU},
          {closeLeft, mid, HTCLOSE},
          {closeLeft + button - 1, mid, HTCLOSE},
          {closeLeft - 1, mid, HTCAPTION},
          {maxLeft, mid, HTMAXBUTTON},
          {maxLeft + button - 1, mid, HTMAXBUTTON},
          {minLeft, mid, HTMINBUTTON},
          {minLeft - 1, mid, HTCAPTION},
          {frame + 1, frame + caption + 1, HTBORDER},  // the client edge
          {-1, 100, HTNOWHERE},
          {300, 100, HTNOWHERE}}},
        {"dialog frame",
         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
         WS_EX_DLGMODALFRAME,
         {{0, 100, HTBORDER},
          {0, 0, HTBORDER},
          {299, 199, HTBORDER},
          {dlg, dlg + 2, HTSYSMENU},
          {300 - dlg - 4, dlg + 2, HTCLOSE},
          {150, dlg + 2, HTCAPTION},
          {150, 100, HTCLIENT}}},
        {"help button",
         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
         WS_EX_CONTEXTHELP,
         {{300 - dlg - 2 - 2 * button - 2, dlg + 2, HTHELP},
          {300 - dlg - 2 - button, dlg + 2, HTCLOSE},
          {300 - dlg - 3 - button, dlg + 2, HTCAPTION}}},
        {"tool window",
         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE,
         WS_EX_TOOLWINDOW,
         {{frame + 2, frame + 2, HTCAPTION},
          {300 - frame - 4, frame + 2, HTCLOSE},
          {150, frame + GetSystemMetrics(SM_CYSMCAPTION), HTCLIENT}}},
        {"scroll bars",
         WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
         0,
         {{300 - frame - 2, 100, HTVSCROLL},
          {150, 200 - frame - 2, HTHSCROLL},
          {300 - frame - 2, 200 - frame - 2, HTSIZE}}},
    };
    for (const Case& c : cases) {
        HWND hwnd = Make(c.style, c.exStyle, RECT{100, 100, 400, 300});
        for (const Point& p : c.points)
            EXPECT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(100 + p.x, 100 + p.y)), p.hit)
                << c.what << " at " << p.x << "," << p.y;
        DestroyWindow(hwnd);
    }
}

TEST_F(FrameTest, CaptionFollowsNcActivateAndIgnoresTheActiveWindow) {
    HWND hwnd = Make(Sizable, 0, RECT{100, 100, 300, 200}, u"");
    Settle();
    int y = GetSystemMetrics(SM_CYFRAME) + 2;
    COLORREF active = GetSysColor(COLOR_ACTIVECAPTION), inactive = GetSysColor(COLOR_INACTIVECAPTION);
    auto pixel = [&] {
        wintest::Picture picture = wintest::Screenshot(hwnd);
        return picture.Empty() ? 0xFFFFFFFFu : picture.At(GetSystemMetrics(SM_CXFRAME), y);
    };
    auto rgb = [](COLORREF c) { return static_cast<uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
    EXPECT_EQ(pixel(), rgb(active));
    EXPECT_EQ(SendMessageW(hwnd, WM_NCACTIVATE, FALSE, 0), TRUE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(pixel(), rgb(inactive));
    // A full repaint keeps the state WM_NCACTIVATE gave, though the window is still the active one.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(GetActiveWindow(), hwnd);
    EXPECT_EQ(pixel(), rgb(inactive));
    SendMessageW(hwnd, WM_NCACTIVATE, TRUE, 0);
    wintest::PumpUntilIdle();
    EXPECT_EQ(pixel(), rgb(active));
}

}  // namespace

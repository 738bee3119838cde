// The testing API end to end: injected clicks, keys and text reach a window as messages, and screenshots show
// what the window painted.
#include <testing/Testing.h>

#include <TestSupport.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Logged {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

std::vector<Logged>& Log() {
    static std::vector<Logged> log;
    return log;
}

const COLORREF Background = RGB(255, 0, 0);
const COLORREF Square = RGB(0, 0, 255);

LRESULT ProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR: Log().push_back({message, wParam, lParam}); return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH background = CreateSolidBrush(Background), square = CreateSolidBrush(Square);
        FillRect(dc, &client, background);
        RECT inner{5, 5, 15, 15};
        FillRect(dc, &inner, square);
        DeleteObject(background);
        DeleteObject(square);
        EndPaint(hwnd, &ps);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A bordered popup, so that client coordinates differ from window coordinates.
class TestingApi : public ::testing::Test {
protected:
    HWND Window = nullptr;

    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = ProbeProc;
        wc.lpszClassName = u"WintestProbe";
        ASSERT_NE(0, RegisterClassExW(&wc));
        Window = CreateWindowExW(0, u"WintestProbe", u"probe", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 200, 150,
                                 nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, Window);
        SetFocus(Window);
        wintest::ResetInput();
        wintest::PumpUntilIdle();
        Log().clear();
    }
    void TearDown() override {
        if (Window) DestroyWindow(Window);
        wintest::PumpUntilIdle();
        UnregisterClassW(u"WintestProbe", nullptr);
    }
    POINT ClientOrigin() const {
        POINT origin{0, 0};
        ClientToScreen(Window, &origin);
        return origin;
    }
    std::vector<Logged> Only(UINT message) const {
        std::vector<Logged> found;
        for (const Logged& entry : Log())
            if (entry.message == message) found.push_back(entry);
        return found;
    }
};

TEST_F(TestingApi, MouseClickGivesButtonMessagesInClientCoordinates) {
    POINT origin = ClientOrigin();
    ASSERT_NE(100, origin.x) << "the border should move the client area";
    wintest::MouseClick(origin.x + 30, origin.y + 40);
    EXPECT_TRUE(wintest::PumpUntilIdle());
    ASSERT_EQ(2u, Log().size());
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), Log()[0].message);
    EXPECT_EQ(static_cast<WPARAM>(MK_LBUTTON), Log()[0].wParam);
    EXPECT_EQ(static_cast<UINT>(WM_LBUTTONUP), Log()[1].message);
    EXPECT_EQ(0u, Log()[1].wParam);
    for (const Logged& entry : Log()) {
        EXPECT_EQ(30, GET_X_LPARAM(entry.lParam));
        EXPECT_EQ(40, GET_Y_LPARAM(entry.lParam));
    }
}

TEST_F(TestingApi, TypedTextAndKeysReachTheFocusAsCharacters) {
    wintest::TypeText(u"a中");
    wintest::KeyPress('B', wintest::Shift);
    EXPECT_TRUE(wintest::PumpUntilIdle());
    std::vector<Logged> chars = Only(WM_CHAR);
    ASSERT_EQ(3u, chars.size());
    EXPECT_EQ(static_cast<WPARAM>(u'a'), chars[0].wParam);
    EXPECT_EQ(static_cast<WPARAM>(u'中'), chars[1].wParam);
    EXPECT_EQ(static_cast<WPARAM>(u'B'), chars[2].wParam);
    // The key itself, with the keyboard's scan code in bits 16-23.
    bool sawB = false;
    for (const Logged& key : Only(WM_KEYDOWN))
        if (key.wParam == 'B') {
            sawB = true;
            EXPECT_EQ(0x30, (key.lParam >> 16) & 0xFF);
        }
    EXPECT_TRUE(sawB);
}

TEST_F(TestingApi, ScreenshotsShowWhatTheWindowPainted) {
    RECT client;
    GetClientRect(Window, &client);
    wintest::Picture picture = wintest::ScreenshotClient(Window);
    ASSERT_EQ(client.right, picture.Width);
    ASSERT_EQ(client.bottom, picture.Height);
    const uint32_t red = 0xFF0000, blue = 0x0000FF;
    EXPECT_EQ(red, picture.At(0, 0));
    EXPECT_EQ(blue, picture.At(5, 5));
    EXPECT_EQ(blue, picture.At(14, 14));
    EXPECT_EQ(red, picture.At(15, 15));

    POINT origin = ClientOrigin();
    wintest::Picture screen = wintest::Screenshot(nullptr);
    EXPECT_EQ(blue, screen.At(origin.x + 5, origin.y + 5));
    EXPECT_EQ(red, screen.At(origin.x + 15, origin.y + 15));
    EXPECT_EQ(0x008080u, screen.At(99, 99));

    wintest::Picture whole = wintest::Screenshot(Window);
    EXPECT_EQ(200, whole.Width);
    EXPECT_EQ(150, whole.Height);
    testsupport::TempDir dir;
    ASSERT_TRUE(wintest::SaveScreenshot(dir.File("probe.png"), Window));
    wintest::Picture loaded;
    ASSERT_TRUE(wintest::LoadPng(dir.File("probe.png"), loaded));
    EXPECT_EQ(whole.Width, loaded.Width);
    EXPECT_TRUE(whole.Pixels == loaded.Pixels);
}

TEST_F(TestingApi, ScreenshotStacksWindowsAsTheWindowManagerDoes) {
    // A second probe over the first, its blue square over the first one's red background.
    HWND over = CreateWindowExW(0, u"WintestProbe", u"over", WS_POPUP | WS_BORDER | WS_VISIBLE, 110, 110, 200, 150,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, over);
    wintest::PumpUntilIdle();
    POINT probe{120, 120};
    EXPECT_EQ(0x0000FFu, wintest::Screenshot(nullptr).At(probe.x, probe.y));
    SetWindowPos(Window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    wintest::PumpUntilIdle();
    EXPECT_EQ(0xFF0000u, wintest::Screenshot(nullptr).At(probe.x, probe.y));
    DestroyWindow(over);
    wintest::PumpUntilIdle();
}

// Each modal window takes the next answer once its loop runs, nested boxes included; a window active again after
// a box it owned closed does not take another.
TEST(TestingModalAnswers, GoToTheModalWindowsInTurn) {
    std::vector<std::string> ran;
    wintest::QueueModalAnswer([&](HWND outer) {
        ran.push_back("outer");
        int inner = MessageBoxW(outer, u"inner", u"b", MB_OKCANCEL);
        ran.push_back("inner answered " + std::to_string(inner));
        PostMessageW(outer, WM_COMMAND, IDOK, 0);
    });
    wintest::QueueModalAnswer([&](HWND inner) {
        ran.push_back("inner");
        PostMessageW(inner, WM_COMMAND, IDCANCEL, 0);
    });
    wintest::QueueModalAnswer([&](HWND last) {
        ran.push_back("last");
        PostMessageW(last, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(MessageBoxW(nullptr, u"outer", u"a", MB_OKCANCEL), IDOK);
    EXPECT_EQ(wintest::PendingModalAnswers(), 1u);
    EXPECT_EQ(MessageBoxW(nullptr, u"last", u"c", MB_OK), IDOK);
    EXPECT_EQ(wintest::PendingModalAnswers(), 0u);
    EXPECT_EQ(ran, (std::vector<std::string>{"outer", "inner", "inner answered 2", "last"}));
}

}  // namespace

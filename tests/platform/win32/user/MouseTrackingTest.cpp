// TrackMouseEvent: WM_MOUSELEAVE and WM_NCMOUSELEAVE when the pointer leaves the tracked part of a window (for
// another window, the frame, or no window of ours at all), WM_MOUSEHOVER after a rest, TME_QUERY and TME_CANCEL,
// and GetCursorPos over no window.
#include <testing/Testing.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char16_t ClassName[] = u"MouseTrackingTest";
std::vector<std::string> Log;

LRESULT TrackedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSELEAVE: Log.push_back("leave"); break;
    case WM_NCMOUSELEAVE: Log.push_back("ncleave"); break;
    case WM_MOUSEHOVER:
        Log.push_back("hover " + std::to_string(GET_X_LPARAM(lParam)) + "," + std::to_string(GET_Y_LPARAM(lParam)));
        break;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class MouseTrackingTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TrackedProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = ClassName;
        ASSERT_NE(RegisterClassExW(&wc), 0);
        FWindow = CreateWindowExW(0, ClassName, u"tracked", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(FWindow, nullptr);
        GetClientRect(FWindow, &FClient);
        MapWindowPoints(FWindow, nullptr, reinterpret_cast<POINT*>(&FClient), 2);
        MoveTo(FClient.left + 20, FClient.top + 20);
        Log.clear();
    }
    void TearDown() override {
        DestroyWindow(FWindow);
        UnregisterClassW(ClassName, nullptr);
        wintest::PumpUntilIdle();
        wintest::ResetInput();
    }

    static void MoveTo(int x, int y) {
        wintest::MouseMove(x, y);
        wintest::PumpUntilIdle();
    }

    BOOL Track(DWORD flags, DWORD hoverTime = HOVER_DEFAULT) {
        TRACKMOUSEEVENT track{sizeof track, flags, FWindow, hoverTime};
        return TrackMouseEvent(&track);
    }

    HWND FWindow = nullptr;
    RECT FClient{};
};

// Where the pointer goes after tracking started over the client area or the caption, and what comes of it.
TEST_F(MouseTrackingTest, LeavingTheTrackedPartPostsOneLeaveMessage) {
    struct Case {
        const char* Name;
        DWORD Flags;
        bool StartOnCaption;
        POINT (*Target)(const RECT& client);
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {"client to no window",
         TME_LEAVE,
         false,
         [](const RECT&) {
             return POINT{900, 800};
         },
         {"leave"}},
        {"client to the caption",
         TME_LEAVE,
         false,
         [](const RECT& c) {
             return POINT{c.left + 30, c.top - 8};
         },
         {"leave"}},
        {"client within the client",
         TME_LEAVE,
         false,
         [](const RECT& c) {
             return POINT{c.left + 60, c.top + 50};
         },
         {}},
        {"caption to the client",
         TME_LEAVE | TME_NONCLIENT,
         true,
         [](const RECT& c) {
             return POINT{c.left + 30, c.top + 30};
         },
         {"ncleave"}},
        {"caption to no window",
         TME_LEAVE | TME_NONCLIENT,
         true,
         [](const RECT&) {
             return POINT{5, 900};
         },
         {"ncleave"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Name);
        if (test.StartOnCaption)
            MoveTo(FClient.left + 30, FClient.top - 8);
        else
            MoveTo(FClient.left + 20, FClient.top + 20);
        Log.clear();
        ASSERT_TRUE(Track(test.Flags));
        POINT target = test.Target(FClient);
        MoveTo(target.x, target.y);
        EXPECT_EQ(Log, test.Expected);
        if (!test.Expected.empty()) {
            // Once left, the tracking is over: going back and out again posts nothing more.
            MoveTo(FClient.left + 20, FClient.top + 20);
            MoveTo(900, 800);
            EXPECT_EQ(Log, test.Expected);
        }
        Track(TME_CANCEL | test.Flags);
        wintest::PumpUntilIdle();
    }
}

TEST_F(MouseTrackingTest, GetCursorPosAnswersWhereThePointerIsOverNoWindow) {
    MoveTo(1000, 900);
    POINT at{};
    ASSERT_TRUE(GetCursorPos(&at));
    EXPECT_EQ(at.x, 1000);
    EXPECT_EQ(at.y, 900);
}

TEST_F(MouseTrackingTest, TrackingAWindowThePointerIsNotOverPostsTheLeaveAtOnce) {
    MoveTo(900, 800);
    ASSERT_TRUE(Track(TME_LEAVE));
    wintest::PumpUntilIdle();
    EXPECT_EQ(Log, std::vector<std::string>{"leave"});
}

TEST_F(MouseTrackingTest, QueryTellsTheTrackingAndCancelEndsIt) {
    // TME_QUERY answers in the structure it was given, dwFlags included.
    auto query = [] {
        TRACKMOUSEEVENT answer{sizeof answer, TME_QUERY, nullptr, 0};
        EXPECT_TRUE(TrackMouseEvent(&answer));
        return answer;
    };
    ASSERT_TRUE(Track(TME_LEAVE | TME_HOVER, 5000));
    TRACKMOUSEEVENT now = query();
    EXPECT_EQ(now.dwFlags, static_cast<DWORD>(TME_LEAVE | TME_HOVER));
    EXPECT_EQ(now.hwndTrack, FWindow);
    EXPECT_EQ(now.dwHoverTime, 5000u);

    ASSERT_TRUE(Track(TME_CANCEL | TME_HOVER));
    EXPECT_EQ(query().dwFlags, static_cast<DWORD>(TME_LEAVE));
    ASSERT_TRUE(Track(TME_CANCEL | TME_LEAVE));
    EXPECT_EQ(query().dwFlags, 0u);
    MoveTo(900, 800);
    EXPECT_EQ(Log, std::vector<std::string>{});
}

TEST_F(MouseTrackingTest, RestingThePointerPostsOneHoverInClientCoordinates) {
    ASSERT_TRUE(Track(TME_HOVER, 30));
    wintest::PumpFor(120);
    EXPECT_EQ(Log, std::vector<std::string>{"hover 20,20"});
    TRACKMOUSEEVENT query{sizeof query, TME_QUERY, nullptr, 0};
    ASSERT_TRUE(TrackMouseEvent(&query));
    EXPECT_EQ(query.dwFlags, 0u) << "hovering is reported once";

    // A pointer that keeps moving off the hover rectangle restarts the wait.
    Log.clear();
    ASSERT_TRUE(Track(TME_HOVER, 60));
    for (int step = 1; step <= 4; ++step) {
        wintest::MouseMove(FClient.left + 20 + step * 10, FClient.top + 20);
        wintest::PumpFor(30);
    }
    EXPECT_EQ(Log, std::vector<std::string>{});
    wintest::PumpFor(150);
    EXPECT_EQ(Log, std::vector<std::string>{"hover 60,20"});
}

TEST_F(MouseTrackingTest, BadArgumentsFailAsWindowsFails) {
    TRACKMOUSEEVENT track{sizeof track - 1, TME_LEAVE, FWindow, 0};
    SetLastError(0);
    EXPECT_FALSE(TrackMouseEvent(&track));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    track = TRACKMOUSEEVENT{sizeof track, TME_LEAVE, reinterpret_cast<HWND>(0x7654321), 0};
    SetLastError(0);
    EXPECT_FALSE(TrackMouseEvent(&track));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    track = TRACKMOUSEEVENT{sizeof track, 0x100, FWindow, 0};
    SetLastError(0);
    EXPECT_FALSE(TrackMouseEvent(&track));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
}

}  // namespace

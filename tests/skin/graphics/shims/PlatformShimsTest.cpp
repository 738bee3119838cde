// The skinning library's start-up facts and run-time bindings, with optional modules switched on and off.
#include <skin/Common.h>
#include <testing/Testing.h>

#include <gtest/gtest.h>

namespace {

// Every test starts from a fresh initialisation with the platform's default modules, and leaves them so.
class PlatformShims : public ::testing::Test {
protected:
    void SetUp() override {
        RestoreDefaults();
        InitializePlatformShims();
    }
    void TearDown() override {
        FinalizePlatformShims();
        RestoreDefaults();
    }
    // Binding happens at start-up: a switched module is seen after initialising again.
    static void Reinitialize() {
        FinalizePlatformShims();
        InitializePlatformShims();
    }
    static void RestoreDefaults() {
        FinalizePlatformShims();
        wintest::SetModuleAvailable("uxtheme.dll", true);
        wintest::SetModuleAvailable("msimg32.dll", false);
        wintest::SetExportAvailable("user32.dll", "GetScrollBarInfo", true);
        wintest::SetVisualStylesActive(true);
    }
    static bool UxThemeLoaded() { return GetModuleHandleA("uxtheme.dll") != nullptr; }
};

TEST_F(PlatformShims, StartUpFactsOfThePlatform) {
    EXPECT_TRUE(IsNT());
    EXPECT_FALSE(IsWin4());
    // The system glyph set is 52 x 39: four columns and three rows of 13 x 13.
    EXPECT_EQ(CheckWidth(), 13);
    EXPECT_EQ(CheckHeight(), 13);
    EXPECT_EQ(ScreenPixelFormat(), pf32bit);
    EXPECT_TRUE(LayeredWindowsAvailable());
    EXPECT_NE(skapi::SetLayeredWindowAttributes, nullptr);
    EXPECT_NE(skapi::UpdateLayeredWindow, nullptr);
    EXPECT_TRUE(UxThemeAvailable());
    EXPECT_TRUE(VisualStylesActive()) << "on at start, as on a current desktop";
    EXPECT_FALSE(TransparentBltAvailable());
    EXPECT_EQ(skapi::TransparentBlt, nullptr);
    EXPECT_FALSE(MultiMonitorAvailable());
#if defined(__x86_64__)
    EXPECT_TRUE(MmxAvailable());
#endif
    ResetMmxState();  // must be harmless between floating-point code
    double sum = 0.5;
    sum += 0.25;
    EXPECT_EQ(sum, 0.75);
}

TEST_F(PlatformShims, InitialisingTwiceTakesOneUxThemeReference) {
    InitializePlatformShims();
    FreeUxTheme();
    EXPECT_FALSE(UxThemeAvailable());
    EXPECT_FALSE(UxThemeLoaded());
}

TEST_F(PlatformShims, SingleMonitorAnswersWorkAreaOrScreen) {
    RECT work{}, screen{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    screen = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_NE(work.bottom, screen.bottom) << "the headless screen has a task bar";

    struct Case {
        bool workArea;
        RECT expected;
    } cases[] = {{true, work}, {false, screen}};
    for (const Case& c : cases) {
        RECT desktop{}, fromPoint{}, fromWindow{};
        GetDesktopRect(c.workArea, desktop);
        GetMonitorRectFromPoint(POINT{5000, -300}, c.workArea, fromPoint);
        GetMonitorRectFromWindow(nullptr, c.workArea, fromWindow);
        for (const RECT& rect : {desktop, fromPoint, fromWindow}) {
            EXPECT_EQ(rect.left, c.expected.left);
            EXPECT_EQ(rect.top, c.expected.top);
            EXPECT_EQ(rect.right, c.expected.right);
            EXPECT_EQ(rect.bottom, c.expected.bottom) << "workArea " << c.workArea;
        }
    }
}

TEST_F(PlatformShims, WithoutUxThemeVisualStylesStayOff) {
    wintest::SetModuleAvailable("uxtheme.dll", false);
    Reinitialize();
    EXPECT_FALSE(UxThemeAvailable());
    EXPECT_EQ(skapi::IsThemeActive, nullptr);
    EXPECT_EQ(skapi::OpenThemeData, nullptr);
    wintest::SetVisualStylesActive(true);
    EXPECT_FALSE(UpdateVisualStylesActive());
    EXPECT_FALSE(VisualStylesActive());
    EXPECT_FALSE(LoadUxTheme());
    FreeUxTheme();
    // msimg32 is still tried on an NT system, and is absent.
    EXPECT_FALSE(TransparentBltAvailable());
}

TEST_F(PlatformShims, VisualStylesFollowTheSwitch) {
    EXPECT_TRUE(UpdateVisualStylesActive());
    wintest::SetVisualStylesActive(false);
    EXPECT_TRUE(VisualStylesActive()) << "the fact changes only when asked again, on WM_THEMECHANGED";
    EXPECT_FALSE(UpdateVisualStylesActive());
    EXPECT_FALSE(VisualStylesActive());
    wintest::SetVisualStylesActive(true);
    EXPECT_TRUE(UpdateVisualStylesActive());
    // The drawing entry points are bound with the state queries.
    EXPECT_NE(skapi::IsAppThemed, nullptr);
    EXPECT_NE(skapi::DrawThemeBackground, nullptr);
}

TEST_F(PlatformShims, FreeingMoreOftenThanLoadingStopsAtZero) {
    // Start-up holds one reference; three frees leave none, and unload the module.
    FreeUxTheme();
    FreeUxTheme();
    FreeUxTheme();
    EXPECT_FALSE(UxThemeAvailable());
    EXPECT_FALSE(UxThemeLoaded());
    EXPECT_EQ(skapi::IsAppThemed, nullptr);
    // The count did not go below zero: one load and one free go back to unloaded.
    EXPECT_TRUE(LoadUxTheme());
    EXPECT_TRUE(UxThemeAvailable());
    EXPECT_TRUE(UxThemeLoaded());
    EXPECT_NE(skapi::IsAppThemed, nullptr);
    FreeUxTheme();
    EXPECT_FALSE(UxThemeLoaded());
}

TEST_F(PlatformShims, VisualStylesEndWithTheLastUxThemeUser) {
    wintest::SetVisualStylesActive(true);
    ASSERT_TRUE(UpdateVisualStylesActive());
    EXPECT_TRUE(LoadUxTheme());
    FreeUxTheme();
    EXPECT_TRUE(VisualStylesActive());
    FreeUxTheme();
    EXPECT_FALSE(VisualStylesActive());
}

TEST_F(PlatformShims, ScrollBarInfoWithAndWithoutTheEntryPoint) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "ShimsTestWindow";
    RegisterClassExA(&windowClass);
    HWND window = CreateWindowExA(0, "ShimsTestWindow", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_VSCROLL, 10, 10, 200,
                                  150, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetScrollBarInfoSafe(window, OBJID_VSCROLL, info));
    EXPECT_EQ(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);

    ASSERT_TRUE(wintest::SetExportAvailable("user32.dll", "GetScrollBarInfo", false));
    Reinitialize();
    EXPECT_EQ(skapi::GetScrollBarInfo, nullptr);
    SCROLLBARINFO missing{};
    missing.cbSize = sizeof missing;
    EXPECT_FALSE(GetScrollBarInfoSafe(window, OBJID_VSCROLL, missing));
    EXPECT_EQ(missing.rgstate[0], static_cast<DWORD>(STATE_SYSTEM_INVISIBLE));
    DestroyWindow(window);
}

TEST_F(PlatformShims, FinalisingFreesWhatItLoaded) {
    wintest::SetModuleAvailable("msimg32.dll", true);
    Reinitialize();
    // msimg32 loads but offers no TransparentBlt, so the blit stays unavailable.
    EXPECT_NE(GetModuleHandleA("msimg32.dll"), nullptr);
    EXPECT_FALSE(TransparentBltAvailable());
    FinalizePlatformShims();
    EXPECT_FALSE(PlatformShimsInitialized());
    EXPECT_EQ(GetModuleHandleA("msimg32.dll"), nullptr);
    EXPECT_FALSE(UxThemeLoaded());
    EXPECT_FALSE(LayeredWindowsAvailable());
    EXPECT_EQ(skapi::MonitorFromPoint, nullptr);
    // user32 came with the process and stays.
    EXPECT_NE(GetModuleHandleA("user32.dll"), nullptr);
}

}  // namespace

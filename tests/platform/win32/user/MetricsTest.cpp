// GetSystemMetrics, SystemParametersInfo and the monitor functions on the default headless screen (1280 x 1024,
// a 40-pixel task bar at the bottom): the classic values, and the parameters that must agree with them.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const RECT Screen{0, 0, 1280, 1024};
const RECT WorkArea{0, 0, 1280, 984};

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(Metrics, ClassicValues) {
    struct Case {
        int index;
        int value;
        const char* name;
    };
    const Case cases[] = {
        {SM_CXSCREEN, 1280, "SM_CXSCREEN"},
        {SM_CYSCREEN, 1024, "SM_CYSCREEN"},
        {SM_CXVSCROLL, 17, "SM_CXVSCROLL"},
        {SM_CYHSCROLL, 17, "SM_CYHSCROLL"},
        {SM_CYVSCROLL, 17, "SM_CYVSCROLL"},
        {SM_CXHSCROLL, 17, "SM_CXHSCROLL"},
        {SM_CYCAPTION, 19, "SM_CYCAPTION"},
        {SM_CXBORDER, 1, "SM_CXBORDER"},
        {SM_CYBORDER, 1, "SM_CYBORDER"},
        {SM_CXDLGFRAME, 3, "SM_CXDLGFRAME"},
        {SM_CYDLGFRAME, 3, "SM_CYDLGFRAME"},
        {SM_CXFRAME, 4, "SM_CXFRAME"},
        {SM_CYFRAME, 4, "SM_CYFRAME"},
        {SM_CXEDGE, 2, "SM_CXEDGE"},
        {SM_CYEDGE, 2, "SM_CYEDGE"},
        {SM_CXSIZE, 18, "SM_CXSIZE"},
        {SM_CYSIZE, 18, "SM_CYSIZE"},
        {SM_CXICON, 32, "SM_CXICON"},
        {SM_CYICON, 32, "SM_CYICON"},
        {SM_CXSMICON, 16, "SM_CXSMICON"},
        {SM_CYSMICON, 16, "SM_CYSMICON"},
        {SM_CYMENU, 19, "SM_CYMENU"},
        {SM_CXDOUBLECLK, 4, "SM_CXDOUBLECLK"},
        {SM_CYDOUBLECLK, 4, "SM_CYDOUBLECLK"},
        {SM_CXDRAG, 4, "SM_CXDRAG"},
        {SM_CMONITORS, 1, "SM_CMONITORS"},
        {SM_CXMIN, 112, "SM_CXMIN"},
        {SM_CYMIN, 27, "SM_CYMIN"},
        {SM_CXFULLSCREEN, 1280, "SM_CXFULLSCREEN"},
        {SM_CYFULLSCREEN, 984 - 19, "SM_CYFULLSCREEN"},
        {SM_CXMAXIMIZED, 1288, "SM_CXMAXIMIZED"},
        {SM_CYMAXIMIZED, 992, "SM_CYMAXIMIZED"},
        {SM_CXVIRTUALSCREEN, 1280, "SM_CXVIRTUALSCREEN"},
        {SM_XVIRTUALSCREEN, 0, "SM_XVIRTUALSCREEN"},
        {SM_SWAPBUTTON, 0, "SM_SWAPBUTTON"},
        {SM_MOUSEWHEELPRESENT, 1, "SM_MOUSEWHEELPRESENT"},
        {SM_CXMENUCHECK, 13, "SM_CXMENUCHECK"},
        {-1, 0, "an unknown index"},
        {1000, 0, "an index past the table"},
    };
    for (const auto& c : cases) EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.name;
    EXPECT_EQ(GetDoubleClickTime(), 500u);
    EXPECT_EQ(GetCaretBlinkTime(), 530u);
}

TEST(Metrics, WorkAreaIsTheScreenWithoutTheTaskBar) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_TRUE(Same(work, WorkArea));
    RECT wide{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &wide, 0));
    EXPECT_TRUE(Same(wide, WorkArea));
}

// The frame sizes the default window procedure and the skinned forms read from either place must agree.
TEST(Metrics, NonClientMetricsMatchSystemMetrics) {
    NONCLIENTMETRICSW wide{};
    wide.cbSize = sizeof(wide);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(wide), &wide, 0));
    EXPECT_EQ(wide.iBorderWidth + GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(wide.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(wide.iScrollHeight, GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(wide.iCaptionWidth, GetSystemMetrics(SM_CXSIZE));
    EXPECT_EQ(wide.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION)) << "the caption bar sits on a one-pixel line";
    EXPECT_EQ(wide.iSmCaptionHeight + 1, GetSystemMetrics(SM_CYSMCAPTION));
    EXPECT_EQ(wide.iMenuHeight + 1, GetSystemMetrics(SM_CYMENU));
    EXPECT_EQ(std::u16string(wide.lfCaptionFont.lfFaceName), u"宋体");
    EXPECT_EQ(wide.lfCaptionFont.lfHeight, -12);
    EXPECT_EQ(wide.lfCaptionFont.lfWeight, FW_BOLD);
    EXPECT_EQ(wide.lfMessageFont.lfWeight, FW_NORMAL);
    EXPECT_EQ(wide.lfMenuFont.lfCharSet, GB2312_CHARSET);

    NONCLIENTMETRICSA ansi{};
    ansi.cbSize = sizeof(ansi);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ansi), &ansi, 0));
    EXPECT_EQ(ansi.iCaptionHeight, wide.iCaptionHeight);
    EXPECT_STREQ(ansi.lfStatusFont.lfFaceName, "\xCB\xCE\xCC\xE5") << "宋体 in code page 936";
}

TEST(Metrics, ParametersRefuseWhatTheyCannotAnswer) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics) - 4;
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    RECT rect{};
    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoA(0x002F /* SPI_SETWORKAREA */, 0, &rect, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SPI_VALUE));

    SetLastError(0);
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETWORKAREA, 0, nullptr, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Metrics, UserInterfaceParameters) {
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    EXPECT_EQ(lines, 3u);
    BOOL dragFull = FALSE;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &dragFull, 0));
    EXPECT_TRUE(dragFull);
    int mouse[3] = {-1, -1, -1};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETMOUSE, 0, mouse, 0));
    EXPECT_EQ(mouse[2], 1);
    DWORD speed = 0;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0));
    EXPECT_LE(speed, 31u);
    int delay = -1;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0));
    EXPECT_TRUE(delay >= 0 && delay <= 3);
    MINIMIZEDMETRICS minimized{};
    minimized.cbSize = sizeof(minimized);
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETMINIMIZEDMETRICS, 0, &minimized, 0));
    EXPECT_EQ(minimized.iWidth + 6, GetSystemMetrics(SM_CXMINIMIZED));
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETHIGHCONTRAST, 0, &contrast, 0));
    EXPECT_EQ(contrast.dwFlags & HCF_HIGHCONTRASTON, 0u);
}

TEST(Metrics, OneMonitorIsPrimaryWithTheWorkArea) {
    HMONITOR inside = MonitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{5000, 5000}, MONITOR_DEFAULTTONEAREST), inside);
    EXPECT_EQ(MonitorFromPoint(POINT{-1, 0}, MONITOR_DEFAULTTOPRIMARY), inside);
    RECT partly{1200, 1000, 1400, 1100};
    EXPECT_EQ(MonitorFromRect(&partly, MONITOR_DEFAULTTONULL), inside);
    RECT outside{2000, 0, 2100, 100};
    EXPECT_EQ(MonitorFromRect(&outside, MONITOR_DEFAULTTONULL), nullptr);
    SetLastError(0);
    EXPECT_EQ(MonitorFromPoint(POINT{0, 0}, 7), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));

    MONITORINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetMonitorInfoW(inside, &info));
    EXPECT_TRUE(Same(info.rcMonitor, Screen));
    EXPECT_TRUE(Same(info.rcWork, WorkArea));
    EXPECT_EQ(info.dwFlags, static_cast<DWORD>(MONITORINFOF_PRIMARY));

    info.cbSize = 0;
    SetLastError(0);
    EXPECT_FALSE(GetMonitorInfoA(inside, &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    info.cbSize = sizeof(info);
    SetLastError(0);
    EXPECT_FALSE(GetMonitorInfoA(reinterpret_cast<HMONITOR>(0x4242), &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MONITOR_HANDLE));

    // The larger structure of each character set also carries the display device's name.
    MONITORINFOEXW wide{};
    wide.cbSize = sizeof(wide);
    ASSERT_TRUE(GetMonitorInfoW(inside, reinterpret_cast<LPMONITORINFO>(&wide)));
    EXPECT_TRUE(Same(wide.rcWork, WorkArea));
    EXPECT_EQ(std::u16string(wide.szDevice), u"\\\\.\\DISPLAY1");
    MONITORINFOEXA ansi{};
    ansi.cbSize = sizeof(ansi);
    ASSERT_TRUE(GetMonitorInfoA(inside, reinterpret_cast<LPMONITORINFO>(&ansi)));
    EXPECT_STREQ(ansi.szDevice, "\\\\.\\DISPLAY1");
    // One character set's size is not the other's.
    wide.cbSize = sizeof(ansi);
    EXPECT_FALSE(GetMonitorInfoW(inside, reinterpret_cast<LPMONITORINFO>(&wide)));
}

TEST(Metrics, MonitorFromWindowFollowsTheWindow) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = u"MetricsTestWindow";
    RegisterClassExW(&wc);
    HWND onScreen =
        CreateWindowExW(0, u"MetricsTestWindow", u"", WS_POPUP, 10, 10, 50, 50, nullptr, nullptr, nullptr, nullptr);
    HWND offScreen =
        CreateWindowExW(0, u"MetricsTestWindow", u"", WS_POPUP, 3000, 3000, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(onScreen && offScreen);
    EXPECT_NE(MonitorFromWindow(onScreen, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromWindow(offScreen, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_NE(MonitorFromWindow(offScreen, MONITOR_DEFAULTTONEAREST), nullptr);
    DestroyWindow(onScreen);
    SetLastError(0);
    EXPECT_EQ(MonitorFromWindow(onScreen, MONITOR_DEFAULTTOPRIMARY), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    DestroyWindow(offScreen);
}

}  // namespace

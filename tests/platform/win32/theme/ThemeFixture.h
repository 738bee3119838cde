// Visual styles switched on for the length of a test, theme handles closed after it, and a 32-bit DIB section to
// draw parts on.
#pragma once

#include "../gdi/DibCanvas.h"

#include <Png.h>
#include <testing/Testing.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

class ThemeTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (HTHEME theme : FOpened) CloseThemeData(theme);
    }
    wintest::ScopedVisualStyles FStyles{true};

    // A handle for the class list, closed at the end of the test.
    HTHEME Open(const char16_t* classList, HWND window = nullptr) {
        HTHEME theme = OpenThemeData(window, classList);
        if (theme) FOpened.push_back(theme);
        return theme;
    }

private:
    std::vector<HTHEME> FOpened;
};

// The pixel as a COLORREF.
inline COLORREF ColorAt(const DibCanvas& canvas, int x, int y) {
    uint32_t p = canvas.Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

inline std::string ThemeGoldenPath(const std::string& name) {
    return std::string(TEST_SOURCE_DIR) + "/platform/win32/theme/data/" + name;
}

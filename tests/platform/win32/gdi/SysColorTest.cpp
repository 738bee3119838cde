// System colours: the classic scheme, brushes that survive DeleteObject and follow SetSysColors.
#include <win32/windows.h>

#include <gtest/gtest.h>

namespace {

TEST(SysColorTest, ClassicSchemeTable) {
    const COLORREF expected[] = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xC0C0C0,
        0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000,
        0xC0C0C0, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xD08410, 0xC0C0C0, 0x800000, 0xC0C0C0,
    };
    static_assert(sizeof(expected) / sizeof(expected[0]) == COLOR_MENUBAR + 1, "one value per index");
    for (int i = 0; i <= COLOR_MENUBAR; ++i) EXPECT_EQ(GetSysColor(i), expected[i]) << "index " << i;
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(COLOR_MENUBAR + 1), 0u);
}

TEST(SysColorTest, BrushesAreSharedAndSurviveDeleteObject) {
    for (int i = 0; i <= COLOR_MENUBAR; ++i) {
        HBRUSH brush = GetSysColorBrush(i);
        ASSERT_NE(brush, nullptr) << i;
        EXPECT_EQ(GetSysColorBrush(i), brush);
        EXPECT_TRUE(DeleteObject(brush));
        LOGBRUSH logBrush{};
        ASSERT_EQ(GetObjectA(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush)) << i;
        EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
        EXPECT_EQ(logBrush.lbColor, GetSysColor(i));
    }
    EXPECT_EQ(GetSysColorBrush(COLOR_MENUBAR + 1), nullptr);
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);
}

TEST(SysColorTest, SetSysColorsChangesColoursAndBrushes) {
    HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
    const INT indexes[] = {COLOR_BTNFACE, COLOR_WINDOW};
    const COLORREF changed[] = {RGB(10, 20, 30), 0xFF405060};  // the top byte is not part of a colour
    const COLORREF original[] = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOW)};
    ASSERT_TRUE(SetSysColors(2, indexes, changed));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(10, 20, 30));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x405060u);
    LOGBRUSH logBrush{};
    ASSERT_TRUE(GetObjectA(face, sizeof logBrush, &logBrush));
    EXPECT_EQ(logBrush.lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);

    // A bad index refuses the whole call and changes nothing.
    const INT bad[] = {COLOR_WINDOW, 40};
    const COLORREF values[] = {RGB(1, 1, 1), RGB(2, 2, 2)};
    SetLastError(0);
    EXPECT_FALSE(SetSysColors(2, bad, values));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), 0x405060u);
    EXPECT_FALSE(SetSysColors(1, nullptr, values));

    ASSERT_TRUE(SetSysColors(2, indexes, original));
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
    ASSERT_TRUE(GetObjectA(face, sizeof logBrush, &logBrush));
    EXPECT_EQ(logBrush.lbColor, RGB(192, 192, 192));
}

}  // namespace

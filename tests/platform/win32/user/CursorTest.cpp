// The standard cursors and icons as shared objects, the cursor state the driver is told of, and MessageBeep.
#include <win32/windows.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

namespace {

TEST(Cursor, StandardPicturesAreSharedAndDrawable) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow) << "one shared object per id";
    EXPECT_NE(LoadCursorA(nullptr, IDC_IBEAM), arrow);
    for (LPCSTR id : {IDC_WAIT, IDC_CROSS, IDC_UPARROW, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE, IDC_SIZENS, IDC_SIZEALL,
                      IDC_NO, IDC_HAND, IDC_APPSTARTING, IDC_HELP}) {
        EXPECT_NE(LoadCursorA(nullptr, id), nullptr) << reinterpret_cast<uintptr_t>(id);
    }
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(arrow, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 0u) << "the arrow points from its top-left corner";
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);

    HICON error = LoadIconA(nullptr, IDI_ERROR);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_HAND), error) << "IDI_ERROR is IDI_HAND";
    // Drawn on white: a red disc at the middle, the corners left alone.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 32, 32, WHITENESS);
    ASSERT_TRUE(DrawIconEx(dc, 0, 0, error, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 8, 16), RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST(Cursor, OnlyTheSystemsOwnPicturesLoad) {
    SetLastError(0);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(LoadIconA(reinterpret_cast<HINSTANCE>(0x400000), IDI_APPLICATION), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(LoadIconA(nullptr, IDC_SIZEALL), nullptr) << "a cursor id is no icon";
}

TEST(Cursor, TheDriverShowsTheCurrentCursor) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR beam = LoadCursorA(nullptr, IDC_IBEAM);
    HCURSOR before = SetCursor(arrow);
    EXPECT_EQ(GetCursor(), arrow);
    EXPECT_EQ(wintest::CursorShape(), 32512);
    EXPECT_EQ(SetCursor(beam), arrow);
    EXPECT_EQ(wintest::CursorShape(), 32513);

    int count = ShowCursor(FALSE);
    EXPECT_EQ(wintest::CursorShape(), count < 0 ? 0 : 32513);
    EXPECT_EQ(ShowCursor(TRUE), count + 1) << "the display count goes back up";
    EXPECT_EQ(wintest::CursorShape(), 32513);

    EXPECT_EQ(SetCursor(nullptr), beam);
    EXPECT_EQ(wintest::CursorShape(), 0) << "no cursor at all";
    SetLastError(0);
    EXPECT_EQ(SetCursor(reinterpret_cast<HCURSOR>(0x7ff0)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_CURSOR_HANDLE));
    EXPECT_EQ(GetCursor(), nullptr) << "a bad handle changes nothing";
    SetCursor(before);
}

TEST(Cursor, MessageBeepReachesTheDisplay) {
    int before = wintest::BeepCount();
    EXPECT_TRUE(MessageBeep(MB_OK));
    EXPECT_TRUE(MessageBeep(MB_ICONEXCLAMATION));
    EXPECT_TRUE(MessageBeep(0xFFFFFFFF));
    EXPECT_EQ(wintest::BeepCount(), before + 3);
    SetLastError(0);
    EXPECT_FALSE(MessageBeep(0x1234));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Cursor, ThreadAndProcessIdsArePositive) {
    EXPECT_GT(GetCurrentThreadId(), 0u);
    EXPECT_GT(GetCurrentProcessId(), 0u);
    DWORD mine = GetCurrentThreadId();
    EXPECT_EQ(GetCurrentThreadId(), mine);
}

}  // namespace

// Handles of every kind share one numbering: a kernel, GDI, window, menu or icon handle given to a function that
// expects another kind is refused with that function's own error and the object behind it is left alone.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

enum Kind { KernelKind, GdiKind, WindowKind, MenuKind, IconKind, KindCount };
const char* const KindNames[KindCount] = {"kernel", "gdi", "window", "menu", "icon"};

// A function of one handle kind: true when it refused the handle.
struct Probe {
    const char* Name;
    Kind Accepts;
    DWORD Error;
    std::function<bool(HANDLE)> Refuses;
};

const std::vector<Probe>& Probes() {
    static const std::vector<Probe> probes = {
        {"GetFileType", KernelKind, ERROR_INVALID_HANDLE, [](HANDLE h) { return GetFileType(h) == FILE_TYPE_UNKNOWN; }},
        {"CloseHandle", KernelKind, ERROR_INVALID_HANDLE, [](HANDLE h) { return !CloseHandle(h); }},
        {"GetObjectType", GdiKind, ERROR_INVALID_HANDLE, [](HANDLE h) { return GetObjectType(h) == 0; }},
        {"GetObjectW", GdiKind, ERROR_INVALID_HANDLE,
         [](HANDLE h) {
             LOGBRUSH brush{};
             return GetObjectW(h, sizeof brush, &brush) == 0;
         }},
        {"DeleteObject", GdiKind, ERROR_INVALID_HANDLE, [](HANDLE h) { return !DeleteObject(h); }},
        {"GetWindowLongA", WindowKind, ERROR_INVALID_WINDOW_HANDLE,
         [](HANDLE h) { return GetWindowLongA(static_cast<HWND>(h), GWL_STYLE) == 0; }},
        {"DestroyWindow", WindowKind, ERROR_INVALID_WINDOW_HANDLE,
         [](HANDLE h) { return !DestroyWindow(static_cast<HWND>(h)); }},
        {"GetMenuItemCount", MenuKind, ERROR_INVALID_MENU_HANDLE,
         [](HANDLE h) { return GetMenuItemCount(static_cast<HMENU>(h)) == -1; }},
        {"DestroyMenu", MenuKind, ERROR_INVALID_MENU_HANDLE,
         [](HANDLE h) { return !DestroyMenu(static_cast<HMENU>(h)); }},
        {"GetIconInfo", IconKind, ERROR_INVALID_CURSOR_HANDLE,
         [](HANDLE h) {
             ICONINFO info{};
             return !GetIconInfo(static_cast<HICON>(h), &info);
         }},
        {"DestroyIcon", IconKind, ERROR_INVALID_CURSOR_HANDLE,
         [](HANDLE h) { return !DestroyIcon(static_cast<HICON>(h)); }},
    };
    return probes;
}

class HandleKindTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::snprintf(FPath, sizeof FPath, "handle-kind-%d.tmp", static_cast<int>(GetCurrentProcessId()));
        FHandles[KernelKind] = CreateFileA(FPath, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        FHandles[GdiKind] = CreateSolidBrush(RGB(1, 2, 3));
        FHandles[WindowKind] =
            CreateWindowExW(0, u"BUTTON", u"kind", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr, nullptr, nullptr);
        FHandles[MenuKind] = CreatePopupMenu();
        FHandles[IconKind] = CopyIcon(LoadIconA(nullptr, IDI_APPLICATION));
        for (int kind = 0; kind < KindCount; ++kind) ASSERT_NE(FHandles[kind], nullptr) << KindNames[kind];
        ASSERT_NE(FHandles[KernelKind], INVALID_HANDLE_VALUE);
    }

    void TearDown() override {
        CloseHandle(FHandles[KernelKind]);
        std::remove(FPath);
        DeleteObject(FHandles[GdiKind]);
        DestroyWindow(static_cast<HWND>(FHandles[WindowKind]));
        DestroyMenu(static_cast<HMENU>(FHandles[MenuKind]));
        DestroyIcon(static_cast<HICON>(FHandles[IconKind]));
    }

    char FPath[64] = {};
    HANDLE FHandles[KindCount] = {};
};

TEST_F(HandleKindTest, LiveHandlesOfDifferentKindsNeverShareAValue) {
    for (int a = 0; a < KindCount; ++a)
        for (int b = a + 1; b < KindCount; ++b) EXPECT_NE(FHandles[a], FHandles[b]) << KindNames[a] << KindNames[b];
}

TEST_F(HandleKindTest, AHandleOfAnotherKindIsRefusedWithTheFunctionsError) {
    for (const Probe& probe : Probes()) {
        for (int kind = 0; kind < KindCount; ++kind) {
            if (kind == probe.Accepts) continue;
            SetLastError(0);
            EXPECT_TRUE(probe.Refuses(FHandles[kind])) << probe.Name << " took a " << KindNames[kind] << " handle";
            EXPECT_EQ(GetLastError(), probe.Error) << probe.Name << " given a " << KindNames[kind] << " handle";
        }
    }
    // Every object survived the wrong-kind destroy calls.
    EXPECT_EQ(GetFileType(FHandles[KernelKind]), static_cast<DWORD>(FILE_TYPE_DISK));
    EXPECT_EQ(GetObjectType(FHandles[GdiKind]), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_TRUE(IsWindow(static_cast<HWND>(FHandles[WindowKind])));
    EXPECT_TRUE(IsMenu(static_cast<HMENU>(FHandles[MenuKind])));
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(static_cast<HICON>(FHandles[IconKind]), &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(HandleKindTest, PredicatesAnswerFalseForOtherKinds) {
    for (int kind = 0; kind < KindCount; ++kind) {
        if (kind != WindowKind) {
            EXPECT_FALSE(IsWindow(static_cast<HWND>(FHandles[kind]))) << KindNames[kind];
        }
        if (kind != MenuKind) {
            EXPECT_FALSE(IsMenu(static_cast<HMENU>(FHandles[kind]))) << KindNames[kind];
        }
    }
}

TEST(HandleKind, ADestroyedHandleIsNotHandedToTheNextObject) {
    HMENU menu = CreateMenu();
    ASSERT_TRUE(DestroyMenu(menu));
    HBRUSH brush = CreateSolidBrush(0);
    HMENU next = CreateMenu();
    EXPECT_NE(static_cast<HANDLE>(brush), static_cast<HANDLE>(menu));
    EXPECT_NE(next, menu);
    SetLastError(0);
    EXPECT_EQ(GetMenuItemCount(menu), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    DeleteObject(brush);
    DestroyMenu(next);
}

}  // namespace

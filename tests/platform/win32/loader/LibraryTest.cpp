// The module loader: names, reference counts, exports, the test switches and the errors Windows gives.
#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Leaves the modules as the process started with them.
class Modules : public ::testing::Test {
protected:
    void TearDown() override {
        wintest::SetModuleAvailable("uxtheme.dll", true);
        wintest::SetModuleAvailable("msimg32.dll", false);
        wintest::SetModuleAvailable("user32.dll", true);
        wintest::SetExportAvailable("user32.dll", "GetScrollBarInfo", true);
        while (GetModuleHandleA("uxtheme.dll")) FreeLibrary(GetModuleHandleA("uxtheme.dll"));
        wintest::SetVisualStylesActive(true);
    }
};

TEST_F(Modules, NamesMatchInAnyCaseWithOrWithoutExtension) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    ASSERT_NE(user32, nullptr) << "user32 is loaded with the process";
    for (const char* name : {"USER32.DLL", "User32", "user32.Dll"}) EXPECT_EQ(GetModuleHandleA(name), user32) << name;
    HMODULE program = GetModuleHandleA(nullptr);
    ASSERT_NE(program, nullptr);
    EXPECT_NE(program, user32);
    for (const char* name : {"kernel33.dll", "user32.dl", "user", "C:\\Windows\\system32\\nothing.dll"}) {
        SetLastError(0);
        EXPECT_EQ(LoadLibraryA(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
    }
}

TEST_F(Modules, LastFreeUnloads) {
    EXPECT_EQ(GetModuleHandleA("uxtheme.dll"), nullptr) << "not loaded until someone loads it";
    HMODULE first = LoadLibraryA("uxtheme.dll");
    HMODULE second = LoadLibraryA("UXTHEME");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_EQ(GetModuleHandleA("uxtheme.dll"), first);
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(GetModuleHandleA("uxtheme.dll"), first) << "one reference is left";
    EXPECT_NE(GetProcAddress(first, "IsThemeActive"), nullptr);
    EXPECT_TRUE(FreeLibrary(first));
    SetLastError(0);
    EXPECT_EQ(GetModuleHandleA("uxtheme.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(first, "IsThemeActive"), nullptr) << "an unloaded module has no exports";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(0);
    EXPECT_FALSE(FreeLibrary(first));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Modules, ModulesOfTheProcessStayLoaded) {
    HMODULE user32 = LoadLibraryA("user32.dll");
    ASSERT_EQ(user32, GetModuleHandleA("user32.dll"));
    EXPECT_TRUE(FreeLibrary(user32));
    EXPECT_TRUE(FreeLibrary(user32));
    EXPECT_EQ(GetModuleHandleA("user32.dll"), user32);
    EXPECT_NE(GetProcAddress(user32, "MonitorFromPoint"), nullptr);
    SetLastError(0);
    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(static_cast<uintptr_t>(0x1234))));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Modules, ExportsAreTheRealFunctions) {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    auto monitorFromPoint = reinterpret_cast<decltype(&MonitorFromPoint)>(
        reinterpret_cast<void (*)()>(GetProcAddress(user32, "MonitorFromPoint")));
    ASSERT_NE(monitorFromPoint, nullptr);
    EXPECT_EQ(monitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL),
              MonitorFromPoint(POINT{10, 10}, MONITOR_DEFAULTTONULL));
    for (const char* name : {"SetLayeredWindowAttributes", "UpdateLayeredWindow", "MonitorFromRect",
                             "MonitorFromWindow", "GetMonitorInfoA", "GetScrollBarInfo"}) {
        EXPECT_NE(GetProcAddress(user32, name), nullptr) << name;
    }
    // Export names are exact: no case folding, no ordinals here.
    for (LPCSTR name : {static_cast<LPCSTR>("monitorfrompoint"), static_cast<LPCSTR>("NoSuchFunction"),
                        static_cast<LPCSTR>(MAKEINTRESOURCEA(12))}) {
        SetLastError(0);
        EXPECT_EQ(GetProcAddress(user32, name), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    }
    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    ASSERT_NE(uxtheme, nullptr);
    EXPECT_NE(GetProcAddress(uxtheme, "IsAppThemed"), nullptr);
    EXPECT_EQ(GetProcAddress(uxtheme, "OpenThemeData"),
              reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&OpenThemeData)));
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(uxtheme, "OpenThemeDataEx"), nullptr) << "a later system's entry point";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    FreeLibrary(uxtheme);
}

TEST_F(Modules, SwitchesTakeModulesAndExportsAway) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryA("msimg32.dll"), nullptr) << "absent unless a test offers it";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    ASSERT_TRUE(wintest::SetModuleAvailable("msimg32.dll", true));
    HMODULE msimg32 = LoadLibraryA("msimg32.dll");
    ASSERT_NE(msimg32, nullptr);
    EXPECT_EQ(GetProcAddress(msimg32, "TransparentBlt"), nullptr);
    EXPECT_TRUE(FreeLibrary(msimg32));

    HMODULE uxtheme = LoadLibraryA("uxtheme.dll");
    ASSERT_NE(uxtheme, nullptr);
    ASSERT_TRUE(wintest::SetModuleAvailable("uxtheme.dll", false));
    EXPECT_EQ(LoadLibraryA("uxtheme.dll"), nullptr);
    EXPECT_EQ(GetModuleHandleA("uxtheme.dll"), nullptr);
    EXPECT_NE(GetProcAddress(uxtheme, "IsThemeActive"), nullptr) << "a handle given out before stays valid";
    EXPECT_TRUE(FreeLibrary(uxtheme));

    HMODULE user32 = GetModuleHandleA("user32.dll");
    ASSERT_TRUE(wintest::SetExportAvailable("user32.dll", "GetScrollBarInfo", false));
    EXPECT_EQ(GetProcAddress(user32, "GetScrollBarInfo"), nullptr);
    EXPECT_NE(GetProcAddress(user32, "MonitorFromRect"), nullptr);
    EXPECT_FALSE(wintest::SetModuleAvailable("gdi99.dll", false));
    EXPECT_FALSE(wintest::SetExportAvailable("user32.dll", "NoSuchFunction", false));
}

// WM_THEMECHANGED as the desktop sends it when visual styles go on or off.
int themeChanges = 0;
LRESULT CountThemeChanges(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_THEMECHANGED) ++themeChanges;
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(Modules, VisualStylesSwitchAnswersAndNotifies) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = CountThemeChanges;
    windowClass.lpszClassName = "LoaderThemeListener";
    RegisterClassExA(&windowClass);
    HWND window =
        CreateWindowExA(0, "LoaderThemeListener", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsThemeActive()) << "on at start, as on a current desktop";
    EXPECT_TRUE(IsAppThemed());
    themeChanges = 0;
    wintest::SetVisualStylesActive(false);
    EXPECT_FALSE(IsThemeActive());
    EXPECT_FALSE(IsAppThemed());
    EXPECT_EQ(themeChanges, 1) << "a hidden top-level window hears it too";
    wintest::SetVisualStylesActive(false);
    EXPECT_EQ(themeChanges, 1) << "no change, no message";
    wintest::SetVisualStylesActive(true);
    EXPECT_EQ(themeChanges, 2);
    DestroyWindow(window);
}

TEST_F(Modules, DataFileLoadsOnlyOfTheProgram) {
    char path[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    HMODULE program = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_EQ(program, GetModuleHandleA(nullptr));
    EXPECT_TRUE(FreeLibrary(program));
    std::string other = std::string(path) + ".other";
    SetLastError(0);
    EXPECT_EQ(LoadLibraryExA(other.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(LoadLibraryExA(path, nullptr, 0x00000100), nullptr) << "a flag we do not carry is refused";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace

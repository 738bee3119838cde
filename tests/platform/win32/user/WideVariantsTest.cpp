// The W forms of functions that take or give names answer what their A forms answer for the same input (and
// fail the same way), integer resources and atoms included.
#include <win32/modules.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

// What a call answered, with the last error when it failed.
struct Outcome {
    uintptr_t Value;
    DWORD Error;
    bool operator==(const Outcome& other) const { return Value == other.Value && Error == other.Error; }
};

template <class F>
Outcome Call(F call) {
    SetLastError(0);
    auto value = call();
    return {static_cast<uintptr_t>(reinterpret_cast<uintptr_t>(value)), value ? 0 : GetLastError()};
}

template <class F>
Outcome Count(F call) {
    SetLastError(0);
    auto value = call();
    return {static_cast<uintptr_t>(value), value ? 0 : GetLastError()};
}

class WideVariants : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = u"WideProbe";
        ASSERT_NE(RegisterClassExW(&wc), 0);
        Window = CreateWindowExW(0, u"WideProbe", u"宽窄 wide", WS_POPUP | WS_CLIPSIBLINGS, 0, 0, 50, 20, nullptr,
                                 nullptr, nullptr, nullptr);
        ASSERT_NE(Window, nullptr);
    }
    void TearDown() override {
        DestroyWindow(Window);
        UnregisterClassW(u"WideProbe", nullptr);
    }
    HWND Window = nullptr;
};

struct Pair {
    const char* Label;
    std::function<Outcome(HWND)> A, W;
};

const Pair pairs[] = {
    {"FindWindow by class and title", [](HWND) { return Call([] { return FindWindowA("wideprobe", "宽窄 WIDE"); }); },
     [](HWND) { return Call([] { return FindWindowW(u"wideprobe", u"宽窄 WIDE"); }); }},
    {"FindWindow of no such title", [](HWND) { return Call([] { return FindWindowA(nullptr, "none"); }); },
     [](HWND) { return Call([] { return FindWindowW(nullptr, u"none"); }); }},
    {"GetWindowLong", [](HWND w) { return Count([w] { return GetWindowLongA(w, GWL_STYLE); }); },
     [](HWND w) { return Count([w] { return GetWindowLongW(w, GWL_STYLE); }); }},
    {"GetWindowLong of a bad index", [](HWND w) { return Count([w] { return GetWindowLongA(w, 4096); }); },
     [](HWND w) { return Count([w] { return GetWindowLongW(w, 4096); }); }},
    {"SetWindowLong",
     [](HWND w) {
         SetWindowLongA(w, GWLP_USERDATA, 7);
         return Count([w] { return SetWindowLongA(w, GWLP_USERDATA, 0); });
     },
     [](HWND w) {
         SetWindowLongW(w, GWLP_USERDATA, 7);
         return Count([w] { return SetWindowLongW(w, GWLP_USERDATA, 0); });
     }},
    {"GetModuleHandle", [](HWND) { return Call([] { return GetModuleHandleA("UXTHEME.DLL"); }); },
     [](HWND) { return Call([] { return GetModuleHandleW(u"UXTHEME.DLL"); }); }},
    {"GetModuleHandle of the program", [](HWND) { return Call([] { return GetModuleHandleA(nullptr); }); },
     [](HWND) { return Call([] { return GetModuleHandleW(nullptr); }); }},
    {"GetModuleHandle of no module", [](HWND) { return Call([] { return GetModuleHandleA("nothing.dll"); }); },
     [](HWND) { return Call([] { return GetModuleHandleW(u"nothing.dll"); }); }},
    {"LoadLibrary",
     [](HWND) {
         HMODULE module = LoadLibraryA("uxtheme.dll");
         FreeLibrary(module);
         return Call([module] { return module; });
     },
     [](HWND) {
         HMODULE module = LoadLibraryW(u"uxtheme.dll");
         FreeLibrary(module);
         return Call([module] { return module; });
     }},
    {"LoadLibraryEx with a bad flag",
     [](HWND) { return Call([] { return LoadLibraryExA("uxtheme.dll", nullptr, 8); }); },
     [](HWND) { return Call([] { return LoadLibraryExW(u"uxtheme.dll", nullptr, 8); }); }},
    {"LoadCursor", [](HWND) { return Call([] { return LoadCursorA(nullptr, IDC_SIZEWE); }); },
     [](HWND) { return Call([] { return LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)); }); }},
    {"LoadIcon", [](HWND) { return Call([] { return LoadIconA(nullptr, IDI_QUESTION); }); },
     [](HWND) { return Call([] { return LoadIconW(nullptr, MAKEINTRESOURCEW(32514)); }); }},
    {"LoadCursor by a name no module has", [](HWND) { return Call([] { return LoadCursorA(nullptr, "arrow"); }); },
     [](HWND) { return Call([] { return LoadCursorW(nullptr, u"arrow"); }); }},
    {"FindResource of no module", [](HWND) { return Call([] { return FindResourceA(nullptr, "X", RT_BITMAP); }); },
     [](HWND) { return Call([] { return FindResourceW(nullptr, u"X", MAKEINTRESOURCEW(2)); }); }},
    {"LoadBitmap by a name", [](HWND) { return Call([] { return LoadBitmapA(nullptr, "none"); }); },
     [](HWND) { return Call([] { return LoadBitmapW(nullptr, u"none"); }); }},
    {"RegisterWindowMessage", [](HWND) { return Count([] { return RegisterWindowMessageA("宽 Message"); }); },
     [](HWND) { return Count([] { return RegisterWindowMessageW(u"宽 MESSAGE"); }); }},
    {"RegisterWindowMessage of nothing", [](HWND) { return Count([] { return RegisterWindowMessageA(""); }); },
     [](HWND) { return Count([] { return RegisterWindowMessageW(u""); }); }},
    {"GetProp of SetProp's name",
     [](HWND w) {
         SetPropA(w, "名字", reinterpret_cast<HANDLE>(5));
         return Call([w] { return GetPropW(w, u"名字"); });
     },
     [](HWND w) {
         SetPropW(w, u"名字", reinterpret_cast<HANDLE>(5));
         return Call([w] { return GetPropA(w, "名字"); });
     }},
    {"RemoveProp of an atom",
     [](HWND w) {
         SetPropA(w, reinterpret_cast<LPCSTR>(0x1234), reinterpret_cast<HANDLE>(9));
         return Call([w] { return RemovePropW(w, reinterpret_cast<LPCWSTR>(0x1234)); });
     },
     [](HWND w) {
         SetPropW(w, reinterpret_cast<LPCWSTR>(0x1234), reinterpret_cast<HANDLE>(9));
         return Call([w] { return RemovePropA(w, reinterpret_cast<LPCSTR>(0x1234)); });
     }},
    {"PostThreadMessage to another thread",
     [](HWND) { return Count([] { return PostThreadMessageA(GetCurrentThreadId() + 1, WM_USER, 0, 0); }); },
     [](HWND) { return Count([] { return PostThreadMessageW(GetCurrentThreadId() + 1, WM_USER, 0, 0); }); }},
    {"QueryDosDevice of no port",
     [](HWND) {
         char buffer[64];
         return Count([&] { return QueryDosDeviceA("COM250", buffer, 64); });
     },
     [](HWND) {
         WCHAR buffer[64];
         return Count([&] { return QueryDosDeviceW(u"COM250", buffer, 64); });
     }},
};

TEST_F(WideVariants, AnswerAsTheirAnsiForms) {
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(pair.Label);
        Outcome a = pair.A(Window);
        Outcome w = pair.W(Window);
        EXPECT_EQ(a.Value, w.Value);
        EXPECT_EQ(a.Error, w.Error);
    }
    // A found window is the window itself, and a message registered under both names is one message.
    EXPECT_EQ(FindWindowW(u"WIDEPROBE", u"宽窄 wide"), Window);
    EXPECT_NE(RegisterWindowMessageW(u"宽 MESSAGE"), 0u);
}

// GetVersionExW fills the wide records as GetVersionExA fills the narrow ones.
TEST_F(WideVariants, GetVersionExFillsTheWideRecords) {
    OSVERSIONINFOEXA narrow{};
    narrow.dwOSVersionInfoSize = sizeof narrow;
    ASSERT_TRUE(GetVersionExA(reinterpret_cast<LPOSVERSIONINFOA>(&narrow)));
    OSVERSIONINFOEXW wide{};
    wide.dwOSVersionInfoSize = sizeof wide;
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<LPOSVERSIONINFOW>(&wide)));
    EXPECT_EQ(wide.dwMajorVersion, narrow.dwMajorVersion);
    EXPECT_EQ(wide.dwBuildNumber, narrow.dwBuildNumber);
    EXPECT_EQ(wide.wServicePackMajor, narrow.wServicePackMajor);
    EXPECT_EQ(std::u16string(wide.szCSDVersion), u"Service Pack 3");
    OSVERSIONINFOW small{};
    small.dwOSVersionInfoSize = sizeof small;
    ASSERT_TRUE(GetVersionExW(&small));
    EXPECT_EQ(small.dwMinorVersion, narrow.dwMinorVersion);
    small.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    EXPECT_FALSE(GetVersionExW(&small));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace

// Window longs and classes: subclassing chains through GWLP_WNDPROC and CallWindowProc, A/W procedure handles,
// style changes with WM_STYLECHANGING / WM_STYLECHANGED, extra bytes, class registration and properties.
#include "WindowFixture.h"

namespace {

std::vector<std::string> Calls;
WNDPROC Previous1 = nullptr;
WNDPROC Previous2 = nullptr;

LRESULT Sub1(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) Calls.push_back("sub1");
    return CallWindowProcW(Previous1, h, m, w, l);
}

LRESULT Sub2(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) Calls.push_back("sub2");
    return CallWindowProcW(Previous2, h, m, w, l);
}

std::u16string LastText;

LRESULT WideProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER) Calls.push_back("base");
    if (m == WM_SETTEXT) LastText = reinterpret_cast<const char16_t*>(l);
    return DefWindowProcW(h, m, w, l);
}

class WindowLongTest : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Calls.clear();
        W = Make(u"w", WS_POPUP, 0, 0, 100, 100);
        SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WideProc));
    }
    HWND W = nullptr;
};

TEST_F(WindowLongTest, SubclassChainsAndRestoresInReverse) {
    Previous1 = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Sub1)));
    EXPECT_EQ(Previous1, WideProc);
    Previous2 = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Sub2)));
    EXPECT_EQ(Previous2, Sub1);
    EXPECT_EQ(GetWindowLongPtrW(W, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(Sub2));
    SendMessageW(W, WM_USER, 0, 0);
    EXPECT_EQ(Calls, (std::vector<std::string>{"sub2", "sub1", "base"}));

    EXPECT_EQ(SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous2)),
              reinterpret_cast<LONG_PTR>(Sub2));
    EXPECT_EQ(SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous1)),
              reinterpret_cast<LONG_PTR>(Sub1));
    Calls.clear();
    SendMessageW(W, WM_USER, 0, 0);
    EXPECT_EQ(Calls, (std::vector<std::string>{"base"}));
}

// Read through the A function, a W procedure comes back as a handle of its own that CallWindowProcA converts
// through and SetWindowLongPtrA puts back as the W procedure it stands for.
TEST_F(WindowLongTest, AnsiReadOfWideProcedureIsAHandle) {
    LONG_PTR asAnsi = GetWindowLongPtrA(W, GWLP_WNDPROC);
    EXPECT_NE(asAnsi, reinterpret_cast<LONG_PTR>(WideProc));
    EXPECT_EQ(GetWindowLongPtrA(W, GWLP_WNDPROC), asAnsi);
    CallWindowProcA(reinterpret_cast<WNDPROC>(asAnsi), W, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("通道"));
    EXPECT_EQ(LastText, u"通道");
    SetWindowLongPtrW(W, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Sub1));
    SetWindowLongPtrA(W, GWLP_WNDPROC, asAnsi);
    EXPECT_EQ(GetWindowLongPtrW(W, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(WideProc));
}

TEST_F(WindowLongTest, StyleChangesGoThroughStyleChanging) {
    HWND w = Make(u"s", WS_POPUP | WS_CAPTION, 0, 0, 100, 100);
    RECT before;
    GetClientRect(w, &before);
    STYLESTRUCT changed{};
    OnMessage("s", [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
        if (m == WM_STYLECHANGING) reinterpret_cast<STYLESTRUCT*>(l)->styleNew |= WS_BORDER;
        if (m == WM_STYLECHANGED) changed = *reinterpret_cast<STYLESTRUCT*>(l);
        return std::nullopt;
    });
    ClearLog();
    LONG_PTR old = SetWindowLongPtrW(w, GWL_STYLE, WS_POPUP);
    EXPECT_EQ(old, static_cast<LONG_PTR>(WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS));
    EXPECT_EQ(Log(), (std::vector<std::string>{"s: stylechanging(-16)", "s: stylechanged(-16)"}));
    // WS_CLIPSIBLINGS stays on a top-level window; the handler's WS_BORDER is what was set.
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_STYLE), static_cast<LONG_PTR>(WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS));
    EXPECT_EQ(changed.styleNew, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_CLIPSIBLINGS));
    // The frame stays as it was until SWP_FRAMECHANGED.
    RECT after;
    GetClientRect(w, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    GetClientRect(w, &after);
    EXPECT_GT(after.bottom, before.bottom);
}

TEST_F(WindowLongTest, ExtraBytesAndIndices) {
    EXPECT_EQ(SetWindowLongPtrW(W, 0, 1234), 0);
    EXPECT_EQ(GetWindowLongPtrW(W, 0), 1234);
    EXPECT_EQ(SetWindowLongPtrW(W, sizeof(LONG_PTR), -5), 0);
    EXPECT_EQ(GetWindowLongPtrW(W, sizeof(LONG_PTR)), -5);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(W, sizeof(LONG_PTR) + 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongPtrW(W, -100), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    // A pointer does not fit the 32-bit function.
    EXPECT_EQ(GetWindowLongA(W, GWLP_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongPtrW(W, GWLP_USERDATA, 42), 0);
    EXPECT_EQ(GetWindowLongPtrW(W, GWLP_USERDATA), 42);
    HWND child = Make(u"c", WS_CHILD, 0, 0, 1, 1, W, 0, reinterpret_cast<HMENU>(77));
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_ID), 77);
    EXPECT_EQ(GetWindowLongPtrW(child, GWLP_HWNDPARENT), reinterpret_cast<LONG_PTR>(W));
}

TEST_F(WindowLongTest, ClassRegistrationRules) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WideProc;
    wc.lpszClassName = ClassName;
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    wc.cbSize = 0;
    wc.lpszClassName = u"Other";
    EXPECT_EQ(RegisterClassExW(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    WNDCLASSEXW info{};
    info.cbSize = sizeof info;
    ATOM atom = static_cast<ATOM>(GetClassInfoExW(nullptr, u"WINDOWTESTLOG", &info));
    EXPECT_NE(atom, 0);
    EXPECT_EQ(info.cbWndExtra, static_cast<int>(2 * sizeof(LONG_PTR)));
    HWND byAtom = CreateWindowExW(0, reinterpret_cast<LPCWSTR>(static_cast<uintptr_t>(atom)), u"atom", WS_POPUP, 0, 0,
                                  1, 1, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(byAtom, nullptr);
    char name[8];
    EXPECT_EQ(GetClassNameA(byAtom, name, sizeof name), 7);
    EXPECT_STREQ(name, "WindowT");
    EXPECT_FALSE(UnregisterClassW(ClassName, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(byAtom);
    EXPECT_EQ(GetClassLongPtrW(W, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
    EXPECT_EQ(GetClassLongPtrW(W, -99), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowLongTest, PropertiesAndText) {
    int value = 0;
    EXPECT_TRUE(SetPropA(W, "Hook", &value));
    EXPECT_EQ(GetPropA(W, "HOOK"), &value);
    EXPECT_EQ(RemovePropA(W, "hook"), &value);
    EXPECT_EQ(GetPropA(W, "Hook"), nullptr);

    EXPECT_TRUE(SetWindowTextA(W, "通道"));
    EXPECT_EQ(LastText, u"通道");
    char16_t wide[16];
    EXPECT_EQ(GetWindowTextW(W, wide, 16), 2);
    EXPECT_EQ(std::u16string(wide), u"通道");
    char narrow[16];
    EXPECT_EQ(GetWindowTextA(W, narrow, 16), 4);
    EXPECT_STREQ(narrow, "通道");
    EXPECT_EQ(GetWindowTextLengthW(W), 2);
}

}  // namespace

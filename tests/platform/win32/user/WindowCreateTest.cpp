// CreateWindowEx and DestroyWindow: the messages of creation and destruction in Windows' order, CW_USEDEFAULT,
// and the ways creation fails.
#include "WindowFixture.h"

namespace {

struct CreateCase {
    const char* Label;
    DWORD Style;
    DWORD ExStyle;
    enum Parent { None, VisibleParent, HiddenParent } Where;
    std::vector<std::string> Expected;  // {size} and {move}: WM_SIZE / WM_MOVE with the window's real client area
};

class WindowCreateTest : public WindowFixture, public ::testing::WithParamInterface<CreateCase> {
protected:
    // The lines with {size} and {move} filled in from the window's client rectangle (relative to its parent).
    static std::vector<std::string> Expand(std::vector<std::string> lines, HWND hwnd) {
        RECT client;
        GetClientRect(hwnd, &client);
        POINT origin{0, 0};
        MapWindowPoints(hwnd,
                        GetAncestor(hwnd, GA_PARENT) == GetDesktopWindow() ? nullptr : GetAncestor(hwnd, GA_PARENT),
                        &origin, 1);
        for (std::string& line : lines) {
            auto replace = [&](const std::string& key, const std::string& value) {
                auto at = line.find(key);
                if (at != std::string::npos) line.replace(at, key.size(), value);
            };
            replace("{size}", "size(0," + std::to_string(client.right) + "," + std::to_string(client.bottom) + ")");
            replace("{move}", "move(" + std::to_string(origin.x) + "," + std::to_string(origin.y) + ")");
        }
        return lines;
    }
};

TEST_P(WindowCreateTest, SendsWindowsSequence) {
    const CreateCase& c = GetParam();
    HWND parent = nullptr;
    if (c.Where != CreateCase::None) {
        parent = Make(u"parent", WS_POPUP | (c.Where == CreateCase::VisibleParent ? WS_VISIBLE : 0), 50, 60, 400, 300);
        ASSERT_NE(parent, nullptr);
    }
    ClearLog();
    HWND hwnd = Make(u"w", c.Style, 10, 20, 300, 200, parent, c.ExStyle);
    ASSERT_NE(hwnd, nullptr);
    // WM_GETMINMAXINFO may come again from DefWindowProc's WM_WINDOWPOSCHANGING; only the first one is creation's.
    std::vector<std::string> log = Log();
    std::vector<std::string> seen;
    bool first = true;
    for (const std::string& line : log) {
        if (line == "w: getminmaxinfo" && !first) continue;
        first = false;
        seen.push_back(line);
    }
    EXPECT_EQ(seen, Expand(c.Expected, hwnd));
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowCreateTest,
                         ::testing::Values(
                             // An overlapped window's first WM_SIZE and WM_MOVE wait for its first showing.
                             CreateCase{"overlapped",
                                        WS_OVERLAPPEDWINDOW,
                                        0,
                                        CreateCase::None,
                                        {"w: getminmaxinfo", "w: nccreate", "w: nccalcsize(0)", "w: create"}},
                             CreateCase{"overlappedVisible",
                                        WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                        0,
                                        CreateCase::None,
                                        {"w: getminmaxinfo", "w: nccreate", "w: nccalcsize(0)", "w: create",
                                         "w: showwindow(1,0)", "w: changing(NOSIZE|NOMOVE|SHOWWINDOW)",
                                         "w: changed(NOSIZE|NOMOVE|NOZORDER|SHOWWINDOW)", "w: {size}", "w: {move}"}},
                             CreateCase{"popup",
                                        WS_POPUP,
                                        0,
                                        CreateCase::None,
                                        {"w: nccreate", "w: nccalcsize(0)", "w: create", "w: {size}", "w: {move}"}},
                             CreateCase{"child",
                                        WS_CHILD | WS_VISIBLE,
                                        0,
                                        CreateCase::VisibleParent,
                                        {"w: nccreate", "w: nccalcsize(0)", "w: create", "w: {size}", "w: {move}",
                                         "parent: parentnotify(create)", "w: showwindow(1,0)",
                                         "w: changing(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|SHOWWINDOW)",
                                         "w: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|SHOWWINDOW)"}},
                             CreateCase{"sizableChild",
                                        WS_CHILD | WS_THICKFRAME,
                                        0,
                                        CreateCase::VisibleParent,
                                        {"w: getminmaxinfo", "w: nccreate", "w: nccalcsize(0)", "w: create",
                                         "w: {size}", "w: {move}", "parent: parentnotify(create)"}},
                             CreateCase{"quietChild",
                                        WS_CHILD,
                                        WS_EX_NOPARENTNOTIFY,
                                        CreateCase::VisibleParent,
                                        {"w: nccreate", "w: nccalcsize(0)", "w: create", "w: {size}", "w: {move}"}},
                             // Under a hidden parent ShowWindow only sets WS_VISIBLE.
                             CreateCase{"childOfHidden",
                                        WS_CHILD | WS_VISIBLE,
                                        0,
                                        CreateCase::HiddenParent,
                                        {"w: nccreate", "w: nccalcsize(0)", "w: create", "w: {size}", "w: {move}",
                                         "parent: parentnotify(create)", "w: showwindow(1,0)"}}),
                         [](const ::testing::TestParamInfo<CreateCase>& info) {
                             return std::string(info.param.Label);
                         });

using WindowLifeTest = WindowFixture;

TEST_F(WindowLifeTest, ChildOfHiddenParentIsVisibleOnlyByStyle) {
    HWND parent = Make(u"parent", WS_POPUP, 0, 0, 100, 100);
    HWND child = Make(u"child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent);
    EXPECT_TRUE(GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(IsWindowVisible(child));
    ShowWindow(parent, SW_SHOWNA);
    EXPECT_TRUE(IsWindowVisible(child));
}

TEST_F(WindowLifeTest, FailuresSetWindowsErrors) {
    SetLastError(0);
    EXPECT_EQ(CreateWindowExW(0, ClassName, u"x", WS_CHILD, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
    EXPECT_EQ(CreateWindowExW(0, u"NoSuchClass", u"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(CreateWindowExW(0, ClassName, u"x", WS_CHILD, 0, 0, 10, 10, reinterpret_cast<HWND>(0x7777), nullptr,
                              nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(DestroyWindow(GetDesktopWindow()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DestroyWindow(reinterpret_cast<HWND>(0x7777)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(WindowLifeTest, RefusedCreationFreesTheWindow) {
    OnMessage("nonc", [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_NCCREATE) return FALSE;
        return std::nullopt;
    });
    OnMessage("nocreate", [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_CREATE) return -1;
        return std::nullopt;
    });
    EXPECT_EQ(Make(u"nonc", WS_POPUP, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(Log(), (std::vector<std::string>{"nonc: nccreate", "nonc: ncdestroy"}));
    ClearLog();
    EXPECT_EQ(Make(u"nocreate", WS_POPUP, 0, 0, 10, 10), nullptr);
    ASSERT_FALSE(Log().empty());
    EXPECT_EQ(Log().back(), "nocreate: ncdestroy");
    EXPECT_EQ(LogWithout({"destroy", "ncdestroy"}),
              (std::vector<std::string>{"nocreate: nccreate", "nocreate: nccalcsize(0)", "nocreate: create"}));
}

TEST_F(WindowLifeTest, DefaultPositionAndSize) {
    RECT work;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    HWND top = Make(u"top", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0);
    RECT rect;
    GetWindowRect(top, &rect);
    EXPECT_EQ(rect.left, work.left);
    EXPECT_EQ(rect.top, work.top);
    EXPECT_EQ(rect.right - rect.left, (work.right - work.left) * 3 / 4 - work.left);
    EXPECT_EQ(rect.bottom - rect.top, (work.bottom - work.top) * 3 / 4 - work.top);

    HWND popup = Make(u"popup", WS_POPUP, CW_USEDEFAULT, 5, CW_USEDEFAULT, 5);
    GetWindowRect(popup, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 0);
    EXPECT_EQ(rect.bottom, 0);
}

TEST_F(WindowLifeTest, DestroyOrderWithChildrenAndOwnedWindows) {
    HWND parent = Make(u"P", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND a = Make(u"A", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    Make(u"A1", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a);
    Make(u"B", WS_CHILD, 60, 0, 50, 50, parent);
    Make(u"O", WS_POPUP | WS_VISIBLE, 300, 0, 50, 50, parent);
    ClearLog();
    ASSERT_TRUE(DestroyWindow(parent));
    EXPECT_EQ(Log(), (std::vector<std::string>{
                         "P: changing(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|HIDEWINDOW)",
                         "P: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|HIDEWINDOW)",
                         "O: changing(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|HIDEWINDOW)",
                         "O: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|HIDEWINDOW)",
                         "O: destroy",
                         "O: ncdestroy",
                         "P: destroy",
                         "A: destroy",
                         "A1: destroy",
                         "B: destroy",
                         "A1: ncdestroy",
                         "A: ncdestroy",
                         "B: ncdestroy",
                         "P: ncdestroy",
                     }));
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(a));
}

TEST_F(WindowLifeTest, DestroyingAChildNotifiesTheParentAndHidesIt) {
    HWND parent = Make(u"P", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = Make(u"C", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, parent);
    SetFocus(child);
    ClearLog();
    ASSERT_TRUE(DestroyWindow(child));
    EXPECT_EQ(LogWithout({"setfocus"}),
              (std::vector<std::string>{"P: parentnotify(destroy)", "C: showwindow(0,0)",
                                        "C: changing(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|HIDEWINDOW)",
                                        "C: changed(NOSIZE|NOMOVE|NOZORDER|NOACTIVATE|HIDEWINDOW)", "C: destroy",
                                        "C: ncdestroy"}));
    EXPECT_EQ(GetFocus(), parent);
}

TEST_F(WindowLifeTest, DestroyFromInsideDestroyIsHarmless) {
    HWND w = Make(u"W", WS_POPUP, 0, 0, 10, 10);
    OnMessage("W", [](HWND hwnd, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (m == WM_DESTROY) {
            EXPECT_TRUE(DestroyWindow(hwnd));
        }
        return std::nullopt;
    });
    ClearLog();
    EXPECT_TRUE(DestroyWindow(w));
    EXPECT_EQ(Log(), (std::vector<std::string>{"W: destroy", "W: ncdestroy"}));
}

}  // namespace

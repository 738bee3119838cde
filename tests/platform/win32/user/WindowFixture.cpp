// The logging window class behind the window manager tests.
#include "WindowFixture.h"

#include <algorithm>
#include <cstdio>

WindowFixture* WindowFixture::Current = nullptr;
const char16_t WindowFixture::ClassName[] = u"WindowTestLog";

namespace {

std::string Narrow(const char16_t* text) {
    std::string out;
    for (; text && *text; ++text) out += static_cast<char>(*text);
    return out;
}

std::string Format(const char* format, long a = 0, long b = 0, long c = 0) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

std::string SwpFlags(UINT flags) {
    static const std::pair<UINT, const char*> names[] = {
        {SWP_NOSIZE, "NOSIZE"},
        {SWP_NOMOVE, "NOMOVE"},
        {SWP_NOZORDER, "NOZORDER"},
        {SWP_NOACTIVATE, "NOACTIVATE"},
        {SWP_FRAMECHANGED, "FRAMECHANGED"},
        {SWP_SHOWWINDOW, "SHOWWINDOW"},
        {SWP_HIDEWINDOW, "HIDEWINDOW"},
    };
    std::string out;
    for (const auto& [bit, name] : names)
        if (flags & bit) out += (out.empty() ? "" : "|") + std::string(name);
    return out;
}

void WindowFixture::SetUp() {
    Current = this;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = LoggingProc;
    wc.cbWndExtra = 2 * sizeof(LONG_PTR);
    wc.lpszClassName = ClassName;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ASSERT_NE(RegisterClassExW(&wc), 0);
}

void WindowFixture::TearDown() {
    for (HWND hwnd : FMade)
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    UnregisterClassW(ClassName, nullptr);
    Current = nullptr;
}

HWND WindowFixture::Make(const char16_t* name, DWORD style, int x, int y, int cx, int cy, HWND parent, DWORD exStyle,
                         HMENU id) {
    FCreating = Narrow(name);
    HWND hwnd = CreateWindowExW(exStyle, ClassName, name, style, x, y, cx, cy, parent, id, nullptr, nullptr);
    FCreating.clear();
    if (hwnd) FMade.push_back(hwnd);
    return hwnd;
}

std::vector<std::string> WindowFixture::LogWithout(const std::vector<std::string>& prefixes) const {
    std::vector<std::string> out;
    for (const std::string& line : FLog) {
        std::string body = line.substr(line.find(": ") + 2);
        bool drop = std::any_of(prefixes.begin(), prefixes.end(),
                                [&](const std::string& p) { return body.compare(0, p.size(), p) == 0; });
        if (!drop) out.push_back(line);
    }
    return out;
}

void WindowFixture::Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) FNames[hwnd] = Narrow(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpszName);
    if (!FNames.count(hwnd) && !FCreating.empty()) FNames[hwnd] = FCreating;
    std::string text;
    switch (message) {
    case WM_GETMINMAXINFO: text = "getminmaxinfo"; break;
    case WM_NCCREATE: text = "nccreate"; break;
    case WM_CREATE: text = "create"; break;
    case WM_NCCALCSIZE: text = Format("nccalcsize(%ld)", static_cast<long>(wParam)); break;
    case WM_SHOWWINDOW:
        text = Format("showwindow(%ld,%ld)", static_cast<long>(wParam), static_cast<long>(lParam));
        break;
    case WM_WINDOWPOSCHANGING: text = "changing(" + SwpFlags(reinterpret_cast<WINDOWPOS*>(lParam)->flags) + ")"; break;
    case WM_WINDOWPOSCHANGED: text = "changed(" + SwpFlags(reinterpret_cast<WINDOWPOS*>(lParam)->flags) + ")"; break;
    case WM_SIZE: text = Format("size(%ld,%ld,%ld)", static_cast<long>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_MOVE:
        text = Format("move(%ld,%ld)", static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case WM_DESTROY: text = "destroy"; break;
    case WM_NCDESTROY: text = "ncdestroy"; break;
    case WM_PARENTNOTIFY:
        text = LOWORD(wParam) == WM_CREATE    ? "parentnotify(create)"
               : LOWORD(wParam) == WM_DESTROY ? "parentnotify(destroy)"
                                              : "parentnotify";
        break;
    case WM_STYLECHANGING: text = Format("stylechanging(%ld)", static_cast<long>(wParam)); break;
    case WM_STYLECHANGED: text = Format("stylechanged(%ld)", static_cast<long>(wParam)); break;
    case WM_CHILDACTIVATE: text = "childactivate"; break;
    case WM_ENABLE: text = Format("enable(%ld)", static_cast<long>(wParam)); break;
    default: return;
    }
    auto name = FNames.find(hwnd);
    FLog.push_back((name == FNames.end() ? std::string("?") : name->second) + ": " + text);
}

LRESULT WindowFixture::LoggingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowFixture* self = Current;
    if (self) {
        self->Record(hwnd, message, wParam, lParam);
        auto name = self->FNames.find(hwnd);
        if (name != self->FNames.end()) {
            auto hook = self->FHooks.find(name->second);
            if (hook != self->FHooks.end()) {
                std::optional<LRESULT> answer = hook->second(hwnd, message, wParam, lParam);
                if (answer) return *answer;
            }
        }
        if (message == WM_NCDESTROY) self->FNames.erase(hwnd);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

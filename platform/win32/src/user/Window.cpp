// The window handle table, the desktop window and the window manager's shared state, with the geometry helpers
// of the window object.
#include "user/Window.h"

#include "kernel/HandleTable.h"

#include <backend/Driver.h>

#include <cstdint>
#include <unordered_map>

namespace win32::user {
namespace {

// Values come from the one handle table, so they are never HWND_BROADCAST, the negative HWND_* markers or the
// handle of a GDI object or a menu.
struct HandleTable {
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> Windows;
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

LRESULT DesktopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

Window* FromHandleQuiet(HWND hwnd) {
    auto& windows = Table().Windows;
    auto found = windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return found == windows.end() ? nullptr : found->second.get();
}

Window* FromHandle(HWND hwnd) {
    Window* window = FromHandleQuiet(hwnd);
    if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return window;
}

HWND InsertWindow(std::unique_ptr<Window> window) {
    auto& table = Table();
    HWND hwnd = static_cast<HWND>(kernel::AllocateHandle(kernel::HandleKind::Window));
    window->Handle = hwnd;
    table.Windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(window));
    return hwnd;
}

void RemoveWindow(HWND hwnd) {
    auto& windows = Table().Windows;
    auto found = windows.find(reinterpret_cast<uintptr_t>(hwnd));
    if (found == windows.end()) return;
    // Take it out of the table first: a destructor running user code must not find a half-removed window.
    std::unique_ptr<Window> window = std::move(found->second);
    windows.erase(found);
    kernel::ReleaseHandle(hwnd);
    UserState& state = State();
    if (state.Focus == hwnd) state.Focus = nullptr;
    if (state.Active == hwnd) state.Active = nullptr;
    if (state.Foreground == hwnd) state.Foreground = nullptr;
    if (state.Capture == hwnd) state.Capture = nullptr;
}

Window& Desktop() {
    static Window* desktop = [] {
        auto window = std::make_unique<Window>();
        auto windowClass = std::make_shared<WindowClass>();
        windowClass->Name = u"#32769";
        windowClass->Atom = 32769;
        windowClass->Proc = DesktopProc;
        windowClass->Unicode = true;
        window->Class = windowClass;
        window->Proc = DesktopProc;
        window->Unicode = true;
        window->Style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        SIZE screen = backend::CurrentDriver().ScreenSize();
        window->WindowRect = {0, 0, screen.cx, screen.cy};
        window->ClientRect = window->WindowRect;
        window->NormalRect = window->WindowRect;
        window->Created = true;
        Window* raw = window.get();
        InsertWindow(std::move(window));
        return raw;
    }();
    return *desktop;
}

UserState& State() {
    static UserState state;
    return state;
}

bool Window::TopLevel() const { return Parent == &Desktop(); }

Window* Window::Root() {
    Window* window = this;
    while (window->Parent && window->Parent != &Desktop()) window = window->Parent;
    return window;
}

RECT Window::ParentClientToScreen(RECT rect) const {
    for (const Window* parent = Parent; parent && parent != &Desktop(); parent = parent->Parent) {
        rect.left += parent->ClientRect.left;
        rect.right += parent->ClientRect.left;
        rect.top += parent->ClientRect.top;
        rect.bottom += parent->ClientRect.top;
    }
    return rect;
}

RECT Window::ScreenWindowRect() const { return ParentClientToScreen(WindowRect); }

RECT Window::ScreenClientRect() const { return ParentClientToScreen(ClientRect); }

}  // namespace win32::user

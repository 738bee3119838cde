// The frame fixture's window class, log and clean-up.
#include "FrameFixture.h"

#include <testing/Testing.h>

FrameFixture* FrameFixture::Current = nullptr;

namespace {

constexpr const char16_t* ClassName = u"FrameTestWindow";

}  // namespace

std::array<LONG, 4> Box(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

LRESULT FrameFixture::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    FrameFixture* fixture = Current;
    if (fixture) {
        FrameEvent event{hwnd, message, wParam, lParam};
        if ((message == WM_MOVING || message == WM_SIZING) && lParam)
            event.Rect = *reinterpret_cast<const RECT*>(lParam);
        fixture->FLog.push_back(event);
        LRESULT answer = 0;
        if (fixture->FHook && fixture->FHook(hwnd, message, wParam, lParam, answer)) return answer;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void FrameFixture::SetUp() {
    Current = this;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = ClassName;
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (!GetClassInfoExW(nullptr, ClassName, &existing)) {
        ASSERT_NE(RegisterClassExW(&wc), 0);
    }
    wintest::ResetInput();
    wintest::PumpUntilIdle();
}

void FrameFixture::TearDown() {
    for (HWND hwnd : FWindows)
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    if (GetCapture()) ReleaseCapture();
    wintest::ResetInput();
    wintest::PumpUntilIdle();
    Current = nullptr;
}

HWND FrameFixture::Make(DWORD style, DWORD exStyle, const RECT& rect, const char16_t* text) {
    HWND hwnd = CreateWindowExW(exStyle, ClassName, text, style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    FWindows.push_back(hwnd);
    return hwnd;
}

void FrameFixture::Settle() {
    wintest::PumpUntilIdle();
    FLog.clear();
}

std::vector<FrameEvent> FrameFixture::Events(UINT message) const {
    std::vector<FrameEvent> found;
    for (const FrameEvent& event : FLog)
        if (event.Message == message) found.push_back(event);
    return found;
}

std::vector<UINT> FrameFixture::Messages(const std::vector<UINT>& only) const {
    std::vector<UINT> found;
    for (const FrameEvent& event : FLog)
        for (UINT message : only)
            if (event.Message == message) found.push_back(message);
    return found;
}

RECT FrameFixture::WindowRectOf(HWND hwnd) {
    RECT rect{0, 0, 0, 0};
    GetWindowRect(hwnd, &rect);
    return rect;
}

// The painting fixture's window procedure and helpers.
#include "PaintFixture.h"

#include <testing/Testing.h>

#include <string>

namespace {

LRESULT PaintProbeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& behaviours = PaintFixture::Behaviours();
    auto found = behaviours.find(hwnd);
    if (found == behaviours.end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    PaintFixture::Behaviour behaviour = found->second;
    if (behaviour.LogsPlacement && (message == WM_WINDOWPOSCHANGING || message == WM_GETMINMAXINFO ||
                                    message == WM_NCCALCSIZE || message == WM_WINDOWPOSCHANGED))
        PaintFixture::Log().push_back({hwnd, message, wParam});
    switch (message) {
    case WM_PAINT: {
        if (!behaviour.BeginsPaint) {
            PaintFixture::Log().push_back({hwnd, message, wParam});
            return 0;
        }
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hwnd, &ps);
        PaintEvent event{hwnd, message, wParam, ps.rcPaint};
        GetClipBox(hdc, &event.ClipBox);
        event.Erase = ps.fErase;
        PaintFixture::Log().push_back(event);
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(behaviour.Paint);
        FillRect(hdc, &client, brush);
        DeleteObject(brush);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        PaintEvent event{hwnd, message, wParam};
        GetClipBox(reinterpret_cast<HDC>(wParam), &event.Rect);
        PaintFixture::Log().push_back(event);
        if (!behaviour.Erases) return 0;
        RECT client;
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(behaviour.EraseColor);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_NCCALCSIZE: {
        if (!behaviour.FrameInset) break;
        RECT* rect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        InflateRect(rect, -behaviour.FrameInset, -behaviour.FrameInset);
        return 0;
    }
    case WM_NCPAINT: {
        PaintEvent event{hwnd, message, wParam};
        if (wParam != 1) GetRgnBox(reinterpret_cast<HRGN>(wParam), &event.Rect);
        PaintFixture::Log().push_back(event);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// One class per set of class styles, registered once for the whole program.
const char16_t* ClassFor(UINT classStyle) {
    static std::map<UINT, std::u16string> names;
    auto found = names.find(classStyle);
    if (found != names.end()) return found->second.c_str();
    std::string digits = std::to_string(classStyle);
    std::u16string name = u"PaintProbe" + std::u16string(digits.begin(), digits.end());
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = PaintProbeProc;
    wc.hCursor = nullptr;
    wc.lpszClassName = name.c_str();
    EXPECT_NE(RegisterClassExW(&wc), 0);
    return names.emplace(classStyle, name).first->second.c_str();
}

}  // namespace

std::map<HWND, PaintFixture::Behaviour>& PaintFixture::Behaviours() {
    static std::map<HWND, Behaviour> behaviours;
    return behaviours;
}

std::vector<PaintEvent>& PaintFixture::Log() {
    static std::vector<PaintEvent> log;
    return log;
}

void PaintFixture::SetUp() {
    Behaviours().clear();
    Log().clear();
}

void PaintFixture::TearDown() {
    for (auto it = FWindows.rbegin(); it != FWindows.rend(); ++it) {
        if (IsWindow(*it)) DestroyWindow(*it);
    }
    wintest::PumpUntilIdle();
    Behaviours().clear();
    Log().clear();
}

HWND PaintFixture::MakeTop(const RECT& rect, COLORREF color, DWORD style, UINT classStyle) {
    // The behaviour is keyed by handle, so the window paints nothing until it is known; the first paint comes
    // from the queue afterwards.
    HWND hwnd = CreateWindowExW(0, ClassFor(classStyle), u"", style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    Behaviours()[hwnd].Paint = color;
    FWindows.push_back(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return hwnd;
}

HWND PaintFixture::MakeChild(HWND parent, const RECT& rect, COLORREF color, DWORD style) {
    HWND hwnd = CreateWindowExW(0, ClassFor(0), u"", style, rect.left, rect.top, rect.right - rect.left,
                                rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
    EXPECT_NE(hwnd, nullptr);
    Behaviours()[hwnd].Paint = color;
    FWindows.push_back(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    return hwnd;
}

void PaintFixture::Settle() {
    EXPECT_TRUE(wintest::PumpUntilIdle());
    ClearEvents();
}

std::vector<PaintEvent> PaintFixture::Events(HWND window, UINT message) const {
    std::vector<PaintEvent> events;
    for (const PaintEvent& event : Log()) {
        if ((!window || event.Window == window) && (!message || event.Message == message)) events.push_back(event);
    }
    return events;
}

std::vector<UINT> PaintFixture::Messages(HWND window) const {
    std::vector<UINT> messages;
    for (const PaintEvent& event : Events(window)) messages.push_back(event.Message);
    return messages;
}

void PaintFixture::ClearEvents() { Log().clear(); }

COLORREF PaintFixture::Pixel(HWND top, int x, int y) const {
    HDC hdc = GetDCEx(top, nullptr, DCX_WINDOW | DCX_LOCKWINDOWUPDATE);
    COLORREF color = GetPixel(hdc, x, y);
    ReleaseDC(top, hdc);
    return color;
}

void PaintFixture::FillThroughGetDC(HWND window, const RECT& rect, COLORREF color) {
    HDC hdc = GetDC(window);
    ASSERT_NE(hdc, nullptr);
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &rect, brush);
    DeleteObject(brush);
    ReleaseDC(window, hdc);
}

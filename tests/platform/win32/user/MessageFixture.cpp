// The recording window classes behind the message, input and focus tests.
#include "MessageFixture.h"

#include <testing/Testing.h>

#include <algorithm>

MessageFixture* MessageFixture::Current = nullptr;

namespace {

const char16_t PlainClass[] = u"MessageTestPlain";
const char16_t DoubleClickClass[] = u"MessageTestDblClk";
const char AnsiClass[] = "MessageTestAnsi";

}  // namespace

void MessageFixture::SetUp() {
    Current = this;
    Drain();
    wintest::ResetInput();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ProcW;
    wc.lpszClassName = PlainClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    wc.style = CS_DBLCLKS;
    wc.lpszClassName = DoubleClickClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    WNDCLASSEXA wca{};
    wca.cbSize = sizeof wca;
    wca.lpfnWndProc = ProcA;
    wca.lpszClassName = AnsiClass;
    ASSERT_NE(RegisterClassExA(&wca), 0);
}

void MessageFixture::TearDown() {
    ReleaseCapture();
    for (auto it = FMade.rbegin(); it != FMade.rend(); ++it)
        if (IsWindow(*it)) DestroyWindow(*it);
    Drain();
    wintest::ResetInput();
    UnregisterClassW(PlainClass, nullptr);
    UnregisterClassW(DoubleClickClass, nullptr);
    UnregisterClassA(AnsiClass, nullptr);
    Current = nullptr;
}

HWND MessageFixture::Make(DWORD style, int x, int y, int cx, int cy, HWND parent, DWORD exStyle, bool dblclks,
                          bool ansi) {
    HWND hwnd = ansi ? CreateWindowExA(exStyle, AnsiClass, "", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr)
                     : CreateWindowExW(exStyle, dblclks ? DoubleClickClass : PlainClass, u"", style, x, y, cx, cy,
                                       parent, nullptr, nullptr, nullptr);
    if (hwnd) FMade.push_back(hwnd);
    return hwnd;
}

std::vector<Received> MessageFixture::Taken(std::vector<UINT> messages) const {
    std::vector<Received> out;
    for (const Received& r : FReceived)
        if (messages.empty() || std::find(messages.begin(), messages.end(), r.Message) != messages.end())
            out.push_back(r);
    return out;
}

std::vector<UINT> MessageFixture::Messages(HWND hwnd, std::vector<UINT> messages) const {
    std::vector<UINT> out;
    for (const Received& r : Taken(messages))
        if (r.Window == hwnd) out.push_back(r.Message);
    return out;
}

void MessageFixture::Pump() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void MessageFixture::Drain() {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        // Paint requests stay until validated: let them be answered.
        if (msg.message == WM_PAINT) DispatchMessageW(&msg);
    }
}

LRESULT MessageFixture::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool ansi) {
    if (Current) {
        Current->FReceived.push_back(Received{hwnd, message, wParam, lParam});
        auto found = Current->FAnswers.find({hwnd, message});
        if (found != Current->FAnswers.end()) {
            auto answer = found->second;  // the answer may replace itself
            if (std::optional<LRESULT> result = answer(hwnd, message, wParam, lParam)) return *result;
        }
    }
    return ansi ? DefWindowProcA(hwnd, message, wParam, lParam) : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT MessageFixture::ProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Proc(hwnd, message, wParam, lParam, false);
}

LRESULT MessageFixture::ProcA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return Proc(hwnd, message, wParam, lParam, true);
}

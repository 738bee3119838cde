// A classic top-level window with a painted panel, a push button that opens a message box and a vertical scroll
// bar; on a real display through the SDL driver, or headless to take a screenshot. The smoke tests drive it.
#include <backend/SdlInstall.h>
#include <testing/Testing.h>
#include <win32/windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Kept away from every classic system colour, so a test that finds it on the screen found the panel.
constexpr COLORREF PanelColour = RGB(0x30, 0x90, 0x60);
constexpr COLORREF OverlayColour = RGB(0xC0, 0x30, 0x90);
constexpr UINT_PTR QuitTimer = 1, ProbeTimer = 2;
constexpr int ButtonId = 100, PanelId = 101;

HWND panel, button;

void Print(const char* format, int a, int b, int c = 0, int d = 0) {
    std::printf(format, a, b, c, d);
    std::fflush(stdout);
}

// What the window manager painted at a few places, in screen coordinates, so a test can find the same pixels on
// the display.
void PrintProbe(HWND frame, const char* name, POINT screen) {
    RECT window;
    GetWindowRect(frame, &window);
    HDC dc = GetWindowDC(frame);
    COLORREF colour = GetPixel(dc, screen.x - window.left, screen.y - window.top);
    ReleaseDC(frame, dc);
    std::printf("PROBE %s %ld %ld %02X%02X%02X\n", name, static_cast<long>(screen.x), static_cast<long>(screen.y),
                GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

// A digest of the whole window as painted (FNV-1a over R, G, B of each pixel, rows top-down), so a test can tell
// that every pixel reached the display, not only the probed ones.
void PrintDigest(HWND frame) {
    RECT window;
    GetWindowRect(frame, &window);
    HDC dc = GetWindowDC(frame);
    uint32_t digest = 2166136261u;
    for (int y = 0; y < window.bottom - window.top; ++y) {
        for (int x = 0; x < window.right - window.left; ++x) {
            COLORREF colour = GetPixel(dc, x, y);
            for (BYTE channel : {GetRValue(colour), GetGValue(colour), GetBValue(colour)})
                digest = (digest ^ channel) * 16777619u;
        }
    }
    ReleaseDC(frame, dc);
    std::printf("DIGEST %ld %ld %ld %ld %08X\n", static_cast<long>(window.left), static_cast<long>(window.top),
                static_cast<long>(window.right - window.left), static_cast<long>(window.bottom - window.top),
                static_cast<unsigned>(digest));
}

void PrintProbes(HWND frame) {
    RECT window, client, panelRect, buttonRect;
    GetWindowRect(frame, &window);
    GetClientRect(frame, &client);
    MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&client), 2);
    GetWindowRect(panel, &panelRect);
    GetWindowRect(button, &buttonRect);
    Print("WINDOW %d %d %d %d\n", window.left, window.top, window.right, window.bottom);
    Print("PANEL %d %d %d %d\n", panelRect.left, panelRect.top, panelRect.right, panelRect.bottom);
    int captionY = window.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    PrintProbe(frame, "caption", {(window.left + window.right) / 2, captionY});
    PrintProbe(frame, "panel", {(panelRect.left + panelRect.right) / 2, (panelRect.top + panelRect.bottom) / 2});
    PrintProbe(frame, "button", {buttonRect.left + 4, buttonRect.top + 4});
    PrintProbe(frame, "scrollbar",
               {client.right + GetSystemMetrics(SM_CXVSCROLL) / 2, (client.top + client.bottom) / 2});
    PrintDigest(frame);
    std::printf("READY\n");
    std::fflush(stdout);
}

LRESULT PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT rect;
        GetClientRect(hwnd, &rect);
        HBRUSH brush = CreateSolidBrush(PanelColour);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextW(dc, u"Click here: clicks are printed", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN: {
        Print("WM_LBUTTONDOWN %d %d\n", GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        // The first click puts a window of another colour over the panel's corner; the next one sends that window
        // to the bottom without activating anything, so the stacking order shows on the screen.
        static HWND overlay = nullptr;
        if (!overlay) {
            RECT rect;
            GetWindowRect(hwnd, &rect);
            overlay = CreateWindowExW(0, u"ClassicDemoOverlay", u"", WS_POPUP, rect.right - 110, rect.bottom - 60, 90,
                                      40, nullptr, nullptr, nullptr, nullptr);
            ShowWindow(overlay, SW_SHOWNOACTIVATE);
            UpdateWindow(overlay);
            Print("OVERLAY %d %d\n", rect.right - 100, rect.bottom - 50);
        } else {
            SetWindowPos(overlay, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            Print("RESTACKED %d %d\n", 0, 0);
        }
        return 0;
    }
    case WM_MOUSEMOVE: {
        // The panel asks to hear when the pointer leaves it, and prints where the pointer then is on the desktop.
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        return 0;
    }
    case WM_MOUSELEAVE: {
        POINT at{};
        GetCursorPos(&at);
        Print("WM_MOUSELEAVE %d %d\n", at.x, at.y);
        return 0;
    }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// A push button of the demo's own: pressed while the mouse is held inside it, a message box when released there.
LRESULT ButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    bool pressed = GetWindowLongPtrW(hwnd, GWLP_USERDATA) != 0;
    auto setPressed = [&](bool value) {
        if (value == pressed) return;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, value ? 1 : 0);
        InvalidateRect(hwnd, nullptr, FALSE);
    };
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT rect;
        GetClientRect(hwnd, &rect);
        DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        if (pressed) OffsetRect(&rect, 1, 1);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextW(dc, u"Message box...", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
        SetCapture(hwnd);
        setPressed(true);
        return 0;
    case WM_MOUSEMOVE:
        if (GetCapture() == hwnd) {
            RECT rect;
            GetClientRect(hwnd, &rect);
            POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            setPressed(PtInRect(&rect, point) != FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (GetCapture() != hwnd) return 0;
        ReleaseCapture();
        if (pressed) {
            setPressed(false);
            int answer = MessageBoxW(GetAncestor(hwnd, GA_ROOT), u"The classic frame, child windows and a message box.",
                                     u"Classic demo", MB_OKCANCEL | MB_ICONINFORMATION);
            Print("MESSAGEBOX %d\n", answer, 0);
        }
        return 0;
    case WM_CAPTURECHANGED: setPressed(false); return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Layout(HWND frame) {
    RECT client;
    GetClientRect(frame, &client);
    MoveWindow(panel, 10, 10, client.right - 20, client.bottom - 64, TRUE);
    MoveWindow(button, 10, client.bottom - 44, 140, 30, TRUE);
}

LRESULT FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        panel = CreateWindowExW(0, u"ClassicDemoPanel", u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(PanelId)), create->hInstance, nullptr);
        button = CreateWindowExW(0, u"ClassicDemoButton", u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(ButtonId)), create->hInstance, nullptr);
        if (!panel || !button) return -1;
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMax = 99;
        info.nPage = 20;
        SetScrollInfo(hwnd, SB_VERT, &info, FALSE);
        return 0;
    }
    case WM_SIZE: Layout(hwnd); return 0;
    case WM_VSCROLL: {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        GetScrollInfo(hwnd, SB_VERT, &info);
        int pos = info.nPos;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
        case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
        case SB_THUMBTRACK: pos = info.nTrackPos; break;
        case SB_TOP: pos = info.nMin; break;
        case SB_BOTTOM: pos = info.nMax; break;
        default: return 0;
        }
        info.fMask = SIF_POS;
        info.nPos = pos;
        SetScrollInfo(hwnd, SB_VERT, &info, TRUE);
        return 0;
    }
    case WM_TIMER:
        if (wParam == ProbeTimer) {
            KillTimer(hwnd, ProbeTimer);
            PrintProbes(hwnd);
        } else if (wParam == QuitTimer) {
            DestroyWindow(hwnd);
        }
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool Register(LPCWSTR name, WNDPROC proc, HBRUSH background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

int Usage() {
    std::fprintf(stderr, "usage: classic-demo [--headless-screenshot PATH] [--quit-after MS]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    long quitAfter = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless-screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc) {
            char* end = nullptr;
            quitAfter = std::strtol(argv[++i], &end, 10);
            if (*end || quitAfter <= 0) return Usage();
        } else {
            return Usage();
        }
    }
    if (screenshot.empty() && !backend::InstallSdlDriverIfDisplay())
        std::fprintf(stderr, "classic-demo: no display, running headless\n");

    if (!Register(u"ClassicDemoFrame", FrameProc, GetSysColorBrush(COLOR_BTNFACE)) ||
        !Register(u"ClassicDemoPanel", PanelProc, nullptr) || !Register(u"ClassicDemoButton", ButtonProc, nullptr) ||
        !Register(u"ClassicDemoOverlay", DefWindowProcW, CreateSolidBrush(OverlayColour))) {
        std::fprintf(stderr, "classic-demo: RegisterClassExW failed (%lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    HWND frame = CreateWindowExW(0, u"ClassicDemoFrame", u"Classic demo", WS_OVERLAPPEDWINDOW | WS_VSCROLL, 120, 90,
                                 480, 320, nullptr, nullptr, nullptr, nullptr);
    if (!frame) {
        std::fprintf(stderr, "classic-demo: CreateWindowExW failed (%lu)\n",
                     static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    ShowWindow(frame, SW_SHOWNORMAL);
    UpdateWindow(frame);

    if (!screenshot.empty()) {
        wintest::PumpUntilIdle();
        if (!wintest::SaveScreenshot(screenshot, frame)) {
            std::fprintf(stderr, "classic-demo: cannot write %s\n", screenshot.c_str());
            return 1;
        }
        return 0;
    }
    SetTimer(frame, ProbeTimer, 100, nullptr);
    if (quitAfter > 0) SetTimer(frame, QuitTimer, static_cast<UINT>(quitAfter), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

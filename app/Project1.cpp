// The program: the main window on the desktop (or headless without a display), run until it closes.
// --screenshot PATH: once the window has shown for a moment, saves a picture of it as PNG and ends without
// closing it (so nothing is saved to Config.ini).
// --classic: the classic look instead of the desktop's visual style.
// --channels 16: starts with 16 channels, as choosing "16路" does (every start otherwise begins with 8).
// --dialog: with --screenshot, the picture is of the port settings dialog, shown over the main window.
#include "Unit1.h"
#include "comSetup.h"

#include <skin/ControlsUnit.h>
#include <toolkit/Application.h>
#include <toolkit/Timer.h>

#include <backend/SdlInstall.h>
#include <imaging/PngFile.h>
#include <win32/modules.h>
#include <win32/startup.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The window as the window manager composed it, read back through its window DC, whichever display shows it.
bool SaveWindowPicture(HWND hwnd, const std::string& path) {
    RECT rect;
    if (!GetWindowRect(hwnd, &rect)) return false;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dib) return false;
    HDC windowDc = GetWindowDC(hwnd);
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HGDIOBJ old = SelectObject(memoryDc, dib);
    bool copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != FALSE;
    SelectObject(memoryDc, old);
    DeleteDC(memoryDc);
    ReleaseDC(hwnd, windowDc);
    bool saved = copied && imaging::SavePng(path, width, height, static_cast<const uint32_t*>(bits));
    DeleteObject(dib);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    std::string screenshot;
    bool classic = false;
    bool sixteen = false;
    bool dialog = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (std::strcmp(argv[i], "--classic") == 0) {
            classic = true;
        } else if (std::strcmp(argv[i], "--channels") == 0 && i + 1 < argc &&
                   (std::strcmp(argv[i + 1], "8") == 0 || std::strcmp(argv[i + 1], "16") == 0)) {
            sixteen = std::strcmp(argv[++i], "16") == 0;
        } else if (std::strcmp(argv[i], "--dialog") == 0) {
            dialog = true;
        } else {
            std::fprintf(stderr,
                         "usage: overlay-config [--classic] [--channels 8|16] [--screenshot PATH [--dialog]]\n"
                         "  --classic          the classic look instead of the desktop's visual style\n"
                         "  --channels 8|16    the channel count to start with (8 unless told)\n"
                         "  --screenshot PATH  save a picture of the main window as PNG and end\n"
                         "  --dialog           with --screenshot: of the port settings dialog instead\n");
            return 2;
        }
    }
    // Fonts and code page tables are made on a worker thread while the display opens.
    win32::PrepareInBackground();
    // Before the first window, so that every window is drawn in one look from the start.
    if (classic) win32::loader::SetVisualStylesActive(false);
    if (!backend::InstallSdlDriverIfDisplay()) std::fprintf(stderr, "overlay-config: no display, running headless\n");
    // The skinning library's units come up before the first window (the theme manager's utility window among them)
    // and go after the last.
    InitializeControlsUnits();

    Application->Initialize();
    Application->SetTitle("Orvane字符叠加视频分配器配置软件");
    Application->CreateForm(Form1);
    if (sixteen) {
        Form1->cbbChCount->SetItemIndex(1);
        Form1->cbbChCountChange(Form1->cbbChCount);
    }
    int status = 0;
    // Long enough for the clock label's first tick.
    TTimer shot(nullptr);
    shot.SetInterval(1200);
    shot.SetEnabled(!screenshot.empty());
    shot.OnTimer = [&](TObject*) {
        // The dialog comes up first, as its button would show it (without a modal loop), and is taken once painted.
        if (dialog && !frmSetup->Visible()) {
            frmSetup->Show();
            shot.SetInterval(300);
            return;
        }
        shot.SetEnabled(false);
        if (!SaveWindowPicture(dialog ? frmSetup->Handle() : Form1->Handle(), screenshot)) {
            std::fprintf(stderr, "overlay-config: cannot write %s\n", screenshot.c_str());
            status = 1;
        }
        Application->Terminate();
    };
    Application->Run();
    Application->DestroyComponents();
    FinalizeControlsUnits();
    return status;
}

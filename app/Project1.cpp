// The program: the main window on the desktop (or headless without a display), run until it closes.
// --headless-screenshot PATH shows the main window without a display, saves a picture of it and exits.
#include "Unit1.h"

#include <toolkit/Application.h>

#include <backend/SdlDriver.h>
#include <testing/Testing.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--headless-screenshot") == 0 && i + 1 < argc) {
            screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "usage: overlay-config [--headless-screenshot PATH]\n");
            return 2;
        }
    }
    if (screenshot.empty() && !backend::InstallSdlDriverIfDisplay())
        std::fprintf(stderr, "overlay-config: no display, running headless\n");

    Application->Initialize();
    Application->SetTitle("Orvane字符叠加视频分配器配置软件");
    Application->CreateForm(Form1);
    int status = 0;
    if (!screenshot.empty()) {
        Form1->Show();
        // Long enough for the clock label's first tick.
        wintest::PumpFor(700);
        if (!wintest::SaveScreenshot(screenshot, Form1->Handle())) {
            std::fprintf(stderr, "overlay-config: cannot write %s\n", screenshot.c_str());
            status = 1;
        }
    } else {
        Application->Run();
    }
    Application->DestroyComponents();
    return status;
}

// form-demo: the demonstration form on a real display through the SDL driver, or headless to take a screenshot
// (--headless-screenshot PATH) and exit.
#include "DemoForm.h"

#include <toolkit/Application.h>

#include <backend/SdlInstall.h>
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
            std::fprintf(stderr, "usage: form-demo [--headless-screenshot PATH]\n");
            return 2;
        }
    }
    if (screenshot.empty() && !backend::InstallSdlDriverIfDisplay())
        std::fprintf(stderr, "form-demo: no display, running headless\n");

    Application->Initialize();
    Application->SetTitle("form-demo");
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    int status = 0;
    if (!screenshot.empty()) {
        form->Show();
        wintest::PumpUntilIdle();
        if (!wintest::SaveScreenshot(screenshot, form->Handle())) {
            std::fprintf(stderr, "form-demo: cannot write %s\n", screenshot.c_str());
            status = 1;
        }
    } else {
        Application->Run();
    }
    Application->DestroyComponents();
    return status;
}

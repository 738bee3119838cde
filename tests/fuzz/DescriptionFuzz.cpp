// Form descriptions read into the program's real windows (the first byte picks the main window or the port
// dialog): a description is read, or refused with one of the toolkit's exceptions; nothing else escapes, and the
// window made from it is destroyed cleanly. Message boxes the windows' handlers show are answered with Enter.
#include "Fuzz.h"
#include "Unit1.h"
#include "comSetup.h"

#include <skin/ControlsUnit.h>

#include <toolkit/Application.h>
#include <toolkit/DescriptionResources.h>

#include <testing/Testing.h>

#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define FUZZ_WITH_LSAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FUZZ_WITH_LSAN 1
#endif
#endif
#ifdef FUZZ_WITH_LSAN
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// fontconfig loses 288 bytes of its own while it parses its configuration (a program that only calls FcInit shows
// them to LeakSanitizer). libFuzzer checks for leaks in the middle of a run, after any input that leaves more
// allocations than it found (the platform's caches fill during the first inputs), and would count that loss as
// the input's; so the fonts are set up before the first input with the leak checker looking away.
void SetUpFonts() {
#ifdef FUZZ_WITH_LSAN
    __lsan_disable();
#endif
    HDC dc = GetDC(nullptr);
    SIZE size{};
    GetTextExtentPoint32W(dc, u"字", 1, &size);
    ReleaseDC(nullptr, dc);
#ifdef FUZZ_WITH_LSAN
    __lsan_enable();
#endif
}

struct TOriginal {
    const char* Name;
    std::string Text;
};

TOriginal Originals[] = {{"Unit1", {}}, {"comSetup", {}}};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetUpFonts();
    Application->Initialize();
    for (TOriginal& original : Originals) original.Text = *FindDescriptionResource(original.Name);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    while (wintest::PendingModalAnswers() < 8) wintest::QueueModalAnswer([](HWND) { wintest::KeyPress(VK_RETURN); });
    // As the program runs: the skinning library's units come up before the window and go after it, here for each
    // input, so that nothing of them is left for the process's exit.
    InitializeControlsUnits();
    TOriginal& fuzzed = Originals[data[0] % 2];
    RegisterDescriptionResource(fuzzed.Name, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    try {
        if (&fuzzed == &Originals[0]) {
            Application->CreateForm(Form1);
        } else {
            frmSetup = new TfrmSetup(nullptr);
        }
    } catch (const Exception&) {}
    delete Form1;  // the port dialog it made with it
    Form1 = nullptr;
    if (&fuzzed == &Originals[1]) delete frmSetup;
    frmSetup = nullptr;
    Application->ProcessMessages();
    FinalizeControlsUnits();
    RegisterDescriptionResource(fuzzed.Name, fuzzed.Text);
    return 0;
}

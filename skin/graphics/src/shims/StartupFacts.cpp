// The start-up facts and the order in which the library establishes them; every fact stays fixed afterwards
// except VisualStylesActive, which follows WM_THEMECHANGED.
#include "shims/Bindings.h"
#include "shims/PixelFormat.h"
#include "shims/Processor.h"

#include <skin/Common.h>

namespace {

struct Facts {
    bool Initialized = false;
    bool IsNT = false;
    bool IsWin4 = false;
    int CheckWidth = 0;
    int CheckHeight = 0;
    TPixelFormat ScreenPixelFormat = pfCustom;
    bool Mmx = false;
};

Facts facts;

// The system check-box bitmap holds 4 columns and 3 rows of glyphs; only its size matters here.
void ReadCheckGlyph() {
    HBITMAP glyphs = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CHECKBOXES));
    if (!glyphs) return;
    BITMAP info{};
    if (GetObjectA(glyphs, sizeof info, &info) == static_cast<int>(sizeof info)) {
        facts.CheckWidth = info.bmWidth / 4;
        facts.CheckHeight = info.bmHeight / 3;
    }
    DeleteObject(glyphs);
}

void ReadVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return;
    facts.IsNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    facts.IsWin4 = version.dwMajorVersion == 4;
}

}  // namespace

void InitializePlatformShims() {
    if (facts.Initialized) return;
    facts.Initialized = true;
    ReadCheckGlyph();
    ReadVersion();
    bool layered = sk_shims::BindLayeredWindows();
    sk_shims::CreateUxThemeLock();
    // This reference keeps uxtheme loaded for the life of the process (until FinalizePlatformShims).
    bool uxTheme = LoadUxTheme();
    sk_shims::BindMonitors();
    sk_shims::BindTransparentBlt(!facts.IsWin4 && (facts.IsNT || layered || uxTheme));
    sk_shims::BindScrollBarInfo();
    facts.ScreenPixelFormat = sk_shims::DetectScreenPixelFormat();
    facts.Mmx = sk_shims::DetectMmx();
}

void FinalizePlatformShims() {
    if (!facts.Initialized) return;
    sk_shims::UnbindAll();
    facts = Facts{};
}

bool PlatformShimsInitialized() { return facts.Initialized; }

bool IsNT() { return facts.IsNT; }

bool IsWin4() { return facts.IsWin4; }

int CheckWidth() { return facts.CheckWidth; }

int CheckHeight() { return facts.CheckHeight; }

TPixelFormat ScreenPixelFormat() { return facts.ScreenPixelFormat; }

bool MmxAvailable() { return facts.Mmx; }

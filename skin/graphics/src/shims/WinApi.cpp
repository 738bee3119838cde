// The run-time bindings: entry points taken with LoadLibraryA / GetModuleHandleA / GetProcAddress, the counted
// uxtheme binding under its critical section, and the monitor and scroll-bar helpers that fall back without them.
#include "shims/Bindings.h"

#include <skin/Common.h>

namespace skapi {

#define SK_DEFINE_ENTRY(name) decltype(&::name) name = nullptr;
SK_UXTHEME_ENTRIES(SK_DEFINE_ENTRY)
SK_DEFINE_ENTRY(SetLayeredWindowAttributes)
SK_DEFINE_ENTRY(UpdateLayeredWindow)
SK_DEFINE_ENTRY(MonitorFromRect)
SK_DEFINE_ENTRY(MonitorFromPoint)
SK_DEFINE_ENTRY(MonitorFromWindow)
SK_DEFINE_ENTRY(GetMonitorInfoA)
SK_DEFINE_ENTRY(GetScrollBarInfo)
#undef SK_DEFINE_ENTRY
PFN_TransparentBlt TransparentBlt = nullptr;

}  // namespace skapi

namespace {

HMODULE user32Module = nullptr;  // our LoadLibrary reference, taken by BindLayeredWindows
HMODULE msimg32Module = nullptr;
HMODULE uxThemeModule = nullptr;
int uxThemeUsers = 0;
CRITICAL_SECTION uxThemeLock;
bool uxThemeLockCreated = false;
bool visualStylesActive = false;

template <class Pointer>
void Bind(HMODULE module, const char* name, Pointer& pointer) {
    FARPROC entry = module ? GetProcAddress(module, name) : nullptr;
    pointer = reinterpret_cast<Pointer>(reinterpret_cast<void (*)()>(entry));
}

void BindUxTheme(HMODULE module) {
#define SK_BIND_ENTRY(name) Bind(module, #name, skapi::name);
    SK_UXTHEME_ENTRIES(SK_BIND_ENTRY)
#undef SK_BIND_ENTRY
}

// Holds the uxtheme lock for a scope.
class UxThemeGuard {
public:
    UxThemeGuard() {
        if (!uxThemeLockCreated) sk_shims::CreateUxThemeLock();
        EnterCriticalSection(&uxThemeLock);
    }
    ~UxThemeGuard() { LeaveCriticalSection(&uxThemeLock); }
    UxThemeGuard(const UxThemeGuard&) = delete;
    UxThemeGuard& operator=(const UxThemeGuard&) = delete;
};

}  // namespace

namespace sk_shims {

bool BindLayeredWindows() {
    user32Module = LoadLibraryA("user32.dll");
    Bind(user32Module, "SetLayeredWindowAttributes", skapi::SetLayeredWindowAttributes);
    Bind(user32Module, "UpdateLayeredWindow", skapi::UpdateLayeredWindow);
    return LayeredBound();
}

void CreateUxThemeLock() {
    if (uxThemeLockCreated) return;
    InitializeCriticalSection(&uxThemeLock);
    uxThemeLockCreated = true;
}

void BindMonitors() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    Bind(user32, "MonitorFromRect", skapi::MonitorFromRect);
    Bind(user32, "MonitorFromPoint", skapi::MonitorFromPoint);
    Bind(user32, "MonitorFromWindow", skapi::MonitorFromWindow);
    Bind(user32, "GetMonitorInfoA", skapi::GetMonitorInfoA);
}

bool BindTransparentBlt(bool attempt) {
    if (attempt) msimg32Module = LoadLibraryA("msimg32.dll");
    Bind(msimg32Module, "TransparentBlt", skapi::TransparentBlt);
    return TransparentBltBound();
}

void BindScrollBarInfo() { Bind(user32Module, "GetScrollBarInfo", skapi::GetScrollBarInfo); }

bool LayeredBound() { return skapi::SetLayeredWindowAttributes != nullptr; }

bool TransparentBltBound() { return msimg32Module && skapi::TransparentBlt; }

void UnbindAll() {
    skapi::MonitorFromRect = nullptr;
    skapi::MonitorFromPoint = nullptr;
    skapi::MonitorFromWindow = nullptr;
    skapi::GetMonitorInfoA = nullptr;
    if (msimg32Module) FreeLibrary(msimg32Module);
    msimg32Module = nullptr;
    skapi::TransparentBlt = nullptr;
    if (user32Module) FreeLibrary(user32Module);
    user32Module = nullptr;
    skapi::SetLayeredWindowAttributes = nullptr;
    skapi::UpdateLayeredWindow = nullptr;
    skapi::GetScrollBarInfo = nullptr;
    if (uxThemeLockCreated) {
        while (uxThemeUsers > 0 || uxThemeModule) FreeUxTheme();
        DeleteCriticalSection(&uxThemeLock);
        uxThemeLockCreated = false;
    }
}

}  // namespace sk_shims

bool UxThemeAvailable() { return uxThemeModule != nullptr; }

bool VisualStylesActive() { return visualStylesActive; }

bool LoadUxTheme() {
    UxThemeGuard guard;
    ++uxThemeUsers;
    if (!uxThemeModule) {
        uxThemeModule = LoadLibraryA("uxtheme.dll");
        if (uxThemeModule) BindUxTheme(uxThemeModule);
    }
    UpdateVisualStylesActive();
    return uxThemeModule != nullptr;
}

void FreeUxTheme() {
    UxThemeGuard guard;
    if (uxThemeUsers > 0) --uxThemeUsers;
    if (uxThemeUsers > 0 || !uxThemeModule) return;
    FreeLibrary(uxThemeModule);
    uxThemeModule = nullptr;
    BindUxTheme(nullptr);
    // Nothing can draw with visual styles once their entry points are gone.
    visualStylesActive = false;
}

bool UpdateVisualStylesActive() {
    UxThemeGuard guard;
    visualStylesActive =
        uxThemeModule && skapi::IsAppThemed && skapi::IsThemeActive && skapi::IsAppThemed() && skapi::IsThemeActive();
    return visualStylesActive;
}

bool LayeredWindowsAvailable() { return sk_shims::LayeredBound(); }

bool TransparentBltAvailable() { return sk_shims::TransparentBltBound(); }

bool MultiMonitorAvailable() {
    int monitors = GetSystemMetrics(SM_CMONITORS);
    return monitors != 0 && monitors != 1 && skapi::MonitorFromRect && skapi::MonitorFromPoint &&
           skapi::GetMonitorInfoA;
}

void GetDesktopRect(bool workArea, RECT& rect) {
    if (workArea && SystemParametersInfoA(SPI_GETWORKAREA, 0, &rect, 0)) return;
    rect = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

namespace {

bool MonitorRect(HMONITOR monitor, bool workArea, RECT& rect) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !skapi::GetMonitorInfoA(monitor, &info)) return false;
    rect = workArea ? info.rcWork : info.rcMonitor;
    return true;
}

}  // namespace

void GetMonitorRectFromPoint(POINT point, bool workArea, RECT& rect) {
    if (MultiMonitorAvailable() &&
        MonitorRect(skapi::MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), workArea, rect)) {
        return;
    }
    GetDesktopRect(workArea, rect);
}

void GetMonitorRectFromWindow(HWND window, bool workArea, RECT& rect) {
    if (MultiMonitorAvailable() && skapi::MonitorFromWindow &&
        MonitorRect(skapi::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), workArea, rect)) {
        return;
    }
    GetDesktopRect(workArea, rect);
}

bool GetScrollBarInfoSafe(HWND window, LONG objectId, SCROLLBARINFO& info) {
    if (skapi::GetScrollBarInfo) return skapi::GetScrollBarInfo(window, objectId, &info) != FALSE;
    info.rgstate[0] = STATE_SYSTEM_INVISIBLE;
    return false;
}

// What the built-in modules export. user32 offers the functions callers bind at run time because older systems
// lack them; uxtheme offers only the state queries until a visual-style renderer exists.
#include "loader/Exports.h"

namespace win32::loader {
namespace {

template <class Function>
FARPROC Entry(Function* function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

}  // namespace

std::map<std::string, FARPROC> User32Exports() {
    return {
        {"SetLayeredWindowAttributes", Entry(&::SetLayeredWindowAttributes)},
        {"GetLayeredWindowAttributes", Entry(&::GetLayeredWindowAttributes)},
        {"UpdateLayeredWindow", Entry(&::UpdateLayeredWindow)},
        {"MonitorFromRect", Entry(&::MonitorFromRect)},
        {"MonitorFromPoint", Entry(&::MonitorFromPoint)},
        {"MonitorFromWindow", Entry(&::MonitorFromWindow)},
        {"GetMonitorInfoA", Entry(&::GetMonitorInfoA)},
        {"GetMonitorInfoW", Entry(&::GetMonitorInfoW)},
        {"GetScrollBarInfo", Entry(&::GetScrollBarInfo)},
        {"GetSystemMetrics", Entry(&::GetSystemMetrics)},
        {"SystemParametersInfoA", Entry(&::SystemParametersInfoA)},
        {"LoadBitmapA", Entry(&::LoadBitmapA)},
    };
}

std::map<std::string, FARPROC> UxThemeExports() {
    return {
        {"IsThemeActive", Entry(&::IsThemeActive)},
        {"IsAppThemed", Entry(&::IsAppThemed)},
    };
}

}  // namespace win32::loader

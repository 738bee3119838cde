// What the built-in modules export. user32 offers the functions callers bind at run time because older systems
// lack them; uxtheme offers its whole interface, drawn by the platform's own visual style.
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
        {"OpenThemeData", Entry(&::OpenThemeData)},
        {"CloseThemeData", Entry(&::CloseThemeData)},
        {"DrawThemeBackground", Entry(&::DrawThemeBackground)},
        {"DrawThemeText", Entry(&::DrawThemeText)},
        {"DrawThemeEdge", Entry(&::DrawThemeEdge)},
        {"DrawThemeIcon", Entry(&::DrawThemeIcon)},
        {"DrawThemeParentBackground", Entry(&::DrawThemeParentBackground)},
        {"GetThemeBackgroundContentRect", Entry(&::GetThemeBackgroundContentRect)},
        {"GetThemeBackgroundExtent", Entry(&::GetThemeBackgroundExtent)},
        {"GetThemeBackgroundRegion", Entry(&::GetThemeBackgroundRegion)},
        {"GetThemePartSize", Entry(&::GetThemePartSize)},
        {"GetThemeTextExtent", Entry(&::GetThemeTextExtent)},
        {"GetThemeTextMetrics", Entry(&::GetThemeTextMetrics)},
        {"HitTestThemeBackground", Entry(&::HitTestThemeBackground)},
        {"IsThemePartDefined", Entry(&::IsThemePartDefined)},
        {"IsThemeBackgroundPartiallyTransparent", Entry(&::IsThemeBackgroundPartiallyTransparent)},
        {"GetThemeColor", Entry(&::GetThemeColor)},
        {"GetThemeMetric", Entry(&::GetThemeMetric)},
        {"GetThemeString", Entry(&::GetThemeString)},
        {"GetThemeBool", Entry(&::GetThemeBool)},
        {"GetThemeInt", Entry(&::GetThemeInt)},
        {"GetThemeEnumValue", Entry(&::GetThemeEnumValue)},
        {"GetThemePosition", Entry(&::GetThemePosition)},
        {"GetThemeFont", Entry(&::GetThemeFont)},
        {"GetThemeRect", Entry(&::GetThemeRect)},
        {"GetThemeMargins", Entry(&::GetThemeMargins)},
        {"GetThemeIntList", Entry(&::GetThemeIntList)},
        {"GetThemePropertyOrigin", Entry(&::GetThemePropertyOrigin)},
        {"SetWindowTheme", Entry(&::SetWindowTheme)},
        {"GetThemeFilename", Entry(&::GetThemeFilename)},
        {"GetThemeSysColor", Entry(&::GetThemeSysColor)},
        {"GetThemeSysColorBrush", Entry(&::GetThemeSysColorBrush)},
        {"GetThemeSysBool", Entry(&::GetThemeSysBool)},
        {"GetThemeSysSize", Entry(&::GetThemeSysSize)},
        {"GetThemeSysFont", Entry(&::GetThemeSysFont)},
        {"GetThemeSysString", Entry(&::GetThemeSysString)},
        {"GetThemeSysInt", Entry(&::GetThemeSysInt)},
        {"GetWindowTheme", Entry(&::GetWindowTheme)},
        {"EnableThemeDialogTexture", Entry(&::EnableThemeDialogTexture)},
        {"IsThemeDialogTextureEnabled", Entry(&::IsThemeDialogTextureEnabled)},
        {"GetThemeAppProperties", Entry(&::GetThemeAppProperties)},
        {"SetThemeAppProperties", Entry(&::SetThemeAppProperties)},
        {"GetCurrentThemeName", Entry(&::GetCurrentThemeName)},
        {"GetThemeDocumentationProperty", Entry(&::GetThemeDocumentationProperty)},
        {"EnableTheming", Entry(&::EnableTheming)},
    };
}

}  // namespace win32::loader

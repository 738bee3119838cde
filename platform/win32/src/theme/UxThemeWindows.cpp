// uxtheme's handles and per-window settings: opening a class list for a window, SetWindowTheme's class override,
// dialog textures, the program's theming flags and the current style's name. Per-window settings live in window
// properties, so they go with the window.
#include "theme/SystemStyle.h"
#include "theme/ThemeHandles.h"

#include <win32/modules.h>
#include <win32/windows.h>

#include <atomic>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

using namespace win32::theme;

namespace {

constexpr char ThemeProp[] = "UxTheme.Handle";
constexpr char ClassListProp[] = "UxTheme.ClassList";
constexpr char TextureProp[] = "UxTheme.DialogTexture";

// The style's name, as GetCurrentThemeName and GetThemeDocumentationProperty give it.
constexpr std::u16string_view StyleFile = u"Flat.msstyles";
constexpr std::u16string_view StyleName = u"Flat";

std::atomic<DWORD>& AppProperties() {
    static std::atomic<DWORD> properties{STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS};
    return properties;
}

// Class lists given to SetWindowTheme, kept for the life of the process so that a window property can point at
// one. The empty list turns visual styles off for the window.
const std::u16string* KeepClassList(std::u16string_view list) {
    static std::mutex mutex;
    static std::set<std::u16string> lists;
    std::lock_guard<std::mutex> lock(mutex);
    return &*lists.emplace(list).first;
}

std::u16string_view Trim(std::u16string_view text) {
    while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
    return text;
}

// The first class of a list such as u"Window;Dialog" that the style defines; "Explorer::Button" names a sub-app
// variant of Button, which the style draws as Button.
const ClassStyle* FirstKnownClass(std::u16string_view list) {
    while (!list.empty()) {
        size_t end = list.find(u';');
        std::u16string_view name = Trim(list.substr(0, end));
        size_t scope = name.find(u"::");
        if (scope != std::u16string_view::npos) name = name.substr(scope + 2);
        if (const ClassStyle* style = FindClassStyle(name)) return style;
        if (end == std::u16string_view::npos) break;
        list.remove_prefix(end + 1);
    }
    return nullptr;
}

HRESULT CopyOut(std::u16string_view text, LPWSTR buffer, int size) {
    if (!buffer || size <= 0) return E_INVALIDARG;
    size_t count = std::min(text.size(), static_cast<size_t>(size - 1));
    text.copy(buffer, count);
    buffer[count] = 0;
    return count < text.size() ? HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER) : S_OK;
}

HTHEME Refuse() {
    SetLastError(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
    return nullptr;
}

}  // namespace

HTHEME OpenThemeData(HWND hwnd, LPCWSTR pszClassList) {
    if (!pszClassList) {
        SetLastError(static_cast<DWORD>(E_POINTER));
        return nullptr;
    }
    if (!win32::loader::VisualStylesActive() || !(AppProperties() & STAP_ALLOW_CONTROLS)) return Refuse();
    std::u16string_view classes = pszClassList;
    if (hwnd) {
        if (auto* list = static_cast<const std::u16string*>(GetPropA(hwnd, ClassListProp))) {
            if (list->empty()) return Refuse();
            classes = *list;
        }
    }
    const ClassStyle* style = FirstKnownClass(classes);
    if (!style) return Refuse();
    HTHEME theme = OpenThemeHandle(*style, hwnd);
    if (hwnd && IsWindow(hwnd)) SetPropA(hwnd, ThemeProp, theme);
    return theme;
}

const ClassStyle* win32::theme::SystemStyle(HWND hwnd, std::u16string_view className, bool nonClient) {
    if (!win32::loader::VisualStylesActive()) return nullptr;
    if (!(AppProperties() & (nonClient ? STAP_ALLOW_NONCLIENT : STAP_ALLOW_CONTROLS))) return nullptr;
    if (hwnd) {
        auto* list = static_cast<const std::u16string*>(GetPropA(hwnd, ClassListProp));
        if (list && list->empty()) return nullptr;
    }
    return FindClassStyle(className);
}

HRESULT CloseThemeData(HTHEME hTheme) {
    ThemeData data;
    if (!LookupThemeHandle(hTheme, data) || !CloseThemeHandle(hTheme)) return E_HANDLE;
    if (data.Window && IsWindow(data.Window) && GetPropA(data.Window, ThemeProp) == hTheme) {
        RemovePropA(data.Window, ThemeProp);
    }
    return S_OK;
}

HTHEME GetWindowTheme(HWND hwnd) {
    if (!IsWindow(hwnd)) return nullptr;
    HTHEME theme = static_cast<HTHEME>(GetPropA(hwnd, ThemeProp));
    ThemeData data;
    return theme && LookupThemeHandle(theme, data) ? theme : nullptr;
}

HRESULT SetWindowTheme(HWND hwnd, LPCWSTR pszSubAppName, LPCWSTR pszSubIdList) {
    if (!IsWindow(hwnd)) return E_HANDLE;
    bool emptyApp = pszSubAppName && !*pszSubAppName;
    bool emptyList = pszSubIdList && !*pszSubIdList;
    if (emptyApp && emptyList) {
        SetPropA(hwnd, ClassListProp, const_cast<std::u16string*>(KeepClassList(u"")));
    } else if (pszSubIdList && *pszSubIdList) {
        SetPropA(hwnd, ClassListProp, const_cast<std::u16string*>(KeepClassList(pszSubIdList)));
    } else {
        // The style has no sub-app variants: a sub-app name alone leaves the window's own classes.
        RemovePropA(hwnd, ClassListProp);
    }
    SendMessageW(hwnd, WM_THEMECHANGED, 0, 0);
    return S_OK;
}

HRESULT EnableThemeDialogTexture(HWND hwnd, DWORD dwFlags) {
    if (!IsWindow(hwnd)) return E_HANDLE;
    if (dwFlags & ~static_cast<DWORD>(ETDT_DISABLE | ETDT_ENABLE | ETDT_USETABTEXTURE)) return E_INVALIDARG;
    if ((dwFlags & ETDT_DISABLE) || !(dwFlags & ETDT_ENABLE)) {
        RemovePropA(hwnd, TextureProp);
    } else {
        SetPropA(hwnd, TextureProp, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(dwFlags)));
    }
    return S_OK;
}

BOOL IsThemeDialogTextureEnabled(HWND hwnd) {
    if (!IsWindow(hwnd)) return FALSE;
    return (reinterpret_cast<uintptr_t>(GetPropA(hwnd, TextureProp)) & ETDT_ENABLE) ? TRUE : FALSE;
}

DWORD GetThemeAppProperties(void) { return AppProperties(); }

void SetThemeAppProperties(DWORD dwFlags) {
    AppProperties() = dwFlags & (STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT);
}

HRESULT GetCurrentThemeName(LPWSTR pszThemeFileName, int cchMaxNameChars, LPWSTR pszColorBuff, int cchMaxColorChars,
                            LPWSTR pszSizeBuff, int cchMaxSizeChars) {
    if (!win32::loader::VisualStylesActive()) return E_PROP_ID_UNSUPPORTED;
    HRESULT result = S_OK;
    if (pszThemeFileName) result = CopyOut(StyleFile, pszThemeFileName, cchMaxNameChars);
    if (SUCCEEDED(result) && pszColorBuff) result = CopyOut(u"NormalColor", pszColorBuff, cchMaxColorChars);
    if (SUCCEEDED(result) && pszSizeBuff) result = CopyOut(u"NormalSize", pszSizeBuff, cchMaxSizeChars);
    return result;
}

HRESULT GetThemeDocumentationProperty(LPCWSTR pszThemeName, LPCWSTR pszPropertyName, LPWSTR pszValueBuff,
                                      int cchMaxValChars) {
    if (!pszThemeName || !pszPropertyName || !pszValueBuff) return E_POINTER;
    if (std::u16string_view(pszThemeName) != StyleFile) return E_PROP_ID_UNSUPPORTED;
    std::u16string_view property = pszPropertyName;
    if (property == u"DisplayName" || property == u"canonicalname")
        return CopyOut(StyleName, pszValueBuff, cchMaxValChars);
    return E_PROP_ID_UNSUPPORTED;
}

HRESULT EnableTheming(BOOL fEnable) {
    win32::loader::SetVisualStylesActive(fEnable != FALSE);
    return S_OK;
}

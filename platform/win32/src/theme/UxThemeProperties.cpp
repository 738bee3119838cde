// uxtheme's property queries. A part answers its measures, its colours and the few flags every part has; the
// system queries answer the system's own settings. Anything else is "not found" (E_PROP_ID_UNSUPPORTED).
#include "theme/ThemePart.h"

#include <win32/windows.h>

#include <algorithm>
#include <string_view>

using namespace win32::theme;

namespace {

bool PartInt(const ResolvedPart& part, int prop, int& value) {
    const PartMetrics& m = part.Metrics;
    switch (prop) {
    case TMT_BORDERSIZE: value = m.border; return true;
    case TMT_ROUNDCORNERWIDTH:
    case TMT_ROUNDCORNERHEIGHT: value = m.radius; return m.radius > 0;
    case TMT_WIDTH: value = m.trueSize.cx; return m.trueSize.cx > 0;
    case TMT_HEIGHT: value = m.trueSize.cy; return m.trueSize.cy > 0;
    }
    return part.Theme.Style->Int(part.Part, prop, value);
}

bool PartColor(const ResolvedPart& part, int prop, COLORREF& color) {
    PartColors colors = part.Theme.Style->Colors(part.Part, part.State);
    switch (prop) {
    case TMT_FILLCOLOR: color = colors.fill; break;
    case TMT_BORDERCOLOR: color = colors.border; break;
    case TMT_TEXTCOLOR: color = colors.text; break;
    default: return false;
    }
    return color != NoColor;
}

bool PartBool(const ResolvedPart& part, int prop, BOOL& value) {
    switch (prop) {
    case TMT_TRANSPARENT: value = part.Metrics.transparent; return true;
    case TMT_BORDERONLY: value = part.Metrics.borderOnly; return true;
    }
    return false;
}

// The system fonts by property identifier.
bool SystemFont(int fontId, LOGFONTW& font) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (fontId < TMT_CAPTIONFONT || fontId > TMT_MSGBOXFONT) return false;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    switch (fontId) {
    case TMT_CAPTIONFONT: font = metrics.lfCaptionFont; break;
    case TMT_SMALLCAPTIONFONT: font = metrics.lfSmCaptionFont; break;
    case TMT_MENUFONT: font = metrics.lfMenuFont; break;
    case TMT_STATUSFONT: font = metrics.lfStatusFont; break;
    case TMT_MSGBOXFONT: font = metrics.lfMessageFont; break;
    }
    return true;
}

// A handle given to a system query: null stands for the current style; anything else must be open.
bool ValidOrNull(HTHEME theme) {
    ThemeData data;
    return !theme || LookupThemeHandle(theme, data);
}

template <class Value, class Lookup>
HRESULT Query(HTHEME theme, int partId, int stateId, Value* out, Lookup lookup) {
    if (!out) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(theme, partId, stateId, part);
    if (FAILED(result)) return result;
    return lookup(part, *out) ? S_OK : E_PROP_ID_UNSUPPORTED;
}

// The properties no part of the style carries still need a valid handle and part before saying so.
HRESULT NotFound(HTHEME theme, int partId, int stateId, const void* out) {
    if (!out) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(theme, partId, stateId, part);
    return FAILED(result) ? result : E_PROP_ID_UNSUPPORTED;
}

}  // namespace

HRESULT GetThemeColor(HTHEME hTheme, int iPartId, int iStateId, int iPropId, COLORREF* pColor) {
    return Query(hTheme, iPartId, iStateId, pColor,
                 [&](const ResolvedPart& part, COLORREF& color) { return PartColor(part, iPropId, color); });
}

HRESULT GetThemeMetric(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, int* piVal) {
    // The style is measured at 96 dots per inch, the only resolution the platform renders at.
    (void)hdc;
    return GetThemeInt(hTheme, iPartId, iStateId, iPropId, piVal);
}

HRESULT GetThemeInt(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal) {
    return Query(hTheme, iPartId, iStateId, piVal,
                 [&](const ResolvedPart& part, int& value) { return PartInt(part, iPropId, value); });
}

HRESULT GetThemeBool(HTHEME hTheme, int iPartId, int iStateId, int iPropId, BOOL* pfVal) {
    return Query(hTheme, iPartId, iStateId, pfVal,
                 [&](const ResolvedPart& part, BOOL& value) { return PartBool(part, iPropId, value); });
}

HRESULT GetThemeEnumValue(HTHEME hTheme, int iPartId, int iStateId, int iPropId, int* piVal) {
    // Every part is drawn from a border and a fill, never from an image file.
    return Query(hTheme, iPartId, iStateId, piVal, [&](const ResolvedPart&, int& value) {
        value = BT_BORDERFILL;
        return iPropId == TMT_BGTYPE;
    });
}

HRESULT GetThemeMargins(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, LPCRECT prc,
                        MARGINS* pMargins) {
    (void)hdc, (void)prc;
    return Query(hTheme, iPartId, iStateId, pMargins, [&](const ResolvedPart& part, MARGINS& margins) {
        margins = part.Metrics.content;
        return iPropId == TMT_CONTENTMARGINS;
    });
}

HRESULT GetThemeFont(HTHEME hTheme, HDC hdc, int iPartId, int iStateId, int iPropId, LOGFONTW* pFont) {
    (void)hdc;
    return Query(hTheme, iPartId, iStateId, pFont, [&](const ResolvedPart& part, LOGFONTW& font) {
        int fontId = part.Theme.Style->Font(part.Part);
        return iPropId == TMT_FONT && fontId && SystemFont(fontId, font);
    });
}

HRESULT GetThemePropertyOrigin(HTHEME hTheme, int iPartId, int iStateId, int iPropId, PROPERTYORIGIN* pOrigin) {
    if (!pOrigin) return E_POINTER;
    ResolvedPart part;
    HRESULT result = ResolvePart(hTheme, iPartId, iStateId, part);
    if (FAILED(result)) return result;
    int number = 0;
    COLORREF color = 0;
    BOOL flag = FALSE;
    if (PartColor(part, iPropId, color)) {
        *pOrigin = PO_STATE;  // colours follow the state
    } else if (PartInt(part, iPropId, number) || PartBool(part, iPropId, flag) || iPropId == TMT_CONTENTMARGINS ||
               iPropId == TMT_BGTYPE || (iPropId == TMT_FONT && part.Theme.Style->Font(iPartId))) {
        *pOrigin = PO_PART;
    } else {
        *pOrigin = PO_NOTFOUND;
    }
    return S_OK;
}

HRESULT GetThemeString(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszBuff, int cchMaxBuffChars) {
    (void)iPropId, (void)cchMaxBuffChars;
    return NotFound(hTheme, iPartId, iStateId, pszBuff);
}

HRESULT GetThemeFilename(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPWSTR pszThemeFileName,
                         int cchMaxBuffChars) {
    (void)iPropId, (void)cchMaxBuffChars;
    return NotFound(hTheme, iPartId, iStateId, pszThemeFileName);
}

HRESULT GetThemePosition(HTHEME hTheme, int iPartId, int iStateId, int iPropId, POINT* pPoint) {
    (void)iPropId;
    return NotFound(hTheme, iPartId, iStateId, pPoint);
}

HRESULT GetThemeRect(HTHEME hTheme, int iPartId, int iStateId, int iPropId, LPRECT pRect) {
    (void)iPropId;
    return NotFound(hTheme, iPartId, iStateId, pRect);
}

HRESULT GetThemeIntList(HTHEME hTheme, int iPartId, int iStateId, int iPropId, INTLIST* pIntList) {
    (void)iPropId;
    return NotFound(hTheme, iPartId, iStateId, pIntList);
}

COLORREF GetThemeSysColor(HTHEME hTheme, int iColorId) {
    (void)hTheme;
    return GetSysColor(iColorId);
}

HBRUSH GetThemeSysColorBrush(HTHEME hTheme, int iColorId) {
    (void)hTheme;
    return GetSysColorBrush(iColorId);
}

BOOL GetThemeSysBool(HTHEME hTheme, int iBoolId) {
    if (!ValidOrNull(hTheme)) {
        SetLastError(static_cast<DWORD>(E_HANDLE));
        return FALSE;
    }
    // Menus in the style are flat: no bevels, a plain highlight.
    if (iBoolId == TMT_FLATMENUS) return TRUE;
    SetLastError(static_cast<DWORD>(E_PROP_ID_UNSUPPORTED));
    return FALSE;
}

int GetThemeSysSize(HTHEME hTheme, int iSizeId) {
    (void)hTheme;
    switch (iSizeId) {
    case SM_CXBORDER:
    case SM_CXVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXSMSIZE:
    case SM_CYSMSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return GetSystemMetrics(iSizeId);
    }
    return 0;
}

HRESULT GetThemeSysFont(HTHEME hTheme, int iFontId, LOGFONTW* plf) {
    if (!plf) return E_POINTER;
    if (!ValidOrNull(hTheme)) return E_HANDLE;
    return SystemFont(iFontId, *plf) ? S_OK : E_PROP_ID_UNSUPPORTED;
}

HRESULT GetThemeSysString(HTHEME hTheme, int iStringId, LPWSTR pszStringBuff, int cchMaxStringChars) {
    (void)iStringId, (void)cchMaxStringChars;
    if (!pszStringBuff) return E_POINTER;
    return ValidOrNull(hTheme) ? E_PROP_ID_UNSUPPORTED : E_HANDLE;
}

HRESULT GetThemeSysInt(HTHEME hTheme, int iIntId, int* piValue) {
    if (!piValue) return E_POINTER;
    if (!ValidOrNull(hTheme)) return E_HANDLE;
    if (iIntId != TMT_MINCOLORDEPTH) return E_PROP_ID_UNSUPPORTED;
    // The style draws on 32-bit surfaces only.
    *piValue = 32;
    return S_OK;
}

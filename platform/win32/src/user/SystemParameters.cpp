// SystemParametersInfoA/W for the settings the classic desktop reports: the work area from the display driver,
// the non-client sizes and fonts that match GetSystemMetrics, and the user-interface switches. Settings are read
// only here; an action that would change one is not known and fails.
#include "kernel/LastError.h"

#include <backend/Driver.h>

#include <win32/windows.h>

#include <algorithm>
#include <cstring>

using win32::Fail;

namespace {

struct FontSpec {
    LONG Height;
    LONG Weight;
};

// Every classic text face on a code page 936 desktop is SimSun at 9 points (12 pixels); captions are bold.
constexpr FontSpec CaptionFont{-12, FW_BOLD};
constexpr FontSpec PlainFont{-12, FW_NORMAL};
const char16_t FaceW[] = u"宋体";
const char FaceA[] = "宋体";  // code page 936 bytes

void FillFont(LOGFONTW& font, const FontSpec& wanted) {
    font = LOGFONTW{};
    font.lfHeight = wanted.Height;
    font.lfWeight = wanted.Weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::copy(std::begin(FaceW), std::end(FaceW), font.lfFaceName);
}

void FillFont(LOGFONTA& font, const FontSpec& wanted) {
    font = LOGFONTA{};
    font.lfHeight = wanted.Height;
    font.lfWeight = wanted.Weight;
    font.lfCharSet = GB2312_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    std::memcpy(font.lfFaceName, FaceA, sizeof(FaceA));
}

template <class Metrics>
void FillNonClient(Metrics& metrics) {
    metrics.iBorderWidth = 1;
    metrics.iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    metrics.iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    metrics.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
    metrics.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
    FillFont(metrics.lfCaptionFont, CaptionFont);
    metrics.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
    metrics.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
    FillFont(metrics.lfSmCaptionFont, PlainFont);
    metrics.iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
    metrics.iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
    FillFont(metrics.lfMenuFont, PlainFont);
    FillFont(metrics.lfStatusFont, PlainFont);
    FillFont(metrics.lfMessageFont, PlainFont);
}

template <class T>
bool SizedRight(const void* pvParam) {
    return static_cast<const T*>(pvParam)->cbSize == sizeof(T);
}

// The actions whose answer does not depend on A or W. False when the action is not one of them.
bool CommonAnswer(UINT uiAction, PVOID pvParam, BOOL& result) {
    auto setBool = [&](BOOL value) { *static_cast<BOOL*>(pvParam) = value; };
    auto setInt = [&](int value) { *static_cast<int*>(pvParam) = value; };
    result = TRUE;
    switch (uiAction) {
    case SPI_GETBEEP:
    case SPI_GETICONTITLEWRAP:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETFONTSMOOTHING:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETMENUANIMATION:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETUIEFFECTS: setBool(TRUE); return true;
    case SPI_GETMENUDROPALIGNMENT:
    case SPI_GETKEYBOARDPREF:
    case SPI_GETSCREENREADER:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETMENUFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW: setBool(FALSE); return true;
    case SPI_GETMOUSE: {
        int* mouse = static_cast<int*>(pvParam);
        mouse[0] = 6;   // first acceleration threshold
        mouse[1] = 10;  // second threshold
        mouse[2] = 1;   // acceleration on
        return true;
    }
    case SPI_GETBORDER: setInt(1); return true;
    case SPI_GETKEYBOARDSPEED: *static_cast<DWORD*>(pvParam) = 31; return true;
    case SPI_GETKEYBOARDDELAY: setInt(1); return true;
    case SPI_GETSCREENSAVETIMEOUT: setInt(600); return true;
    case SPI_ICONHORIZONTALSPACING: setInt(GetSystemMetrics(SM_CXICONSPACING)); return true;
    case SPI_ICONVERTICALSPACING: setInt(GetSystemMetrics(SM_CYICONSPACING)); return true;
    case SPI_GETWHEELSCROLLLINES: *static_cast<UINT*>(pvParam) = 3; return true;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: *static_cast<UINT*>(pvParam) = 4; return true;
    case SPI_GETMOUSEHOVERTIME: *static_cast<UINT*>(pvParam) = 400; return true;
    case SPI_GETWORKAREA: *static_cast<RECT*>(pvParam) = backend::CurrentDriver().WorkArea(); return true;
    case SPI_GETMINIMIZEDMETRICS: {
        auto* metrics = static_cast<MINIMIZEDMETRICS*>(pvParam);
        if (!SizedRight<MINIMIZEDMETRICS>(pvParam)) {
            result = Fail(ERROR_INVALID_PARAMETER);
            return true;
        }
        metrics->iWidth = GetSystemMetrics(SM_CXMINIMIZED) - 6;
        metrics->iHorzGap = 0;
        metrics->iVertGap = 0;
        metrics->iArrange = GetSystemMetrics(SM_ARRANGE);
        return true;
    }
    case SPI_GETANIMATION: {
        if (!SizedRight<ANIMATIONINFO>(pvParam)) {
            result = Fail(ERROR_INVALID_PARAMETER);
            return true;
        }
        static_cast<ANIMATIONINFO*>(pvParam)->iMinAnimate = TRUE;
        return true;
    }
    default: return false;
    }
}

template <class NonClient, class IconMetrics, class HighContrast>
BOOL ParametersInfo(UINT uiAction, PVOID pvParam) {
    // Every action here reads a setting into pvParam. Without it some would change the setting instead, which
    // this desktop does not allow.
    if (!pvParam) {
        return Fail(uiAction == SPI_ICONHORIZONTALSPACING || uiAction == SPI_ICONVERTICALSPACING
                        ? ERROR_ACCESS_DENIED
                        : ERROR_INVALID_PARAMETER);
    }
    BOOL result = FALSE;
    if (CommonAnswer(uiAction, pvParam, result)) return result;
    switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS:
        if (!SizedRight<NonClient>(pvParam)) return Fail(ERROR_INVALID_PARAMETER);
        FillNonClient(*static_cast<NonClient*>(pvParam));
        return TRUE;
    case SPI_GETICONMETRICS: {
        if (!SizedRight<IconMetrics>(pvParam)) return Fail(ERROR_INVALID_PARAMETER);
        auto* metrics = static_cast<IconMetrics*>(pvParam);
        metrics->iHorzSpacing = GetSystemMetrics(SM_CXICONSPACING);
        metrics->iVertSpacing = GetSystemMetrics(SM_CYICONSPACING);
        metrics->iTitleWrap = TRUE;
        FillFont(metrics->lfFont, PlainFont);
        return TRUE;
    }
    case SPI_GETHIGHCONTRAST: {
        if (!SizedRight<HighContrast>(pvParam)) return Fail(ERROR_INVALID_PARAMETER);
        auto* contrast = static_cast<HighContrast*>(pvParam);
        contrast->dwFlags = 0;  // not on, and no high-contrast scheme to switch to
        contrast->lpszDefaultScheme = nullptr;
        return TRUE;
    }
    default: return Fail(ERROR_INVALID_SPI_VALUE);
    }
}

}  // namespace

BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni) {
    (void)uiParam, (void)fWinIni;  // reading a setting uses neither
    return ParametersInfo<NONCLIENTMETRICSA, ICONMETRICSA, HIGHCONTRASTA>(uiAction, pvParam);
}

BOOL SystemParametersInfoW(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni) {
    (void)uiParam, (void)fWinIni;
    return ParametersInfo<NONCLIENTMETRICSW, ICONMETRICSW, HIGHCONTRASTW>(uiAction, pvParam);
}

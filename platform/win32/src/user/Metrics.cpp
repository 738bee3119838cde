// GetSystemMetrics with the classic Windows values at 96 DPI, the screen and work area from the display driver,
// and the small user settings that go with them: GetDoubleClickTime and MessageBeep.
#include <backend/Driver.h>

#include <win32/windows.h>

namespace {

// Sizes the classic frame is built from; the rest of the table follows from them as it does on Windows.
constexpr int CaptionHeight = 19;  // caption bar plus the line under it
constexpr int FrameSize = 4;       // sizing border: border width 1 plus the dialog frame 3
constexpr int SizeButton = 18;
constexpr int ScrollSize = 17;

}  // namespace

int GetSystemMetrics(int nIndex) {
    auto& driver = backend::CurrentDriver();
    switch (nIndex) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN: return driver.ScreenSize().cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN: return driver.ScreenSize().cy;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
    case SM_SWAPBUTTON: return 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB: return ScrollSize;
    case SM_CYCAPTION:
    case SM_CYMENU: return CaptionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME:
    case SM_CYFRAME: return FrameSize;
    case SM_CXEDGE:
    case SM_CYEDGE: return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR: return 32;
    case SM_CXSMICON:
    case SM_CYSMICON: return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
    case SM_CXMENUSIZE:
    case SM_CYMENUSIZE: return SizeButton;
    case SM_CYSMCAPTION: return 15;
    case SM_CXSMSIZE: return 12;
    case SM_CYSMSIZE: return 14;
    case SM_CXFULLSCREEN: {
        RECT work = driver.WorkArea();
        return work.right - work.left;
    }
    case SM_CYFULLSCREEN: {
        RECT work = driver.WorkArea();
        return work.bottom - work.top - CaptionHeight;
    }
    case SM_CXMIN:
    case SM_CXMINTRACK: return 112;
    case SM_CYMIN:
    case SM_CYMINTRACK: return 27;
    case SM_CXMAXTRACK: return driver.ScreenSize().cx + 4 + 2 * FrameSize;
    case SM_CYMAXTRACK: return driver.ScreenSize().cy + 4 + 2 * FrameSize;
    case SM_CXMAXIMIZED: {
        RECT work = driver.WorkArea();
        return work.right - work.left + 2 * FrameSize;
    }
    case SM_CYMAXIMIZED: {
        RECT work = driver.WorkArea();
        return work.bottom - work.top + 2 * FrameSize;
    }
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXDRAG:
    case SM_CYDRAG: return 4;
    case SM_CXICONSPACING:
    case SM_CYICONSPACING: return 75;
    case SM_CXMINSPACING:
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINSPACING:
    case SM_CYMINIMIZED: return 24;
    case SM_ARRANGE: return ARW_HIDE;
    case SM_CXMENUCHECK:
    case SM_CYMENUCHECK: return 13;
    case SM_MOUSEWHEELPRESENT:
    case SM_CMONITORS:
    case SM_SAMEDISPLAYFORMAT: return 1;
    default:
        // Windows answers 0 for an index it does not know, without an error code.
        return 0;
    }
}

UINT GetDoubleClickTime(void) { return 500; }

BOOL MessageBeep(UINT uType) {
    switch (uType) {
    case 0xFFFFFFFFu:
    case MB_OK:
    case MB_ICONHAND:
    case MB_ICONQUESTION:
    case MB_ICONEXCLAMATION:
    case MB_ICONASTERISK: backend::CurrentDriver().Beep(); return TRUE;
    default: SetLastError(ERROR_INVALID_PARAMETER); return FALSE;
    }
}

// WM_GETDLGCODE answers of buttons, with Microsoft's values, for as long as win32/winuser.h lacks them.
#pragma once

#include <win32/windows.h>

#ifndef DLGC_DEFPUSHBUTTON
#define DLGC_DEFPUSHBUTTON 0x0010
#endif
#ifndef DLGC_UNDEFPUSHBUTTON
#define DLGC_UNDEFPUSHBUTTON 0x0020
#endif
#ifndef DLGC_BUTTON
#define DLGC_BUTTON 0x2000
#endif

// The whole Win32-shaped API.
#pragma once

#include <win32/shellapi.h>
#include <win32/uxtheme.h>
#include <win32/vssym32.h>
#include <win32/winbase.h>
#include <win32/windef.h>
#include <win32/winerror.h>
#include <win32/wingdi.h>
#include <win32/winnls.h>
#include <win32/winuser.h>

// The three GDI calls that make a TskBitmap's pixel store and DC. They go through this table so that a test can
// make each of them fail for real (by calling the platform with arguments it refuses) and see the bitmap's
// error and clean-up.
#pragma once

#include <win32/windows.h>

struct TskBitmapGdi {
    HBITMAP (*CreateDIBSection)(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
    HDC (*CreateCompatibleDC)(HDC dc);
    HGDIOBJ (*SelectObject)(HDC dc, HGDIOBJ object);
};

// The platform's functions unless a test has replaced them.
extern TskBitmapGdi BitmapGdi;

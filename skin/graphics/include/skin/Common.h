// The skinning library's start-up facts: operating-system family, optional services, check-box glyph size,
// screen pixel format and MMX. InitializePlatformShims establishes them before any other unit of the library.
#pragma once

#include <skin/WinApi.h>
#include <toolkit/Bitmap.h>

// Runs the start-up steps in their fixed order (check-box glyph, version, layered windows, visual styles,
// monitors, msimg32, scroll-bar information, screen pixel format, MMX). The library's initialisation calls it
// first, before the bitmap, effect, theme and control units; calling it again does nothing.
void InitializePlatformShims();
// Clears the bindings and frees only the modules InitializePlatformShims loaded; then InitializePlatformShims
// may run again (tests do so after switching a module off).
void FinalizePlatformShims();
bool PlatformShimsInitialized();

bool IsNT();
bool IsWin4();
bool LayeredWindowsAvailable();
bool UxThemeAvailable();
bool VisualStylesActive();
bool TransparentBltAvailable();
// Asked on every call: at least two monitors and the monitor entry points bound.
bool MultiMonitorAvailable();
int CheckWidth();
int CheckHeight();
TPixelFormat ScreenPixelFormat();
bool MmxAvailable();
// EMMS after code that may have used the MMX registers; nothing when MMX is absent.
void ResetMmxState();

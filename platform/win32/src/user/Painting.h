// What the rest of the window manager asks of painting: the WM_PAINT the queue hands out when it is otherwise
// empty, visible regions for window DCs, presenting drawn pixels, and keeping held DCs in step with their windows.
#pragma once

#include "Window.h"

namespace win32::user {

// The queue's WM_PAINT: the first window in parent-before-child, top-to-bottom order that has an update region
// or an internal paint request (filter: that window or its descendants; null for every window). Presents what
// was drawn since the last present when there is nothing left to paint.
bool NextPaintMessage(MSG& msg, HWND filter);

// Where a DC over the window may draw, in its top-level surface's coordinates. Honours DCX_WINDOW,
// DCX_CLIPCHILDREN, DCX_CLIPSIBLINGS and DCX_PARENTCLIP, the ancestors' client areas and window regions, and
// the siblings of ancestors that have WS_CLIPSIBLINGS. Empty while the window or an ancestor is hidden. Kept in
// the window until ForgetVisibleRegions.
const gdi::Region& VisibleRegion(Window& window, DWORD dcxFlags);

// Call when the window moved, was resized, shown, hidden, restacked, linked into or out of the tree, or got a
// new window region, surface or clip style: the visible regions that can depend on it (its parent's and every
// descendant of that parent; a top-level window's own tree; for the desktop, all) are computed afresh.
void ForgetVisibleRegions(Window& changed);

// Call after a window moved, was resized, shown, hidden, restacked or got a new window region (even with
// SWP_NOREDRAW): DCs that are held across messages follow the window's current place and clip.
void RefreshWindowDCs();

// Call from DestroyWindow before the window object goes: releases its own DCs and a LockWindowUpdate on it.
void ForgetWindowPainting(HWND hwnd);

// Records that pixels of a top-level surface changed (surface coordinates).
void MarkSurfaceDirty(Window& root, const RECT& surfaceRect);
// What DCs taken with GetDC or GetWindowDC and not yet released may have drawn counts as changed: a window that
// keeps its DC for its lifetime shows its drawing when the queue goes idle, without waiting for a ReleaseDC.
void MarkHeldDCsDirty();
// Hands every changed part of every top-level surface to the display driver.
void PresentPending();

}  // namespace win32::user

// What creation, destruction and the tree functions share with SetWindowPos and ShowWindow.
#pragma once

#include "user/Window.h"

namespace win32::user {

// Flags Windows reports in WM_WINDOWPOSCHANGED when the client area kept its size or its place; DefWindowProc
// sends WM_SIZE and WM_MOVE from their absence.
constexpr UINT SwpNoClientSize = 0x0800;
constexpr UINT SwpNoClientMove = 0x1000;

// WM_GETMINMAXINFO with the defaults filled in, adapted to the work area when the window left them alone.
MINMAXINFO QueryMinMaxInfo(Window& window);
// Puts a new window into its parent's z-order: top-level windows on top (below topmost ones unless topmost
// themselves), child windows at the bottom.
void LinkWindow(Window& window, Window& parent);
void UnlinkWindow(Window& window);
// Tells the display driver the stacking order of the top-level windows it shows, the topmost first.
void ReportZOrder();
// Gives the activation to another top-level window when hwnd, active, goes away.
void ActivateOtherWindow(HWND hwnd);
// WM_PARENTNOTIFY to the parent of a child window without WS_EX_NOPARENTNOTIFY.
void SendParentNotify(HWND hwnd, UINT message);
// Minimizes, maximizes or restores the window state and answers the rectangle to move to and extra SWP_ flags.
UINT MinMaximize(HWND hwnd, UINT command, RECT& rect);

}  // namespace win32::user

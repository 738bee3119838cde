// TrackMouseEvent: leave and hover tracking of one window at a time, as Windows keeps it per thread. Leaving is
// decided where the router places the pointer (so a pointer that left every window of ours, reported by the
// driver as a move outside them, counts); hovering is timed by an internal timer.
#include "user/MouseTracking.h"

#include "kernel/LastError.h"
#include "user/Input.h"
#include "user/Timers.h"
#include "user/Window.h"

#include <cstdlib>

using win32::Fail;

namespace win32::user {
namespace {

constexpr int HoverTimerId = 0x4D48;  // internal timer ids are the window manager's own

struct Tracking {
    HWND Window = nullptr;
    DWORD Flags = 0;  // TME_LEAVE, TME_HOVER, TME_NONCLIENT
    DWORD HoverTime = 0;
    POINT HoverAt{0, 0};   // where the pointer came to rest, screen coordinates
    HWND Under = nullptr;  // where the router last placed the pointer
    int Hit = HTNOWHERE;
};

Tracking tracking;

UINT SystemValue(UINT action) {
    UINT value = 0;
    SystemParametersInfoW(action, 0, &value, 0);
    return value;
}

bool OverTrackedPart(HWND under, int hit) {
    if (under != tracking.Window) return false;
    return (tracking.Flags & TME_NONCLIENT) ? hit != HTCLIENT : hit == HTCLIENT;
}

void PostLeave() {
    PostMessageW(tracking.Window, (tracking.Flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    tracking.Flags &= ~TME_LEAVE;
}

void EndIfIdle() {
    if (tracking.Flags & (TME_LEAVE | TME_HOVER)) return;
    KillInternalTimer(HoverTimerId);
    tracking.Window = nullptr;
    tracking.Flags = 0;
}

void HoverElapsed() {
    KillInternalTimer(HoverTimerId);
    if (!(tracking.Flags & TME_HOVER) || !FromHandleQuiet(tracking.Window)) return;
    if (!OverTrackedPart(tracking.Under, tracking.Hit)) return;
    POINT at = State().CursorPos;
    if (tracking.Flags & TME_NONCLIENT) {
        PostMessageW(tracking.Window, WM_NCMOUSEHOVER, static_cast<WPARAM>(tracking.Hit), MAKELPARAM(at.x, at.y));
    } else {
        ScreenToClient(tracking.Window, &at);
        WPARAM keys = 0;
        if (GetKeyState(VK_LBUTTON) < 0) keys |= MK_LBUTTON;
        if (GetKeyState(VK_RBUTTON) < 0) keys |= MK_RBUTTON;
        if (GetKeyState(VK_MBUTTON) < 0) keys |= MK_MBUTTON;
        if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
        PostMessageW(tracking.Window, WM_MOUSEHOVER, keys, MAKELPARAM(at.x, at.y));
    }
    // Hovering is reported once; TrackMouseEvent asks again.
    tracking.Flags &= ~TME_HOVER;
    EndIfIdle();
}

void StartHover(POINT at) {
    tracking.HoverAt = at;
    SetInternalTimer(HoverTimerId, tracking.HoverTime, HoverElapsed);
}

}  // namespace

void PointerPlaced(HWND window, int hit, POINT screen) {
    tracking.Under = window;
    tracking.Hit = hit;
    if (!tracking.Window) return;
    if ((tracking.Flags & TME_LEAVE) && !OverTrackedPart(window, hit)) PostLeave();
    if (tracking.Flags & TME_HOVER) {
        int width = static_cast<int>(SystemValue(SPI_GETMOUSEHOVERWIDTH));
        int height = static_cast<int>(SystemValue(SPI_GETMOUSEHOVERHEIGHT));
        if (std::abs(screen.x - tracking.HoverAt.x) > width / 2 || std::abs(screen.y - tracking.HoverAt.y) > height / 2)
            StartHover(screen);
    }
    EndIfIdle();
}

void ForgetMouseTracking(HWND hwnd) {
    if (tracking.Window != hwnd) return;
    tracking.Flags = 0;
    EndIfIdle();
}

}  // namespace win32::user

using namespace win32::user;

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT lpEventTrack) {
    if (!lpEventTrack || lpEventTrack->cbSize != sizeof(TRACKMOUSEEVENT)) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    DWORD flags = lpEventTrack->dwFlags;
    if (flags & ~(TME_HOVER | TME_LEAVE | TME_NONCLIENT | TME_QUERY | TME_CANCEL))
        return Fail(FALSE, ERROR_INVALID_FLAGS);
    if (flags & TME_QUERY) {
        lpEventTrack->dwFlags = tracking.Flags;
        lpEventTrack->hwndTrack = tracking.Flags ? tracking.Window : nullptr;
        lpEventTrack->dwHoverTime = tracking.Flags ? tracking.HoverTime : 0;
        return TRUE;
    }
    HWND hwnd = lpEventTrack->hwndTrack;
    if (!FromHandle(hwnd)) return FALSE;
    DWORD kinds = flags & (TME_HOVER | TME_LEAVE);
    if (flags & TME_CANCEL) {
        // Only the window tracked, and only the kinds named, with the same client or frame part.
        if (tracking.Window == hwnd && (tracking.Flags & TME_NONCLIENT) == (flags & TME_NONCLIENT))
            tracking.Flags &= ~kinds;
        EndIfIdle();
        return TRUE;
    }
    if (tracking.Window && (tracking.Window != hwnd || (tracking.Flags & TME_NONCLIENT) != (flags & TME_NONCLIENT))) {
        // Another window (or the other part) takes the tracking: the one tracked before has been left.
        if (tracking.Flags & TME_LEAVE) PostLeave();
        tracking.Flags = 0;
        KillInternalTimer(HoverTimerId);
    }
    tracking.Window = hwnd;
    tracking.Flags = (tracking.Flags & (TME_HOVER | TME_LEAVE)) | kinds | (flags & TME_NONCLIENT);
    if (kinds & TME_HOVER) {
        DWORD time = lpEventTrack->dwHoverTime;
        tracking.HoverTime = time == HOVER_DEFAULT ? SystemValue(SPI_GETMOUSEHOVERTIME) : time;
        StartHover(State().CursorPos);
    }
    // Asked while the pointer is elsewhere already: it has left.
    int hit = HTNOWHERE;
    HWND under = InputRouter::HitTest(State().CursorPos, hit);
    if ((kinds & TME_LEAVE) && !OverTrackedPart(under, hit)) PostLeave();
    EndIfIdle();
    return TRUE;
}

// Get/SetWindowLongPtrA/W (subclassing through GWLP_WNDPROC, styles with WM_STYLECHANGING / WM_STYLECHANGED,
// owner, id, user data and extra bytes), GetWindowLongA/SetWindowLongA and CallWindowProcA/W.
#include "kernel/LastError.h"
#include "user/Painting.h"
#include "user/WindowPos.h"
#include "user/WndProcCall.h"

#include <backend/Driver.h>

#include <cstring>
#include <vector>

using win32::Fail;

using namespace win32::user;

namespace {

// A procedure read through the character set it was not set with comes back as a handle that stands for
// (procedure, character set), as on Windows; CallWindowProc and SetWindowLongPtr resolve it. Handles are
// given out once per pair, so the same procedure always reads back as the same value.
constexpr uintptr_t ProcHandleBase = 0xFFFF0000;

struct ProcEntry {
    WNDPROC Proc;
    bool Unicode;
};

std::vector<ProcEntry>& ProcHandles() {
    static std::vector<ProcEntry> handles;
    return handles;
}

bool ResolveProcHandle(WNDPROC value, ProcEntry& entry) {
    auto raw = reinterpret_cast<uintptr_t>(value);
    auto& handles = ProcHandles();
    if (raw < ProcHandleBase || raw >= ProcHandleBase + handles.size()) return false;
    entry = handles[raw - ProcHandleBase];
    return true;
}

bool ExtraRange(const Window& window, int index, size_t size) {
    return index >= 0 && static_cast<size_t>(index) + size <= window.Extra.size();
}

LONG_PTR GetValue(HWND hwnd, int index, size_t size, bool unicode) {
    Window* window = FromHandle(hwnd);
    if (!window) return 0;
    if (index >= 0) {
        if (!ExtraRange(*window, index, size)) return Fail<LONG_PTR>(0, ERROR_INVALID_INDEX);
        if (size == sizeof(LONG)) {
            LONG value;
            std::memcpy(&value, window->Extra.data() + index, sizeof(value));
            return value;
        }
        LONG_PTR value;
        std::memcpy(&value, window->Extra.data() + index, sizeof(value));
        return value;
    }
    // Pointers do not fit the 32-bit function.
    if (size == sizeof(LONG) && (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT))
        return Fail<LONG_PTR>(0, ERROR_INVALID_INDEX);
    switch (index) {
    case GWL_STYLE: return window->Style;
    case GWL_EXSTYLE: return window->ExStyle;
    case GWLP_ID: return window->Id;
    case GWLP_USERDATA: return window->UserData;
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->Instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(ProcAs(window->Proc, window->Unicode, unicode));
    default: return Fail<LONG_PTR>(0, ERROR_INVALID_INDEX);
    }
}

// A style change: WM_STYLECHANGING may edit the new value, WM_STYLECHANGED reports what was set. The frame is
// not recomputed here; that takes SetWindowPos with SWP_FRAMECHANGED.
LONG_PTR SetStyle(HWND hwnd, int index, LONG_PTR value) {
    Window* window = FromHandleQuiet(hwnd);
    STYLESTRUCT style{index == GWL_STYLE ? window->Style : window->ExStyle, static_cast<DWORD>(value)};
    SendMessageW(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&style));
    if (!(window = FromHandleQuiet(hwnd))) return 0;
    DWORD old = index == GWL_STYLE ? window->Style : window->ExStyle;
    DWORD next = style.styleNew;
    if (index == GWL_STYLE) {
        if (window->TopLevel()) next |= WS_CLIPSIBLINGS;
        if (old & WS_MINIMIZE) next |= WS_MINIMIZE;
        window->Style = next;
    } else {
        // Only SetWindowPos moves a window into or out of the topmost band.
        next = (next & ~WS_EX_TOPMOST) | (old & WS_EX_TOPMOST);
        window->ExStyle = next;
        // A window that stops being layered starts afresh when it is made layered again.
        if (!(next & WS_EX_LAYERED) && window->Layered) {
            window->Layered.reset();
            backend::CurrentDriver().WindowLayered(hwnd, nullptr);
        }
    }
    ForgetVisibleRegions(*window);
    style.styleOld = old;
    style.styleNew = next;
    if (index == GWL_STYLE && ((old ^ next) & WS_VISIBLE)) {
        RefreshWindowDCs();
        HWND target = window->TopLevel() ? hwnd : window->Parent->Handle;
        RedrawWindow(target, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
    SendMessageW(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&style));
    return old;
}

LONG_PTR SetValue(HWND hwnd, int index, LONG_PTR value, size_t size, bool unicode) {
    Window* window = FromHandle(hwnd);
    if (!window) return 0;
    if (window == &Desktop()) return Fail<LONG_PTR>(0, ERROR_ACCESS_DENIED);
    if (index >= 0) {
        if (!ExtraRange(*window, index, size)) return Fail<LONG_PTR>(0, ERROR_INVALID_INDEX);
        LONG_PTR old = GetValue(hwnd, index, size, unicode);
        if (size == sizeof(LONG)) {
            LONG narrow = static_cast<LONG>(value);
            std::memcpy(window->Extra.data() + index, &narrow, sizeof(narrow));
        } else {
            std::memcpy(window->Extra.data() + index, &value, sizeof(value));
        }
        return old;
    }
    if (size == sizeof(LONG) && (index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT))
        return Fail<LONG_PTR>(0, ERROR_INVALID_INDEX);
    LONG_PTR old;
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: return SetStyle(hwnd, index, value);
    case GWLP_ID:
        old = window->Id;
        window->Id = value;
        return old;
    case GWLP_USERDATA:
        old = window->UserData;
        window->UserData = value;
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(window->Instance);
        window->Instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT: {
        if (window->Child()) return reinterpret_cast<LONG_PTR>(SetParent(hwnd, reinterpret_cast<HWND>(value)));
        old = reinterpret_cast<LONG_PTR>(window->Owner ? window->Owner->Handle : nullptr);
        Window* owner = value ? FromHandle(reinterpret_cast<HWND>(value)) : nullptr;
        if (value && !owner) return 0;
        window->Owner = owner ? owner->Root() : nullptr;
        return old;
    }
    case GWLP_WNDPROC: {
        if (!value) return Fail<LONG_PTR>(0, ERROR_INVALID_PARAMETER);
        old = reinterpret_cast<LONG_PTR>(ProcAs(window->Proc, window->Unicode, unicode));
        ProcEntry entry{reinterpret_cast<WNDPROC>(value), unicode};
        ResolveProcHandle(reinterpret_cast<WNDPROC>(value), entry);
        window->Proc = entry.Proc;
        window->Unicode = entry.Unicode;
        return old;
    }
    default: return Fail<LONG_PTR>(0, ERROR_INVALID_INDEX);
    }
}

LRESULT CallProc(WNDPROC proc, bool callerUnicode, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!proc) return 0;
    ProcEntry entry{proc, callerUnicode};
    ResolveProcHandle(proc, entry);
    return CallWndProc(entry.Proc, entry.Unicode, callerUnicode, hwnd, message, wParam, lParam);
}

}  // namespace

WNDPROC win32::user::ProcAs(WNDPROC proc, bool procUnicode, bool callerUnicode) {
    if (!proc || procUnicode == callerUnicode) return proc;
    auto& handles = ProcHandles();
    for (size_t i = 0; i < handles.size(); ++i)
        if (handles[i].Proc == proc && handles[i].Unicode == procUnicode)
            return reinterpret_cast<WNDPROC>(ProcHandleBase + i);
    handles.push_back({proc, procUnicode});
    return reinterpret_cast<WNDPROC>(ProcHandleBase + handles.size() - 1);
}

LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex) { return GetValue(hWnd, nIndex, sizeof(LONG_PTR), true); }
LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex) { return GetValue(hWnd, nIndex, sizeof(LONG_PTR), false); }
LONG GetWindowLongA(HWND hWnd, int nIndex) { return static_cast<LONG>(GetValue(hWnd, nIndex, sizeof(LONG), false)); }
LONG GetWindowLongW(HWND hWnd, int nIndex) { return static_cast<LONG>(GetValue(hWnd, nIndex, sizeof(LONG), true)); }

LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetValue(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR), true);
}
LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return SetValue(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR), false);
}
LONG SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(SetValue(hWnd, nIndex, dwNewLong, sizeof(LONG), false));
}
LONG SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong) {
    return static_cast<LONG>(SetValue(hWnd, nIndex, dwNewLong, sizeof(LONG), true));
}

LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return CallProc(lpPrevWndFunc, true, hWnd, Msg, wParam, lParam);
}
LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return CallProc(lpPrevWndFunc, false, hWnd, Msg, wParam, lParam);
}

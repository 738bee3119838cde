// SetWindowsHookEx, UnhookWindowsHookEx, CallNextHookEx and CallMsgFilter: per-thread chains of hook procedures,
// newest first, that survive a hook unhooking itself or another while the chain runs.
#include "user/Hooks.h"

#include "kernel/HandleTable.h"
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"

#include <cstring>
#include <map>
#include <memory>
#include <string>

using win32::Fail;

namespace win32::user {
namespace {

struct Hook {
    HHOOK Handle = nullptr;
    int Id = 0;
    HOOKPROC Proc = nullptr;
    bool Unicode = false;
    bool Removed = false;
    // Kept when the hook is unhooked, so that a removed hook still running can pass the call on.
    std::shared_ptr<Hook> Next;
};

constexpr int FirstId = WH_MSGFILTER;
constexpr int LastId = WH_MOUSE_LL;

struct ThreadHooks {
    std::shared_ptr<Hook> Chains[LastId - FirstId + 1];
    std::map<HHOOK, std::shared_ptr<Hook>> ByHandle;
    // The hook running on this thread, whose successor CallNextHookEx calls.
    Hook* Current = nullptr;
    // The caller's character set of the chain running.
    bool CallUnicode = true;
};

thread_local ThreadHooks hooks;

std::shared_ptr<Hook>& Chain(int idHook) { return hooks.Chains[idHook - FirstId]; }

// The kinds the window manager calls; the others (keyboard, mouse, journal, shell, debug) never would run.
bool Supported(int idHook) {
    switch (idHook) {
    case WH_MSGFILTER:
    case WH_SYSMSGFILTER:
    case WH_GETMESSAGE:
    case WH_CALLWNDPROC:
    case WH_CALLWNDPROCRET:
    case WH_CBT: return true;
    default: return false;
    }
}

std::shared_ptr<Hook> FirstLive(std::shared_ptr<Hook> hook) {
    while (hook && hook->Removed) hook = hook->Next;
    return hook;
}

// HCBT_CREATEWND's structure as a hook of the other character set sees it: the names converted, the rest copied,
// and the z-order place the hook may set handed back.
template <class ToCbt, class ToCreate, class FromCbt, class Convert>
LRESULT CallWithCreateStruct(const Hook& hook, int code, WPARAM wParam, FromCbt* from, Convert convert) {
    const auto* source = from->lpcs;
    ToCreate cs;
    std::memcpy(&cs, source, sizeof cs);
    decltype(convert(source->lpszName)) name, className;
    if (source->lpszName && !IsIntResource(source->lpszName)) {
        name = convert(source->lpszName);
        cs.lpszName = name.c_str();
    }
    if (source->lpszClass && !IsIntResource(source->lpszClass)) {
        className = convert(source->lpszClass);
        cs.lpszClass = className.c_str();
    }
    ToCbt cbt{&cs, from->hwndInsertAfter};
    LRESULT result = hook.Proc(code, wParam, reinterpret_cast<LPARAM>(&cbt));
    from->hwndInsertAfter = cbt.hwndInsertAfter;
    return result;
}

LRESULT CallConverted(const Hook& hook, int code, WPARAM wParam, LPARAM lParam, bool callerUnicode) {
    if (hook.Unicode == callerUnicode || hook.Id != WH_CBT || code != HCBT_CREATEWND || !lParam)
        return hook.Proc(code, wParam, lParam);
    if (callerUnicode)
        return CallWithCreateStruct<CBT_CREATEWNDA, CREATESTRUCTA>(hook, code, wParam,
                                                                   reinterpret_cast<CBT_CREATEWNDW*>(lParam),
                                                                   [](LPCWSTR text) { return WideToAnsi(text); });
    return CallWithCreateStruct<CBT_CREATEWNDW, CREATESTRUCTW>(
        hook, code, wParam, reinterpret_cast<CBT_CREATEWNDA*>(lParam), [](LPCSTR text) { return AnsiToWide(text); });
}

// Calls one hook with the thread's running hook set to it for the call. The hook is held until it returns, as it
// may unhook itself.
LRESULT Run(std::shared_ptr<Hook> hook, int code, WPARAM wParam, LPARAM lParam, bool unicode) {
    if (!hook) return 0;
    Hook* outer = hooks.Current;
    bool outerUnicode = hooks.CallUnicode;
    hooks.Current = hook.get();
    hooks.CallUnicode = unicode;
    LRESULT result = CallConverted(*hook, code, wParam, lParam, unicode);
    hooks.Current = outer;
    hooks.CallUnicode = outerUnicode;
    return result;
}

HHOOK SetHook(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId, bool unicode) {
    if (idHook < FirstId || idHook > LastId) return Fail<HHOOK>(nullptr, ERROR_INVALID_HOOK_FILTER);
    if (!proc) return Fail<HHOOK>(nullptr, ERROR_INVALID_FILTER_PROC);
    if (threadId == 0) return Fail<HHOOK>(nullptr, module ? ERROR_INVALID_PARAMETER : ERROR_HOOK_NEEDS_HMOD);
    if (threadId != GetCurrentThreadId()) return Fail<HHOOK>(nullptr, ERROR_INVALID_PARAMETER);
    if (!Supported(idHook)) return Fail<HHOOK>(nullptr, ERROR_INVALID_HOOK_FILTER);
    auto hook = std::make_shared<Hook>();
    hook->Handle = static_cast<HHOOK>(kernel::AllocateHandle(kernel::HandleKind::Hook));
    hook->Id = idHook;
    hook->Proc = proc;
    hook->Unicode = unicode;
    hook->Next = Chain(idHook);
    Chain(idHook) = hook;
    hooks.ByHandle[hook->Handle] = hook;
    return hook->Handle;
}

}  // namespace

bool HasHooks(int idHook) { return FirstLive(Chain(idHook)) != nullptr; }

LRESULT CallHooks(int idHook, int code, WPARAM wParam, LPARAM lParam, bool unicode) {
    return Run(FirstLive(Chain(idHook)), code, wParam, lParam, unicode);
}

bool CbtVetoes(int code, WPARAM wParam, LPARAM lParam, bool unicode) {
    return HasHooks(WH_CBT) && CallHooks(WH_CBT, code, wParam, lParam, unicode) != 0;
}

void RunCallWndProcHooks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode, bool thisThread) {
    CWPSTRUCT cwp{lParam, wParam, message, hwnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, thisThread ? TRUE : FALSE, reinterpret_cast<LPARAM>(&cwp), unicode);
}

void RunCallWndProcRetHooks(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT result, bool unicode,
                            bool thisThread) {
    CWPRETSTRUCT cwp{result, lParam, wParam, message, hwnd};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, thisThread ? TRUE : FALSE, reinterpret_cast<LPARAM>(&cwp), unicode);
}

}  // namespace win32::user

using namespace win32::user;

HHOOK SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    return SetHook(idHook, lpfn, hmod, dwThreadId, false);
}

HHOOK SetWindowsHookExW(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    return SetHook(idHook, lpfn, hmod, dwThreadId, true);
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
    auto found = hooks.ByHandle.find(hhk);
    if (found == hooks.ByHandle.end()) return Fail(FALSE, ERROR_INVALID_HOOK_HANDLE);
    std::shared_ptr<Hook> hook = found->second;
    hooks.ByHandle.erase(found);
    win32::kernel::ReleaseHandle(hhk);
    hook->Removed = true;
    std::shared_ptr<Hook>* link = &Chain(hook->Id);
    while (*link && *link != hook) link = &(*link)->Next;
    if (*link) *link = hook->Next;
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    (void)hhk;
    if (!hooks.Current) return 0;
    return Run(FirstLive(hooks.Current->Next), nCode, wParam, lParam, hooks.CallUnicode);
}

namespace {

BOOL MsgFilter(LPMSG lpMsg, int nCode, bool unicode) {
    if (!lpMsg) return FALSE;
    // The system filter sees the message first; when it keeps it, the thread's filter is not asked.
    if (HasHooks(WH_SYSMSGFILTER) && CallHooks(WH_SYSMSGFILTER, nCode, 0, reinterpret_cast<LPARAM>(lpMsg), unicode))
        return TRUE;
    return HasHooks(WH_MSGFILTER) && CallHooks(WH_MSGFILTER, nCode, 0, reinterpret_cast<LPARAM>(lpMsg), unicode)
               ? TRUE
               : FALSE;
}

}  // namespace

BOOL CallMsgFilterA(LPMSG lpMsg, int nCode) { return MsgFilter(lpMsg, nCode, false); }
BOOL CallMsgFilterW(LPMSG lpMsg, int nCode) { return MsgFilter(lpMsg, nCode, true); }

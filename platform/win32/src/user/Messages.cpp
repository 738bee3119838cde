// Sending, posting, reading and dispatching messages. PeekMessage serves, in order: messages sent from other
// threads, posted messages, the quit request, input, then WM_PAINT and WM_TIMER, which are made only when asked
// for and never wait in the queue.
#include "kernel/LastError.h"
#include "user/AnsiConvert.h"
#include "user/Broadcast.h"
#include "user/Hooks.h"
#include "user/Input.h"
#include "user/Painting.h"
#include "user/Queue.h"
#include "user/Timers.h"
#include "user/Window.h"
#include "user/WndProcCall.h"

#include <cctype>
#include <map>
#include <optional>
#include <string>

using win32::Fail;

using namespace win32::user;

namespace {

// PeekMessage's PM_QS_* flags: the kinds of message to look at, in the high word.
constexpr UINT QsAllPostMessage = 0x0100;
constexpr UINT PmQsMask = (QS_ALLINPUT | QsAllPostMessage) << 16;
constexpr DWORD ErrorInvalidThreadId = 1444;
constexpr DWORD ErrorMessageSyncOnly = 1159;
constexpr UINT WmSysTimer = 0x0118;

DWORD messageTime = 0;
POINT messagePos{0, 0};
// A double-byte character read through PeekMessageA comes out as two messages: the trail byte waits here.
std::optional<MSG> pendingTrail;
// A lead byte posted through PostMessageA waits for its trail byte.
BYTE postedLead = 0;

bool ValidFilterWindow(HWND hwnd) { return !hwnd || hwnd == reinterpret_cast<HWND>(-1) || FromHandle(hwnd); }

// Messages whose parameters point into the sender's memory cannot wait in a queue.
bool CarriesPointer(UINT message) {
    switch (message) {
    case WM_CREATE:
    case WM_NCCREATE:
    case WM_GETTEXT:
    case WM_SETTEXT:
    case WM_GETMINMAXINFO:
    case WM_WINDOWPOSCHANGING:
    case WM_WINDOWPOSCHANGED:
    case WM_NCCALCSIZE:
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_HELP: return true;
    default: return false;
    }
}

// Input the filter lets through, routed now. Events that no window takes are dropped; a click on a disabled
// window leaves only its WM_SETCURSOR behind.
bool TakeInput(MSG& msg, const MessageFilter& filter, bool remove) {
    MessageQueue& queue = MessageQueue::Instance();
    InputRouter& router = InputRouter::Instance();
    queue.PullInput();
    unsigned long long examined = 0;
    auto erase = [&](unsigned long long serial) {
        auto& input = queue.Input();
        for (auto it = input.begin(); it != input.end(); ++it)
            if (it->Serial == serial) {
                input.erase(it);
                return;
            }
    };
    for (;;) {
        // Routing sends messages, whose handlers may read or add input themselves: walk by serial number.
        std::optional<RawInput> next;
        for (const RawInput& raw : queue.Input())
            if (raw.Serial > examined) {
                next = raw;
                break;
            }
        if (!next) return false;
        examined = next->Serial;
        RoutedInput routed;
        if (!router.Route(*next, routed)) {
            erase(next->Serial);
            continue;
        }
        if (routed.Discard) {
            erase(next->Serial);
            router.Accept(*next, routed);
            continue;
        }
        if (!filter.Matches(routed.Msg.hwnd, routed.Msg.message)) continue;
        if (!remove) {
            msg = routed.Msg;
            return true;
        }
        erase(next->Serial);
        if (!router.Accept(*next, routed)) continue;
        msg = routed.Msg;
        return true;
    }
}

void Finish(MSG& msg, bool unicode, bool remove) {
    messageTime = msg.time;
    messagePos = msg.pt;
    if (unicode || !IsCharMessage(msg.message)) return;
    std::string bytes = WideCharToAnsi(msg.wParam);
    if (bytes.size() < 2) {
        msg.wParam = bytes.empty() ? 0 : static_cast<BYTE>(bytes[0]);
        return;
    }
    auto lead = static_cast<BYTE>(bytes[0]);
    auto trail = static_cast<BYTE>(bytes[1]);
    if (msg.message == WM_IME_CHAR) {
        msg.wParam = (static_cast<WPARAM>(lead) << 8) | trail;
        return;
    }
    msg.wParam = lead;
    if (remove) {
        pendingTrail = msg;
        pendingTrail->wParam = trail;
    }
}

// One look at the queue. failed is set when the arguments are refused (the last error says why).
bool Peek(MSG& msg, HWND hwnd, UINT first, UINT last, UINT flags, bool unicode, bool& failed) {
    failed = false;
    if (flags & ~(PM_REMOVE | PM_NOYIELD | PmQsMask)) {
        failed = true;
        return Fail(false, ERROR_INVALID_FLAGS);
    }
    if (!ValidFilterWindow(hwnd)) {
        failed = true;
        return false;
    }
    if (!MessageQueue::OnUiThread()) {
        failed = true;
        return Fail(false, ErrorInvalidThreadId);
    }
    UINT kinds = (flags & PmQsMask) ? (flags >> 16) : (QS_ALLINPUT | QsAllPostMessage);
    bool remove = (flags & PM_REMOVE) != 0;
    MessageFilter filter{hwnd, first, last};
    MessageQueue& queue = MessageQueue::Instance();
    queue.ClearChangedBits();

    if (!unicode && pendingTrail && filter.Matches(pendingTrail->hwnd, pendingTrail->message)) {
        msg = *pendingTrail;
        if (remove) pendingTrail.reset();
        messageTime = msg.time;
        messagePos = msg.pt;
        return true;
    }
    if (kinds & QS_SENDMESSAGE) queue.DeliverSentMessages();
    if ((kinds & (QS_POSTMESSAGE | QsAllPostMessage)) && queue.TakePosted(msg, filter, remove)) {
        Finish(msg, unicode, remove);
        return true;
    }
    // WM_QUIT comes whatever the filter asks for.
    int exitCode = 0;
    if (queue.QuitPending(exitCode)) {
        msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, GetTickCount(), State().CursorPos};
        if (remove) queue.ClearQuit();
        Finish(msg, unicode, remove);
        return true;
    }
    if (kinds & QS_INPUT) {
        if (TakeInput(msg, filter, remove)) {
            Finish(msg, unicode, remove);
            return true;
        }
        // Placing the pointer may have posted WM_MOUSELEAVE.
        if ((kinds & (QS_POSTMESSAGE | QsAllPostMessage)) && queue.TakePosted(msg, filter, remove)) {
            Finish(msg, unicode, remove);
            return true;
        }
    }
    if ((kinds & QS_PAINT) && hwnd != reinterpret_cast<HWND>(-1) && filter.MatchesMessage(WM_PAINT) &&
        NextPaintMessage(msg, hwnd)) {
        Finish(msg, unicode, remove);
        return true;
    }
    if ((kinds & QS_TIMER) && (filter.MatchesMessage(WM_TIMER) || filter.MatchesMessage(WmSysTimer)) &&
        NextTimerMessage(msg, hwnd, remove)) {
        if (filter.MatchesMessage(msg.message)) {
            Finish(msg, unicode, remove);
            return true;
        }
    }
    return false;
}

BOOL PeekCommon(LPMSG lpMsg, HWND hWnd, UINT first, UINT last, UINT flags, bool unicode) {
    if (!lpMsg) return Fail(FALSE, ERROR_INVALID_PARAMETER);
    bool failed = false;
    MSG msg{};
    if (!Peek(msg, hWnd, first, last, flags, unicode, failed)) return FALSE;
    if (HasHooks(WH_GETMESSAGE))
        CallHooks(WH_GETMESSAGE, HC_ACTION, flags & PM_REMOVE, reinterpret_cast<LPARAM>(&msg), unicode);
    *lpMsg = msg;
    return TRUE;
}

BOOL GetCommon(LPMSG lpMsg, HWND hWnd, UINT first, UINT last, bool unicode) {
    if (!lpMsg) return Fail(-1, ERROR_INVALID_PARAMETER);
    for (;;) {
        bool failed = false;
        MSG msg{};
        if (Peek(msg, hWnd, first, last, PM_REMOVE, unicode, failed)) {
            if (HasHooks(WH_GETMESSAGE))
                CallHooks(WH_GETMESSAGE, HC_ACTION, PM_REMOVE, reinterpret_cast<LPARAM>(&msg), unicode);
            *lpMsg = msg;
            return msg.message == WM_QUIT ? FALSE : TRUE;
        }
        if (failed) return -1;
        backend::CurrentDriver().WaitForEvent(MillisecondsToNextTimer());
    }
}

LRESULT SendCommon(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool unicode) {
    if (hWnd == HWND_BROADCAST) {
        BroadcastMessage(Msg, wParam, lParam, unicode, false);
        return TRUE;
    }
    Window* window = FromHandle(hWnd);
    if (!window) return 0;
    if (!MessageQueue::OnUiThread())
        return MessageQueue::Instance().SendFromOtherThread(hWnd, Msg, wParam, lParam, unicode);
    return CallWithSendHooks(hWnd, Msg, wParam, lParam, unicode, true, [&] {
        return CallWndProc(window->Proc, window->Unicode, unicode, hWnd, Msg, wParam, lParam);
    });
}

BOOL PostCommon(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam, bool unicode) {
    if (hWnd && hWnd != HWND_BROADCAST && !FromHandle(hWnd)) return FALSE;
    if (!hWnd && !MessageQueue::OnUiThread()) return Fail(FALSE, ErrorInvalidThreadId);
    if (CarriesPointer(Msg)) return Fail(FALSE, ErrorMessageSyncOnly);
    if (!unicode && IsCharMessage(Msg) && Msg != WM_IME_CHAR && !AnsiCharToWide(Msg, wParam, postedLead)) return TRUE;
    MSG msg{hWnd, Msg, wParam, lParam, GetTickCount(), State().CursorPos};
    if (hWnd == HWND_BROADCAST) {
        for (Window* top : Desktop().Children) {
            msg.hwnd = top->Handle;
            MessageQueue::Instance().Post(msg);
        }
        return TRUE;
    }
    MessageQueue::Instance().Post(msg);
    return TRUE;
}

LRESULT DispatchCommon(const MSG* lpMsg, bool unicode) {
    if (!lpMsg) return Fail<LRESULT>(0, ERROR_INVALID_PARAMETER);
    if ((lpMsg->message == WM_TIMER || lpMsg->message == WmSysTimer) && lpMsg->lParam) {
        auto proc = reinterpret_cast<TIMERPROC>(lpMsg->lParam);
        proc(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, GetTickCount());
        return 0;
    }
    if (!lpMsg->hwnd) return 0;
    Window* window = FromHandle(lpMsg->hwnd);
    if (!window) return 0;
    return CallWndProc(window->Proc, window->Unicode, unicode, lpMsg->hwnd, lpMsg->message, lpMsg->wParam,
                       lpMsg->lParam);
}

// The character a key types on a US keyboard, or 0.
char16_t KeyCharacter(UINT vk, const BYTE* keys) {
    bool shift = keys[VK_SHIFT] & 0x80;
    bool control = keys[VK_CONTROL] & 0x80;
    bool alt = keys[VK_MENU] & 0x80;
    bool capsLock = keys[VK_CAPITAL] & 0x01;
    if (control && alt) return 0;
    if (control) {
        if (vk >= 'A' && vk <= 'Z') return static_cast<char16_t>(vk - 'A' + 1);
        switch (vk) {
        case 0xDB: return 0x1B;  // VK_OEM_4, [
        case 0xDC: return 0x1C;  // VK_OEM_5, backslash
        case 0xDD: return 0x1D;  // VK_OEM_6, ]
        case VK_RETURN: return 0x0A;
        case VK_BACK: return 0x7F;
        case VK_SPACE: return u' ';
        case VK_CANCEL: return 0x03;
        default: return 0;
        }
    }
    if (vk >= 'A' && vk <= 'Z') return static_cast<char16_t>((shift != capsLock) ? vk : vk + 32);
    if (vk >= '0' && vk <= '9')
        return shift ? static_cast<char16_t>(u")!@#$%^&*("[vk - '0']) : static_cast<char16_t>(vk);
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return static_cast<char16_t>(u'0' + (vk - VK_NUMPAD0));
    struct Oem {
        UINT vk;
        char16_t plain, shifted;
    };
    static const Oem oem[] = {{0xBA, u';', u':'},  {0xBB, u'=', u'+'}, {0xBC, u',', u'<'}, {0xBD, u'-', u'_'},
                              {0xBE, u'.', u'>'},  {0xBF, u'/', u'?'}, {0xC0, u'`', u'~'}, {0xDB, u'[', u'{'},
                              {0xDC, u'\\', u'|'}, {0xDD, u']', u'}'}, {0xDE, u'\'', u'"'}};
    for (const Oem& key : oem)
        if (key.vk == vk) return shift ? key.shifted : key.plain;
    switch (vk) {
    case VK_SPACE: return u' ';
    case VK_RETURN: return u'\r';
    case VK_BACK: return 0x08;
    case VK_TAB: return u'\t';
    case VK_ESCAPE: return 0x1B;
    case VK_MULTIPLY: return u'*';
    case VK_ADD: return u'+';
    case VK_SUBTRACT: return u'-';
    case VK_DECIMAL: return u'.';
    case VK_DIVIDE: return u'/';
    case VK_CANCEL: return 0x03;
    default: return 0;
    }
}

}  // namespace

LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return SendCommon(hWnd, Msg, wParam, lParam, false);
}
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return SendCommon(hWnd, Msg, wParam, lParam, true);
}
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostCommon(hWnd, Msg, wParam, lParam, false);
}
BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostCommon(hWnd, Msg, wParam, lParam, true);
}

namespace {

BOOL PostThreadCommon(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam, bool unicode) {
    if (idThread != MessageQueue::UiThreadId()) return Fail(FALSE, ErrorInvalidThreadId);
    if (CarriesPointer(Msg)) return Fail(FALSE, ErrorMessageSyncOnly);
    if (!unicode && IsCharMessage(Msg) && Msg != WM_IME_CHAR && !AnsiCharToWide(Msg, wParam, postedLead)) return TRUE;
    MessageQueue::Instance().Post(MSG{nullptr, Msg, wParam, lParam, GetTickCount(), State().CursorPos});
    return TRUE;
}

}  // namespace

BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostThreadCommon(idThread, Msg, wParam, lParam, false);
}

BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam) {
    return PostThreadCommon(idThread, Msg, wParam, lParam, true);
}

void PostQuitMessage(int nExitCode) { MessageQueue::Instance().PostQuit(nExitCode); }

BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    return GetCommon(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, false);
}
BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    return GetCommon(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true);
}
BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    return PeekCommon(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg, false);
}
BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg) {
    return PeekCommon(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, wRemoveMsg, true);
}

BOOL WaitMessage(void) {
    MessageQueue& queue = MessageQueue::Instance();
    if (!MessageQueue::OnUiThread()) return Fail(FALSE, ErrorInvalidThreadId);
    queue.DeliverSentMessages();
    queue.PullInput();
    MSG paint{};
    DWORD timeout = MillisecondsToNextTimer();
    if (queue.HasPosted() || !queue.Input().empty() || timeout == 0 || NextPaintMessage(paint, nullptr)) return TRUE;
    backend::CurrentDriver().WaitForEvent(timeout);
    return TRUE;
}

DWORD GetQueueStatus(UINT flags) {
    if (flags & ~(QS_ALLINPUT | QsAllPostMessage)) return Fail<DWORD>(0, ERROR_INVALID_FLAGS);
    MessageQueue& queue = MessageQueue::Instance();
    queue.PullInput();
    DWORD present = 0;
    if (queue.HasPosted()) present |= QS_POSTMESSAGE | QsAllPostMessage;
    if (queue.HasSent()) present |= QS_SENDMESSAGE;
    for (const RawInput& raw : queue.Input()) {
        using Kind = backend::InputEvent::Kind;
        switch (raw.Event.kind) {
        case Kind::MouseMove: present |= QS_MOUSEMOVE; break;
        case Kind::ButtonDown:
        case Kind::ButtonUp:
        case Kind::Wheel: present |= QS_MOUSEBUTTON; break;
        default: present |= QS_KEY; break;
        }
    }
    MSG probe{};
    // Paint and timer messages are made on demand, so they are new whenever they are due.
    DWORD synthesized = 0;
    if (NextPaintMessage(probe, nullptr)) synthesized |= QS_PAINT;
    if (MillisecondsToNextTimer() == 0) synthesized |= QS_TIMER;
    present |= synthesized;
    DWORD changed = (queue.TakeChangedBits(flags) & present) | synthesized;
    return MAKELONG(changed & flags, present & flags);
}

BOOL TranslateMessage(const MSG* lpMsg) {
    if (!lpMsg) return FALSE;
    switch (lpMsg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: break;
    case WM_KEYUP:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
    }
    char16_t character = KeyCharacter(static_cast<UINT>(lpMsg->wParam & 0xFF), State().KeyState);
    if (character) {
        UINT charMessage = lpMsg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        PostMessageW(lpMsg->hwnd, charMessage, character, lpMsg->lParam);
    }
    return TRUE;
}

LRESULT DispatchMessageA(const MSG* lpMsg) { return DispatchCommon(lpMsg, false); }
LRESULT DispatchMessageW(const MSG* lpMsg) { return DispatchCommon(lpMsg, true); }

BOOL InSendMessage(void) { return MessageQueue::Instance().InInterThreadSend() ? TRUE : FALSE; }

DWORD GetMessagePos(void) { return static_cast<DWORD>(MAKELONG(messagePos.x, messagePos.y)); }

LONG GetMessageTime(void) { return static_cast<LONG>(messageTime); }

UINT RegisterWindowMessageA(LPCSTR lpString) {
    if (!lpString || !*lpString) return Fail<UINT>(0, ERROR_INVALID_PARAMETER);
    static std::map<std::string, UINT> registered;
    static UINT next = 0xC000;
    std::string key(lpString);
    for (size_t i = 0; i < key.size(); ++i) {
        // Trail bytes of Chinese characters stay as they are; only single-byte letters fold.
        if (IsDBCSLeadByte(static_cast<BYTE>(key[i]))) {
            ++i;
            continue;
        }
        if (key[i] >= 'A' && key[i] <= 'Z') key[i] = static_cast<char>(key[i] + 32);
    }
    auto found = registered.find(key);
    if (found != registered.end()) return found->second;
    if (next > 0xFFFF) return Fail<UINT>(0, ERROR_NOT_ENOUGH_MEMORY);
    registered.emplace(key, next);
    return next++;
}

UINT RegisterWindowMessageW(LPCWSTR lpString) { return RegisterWindowMessageA(AnsiName(lpString)); }

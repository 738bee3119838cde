// The UI thread's message queue: posted messages, the quit flag, cross-thread sends and raw driver input.
#include "user/Queue.h"

#include "user/Hooks.h"
#include "user/Input.h"
#include "user/Window.h"
#include "user/WndProcCall.h"

#include <sys/syscall.h>
#include <unistd.h>

namespace win32::user {

bool MessageFilter::MatchesWindow(HWND hwnd) const {
    if (!Window) return true;
    if (Window == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
    if (!hwnd) return false;
    if (hwnd == Window) return true;
    // Messages of the filter window's descendants count as its own.
    user::Window* window = FromHandleQuiet(hwnd);
    for (user::Window* parent = window ? window->Parent : nullptr; parent; parent = parent->Parent)
        if (parent->Handle == Window) return true;
    return false;
}

bool MessageFilter::MatchesMessage(UINT message) const {
    // Both zero, or a reversed range, filter nothing.
    if (First > Last || (First == 0 && Last == 0)) return true;
    return message >= First && message <= Last;
}

MessageQueue& MessageQueue::Instance() {
    static MessageQueue queue;
    return queue;
}

bool MessageQueue::OnUiThread() {
    // Asked on every send and post: a thread's answer never changes, so each thread asks the kernel once.
    thread_local const bool onUiThread = static_cast<pid_t>(syscall(SYS_gettid)) == getpid();
    return onUiThread;
}

DWORD MessageQueue::UiThreadId() { return static_cast<DWORD>(getpid()); }

void MessageQueue::MarkChanged(DWORD bits) { FChangedBits |= bits; }

void MessageQueue::Post(const MSG& msg) {
    {
        std::lock_guard<std::mutex> guard(FLock);
        FPosted.push_back(msg);
        MarkChanged(QS_POSTMESSAGE);
    }
    if (!OnUiThread()) Wake();
}

void MessageQueue::PostQuit(int exitCode) {
    std::lock_guard<std::mutex> guard(FLock);
    FQuit = true;
    FQuitCode = exitCode;
    MarkChanged(QS_POSTMESSAGE);
}

bool MessageQueue::QuitPending(int& exitCode) const {
    std::lock_guard<std::mutex> guard(FLock);
    exitCode = FQuitCode;
    return FQuit;
}

void MessageQueue::ClearQuit() {
    std::lock_guard<std::mutex> guard(FLock);
    FQuit = false;
}

bool MessageQueue::TakePosted(MSG& msg, const MessageFilter& filter, bool remove) {
    std::lock_guard<std::mutex> guard(FLock);
    for (auto it = FPosted.begin(); it != FPosted.end();) {
        if (it->hwnd && !FromHandleQuiet(it->hwnd)) {
            it = FPosted.erase(it);
            continue;
        }
        if (filter.Matches(it->hwnd, it->message)) {
            msg = *it;
            if (remove) FPosted.erase(it);
            return true;
        }
        ++it;
    }
    return false;
}

bool MessageQueue::HasPosted() const {
    std::lock_guard<std::mutex> guard(FLock);
    return !FPosted.empty() || FQuit;
}

LRESULT MessageQueue::SendFromOtherThread(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode) {
    SentMessage sent{hwnd, message, wParam, lParam, unicode};
    std::unique_lock<std::mutex> guard(FLock);
    FSent.push_back(&sent);
    MarkChanged(QS_SENDMESSAGE);
    guard.unlock();
    Wake();
    guard.lock();
    FSentDone.wait(guard, [&] { return sent.Done; });
    return sent.Result;
}

bool MessageQueue::DeliverSentMessages() {
    bool any = false;
    for (;;) {
        SentMessage* sent = nullptr;
        {
            std::lock_guard<std::mutex> guard(FLock);
            if (FSent.empty()) break;
            sent = FSent.front();
            FSent.pop_front();
        }
        any = true;
        LRESULT result = 0;
        if (Window* window = FromHandleQuiet(sent->Window)) {
            ++FInterThreadDepth;
            result =
                CallWithSendHooks(sent->Window, sent->Message, sent->WParam, sent->LParam, sent->Unicode, false, [&] {
                    return CallWndProc(window->Proc, window->Unicode, sent->Unicode, sent->Window, sent->Message,
                                       sent->WParam, sent->LParam);
                });
            --FInterThreadDepth;
        }
        std::lock_guard<std::mutex> guard(FLock);
        sent->Result = result;
        sent->Done = true;
        FSentDone.notify_all();
    }
    return any;
}

bool MessageQueue::HasSent() const {
    std::lock_guard<std::mutex> guard(FLock);
    return !FSent.empty();
}

void MessageQueue::AddInput(const backend::InputEvent& event) {
    RawInput raw{event, event.time ? event.time : GetTickCount(), 0};
    using Kind = backend::InputEvent::Kind;
    switch (event.kind) {
    case Kind::MouseMove:
        State().CursorPos = event.screen;
        // Windows keeps one pending move: a newer position replaces an unread one at the end of the queue.
        if (!FInput.empty() && FInput.back().Event.kind == Kind::MouseMove) {
            raw.Serial = FInput.back().Serial;
            FInput.back() = raw;
            return;
        }
        MarkChanged(QS_MOUSEMOVE);
        break;
    case Kind::ButtonDown:
    case Kind::ButtonUp:
        State().CursorPos = event.screen;
        MarkChanged(QS_MOUSEBUTTON);
        break;
    case Kind::Wheel: MarkChanged(QS_MOUSEBUTTON); break;
    case Kind::KeyDown:
    case Kind::KeyUp: MarkChanged(QS_KEY); break;
    case Kind::Text:
        // One WM_CHAR per UTF-16 unit, each read on its own.
        MarkChanged(QS_KEY);
        for (char16_t unit : event.text) {
            RawInput single = raw;
            single.Event.text = std::u16string(1, unit);
            single.Serial = FNextSerial++;
            FInput.push_back(single);
        }
        return;
    default:
        // The desktop's window events: the router sends their messages when it reaches them, in input order.
        MarkChanged(QS_KEY);
        break;
    }
    NoteAsyncInput(event);
    raw.Serial = FNextSerial++;
    FInput.push_back(raw);
}

void MessageQueue::PullInput() {
    backend::Driver& driver = backend::CurrentDriver();
    backend::InputEvent event;
    while (driver.NextEvent(event)) AddInput(event);
}

DWORD MessageQueue::TakeChangedBits(UINT flags) {
    std::lock_guard<std::mutex> guard(FLock);
    DWORD changed = FChangedBits & flags;
    FChangedBits &= ~flags;
    return changed;
}

void MessageQueue::ClearChangedBits() {
    std::lock_guard<std::mutex> guard(FLock);
    FChangedBits = 0;
}

void MessageQueue::Wake() { backend::CurrentDriver().Wake(); }

}  // namespace win32::user

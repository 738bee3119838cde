// The UI thread's message queue: posted messages, the quit flag, messages sent from other threads and raw input
// from the display driver. Input stays raw until it is read, so where a click goes is decided at that moment.
#pragma once

#include <backend/Driver.h>
#include <win32/windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>

namespace win32::user {

// PeekMessage's window and range filter.
struct MessageFilter {
    HWND Window = nullptr;  // null: every message; (HWND)-1: thread messages only; else that window and its children
    UINT First = 0;
    UINT Last = 0;

    bool MatchesWindow(HWND hwnd) const;
    bool MatchesMessage(UINT message) const;
    bool Matches(HWND hwnd, UINT message) const { return MatchesWindow(hwnd) && MatchesMessage(message); }
};

// A driver event as it waits in the queue, stamped when it was taken from the driver.
struct RawInput {
    backend::InputEvent Event;
    DWORD Time = 0;
    unsigned long long Serial = 0;  // increases along the queue; names the event while handlers run
};

class MessageQueue {
public:
    static MessageQueue& Instance();
    // The window manager runs on the process's main thread; other threads may only post and send to it.
    static bool OnUiThread();
    static DWORD UiThreadId();

    // Posting, from any thread.
    void Post(const MSG& msg);
    void PostQuit(int exitCode);
    bool QuitPending(int& exitCode) const;
    void ClearQuit();
    // The first posted message the filter lets through; removed when asked. Messages of windows that are gone
    // are dropped on the way.
    bool TakePosted(MSG& msg, const MessageFilter& filter, bool remove);
    bool HasPosted() const;

    // A message sent from another thread: waits until the UI thread has run it.
    LRESULT SendFromOtherThread(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool unicode);
    // Runs every message other threads have sent (UI thread). Answers whether there were any.
    bool DeliverSentMessages();
    bool HasSent() const;
    bool InInterThreadSend() const { return FInterThreadDepth > 0; }

    // Input (UI thread): driver events are moved into the queue in order; consecutive moves collapse.
    void PullInput();
    std::deque<RawInput>& Input() { return FInput; }
    void AddInput(const backend::InputEvent& event);

    // GetQueueStatus: what arrived since the flags were last asked for.
    DWORD TakeChangedBits(UINT flags);
    void ClearChangedBits();
    // Wakes the UI thread out of a wait for the driver.
    void Wake();

private:
    struct SentMessage {
        HWND Window;
        UINT Message;
        WPARAM WParam;
        LPARAM LParam;
        bool Unicode;
        LRESULT Result = 0;
        bool Done = false;
    };

    void MarkChanged(DWORD bits);

    mutable std::mutex FLock;
    std::condition_variable FSentDone;
    std::deque<MSG> FPosted;
    std::deque<SentMessage*> FSent;
    bool FQuit = false;
    int FQuitCode = 0;
    DWORD FChangedBits = 0;
    std::deque<RawInput> FInput;
    unsigned long long FNextSerial = 1;
    int FInterThreadDepth = 0;
};

}  // namespace win32::user

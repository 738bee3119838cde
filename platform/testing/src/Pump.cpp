// Message pumps for tests: run the queue until it is idle, or for a while with timers.
#include "Headless.h"

#include <testing/Testing.h>

#include <chrono>

namespace wintest {
namespace {

struct Quit {
    bool Received = false;
    WPARAM ExitCode = 0;
};

Quit& LastQuit() {
    static Quit quit;
    return quit;
}

// False when the message was WM_QUIT, which ends every pump.
bool Deliver(const MSG& msg) {
    if (msg.message == WM_QUIT) {
        LastQuit() = {true, msg.wParam};
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

}  // namespace

bool PumpUntilIdle(int maxMessages) {
    MSG msg;
    for (int count = 0; count < maxMessages; ++count) {
        // Timers come only when nothing else is queued, so a timer at the head means the queue is idle. Looking
        // first leaves that timer for the code under test.
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) || msg.message == WM_TIMER) return true;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return true;
        if (!Deliver(msg)) return false;
    }
    return false;
}

void PumpFor(DWORD ms) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(ms);
    MSG msg;
    for (;;) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!Deliver(msg)) return;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) return;
        // Short waits, so that a timer falling due is served close to its time.
        Headless().WaitForEvent(static_cast<DWORD>(left < 5 ? left : 5));
    }
}

bool QuitReceived(WPARAM* exitCode) {
    Quit quit = LastQuit();
    LastQuit() = {};
    if (quit.Received && exitCode) *exitCode = quit.ExitCode;
    return quit.Received;
}

}  // namespace wintest

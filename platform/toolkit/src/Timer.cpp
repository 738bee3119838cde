// TTimer: one SetTimer on the timer's own utility window, restarted whenever Enabled or Interval change.
#include <toolkit/Timer.h>

#include <toolkit/Application.h>
#include <toolkit/Messages.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/UtilWindow.h>

namespace {

const UINT_PTR kTimerId = 1;

const auto published = Publish<TTimer>()
                           .Boolean("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
                           .Integer("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000u)
                           .Event("OnTimer", &TTimer::OnTimer);

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
    FWindowHandle = AllocateHWnd([this](TMessage& message) { WndProc(message); });
    if (!FWindowHandle) throw EOutOfResources("Not enough timers available");
    UpdateTimer();
}

TTimer::~TTimer() {
    FEnabled = false;
    if (FWindowHandle) {
        KillTimer(FWindowHandle, kTimerId);
        DeallocateHWnd(FWindowHandle);
    }
}

void TTimer::UpdateTimer() {
    KillTimer(FWindowHandle, kTimerId);
    // While a description is read the values arrive one at a time; Loaded starts the timer once with all of them.
    if (ComponentState().Contains(csLoading)) return;
    // A timer without a handler still runs: OnTimer is a plain field that may be set at any moment.
    if (FInterval != 0 && FEnabled && !SetTimer(FWindowHandle, kTimerId, FInterval, nullptr))
        throw EOutOfResources("Not enough timers available");
}

void TTimer::SetEnabled(bool value) {
    if (value == FEnabled) return;
    FEnabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == FInterval) return;
    FInterval = value;
    UpdateTimer();
}

void TTimer::Loaded() {
    inherited::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg == WM_TIMER) {
        try {
            Timer();
        } catch (...) {
            Application->HandleException(this);
        }
        return;
    }
    message.Result = DefWindowProcA(FWindowHandle, message.Msg, message.WParam, message.LParam);
}

// TTimer: OnTimer every Interval milliseconds while Enabled, through a window timer on a utility window.
#pragma once

#include <toolkit/Component.h>

#include <win32/windows.h>

class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

struct TMessage;

class TTimer : public TComponent {
    TOOLKIT_CLASS(TTimer, TComponent)

public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    // Milliseconds; 0 stops the timer without clearing Enabled.
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned value);

    // Runs from the message loop; an exception from it goes to Application->HandleException and the timer goes on.
    TNotifyEvent OnTimer;

protected:
    void Loaded() override;
    virtual void Timer();

private:
    void UpdateTimer();
    void WndProc(TMessage& message);

    bool FEnabled = true;
    unsigned FInterval = 1000;
    HWND FWindowHandle = nullptr;
};

// Listeners that record what the theme manager sends them, and a theme that reports its own end.
#pragma once

#include <skin/Theme.h>
#include <skin/ThemeManager.h>
#include <toolkit/GraphicControl.h>

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace managertest {

using Codes = std::vector<std::pair<WPARAM, LPARAM>>;

// A listener that is no control, only a component: it hears the broadcast through its message dispatch.
class RecordingListener : public TComponent {
public:
    RecordingListener() : TComponent(nullptr) {}
    void Dispatch(TMessage& message) override {
        if (message.Msg != SkThemeMessage) return;
        Received.emplace_back(message.WParam, message.LParam);
        EXPECT_EQ(message.Result, 0);
        if (OnMessage) OnMessage(message.WParam);
    }
    Codes Received;
    std::function<void(WPARAM code)> OnMessage;
};

// A toolkit control: it hears the broadcast through Perform.
class RecordingControl : public TGraphicControl {
public:
    RecordingControl() : TGraphicControl(nullptr) {}
    void Dispatch(TMessage& message) override {
        if (message.Msg == SkThemeMessage)
            Received.emplace_back(message.WParam, message.LParam);
        else
            TGraphicControl::Dispatch(message);
    }
    Codes Received;
};

// A theme that tells when it is freed and counts its re-derivations.
class WatchedTheme : public TskTheme {
public:
    explicit WatchedTheme(bool* freed = nullptr) : FFreed(freed) {}
    ~WatchedTheme() override {
        if (FFreed) *FFreed = true;
    }
    void UpdateTheme() override {
        ++Updates;
        TskTheme::UpdateTheme();
    }
    int Updates = 0;

private:
    bool* FFreed;
};

}  // namespace managertest

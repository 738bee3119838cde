// The theme manager's broadcast: the codes for setting, replacing and removing a theme, listeners joining and
// leaving (also while a broadcast runs), hidden controls, the deltas, and the system's change notices.
#include "ManagerTestSupport.h"

#include <skin/Common.h>
#include <skin/ThemeTables.h>
#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>

using namespace managertest;

namespace {

class ThemeBroadcast : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ThemeManager(), nullptr);
        Manager = ThemeManager();
        ASSERT_TRUE(Manager->AddListener(&Listener));
        ASSERT_TRUE(Manager->AddListener(&Control));
    }
    void TearDown() override {
        Manager->RemoveListener(&Listener);
        Manager->RemoveListener(&Control);
        Manager->RemoveCurrentTheme();
        EXPECT_EQ(Manager->ListenerCount(), 0);
    }
    void Clear() {
        Listener.Received.clear();
        Control.Received.clear();
    }

    TskThemeManager* Manager = nullptr;
    RecordingListener Listener;
    RecordingControl Control;
};

TEST_F(ThemeBroadcast, SettingReplacingAndRemovingSendTheirCodesInOrder) {
    bool firstFreed = false;
    auto first = std::make_unique<WatchedTheme>(&firstFreed);
    TskTheme* firstTheme = first.get();
    Manager->SetCurrentTheme(std::move(first));
    const Codes set = {{1, 0}, {3, 0}, {2, 0}};
    EXPECT_EQ(Listener.Received, set);
    EXPECT_EQ(Control.Received, set);
    EXPECT_TRUE(Manager->IsCurrentTheme(firstTheme));
    EXPECT_EQ(CurrentTheme(), firstTheme);
    EXPECT_EQ(GetTheme(nullptr), firstTheme);

    // By code 0 the old theme is gone and the new one is current.
    Clear();
    bool freedAtCode0 = false;
    TskTheme* currentAtCode0 = nullptr;
    Listener.OnMessage = [&](WPARAM code) {
        if (code != tcThemeReplaced) return;
        freedAtCode0 = firstFreed;
        currentAtCode0 = CurrentTheme();
    };
    auto second = std::make_unique<WatchedTheme>();
    TskTheme* secondTheme = second.get();
    Manager->SetCurrentTheme(std::move(second));
    const Codes replaced = {{1, 0}, {0, 0}, {2, 0}};
    EXPECT_EQ(Listener.Received, replaced);
    EXPECT_EQ(Control.Received, replaced);
    EXPECT_TRUE(freedAtCode0);
    EXPECT_EQ(currentAtCode0, secondTheme);
    EXPECT_FALSE(Manager->IsCurrentTheme(firstTheme));
    Listener.OnMessage = nullptr;

    Clear();
    Manager->RemoveCurrentTheme();
    const Codes removed = {{1, 0}, {4, 0}, {2, 0}};
    EXPECT_EQ(Listener.Received, removed);
    EXPECT_EQ(Control.Received, removed);
    EXPECT_EQ(CurrentTheme(), nullptr);

    // Also with no theme to remove.
    Clear();
    Manager->RemoveCurrentTheme();
    EXPECT_EQ(Listener.Received, removed);
    EXPECT_FALSE(Manager->IsCurrentTheme(nullptr));
}

TEST_F(ThemeBroadcast, ANullThemeRemovesAndTheCurrentThemeHandedBackChangesNothing) {
    bool freed = false;
    auto theme = std::make_unique<WatchedTheme>(&freed);
    TskTheme* raw = theme.get();
    Manager->SetCurrentTheme(std::move(theme));
    Clear();
    Manager->SetCurrentTheme(std::unique_ptr<TskTheme>(raw));
    EXPECT_TRUE(Listener.Received.empty());
    EXPECT_FALSE(freed);
    EXPECT_EQ(CurrentTheme(), raw);

    Manager->SetCurrentTheme(nullptr);
    EXPECT_EQ(Listener.Received, (Codes{{1, 0}, {4, 0}, {2, 0}}));
    EXPECT_TRUE(freed);
}

TEST_F(ThemeBroadcast, AListenerJoiningWhileAThemeIsCurrentHearsCode3Alone) {
    RecordingListener early;
    ASSERT_TRUE(Manager->AddListener(&early));
    EXPECT_TRUE(early.Received.empty());
    Manager->SetCurrentTheme(std::make_unique<WatchedTheme>());
    Clear();

    RecordingListener late;
    RecordingControl lateControl;
    lateControl.SetVisible(false);
    ASSERT_TRUE(Manager->AddListener(&late));
    ASSERT_TRUE(Manager->AddListener(&lateControl));
    EXPECT_EQ(late.Received, (Codes{{3, 0}}));
    EXPECT_EQ(lateControl.Received, (Codes{{3, 0}}));
    EXPECT_TRUE(Listener.Received.empty());
    // Joining twice is joining once.
    ASSERT_TRUE(Manager->AddListener(&late));
    EXPECT_EQ(late.Received.size(), 1u);
    Manager->Broadcast(tcColorsChanged, 0);
    EXPECT_EQ(late.Received.size(), 2u);

    // An object with no way to hear the message is refused.
    TObject deaf;
    EXPECT_FALSE(Manager->AddListener(&deaf));
    EXPECT_FALSE(Manager->IsListener(&deaf));
    EXPECT_FALSE(Manager->AddListener(nullptr));

    for (TObject* listener :
         {static_cast<TObject*>(&early), static_cast<TObject*>(&late), static_cast<TObject*>(&lateControl)})
        Manager->RemoveListener(listener);
}

TEST_F(ThemeBroadcast, ColourChangesSkipHiddenControlsOnly) {
    RecordingListener hiddenObject;  // objects have no visibility: they always hear
    ASSERT_TRUE(Manager->AddListener(&hiddenObject));
    Control.SetVisible(false);
    Manager->Broadcast(tcColorsChanged, 0);
    Manager->Broadcast(tcBeginChange, 0);
    EXPECT_EQ(Control.Received, (Codes{{1, 0}}));
    EXPECT_EQ(hiddenObject.Received, (Codes{{5, 0}, {1, 0}}));
    Control.SetVisible(true);
    Manager->Broadcast(tcColorsChanged, 1);
    EXPECT_EQ(Control.Received, (Codes{{1, 0}, {5, 1}}));
    Manager->RemoveListener(&hiddenObject);
}

TEST_F(ThemeBroadcast, ListenersLeavingAndJoiningDuringABroadcast) {
    // The first listener, on code 1: leaves, frees the next one (which unregisters as it goes) and brings a
    // newcomer. The freed one must hear nothing more, the newcomer nothing of the broadcast under way.
    auto doomed = std::make_unique<RecordingListener>();
    RecordingListener newcomer;
    RecordingListener first;
    Manager->RemoveListener(&Listener);
    Manager->RemoveListener(&Control);
    ASSERT_TRUE(Manager->AddListener(&first));
    ASSERT_TRUE(Manager->AddListener(doomed.get()));
    ASSERT_TRUE(Manager->AddListener(&Listener));
    first.OnMessage = [&](WPARAM code) {
        if (code != tcBeginChange) return;
        Manager->RemoveListener(&first);
        Manager->RemoveListener(doomed.get());
        doomed.reset();
        Manager->AddListener(&newcomer);
    };
    Manager->SetCurrentTheme(std::make_unique<WatchedTheme>());
    EXPECT_EQ(first.Received, (Codes{{1, 0}}));
    EXPECT_EQ(Listener.Received, (Codes{{1, 0}, {3, 0}, {2, 0}}));
    EXPECT_EQ(newcomer.Received, (Codes{{3, 0}, {2, 0}}));
    EXPECT_FALSE(Manager->IsListener(&first));

    // A listener that leaves and is replaced by a new object at the same address during a broadcast is a
    // different listener: the new one waits for the next broadcast.
    Clear();
    newcomer.Received.clear();
    Listener.OnMessage = [&](WPARAM code) {
        if (code != tcColorsChanged) return;
        Manager->RemoveListener(&newcomer);
        Manager->AddListener(&newcomer);  // hears code 3 as a newcomer, nothing of this broadcast
    };
    Manager->Broadcast(tcColorsChanged, 0);
    EXPECT_EQ(Listener.Received, (Codes{{5, 0}}));
    EXPECT_EQ(newcomer.Received, (Codes{{3, 0}}));
    Listener.OnMessage = nullptr;
    Manager->RemoveListener(&newcomer);
}

TEST_F(ThemeBroadcast, DeltasReDeriveTheCurrentThemeOnlyWhenTheyChange) {
    // Without a theme, nothing at all.
    Manager->SetDeltaHue(40);
    Manager->SetDeltaBrightness(40);
    Manager->SetDeltaHueBrightness(1, 2);
    EXPECT_TRUE(Listener.Received.empty());

    auto owned = std::make_unique<WatchedTheme>();
    WatchedTheme* theme = owned.get();
    Manager->SetCurrentTheme(std::move(owned));
    const TskThemeColors defaults(nullptr);
    const TColor caption = theme->Colors().GetColor(ciCaptionNormal);
    Clear();
    theme->Updates = 0;

    Manager->SetDeltaHue(40);
    EXPECT_EQ(theme->DeltaHue(), 40);
    EXPECT_EQ(theme->Updates, 1);
    EXPECT_NE(theme->Colors().GetColor(ciCaptionNormal), caption);
    Manager->SetDeltaHue(40);
    EXPECT_EQ(theme->Updates, 1);
    Manager->SetDeltaBrightness(-20);
    EXPECT_EQ(theme->Updates, 2);
    Manager->SetDeltaHueBrightness(40, -20);
    EXPECT_EQ(theme->Updates, 2);
    Manager->SetDeltaHueBrightness(0, 0);
    EXPECT_EQ(theme->Updates, 3);
    const Codes fiveTimes(5, {5, 1});
    EXPECT_EQ(Listener.Received, fiveTimes);
    EXPECT_EQ(Control.Received, fiveTimes);

    // Back at zero the base theme's defaults return, system-colour codes included.
    EXPECT_EQ(theme->Colors().GetColor(ciCaptionNormal), caption);
    EXPECT_EQ(theme->Colors().GetColor(ciPanelNormal), clBtnFace);
    EXPECT_EQ(theme->Fonts().GetFontByIndex(fiButtonTextDisabled)->Color(), clBtnShadow);
}

TEST_F(ThemeBroadcast, SystemColourChangesReachEveryListenerWithCode5) {
    RecordingListener second;
    ASSERT_TRUE(Manager->AddListener(&second));
    const INT element = COLOR_BTNFACE;
    const COLORREF saved = GetSysColor(COLOR_BTNFACE);
    const COLORREF changed = RGB(10, 20, 30);
    ASSERT_TRUE(SetSysColors(1, &element, &changed));
    SetSysColors(1, &element, &saved);
    const Codes twice = {{5, 0}, {5, 0}};
    EXPECT_EQ(Listener.Received, twice);
    EXPECT_EQ(Control.Received, twice);
    EXPECT_EQ(second.Received, twice);
    Manager->RemoveListener(&second);
}

TEST_F(ThemeBroadcast, DisplayAndVisualStyleChangesBroadcastCode5) {
    SendMessageA(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024));
    EXPECT_EQ(Listener.Received, (Codes{{5, 0}}));

    // The visual-styles fact is re-read before the listeners hear of the change.
    ASSERT_FALSE(VisualStylesActive());
    bool activeWhenTold = false;
    Listener.OnMessage = [&](WPARAM) { activeWhenTold = VisualStylesActive(); };
    wintest::SetVisualStylesActive(true);
    EXPECT_TRUE(activeWhenTold);
    EXPECT_TRUE(VisualStylesActive());
    wintest::SetVisualStylesActive(false);
    EXPECT_FALSE(activeWhenTold);
    Listener.OnMessage = nullptr;
    EXPECT_EQ(Listener.Received, (Codes{{5, 0}, {5, 0}, {5, 0}}));
    EXPECT_EQ(Control.Received, (Codes{{5, 0}, {5, 0}, {5, 0}}));
}

TEST_F(ThemeBroadcast, TheUtilityWindowPassesEveryMessageOnToDefWindowProc) {
    const HWND window = Manager->Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    SetWindowTextA(window, "probe");
    char text[16] = {};
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 5);
    EXPECT_STREQ(text, "probe");
    EXPECT_EQ(SendMessageA(window, WM_SYSCOLORCHANGE, 0, 0), 0);
    EXPECT_EQ(Listener.Received, (Codes{{5, 0}}));
}

TEST_F(ThemeBroadcast, DesignTimeNoticesNeedACurrentTheme) {
    Manager->NotifyThemeSet(&Control);
    EXPECT_TRUE(Control.Received.empty());
    Manager->SetCurrentTheme(std::make_unique<WatchedTheme>());
    Clear();
    Manager->NotifyThemeSet(&Control);
    Manager->NotifyThemeRemoved(&Control);
    EXPECT_EQ(Control.Received, (Codes{{3, 0}, {4, 0}}));
    EXPECT_TRUE(Listener.Received.empty());
}

}  // namespace

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

TEST_F(ThemeBroadcast, ANullThemeAndTheCurrentThemeHandedBackGoThroughTheSettingSequence) {
    // No theme set where none was current: 1, 3, 2 and still none.
    Manager->SetCurrentTheme(nullptr);
    EXPECT_EQ(Listener.Received, (Codes{{1, 0}, {3, 0}, {2, 0}}));
    EXPECT_EQ(CurrentTheme(), nullptr);

    bool freed = false;
    auto theme = std::make_unique<WatchedTheme>(&freed);
    TskTheme* raw = theme.get();
    Manager->SetCurrentTheme(std::move(theme));
    // The current theme handed back: a replacement's codes, but the theme stays, alive, for its listeners.
    Clear();
    bool freedAtCode0 = true;
    Listener.OnMessage = [&](WPARAM code) {
        if (code == tcThemeReplaced) freedAtCode0 = freed || CurrentTheme() != raw;
    };
    Manager->SetCurrentTheme(std::unique_ptr<TskTheme>(raw));
    EXPECT_EQ(Listener.Received, (Codes{{1, 0}, {0, 0}, {2, 0}}));
    EXPECT_FALSE(freedAtCode0);
    EXPECT_FALSE(freed);
    EXPECT_EQ(CurrentTheme(), raw);
    Listener.OnMessage = nullptr;

    // No theme set over a current one: 1, 0 (the theme freed by then), 2, and none is current.
    Clear();
    Manager->SetCurrentTheme(nullptr);
    EXPECT_EQ(Listener.Received, (Codes{{1, 0}, {0, 0}, {2, 0}}));
    EXPECT_TRUE(freed);
    EXPECT_EQ(CurrentTheme(), nullptr);
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

    // Any object listens, through its own message dispatch (a plain object's ignores the message); nullptr
    // does not.
    TObject plain;
    EXPECT_TRUE(Manager->AddListener(&plain));
    EXPECT_TRUE(Manager->IsListener(&plain));
    Manager->Broadcast(tcColorsChanged, 0);
    Manager->RemoveListener(&plain);
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
    // newcomer. The freed one must hear nothing more; the newcomer, last in the list, hears the rest of the
    // broadcast under way and the ones after it.
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
    EXPECT_EQ(newcomer.Received, (Codes{{1, 0}, {3, 0}, {2, 0}})) << "from the rest of code 1 on";
    EXPECT_FALSE(Manager->IsListener(&first));

    // A listener that leaves during a broadcast and joins again (or a new object at its address) is a newcomer:
    // code 3 on joining, then, being last in the list, the rest of the broadcast under way.
    Clear();
    newcomer.Received.clear();
    Listener.OnMessage = [&](WPARAM code) {
        if (code != tcColorsChanged) return;
        Manager->RemoveListener(&newcomer);
        Manager->AddListener(&newcomer);
    };
    Manager->Broadcast(tcColorsChanged, 0);
    EXPECT_EQ(Listener.Received, (Codes{{5, 0}}));
    EXPECT_EQ(newcomer.Received, (Codes{{3, 0}, {5, 0}}));

    // A control created in a handler hears the rest of the broadcast, after listeners that were there before.
    Listener.OnMessage = nullptr;
    Manager->RemoveListener(&newcomer);
    RecordingListener before;
    ASSERT_TRUE(Manager->AddListener(&before));
    Clear();
    before.Received.clear();
    std::unique_ptr<RecordingControl> created;
    Listener.OnMessage = [&](WPARAM code) {
        if (code != tcColorsChanged || created) return;
        created = std::make_unique<RecordingControl>();
        Manager->AddListener(created.get());
        EXPECT_TRUE(before.Received.empty()) << "the listener after the handler has not heard yet";
    };
    Manager->Broadcast(tcColorsChanged, 1);
    EXPECT_EQ(before.Received, (Codes{{5, 1}}));
    EXPECT_EQ(created->Received, (Codes{{3, 0}, {5, 1}}));
    Manager->RemoveListener(created.get());
    Manager->RemoveListener(&before);
    Listener.OnMessage = nullptr;
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
    wintest::ScopedVisualStyles classic(false);
    Listener.Received.clear();
    Control.Received.clear();
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

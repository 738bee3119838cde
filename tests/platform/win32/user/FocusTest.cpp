// Focus, activation and capture: the order of WM_KILLFOCUS/WM_SETFOCUS and of WM_NCACTIVATE/WM_ACTIVATE/
// WM_ACTIVATEAPP, refusals, handlers that move the focus themselves, owned popups shown without activation.
#include "MessageFixture.h"

#include <algorithm>

namespace {

class FocusTest : public MessageFixture {
protected:
    const std::vector<UINT> Activation = {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS, WM_SETFOCUS};

    struct Step {
        HWND Window;
        UINT Message;
        WPARAM WParam;
        bool operator==(const Step& other) const {
            return Window == other.Window && Message == other.Message && WParam == other.WParam;
        }
    };
    std::vector<Step> Steps(const std::vector<UINT>& messages) const {
        std::vector<Step> out;
        for (const Received& r : Taken(messages)) out.push_back(Step{r.Window, r.Message, r.WParam});
        return out;
    }
};

TEST_F(FocusTest, KillFocusComesBeforeSetFocusAndEachNamesTheOther) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND first = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    HWND second = Make(WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top);
    SetFocus(first);
    Clear();
    EXPECT_EQ(SetFocus(second), first);
    auto steps = Taken({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].Window, first);
    EXPECT_EQ(steps[0].Message, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(steps[0].WParam, reinterpret_cast<WPARAM>(second));
    EXPECT_EQ(steps[1].Window, second);
    EXPECT_EQ(steps[1].WParam, reinterpret_cast<WPARAM>(first));
    EXPECT_EQ(GetFocus(), second);
}

TEST_F(FocusTest, ActivationTellsTheOldWindowFirstThenTheNewOneThenMovesTheFocus) {
    HWND a = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 200);
    HWND b = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 100, 200, 200);
    SetActiveWindow(a);
    SetFocus(a);
    Clear();
    EXPECT_EQ(SetActiveWindow(b), a);
    auto steps = Steps(Activation);
    std::vector<Step> expected = {
        {a, WM_NCACTIVATE, FALSE},
        {a, WM_ACTIVATE, WA_INACTIVE},
        {b, WM_NCACTIVATE, TRUE},
        {b, WM_ACTIVATE, WA_ACTIVE},
        {a, WM_KILLFOCUS, reinterpret_cast<WPARAM>(b)},
        {b, WM_SETFOCUS, reinterpret_cast<WPARAM>(a)},
    };
    EXPECT_TRUE(steps == expected);
    auto activate = Taken({WM_ACTIVATE});
    EXPECT_EQ(activate[0].LParam, reinterpret_cast<LPARAM>(b));
    EXPECT_EQ(activate[1].LParam, reinterpret_cast<LPARAM>(a));
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetForegroundWindow(), b);
}

TEST_F(FocusTest, ApplicationActivationReachesHiddenWindowsToo) {
    HWND shown = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 200);
    HWND hidden = Make(WS_OVERLAPPEDWINDOW, 400, 100, 200, 200);
    SetActiveWindow(shown);
    Clear();
    EXPECT_EQ(SetActiveWindow(nullptr), shown);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
    auto deactivated = Steps({WM_ACTIVATEAPP});
    EXPECT_EQ(deactivated.size(), 2u);
    for (HWND hwnd : {shown, hidden})
        EXPECT_NE(std::find(deactivated.begin(), deactivated.end(), Step{hwnd, WM_ACTIVATEAPP, FALSE}),
                  deactivated.end());
    Clear();
    SetActiveWindow(shown);
    auto steps = Steps(Activation);
    ASSERT_GE(steps.size(), 4u);
    // The application hears first, then the window.
    EXPECT_EQ(steps[0].Message, static_cast<UINT>(WM_ACTIVATEAPP));
    EXPECT_EQ(steps[0].WParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(steps[1].Message, static_cast<UINT>(WM_ACTIVATEAPP));
    EXPECT_TRUE((steps[2] == Step{shown, WM_NCACTIVATE, TRUE}));
    EXPECT_TRUE((steps[3] == Step{shown, WM_ACTIVATE, WA_ACTIVE}));
}

TEST_F(FocusTest, OwnedPopupShownWithoutActivationLeavesTheOwnerActive) {
    HWND owner = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 300);
    SetActiveWindow(owner);
    HWND popup = Make(WS_POPUP | WS_BORDER, 150, 150, 100, 100, owner);
    Pump();
    Clear();
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    Pump();
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_TRUE(Messages(owner, {WM_NCACTIVATE, WM_ACTIVATE}).empty());
    EXPECT_TRUE(Messages(popup, {WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS}).empty());
}

TEST_F(FocusTest, SetFocusRefusesDisabledWindowsAndActivatesTheTopLevelWindow) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND b = Make(WS_POPUP | WS_VISIBLE, 400, 100, 200, 200);
    HWND disabled = Make(WS_CHILD | WS_VISIBLE | WS_DISABLED, 0, 0, 50, 50, a);
    HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, b);
    SetActiveWindow(a);
    SetFocus(a);
    EXPECT_EQ(SetFocus(disabled), nullptr);
    EXPECT_EQ(GetFocus(), a);
    // Activating b gave it the focus on the way.
    EXPECT_EQ(SetFocus(child), b);
    EXPECT_EQ(GetActiveWindow(), b);
    EXPECT_EQ(GetFocus(), child);
    SetLastError(0);
    HWND gone = Make(WS_POPUP, 0, 0, 10, 10);
    DestroyWindow(gone);
    EXPECT_EQ(SetFocus(gone), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(FocusTest, AKillFocusHandlerThatMovesTheFocusWins) {
    HWND top = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND first = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    HWND second = Make(WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top);
    HWND third = Make(WS_CHILD | WS_VISIBLE, 120, 0, 50, 50, top);
    SetFocus(first);
    OnMessage(first, WM_KILLFOCUS, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        OnMessage(first, WM_KILLFOCUS, [](HWND, UINT, WPARAM, LPARAM) { return std::optional<LRESULT>(); });
        SetFocus(third);
        return 0;
    });
    Clear();
    SetFocus(second);
    EXPECT_EQ(GetFocus(), third);
    EXPECT_TRUE(Messages(second, {WM_SETFOCUS}).empty());
    EXPECT_EQ(Messages(third, {WM_SETFOCUS}).size(), 1u);
}

TEST_F(FocusTest, CaptureChangesTellTheWindowThatLosesIt) {
    HWND a = Make(WS_POPUP | WS_VISIBLE, 100, 100, 100, 100);
    HWND b = Make(WS_POPUP | WS_VISIBLE, 300, 100, 100, 100);
    Clear();
    EXPECT_EQ(SetCapture(a), nullptr);
    EXPECT_EQ(SetCapture(b), a);
    EXPECT_EQ(GetCapture(), b);
    auto changed = Taken({WM_CAPTURECHANGED});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].Window, a);
    EXPECT_EQ(changed[0].LParam, reinterpret_cast<LPARAM>(b));
    EXPECT_TRUE(ReleaseCapture());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Messages(b, {WM_CAPTURECHANGED}).size(), 1u);
}

}  // namespace

// Window hooks of the calling thread: what WH_CBT, WH_CALLWNDPROC, WH_CALLWNDPROCRET, WH_GETMESSAGE and
// WH_MSGFILTER are shown and in which order, vetoes through WH_CBT, chaining newest first, and hooks that unhook
// themselves or others while the chain runs.
#include <testing/Testing.h>
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

const char16_t ClassName[] = u"HookTestWindow";

std::vector<std::string> Log;
std::map<HWND, std::string> Names;

std::string Name(HWND hwnd) {
    if (!hwnd) return "0";
    auto found = Names.find(hwnd);
    if (found != Names.end()) return found->second;
    char16_t text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    std::string name;
    for (const char16_t* c = text; *c; ++c) name += static_cast<char>(*c);
    return name.empty() ? "?" : name;
}

LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) Log.push_back("proc nccreate");
    if (message == WM_USER + 1) {
        Log.push_back("proc user+1");
        return 42;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Hook procedures are plain functions: each slot is one, running what the test put in the slot.
using Behaviour = std::function<LRESULT(int code, WPARAM, LPARAM)>;
std::map<int, Behaviour> Behaviours;

template <int Slot>
LRESULT HookProc(int code, WPARAM wParam, LPARAM lParam) {
    auto found = Behaviours.find(Slot);
    if (found == Behaviours.end() || !found->second) return CallNextHookEx(nullptr, code, wParam, lParam);
    return found->second(code, wParam, lParam);
}

std::string CbtLine(int code, WPARAM wParam, LPARAM lParam) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        auto* cbt = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
        std::string text;
        for (const char16_t* c = cbt->lpcs->lpszName; c && *c; ++c) text += static_cast<char>(*c);
        return "create " + text + (cbt->hwndInsertAfter == HWND_TOP ? " top" : " ?");
    }
    case HCBT_DESTROYWND: return "destroy " + Name(hwnd);
    case HCBT_ACTIVATE: {
        auto* cbt = reinterpret_cast<CBTACTIVATESTRUCT*>(lParam);
        return "activate " + Name(hwnd) + " from " + Name(cbt->hWndActive) + (cbt->fMouse ? " mouse" : "");
    }
    case HCBT_SETFOCUS: return "focus " + Name(hwnd) + " from " + Name(reinterpret_cast<HWND>(lParam));
    case HCBT_MINMAX: return "minmax " + Name(hwnd) + " " + std::to_string(LOWORD(lParam));
    case HCBT_MOVESIZE: return "movesize " + Name(hwnd);
    default: return "cbt " + std::to_string(code);
    }
}

class HookTest : public ::testing::Test {
public:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = WindowProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = ClassName;
        ASSERT_NE(RegisterClassExW(&wc), 0);
        Log.clear();
    }
    void TearDown() override {
        for (HHOOK hook : FHooks) UnhookWindowsHookEx(hook);
        Behaviours.clear();
        for (HWND hwnd : FWindows)
            if (IsWindow(hwnd)) DestroyWindow(hwnd);
        Names.clear();
        UnregisterClassW(ClassName, nullptr);
        wintest::PumpUntilIdle();
        wintest::ResetInput();
    }

    template <int Slot>
    HHOOK Hook(int kind, Behaviour behaviour, bool unicode = true) {
        Behaviours[Slot] = std::move(behaviour);
        HHOOK hook = unicode ? SetWindowsHookExW(kind, HookProc<Slot>, nullptr, GetCurrentThreadId())
                             : SetWindowsHookExA(kind, HookProc<Slot>, nullptr, GetCurrentThreadId());
        EXPECT_NE(hook, nullptr);
        FHooks.push_back(hook);
        return hook;
    }

    HWND Make(const char* name, DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr) {
        std::u16string text(name, name + std::char_traits<char>::length(name));
        HWND hwnd =
            CreateWindowExW(0, ClassName, text.c_str(), style, 50, 50, 200, 150, parent, nullptr, nullptr, nullptr);
        if (hwnd) {
            Names[hwnd] = name;
            FWindows.push_back(hwnd);
        }
        return hwnd;
    }

    std::vector<HHOOK> FHooks;
    std::vector<HWND> FWindows;
};

// A CBT hook that logs everything and lets it happen.
LRESULT LogCbt(int code, WPARAM wParam, LPARAM lParam) {
    Log.push_back(CbtLine(code, wParam, lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(HookTest, CbtSeesALifeFromCreationToDestruction) {
    Hook<0>(WH_CBT, LogCbt);
    HWND one = Make("one");
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, one);
    ShowWindow(one, SW_SHOWNORMAL);
    SetFocus(child);
    ShowWindow(one, SW_MINIMIZE);
    EXPECT_EQ(Log, (std::vector<std::string>{
                       "create one top", "proc nccreate",          // the hook comes before the first message
                       "create child top", "proc nccreate",        //
                       "activate one from 0", "focus one from 0",  // showing activates, DefWindowProc focuses
                       "focus child from one",                     //
                       "minmax one 6",                             // SW_MINIMIZE
                   }));
    Log.clear();
    ShowWindow(one, SW_RESTORE);
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.front(), "minmax one 9");
    // Only the window DestroyWindow is called for is announced; its children go with it.
    Log.clear();
    DestroyWindow(one);
    ASSERT_FALSE(Log.empty());
    EXPECT_EQ(Log.front(), "destroy one");
    for (const std::string& line : Log) EXPECT_NE(line, "destroy child");
}

TEST_F(HookTest, AnsiCbtHookSeesTheCreationStructureInItsCharacterSet) {
    std::string seen;
    Hook<0>(
        WH_CBT,
        [&](int code, WPARAM wParam, LPARAM lParam) {
            if (code == HCBT_CREATEWND) seen = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszName;
            return CallNextHookEx(nullptr, code, wParam, lParam);
        },
        false);
    HWND hwnd = CreateWindowExW(0, ClassName, u"通道", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    FWindows.push_back(hwnd);
    EXPECT_EQ(seen, "通道");

    // And the other way round: a W hook, a window made with the A function.
    std::u16string wide;
    Hook<1>(WH_CBT, [&](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) wide = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszName;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    hwnd = CreateWindowExA(0, "HookTestWindow", "通道", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    FWindows.push_back(hwnd);
    EXPECT_EQ(wide, u"通道");
}

// Each CBT code refused in turn: the operation does not happen and the call reports it.
TEST_F(HookTest, CbtVetoesStopTheOperation) {
    struct Case {
        int Code;
        std::function<void(HookTest&, HWND window, HWND other)> Check;
    };
    const Case cases[] = {
        {HCBT_CREATEWND,
         [](HookTest& test, HWND, HWND) {
             Log.clear();
             EXPECT_EQ(test.Make("refused"), nullptr);
             EXPECT_EQ(Log, std::vector<std::string>{}) << "the refused window heard a message";
         }},
        {HCBT_DESTROYWND,
         [](HookTest&, HWND window, HWND) {
             EXPECT_FALSE(DestroyWindow(window));
             EXPECT_TRUE(IsWindow(window));
         }},
        {HCBT_ACTIVATE,
         [](HookTest&, HWND window, HWND other) {
             EXPECT_EQ(SetActiveWindow(other), nullptr);
             EXPECT_EQ(GetActiveWindow(), window);
         }},
        {HCBT_SETFOCUS,
         [](HookTest&, HWND window, HWND) {
             EXPECT_EQ(SetFocus(nullptr), nullptr);
             EXPECT_EQ(GetFocus(), window);
         }},
        {HCBT_MINMAX,
         [](HookTest&, HWND window, HWND) {
             ShowWindow(window, SW_MINIMIZE);
             EXPECT_FALSE(IsIconic(window));
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.Code);
        HWND window = Make("window", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        HWND other = Make("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        SetActiveWindow(window);
        ASSERT_EQ(GetFocus(), window);
        HHOOK hook = Hook<0>(WH_CBT, [code = test.Code](int c, WPARAM wParam, LPARAM lParam) -> LRESULT {
            if (c == code) return TRUE;
            return CallNextHookEx(nullptr, c, wParam, lParam);
        });
        test.Check(*this, window, other);
        EXPECT_TRUE(UnhookWindowsHookEx(hook));
        FHooks.pop_back();
        DestroyWindow(window);
        DestroyWindow(other);
    }
}

TEST_F(HookTest, MoveSizeIsAskedWhenTheMouseMovedTheWindowAndAVetoPutsItBack) {
    HWND hwnd = Make("moved", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    wintest::PumpUntilIdle();
    RECT before, during{};
    GetWindowRect(hwnd, &before);
    Log.clear();
    Hook<0>(WH_CBT, [&](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (code != HCBT_MOVESIZE) return CallNextHookEx(nullptr, code, wParam, lParam);
        Log.push_back(CbtLine(code, wParam, lParam));
        during = *reinterpret_cast<RECT*>(lParam);
        return TRUE;
    });
    int x = before.left + 60, y = before.top + GetSystemMetrics(SM_CYFRAME) + 5;
    wintest::MouseMove(x, y);
    wintest::MouseDown();
    wintest::MouseMove(x + 30, y + 20);
    wintest::MouseUp();
    wintest::PumpUntilIdle();
    EXPECT_EQ(Log, std::vector<std::string>{"movesize moved"});
    EXPECT_EQ(during.left, before.left + 30);
    EXPECT_EQ(during.top, before.top + 20);
    RECT after;
    GetWindowRect(hwnd, &after);
    EXPECT_TRUE(EqualRect(&after, &before));
}

TEST_F(HookTest, SentMessagesPassCallWndProcBeforeAndCallWndProcRetAfterTheProcedure) {
    HWND hwnd = Make("target", WS_POPUP);
    Log.clear();
    Hook<2>(WH_CALLWNDPROC, [&](int code, WPARAM wParam, LPARAM lParam) {
        auto* cwp = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (cwp->message == WM_USER + 1)
            Log.push_back("cwp " + Name(cwp->hwnd) + " " + std::to_string(cwp->wParam) + " " +
                          std::to_string(cwp->lParam) + (wParam ? " this thread" : " other thread"));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    Hook<3>(WH_CALLWNDPROCRET, [&](int code, WPARAM wParam, LPARAM lParam) {
        auto* cwp = reinterpret_cast<CWPRETSTRUCT*>(lParam);
        if (cwp->message == WM_USER + 1) Log.push_back("ret " + std::to_string(cwp->lResult));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 2, 3), 42);
    EXPECT_EQ(Log, (std::vector<std::string>{"cwp target 2 3 this thread", "proc user+1", "ret 42"}));

    // Neither a dispatched message nor CallWindowProc goes through them.
    Log.clear();
    PostMessageW(hwnd, WM_USER + 1, 0, 0);
    wintest::PumpUntilIdle();
    CallWindowProcW(WindowProc, hwnd, WM_USER + 1, 0, 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"proc user+1", "proc user+1"}));
}

TEST_F(HookTest, GetMessageHookSeesEachMessageTakenAndMayChangeIt) {
    HWND hwnd = Make("target", WS_POPUP);
    Log.clear();
    Hook<4>(WH_GETMESSAGE, [&](int code, WPARAM wParam, LPARAM lParam) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == WM_USER + 5) {
            Log.push_back(std::string(wParam == PM_REMOVE ? "remove " : "look ") + std::to_string(msg->wParam));
            if (wParam == PM_REMOVE) msg->wParam = 9;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    PostMessageW(hwnd, WM_USER + 5, 1, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, WM_USER + 5, WM_USER + 5, PM_NOREMOVE));
    EXPECT_EQ(msg.wParam, 1u);
    ASSERT_GT(GetMessageW(&msg, hwnd, WM_USER + 5, WM_USER + 5), 0);
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_EQ(Log, (std::vector<std::string>{"look 1", "remove 1"}));
}

TEST_F(HookTest, MessageFilterSeesTheModalLoopsMessagesAndKeepsThoseItAnswers) {
    // CallMsgFilter itself: the system filter first, then the thread's; TRUE when one of them kept the message.
    Hook<5>(WH_MSGFILTER, [&](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        Log.push_back("filter " + std::to_string(code) + " " + std::to_string(msg->message));
        if (msg->message == WM_USER + 7) return TRUE;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    MSG msg{nullptr, WM_USER + 7, 0, 0, 0, {0, 0}};
    EXPECT_TRUE(CallMsgFilterW(&msg, MSGF_USER + 1));
    msg.message = WM_USER + 8;
    EXPECT_FALSE(CallMsgFilterW(&msg, MSGF_USER + 1));
    EXPECT_EQ(Log, (std::vector<std::string>{"filter 4097 " + std::to_string(WM_USER + 7),
                                             "filter 4097 " + std::to_string(WM_USER + 8)}));
}

TEST_F(HookTest, MessageBoxLoopHandsItsMessagesToTheFilter) {
    HWND owner = Make("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    std::vector<int> codes;
    Hook<5>(WH_MSGFILTER, [&](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == WM_USER + 9) {
            codes.push_back(code);
            // The box's own window is active while its loop runs: Enter chooses its default button.
            PostMessageW(GetActiveWindow(), WM_COMMAND, IDOK, 0);
            return TRUE;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    PostMessageW(owner, WM_USER + 9, 0, 0);
    EXPECT_EQ(MessageBoxW(owner, u"text", u"caption", MB_OKCANCEL), IDOK);
    EXPECT_EQ(codes, std::vector<int>{MSGF_DIALOGBOX});
}

TEST_F(HookTest, HooksRunNewestFirstAndCallNextHookExGoesDownTheChain) {
    Hook<0>(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) Log.push_back("older");
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    Hook<1>(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) Log.push_back("newer");
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    Make("one", WS_POPUP);
    EXPECT_EQ(Log, (std::vector<std::string>{"newer", "older", "proc nccreate"}));
}

TEST_F(HookTest, AHookThatUnhooksItselfOrTheNextWhileRunningLeavesTheChainWhole) {
    HHOOK older = Hook<0>(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND) Log.push_back("older");
        return CallNextHookEx(nullptr, code, wParam, lParam);
    });
    HHOOK newer = nullptr;
    bool dropOlder = false;
    newer = Hook<1>(WH_CBT, [&](int code, WPARAM wParam, LPARAM lParam) {
        if (code != HCBT_CREATEWND) return CallNextHookEx(nullptr, code, wParam, lParam);
        Log.push_back("newer");
        EXPECT_TRUE(UnhookWindowsHookEx(dropOlder ? older : newer));
        return CallNextHookEx(newer, code, wParam, lParam);
    });
    // Unhooked from inside, it still passes this call on; the next window does not meet it.
    Make("one", WS_POPUP);
    Make("two", WS_POPUP);
    EXPECT_EQ(Log, (std::vector<std::string>{"newer", "older", "proc nccreate", "older", "proc nccreate"}));

    // A hook that unhooks the one after it: the call goes past the removed hook.
    Log.clear();
    newer = Hook<1>(WH_CBT, Behaviours[1]);
    dropOlder = true;
    Make("three", WS_POPUP);
    EXPECT_EQ(Log, (std::vector<std::string>{"newer", "proc nccreate"}));
    Log.clear();
    dropOlder = false;
    Make("four", WS_POPUP);
    EXPECT_EQ(Log, (std::vector<std::string>{"newer", "proc nccreate"}));
    Make("five", WS_POPUP);
    EXPECT_EQ(Log, (std::vector<std::string>{"newer", "proc nccreate", "proc nccreate"}));
}

TEST_F(HookTest, SettingAndRemovingHooksFailsAsWindowsFails) {
    struct Case {
        int Id;
        HOOKPROC Proc;
        HINSTANCE Module;
        DWORD Thread;
        DWORD Error;
    };
    HINSTANCE module = GetModuleHandleA(nullptr);
    const Case cases[] = {
        {WH_CBT, nullptr, nullptr, GetCurrentThreadId(), ERROR_INVALID_FILTER_PROC},
        {99, HookProc<0>, nullptr, GetCurrentThreadId(), ERROR_INVALID_HOOK_FILTER},
        {WH_CBT, HookProc<0>, nullptr, 0, ERROR_HOOK_NEEDS_HMOD},
        {WH_CBT, HookProc<0>, module, 0, ERROR_INVALID_PARAMETER},
        {WH_CBT, HookProc<0>, nullptr, GetCurrentThreadId() + 100000, ERROR_INVALID_PARAMETER},
    };
    for (const Case& test : cases) {
        SetLastError(0);
        EXPECT_EQ(SetWindowsHookExW(test.Id, test.Proc, test.Module, test.Thread), nullptr) << test.Error;
        EXPECT_EQ(GetLastError(), test.Error);
    }
    HHOOK hook = SetWindowsHookExW(WH_CBT, HookProc<0>, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_TRUE(UnhookWindowsHookEx(hook));
    SetLastError(0);
    EXPECT_FALSE(UnhookWindowsHookEx(hook));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
    // Outside any hook there is no next hook to call.
    EXPECT_EQ(CallNextHookEx(hook, HCBT_CREATEWND, 0, 0), 0);
}

}  // namespace

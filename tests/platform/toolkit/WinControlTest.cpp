// TWinControl: the window made on demand and gone with the control, parenting, bounds, visibility and enabling
// reflected in the window, and recreation under a subclassed window procedure.
#include "ControlFixture.h"

#include <toolkit/Application.h>
#include <toolkit/GraphicControl.h>

using WinControl = ControlFixture;

TEST_F(WinControl, HandleIsMadeOnDemandAndDestroyedWithTheControl) {
    auto root = MakeRoot();
    HWND rootHandle = root->Handle();
    ASSERT_TRUE(IsWindow(rootHandle));
    EXPECT_EQ(GetParent(rootHandle), Host);
    EXPECT_EQ(FindControl(rootHandle), root.get());

    auto* child = new TWinControl(nullptr);
    child->SetBounds(5, 6, 50, 40);
    EXPECT_FALSE(child->HandleAllocated());
    child->SetParent(root.get());
    // A showing parent shows its new windowed child at once.
    ASSERT_TRUE(child->HandleAllocated());
    HWND childHandle = child->Handle();
    EXPECT_EQ(GetParent(childHandle), rootHandle);
    RECT rect;
    GetWindowRect(childHandle, &rect);
    POINT origin = Screen(rootHandle, 5, 6);
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.top, origin.y);
    EXPECT_EQ(rect.right - rect.left, 50);
    EXPECT_TRUE(IsWindowVisible(childHandle));

    root.reset();  // deletes the child too
    EXPECT_FALSE(IsWindow(rootHandle));
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(FindControl(childHandle), nullptr);
}

TEST_F(WinControl, ControlWithoutParentWindowCannotMakeAHandle) {
    TWinControl lonely(nullptr);
    lonely.SetName("Lonely");
    try {
        lonely.HandleNeeded();
        FAIL() << "no exception";
    } catch (const EInvalidOperation& error) {
        EXPECT_STREQ(error.what(), "Control 'Lonely' has no parent window");
    }
    EXPECT_FALSE(lonely.HandleAllocated());
}

TEST_F(WinControl, BoundsGoToTheWindowAndComeBackFromIt) {
    auto root = MakeRoot(10, 20, 200, 150);
    RECT rect;
    GetWindowRect(root->Handle(), &rect);
    POINT origin = Screen(Host, 10, 20);
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.top, origin.y);

    root->SetBounds(30, 40, 120, 90);
    GetWindowRect(root->Handle(), &rect);
    origin = Screen(Host, 30, 40);
    EXPECT_EQ(rect.left, origin.x);
    EXPECT_EQ(rect.top, origin.y);
    EXPECT_EQ(rect.right - rect.left, 120);
    EXPECT_EQ(rect.bottom - rect.top, 90);

    // Moved behind the toolkit's back, the control reads its new place from the window.
    int resized = 0;
    root->OnResize = [&](TObject*) { ++resized; };
    MoveWindow(root->Handle(), 5, 6, 70, 80, TRUE);
    EXPECT_EQ(root->Left(), 5);
    EXPECT_EQ(root->Top(), 6);
    EXPECT_EQ(root->Width(), 70);
    EXPECT_EQ(root->Height(), 80);
    EXPECT_EQ(resized, 1);
}

TEST_F(WinControl, VisibleAndEnabledReachTheWindowAndNotify) {
    auto root = MakeRoot();
    auto* child = new TWinControl(nullptr);
    child->SetBounds(0, 0, 20, 20);
    child->SetParent(root.get());
    HWND handle = child->Handle();
    MessageRecorder recorder(*child, {CM_VISIBLECHANGED, CM_ENABLEDCHANGED, CM_SHOWINGCHANGED});

    child->SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_FALSE(child->Showing());
    child->SetVisible(false);  // unchanged: no message
    child->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(handle));
    child->SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(handle));
    child->SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(handle));
    EXPECT_EQ(recorder.Messages(), (std::vector<UINT>{CM_VISIBLECHANGED, CM_SHOWINGCHANGED, CM_ENABLEDCHANGED,
                                                      CM_VISIBLECHANGED, CM_SHOWINGCHANGED, CM_ENABLEDCHANGED}));

    // A control made while disabled and hidden starts that way.
    auto* late = new TWinControl(nullptr);
    late->SetEnabled(false);
    late->SetParent(root.get());
    EXPECT_FALSE(IsWindowEnabled(late->Handle()));
}

TEST_F(WinControl, ParentFontAndColorFollowTheParentUntilSetOwnValues) {
    auto root = MakeRoot();
    auto* child = new TWinControl(nullptr);
    auto* grandChild = new TWinControl(nullptr);
    child->SetParent(root.get());
    grandChild->SetParent(child);
    MessageRecorder recorder(*grandChild, {CM_PARENTFONTCHANGED, CM_FONTCHANGED, CM_PARENTCOLORCHANGED});

    root->Font()->SetName("宋体");
    root->SetColor(clRed);
    EXPECT_EQ(child->Font()->Name(), "宋体");
    EXPECT_EQ(grandChild->Font()->Name(), "宋体");
    EXPECT_TRUE(grandChild->ParentFont());
    EXPECT_EQ(grandChild->Color(), clRed);
    EXPECT_TRUE(grandChild->ParentColor());
    EXPECT_GE(recorder.Count(CM_PARENTFONTCHANGED), 1);
    EXPECT_GE(recorder.Count(CM_PARENTCOLORCHANGED), 1);

    // A value of its own ends the inheritance for the control and what inherits from it.
    child->Font()->SetHeight(-20);
    EXPECT_FALSE(child->ParentFont());
    EXPECT_EQ(grandChild->Font()->Height(), -20);
    root->Font()->SetName("Arial");
    EXPECT_EQ(child->Font()->Name(), "宋体");
    child->SetParentFont(true);
    EXPECT_EQ(child->Font()->Name(), "Arial");
    EXPECT_EQ(grandChild->Font()->Name(), "Arial");

    // A control joining a parent takes its font and colour.
    auto* newcomer = new TWinControl(nullptr);
    newcomer->SetParent(child);
    EXPECT_EQ(newcomer->Font()->Name(), "Arial");
    EXPECT_EQ(newcomer->Color(), clRed);
}

namespace {

// A window procedure installed from outside that takes itself off at WM_DESTROY, as a hook that follows its
// control across re-created windows does.
struct Subclass {
    static inline WNDPROC Previous = nullptr;
    static inline int Seen = 0;
    static inline int Destroys = 0;
    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        ++Seen;
        WNDPROC previous = Previous;
        if (msg == WM_DESTROY) {
            ++Destroys;
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Previous));
        }
        if (msg == WM_USER + 7) return 42;
        return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
    }
    static void Install(HWND hwnd) {
        Previous = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::Proc)));
    }
};

}  // namespace

TEST_F(WinControl, RecreatedWindowKeepsTextAndASubclassChainWorks) {
    auto root = MakeRoot();
    root->SetCaption("通道");
    HWND first = root->Handle();
    Subclass::Install(first);
    Subclass::Seen = 0;
    Subclass::Destroys = 0;
    EXPECT_EQ(SendMessageA(first, WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(root->Caption(), "通道");  // asked through the subclassed procedure
    EXPECT_GE(Subclass::Seen, 2);

    int clicks = 0;
    root->OnClick = [&](TObject*) { ++clicks; };
    root->RecreateWnd();
    HWND second = root->Handle();
    EXPECT_EQ(Subclass::Destroys, 1);
    EXPECT_FALSE(IsWindow(first));
    ASSERT_TRUE(IsWindow(second));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(FindControl(second), root.get());
    EXPECT_EQ(root->Caption(), "通道");

    // The hook goes onto the new window; both it and the control see what comes.
    Subclass::Install(second);
    EXPECT_EQ(Subclass::Previous, reinterpret_cast<WNDPROC>(GetClassLongPtrA(second, GCLP_WNDPROC)));
    int before = Subclass::Seen;
    POINT p = Screen(second, 3, 3);
    wintest::MouseClick(p.x, p.y);
    wintest::PumpUntilIdle();
    EXPECT_GT(Subclass::Seen, before);
    EXPECT_EQ(clicks, 1);
}

TEST_F(WinControl, TypedCharactersReachAnAnsiControlAsBytesAndUnrepresentableOnesAreRefused) {
    auto root = MakeRoot();
    std::string typed;
    root->OnKeyPress = [&typed](TObject*, char& key) { typed += key; };
    root->SetFocus();
    // Thai and an emoji (a surrogate pair) have no code page 936 form; the Chinese characters arrive as GBK bytes.
    wintest::TypeText(u"a\u0E01通\U0001F600道");
    Application->ProcessMessages();
    EXPECT_EQ(typed, "a通道");
}

TEST_F(WinControl, FocusChangesAreBroadcastAndChildKeysGoOutwards) {
    auto root = MakeRoot();
    auto* panel = new TWinControl(nullptr);
    panel->SetBounds(0, 0, 100, 100);
    panel->SetParent(root.get());
    auto* inner = new TWinControl(nullptr);
    inner->SetBounds(5, 5, 40, 40);
    inner->SetParent(panel);
    MessageRecorder innerLog(*inner, {CM_FOCUSCHANGED});
    MessageRecorder rootLog(*root, {CM_CHILDKEY});
    inner->SetFocus();
    EXPECT_EQ(innerLog.Count(CM_FOCUSCHANGED), 1);
    EXPECT_EQ(inner->Perform(CM_CHILDKEY, VK_F2, reinterpret_cast<LPARAM>(inner)), 0);
    EXPECT_EQ(rootLog.Count(CM_CHILDKEY), 1);
}

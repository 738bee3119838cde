// TButton: clicks by mouse (not when released outside), by space bar, by Enter as the default or focused
// button, by Esc as the cancel button and by its accelerator; ModalResult ending a modal form; the pressed look.
#include "StdCtrlsFixture.h"

#include <toolkit/Button.h>
#include <toolkit/CheckBox.h>

#include <map>

namespace {

class Button : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Ok = AddButton("OK", 10);
        Ok->SetDefault(true);
        Cancel = AddButton("Cancel", 45);
        Cancel->SetCancel(true);
        Go = AddButton("&Go", 80);
        Box = Add<TCheckBox>(120, 10, 100, 17);
        ShowForm();
    }
    TButton* AddButton(const char* caption, int top) {
        auto* button = Add<TButton>(10, top, 75, 25);
        button->SetCaption(caption);
        button->OnClick = [this](TObject* sender) { ++Clicks[static_cast<TButton*>(sender)]; };
        return button;
    }
    TButton* Ok = nullptr;
    TButton* Cancel = nullptr;
    TButton* Go = nullptr;
    TCheckBox* Box = nullptr;
    std::map<TButton*, int> Clicks;
};

}  // namespace

TEST_F(Button, MouseClickFocusesAndClicksOnlyOnAReleaseInside) {
    Click(Go);
    EXPECT_EQ(Clicks[Go], 1);
    EXPECT_EQ(GetFocus(), Go->Handle());

    POINT inside = Centre(Cancel);
    wintest::MouseMove(inside.x, inside.y);
    wintest::MouseDown();
    Pump();
    // Held down inside: sunken, a shadow line just inside the black frame.
    EXPECT_EQ(Crop(Cancel).At(1, 1), SysRgb(COLOR_BTNSHADOW));
    wintest::MouseMove(inside.x + 200, inside.y);
    Pump();
    EXPECT_NE(Crop(Cancel).At(1, 1), SysRgb(COLOR_BTNSHADOW));
    wintest::MouseUp();
    Pump();
    EXPECT_EQ(Clicks[Cancel], 0);
    // A double click is two clicks, as on a push button without notifications.
    POINT p = Centre(Go);
    wintest::MouseDoubleClick(p.x, p.y);
    Pump();
    EXPECT_EQ(Clicks[Go], 3);
}

TEST_F(Button, SpaceClicksOnItsRelease) {
    Go->SetFocus();
    Pump();
    wintest::KeyDown(VK_SPACE);
    Pump();
    EXPECT_EQ(Clicks[Go], 0);
    EXPECT_EQ(Crop(Go).At(1, 1), SysRgb(COLOR_BTNSHADOW));
    wintest::KeyUp(VK_SPACE);
    Pump();
    EXPECT_EQ(Clicks[Go], 1);
}

TEST_F(Button, EnterEscAndAcceleratorsReachTheirButtons) {
    struct Case {
        const char* Name;
        TWinControl* Focus;
        UINT Key;
        unsigned Modifiers;
        TButton* Clicked;
    } cases[] = {
        {"Enter in a check box presses the default button", Box, VK_RETURN, wintest::NoModifiers, Ok},
        {"Enter on another button presses that one", Go, VK_RETURN, wintest::NoModifiers, Go},
        {"Esc presses the cancel button", Go, VK_ESCAPE, wintest::NoModifiers, Cancel},
        {"Alt+G is Go's accelerator", Box, 'G', wintest::Alt, Go},
        {"a plain G is too while a button has the focus", Ok, 'G', wintest::NoModifiers, Go},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Clicks.clear();
        c.Focus->SetFocus();
        Pump();
        Key(c.Key, c.Modifiers);
        EXPECT_EQ(Clicks[c.Clicked], 1);
        EXPECT_EQ(Clicks.size(), 1u);
    }
    // Hidden or disabled buttons take no keys.
    Clicks.clear();
    Box->SetFocus();
    Ok->SetEnabled(false);
    Cancel->SetVisible(false);
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_TRUE(Clicks.empty());
}

TEST_F(Button, TheDefaultLooksDefaultUnlessAnotherButtonHasTheFocus) {
    const uint32_t frame = SysRgb(COLOR_WINDOWFRAME);
    Box->SetFocus();
    EXPECT_EQ(Crop(Ok).At(0, 12), frame);
    EXPECT_NE(Crop(Go).At(0, 12), frame);
    Go->SetFocus();
    EXPECT_NE(Crop(Ok).At(0, 12), frame);
    EXPECT_EQ(Crop(Go).At(0, 12), frame);
    EXPECT_EQ(Go->Perform(WM_GETDLGCODE) & 0x30, 0x10);
    EXPECT_EQ(Ok->Perform(WM_GETDLGCODE) & 0x30, 0x20);
    Box->SetFocus();
    EXPECT_EQ(Crop(Ok).At(0, 12), frame);
}

TEST(ButtonModal, ModalResultEndsShowModal) {
    struct Case {
        const char* Name;
        bool ByMouse;
        UINT Key;
        TModalResult Expected;
    } cases[] = {
        {"a click on Retry", true, 0, mrRetry},
        {"Enter on the default OK", false, VK_RETURN, mrOk},
        {"Esc on Cancel", false, VK_ESCAPE, mrCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TForm form(nullptr);
        form.SetBounds(100, 100, 300, 200);
        auto add = [&](const char* caption, TModalResult result, int top) {
            auto* button = new TButton(&form);
            button->SetParent(&form);
            button->SetBounds(20, top, 75, 25);
            button->SetCaption(caption);
            button->SetModalResult(result);
            return button;
        };
        add("OK", mrOk, 10)->SetDefault(true);
        add("Cancel", mrCancel, 40)->SetCancel(true);
        TButton* retry = add("Retry", mrRetry, 70);
        // The input waits in the queue until the modal loop reads it, with the form up.
        if (c.ByMouse) {
            RECT r{};
            GetWindowRect(retry->Handle(), &r);
            wintest::MouseClick((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else {
            wintest::KeyPress(c.Key);
        }
        EXPECT_EQ(form.ShowModal(), c.Expected);
        EXPECT_EQ(wintest::PendingModalAnswers(), 0u);
    }
    wintest::ResetInput();
}

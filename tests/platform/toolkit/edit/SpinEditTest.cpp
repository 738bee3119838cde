// TSpinEdit: clamping when the focus leaves and when set by code, non-numbers as 0, the accepted characters, arrow
// keys, button clicks and the buttons' auto-repeat while held.
#include "EditFixture.h"

#include <toolkit/SpinEdit.h>

namespace {

class SpinEdit : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        Spin = new TSpinEdit(Form.get());
        Spin->SetParent(Form.get());
        Spin->SetBounds(10, 90, 50, 21);
        Spin->SetMinValue(0);
        Spin->SetMaxValue(31);
        Pump();
        Spin->SetFocus();
        Pump();
    }
    // The screen point in the middle of the upper or lower button.
    POINT ButtonPoint(bool up) {
        TSpinButton* button = Spin->Button();
        RECT client = button->ClientRect();
        int y = up ? client.bottom / 4 : client.bottom * 3 / 4;
        return Screen(button, client.right / 2, y);
    }
    void ClickButton(bool up) {
        POINT p = ButtonPoint(up);
        wintest::MouseClick(p.x, p.y);
        Pump();
    }
    void TypeAndLeave(const std::u16string& text) {
        Spin->SetFocus();
        Pump();
        Spin->SelectAll();
        Type(text);
        Press(VK_TAB);
        ASSERT_FALSE(Spin->Focused());
    }

    TSpinEdit* Spin = nullptr;  // owned by Form
};

TEST_F(SpinEdit, LeavingTheFieldClampsTheValue) {
    struct {
        std::u16string Typed;
        std::string Left;
    } cases[] = {{u"45", "31"}, {u"-5", "0"}, {u"17", "17"}, {u"-", "0"}, {u"031", "031"}, {u"99999999999", "0"}};
    for (const auto& c : cases) {
        TypeAndLeave(c.Typed);
        EXPECT_EQ(Spin->Text(), c.Left) << Spin->Text();
    }
    EXPECT_TRUE(Other->Focused() || Edit->Focused());
}

TEST_F(SpinEdit, ANonNumberCountsAsZero) {
    Spin->SetText("abc");
    EXPECT_EQ(Spin->Value(), 0);
    Spin->SetText("12");
    EXPECT_EQ(Spin->Value(), 12);
    Spin->SetText("");
    EXPECT_EQ(Spin->Value(), 0);
    Press(VK_UP);
    EXPECT_EQ(Spin->Text(), "1");
}

TEST_F(SpinEdit, ValueSetByCodeIsClampedUnlessTheRangeIsEmpty) {
    Spin->SetValue(100);
    EXPECT_EQ(Spin->Value(), 31);
    Spin->SetValue(-4);
    EXPECT_EQ(Spin->Value(), 0);
    Spin->SetMaxValue(0);
    Spin->SetValue(-1000);
    EXPECT_EQ(Spin->Text(), "-1000");
    Spin->SetValue(1000);
    EXPECT_EQ(Spin->Value(), 1000);
}

TEST_F(SpinEdit, ArrowKeysAndButtonsStepByIncrement) {
    int changes = 0;
    Spin->OnChange = [&](TObject*) { ++changes; };
    Spin->SetValue(5);
    Spin->SetIncrement(2);
    Press(VK_UP);
    EXPECT_EQ(Spin->Value(), 7);
    Press(VK_DOWN);
    Press(VK_DOWN);
    EXPECT_EQ(Spin->Value(), 3);
    ClickButton(true);
    EXPECT_EQ(Spin->Value(), 5);
    ClickButton(false);
    EXPECT_EQ(Spin->Value(), 3);
    EXPECT_EQ(changes, 6);
    Spin->SetValue(30);
    Press(VK_UP);
    Press(VK_UP);
    EXPECT_EQ(Spin->Value(), 31);
    Spin->SetValue(1);
    ClickButton(false);
    EXPECT_EQ(Spin->Value(), 0);
}

TEST_F(SpinEdit, AButtonClickFocusesTheField) {
    Other->SetFocus();
    Pump();
    ClickButton(true);
    EXPECT_TRUE(Spin->Focused());
    EXPECT_EQ(Spin->Value(), 1);
}

TEST_F(SpinEdit, HoldingAButtonRepeatsUntilReleased) {
    Spin->SetMaxValue(1000);
    POINT p = ButtonPoint(true);
    wintest::MouseMove(p.x, p.y);
    wintest::MouseDown();
    Pump();
    EXPECT_EQ(Spin->Value(), 1) << "the press itself steps once";
    EXPECT_EQ(Spin->Button()->Pressed(), sbUp);
    wintest::PumpFor(300);
    EXPECT_LE(Spin->Value(), 2) << "no repeat before the first pause";
    wintest::PumpFor(900);
    int held = Spin->Value();
    // 1200 ms held: 400 ms to the first repeat and then one every 100 ms; a loaded machine may give fewer.
    EXPECT_GE(held, 4);
    EXPECT_LE(held, 12);
    wintest::MouseUp();
    Pump();
    EXPECT_EQ(Spin->Button()->Pressed(), sbNone);
    wintest::PumpFor(300);
    EXPECT_EQ(Spin->Value(), held);
}

TEST_F(SpinEdit, MovingOffTheHeldButtonPausesTheRepeat) {
    Spin->SetMaxValue(1000);
    POINT up = ButtonPoint(true);
    wintest::MouseMove(up.x, up.y);
    wintest::MouseDown();
    Pump();
    POINT down = ButtonPoint(false);
    wintest::MouseMove(down.x, down.y);
    wintest::PumpFor(700);
    EXPECT_EQ(Spin->Value(), 1);
    wintest::MouseUp();
    Pump();
}

TEST_F(SpinEdit, OnlyDigitsAndTheSignAreTyped) {
    Spin->SetText("");
    int beeps = wintest::BeepCount();
    Type(u"1a-2 通.3");
    EXPECT_EQ(Spin->Text(), "1-23");
    EXPECT_GE(wintest::BeepCount() - beeps, 4);
    Press(VK_BACK);
    EXPECT_EQ(Spin->Text(), "1-2");

    Spin->SetEditorEnabled(false);
    Spin->SetText("5");
    Press(VK_END);
    Type(u"7");
    Press(VK_BACK);
    EXPECT_EQ(Spin->Text(), "5");
    Press(VK_UP);
    EXPECT_EQ(Spin->Text(), "6") << "the arrows still step";
}

TEST_F(SpinEdit, TheTextStaysLeftOfTheButtons) {
    Spin->SetMaxValue(0);
    Spin->SetValue(123456789);
    Press(VK_END);
    RECT button{};
    GetWindowRect(Spin->Button()->Handle(), &button);
    MapWindowPoints(nullptr, Spin->Handle(), reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.right, Spin->ClientWidth());
    EXPECT_EQ(button.bottom - button.top, Spin->ClientHeight());
    EXPECT_LT(CaretX(), button.left);
    EXPECT_GT(CaretX(), button.left - 10);
}

}  // namespace

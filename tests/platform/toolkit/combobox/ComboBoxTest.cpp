// TComboBox on a shown form, driven by injected mouse and keys: dropping down and choosing by mouse and keyboard,
// cancelling, the closed field's keys and wheel, a scrolled long list, the item list's bookkeeping, the edit
// field of csDropDown, and a combo box read from a description.
#include <toolkit/Application.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Form.h>
#include <toolkit/Reader.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Counts the Enter and Esc the form offers as dialog keys, as a default and cancel button would take them.
class TDialogKeyCatcher : public TWinControl {
    TOOLKIT_CLASS(TDialogKeyCatcher, TWinControl)

public:
    using TWinControl::TWinControl;
    int Enter = 0;
    int Escape = 0;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == CM_DIALOGKEY && (message.WParam == VK_RETURN || message.WParam == VK_ESCAPE)) {
            ++(message.WParam == VK_RETURN ? Enter : Escape);
            message.Result = 1;
            return;
        }
        inherited::WndProc(message);
    }
};

class ComboBox : public ::testing::Test {
protected:
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(100, 100, 320, 300);
        Combo = new TComboBox(Form.get());
        Combo->SetParent(Form.get());
        Combo->SetBounds(20, 20, 120, 21);
        Combo->SetStyle(csDropDownList);
        for (const char* item : {"Alpha", "Bravo", "Charlie", "Delta", "Echo"}) Combo->Items()->Add(item);
        Combo->SetItemIndex(1);
        Keys = new TDialogKeyCatcher(Form.get());
        Keys->SetParent(Form.get());
        Keys->SetBounds(200, 200, 20, 20);
        Combo->OnChange = [this](TObject*) { Events.push_back("change:" + Combo->Text()); };
        Combo->OnSelect = [this](TObject*) { Events.push_back("select"); };
        Combo->OnClick = [this](TObject*) { Events.push_back("click"); };
        Combo->OnDropDown = [this](TObject*) { Events.push_back("dropdown"); };
        Combo->OnCloseUp = [this](TObject*) { Events.push_back("closeup"); };
        Form->Show();
        Combo->SetFocus();
        Pump();
        Events.clear();
    }

    void TearDown() override {
        Form.reset();
        Pump();
        wintest::ResetInput();
    }

    static void Pump() {
        Application->ProcessMessages();
        wintest::PumpUntilIdle();
        Application->ProcessMessages();
    }

    // The drop-down list: the visible popup window of the list's class.
    static HWND ListWindow() { return FindWindowA("ToolkitComboList", nullptr); }

    POINT ButtonCentre() {
        RECT r{};
        GetWindowRect(Combo->Handle(), &r);
        return POINT{r.right - 2 - GetSystemMetrics(SM_CXVSCROLL) / 2, (r.top + r.bottom) / 2};
    }

    // The screen centre of a visible row of the open list.
    POINT RowCentre(int row) {
        HWND list = ListWindow();
        POINT p{20, row * Combo->ItemHeight() + Combo->ItemHeight() / 2};
        ClientToScreen(list, &p);
        return p;
    }

    void Click(POINT p) {
        wintest::MouseClick(p.x, p.y);
        Pump();
    }

    void Press(UINT vk, unsigned modifiers = wintest::NoModifiers) {
        wintest::KeyPress(vk, modifiers);
        Pump();
    }

    int Count(const std::string& event) const {
        return static_cast<int>(std::count(Events.begin(), Events.end(), event));
    }

    std::unique_ptr<TForm> Form;
    TComboBox* Combo = nullptr;
    TDialogKeyCatcher* Keys = nullptr;
    std::vector<std::string> Events;
};

TEST_F(ComboBox, Defaults) {
    TComboBox fresh(nullptr);
    EXPECT_EQ(fresh.Style(), csDropDown);
    EXPECT_EQ(fresh.ItemIndex(), -1);
    EXPECT_EQ(fresh.DropDownCount(), 8);
    EXPECT_EQ(fresh.Text(), "");
    EXPECT_TRUE(fresh.TabStop());
    EXPECT_EQ(fresh.Color(), clWindow);
    EXPECT_FALSE(fresh.ParentColor());
    EXPECT_GT(fresh.ItemHeight(), 0);
    EXPECT_EQ(FindClass("TComboBox"), TComboBox::ClassInfo());
    EXPECT_THROW(fresh.SetStyle(csSimple), EInvalidOperation);
    EXPECT_THROW(fresh.SetStyle(csOwnerDrawFixed), EInvalidOperation);
}

TEST_F(ComboBox, ClickingTheButtonDropsTheListAndClickingAnItemChoosesIt) {
    Click(ButtonCentre());
    ASSERT_TRUE(Combo->DroppedDown());
    HWND list = ListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(IsWindowVisible(list));
    // A popup owned by the form, below the field and as wide as it; the form stays active with the focus.
    EXPECT_EQ(GetWindow(list, GW_OWNER), Form->Handle());
    RECT field{}, popup{};
    GetWindowRect(Combo->Handle(), &field);
    GetWindowRect(list, &popup);
    EXPECT_EQ(popup.top, field.bottom);
    EXPECT_EQ(popup.left, field.left);
    EXPECT_EQ(popup.right - popup.left, field.right - field.left);
    EXPECT_EQ(popup.bottom - popup.top, 5 * Combo->ItemHeight() + 2);
    EXPECT_EQ(GetActiveWindow(), Form->Handle());
    EXPECT_EQ(GetFocus(), Combo->Handle());
    EXPECT_EQ(Events, std::vector<std::string>{"dropdown"});

    Click(RowCentre(3));
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(ListWindow(), nullptr);
    EXPECT_EQ(Combo->ItemIndex(), 3);
    EXPECT_EQ(Combo->Text(), "Delta");
    EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "click", "select", "change:Delta", "closeup"}));
}

TEST_F(ComboBox, ClickingTheFieldOfADropDownListDropsItAndDraggingOntoAnItemChoosesIt) {
    RECT field{};
    GetWindowRect(Combo->Handle(), &field);
    wintest::MouseMove(field.left + 10, (field.top + field.bottom) / 2);
    wintest::MouseDown();
    Pump();
    ASSERT_TRUE(Combo->DroppedDown());
    POINT row = RowCentre(4);
    wintest::MouseMove(row.x, row.y);
    wintest::MouseUp();
    Pump();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 4);
    EXPECT_EQ(Count("change:Echo"), 1);
}

TEST_F(ComboBox, ReleasingTheButtonOverTheFieldLeavesTheListOpen) {
    Click(ButtonCentre());
    EXPECT_TRUE(Combo->DroppedDown());
    // A second click on the button closes it again, unchanged.
    Click(ButtonCentre());
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Count("change:Bravo"), 0);
}

TEST_F(ComboBox, ClickOutsideClosesWithoutChangeAndIsEaten) {
    int formClicks = 0;
    Form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formClicks; };
    Click(ButtonCentre());
    ASSERT_TRUE(Combo->DroppedDown());
    // Hot-tracking moves the highlight only.
    POINT row = RowCentre(4);
    wintest::MouseMove(row.x, row.y);
    Pump();
    EXPECT_EQ(Combo->ItemIndex(), 1);
    RECT form{};
    GetWindowRect(Form->Handle(), &form);
    Click(POINT{form.right - 20, form.bottom - 20});
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 1);
    EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup"}));
    EXPECT_EQ(formClicks, 0);
}

TEST_F(ComboBox, KeyboardOpensMovesTheHighlightAndClosesWithOrWithoutIt) {
    struct Step {
        UINT Vk;
        unsigned Modifiers;
    };
    struct Case {
        const char* Name;
        std::vector<Step> Steps;
        int Expected;
    };
    const Case cases[] = {
        {"F4, Down, Enter", {{VK_F4, 0}, {VK_DOWN, 0}, {VK_RETURN, 0}}, 2},
        {"Alt+Down, Down, Down, Alt+Up",
         {{VK_DOWN, wintest::Alt}, {VK_DOWN, 0}, {VK_DOWN, 0}, {VK_UP, wintest::Alt}},
         3},
        {"Alt+Down, End, Alt+Down", {{VK_DOWN, wintest::Alt}, {VK_END, 0}, {VK_DOWN, wintest::Alt}}, 4},
        {"F4, Up, F4", {{VK_F4, 0}, {VK_UP, 0}, {VK_F4, 0}}, 0},
        {"F4, Down, Esc", {{VK_F4, 0}, {VK_DOWN, 0}, {VK_ESCAPE, 0}}, 1},
        {"F4, PageDown, Home, Esc", {{VK_F4, 0}, {VK_NEXT, 0}, {VK_HOME, 0}, {VK_ESCAPE, 0}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Combo->SetItemIndex(1);
        Events.clear();
        for (size_t i = 0; i < c.Steps.size(); ++i) {
            Press(c.Steps[i].Vk, c.Steps[i].Modifiers);
            EXPECT_EQ(Combo->DroppedDown(), i + 1 < c.Steps.size()) << "after step " << i;
        }
        EXPECT_EQ(Combo->ItemIndex(), c.Expected);
        EXPECT_EQ(Count("change:" + Combo->Text()), c.Expected == 1 ? 0 : 1);
        EXPECT_EQ(Count("closeup"), 1);
        // Enter and Esc went to the list, not to the form's default and cancel buttons.
        EXPECT_EQ(Keys->Enter + Keys->Escape, 0);
    }
    // With the list closed they are the form's again.
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ(Keys->Enter, 1);
    EXPECT_EQ(Keys->Escape, 1);
}

TEST_F(ComboBox, KeysOnTheClosedFieldChangeTheSelection) {
    Combo->SetDropDownCount(3);
    struct Case {
        UINT Vk;
        int From;
        int Expected;
    };
    const Case cases[] = {
        {VK_DOWN, 1, 2},  {VK_UP, 1, 0},   {VK_HOME, 3, 0},  {VK_END, 1, 4},  {VK_NEXT, 0, 2},
        {VK_PRIOR, 4, 2}, {VK_NEXT, 3, 4}, {VK_RIGHT, 1, 2}, {VK_LEFT, 1, 0}, {VK_DOWN, -1, 0},
        {VK_UP, 0, 0},    {VK_DOWN, 4, 4}, {VK_END, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.Vk << " from " << c.From);
        Combo->SetItemIndex(c.From);
        Events.clear();
        Press(c.Vk);
        EXPECT_FALSE(Combo->DroppedDown());
        EXPECT_EQ(Combo->ItemIndex(), c.Expected);
        std::vector<std::string> expected;
        if (c.Expected != c.From) expected = {"click", "select", "change:" + Combo->Text()};
        EXPECT_EQ(Events, expected);
    }
}

TEST_F(ComboBox, OnKeyDownSeesKeysFirstAndTabLeavesTheOpenList) {
    Combo->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
        if (key == VK_DOWN) key = 0;
    };
    Press(VK_DOWN);
    EXPECT_EQ(Combo->ItemIndex(), 1);
    Press(VK_F4);
    Press(VK_UP);
    EXPECT_TRUE(Combo->DroppedDown());
    // Tab takes the highlighted item and moves on.
    auto* next = new TComboBox(Form.get());
    next->SetParent(Form.get());
    next->SetBounds(20, 60, 120, 21);
    Press(VK_TAB);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_TRUE(next->Focused());
}

TEST_F(ComboBox, DestroyingAnOpenComboBoxTakesItsListAlong) {
    Press(VK_F4);
    ASSERT_NE(ListWindow(), nullptr);
    delete Combo;
    Combo = nullptr;
    Pump();
    EXPECT_EQ(ListWindow(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ComboBox, TypedLettersSelectTheNextItemStartingWithThem) {
    Combo->Items()->Add("delta two");
    Combo->SetItemIndex(0);
    const struct {
        char16_t Ch;
        int Expected;
    } steps[] = {{u'd', 3}, {u'D', 5}, {u'd', 3}, {u'a', 0}, {u'z', 0}};
    for (const auto& step : steps) {
        wintest::TypeText(std::u16string(1, step.Ch));
        Pump();
        EXPECT_EQ(Combo->ItemIndex(), step.Expected) << static_cast<char>(step.Ch);
    }
    EXPECT_EQ(Count("change:Delta"), 2);
}

TEST_F(ComboBox, WheelChangesTheClosedSelectionAndScrollsTheOpenList) {
    wintest::Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Combo->ItemIndex(), 2);
    wintest::Wheel(2 * WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Events,
              (std::vector<std::string>{"click", "select", "change:Charlie", "click", "select", "change:Alpha"}));

    for (int i = 0; i < 15; ++i) Combo->Items()->Add("Item " + std::to_string(i));
    Combo->SetItemIndex(0);
    Press(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    wintest::Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_TRUE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 0);
    // The list scrolled by the wheel's three lines: its first row is now the fourth item.
    Click(RowCentre(0));
    EXPECT_EQ(Combo->ItemIndex(), 3);
}

TEST_F(ComboBox, ALongListScrollsWithItsScrollBar) {
    Combo->Items()->Clear();
    for (int i = 0; i < 20; ++i) Combo->Items()->Add("Item " + std::to_string(i));
    Combo->SetDropDownCount(6);
    Combo->SetItemIndex(0);
    Click(ButtonCentre());
    HWND list = ListWindow();
    ASSERT_NE(list, nullptr);
    RECT popup{};
    GetWindowRect(list, &popup);
    EXPECT_EQ(popup.bottom - popup.top, 6 * Combo->ItemHeight() + 2);
    EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMax, 19);
    EXPECT_EQ(info.nPage, 6u);
    EXPECT_EQ(info.nPos, 0);

    // Two clicks on the bar's down arrow: the list stays open and scrolls two rows.
    POINT arrow{popup.right - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2,
                popup.bottom - 1 - GetSystemMetrics(SM_CYVSCROLL) / 2};
    Click(arrow);
    Click(arrow);
    ASSERT_TRUE(Combo->DroppedDown());
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 2);
    Click(RowCentre(1));
    EXPECT_EQ(Combo->ItemIndex(), 3);

    // The keyboard scrolls the highlight into view.
    Press(VK_F4);
    Press(VK_END);
    list = ListWindow();
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nPos, 14);
    Press(VK_RETURN);
    EXPECT_EQ(Combo->ItemIndex(), 19);
}

TEST_F(ComboBox, ListOpensAboveWhenTheWorkAreaHasNoRoomBelow) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    Form->SetBounds(100, work.bottom - 80, 320, 80);
    Pump();
    Press(VK_F4);
    HWND list = ListWindow();
    ASSERT_NE(list, nullptr);
    RECT field{}, popup{};
    GetWindowRect(Combo->Handle(), &field);
    GetWindowRect(list, &popup);
    EXPECT_EQ(popup.bottom, field.top);
    Press(VK_ESCAPE);
}

TEST_F(ComboBox, LosingTheFocusOrTheFormMovingClosesTheList) {
    Press(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    Press(VK_DOWN);
    Keys->SetFocus();
    Pump();
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 1);

    Combo->SetFocus();
    Press(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    // Dragging the caption: the press outside the list closes it.
    RECT form{};
    GetWindowRect(Form->Handle(), &form);
    wintest::MouseMove(form.left + 60, form.top + 10);
    wintest::MouseDown();
    Pump();
    EXPECT_FALSE(Combo->DroppedDown());
    wintest::MouseUp();
    Pump();

    Press(VK_F4);
    ASSERT_TRUE(Combo->DroppedDown());
    Combo->SetEnabled(false);
    EXPECT_FALSE(Combo->DroppedDown());
    EXPECT_EQ(Combo->ItemIndex(), 1);
}

TEST_F(ComboBox, CodeChangesFireNoOnChangeAndTheSelectionFollowsItsItem) {
    Combo->SetItemIndex(3);
    EXPECT_EQ(Combo->Text(), "Delta");
    Combo->SetText("echo");  // an item's text selects it, case ignored
    EXPECT_EQ(Combo->ItemIndex(), 4);
    Combo->SetText("Zulu");  // no such item: a list-only field keeps its selection
    EXPECT_EQ(Combo->ItemIndex(), 4);
    Combo->SetItemIndex(99);
    EXPECT_EQ(Combo->ItemIndex(), -1);
    EXPECT_EQ(Combo->Text(), "");
    Combo->SetDroppedDown(true);
    EXPECT_TRUE(Combo->DroppedDown());
    Combo->SetDroppedDown(false);
    EXPECT_FALSE(Combo->DroppedDown());

    Combo->SetItemIndex(2);  // Charlie
    Combo->Items()->Insert(0, "Zero");
    EXPECT_EQ(Combo->ItemIndex(), 3);
    Combo->Items()->Delete(1);
    EXPECT_EQ(Combo->ItemIndex(), 2);
    Combo->Items()->Exchange(2, 0);
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Combo->Text(), "Charlie");
    Combo->SetSorted(true);
    EXPECT_EQ(Combo->Text(), "Charlie");
    EXPECT_EQ(Combo->Items()->Strings(Combo->ItemIndex()), "Charlie");
    Combo->Items()->Add("Bingo");
    EXPECT_EQ(Combo->Text(), "Charlie");
    Combo->Items()->Delete(Combo->ItemIndex());
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Combo->SetItemIndex(0);
    Combo->Items()->Clear();
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Pump();
    EXPECT_EQ(Events, (std::vector<std::string>{"dropdown", "closeup"}));
}

TEST_F(ComboBox, DropDownFieldTakesTypedTextAndDoubleByteCharacters) {
    Combo->SetStyle(csDropDown);
    EXPECT_EQ(Combo->Text(), "Bravo");
    Combo->SetText("");
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Events.clear();
    wintest::TypeText(u"delta");
    Pump();
    EXPECT_EQ(Combo->Text(), "delta");
    EXPECT_EQ(Combo->ItemIndex(), 3);  // typing an item's text selects it
    EXPECT_EQ(Count("change:delta"), 1);
    EXPECT_EQ(Events.size(), 5u);  // one OnChange per character
    Press(VK_BACK);
    EXPECT_EQ(Combo->Text(), "delt");
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Press(VK_HOME);
    Press(VK_DELETE);
    EXPECT_EQ(Combo->Text(), "elt");
    Press(VK_END);
    wintest::TypeText(u"通道");
    Pump();
    EXPECT_EQ(Combo->Text(), std::string("elt") + "通道");
    Press(VK_LEFT);
    Press(VK_BACK);  // removes 通 whole, leaving the caret before 道
    EXPECT_EQ(Combo->Text(), std::string("elt") + "道");
    // Choosing from the list replaces the text.
    Events.clear();
    Press(VK_DOWN, wintest::Alt);
    Press(VK_HOME);  // the caret's key, even with the list open
    Press(VK_DOWN);
    Press(VK_RETURN);
    EXPECT_EQ(Combo->Text(), "Alpha");
    EXPECT_EQ(Combo->ItemIndex(), 0);
    EXPECT_EQ(Count("change:Alpha"), 1);
    // Code sets the text quietly.
    Events.clear();
    Combo->SetText("Zulu");
    EXPECT_EQ(Combo->Text(), "Zulu");
    EXPECT_EQ(Combo->ItemIndex(), -1);
    Combo->SetText("charlie");
    EXPECT_EQ(Combo->ItemIndex(), 2);
    EXPECT_TRUE(Events.empty());
    char buffer[16] = {};
    EXPECT_EQ(GetWindowTextA(Combo->Handle(), buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "charlie");
}

class TComboTestForm : public TForm {
    TOOLKIT_CLASS(TComboTestForm, TForm)

public:
    explicit TComboTestForm(TComponent* owner) : TForm(owner) {}
    void SizeChange(TObject*) { ++Changes; }
    TComboBox* cbbSize = nullptr;
    TComboBox* cbbPort = nullptr;
    int Changes = 0;
};

const auto publishedForm = Publish<TComboTestForm>()
                               .Method("SizeChange", &TComboTestForm::SizeChange)
                               .Field("cbbSize", &TComboTestForm::cbbSize)
                               .Field("cbbPort", &TComboTestForm::cbbPort);

TEST(ComboBoxDescription, ItemsAndItemIndexAreReadInEitherOrder) {
    TComboTestForm form(nullptr);
    // Descriptions are UTF-8 text; the reader hands GBK strings to the controls.
    ReadDescription(&form,
                    u8"object F: TComboTestForm\n"
                    u8"  Width = 300\n  Height = 200\n"
                    u8"  object cbbSize: TComboBox\n"
                    u8"    Left = 8\n    Top = 8\n    Width = 40\n"
                    u8"    Style = csDropDownList\n"
                    u8"    ItemIndex = 1\n"
                    u8"    DropDownCount = 3\n"
                    u8"    OnChange = SizeChange\n"
                    u8"    Items = (\n      '大'\n      '中'\n      '小')\n"
                    u8"  end\n"
                    u8"  object cbbPort: TComboBox\n"
                    u8"    Left = 8\n    Top = 40\n"
                    u8"    Text = 'COM3'\n"
                    u8"    ItemHeight = 14\n"
                    u8"    Sorted = True\n"
                    u8"    Items = (\n      'COM3'\n      'COM1'\n      'COM2')\n"
                    u8"  end\n"
                    u8"end\n");
    ASSERT_NE(form.cbbSize, nullptr);
    ASSERT_NE(form.cbbPort, nullptr);
    EXPECT_EQ(form.cbbSize->Style(), csDropDownList);
    EXPECT_EQ(form.cbbSize->Items()->Count(), 3);
    EXPECT_EQ(form.cbbSize->ItemIndex(), 1);
    EXPECT_EQ(form.cbbSize->Text(), "中");
    EXPECT_EQ(form.cbbSize->DropDownCount(), 3);
    EXPECT_EQ(form.cbbPort->Style(), csDropDown);
    EXPECT_EQ(form.cbbPort->Items()->Strings(0), "COM1");
    EXPECT_EQ(form.cbbPort->Text(), "COM3");
    EXPECT_EQ(form.cbbPort->ItemIndex(), 2);
    EXPECT_EQ(form.cbbPort->ItemHeight(), 14);
    EXPECT_EQ(form.Changes, 0);
    ASSERT_TRUE(form.cbbSize->OnChange);
    form.cbbSize->OnChange(form.cbbSize);
    EXPECT_EQ(form.Changes, 1);
}

}  // namespace

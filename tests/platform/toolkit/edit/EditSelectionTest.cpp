// TEdit's caret and selection by keyboard and mouse: character and word steps over double-byte characters,
// Shift to extend, clicks, drags, Shift+click, double clicks, AutoSelect when tabbing in, and invalid bytes.
#include "EditFixture.h"

#include <vector>

namespace {

// Stands for a form's default button: takes Enter as a dialog key.
class TEnterTaker : public TWinControl {
    TOOLKIT_CLASS(TEnterTaker, TWinControl)

public:
    using TWinControl::TWinControl;
    int Presses = 0;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == CM_DIALOGKEY && message.WParam == VK_RETURN) {
            ++Presses;
            message.Result = 1;
            return;
        }
        inherited::WndProc(message);
    }
};

class EditSelection : public EditFixture {
protected:
    // The caret's client x at every character boundary of the text, found by walking with Right.
    std::vector<std::pair<int, int>> Boundaries() {
        std::vector<std::pair<int, int>> result;
        Press(VK_HOME);
        for (;;) {
            result.emplace_back(Edit->SelStart(), CaretX());
            int before = Edit->SelStart();
            Press(VK_RIGHT);
            if (Edit->SelStart() == before) break;
        }
        return result;
    }
};

TEST_F(EditSelection, ArrowsStepOverWholeCharactersAndShiftExtends) {
    Edit->SetText("ab通道 cd");
    std::vector<int> starts;
    for (auto [pos, x] : Boundaries()) starts.push_back(pos);
    EXPECT_EQ(starts, (std::vector<int>{0, 1, 2, 4, 6, 7, 8, 9}));

    Press(VK_HOME);
    Press(VK_RIGHT, wintest::Shift);
    Press(VK_RIGHT, wintest::Shift);
    Press(VK_RIGHT, wintest::Shift);
    EXPECT_EQ(Edit->SelText(), "ab通");
    Press(VK_LEFT, wintest::Shift);
    EXPECT_EQ(Edit->SelText(), "ab");
    Press(VK_END, wintest::Shift);
    EXPECT_EQ(Edit->SelText(), "ab通道 cd");
    Press(VK_LEFT);
    EXPECT_EQ(Edit->SelLength(), 0);
    EXPECT_EQ(Edit->SelStart(), 8);
}

TEST_F(EditSelection, CtrlArrowsStepByWords) {
    Edit->SetText("one two,通道 x");
    struct {
        UINT Key;
        int Expected;
    } steps[] = {{VK_RIGHT, 4}, {VK_RIGHT, 7}, {VK_RIGHT, 8}, {VK_RIGHT, 13}, {VK_RIGHT, 14}, {VK_RIGHT, 14},
                 {VK_LEFT, 13}, {VK_LEFT, 8},  {VK_LEFT, 7},  {VK_LEFT, 4},   {VK_LEFT, 0}};
    Press(VK_HOME);
    for (const auto& step : steps) {
        Press(step.Key, wintest::Control);
        EXPECT_EQ(Edit->SelStart(), step.Expected);
    }
    Press(VK_END, wintest::Shift);
    Press(VK_RIGHT, wintest::Control | wintest::Shift);
    EXPECT_EQ(Edit->SelLength(), 14);
}

TEST_F(EditSelection, SelectionByCodeNeverSplitsACharacter) {
    Edit->SetText("ab通道");
    Edit->SetSelStart(3);
    EXPECT_EQ(Edit->SelStart(), 2);
    Edit->SetSelLength(3);
    EXPECT_EQ(Edit->SelText(), "通");
    SendMessageA(Edit->Handle(), EM_SETSEL, 1, 5);
    DWORD start = 0, end = 0;
    SendMessageA(Edit->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 4u);
    SendMessageA(Edit->Handle(), EM_SETSEL, 0, -1);
    EXPECT_EQ(Edit->SelLength(), 6);
    SendMessageA(Edit->Handle(), EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(Edit->SelLength(), 0);
    Edit->SelectAll();
    Edit->SetSelText("x\r\ny");
    EXPECT_EQ(Edit->Text(), "x");
}

TEST_F(EditSelection, InvalidBytesSurviveAndTheCaretStillWalks) {
    const std::string bytes =
        "\x81\x20\xFF\x80"
        "ab\xFE";
    Edit->SetText(bytes);
    EXPECT_EQ(Edit->Text(), bytes);
    EXPECT_EQ(Edit->Text().size(), bytes.size());
    char buffer[32] = {};
    EXPECT_EQ(GetWindowTextA(Edit->Handle(), buffer, sizeof(buffer)), static_cast<int>(bytes.size()));
    EXPECT_EQ(std::string(buffer), bytes);
    std::vector<int> starts;
    for (auto [pos, x] : Boundaries()) starts.push_back(pos);
    // A lead byte takes the byte after it, whatever it is; 0xFF and 0x80 are never lead bytes; a lead byte at the
    // end stands alone.
    EXPECT_EQ(starts, (std::vector<int>{0, 2, 3, 4, 5, 6, 7}));
    Press(VK_END);
    Type(u"z");
    EXPECT_EQ(Edit->Text(), bytes + "z");
}

TEST_F(EditSelection, ClickPlacesTheCaretAtTheNearestBoundary) {
    Edit->SetText("ab通道cd");
    auto bounds = Boundaries();
    ASSERT_EQ(bounds.size(), 7u);
    for (size_t i = 1; i < bounds.size(); ++i) ASSERT_GT(bounds[i].second, bounds[i - 1].second);
    Other->SetFocus();
    Pump();
    // The middle of 通 is still before it when a little to the left, after it when a little to the right.
    int left = bounds[2].second, right = bounds[3].second;
    Click(Edit, left + (right - left) / 2 - 2, 8);
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Edit->SelLength(), 0) << "a click does not select everything";
    EXPECT_EQ(Edit->SelStart(), 2);
    Click(Edit, left + (right - left) / 2 + 2, 8);
    EXPECT_EQ(Edit->SelStart(), 4);
    Click(Edit, 190, 8);
    EXPECT_EQ(Edit->SelStart(), 8);
    EXPECT_EQ(CaretX(), bounds.back().second);
}

TEST_F(EditSelection, DragSelectsAndShiftClickExtends) {
    Edit->SetText("ab通道cd");
    auto bounds = Boundaries();
    POINT from = Screen(Edit, bounds[1].second, 8);
    POINT to = Screen(Edit, bounds[4].second, 8);
    wintest::MouseMove(from.x, from.y);
    wintest::MouseDown();
    Pump();
    EXPECT_EQ(GetCapture(), Edit->Handle());
    wintest::MouseMove(to.x, to.y);
    Pump();
    EXPECT_EQ(Edit->SelText(), "b通道");
    wintest::MouseMove(to.x + 300, to.y);  // beyond the edit, still captured
    Pump();
    EXPECT_EQ(Edit->SelText(), "b通道cd");
    wintest::MouseUp();
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);

    Click(Edit, bounds[2].second, 8);
    wintest::KeyDown(VK_SHIFT);
    Click(Edit, bounds[5].second, 8);
    wintest::KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Edit->SelText(), "通道c");
}

TEST_F(EditSelection, DoubleClickSelectsAWordWithTheBlanksAfterIt) {
    Edit->SetText("one 通道 x");
    auto bounds = Boundaries();
    struct {
        size_t Boundary;
        const char* Expected;
    } cases[] = {{1, "one "}, {5, "通道 "}, {7, "x"}};
    for (const auto& c : cases) {
        POINT p = Screen(Edit, bounds[c.Boundary].second + 1, 8);
        wintest::MouseDoubleClick(p.x, p.y);
        Pump();
        EXPECT_EQ(Edit->SelText(), c.Expected);
    }
}

TEST_F(EditSelection, AutoSelectSelectsAllWhenTabbingIn) {
    Other->SetText("通道01");
    Press(VK_TAB);
    ASSERT_TRUE(Other->Focused());
    EXPECT_EQ(Other->SelText(), "通道01");
    Other->SetAutoSelect(false);
    Other->SetSelStart(2);
    Press(VK_TAB);
    Press(VK_TAB);
    ASSERT_TRUE(Other->Focused());
    EXPECT_EQ(Other->SelLength(), 0);
    EXPECT_EQ(Other->SelStart(), 2) << "the caret is where it was left";
    EXPECT_EQ(SendMessageA(Other->Handle(), WM_GETDLGCODE, 0, 0), LRESULT(0x0080 | 0x0001))
        << "characters and arrows, not Tab and not Enter";
}

TEST_F(EditSelection, EnterGoesToTheFormsDefaultButton) {
    auto* button = new TEnterTaker(Form.get());
    button->SetParent(Form.get());
    button->SetBounds(250, 10, 75, 25);
    Pump();
    Edit->SetText("ab");
    Press(VK_END);
    Press(VK_RETURN);
    EXPECT_EQ(button->Presses, 1);
    EXPECT_EQ(Edit->Text(), "ab");
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(EditSelection, LongTextScrollsToKeepTheCaretInView) {
    Edit->SetWidth(60);
    Type(u"通道01通道02通道03通道04");
    int width = Edit->ClientWidth();
    EXPECT_GT(CaretX(), width / 2);
    EXPECT_LT(CaretX(), width);
    Press(VK_HOME);
    EXPECT_EQ(CaretX(), 1);
    Press(VK_END);
    EXPECT_LT(CaretX(), width);
    for (int i = 0; i < 12; ++i) {
        Press(VK_LEFT);
        EXPECT_GE(CaretX(), 0);
        EXPECT_LT(CaretX(), width);
    }
}

TEST_F(EditSelection, PasswordCharactersStandForWholeCharacters) {
    Edit->SetText("通道ab");
    Edit->SetPasswordChar('*');
    auto bounds = Boundaries();
    ASSERT_EQ(bounds.size(), 5u);
    int step = bounds[1].second - bounds[0].second;
    EXPECT_GT(step, 0);
    for (size_t i = 1; i < bounds.size(); ++i) EXPECT_EQ(bounds[i].second - bounds[i - 1].second, step);
    EXPECT_EQ(Edit->Text(), "通道ab");
}

TEST_F(EditSelection, WindowTextFunctionsReachTheControl) {
    EXPECT_TRUE(SetWindowTextA(Edit->Handle(), "通道x"));
    EXPECT_EQ(Edit->Text(), "通道x");
    EXPECT_EQ(GetWindowTextLengthA(Edit->Handle()), 5);
    char buffer[4] = {};
    EXPECT_EQ(GetWindowTextA(Edit->Handle(), buffer, sizeof(buffer)), 3);
}

TEST_F(EditSelection, TheCaretFollowsTheFocus) {
    Edit->SetText("ab");
    Press(VK_END);
    EXPECT_GT(CaretX(), 1);
    Other->SetFocus();
    Pump();
    EXPECT_EQ(CaretX(), 1) << "the other edit made its caret at its own start";
    Edit->SetFocus();
    Pump();
    EXPECT_EQ(Edit->SelText(), "ab") << "AutoSelect";
}

}  // namespace

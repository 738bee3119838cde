// TEdit's editing keys, the platform clipboard (Ctrl+C/X/V, Ctrl+Insert, Shift+Insert, Shift+Delete and the
// WM_COPY family) and one level of undo.
#include "EditFixture.h"

#include <cstring>

namespace {

class EditClipboard : public EditFixture {
protected:
    static void PutText(const std::string& text) {
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
        GlobalUnlock(memory);
        SetClipboardData(CF_TEXT, memory);
        CloseClipboard();
    }
    static std::string ClipboardText() {
        std::string text;
        if (!OpenClipboard(nullptr)) return "<not open>";
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
    static std::u16string ClipboardUnicode() {
        std::u16string text;
        if (!OpenClipboard(nullptr)) return u"<not open>";
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(EditClipboard, BackspaceAndDeleteRemoveWholeCharacters) {
    Edit->SetText("ab通道cd");
    Edit->SetSelStart(4);
    Press(VK_BACK);
    EXPECT_EQ(Edit->Text(), "ab道cd");
    Press(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "abcd");
    EXPECT_EQ(Edit->SelStart(), 2);
    Edit->SetText("one two 通道");
    Press(VK_END);
    Press(VK_BACK, wintest::Control);
    EXPECT_EQ(Edit->Text(), "one two ");
    Press(VK_BACK, wintest::Control);
    EXPECT_EQ(Edit->Text(), "one ");
    Press(VK_HOME);
    Press(VK_DELETE, wintest::Control);
    EXPECT_EQ(Edit->Text(), "") << "Ctrl+Delete deletes to the end";
}

TEST_F(EditClipboard, CopyCutAndPasteGoThroughThePlatformClipboard) {
    Edit->SetText("ab通道cd");
    Edit->SetSelStart(2);
    Edit->SetSelLength(4);
    Press('C', wintest::Control);
    EXPECT_EQ(ClipboardText(), "通道");
    EXPECT_EQ(ClipboardUnicode(), u"通道");
    Press('X', wintest::Control);
    EXPECT_EQ(Edit->Text(), "abcd");
    Press(VK_TAB);
    ASSERT_TRUE(Other->Focused());
    Press('V', wintest::Control);
    EXPECT_EQ(Other->Text(), "通道");
    EXPECT_TRUE(Other->Modified());

    struct {
        const char* Name;
        std::function<void()> Action;
        const char* Text;
        const char* Clipboard;
    } cases[] = {
        {"Ctrl+Insert copies", [] { Press(VK_INSERT, wintest::Control); }, "xyz", "y"},
        {"Shift+Delete cuts", [] { Press(VK_DELETE, wintest::Shift); }, "xz", "y"},
        {"Shift+Insert pastes",
         [] {
             PutText("Q");
             Press(VK_INSERT, wintest::Shift);
         },
         "xQz", "Q"},
        {"WM_COPY", [this] { SendMessageA(Edit->Handle(), WM_COPY, 0, 0); }, "xyz", "y"},
        {"WM_CUT", [this] { SendMessageA(Edit->Handle(), WM_CUT, 0, 0); }, "xz", "y"},
        {"WM_PASTE",
         [this] {
             PutText("P");
             SendMessageA(Edit->Handle(), WM_PASTE, 0, 0);
         },
         "xPz", "P"},
        {"WM_CLEAR",
         [this] {
             PutText("-");
             SendMessageA(Edit->Handle(), WM_CLEAR, 0, 0);
         },
         "xz", "-"},
    };
    Edit->SetFocus();
    Pump();
    for (const auto& c : cases) {
        Edit->SetText("xyz");
        Edit->SetSelStart(1);
        Edit->SetSelLength(1);
        PutText("-");
        c.Action();
        EXPECT_EQ(Edit->Text(), c.Text) << c.Name;
        EXPECT_EQ(ClipboardText(), c.Clipboard) << c.Name;
    }
}

TEST_F(EditClipboard, PasteTakesTheFirstLineWithinTheLimit) {
    Edit->SetMaxLength(7);
    Edit->SetText("ab");
    Edit->SetSelStart(2);
    PutText("通道\r\nsecond line");
    Press('V', wintest::Control);
    EXPECT_EQ(Edit->Text(), "ab通道");
    int beeps = wintest::BeepCount();
    PutText("一二");
    Press('V', wintest::Control);
    EXPECT_EQ(Edit->Text(), "ab通道") << "one byte left is no room for half a character";
    EXPECT_EQ(wintest::BeepCount(), beeps + 1);
    PutText("xy");
    Press('V', wintest::Control);
    EXPECT_EQ(Edit->Text(), "ab通道x");
}

TEST_F(EditClipboard, PasswordsAndReadOnlyKeepTheirText) {
    Edit->SetText("secret");
    Edit->SetPasswordChar('*');
    Edit->SelectAll();
    PutText("-");
    Press('C', wintest::Control);
    Press('X', wintest::Control);
    EXPECT_EQ(ClipboardText(), "-");
    EXPECT_EQ(Edit->Text(), "secret");

    Edit->SetPasswordChar(0);
    Edit->SetReadOnly(true);
    Edit->SelectAll();
    Press('X', wintest::Control);
    EXPECT_EQ(ClipboardText(), "secret") << "cutting a read-only edit copies";
    EXPECT_EQ(Edit->Text(), "secret");
    PutText("new");
    Press('V', wintest::Control);
    Press(VK_DELETE);
    EXPECT_EQ(Edit->Text(), "secret");
}

TEST_F(EditClipboard, UndoTakesBackOneStepAndUndoingItRedoes) {
    EXPECT_FALSE(Edit->CanUndo());
    Type(u"ab通");
    EXPECT_TRUE(Edit->CanUndo());
    Press('Z', wintest::Control);
    EXPECT_EQ(Edit->Text(), "") << "typing in a row is one step";
    Press('Z', wintest::Control);
    EXPECT_EQ(Edit->Text(), "ab通");
    EXPECT_EQ(Edit->SelStart(), 4);

    Press(VK_BACK);
    EXPECT_EQ(Edit->Text(), "ab");
    Press('Z', wintest::Control);
    EXPECT_EQ(Edit->Text(), "ab通");

    PutText("XY");
    Edit->SetSelStart(1);
    Edit->SetSelLength(1);
    Press('V', wintest::Control);
    EXPECT_EQ(Edit->Text(), "aXY通");
    EXPECT_EQ(SendMessageA(Edit->Handle(), EM_CANUNDO, 0, 0), TRUE);
    EXPECT_EQ(SendMessageA(Edit->Handle(), WM_UNDO, 0, 0), TRUE);
    EXPECT_EQ(Edit->Text(), "ab通");
    EXPECT_EQ(Edit->SelText(), "b") << "the selection comes back with the text";

    Edit->SetText("fresh");
    EXPECT_FALSE(Edit->CanUndo()) << "text set by code empties the undo buffer";
    Press('Z', wintest::Control);
    EXPECT_EQ(Edit->Text(), "fresh");
    Type(u"x");
    Edit->SetReadOnly(true);
    Press('Z', wintest::Control);
    EXPECT_EQ(SendMessageA(Edit->Handle(), EM_UNDO, 0, 0), FALSE);
    EXPECT_EQ(Edit->Text(), "xfresh") << "a read-only edit is not undone";
    Edit->ClearUndo();
    EXPECT_FALSE(Edit->CanUndo());
}

}  // namespace

// TEdit typing: Chinese characters as input methods deliver them, the byte limit that never splits a character,
// characters code page 936 cannot hold, WM_IME_CHAR, control characters, read-only and case conversion.
#include "EditFixture.h"

namespace {

using EditTyping = EditFixture;

TEST_F(EditTyping, TypedChineseTextArrivesAsCodePage936Bytes) {
    Type(u"通道ab");
    EXPECT_EQ(Edit->Text(), "通道ab");
    EXPECT_EQ(Edit->Text().size(), 6u);
    EXPECT_EQ(Edit->SelStart(), 6);
    EXPECT_TRUE(Edit->Modified());
}

TEST_F(EditTyping, ByteLimitTakesWholeCharactersOnly) {
    struct {
        int MaxLength;
        std::u16string Typed;
        std::u16string Kept;
        int Beeps;
    } cases[] = {
        {12, u"一二三四五六七", u"一二三四五六", 1},
        {11, u"一二三四五六", u"一二三四五", 1},
        {11, u"一二三四五a六", u"一二三四五a", 1},
        {5, u"ab通道c", u"ab通c", 1},
        {32, u"通道01通道01通道01", u"通道01通道01通道01", 0},
        {0, u"一二三四五六七八九十一二三四五六七", u"一二三四五六七八九十一二三四五六七", 0},
    };
    for (const auto& c : cases) {
        Edit->SetText("");
        Edit->SetMaxLength(c.MaxLength);
        int beeps = wintest::BeepCount();
        Type(c.Typed);
        EXPECT_EQ(Edit->Text(), Gbk(c.Kept)) << c.MaxLength;
        EXPECT_EQ(wintest::BeepCount() - beeps, c.Beeps) << c.MaxLength;
    }
}

TEST_F(EditTyping, TypingOverASelectionCountsTheFreedBytes) {
    Edit->SetMaxLength(4);
    Edit->SetText("ab通");
    Edit->SetSelStart(2);
    Edit->SetSelLength(2);
    Type(u"道");
    EXPECT_EQ(Edit->Text(), "ab道");
    Edit->SetSelStart(0);
    Edit->SetSelLength(1);
    Type(u"通");
    EXPECT_EQ(Edit->Text(), "ab道") << "one byte freed is not room for two";
}

TEST_F(EditTyping, TextSetByCodeIsNotCutToTheLimit) {
    Edit->SetMaxLength(4);
    Edit->SetText("通道通道");
    EXPECT_EQ(Edit->Text(), "通道通道");
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Edit->SelStart(), 0);
    int beeps = wintest::BeepCount();
    Press(VK_END);
    Type(u"x");
    EXPECT_EQ(Edit->Text(), "通道通道");
    EXPECT_EQ(wintest::BeepCount(), beeps + 1);
}

// The application's loop refuses a character that code page 936 cannot hold before any ANSI window sees it, so
// the edit is left as it was (it would otherwise receive '?'): the refusal is TApplication::ProcessMessage's, so
// this goes through Application->ProcessMessages.
TEST_F(EditTyping, CharactersOutsideCodePage936AreRefused) {
    Edit->SetText("ab");
    Edit->SetSelStart(2);
    for (const std::u16string& typed : {std::u16string(u"\u0E01"), std::u16string(u"😀")}) {
        int beeps = wintest::BeepCount();
        Type(typed);
        EXPECT_EQ(Edit->Text(), "ab");
        EXPECT_GT(wintest::BeepCount(), beeps);
    }
    Type(u"通");
    EXPECT_EQ(Edit->Text(), "ab通");
}

TEST_F(EditTyping, ImeCharCarriesBothBytesAtOnce) {
    const std::string tong = "通";
    WPARAM both = (static_cast<WPARAM>(static_cast<unsigned char>(tong[0])) << 8) | static_cast<unsigned char>(tong[1]);
    SendMessageA(Edit->Handle(), WM_IME_CHAR, both, 1);
    SendMessageA(Edit->Handle(), WM_IME_CHAR, 'x', 1);
    EXPECT_EQ(Edit->Text(), "通x");
}

TEST_F(EditTyping, ControlCharactersTypeNothing) {
    Edit->SetText("ab");
    Edit->SetSelStart(2);
    for (WPARAM c : {WPARAM('\r'), WPARAM(0x1B), WPARAM('\t'), WPARAM(0x02), WPARAM(0x0A)})
        SendMessageA(Edit->Handle(), WM_CHAR, c, 1);
    EXPECT_EQ(Edit->Text(), "ab");
}

TEST_F(EditTyping, ReadOnlyRefusesTypingWithABeep) {
    Edit->SetText("ab");
    Edit->SetReadOnly(true);
    int beeps = wintest::BeepCount();
    Type(u"c");
    Press(VK_BACK);
    EXPECT_EQ(Edit->Text(), "ab");
    EXPECT_EQ(wintest::BeepCount(), beeps + 2);
    Press(VK_END, wintest::Shift);
    EXPECT_EQ(Edit->SelLength(), 2) << "the caret still moves";
}

TEST_F(EditTyping, CharCaseConvertsTypedTextAndLeavesChineseAlone) {
    Edit->SetText("ab通");
    Edit->SetCharCase(ecUpperCase);
    EXPECT_EQ(Edit->Text(), "AB通");
    Press(VK_END);
    Type(u"x道y");
    EXPECT_EQ(Edit->Text(), "AB通X道Y");
    Edit->SetCharCase(ecLowerCase);
    EXPECT_EQ(Edit->Text(), "ab通x道y");
}

TEST_F(EditTyping, OnChangeFiresOnEveryChangeAndNotForTheSameText) {
    int changes = 0;
    Edit->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, Edit);
        ++changes;
    };
    Edit->SetText("ab");
    EXPECT_EQ(changes, 1);
    Edit->SetText("ab");
    EXPECT_EQ(changes, 1);
    Press(VK_END);
    Type(u"c通");
    EXPECT_EQ(changes, 3) << "a lead byte alone changes nothing";
    Press(VK_BACK);
    EXPECT_EQ(changes, 4);
    Press(VK_LEFT);
    Press(VK_HOME);
    EXPECT_EQ(changes, 4);
    Edit->SetMaxLength(3);
    Type(u"z");
    EXPECT_EQ(changes, 4) << "a refused character changes nothing";
}

}  // namespace

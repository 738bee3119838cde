// Keyboard input: key messages to the focus window (or system keys to the active one), their lParam bits, key
// state, characters from TranslateMessage, system keys and the keyboard menu, and input-method text in UTF-16
// for W windows and code page 936 bytes for A windows.
#include "MessageFixture.h"

#include <testing/Testing.h>

namespace {

class InputKeyboardTest : public MessageFixture {
protected:
    HWND MakeFocused(bool ansi = false) {
        HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, 0, false, ansi);
        SetFocus(hwnd);
        Pump();
        Clear();
        return hwnd;
    }
    std::vector<WPARAM> Characters(UINT message = WM_CHAR) const {
        std::vector<WPARAM> out;
        for (const Received& r : Taken({message})) out.push_back(r.WParam);
        return out;
    }
};

constexpr LPARAM PreviousDown = 1 << 30;
constexpr LPARAM Released = static_cast<LPARAM>(static_cast<DWORD>(1u << 31));
constexpr LPARAM AltContext = 1 << 29;

TEST_F(InputKeyboardTest, KeysReachTheFocusWindowWithRepeatAndTransitionBits) {
    HWND hwnd = MakeFocused();
    SHORT stateDuringPress = 0;
    OnMessage(hwnd, WM_KEYDOWN, [&](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        stateDuringPress = GetKeyState('A');
        return 0;
    });
    wintest::KeyDown('A');
    wintest::KeyDown('A');  // held: auto-repeat
    wintest::KeyUp('A');
    Pump();
    auto keys = Taken({WM_KEYDOWN, WM_KEYUP});
    ASSERT_EQ(keys.size(), 3u);
    for (const Received& key : keys) {
        EXPECT_EQ(key.Window, hwnd);
        EXPECT_EQ(key.WParam, static_cast<WPARAM>('A'));
        EXPECT_EQ(key.LParam & 0xFFFF, 1);  // repeat count
    }
    EXPECT_EQ(keys[0].LParam & (PreviousDown | Released), 0);
    EXPECT_EQ(keys[1].LParam & (PreviousDown | Released), PreviousDown);
    EXPECT_EQ(keys[2].Message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(keys[2].LParam & (PreviousDown | Released), PreviousDown | Released);
    EXPECT_LT(stateDuringPress, 0);
    EXPECT_GE(GetKeyState('A'), 0);
    EXPECT_EQ(Characters(), (std::vector<WPARAM>{'a', 'a'}));
}

TEST_F(InputKeyboardTest, TranslateMessageTypesWhatTheKeysSay) {
    struct Case {
        UINT vk;
        unsigned modifiers;
        WPARAM expected;  // 0: no character
    } cases[] = {
        {'Q', wintest::NoModifiers, 'q'},
        {'Q', wintest::Shift, 'Q'},
        {'7', wintest::NoModifiers, '7'},
        {'7', wintest::Shift, '&'},
        {'C', wintest::Control, 0x03},
        {VK_RETURN, wintest::NoModifiers, '\r'},
        {VK_BACK, wintest::NoModifiers, 8},
        {VK_SPACE, wintest::Shift, ' '},
        {VK_F5, wintest::NoModifiers, 0},
        {0xBD, wintest::Shift, '_'},
        {VK_NUMPAD0 + 4, wintest::NoModifiers, '4'},
    };
    MakeFocused();
    for (const Case& c : cases) {
        Clear();
        wintest::KeyPress(c.vk, c.modifiers);
        Pump();
        std::vector<WPARAM> expected;
        if (c.expected) expected.push_back(c.expected);
        EXPECT_EQ(Characters(), expected) << "vk " << c.vk << " modifiers " << c.modifiers;
    }
}

TEST_F(InputKeyboardTest, AltMakesSystemKeysAndTheKeyboardMenu) {
    HWND hwnd = MakeFocused();
    wintest::KeyPress('F', wintest::Alt);
    Pump();
    auto keys = Taken({WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP});
    ASSERT_EQ(keys.size(), 4u);
    EXPECT_EQ(keys[0].Message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(keys[0].WParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(keys[1].Message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(keys[1].WParam, static_cast<WPARAM>('F'));
    EXPECT_EQ(keys[1].LParam & AltContext, AltContext);
    EXPECT_EQ(keys[2].Message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(keys[3].Message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(keys[3].WParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(Characters(WM_SYSCHAR), (std::vector<WPARAM>{'f'}));
    auto commands = Taken({WM_SYSCOMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].Window, hwnd);
    EXPECT_EQ(commands[0].WParam, static_cast<WPARAM>(SC_KEYMENU));
    EXPECT_EQ(commands[0].LParam, 'f');

    // Alt alone asks for the keyboard menu with no character.
    Clear();
    wintest::KeyPress(VK_MENU);
    Pump();
    commands = Taken({WM_SYSCOMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].WParam, static_cast<WPARAM>(SC_KEYMENU));
    EXPECT_EQ(commands[0].LParam, 0);
}

TEST_F(InputKeyboardTest, WithoutFocusTheActiveWindowGetsSystemKeys) {
    HWND hwnd = MakeFocused();
    SetFocus(nullptr);
    ASSERT_EQ(GetActiveWindow(), hwnd);
    Clear();
    wintest::KeyPress('B');
    Pump();
    EXPECT_EQ(Messages(hwnd, {WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP}),
              (std::vector<UINT>{WM_SYSKEYDOWN, WM_SYSKEYUP}));
}

TEST_F(InputKeyboardTest, TextArrivesAsUtf16InWWindowsAndAsGbkBytesInAWindows) {
    HWND wide = MakeFocused();
    wintest::TypeText(u"通道a");
    Pump();
    EXPECT_EQ(Characters(), (std::vector<WPARAM>{0x901A, 0x9053, 'a'}));
    EXPECT_EQ(Taken({WM_CHAR}).front().Window, wide);

    MakeFocused(true);
    wintest::TypeText(u"通道a");
    Pump();
    EXPECT_EQ(Characters(), (std::vector<WPARAM>{0xCD, 0xA8, 0xB5, 0xC0, 'a'}));

    // An A message loop reads a double-byte character as its two bytes, one message each.
    Clear();
    wintest::TypeText(u"通");
    MSG msg{};
    std::vector<WPARAM> read;
    while (PeekMessageA(&msg, nullptr, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        read.push_back(msg.wParam);
        DispatchMessageA(&msg);
    }
    EXPECT_EQ(read, (std::vector<WPARAM>{0xCD, 0xA8}));
    EXPECT_EQ(Characters(), (std::vector<WPARAM>{0xCD, 0xA8}));
}

TEST(MapVirtualKey, ConvertsBetweenKeysScanCodesAndCharacters) {
    struct Case {
        UINT Code;
        UINT Type;
        UINT Expected;
    };
    const Case cases[] = {
        {'A', MAPVK_VK_TO_VSC, 0x1E},
        {VK_RETURN, MAPVK_VK_TO_VSC, 0x1C},
        {VK_UP, MAPVK_VK_TO_VSC, 0x48},
        {VK_UP, MAPVK_VK_TO_VSC_EX, 0xE048},
        {VK_RCONTROL, MAPVK_VK_TO_VSC_EX, 0xE01D},
        {VK_LCONTROL, MAPVK_VK_TO_VSC_EX, 0x1D},
        {0x1E, MAPVK_VSC_TO_VK, 'A'},
        {0x2A, MAPVK_VSC_TO_VK, VK_SHIFT},
        {0x36, MAPVK_VSC_TO_VK_EX, VK_RSHIFT},
        {0xE01D, MAPVK_VSC_TO_VK_EX, VK_RCONTROL},
        {0x1D, MAPVK_VSC_TO_VK_EX, VK_LCONTROL},
        {0xE048, MAPVK_VSC_TO_VK, VK_UP},
        {'Q', MAPVK_VK_TO_CHAR, 'Q'},
        {'7', MAPVK_VK_TO_CHAR, '7'},
        {0xBD, MAPVK_VK_TO_CHAR, '-'},
        {VK_F5, MAPVK_VK_TO_CHAR, 0},
        {'A', 9, 0},  // no such translation
    };
    for (const Case& test : cases) {
        EXPECT_EQ(MapVirtualKeyW(test.Code, test.Type), test.Expected) << test.Code << " type " << test.Type;
        EXPECT_EQ(MapVirtualKeyA(test.Code, test.Type), test.Expected) << test.Code << " type " << test.Type;
    }
}

}  // namespace

// The clipboard: opening rules and their errors, ownership of the data handed over, CF_TEXT and CF_UNICODETEXT
// made from each other through code page 936, and the desktop's text through the display driver.
#include <win32/windows.h>

#include <backend/Driver.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// "通道" in code page 936, as the compiler stores the narrow literal.
const char Gbk[] = "\xCD\xA8\xB5\xC0";

HGLOBAL Bytes(const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

std::string AnsiOf(HANDLE data) {
    std::string text(static_cast<const char*>(GlobalLock(data)));
    GlobalUnlock(data);
    return text;
}

std::u16string WideOf(HANDLE data) {
    std::u16string text(static_cast<const char16_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    return text;
}

bool Freed(HANDLE data) {
    SetLastError(0);
    return GlobalSize(data) == 0 && GetLastError() == ERROR_INVALID_HANDLE;
}

int destroyClipboardCount = 0;

LRESULT ClipboardWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROYCLIPBOARD) ++destroyClipboardCount;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class ClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = ClipboardWindowProc;
        wc.lpszClassName = u"ClipboardTestWindow";
        RegisterClassExW(&wc);
        for (HWND& window : FWindows) {
            window = CreateWindowExW(0, u"ClipboardTestWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                     nullptr);
            ASSERT_NE(window, nullptr);
        }
        destroyClipboardCount = 0;
    }
    void TearDown() override {
        CloseClipboard();
        for (HWND window : FWindows) DestroyWindow(window);
    }
    HWND FWindows[2] = {};
};

TEST_F(ClipboardTest, EverythingButOpeningNeedsItOpen) {
    SetLastError(0);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN)) << "EmptyClipboard";
    SetLastError(0);
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN)) << "CloseClipboard";
    HGLOBAL data = Bytes(Gbk, sizeof(Gbk));
    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_TEXT, data), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN)) << "SetClipboardData";
    EXPECT_FALSE(Freed(data)) << "refused data stays the caller's";
    GlobalFree(data);
    SetLastError(0);
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN)) << "GetClipboardData";
}

TEST_F(ClipboardTest, OneWindowHoldsItOpen) {
    ASSERT_TRUE(OpenClipboard(FWindows[0]));
    EXPECT_TRUE(OpenClipboard(FWindows[0])) << "the same window may open it again";
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(FWindows[1]));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(OpenClipboard(nullptr));
    ASSERT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(reinterpret_cast<HWND>(0x7fff0001)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(ClipboardTest, EmptyingMakesTheOpenerTheOwner) {
    ASSERT_TRUE(OpenClipboard(FWindows[0]));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardOwner(), FWindows[0]);
    ASSERT_TRUE(CloseClipboard());
    EXPECT_EQ(GetClipboardOwner(), FWindows[0]) << "closing keeps the owner";

    ASSERT_TRUE(OpenClipboard(FWindows[1]));
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(destroyClipboardCount, 1) << "the old owner hears that its data is gone";
    EXPECT_EQ(GetClipboardOwner(), FWindows[1]);
    ASSERT_TRUE(CloseClipboard());
    DestroyWindow(FWindows[1]);
    EXPECT_EQ(GetClipboardOwner(), nullptr);
}

TEST_F(ClipboardTest, AnsiTextReadsBackAsUnicode) {
    ASSERT_TRUE(OpenClipboard(FWindows[0]));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL data = Bytes(Gbk, sizeof(Gbk));
    ASSERT_EQ(SetClipboardData(CF_TEXT, data), data);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(GetClipboardData(CF_TEXT), data) << "the very handle handed over";
    HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(WideOf(wide), u"通道");
    ASSERT_TRUE(CloseClipboard());

    std::u16string desktop;
    ASSERT_TRUE(backend::CurrentDriver().ClipboardText(desktop));
    EXPECT_EQ(desktop, u"通道") << "the desktop sees the text once the clipboard is closed";
}

TEST_F(ClipboardTest, UnicodeTextReadsBackAsCodePage936) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    const char16_t text[] = u"通道";
    ASSERT_NE(SetClipboardData(CF_UNICODETEXT, Bytes(text, sizeof(text))), nullptr);
    ASSERT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "answered without opening";
    ASSERT_TRUE(OpenClipboard(FWindows[1]));
    HANDLE ansi = GetClipboardData(CF_TEXT);
    ASSERT_NE(ansi, nullptr);
    EXPECT_EQ(AnsiOf(ansi), std::string(Gbk));
    EXPECT_EQ(GetClipboardData(CF_TEXT), ansi) << "made once";
    ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, DataHandedOverBelongsToTheClipboard) {
    ASSERT_TRUE(OpenClipboard(FWindows[0]));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL first = Bytes("one", 4);
    HGLOBAL second = Bytes("two", 4);
    ASSERT_EQ(SetClipboardData(CF_TEXT, first), first);
    HANDLE made = GetClipboardData(CF_UNICODETEXT);
    ASSERT_EQ(SetClipboardData(CF_TEXT, second), second);
    EXPECT_TRUE(Freed(first)) << "replaced data is freed";
    EXPECT_EQ(WideOf(GetClipboardData(CF_UNICODETEXT)), u"two") << "text made from the old text is not kept";
    (void)made;
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_TRUE(Freed(second)) << "emptying frees what was handed over";
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr);

    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_TEXT, nullptr), nullptr) << "delayed rendering is not offered";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    int notMemory = 0;
    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_TEXT, &notMemory), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ASSERT_TRUE(CloseClipboard());
}

TEST_F(ClipboardTest, AnotherProgramsTextComesFromTheDesktop) {
    ASSERT_TRUE(OpenClipboard(FWindows[0]));
    ASSERT_TRUE(EmptyClipboard());
    ASSERT_TRUE(CloseClipboard());
    backend::CurrentDriver().SetClipboardText(u"外部通道");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(GetClipboardOwner(), nullptr) << "no window of ours owns it now";
    ASSERT_TRUE(OpenClipboard(FWindows[1]));
    HANDLE ansi = GetClipboardData(CF_TEXT);
    ASSERT_NE(ansi, nullptr);
    EXPECT_EQ(AnsiOf(ansi), std::string("\xCD\xE2\xB2\xBF") + Gbk);
    ASSERT_TRUE(CloseClipboard());
}

}  // namespace

// Layered windows: the attributes' rules, and how the screen mixes a layered window with what lies under it.
#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

namespace {

const COLORREF WindowColour = RGB(255, 0, 0);
const COLORREF KeyColour = RGB(0, 255, 0);
const uint32_t Desktop = 0x00008080;  // the headless desktop's teal, 0x00RRGGBB

// A red popup whose left half is painted in the key colour.
LRESULT PaintHalves(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wParam, lParam);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    RECT client;
    GetClientRect(hwnd, &client);
    HBRUSH red = CreateSolidBrush(WindowColour), green = CreateSolidBrush(KeyColour);
    RECT left = client, right = client;
    left.right = right.left = client.right / 2;
    FillRect(dc, &left, green);
    FillRect(dc, &right, red);
    DeleteObject(red);
    DeleteObject(green);
    EndPaint(hwnd, &paint);
    return 0;
}

class Layered : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = PaintHalves;
        windowClass.lpszClassName = "LayeredHalves";
        RegisterClassExA(&windowClass);
    }
    void TearDown() override {
        if (FWindow) DestroyWindow(FWindow);
        wintest::PumpUntilIdle();
    }
    HWND Make(DWORD exStyle) {
        FWindow = CreateWindowExA(exStyle, "LayeredHalves", "", WS_POPUP | WS_VISIBLE, 100, 100, 40, 20, nullptr,
                                  nullptr, nullptr, nullptr);
        wintest::PumpUntilIdle();
        return FWindow;
    }
    // Screen pixels in the left (key) and right (red) halves of the window.
    static uint32_t LeftHalf() { return wintest::Screenshot(nullptr).At(105, 110); }
    static uint32_t RightHalf() { return wintest::Screenshot(nullptr).At(135, 110); }
    HWND FWindow = nullptr;
};

// Channels may differ by one from rounding.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected) {
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) > 1) {
            std::ostringstream text;
            text << std::hex << "0x" << actual << " is not near 0x" << expected;
            return ::testing::AssertionFailure() << text.str();
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(Layered, AttributesNeedTheLayeredStyle) {
    HWND plain = Make(0);
    SetLastError(0);
    EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 128, LWA_ALPHA));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(LeftHalf(), 0x0000FF00u);
    DestroyWindow(plain);
    FWindow = nullptr;

    HWND layered = Make(WS_EX_LAYERED);
    COLORREF key = 1;
    BYTE alpha = 1;
    DWORD flags = 1;
    EXPECT_FALSE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags)) << "nothing set yet";
    EXPECT_FALSE(SetLayeredWindowAttributes(layered, 0, 128, LWA_ALPHA | 0x4)) << "unknown flag";
    ASSERT_TRUE(SetLayeredWindowAttributes(layered, KeyColour, 77, LWA_COLORKEY | LWA_ALPHA));
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(key, KeyColour);
    EXPECT_EQ(alpha, 77);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    SetLastError(0);
    EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, nullptr, nullptr, nullptr, 0, nullptr, 0))
        << "a window given attributes takes no picture";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Layered, ScreenHonoursAlphaAndColourKey) {
    HWND window = Make(WS_EX_LAYERED);
    struct Case {
        COLORREF key;
        BYTE alpha;
        DWORD flags;
        uint32_t left, right;
    } cases[] = {
        {0, 255, LWA_ALPHA, 0x0000FF00, 0x00FF0000},
        {0, 0, LWA_ALPHA, Desktop, Desktop},
        // Half opacity over teal (0, 128, 128): each channel is c * 128 / 255 + under * 127 / 255.
        {0, 128, LWA_ALPHA, 0x0000C040, 0x00804040},
        {KeyColour, 0, LWA_COLORKEY, Desktop, 0x00FF0000},
        {KeyColour, 128, LWA_COLORKEY | LWA_ALPHA, Desktop, 0x00804040},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(SetLayeredWindowAttributes(window, c.key, c.alpha, c.flags));
        EXPECT_TRUE(Near(LeftHalf(), c.left)) << "alpha " << int(c.alpha) << " flags " << c.flags;
        EXPECT_TRUE(Near(RightHalf(), c.right)) << "alpha " << int(c.alpha) << " flags " << c.flags;
    }
}

TEST_F(Layered, UpdateLayeredWindowTakesAPictureWithPerPixelAlpha) {
    HWND window = Make(WS_EX_LAYERED);
    // A premultiplied picture: left half opaque blue, right half white at alpha 0x80.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -20;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(picture, nullptr);
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) pixels[y * 40 + x] = x < 20 ? 0xFF0000FFu : 0x80808080u;
    }
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, picture);
    POINT to{200, 150}, from{0, 0};
    SIZE size{40, 20};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(window, nullptr, &to, &size, memory, &from, 0, &blend, ULW_ALPHA));
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 200);
    EXPECT_EQ(rect.top, 150);
    wintest::Picture screen = wintest::Screenshot(nullptr);
    EXPECT_EQ(screen.At(205, 160), 0x000000FFu);
    // White premultiplied at half: 0x80 + teal * (255 - 0x80) / 255.
    EXPECT_TRUE(Near(screen.At(235, 160), 0x00808080u + 0x00003F3Fu));
    EXPECT_FALSE(SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA)) << "the picture's window takes no attributes";
    BLENDFUNCTION wrong{AC_SRC_OVER, 0, 255, 0x10};
    SetLastError(0);
    EXPECT_FALSE(UpdateLayeredWindow(window, nullptr, nullptr, nullptr, memory, &from, 0, &wrong, ULW_ALPHA));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(picture);
}

}  // namespace

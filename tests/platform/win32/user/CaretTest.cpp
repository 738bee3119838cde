// The caret on a white window: drawn by inverting its rectangle, counted hiding, moving, blinking (inverted, then
// restored, then inverted again) and staying right across a repaint.
#include <win32/windows.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t White = 0x00FFFFFF;
constexpr uint32_t Black = 0x00000000;

class CaretTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = u"CaretTestWindow";
        RegisterClassExW(&wc);
        FWindow = CreateWindowExW(0, u"CaretTestWindow", u"", WS_POPUP | WS_VISIBLE, 100, 100, 120, 60, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(FWindow, nullptr);
        // No blinking unless a test asks for it: pixels are read at leisure.
        FSavedBlink = GetCaretBlinkTime();
        SetCaretBlinkTime(INFINITE);
        wintest::PumpUntilIdle();
    }
    void TearDown() override {
        DestroyCaret();
        SetCaretBlinkTime(FSavedBlink);
        DestroyWindow(FWindow);
        wintest::PumpUntilIdle();
    }
    uint32_t Pixel(int x, int y) {
        wintest::PumpUntilIdle();
        auto picture = wintest::ScreenshotClient(FWindow);
        if (picture.Empty()) return 0xFFFFFFFFu;
        // The caret inverts whole pixels, the alpha byte too; what shows is the colour.
        return picture.At(x, y) & 0x00FFFFFFu;
    }
    HWND FWindow = nullptr;
    UINT FSavedBlink = 530;
};

TEST_F(CaretTest, NewCaretIsHiddenUntilShown) {
    ASSERT_TRUE(CreateCaret(FWindow, nullptr, 2, 10));
    POINT pos{-1, -1};
    ASSERT_TRUE(GetCaretPos(&pos));
    EXPECT_EQ(pos.x, 0);
    EXPECT_EQ(pos.y, 0);
    ASSERT_TRUE(SetCaretPos(20, 10));
    EXPECT_EQ(Pixel(20, 10), White);
    ASSERT_TRUE(ShowCaret(FWindow));
    EXPECT_EQ(Pixel(20, 10), Black);
    EXPECT_EQ(Pixel(21, 19), Black) << "2 x 10 pixels";
    EXPECT_EQ(Pixel(22, 10), White);
    EXPECT_EQ(Pixel(20, 20), White);
}

TEST_F(CaretTest, HidingIsCounted) {
    ASSERT_TRUE(CreateCaret(FWindow, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(30, 5));
    ASSERT_TRUE(ShowCaret(nullptr));
    ASSERT_TRUE(HideCaret(FWindow));
    EXPECT_EQ(Pixel(30, 5), White);
    ASSERT_TRUE(HideCaret(nullptr));
    ASSERT_TRUE(ShowCaret(FWindow));
    EXPECT_EQ(Pixel(30, 5), White) << "hidden twice, shown once";
    ASSERT_TRUE(ShowCaret(FWindow));
    EXPECT_EQ(Pixel(30, 5), Black);
    ASSERT_TRUE(ShowCaret(FWindow)) << "showing a shown caret is no error";
    ASSERT_TRUE(HideCaret(FWindow));
    EXPECT_EQ(Pixel(30, 5), White) << "and does not have to be undone";
}

TEST_F(CaretTest, MovingRestoresTheOldPlace) {
    ASSERT_TRUE(CreateCaret(FWindow, nullptr, 0, 0));  // one border wide and high
    ASSERT_TRUE(ShowCaret(FWindow));
    ASSERT_TRUE(SetCaretPos(40, 20));
    EXPECT_EQ(Pixel(0, 0), White);
    EXPECT_EQ(Pixel(40, 20), Black);
    EXPECT_EQ(Pixel(41, 20), White);
    POINT pos{};
    ASSERT_TRUE(GetCaretPos(&pos));
    EXPECT_EQ(pos.x, 40);
    EXPECT_EQ(pos.y, 20);
    ASSERT_TRUE(DestroyCaret());
    EXPECT_EQ(Pixel(40, 20), White) << "destroying a shown caret removes it";
}

TEST_F(CaretTest, BlinksByInvertingAndRestoring) {
    ASSERT_TRUE(CreateCaret(FWindow, nullptr, 3, 8));
    ASSERT_TRUE(SetCaretPos(50, 30));
    SetCaretBlinkTime(60);
    auto start = Clock::now();
    ASSERT_TRUE(ShowCaret(FWindow));
    ASSERT_EQ(Pixel(50, 30), Black);
    auto waitFor = [&](uint32_t colour) {
        auto deadline = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < deadline) {
            wintest::PumpFor(5);
            if (Pixel(51, 33) == colour) return true;
        }
        return false;
    };
    ASSERT_TRUE(waitFor(White)) << "blinked off";
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count(), 60);
    ASSERT_TRUE(waitFor(Black)) << "and on again";
    ASSERT_TRUE(HideCaret(FWindow));
    wintest::PumpFor(150);
    EXPECT_EQ(Pixel(51, 33), White) << "a hidden caret does not blink";
}

TEST_F(CaretTest, SurvivesARepaint) {
    ASSERT_TRUE(CreateCaret(FWindow, nullptr, 2, 10));
    ASSERT_TRUE(SetCaretPos(60, 10));
    ASSERT_TRUE(ShowCaret(FWindow));
    ASSERT_EQ(Pixel(60, 10), Black);
    InvalidateRect(FWindow, nullptr, TRUE);
    UpdateWindow(FWindow);
    EXPECT_EQ(Pixel(60, 10), Black) << "hidden while painting, drawn again after";
    ASSERT_TRUE(HideCaret(FWindow));
    EXPECT_EQ(Pixel(60, 10), White);
}

TEST_F(CaretTest, OnlyTheOwnerShowsOrHidesIt) {
    SetLastError(0);
    EXPECT_FALSE(ShowCaret(FWindow)) << "no caret yet";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(DestroyCaret());
    EXPECT_FALSE(SetCaretPos(1, 1));

    HWND other =
        CreateWindowExW(0, u"CaretTestWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(CreateCaret(FWindow, nullptr, 2, 10));
    EXPECT_FALSE(ShowCaret(other));
    EXPECT_FALSE(HideCaret(other));
    SetLastError(0);
    EXPECT_FALSE(CreateCaret(reinterpret_cast<HWND>(0x7fff0001), nullptr, 1, 1));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

    // A new caret replaces the old one, whichever window had it.
    ASSERT_TRUE(CreateCaret(other, nullptr, 2, 10));
    EXPECT_FALSE(ShowCaret(FWindow));
    EXPECT_TRUE(ShowCaret(other));
    DestroyWindow(other);
    SetLastError(0);
    EXPECT_FALSE(ShowCaret(nullptr)) << "the caret went with its window";
}

}  // namespace

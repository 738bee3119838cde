// Nested mouse capture: only the outermost BeginCapture/EndCapture pair takes and releases the capture.
#include <skin/Capture.h>

#include <win32/windows.h>

#include <gtest/gtest.h>

namespace {

class Capture : public ::testing::Test {
protected:
    HWND FFirst = nullptr;
    HWND FSecond = nullptr;
    int FCaptureChanges = 0;

    static LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_CAPTURECHANGED) {
            auto* self = reinterpret_cast<Capture*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self) ++self->FCaptureChanges;
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }

    void SetUp() override {
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = Proc;
            wc.lpszClassName = u"SkCaptureTest";
            ASSERT_NE(RegisterClassExW(&wc), 0);
            registered = true;
        }
        FFirst = Make(100);
        FSecond = Make(300);
    }
    void TearDown() override {
        while (CaptureDepth() > 0) EndCapture();
        ReleaseCapture();
        DestroyWindow(FFirst);
        DestroyWindow(FSecond);
    }
    HWND Make(int x) {
        HWND hwnd = CreateWindowExW(0, u"SkCaptureTest", u"", WS_POPUP | WS_VISIBLE, x, 100, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        return hwnd;
    }
};

TEST_F(Capture, NestedPairsCaptureOnceAndReleaseAtTheOutermostEnd) {
    BeginCapture(FFirst);
    EXPECT_EQ(GetCapture(), FFirst);
    // The inner level neither moves the capture to its own window nor releases it.
    BeginCapture(FSecond);
    EXPECT_EQ(GetCapture(), FFirst);
    EXPECT_EQ(CaptureDepth(), 2);
    EndCapture();
    EXPECT_EQ(GetCapture(), FFirst);
    EXPECT_EQ(FCaptureChanges, 0);
    EndCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(FCaptureChanges, 1);
    EXPECT_EQ(CaptureDepth(), 0);
}

TEST_F(Capture, ACaptureTakenElsewhereIsNotReleased) {
    BeginCapture(FFirst);
    SetCapture(FSecond);
    EndCapture();
    EXPECT_EQ(GetCapture(), FSecond);
    // The remembered window is forgotten: the next pair captures afresh.
    ReleaseCapture();
    BeginCapture(FSecond);
    EXPECT_EQ(GetCapture(), FSecond);
    EndCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Capture, AnUnmatchedEndCaptureDoesNotBreakTheNextPair) {
    EndCapture();
    EXPECT_EQ(CaptureDepth(), 0);
    BeginCapture(FFirst);
    EXPECT_EQ(GetCapture(), FFirst);
    EndCapture();
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace

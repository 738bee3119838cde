// The control tests' host window and message recorder.
#include "ControlFixture.h"

#include <algorithm>

void ControlFixture::SetUp() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "ControlTestHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    RegisterClassExA(&wc);  // fails harmlessly when a previous test registered it
    Host = CreateWindowExA(0, "ControlTestHost", "host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                           nullptr, nullptr);
    ASSERT_NE(Host, nullptr);
    wintest::PumpUntilIdle();
}

void ControlFixture::TearDown() {
    DestroyWindow(Host);
    wintest::PumpUntilIdle();
    wintest::ResetInput();
}

std::unique_ptr<TWinControl> ControlFixture::MakeRoot(int left, int top, int width, int height) {
    auto root = std::make_unique<TWinControl>(nullptr);
    root->SetBounds(left, top, width, height);
    root->SetParentWindow(Host);
    return root;
}

POINT ControlFixture::Screen(HWND hwnd, int x, int y) {
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

MessageRecorder::MessageRecorder(TControl& control, std::vector<UINT> watched)
    : FControl(control), FWatched(std::move(watched)), FSaved(control.WindowProc()) {
    control.SetWindowProc([this](TMessage& message) {
        if (std::find(FWatched.begin(), FWatched.end(), message.Msg) != FWatched.end())
            FMessages.push_back(message.Msg);
        FSaved(message);
    });
}

MessageRecorder::~MessageRecorder() { FControl.SetWindowProc(FSaved); }

int MessageRecorder::Count(UINT msg) const {
    return static_cast<int>(std::count(FMessages.begin(), FMessages.end(), msg));
}

// Shared set-up for the control tests: a visible top-level host window that toolkit controls are parented to
// through ParentWindow, and a recorder for the toolkit messages a control receives.
#pragma once

#include <toolkit/WinControl.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

class ControlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A parent-less windowed control placed in the host window at (left, top), its window made and shown.
    std::unique_ptr<TWinControl> MakeRoot(int left = 10, int top = 10, int width = 200, int height = 150);
    // Where a client point of hwnd lies on the screen.
    static POINT Screen(HWND hwnd, int x, int y);

    HWND Host = nullptr;
};

// Records chosen messages a control's WindowProc sees, in order, and passes them on.
class MessageRecorder {
public:
    MessageRecorder(TControl& control, std::vector<UINT> watched);
    ~MessageRecorder();
    const std::vector<UINT>& Messages() const { return FMessages; }
    int Count(UINT msg) const;
    void Clear() { FMessages.clear(); }

private:
    TControl& FControl;
    std::vector<UINT> FWatched;
    TControl::TWndMethod FSaved;
    std::vector<UINT> FMessages;
};

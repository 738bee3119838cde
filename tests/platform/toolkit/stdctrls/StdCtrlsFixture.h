// Shared set-up for the standard control tests: a shown form to put controls on, injected input at a control's
// client points, the toolkit's own pumping (which runs the form keyboard), and pixel helpers.
#pragma once

#include <toolkit/Application.h>
#include <toolkit/Form.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>

class StdCtrlsTest : public ::testing::Test {
protected:
    // Pictures and colours here are the classic look's.
    wintest::ScopedVisualStyles FClassic{false};
    void SetUp() override {
        Form = std::make_unique<TForm>(nullptr);
        Form->SetBounds(60, 60, 360, 260);
        Form->Font()->SetName("宋体");
        Form->Font()->SetHeight(-12);
    }
    void TearDown() override {
        Form.reset();
        wintest::PumpUntilIdle();
        wintest::ResetInput();
    }

    // Makes control a child of the form (or of parent) at the given bounds.
    template <class T>
    T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
        auto* control = new T(Form.get());
        control->SetParent(parent ? parent : Form.get());
        control->SetBounds(left, top, width, height);
        return control;
    }
    void ShowForm() {
        Form->Show();
        Pump();
    }
    static void Pump() { Application->ProcessMessages(); }

    // Where client point (x, y) of control lies on the screen.
    static POINT At(TControl* control, int x, int y) { return control->ClientToScreen(POINT{x, y}); }
    static POINT Centre(TControl* control) { return At(control, control->Width() / 2, control->Height() / 2); }
    static void Click(TControl* control) {
        POINT p = Centre(control);
        wintest::MouseClick(p.x, p.y);
        Pump();
    }
    static void Key(UINT vk, unsigned modifiers = wintest::NoModifiers) {
        wintest::KeyPress(vk, modifiers);
        Pump();
    }
    // The form's client area as the display shows it.
    wintest::Picture Shot() {
        Pump();
        return wintest::ScreenshotClient(Form->Handle());
    }
    // The pixels of control's rectangle, from a shot of the form.
    wintest::Picture Crop(TControl* control) {
        wintest::Picture shot = Shot();
        POINT origin = control->ClientToScreen(POINT{0, 0});
        POINT formOrigin = Form->ClientToScreen(POINT{0, 0});
        wintest::Picture picture;
        picture.Width = control->Width();
        picture.Height = control->Height();
        for (int y = 0; y < picture.Height; ++y)
            for (int x = 0; x < picture.Width; ++x)
                picture.Pixels.push_back(shot.At(origin.x - formOrigin.x + x, origin.y - formOrigin.y + y));
        return picture;
    }

    std::unique_ptr<TForm> Form;
};

// A system colour as the 0x00RRGGBB of screenshots.
inline uint32_t SysRgb(int index) {
    COLORREF c = GetSysColor(index);
    return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

inline uint32_t Rgb(COLORREF c) {
    return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

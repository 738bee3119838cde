// Golden pictures of the classic look: an edit as it rests, focused with a selection, disabled and read-only, and
// a spin edit with its lower button held.
#include <toolkit/Application.h>
#include <toolkit/Edit.h>
#include <toolkit/Form.h>
#include <toolkit/SpinEdit.h>

#include <testing/Testing.h>

#include <Png.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(EditPicture, ClassicEditsAndSpinEdit) {
    wintest::ResetInput();
    auto form = std::make_unique<TForm>(nullptr);
    form->Font()->SetName("宋体");
    form->Font()->SetHeight(-12);
    form->SetBorderStyle(bsNone);
    form->SetBounds(200, 200, 150, 146);
    auto addEdit = [&](int top, const char* text) {
        auto* edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(6, top, 136, 21);
        edit->SetText(text);
        return edit;
    };
    addEdit(6, "通道01 normal");
    TEdit* focused = addEdit(32, "通道02 selected");
    TEdit* disabled = addEdit(58, "通道03 disabled");
    disabled->SetEnabled(false);
    TEdit* readOnly = addEdit(84, "通道04 read-only");
    readOnly->SetReadOnly(true);
    auto* spin = new TSpinEdit(form.get());
    spin->SetParent(form.get());
    spin->SetBounds(6, 112, 60, 21);
    spin->SetValue(17);
    form->Show();
    Application->ProcessMessages();

    // The lower spin button held down (the press steps the value once).
    RECT button{};
    GetWindowRect(spin->Button()->Handle(), &button);
    wintest::MouseMove(button.left + 7, button.bottom - 3);
    wintest::MouseDown();
    Application->ProcessMessages();
    EXPECT_EQ(spin->Value(), 16);
    focused->SetFocus();
    focused->SetSelStart(4);
    focused->SetSelLength(4);
    Application->ProcessMessages();
    // The caret blinks; the picture is taken without it.
    HideCaret(focused->Handle());
    Application->ProcessMessages();

    wintest::Picture shot = wintest::ScreenshotClient(form->Handle());
    ASSERT_FALSE(shot.Empty());
    EXPECT_TRUE(MatchesGolden(std::string(TEST_SOURCE_DIR) + "/platform/toolkit/edit/data/edits.png", shot.Width,
                              shot.Height, shot.Pixels.data()));
    wintest::MouseUp();
    Application->ProcessMessages();
}

}  // namespace

// The classic look of TComboBox as one golden picture: closed fields (plain, focused, disabled, editable) beside
// the open list with its highlighted row and scroll bar.
#include <toolkit/Application.h>
#include <toolkit/ComboBox.h>
#include <toolkit/Form.h>

#include <Png.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

TComboBox* AddCombo(TForm& form, int top, TComboBoxStyle style, int itemIndex) {
    auto* combo = new TComboBox(&form);
    combo->SetParent(&form);
    combo->SetBounds(8, top, 100, 21);
    combo->SetStyle(style);
    for (const char* item : {"大", "中", "小", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7"})
        combo->Items()->Add(item);
    combo->SetItemIndex(itemIndex);
    return combo;
}

// Pictures side by side, top-aligned, on black.
wintest::Picture Beside(const wintest::Picture& left, const wintest::Picture& right) {
    wintest::Picture result;
    result.Width = left.Width + right.Width;
    result.Height = std::max(left.Height, right.Height);
    result.Pixels.assign(static_cast<size_t>(result.Width) * result.Height, 0);
    for (int y = 0; y < left.Height; ++y)
        for (int x = 0; x < left.Width; ++x) result.Pixels[static_cast<size_t>(y) * result.Width + x] = left.At(x, y);
    for (int y = 0; y < right.Height; ++y)
        for (int x = 0; x < right.Width; ++x)
            result.Pixels[static_cast<size_t>(y) * result.Width + left.Width + x] = right.At(x, y);
    return result;
}

TEST(ComboBoxLook, ClassicFieldsAndOpenList) {
    wintest::ScopedVisualStyles classic(false);
    TForm form(nullptr);
    form.SetBounds(50, 50, 200, 200);
    // The program's windows use this font; the default one has no Chinese characters.
    form.Font()->SetName("宋体");
    form.Font()->SetHeight(-12);
    form.HandleNeeded();
    form.SetClientWidth(116);
    form.SetClientHeight(122);
    AddCombo(form, 8, csDropDownList, 1);
    TComboBox* focused = AddCombo(form, 36, csDropDownList, 3);
    TComboBox* disabled = AddCombo(form, 64, csDropDownList, 0);
    disabled->SetEnabled(false);
    AddCombo(form, 92, csDropDown, 4);
    form.Show();
    focused->SetFocus();
    Application->ProcessMessages();
    wintest::PumpUntilIdle();
    wintest::Picture fields = wintest::ScreenshotClient(form.Handle());

    focused->SetDropDownCount(6);
    wintest::KeyPress(VK_F4);
    wintest::KeyPress(VK_DOWN);
    Application->ProcessMessages();
    wintest::PumpUntilIdle();
    HWND list = FindWindowA("ToolkitComboList", nullptr);
    ASSERT_NE(list, nullptr);
    wintest::Picture open = wintest::Screenshot(list);
    ASSERT_FALSE(fields.Empty());
    ASSERT_FALSE(open.Empty());
    wintest::Picture both = Beside(fields, open);
    EXPECT_TRUE(MatchesGolden(std::string(TEST_SOURCE_DIR) + "/platform/toolkit/combobox/data/ComboBoxLook.png",
                              both.Width, both.Height, both.Pixels.data()));
    wintest::KeyPress(VK_ESCAPE);
    Application->ProcessMessages();
}

}  // namespace

// TEdit and TSpinEdit read from a form description: their published properties and the OnChange binding, and
// AutoSize taking the height from the font once loading ends.
#include <toolkit/Edit.h>
#include <toolkit/Form.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Reader.h>
#include <toolkit/SpinEdit.h>

#include <gtest/gtest.h>

namespace {

class TEditTestForm : public TForm {
    TOOLKIT_CLASS(TEditTestForm, TForm)

public:
    using TForm::TForm;
    TEdit* Edit1 = nullptr;
    TEdit* Edit2 = nullptr;
    TSpinEdit* Spin1 = nullptr;
    int Changes = 0;
    void Edit1Change(TObject*) { ++Changes; }
};

const auto publishedForm = Publish<TEditTestForm>()
                               .Field("Edit1", &TEditTestForm::Edit1)
                               .Field("Edit2", &TEditTestForm::Edit2)
                               .Field("Spin1", &TEditTestForm::Spin1)
                               .Method("Edit1Change", &TEditTestForm::Edit1Change);

const char kDescription[] = R"(object EditTestForm: TEditTestForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 240
    Height = 21
    MaxLength = 12
    TabOrder = 1
    Text = #36890#36947'01'
    OnChange = Edit1Change
  end
  object Edit2: TEdit
    Left = 8
    Top = 32
    Width = 100
    Height = 21
    AutoSelect = False
    BorderStyle = bsNone
    CharCase = ecUpperCase
    Color = clBtnFace
    Font.Height = -24
    ParentFont = False
    PasswordChar = '*'
    ReadOnly = True
    TabOrder = 0
    TabStop = False
  end
  object Spin1: TSpinEdit
    Left = 8
    Top = 60
    Width = 50
    Height = 22
    EditorEnabled = False
    Increment = 2
    MaxValue = 31
    MinValue = 0
    Value = 40
  end
end
)";

TEST(EditDescription, PublishedPropertiesAreReadAndBound) {
    TEditTestForm form(nullptr);
    ReadDescription(&form, kDescription);
    ASSERT_NE(form.Edit1, nullptr);
    ASSERT_NE(form.Edit2, nullptr);
    ASSERT_NE(form.Spin1, nullptr);

    TEdit& edit1 = *form.Edit1;
    EXPECT_EQ(edit1.Text(), "通道01");
    EXPECT_EQ(edit1.MaxLength(), 12);
    EXPECT_EQ(edit1.TabOrder(), 1);
    EXPECT_TRUE(edit1.TabStop());
    EXPECT_TRUE(edit1.AutoSelect());
    EXPECT_EQ(edit1.BorderStyle(), bsSingle);
    EXPECT_EQ(edit1.Color(), clWindow);
    EXPECT_FALSE(edit1.ParentColor());
    int before = form.Changes;
    edit1.SetSelText("x");
    EXPECT_EQ(form.Changes, before + 1);

    TEdit& edit2 = *form.Edit2;
    EXPECT_FALSE(edit2.AutoSelect());
    EXPECT_EQ(edit2.BorderStyle(), bsNone);
    EXPECT_EQ(edit2.CharCase(), ecUpperCase);
    EXPECT_EQ(edit2.Color(), clBtnFace);
    EXPECT_EQ(edit2.PasswordChar(), '*');
    EXPECT_TRUE(edit2.ReadOnly());
    EXPECT_FALSE(edit2.TabStop());
    EXPECT_EQ(edit2.TabOrder(), 0);
    EXPECT_GT(edit2.Height(), edit1.Height()) << "AutoSize follows the larger font";

    TSpinEdit& spin = *form.Spin1;
    EXPECT_FALSE(spin.EditorEnabled());
    EXPECT_EQ(spin.Increment(), 2);
    EXPECT_EQ(spin.MinValue(), 0);
    EXPECT_EQ(spin.MaxValue(), 31);
    EXPECT_EQ(spin.Value(), 31) << "the value is clamped into the range read before it";
}

TEST(EditDescription, EveryNamedPropertyIsPublished) {
    for (const char* name :
         {"Left",     "Top",      "Width",      "Height",      "Text",       "MaxLength",    "ReadOnly",
          "TabOrder", "TabStop",  "Font",       "Color",       "ParentFont", "ParentColor",  "Enabled",
          "Visible",  "AutoSize", "AutoSelect", "BorderStyle", "CharCase",   "PasswordChar", "OnChange",
          "OnClick",  "OnEnter",  "OnExit",     "OnKeyDown",   "OnKeyPress"}) {
        EXPECT_NE(TPropertyRegistry::FindProperty(TEdit::ClassInfo(), name), nullptr) << name;
        EXPECT_NE(TPropertyRegistry::FindProperty(TSpinEdit::ClassInfo(), name), nullptr) << name;
    }
    for (const char* name : {"MinValue", "MaxValue", "Value", "Increment", "EditorEnabled"})
        EXPECT_NE(TPropertyRegistry::FindProperty(TSpinEdit::ClassInfo(), name), nullptr) << name;
    EXPECT_EQ(FindClass("TEdit"), TEdit::ClassInfo());
    EXPECT_EQ(FindClass("TSpinEdit"), TSpinEdit::ClassInfo());
    const TPropertyInfo* autoSize = TPropertyRegistry::FindProperty(TEdit::ClassInfo(), "AutoSize");
    EXPECT_EQ(autoSize->DefaultOrdinal, 1) << "an edit sizes itself unless told otherwise";
}

}  // namespace

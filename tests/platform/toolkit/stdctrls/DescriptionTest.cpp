// The standard controls read from a description: their published names, enumeration values and references,
// nesting in a group box, and a label sized to its caption once loading ends. Descriptions are UTF-8 text.
#include "StdCtrlsFixture.h"

#include <toolkit/Button.h>
#include <toolkit/CheckBox.h>
#include <toolkit/GroupBox.h>
#include <toolkit/Label.h>
#include <toolkit/ProgressBar.h>
#include <toolkit/Reader.h>

TEST(StdCtrlsDescription, PublishedPropertiesReadBack) {
    TForm form(nullptr);
    TReader(&form).Read(
        u8R"(object Form1: TForm
  object GroupBox1: TGroupBox
    Left = 7
    Top = 125
    Width = 147
    Height = 56
    Caption = '时钟'
    object ckbDateTime: TCheckBox
      Left = 33
      Top = 34
      Width = 77
      Height = 17
      Alignment = taLeftJustify
      AllowGrayed = True
      State = cbGrayed
      Caption = '显示时钟'
    end
  end
  object Label1: TLabel
    Left = 100
    Top = 22
    Width = 1
    Height = 1
    Alignment = taRightJustify
    Layout = tlCenter
    FocusControl = ckbDateTime
    Transparent = True
    Caption = '通道数'
  end
  object btnOK: TButton
    Left = 307
    Top = 30
    Width = 51
    Height = 23
    Caption = '确认'
    Default = True
    ModalResult = 1
    Enabled = False
  end
  object btnCancel: TButton
    Caption = '取消'
    Cancel = True
    ModalResult = 2
  end
  object Gauge1: TProgressBar
    Max = 48
    Position = 60
    Step = 1
    Orientation = pbVertical
    Smooth = True
  end
end
)");
    auto* box = dynamic_cast<TCheckBox*>(form.FindComponent("ckbDateTime"));
    auto* group = dynamic_cast<TGroupBox*>(form.FindComponent("GroupBox1"));
    auto* label = dynamic_cast<TLabel*>(form.FindComponent("Label1"));
    auto* ok = dynamic_cast<TButton*>(form.FindComponent("btnOK"));
    auto* cancel = dynamic_cast<TButton*>(form.FindComponent("btnCancel"));
    auto* gauge = dynamic_cast<TProgressBar*>(form.FindComponent("Gauge1"));
    ASSERT_TRUE(box && group && label && ok && cancel && gauge);
    EXPECT_EQ(box->Parent(), group);
    EXPECT_EQ(box->Alignment(), taLeftJustify);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_TRUE(box->AllowGrayed());
    EXPECT_EQ(box->Caption(), "显示时钟");
    EXPECT_EQ(label->FocusControl(), box);
    EXPECT_EQ(label->Layout(), tlCenter);
    EXPECT_TRUE(label->Transparent());
    // Sized to its caption when loading ended, right edge kept.
    EXPECT_GT(label->Width(), 1);
    EXPECT_EQ(label->Left() + label->Width(), 101);
    EXPECT_TRUE(ok->Default());
    EXPECT_FALSE(ok->Enabled());
    EXPECT_EQ(ok->ModalResult(), mrOk);
    EXPECT_TRUE(cancel->Cancel());
    EXPECT_EQ(cancel->ModalResult(), mrCancel);
    EXPECT_EQ(cancel->Width(), 75);
    EXPECT_EQ(gauge->Max(), 48);
    EXPECT_EQ(gauge->Position(), 48);
    EXPECT_EQ(gauge->Orientation(), pbVertical);
    EXPECT_TRUE(gauge->Smooth());
}

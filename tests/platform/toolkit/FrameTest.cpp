// TFrame: a frame class reads its own description, owns what it makes, binds events to its own methods, and its
// controls join the Tab order of the form it is placed on.
#include "FormTestSupport.h"

#include <toolkit/Application.h>
#include <toolkit/DescriptionResources.h>
#include <toolkit/Frame.h>

#include <testing/Testing.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

class TAddressFrame : public TFrame {
    TOOLKIT_CLASS(TAddressFrame, TFrame)

public:
    explicit TAddressFrame(TComponent* owner) : TFrame(owner) { InitInheritedComponent("AddressFrame"); }
    int Clicks = 0;
    int LoadedCalls = 0;
    void ApplyClick(TObject*) { ++Clicks; }

protected:
    void Loaded() override {
        inherited::Loaded();
        ++LoadedCalls;
    }
};

const auto publishedFrame = Publish<TAddressFrame>().Method("ApplyClick", &TAddressFrame::ApplyClick);

const bool registered = [] {
    RegisterDescriptionResource("AddressFrame",
                                "object AddressFrame: TAddressFrame\n"
                                "  Left = 0\n"
                                "  Top = 0\n"
                                "  Width = 200\n"
                                "  Height = 80\n"
                                "  object Apply: TButton\n"
                                "    Left = 8\n"
                                "    Top = 8\n"
                                "    Width = 75\n"
                                "    Height = 25\n"
                                u8"    Caption = '应用'\n"
                                "    OnClick = ApplyClick\n"
                                "  end\n"
                                "  object Reset: TButton\n"
                                "    Left = 8\n"
                                "    Top = 40\n"
                                "    Width = 75\n"
                                "    Height = 25\n"
                                "    Caption = 'Reset'\n"
                                "  end\n"
                                "end\n");
    return true;
}();

TEST(FrameTest, AFrameReadsItsDescriptionAndItsControlsJoinTheFormsTabOrder) {
    ASSERT_TRUE(registered);
    auto form = std::make_unique<TForm>(nullptr);
    auto* before = new TButton(form.get());
    before->SetParent(form.get());
    auto* frame = new TAddressFrame(form.get());
    frame->SetBounds(0, 40, 200, 80);
    frame->SetParent(form.get());
    auto* after = new TButton(form.get());
    after->SetBounds(0, 130, 75, 25);
    after->SetParent(form.get());

    auto* apply = dynamic_cast<TButton*>(frame->FindComponent("Apply"));
    ASSERT_NE(apply, nullptr);
    EXPECT_EQ(apply->Owner(), frame);
    EXPECT_EQ(apply->Parent(), frame);
    EXPECT_EQ(apply->Caption(), "应用");
    EXPECT_EQ(frame->LoadedCalls, 1);
    EXPECT_EQ(GetParentForm(apply), form.get());
    apply->Click();
    EXPECT_EQ(frame->Clicks, 1);

    form->Show();
    before->SetFocus();
    auto* reset = frame->FindComponent("Reset");
    for (TComponent* expected : {static_cast<TComponent*>(apply), reset, static_cast<TComponent*>(after)}) {
        wintest::KeyPress(VK_TAB);
        Application->ProcessMessages();
        EXPECT_EQ(GetFocus(), dynamic_cast<TWinControl*>(expected)->Handle()) << expected->Name();
    }
    form->Hide();
}

}  // namespace

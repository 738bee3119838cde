// The paint pipeline of both bases: the three buffering modes give the same picture (window-less children
// included, and one shared-buffer paint inside another), the shared buffer's one sizing, the erase rule, and
// transparent window-less children over a framed skinned parent and over a plain form.
#include "ControlsFixture.h"

#include <Png.h>

#include <backend/HeadlessDriver.h>
#include <skin/ControlsUnit.h>
#include <skin/SkinBitmap.h>

#include <vector>

namespace {

constexpr TSkPerformance Modes[] = {vnpNoBuffer, vnpSharedBuffer, vnpDoubleBuffer};

const char* ModeName(TSkPerformance mode) {
    return mode == vnpNoBuffer ? "no buffer" : mode == vnpSharedBuffer ? "shared buffer" : "private buffer";
}

class PaintPipeline : public ControlsTest {
protected:
    // A raised, bordered parent holding a see-through child across its frame and a plain window-less child.
    void MakeParent() {
        Parent = Add<TFaceControl>(20, 20, 160, 90);
        Parent->SetBevelInner(vbvRaised);
        Parent->SetBevelOuter(vbvLowered);
        Parent->SetBevelWidth(2);
        Parent->SetBorderWidth(2);
        Parent->SetColor(static_cast<TColor>(RGB(0xC0, 0x40, 0x40)));
        Child = new TSeeThrough(Form.get());
        Child->SetParent(Parent);
        Child->SetBounds(-1, 30, 40, 30);
        Plain = new TSkGraphicControl(Form.get());
        Plain->SetParent(Parent);
        Plain->SetBounds(120, 60, 30, 20);
        Plain->SetColor(static_cast<TColor>(RGB(0x20, 0x80, 0x20)));
    }
    void SetModes(TSkPerformance parent, TSkPerformance children) {
        Parent->SetPerformance(parent);
        Child->SetPerformance(children);
        Plain->SetPerformance(children);
        Parent->Invalidate();
    }

    TFaceControl* Parent = nullptr;
    TSeeThrough* Child = nullptr;
    TSkGraphicControl* Plain = nullptr;
};

}  // namespace

TEST_F(PaintPipeline, EveryBufferingModeGivesTheSamePicture) {
    MakeParent();
    ShowForm();
    for (Look look : {Look::Classic, Look::VisualStyles}) {
        UseLook(look);
        SetModes(vnpNoBuffer, vnpNoBuffer);
        const wintest::Picture direct = Crop(Parent);
        for (TSkPerformance parent : Modes)
            for (TSkPerformance children : Modes) {
                SetModes(parent, children);
                EXPECT_EQ(Crop(Parent).Pixels, direct.Pixels)
                    << LookName(look) << ": parent " << ModeName(parent) << ", children " << ModeName(children);
            }
    }
}

TEST_F(PaintPipeline, TheSharedBufferIsSizedOnceToTheScreenAndAMargin) {
    TFaceControl* control = Add<TFaceControl>(10, 10, 50, 20);
    control->SetPerformance(vnpSharedBuffer);
    ShowForm();
    TskBitmap* buffer = SharedPaintBuffer();
    ASSERT_NE(buffer, nullptr);
    ASSERT_FALSE(buffer->Empty());
    const int width = GetSystemMetrics(SM_CXSCREEN) + 500, height = GetSystemMetrics(SM_CYSCREEN) + 500;
    EXPECT_EQ(buffer->Width(), width);
    EXPECT_EQ(buffer->Height(), height);

    // A larger screen later does not grow it, nor does a larger control.
    backend::HeadlessDriver* driver = backend::HeadlessDriver::Current();
    ASSERT_NE(driver, nullptr);
    const SIZE screen = driver->ScreenSize();
    driver->ChangeDisplay(SIZE{screen.cx + 320, screen.cy + 200}, 32);
    Pump();
    control->SetBounds(10, 10, 300, 200);
    const int paints = control->Paints;
    Pump();
    EXPECT_GT(control->Paints, paints);
    EXPECT_EQ(buffer, SharedPaintBuffer());
    EXPECT_EQ(buffer->Width(), width);
    EXPECT_EQ(buffer->Height(), height);
    driver->ChangeDisplay(screen, 32);
    Pump();
}

TEST_F(PaintPipeline, EraseRequestsPaintOnlyWithLParamSetAndAlwaysAnswerOne) {
    TFaceControl* control = Add<TFaceControl>(10, 10, 40, 20);
    control->SetBevelWidth(1);
    ShowForm();
    TskBitmap target;
    target.SetSize(40, 20);
    target.Clear(0xFF00FF00);
    const int paints = control->Paints;

    EXPECT_EQ(control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 0), 1);
    EXPECT_EQ(target.GetPixel(0, 0) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(target.GetPixel(20, 10) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(control->Paints, paints);

    EXPECT_EQ(control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(target.DC()), 1), 1);
    EXPECT_EQ(target.GetPixel(0, 0) & 0xFFFFFF, SysRgb(COLOR_BTNSHADOW));
    EXPECT_EQ(target.GetPixel(20, 10) & 0xFFFFFF, SysRgb(COLOR_WINDOW));
    EXPECT_EQ(control->Paints, paints + 1);
    EXPECT_EQ(control->Perform(WM_ERASEBKGND, 0, 1), 1);
}

TEST_F(PaintPipeline, ASeeThroughChildShowsTheParentsFrameAndFace) {
    MakeParent();
    Plain->SetVisible(false);
    Child->SetVisible(false);
    ShowForm();
    const wintest::Picture bare = Crop(Parent);
    Child->SetVisible(true);
    const wintest::Picture covered = Crop(Parent);
    // Away from the cross the child is the parent: its frame columns at the left and its face further in.
    for (POINT p : {POINT{0, 40}, POINT{1, 40}, POINT{3, 40}, POINT{6, 40}, POINT{20, 35}, POINT{20, 55}}) {
        EXPECT_EQ(covered.At(p.x, p.y), bare.At(p.x, p.y)) << p.x << ", " << p.y;
    }
    EXPECT_NE(covered.At(19, 45), bare.At(19, 45)) << "the cross";
}

class PaintPipelineLook : public PaintPipeline, public ::testing::WithParamInterface<Look> {};

TEST_P(PaintPipelineLook, SeeThroughChildrenOverAFramedParentAndOverTheForm) {
    UseLook(GetParam());
    MakeParent();
    Parent->SetFocus();
    auto* onForm = new TSeeThrough(Form.get());
    onForm->SetParent(Form.get());
    onForm->SetBounds(200, 20, 60, 40);
    ShowForm();
    Parent->SetFocus();
    Park();
    const wintest::Picture shot = Shot();
    wintest::Picture picture;
    picture.Width = 280;
    picture.Height = 130;
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x) picture.Pixels.push_back(shot.At(x, y));
    EXPECT_TRUE(MatchesGolden(Golden(std::string("SeeThrough") + LookName(GetParam())), picture.Width, picture.Height,
                              picture.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, PaintPipelineLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });

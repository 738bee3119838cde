// TSkControl's embedded scroll bars: which bars ScrollBars builds, where they lie inside the frame and how they
// narrow the client area, their scroll events handed to the control as WM_HSCROLL / WM_VSCROLL with the position
// in lParam (and nothing while UpdatingBars), and the corner square between two bars in both looks.
#include "ControlsFixture.h"

#include <Png.h>

#include <skin/SkScrollBar.h>

#include <vector>

namespace {

struct Forwarded {
    UINT Msg;
    WPARAM Code;
    LPARAM Position;
    bool operator==(const Forwarded& o) const { return Msg == o.Msg && Code == o.Code && Position == o.Position; }
};

std::ostream& operator<<(std::ostream& out, const Forwarded& f) {
    return out << (f.Msg == WM_VSCROLL ? "V" : "H") << "(" << f.Code << ", " << f.Position << ")";
}

// A framed control that notes the scroll messages its bars hand it; a vertical one may move its bar itself.
class TScrolledControl : public TFaceControl {
public:
    using TFaceControl::TFaceControl;
    void Dispatch(TMessage& message) override {
        if (message.Msg == WM_VSCROLL || message.Msg == WM_HSCROLL) {
            Scrolls.push_back({message.Msg, message.WParam, message.LParam});
            if (MoveTo >= 0 && message.Msg == WM_VSCROLL) VertBar()->SetPosition(MoveTo);
            return;
        }
        TFaceControl::Dispatch(message);
    }
    std::vector<Forwarded> Scrolls;
    int MoveTo = -1;
};

class EmbeddedBars : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Control = Add<TScrolledControl>(20, 20, 200, 120);
        Control->SetBevelWidth(1);  // a two-pixel frame
        ShowForm();
    }
    TScrolledControl* Control = nullptr;
};

TEST_F(EmbeddedBars, ScrollBarsBuildsTheBarsInsideTheFrame) {
    EXPECT_EQ(Control->HorzBar(), nullptr);
    EXPECT_EQ(Control->ClientRect(), (RECT{2, 2, 198, 118}));
    Control->SetScrollBars(vsbBoth);
    TSkScrollBar* horz = Control->HorzBar();
    TSkScrollBar* vert = Control->VertBar();
    ASSERT_NE(horz, nullptr);
    ASSERT_NE(vert, nullptr);
    EXPECT_EQ(horz->Orientation(), vnoHorizontal);
    EXPECT_EQ(vert->Orientation(), vnoVertical);
    EXPECT_EQ(horz->Owner(), Control);
    EXPECT_EQ(horz->BorderWidth(), 0);
    EXPECT_EQ(horz->BoundsRect(), (RECT{2, 101, 181, 118}));
    EXPECT_EQ(vert->BoundsRect(), (RECT{181, 2, 198, 101}));
    EXPECT_EQ(Control->ClientRect(), (RECT{2, 2, 181, 101}));

    Control->SetBounds(20, 20, 150, 90);
    Pump();
    EXPECT_EQ(horz->BoundsRect(), (RECT{2, 71, 131, 88})) << "a new size lays the bars out again";
    EXPECT_EQ(vert->BoundsRect(), (RECT{131, 2, 148, 71}));

    Control->SetScrollBars(vsbVertical);
    EXPECT_EQ(Control->HorzBar(), nullptr);
    ASSERT_NE(Control->VertBar(), nullptr);
    EXPECT_EQ(Control->VertBar()->BoundsRect(), (RECT{131, 2, 148, 88}));
    EXPECT_EQ(Control->ClientRect(), (RECT{2, 2, 131, 88}));
}

TEST_F(EmbeddedBars, BarEventsReachTheControlAsScrollMessages) {
    Control->SetScrollBars(vsbBoth);
    Pump();
    TSkScrollBar* vert = Control->VertBar();
    const POINT down = At(vert, 8, vert->SecondButtonRect().top + 8);
    wintest::MouseClick(down.x, down.y);
    Pump();
    // The control decides where the bar goes: the event's position becomes the bar's own once the control has
    // handled the message, so a control that leaves the bar alone keeps it where it was.
    EXPECT_EQ(Control->Scrolls, (std::vector<Forwarded>{{WM_VSCROLL, SB_LINEDOWN, 1}, {WM_VSCROLL, SB_ENDSCROLL, 0}}));
    EXPECT_EQ(vert->Position(), 0);

    Control->Scrolls.clear();
    Control->HorzBar()->KeyStep(VK_END);
    EXPECT_EQ(Control->Scrolls, (std::vector<Forwarded>{{WM_HSCROLL, SB_BOTTOM, 100}}));

    Control->Scrolls.clear();
    Control->MoveTo = 30;
    vert->KeyStep(VK_NEXT);
    EXPECT_EQ(Control->Scrolls, (std::vector<Forwarded>{{WM_VSCROLL, SB_PAGEDOWN, 1}}));
    EXPECT_EQ(vert->Position(), 30);

    Control->Scrolls.clear();
    Control->SetUpdatingBars(true);
    vert->KeyStep(VK_HOME);
    EXPECT_TRUE(Control->Scrolls.empty()) << "nothing is handed on while the bars are updated";
    EXPECT_EQ(vert->Position(), 0) << "and the bar takes the step itself";
}

class EmbeddedBarsLook : public EmbeddedBars, public ::testing::WithParamInterface<Look> {};

TEST_P(EmbeddedBarsLook, BothBarsAndTheCorner) {
    UseLook(GetParam());
    Control->SetColor(static_cast<TColor>(RGB(0xE0, 0xC0, 0x80)));
    std::vector<wintest::Picture> row;
    for (TSkScrollBars bars : {vsbVertical, vsbBoth}) {
        Control->SetScrollBars(bars);
        Control->VertBar()->SetPosition(40);
        Control->VertBar()->SetPageSize(30);
        Park();
        row.push_back(Crop(Control));
    }
    const wintest::Picture grid = Grid({row}, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("EmbeddedBars") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, EmbeddedBarsLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });

}  // namespace

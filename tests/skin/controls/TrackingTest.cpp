// Hot and focus tracking of both bases: MouseInControl follows the pointer between controls, into a window-less
// child and off the top-level window; HasFocus follows the focus and is cleared when the control is hidden.
#include "ControlsFixture.h"

#include <functional>
#include <vector>

namespace {

class Tracking : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        First = Add<TFaceControl>(10, 10, 80, 40);
        Second = Add<TFaceControl>(120, 10, 80, 40);
        Graphic = new TSkGraphicControl(Form.get());
        Graphic->SetParent(Form.get());
        Graphic->SetBounds(230, 10, 60, 30);
        for (TControl* control : std::initializer_list<TControl*>{First, Second, Graphic}) {
            control->OnMouseEnter = [this](TObject* sender) { Events.push_back({sender, true}); };
            control->OnMouseLeave = [this](TObject* sender) { Events.push_back({sender, false}); };
        }
        ShowForm();
        Park();
        Events.clear();
    }
    struct Event {
        TObject* Sender;
        bool Enter;
        bool operator==(const Event& other) const { return Sender == other.Sender && Enter == other.Enter; }
    };

    TFaceControl* First = nullptr;
    TFaceControl* Second = nullptr;
    TSkGraphicControl* Graphic = nullptr;
    std::vector<Event> Events;
};

}  // namespace

TEST_F(Tracking, TheHotFlagFollowsThePointerAndEachChangeRaisesItsEventOnce) {
    MoveTo(Centre(First));
    EXPECT_TRUE(First->MouseInControl());
    MoveTo(At(First, 5, 5));
    MoveTo(Centre(Second));
    EXPECT_FALSE(First->MouseInControl());
    EXPECT_TRUE(Second->MouseInControl());
    MoveTo(Centre(Graphic));
    EXPECT_FALSE(Second->MouseInControl());
    EXPECT_TRUE(Graphic->MouseInControl());
    Park();
    EXPECT_FALSE(Graphic->MouseInControl());
    const std::vector<Event> expected = {{First, true},   {First, false},  {Second, true},
                                         {Second, false}, {Graphic, true}, {Graphic, false}};
    EXPECT_EQ(Events, expected);
}

TEST_F(Tracking, LeavingTheTopLevelWindowClearsTheHotFlag) {
    const struct {
        TControl* Control;
        std::function<bool()> Hot;
    } cases[] = {{First, [this] { return First->MouseInControl(); }},
                 {Graphic, [this] { return Graphic->MouseInControl(); }}};
    for (const auto& c : cases) {
        MoveTo(Centre(c.Control));
        ASSERT_TRUE(c.Hot()) << c.Control->ClassName();
        // Straight from the control onto the bare desktop, without passing the form's own area.
        MoveTo(Form->ClientToScreen(POINT{-40, -40}));
        EXPECT_FALSE(c.Hot()) << c.Control->ClassName();
    }
}

TEST_F(Tracking, TheFocusFlagFollowsTheFocusAndIsClearedWhenHidden) {
    First->SetFocus();
    Pump();
    EXPECT_TRUE(First->HasFocus());
    EXPECT_FALSE(Second->HasFocus());
    Second->SetFocus();
    Pump();
    EXPECT_FALSE(First->HasFocus());
    EXPECT_TRUE(Second->HasFocus());
    Second->SetVisible(false);
    Pump();
    EXPECT_FALSE(Second->HasFocus());

    // The flag is the control's own: one set by CM_ENTER alone goes with the hiding too.
    First->Perform(CM_ENTER);
    ASSERT_TRUE(First->HasFocus());
    First->SetVisible(false);
    EXPECT_FALSE(First->HasFocus());
}

TEST_F(Tracking, FocusChangesRepaint) {
    Pump();
    const int paints = First->Paints;
    First->SetFocus();
    Pump();
    EXPECT_GT(First->Paints, paints);
    const int focusedPaints = First->Paints;
    Second->SetFocus();
    Pump();
    EXPECT_GT(First->Paints, focusedPaints);
}

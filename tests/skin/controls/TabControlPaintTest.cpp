// The page control's pictures in both looks, the quick repaint of the strip that leaves the pages alone, the page
// area behind a see-through child of a sheet, the focus rectangle and captions too short to show.
#include "TabControlFixture.h"

#include <Png.h>

#include <functional>
#include <string>
#include <vector>

namespace {

class TabControlLook : public TabControlTest, public ::testing::WithParamInterface<Look> {
protected:
    void SetUp() override {
        TabControlTest::SetUp();
        UseLook(GetParam());
        Pages->SetBounds(10, 10, 260, 110);
        ShowForm();
        Other->SetFocus();
        Park();
    }
};

// Counts the WM_PAINT messages a control receives.
class PaintCounter {
public:
    explicit PaintCounter(TControl* control) : FControl(control), FSaved(control->WindowProc()) {
        FControl->SetWindowProc([this](TMessage& message) {
            if (message.Msg == WM_PAINT) ++Count;
            FSaved(message);
        });
    }
    ~PaintCounter() { FControl->SetWindowProc(FSaved); }
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;
    int Count = 0;

private:
    TControl* FControl;
    TControl::TWndMethod FSaved;
};

}  // namespace

TEST_P(TabControlLook, TabsOnEverySideInEveryState) {
    std::vector<std::vector<wintest::Picture>> rows(4);
    // Along the top: the first, middle and last tab selected, then the middle one under the pointer.
    for (int selected : {0, 1, 2}) {
        Pages->SetTabIndex(selected);
        rows[0].push_back(Crop(Pages));
    }
    Pages->SetTabIndex(0);
    Pages->SetHotTrack(true);
    MoveTo(TabCentre(1));
    rows[0].push_back(Crop(Pages));
    Park();
    Pages->SetHotTrack(false);
    // Focused, disabled, and a strip too narrow for its tabs.
    Pages->SetFocus();
    rows[1].push_back(Crop(Pages));
    Other->SetFocus();
    Pages->SetEnabled(false);
    rows[1].push_back(Crop(Pages));
    Pages->SetEnabled(true);
    Pages->SetWidth(150);
    Pages->SetTabIndex(1);
    rows[1].push_back(Crop(Pages));
    // Wrapped into rows, with the selected one next to the page; then the other three sides.
    Pages->SetMultiLine(true);
    rows[2].push_back(Crop(Pages));
    Pages->SetMultiLine(false);
    Pages->SetWidth(260);
    Pages->ScrollTabs(-1);
    Pages->SetTabPosition(vttpBottom);
    rows[2].push_back(Crop(Pages));
    Pages->SetHeight(150);
    Pages->SetWidth(120);
    for (TSkTabPosition side : {vttpLeft, vttpRight}) {
        Pages->SetTabPosition(side);
        rows[3].push_back(Crop(Pages));
    }
    const wintest::Picture grid = Grid(rows, 4, 0xFF00FF);
    EXPECT_TRUE(
        MatchesGolden(Golden(std::string("Tabs") + LookName(GetParam())), grid.Width, grid.Height, grid.Pixels.data()));
}

TEST_P(TabControlLook, HoverRepaintsTheStripAloneWithoutAPaintMessage) {
    auto* inner = Add<TFaceControl>(10, 10, 60, 20, Sheets[0]);
    Pages->SetHotTrack(true);
    const wintest::Picture before = Crop(Pages);
    PaintCounter control(Pages), page(Sheets[0]), child(inner);
    MoveTo(TabCentre(1));
    EXPECT_EQ(Pages->HotTab(), 1);
    const wintest::Picture after = Crop(Pages);
    EXPECT_EQ(control.Count + page.Count + child.Count, 0) << "no WM_PAINT: the strip is copied in at once";
    const RECT tab = Pages->TabRect(1);
    bool tabChanged = false;
    for (int y = 0; y < before.Height; ++y)
        for (int x = 0; x < before.Width; ++x) {
            if (before.At(x, y) == after.At(x, y)) continue;
            ASSERT_LE(y, tab.bottom + 2) << "changed below the strip at " << x << ", " << y;
            if (x >= tab.left && x < tab.right && y >= tab.top && y < tab.bottom) tabChanged = true;
        }
    EXPECT_TRUE(tabChanged) << "the hot tab's caption takes the highlight colour";
}

TEST_P(TabControlLook, ASeeThroughChildOfASheetShowsThePageArea) {
    auto* child = new TSeeThrough(Form.get());
    child->SetParent(Sheets[0]);
    child->SetBounds(20, 20, 30, 20);
    const wintest::Picture sheet = Crop(Sheets[0]);
    const wintest::Picture seen = Crop(child);
    // The corners of the cross's picture lie off its diagonals.
    EXPECT_EQ(seen.At(seen.Width / 2, 1), sheet.At(20 + seen.Width / 2, 21));
    EXPECT_EQ(seen.At(1, seen.Height / 2), sheet.At(21, 20 + seen.Height / 2));
    if (GetParam() == Look::Classic) {
        EXPECT_EQ(sheet.At(5, 5), SysRgb(COLOR_BTNFACE));
    }
}

TEST_P(TabControlLook, TheFocusRectangleShowsInTheClassicLookOnly) {
    const wintest::Picture plain = Crop(Pages);
    Pages->SetFocus();
    const wintest::Picture focused = Crop(Pages);
    if (GetParam() == Look::VisualStyles) {
        EXPECT_EQ(plain.Pixels, focused.Pixels);
        return;
    }
    const RECT tab = Pages->TabRect(0);
    // The face grows by 2, the dotted frame lies 3 inside the face.
    int changed = 0;
    for (int y = 0; y < plain.Height; ++y)
        for (int x = 0; x < plain.Width; ++x)
            if (plain.At(x, y) != focused.At(x, y)) {
                ++changed;
                EXPECT_TRUE(x >= tab.left + 1 && x < tab.right - 1 && y >= tab.top + 1 && y < tab.bottom - 3)
                    << x << ", " << y;
            }
    EXPECT_GT(changed, 0);
}

TEST_P(TabControlLook, TabsEightPixelsLongShowNoCaption) {
    Pages->SetTabWidth(8);
    const wintest::Picture before = Crop(Pages);
    Sheets[1]->SetCaption("WWWW");
    EXPECT_EQ(Crop(Pages).Pixels, before.Pixels);
    Pages->SetTabWidth(9);
    const wintest::Picture nine = Crop(Pages);
    Sheets[1]->SetCaption("");
    EXPECT_NE(Crop(Pages).Pixels, nine.Pixels);
}

// Without HotTrack the tab under the pointer, and a disabled control's tabs, look like the others in the classic
// look; the visual style has a state for each.
TEST_P(TabControlLook, HotAndDisabledTabsShowOnlyInTheVisualStyle) {
    const struct {
        const char* Name;
        std::function<void()> Apply;
        std::function<void()> Undo;
    } cases[] = {
        {"hot", [this] { MoveTo(TabCentre(1)); }, [this] { Park(); }},
        {"disabled", [this] { Pages->SetEnabled(false); }, [this] { Pages->SetEnabled(true); }},
    };
    for (const auto& c : cases) {
        const wintest::Picture plain = Crop(Pages);
        c.Apply();
        const wintest::Picture changed = Crop(Pages);
        c.Undo();
        if (GetParam() == Look::Classic)
            EXPECT_EQ(changed.Pixels, plain.Pixels) << c.Name;
        else
            EXPECT_NE(changed.Pixels, plain.Pixels) << c.Name;
        EXPECT_EQ(Crop(Pages).Pixels, plain.Pixels) << c.Name << " undone";
    }
}

INSTANTIATE_TEST_SUITE_P(BothLooks, TabControlLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });

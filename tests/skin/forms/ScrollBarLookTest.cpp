// TSkScrollBar's pictures in both looks: horizontal and vertical bars at several positions and page sizes, the
// hot and pressed arrows, the hot and the held thumb, a disabled bar, and bars too short for their buttons, with a
// border and without buttons.
#include "FormsFixture.h"

#include <Png.h>

#include <functional>
#include <vector>

namespace {

class ScrollBarLook : public FormsTest, public ::testing::WithParamInterface<Look> {
protected:
    // The bar's picture in each of its states, from the first position with no page to a held thumb.
    std::vector<wintest::Picture> States(TSkScrollBar* bar) {
        std::vector<wintest::Picture> row;
        auto shot = [&](const std::function<void()>& arrange) {
            Park();
            arrange();
            row.push_back(Crop(bar));
            wintest::MouseUp();
            Park();
        };
        auto values = [&](int position, int page) {
            bar->SetPageSize(page);
            bar->SetPosition(position);
        };
        shot([&] { values(0, 0); });
        shot([&] { values(50, 25); });
        shot([&] { values(100, 60); });
        shot([&] {
            values(30, 10);
            bar->SetEnabled(false);
        });
        bar->SetEnabled(true);
        shot([&] { MoveTo(AtPoint(bar, Middle(bar->SecondButtonRect()))); });
        // Held at Min, the first arrow steps nowhere, so the picture does not depend on the repeat.
        shot([&] {
            values(0, 10);
            MoveTo(AtPoint(bar, Middle(bar->FirstButtonRect())));
            wintest::MouseDown();
            Pump();
        });
        shot([&] {
            values(40, 10);
            MoveTo(AtPoint(bar, Middle(bar->ThumbRect())));
        });
        shot([&] {
            MoveTo(AtPoint(bar, Middle(bar->ThumbRect())));
            wintest::MouseDown();
            Pump();
        });
        return row;
    }
};

TEST_P(ScrollBarLook, StatesPositionsAndShapes) {
    UseLook(GetParam());
    TSkScrollBar* horizontal = AddBar(10, 10, 150, 17, vnoHorizontal);
    TSkScrollBar* vertical = AddBar(170, 10, 17, 110, vnoVertical);
    TSkScrollBar* shortBar = AddBar(200, 10, 30, 17, vnoHorizontal);
    TSkScrollBar* bordered = AddBar(10, 140, 150, 21, vnoHorizontal);
    bordered->SetBorderWidth(2);
    bordered->SetPosition(70);
    TSkScrollBar* plain = AddBar(10, 170, 150, 17, vnoHorizontal);
    plain->SetShowButtons(false);
    plain->SetPageSize(50);
    plain->SetPosition(20);
    TSkScrollBar* shortVertical = AddBar(240, 10, 17, 24, vnoVertical);
    ShowForm();

    const std::vector<std::vector<wintest::Picture>> rows{
        States(horizontal), States(vertical), {Crop(shortBar), Crop(bordered), Crop(plain), Crop(shortVertical)}};
    const wintest::Picture grid = Grid(rows, 4, 0xFF00FF);
    EXPECT_TRUE(MatchesGolden(Golden(std::string("ScrollBar") + LookName(GetParam())), grid.Width, grid.Height,
                              grid.Pixels.data()));
}

INSTANTIATE_TEST_SUITE_P(BothLooks, ScrollBarLook, ::testing::Values(Look::Classic, Look::VisualStyles),
                         [](const ::testing::TestParamInfo<Look>& info) { return LookName(info.param); });

}  // namespace

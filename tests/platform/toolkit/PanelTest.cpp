// TPanel: the bevels' pixels, the caption's placement, and aligned children kept inside border and bevels.
#include "ControlFixture.h"

#include <toolkit/Panel.h>
#include <toolkit/PropertyRegistry.h>

namespace {

class Panel : public ControlFixture {
protected:
    void SetUp() override {
        ControlFixture::SetUp();
        Root = MakeRoot(0, 0, 300, 200);
        Subject = new TPanel(nullptr);
        Subject->SetBounds(10, 10, 100, 60);
        Subject->SetParent(Root.get());
        Root->Handle();
        wintest::PumpUntilIdle();
    }

    wintest::Picture Shot() {
        wintest::PumpUntilIdle();
        return wintest::ScreenshotClient(Subject->Handle());
    }

    std::unique_ptr<TWinControl> Root;
    TPanel* Subject = nullptr;  // owned by Root as its child
};

uint32_t SysRgb(int index) {
    COLORREF c = GetSysColor(index);
    return (uint32_t{GetRValue(c)} << 16) | (uint32_t{GetGValue(c)} << 8) | GetBValue(c);
}

}  // namespace

TEST_F(Panel, Defaults) {
    EXPECT_EQ(Subject->BevelOuter(), bvRaised);
    EXPECT_EQ(Subject->BevelInner(), bvNone);
    EXPECT_EQ(Subject->BevelWidth(), 1);
    EXPECT_EQ(Subject->Alignment(), taCenter);
    EXPECT_EQ(Subject->Color(), clBtnFace);
    TPanel fresh(nullptr);
    EXPECT_EQ(fresh.Width(), 185);
    EXPECT_EQ(fresh.Height(), 41);
    EXPECT_EQ(FindClass("TPanel"), TPanel::ClassInfo());
    EXPECT_NE(TPropertyRegistry::FindProperty(TPanel::ClassInfo(), "BevelInner"), nullptr);
}

TEST_F(Panel, RaisedOuterAndLoweredInnerBevels) {
    Subject->SetBevelWidth(2);
    Subject->SetBorderWidth(3);
    Subject->SetBevelInner(bvLowered);
    const uint32_t light = SysRgb(COLOR_BTNHIGHLIGHT), dark = SysRgb(COLOR_BTNSHADOW), face = SysRgb(COLOR_BTNFACE);
    ASSERT_NE(light, dark);
    wintest::Picture shot = Shot();
    ASSERT_EQ(shot.Width, 100);
    struct Probe {
        int x, y;
        uint32_t expected;
    };
    const Probe probes[] = {
        // The raised outer bevel, two lines deep: highlight top and left, shadow bottom and right.
        {0, 30, light},
        {1, 30, light},
        {50, 0, light},
        {50, 1, light},
        {99, 30, dark},
        {98, 30, dark},
        {50, 59, dark},
        {50, 58, dark},
        // The border between the bevels is face.
        {2, 30, face},
        {4, 30, face},
        {50, 4, face},
        {95, 30, face},
        // The lowered inner bevel: shadow top and left, highlight bottom and right.
        {5, 30, dark},
        {6, 30, dark},
        {50, 5, dark},
        {94, 30, light},
        {93, 30, light},
        {50, 54, light},
        // The face inside.
        {7, 30, face},
        {50, 30, face},
    };
    for (const Probe& p : probes) EXPECT_EQ(shot.At(p.x, p.y), p.expected) << "at " << p.x << "," << p.y;

    Subject->SetBevelOuter(bvLowered);
    Subject->SetBevelInner(bvNone);
    shot = Shot();
    EXPECT_EQ(shot.At(0, 30), dark);
    EXPECT_EQ(shot.At(99, 30), light);
    EXPECT_EQ(shot.At(5, 30), face);
}

TEST_F(Panel, AlignedChildSitsInsideTheFrame) {
    auto* child = new TWinControl(nullptr);
    child->SetParent(Subject);
    child->SetAlign(alClient);
    struct Frame {
        TBevelCut outer, inner;
        int bevelWidth, borderWidth, inset;
    };
    const Frame frames[] = {
        {bvRaised, bvNone, 1, 0, 1},
        {bvRaised, bvLowered, 2, 3, 7},
        {bvNone, bvRaised, 1, 4, 5},
        {bvNone, bvNone, 5, 0, 0},
    };
    for (const Frame& f : frames) {
        SCOPED_TRACE(f.inset);
        Subject->SetBevelOuter(f.outer);
        Subject->SetBevelInner(f.inner);
        Subject->SetBevelWidth(f.bevelWidth);
        Subject->SetBorderWidth(f.borderWidth);
        RECT bounds = child->BoundsRect();
        EXPECT_EQ(bounds.left, f.inset);
        EXPECT_EQ(bounds.top, f.inset);
        EXPECT_EQ(bounds.right, 100 - f.inset);
        EXPECT_EQ(bounds.bottom, 60 - f.inset);
    }
}

TEST_F(Panel, CaptionFollowsAlignment) {
    Subject->SetCaption("WWW");
    const uint32_t face = SysRgb(COLOR_BTNFACE);
    // Columns holding anything but face colour, between the bevels.
    auto inkColumns = [&](int from, int to) {
        wintest::Picture shot = Shot();
        int count = 0;
        for (int x = from; x < to; ++x)
            for (int y = 2; y < 58; ++y)
                if (shot.At(x, y) != face) {
                    ++count;
                    break;
                }
        return count;
    };
    EXPECT_GT(inkColumns(35, 65), 0);
    EXPECT_EQ(inkColumns(2, 25), 0);
    Subject->SetAlignment(taLeftJustify);
    EXPECT_GT(inkColumns(2, 25), 0);
    EXPECT_EQ(inkColumns(75, 98), 0);
    Subject->SetAlignment(taRightJustify);
    EXPECT_GT(inkColumns(75, 98), 0);
    EXPECT_EQ(inkColumns(2, 25), 0);
}

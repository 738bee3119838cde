// Alignment inside a windowed parent: edges taken in the order top, bottom, left, right, client; anchored controls
// following the parent's size; constraints limiting sizes and giving the rest back to the remaining area.
#include "ControlFixture.h"

#include <toolkit/GraphicControl.h>

using Align = ControlFixture;

namespace {

struct AlignedCase {
    const char* name;
    TAlign align;
    RECT start;     // bounds before alignment (left, top, right, bottom)
    RECT expected;  // bounds after
};

TControl* AddChild(TWinControl* parent, const AlignedCase& c) {
    auto* child = new TGraphicControl(nullptr);
    child->SetName(c.name);
    child->SetBoundsRect(c.start);
    child->SetParent(parent);
    child->SetAlign(c.align);
    return child;
}

}  // namespace

TEST_F(Align, SeveralAlignedControlsShareTheClientArea) {
    auto root = MakeRoot(0, 0, 200, 150);
    // Two top bars ordered by their Top, not by insertion; two right bars ordered by their right edge.
    const AlignedCase cases[] = {
        {"Client", alClient, {0, 0, 10, 10}, {30, 30, 160, 135}},
        {"Top2", alTop, {0, 50, 10, 60}, {0, 20, 200, 30}},
        {"Top1", alTop, {0, 5, 10, 25}, {0, 0, 200, 20}},
        {"Bottom", alBottom, {0, 0, 10, 15}, {0, 135, 200, 150}},
        {"Left", alLeft, {0, 0, 30, 10}, {0, 30, 30, 135}},
        {"RightOuter", alRight, {180, 0, 200, 10}, {180, 30, 200, 135}},
        {"RightInner", alRight, {100, 0, 120, 10}, {160, 30, 180, 135}},
        {"Free", alNone, {50, 50, 60, 60}, {50, 50, 60, 60}},
    };
    std::vector<TControl*> children;
    root->DisableAlign();
    for (const auto& c : cases) children.push_back(AddChild(root.get(), c));
    root->EnableAlign();
    for (size_t i = 0; i < children.size(); ++i) {
        RECT r = children[i]->BoundsRect();
        RECT e = cases[i].expected;
        EXPECT_TRUE(EqualRect(&r, &e)) << cases[i].name << ": " << r.left << "," << r.top << "," << r.right << ","
                                       << r.bottom;
    }

    // Hiding a bar gives its space to the others; resizing the parent re-lays everything out.
    children[3]->SetVisible(false);
    EXPECT_EQ(children[0]->Height(), 120);
    root->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(children[0]->Width(), 230);
    EXPECT_EQ(children[5]->Left(), 280);
}

TEST_F(Align, AnchorsFollowTheParentsSize) {
    auto root = MakeRoot(0, 0, 200, 100);
    struct AnchorCase {
        TAnchors anchors;
        RECT expected;  // after the parent grows by 100 × 50 from (20, 10, 60, 30)
    } cases[] = {
        {{akLeft, akTop}, {20, 10, 60, 30}},
        {{akRight, akBottom}, {120, 60, 160, 80}},
        {{akLeft, akTop, akRight, akBottom}, {20, 10, 160, 80}},
        {{}, {40, 20, 80, 40}},  // neither side: the centre keeps its proportion (40*300/200 - 20, 20*150/100 - 10)
    };
    std::vector<TControl*> children;
    for (const auto& c : cases) {
        auto* child = new TGraphicControl(nullptr);
        child->SetBounds(20, 10, 40, 20);
        child->SetParent(root.get());
        child->SetAnchors(c.anchors);
        children.push_back(child);
    }
    root->SetBounds(0, 0, 300, 150);
    for (size_t i = 0; i < children.size(); ++i) {
        RECT r = children[i]->BoundsRect();
        EXPECT_TRUE(EqualRect(&r, &cases[i].expected))
            << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST_F(Align, ConstraintsLimitSizesAndAlignmentGivesTheRestBack) {
    TGraphicControl control(nullptr);
    control.Constraints()->SetMinWidth(20);
    control.Constraints()->SetMaxWidth(50);
    control.Constraints()->SetMaxHeight(30);
    control.SetBounds(0, 0, 10, 100);
    EXPECT_EQ(control.Width(), 20);
    EXPECT_EQ(control.Height(), 30);
    control.SetWidth(80);
    EXPECT_EQ(control.Width(), 50);
    // A maximum below the minimum pulls the minimum down; negative values become 0.
    control.Constraints()->SetMaxWidth(15);
    EXPECT_EQ(control.Constraints()->MinWidth(), 15);
    EXPECT_EQ(control.Width(), 15);
    control.Constraints()->SetMinHeight(-5);
    EXPECT_EQ(control.Constraints()->MinHeight(), 0);

    auto root = MakeRoot(0, 0, 200, 100);
    auto* top = new TGraphicControl(nullptr);
    top->Constraints()->SetMaxHeight(10);
    top->SetBounds(0, 0, 50, 40);
    top->SetParent(root.get());
    top->SetAlign(alTop);
    auto* client = new TGraphicControl(nullptr);
    client->SetParent(root.get());
    client->SetAlign(alClient);
    EXPECT_EQ(top->Height(), 10);
    EXPECT_EQ(client->Top(), 10);
    EXPECT_EQ(client->Height(), 90);
}

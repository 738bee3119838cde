// TControl, TGraphicControl and TCustomControl: painting by the parent and into a given DC, clicks routed to
// window-less children, mouse enter and leave, focus chains, and properties read from a description.
#include "ControlFixture.h"

#include <toolkit/CustomControl.h>
#include <toolkit/GraphicControl.h>
#include <toolkit/Reader.h>

#include <string>

namespace {

class TSquare : public TGraphicControl {
    TOOLKIT_CLASS(TSquare, TGraphicControl)
public:
    using TGraphicControl::TGraphicControl;
    void Paint() override {
        Canvas()->Brush().SetColor(clBlue);
        RECT all{0, 0, Width(), Height()};
        Canvas()->FillRect(all);
    }
};

class TPainted : public TCustomControl {
    TOOLKIT_CLASS(TPainted, TCustomControl)
public:
    using TCustomControl::TCustomControl;
    void Paint() override {
        Canvas()->Brush().SetColor(clLime);
        RECT inner{2, 2, 8, 8};
        Canvas()->FillRect(inner);
    }
};

constexpr uint32_t Blue = 0x0000FF, Lime = 0x00FF00, White = 0xFFFFFF;

}  // namespace

using Control = ControlFixture;

TEST_F(Control, GraphicChildIsPaintedByItsParentAndGetsItsClicks) {
    auto root = MakeRoot(0, 0, 100, 80);
    root->SetColor(clWhite);
    auto* square = new TSquare(nullptr);
    square->SetBounds(10, 20, 30, 15);
    square->SetParent(root.get());
    std::vector<std::string> log;
    square->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    };
    square->OnClick = [&](TObject*) { log.push_back("click"); };
    root->OnClick = [&](TObject*) { log.push_back("root click"); };
    wintest::PumpUntilIdle();

    wintest::Picture picture = wintest::ScreenshotClient(root->Handle());
    ASSERT_FALSE(picture.Empty());
    EXPECT_EQ(picture.At(10, 20), Blue);
    EXPECT_EQ(picture.At(39, 34), Blue);
    EXPECT_EQ(picture.At(40, 34), White);
    EXPECT_EQ(picture.At(9, 20), White);

    POINT p = Screen(root->Handle(), 15, 25);
    wintest::MouseClick(p.x, p.y);
    p = Screen(root->Handle(), 60, 60);
    wintest::MouseClick(p.x, p.y);
    wintest::PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"down 5,5", "click", "root click"}));

    // Pressed on the child and released outside it: the child keeps the mouse and no click is made.
    log.clear();
    p = Screen(root->Handle(), 15, 25);
    wintest::MouseMove(p.x, p.y);
    wintest::MouseDown();
    wintest::PumpUntilIdle();
    EXPECT_EQ(TControl::CaptureControl(), square);
    p = Screen(root->Handle(), 70, 70);
    wintest::MouseMove(p.x, p.y);
    wintest::MouseUp();
    wintest::PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"down 5,5"}));
    EXPECT_EQ(TControl::CaptureControl(), nullptr);
}

TEST_F(Control, CustomControlPaintsWithItsCanvasIntoAGivenDC) {
    auto root = MakeRoot(0, 0, 100, 80);
    auto* painted = new TPainted(nullptr);
    painted->SetColor(clWhite);
    painted->SetBounds(5, 5, 40, 30);
    painted->SetParent(root.get());
    auto* square = new TSquare(nullptr);
    square->SetBounds(20, 10, 5, 5);
    square->SetParent(painted);
    wintest::PumpUntilIdle();
    wintest::Picture onScreen = wintest::ScreenshotClient(painted->Handle());
    ASSERT_FALSE(onScreen.Empty());
    EXPECT_EQ(onScreen.At(2, 2), Lime);
    EXPECT_EQ(onScreen.At(20, 10), Blue);
    EXPECT_EQ(onScreen.At(30, 20), White);

    // WM_PAINT with a DC in wParam paints the control and its window-less children into that DC.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RECT all{0, 0, 40, 30};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SendMessageA(painted->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    EXPECT_EQ(GetPixel(memory, 3, 3), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(memory, 22, 12), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(memory, 30, 20), RGB(0, 0, 0));  // no erase: WM_PAINT only paints
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
}

TEST_F(Control, MouseEnterAndLeaveFollowThePointerAcrossControls) {
    auto root = MakeRoot(0, 0, 150, 80);
    root->SetName("Root");
    auto* square = new TSquare(nullptr);
    square->SetName("Square");
    square->SetBounds(10, 10, 20, 20);
    square->SetParent(root.get());
    auto* windowed = new TWinControl(nullptr);
    windowed->SetName("Windowed");
    windowed->SetBounds(100, 10, 30, 30);
    windowed->SetParent(root.get());
    std::vector<std::string> log;
    for (TControl* c : std::vector<TControl*>{root.get(), square, windowed}) {
        c->OnMouseEnter = [&log, c](TObject*) { log.push_back("enter " + c->Name()); };
        c->OnMouseLeave = [&log, c](TObject*) { log.push_back("leave " + c->Name()); };
    }
    MessageRecorder recorder(*square, {CM_MOUSEENTER, CM_MOUSELEAVE});
    for (POINT at : {POINT{15, 15}, POINT{20, 20}, POINT{60, 60}, POINT{110, 20}, POINT{60, 60}}) {
        POINT p = Screen(root->Handle(), at.x, at.y);
        wintest::MouseMove(p.x, p.y);
        wintest::PumpUntilIdle();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"enter Square", "leave Square", "enter Root", "leave Root",
                                             "enter Windowed", "leave Windowed", "enter Root"}));
    EXPECT_EQ(recorder.Messages(), (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
}

TEST_F(Control, MouseLeaveComesWhenThePointerLeavesTheTopLevelWindowForNoWindow) {
    auto root = MakeRoot(0, 0, 150, 80);
    root->SetName("Root");
    std::vector<std::string> log;
    root->OnMouseEnter = [&log](TObject*) { log.push_back("enter"); };
    root->OnMouseLeave = [&log](TObject*) { log.push_back("leave"); };
    POINT inside = Screen(root->Handle(), 60, 40);
    wintest::MouseMove(inside.x, inside.y);
    wintest::PumpUntilIdle();
    // Far from every window: no WM_MOUSEMOVE comes, only the leave the window asked to be told of.
    wintest::MouseMove(1200, 1000);
    wintest::PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(Control, FocusMovesAlongChainsWithExitBeforeEnter) {
    auto root = MakeRoot();
    auto make = [](const char* name, TWinControl* parent, int left) {
        auto* c = new TWinControl(nullptr);
        c->SetName(name);
        c->SetBounds(left, 5, 40, 40);
        c->SetParent(parent);
        return c;
    };
    TWinControl* panel = make("Panel", root.get(), 0);
    TWinControl* inner = make("Inner", panel, 5);
    TWinControl* other = make("Other", root.get(), 100);
    std::vector<std::string> log;
    for (TWinControl* c : {panel, inner, other}) {
        c->OnEnter = [&log, c](TObject*) { log.push_back("enter " + c->Name()); };
        c->OnExit = [&log, c](TObject*) { log.push_back("exit " + c->Name()); };
    }
    EXPECT_TRUE(inner->CanFocus());
    inner->SetFocus();
    EXPECT_TRUE(inner->Focused());
    other->SetFocus();
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(inner->Focused());
    EXPECT_EQ(log, (std::vector<std::string>{"enter Panel", "enter Inner", "exit Inner", "exit Panel", "enter Other"}));

    panel->SetVisible(false);
    EXPECT_FALSE(inner->CanFocus());
    EXPECT_THROW(inner->SetFocus(), EInvalidOperation);
    other->SetEnabled(false);
    EXPECT_FALSE(other->CanFocus());
}

TEST_F(Control, PublishedPropertiesAreReadFromADescription) {
    auto root = MakeRoot(0, 0, 200, 100);
    ReadDescription(root.get(),
                    "object Root: TWinControl\n"
                    "  Color = clRed\n"
                    "  object Bar: TWinControl\n"
                    "    Height = 25\n"
                    "    Align = alTop\n"
                    u8"    Caption = '通道'\n"
                    "    Font.Name = 'Arial'\n"
                    "    Constraints.MaxHeight = 20\n"
                    "    TabStop = True\n"
                    "  end\n"
                    "  object Knob: TGraphicControl\n"
                    "    Left = 150\n"
                    "    Top = 60\n"
                    "    Width = 10\n"
                    "    Height = 10\n"
                    "    Anchors = [akRight, akBottom]\n"
                    "    Hint = 'knob'\n"
                    "  end\n"
                    "end\n");
    ASSERT_EQ(root->ControlCount(), 2);
    auto* bar = dynamic_cast<TWinControl*>(root->FindComponent("Bar"));
    auto* knob = dynamic_cast<TGraphicControl*>(root->FindComponent("Knob"));
    ASSERT_NE(bar, nullptr);
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(bar->Parent(), root.get());
    EXPECT_EQ(bar->Caption(), "通道");
    EXPECT_EQ(bar->Font()->Name(), "Arial");
    EXPECT_FALSE(bar->ParentFont());
    EXPECT_EQ(bar->Color(), clRed);  // inherited once loaded
    EXPECT_TRUE(bar->TabStop());
    RECT r = bar->BoundsRect(), expected{0, 0, 200, 20};
    EXPECT_TRUE(EqualRect(&r, &expected)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    EXPECT_EQ(knob->Hint(), "knob");
    root->SetBounds(0, 0, 220, 120);
    EXPECT_EQ(knob->Left(), 170);
    EXPECT_EQ(knob->Top(), 80);
}

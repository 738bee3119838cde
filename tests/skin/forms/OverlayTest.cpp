// TSkInplaceScrollBar and TSkSubScrollBar over a scroll box that hands the pair its messages: the overlays lie
// exactly over the native bars and copy their state, follow SetScrollInfo and ShowScrollBar and the box's
// visibility, scroll the box with the native bar's messages (page, thumb and end codes carrying the position),
// stay in front of the box, and do nothing once let go.
#include "FormsFixture.h"

#include <skin/SkSubScrollBar.h>
#include <toolkit/Panel.h>
#include <toolkit/ScrollBox.h>

#include <vector>

namespace {

// A scroll box whose messages go to an overlay pair first, as a window procedure subclassed by the pair would
// hand them on; it notes the scroll messages it is sent.
class TTargetBox : public TScrollBox {
public:
    explicit TTargetBox(TComponent* owner) : TScrollBox(owner), Pair(new TSkSubScrollBar(this, this)) {}
    TSkSubScrollBar* Pair;
    std::vector<ScrollEvent> VertScrolls;

protected:
    void WndProc(TMessage& message) override {
        if (Pair) Pair->TargetMessage(message);
        if (message.Msg == WM_VSCROLL) {
            EXPECT_EQ(message.LParam, 0) << "the window's own bar, not a control";
            VertScrolls.push_back({LOWORD(message.WParam), HIWORD(message.WParam)});
        }
        TScrollBox::WndProc(message);
    }
};

// SetScrollInfo with the fields mask names; redrawn.
void SetBarInfo(HWND window, int bar, UINT mask, int min, int max, UINT page, int position) {
    SCROLLINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    info.nMin = min;
    info.nMax = max;
    info.nPage = page;
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
}

class Overlay : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        Box = Add<TTargetBox>(20, 20, 200, 150);
        Box->Pair->SetParent(Form.get());
        // Contents larger than the box either way: both native bars show.
        auto* contents = Add<TPanel>(0, 0, 400, 500, Box);
        contents->SetColor(clWindow);
        ShowForm();
        Vert = Box->Pair->VertOverlay();
        Horz = Box->Pair->HorzOverlay();
    }
    // The native bar's rectangle in the form's client coordinates, or an empty one when it is hidden.
    RECT NativeBar(LONG object) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof(info);
        EXPECT_TRUE(GetScrollBarInfo(Box->Handle(), object, &info));
        if (info.rgstate[0] & STATE_SYSTEM_INVISIBLE) return RECT{0, 0, 0, 0};
        RECT rect = info.rcScrollBar;
        MapWindowPoints(nullptr, Form->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    SCROLLINFO NativeInfo(int bar) {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(Box->Handle(), bar, &info));
        return info;
    }
    // The overlay shows the native bar: same place, range, page and position.
    void ExpectFollows(TSkInplaceScrollBar* overlay, LONG object, int bar) {
        ASSERT_TRUE(overlay->Visible());
        EXPECT_EQ(overlay->BoundsRect(), NativeBar(object));
        const SCROLLINFO info = NativeInfo(bar);
        TSkScrollBar* skinned = overlay->ScrollBar();
        EXPECT_EQ(skinned->Min(), info.nMin);
        EXPECT_EQ(skinned->Max(), info.nMax);
        EXPECT_EQ(skinned->PageSize(), static_cast<int>(info.nPage));
        EXPECT_EQ(skinned->Position(), info.nPos);
        EXPECT_EQ(skinned->Orientation(), object == OBJID_VSCROLL ? vnoVertical : vnoHorizontal);
        EXPECT_EQ(skinned->BoundsRect(), (RECT{0, 0, overlay->Width(), overlay->Height()}));
    }

    TTargetBox* Box = nullptr;
    TSkInplaceScrollBar* Vert = nullptr;
    TSkInplaceScrollBar* Horz = nullptr;
};

TEST_F(Overlay, LiesOverTheNativeBarsWithTheirState) {
    ExpectFollows(Vert, OBJID_VSCROLL, SB_VERT);
    ExpectFollows(Horz, OBJID_HSCROLL, SB_HORZ);
    EXPECT_EQ(Vert->Parent(), Form.get());
    // What the screen shows at the native bar is the overlay's picture.
    const wintest::Picture overlay = Crop(Vert);
    const wintest::Picture bar = Crop(Vert->ScrollBar());
    EXPECT_EQ(overlay.Pixels, bar.Pixels);
}

TEST_F(Overlay, FollowsSetScrollInfoWhenTheBoxRepaints) {
    SetBarInfo(Box->Handle(), SB_VERT, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 999, 100, 300);
    // Whoever sets a window's scroll state repaints what it scrolls.
    InvalidateRect(Box->Handle(), nullptr, TRUE);
    Pump();
    ExpectFollows(Vert, OBJID_VSCROLL, SB_VERT);
    EXPECT_EQ(Vert->ScrollBar()->Position(), 300);
}

// A window with both bars of its own and nothing that shows or hides them but the test.
class TBarsWindow : public TWinControl {
public:
    explicit TBarsWindow(TComponent* owner) : TWinControl(owner), Pair(new TSkSubScrollBar(this, this)) {}
    TSkSubScrollBar* Pair;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        params.Style |= WS_VSCROLL | WS_HSCROLL;
    }
    void WndProc(TMessage& message) override {
        if (Pair) Pair->TargetMessage(message);
        TWinControl::WndProc(message);
    }
};

TEST_F(Overlay, FollowsShowScrollBarAndRangesThatHideTheBar) {
    auto* window = Add<TBarsWindow>(240, 20, 150, 120);
    window->Pair->SetParent(Form.get());
    HWND handle = window->Handle();
    for (int bar : {SB_VERT, SB_HORZ}) SetBarInfo(handle, bar, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 49, 10, 20);
    Pump();
    TSkInplaceScrollBar* vert = window->Pair->VertOverlay();
    TSkInplaceScrollBar* horz = window->Pair->HorzOverlay();
    ASSERT_TRUE(vert->Visible());
    EXPECT_EQ(vert->ScrollBar()->Position(), 20);

    ShowScrollBar(handle, SB_VERT, FALSE);
    Pump();
    EXPECT_FALSE(vert->Visible()) << "a hidden native bar hides its overlay";
    ASSERT_TRUE(horz->Visible());
    SCROLLBARINFO native{};
    native.cbSize = sizeof(native);
    GetScrollBarInfo(handle, OBJID_HSCROLL, &native);
    EXPECT_EQ(horz->Width(), native.rcScrollBar.right - native.rcScrollBar.left) << "the other bar grew";

    ShowScrollBar(handle, SB_VERT, TRUE);
    Pump();
    EXPECT_TRUE(vert->Visible());
    // A range that no longer scrolls hides the native bar by itself.
    SetBarInfo(handle, SB_HORZ, SIF_RANGE, 0, 0, 0, 0);
    Pump();
    EXPECT_FALSE(horz->Visible());
    EXPECT_TRUE(vert->Visible());
}

TEST_F(Overlay, HidesAndShowsWithTheBox) {
    Box->Hide();
    Pump();
    EXPECT_FALSE(Vert->Visible());
    EXPECT_FALSE(Horz->Visible());
    Box->Show();
    Pump();
    ExpectFollows(Vert, OBJID_VSCROLL, SB_VERT);
    ExpectFollows(Horz, OBJID_HSCROLL, SB_HORZ);
}

TEST_F(Overlay, ArrowClickScrollsTheBoxAsTheNativeArrowWould) {
    TSkScrollBar* bar = Vert->ScrollBar();
    const POINT arrow = AtPoint(bar, Middle(bar->SecondButtonRect()));
    wintest::MouseClick(arrow.x, arrow.y);
    Pump();
    // The line code alone; the end code with the position the bar holds then.
    EXPECT_EQ(Box->VertScrolls, (std::vector<ScrollEvent>{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 1}}));
    EXPECT_EQ(Box->VertScrollBar()->Position(), Box->VertScrollBar()->Increment());
    EXPECT_EQ(bar->Position(), Box->VertScrollBar()->Position()) << "the overlay follows the box's new position";
}

TEST_F(Overlay, TrackClickPagesTheBox) {
    TSkScrollBar* bar = Vert->ScrollBar();
    const RECT track = bar->TrackRect();
    const POINT below = AtPoint(bar, POINT{8, track.bottom - 3});
    wintest::MouseClick(below.x, below.y);
    Pump();
    const int page = NativeInfo(SB_VERT).nPage;
    ASSERT_EQ(Box->VertScrolls.size(), 2u);
    EXPECT_EQ(Box->VertScrolls[0], (ScrollEvent{SB_PAGEDOWN, page}));
    EXPECT_EQ(Box->VertScrolls[1].Code, SB_ENDSCROLL);
    EXPECT_EQ(Box->VertScrollBar()->Position(), page);
    EXPECT_EQ(bar->Position(), page);
}

TEST_F(Overlay, ThumbDragSendsTrackThenPositionThenEnd) {
    TSkScrollBar* bar = Vert->ScrollBar();
    const RECT thumb = bar->ThumbRect();
    MoveTo(AtPoint(bar, POINT{8, thumb.top}));
    wintest::MouseDown();
    Pump();
    MoveTo(AtPoint(bar, POINT{8, thumb.top + 20}));
    const int dragged = bar->Position();
    EXPECT_GT(dragged, 0);
    EXPECT_EQ(Box->VertScrollBar()->Position(), 0) << "the box does not track the thumb";
    EXPECT_EQ(bar->Position(), dragged) << "while the box is not scrolled, the overlay keeps the dragged thumb";
    wintest::MouseUp();
    Pump();
    EXPECT_EQ(Box->VertScrolls,
              (std::vector<ScrollEvent>{
                  {SB_THUMBTRACK, 0}, {SB_THUMBTRACK, dragged}, {SB_THUMBPOSITION, dragged}, {SB_ENDSCROLL, dragged}}));
    EXPECT_EQ(Box->VertScrollBar()->Position(), dragged);
    EXPECT_EQ(bar->Position(), dragged);
}

TEST_F(Overlay, StaysInFrontOfTheBox) {
    Box->BringToFront();
    Pump();
    HWND top = GetWindow(Form->Handle(), GW_CHILD);
    EXPECT_TRUE(top == Horz->Handle() || top == Vert->Handle()) << "an overlay is the topmost child";
    EXPECT_TRUE(GetWindow(Box->Handle(), GW_HWNDPREV) != nullptr);
    const POINT arrow = AtPoint(Vert->ScrollBar(), Middle(Vert->ScrollBar()->FirstButtonRect()));
    EXPECT_EQ(WindowFromPoint(arrow), Vert->Handle());
}

TEST_F(Overlay, LetGoThePairDoesNothingMore) {
    Box->Pair->SetTarget(nullptr);
    EXPECT_TRUE(Box->Pair->Finished());
    EXPECT_TRUE(Vert->Finished());
    EXPECT_TRUE(Horz->Finished());
    SetBarInfo(Box->Handle(), SB_VERT, SIF_POS, 0, 0, 0, 40);
    InvalidateRect(Box->Handle(), nullptr, TRUE);
    Pump();
    EXPECT_EQ(Vert->ScrollBar()->Position(), 0) << "a finished overlay no longer follows";
    const POINT arrow = AtPoint(Vert->ScrollBar(), Middle(Vert->ScrollBar()->SecondButtonRect()));
    wintest::MouseClick(arrow.x, arrow.y);
    Pump();
    EXPECT_TRUE(Box->VertScrolls.empty()) << "nor scrolls the box";
}

}  // namespace

// TScrollingWinControl: a windowed control whose children may lie beyond its client area, scrolled through the
// window's own scroll bars; TControlScrollBar describes one of those bars.
#pragma once

#include <toolkit/WinControl.h>

#include <memory>

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollingWinControl;

// One of the control's scroll bars. Range is the extent of the scrolled contents, Position how far they are
// scrolled (0 .. Range - client size); the bar shows only while Visible and the contents do not fit.
class TControlScrollBar : public TPersistent {
    TOOLKIT_CLASS(TControlScrollBar, TPersistent)

public:
    TControlScrollBar(TScrollingWinControl* control, TScrollBarKind kind);

    TScrollBarKind Kind() const { return FKind; }
    int Range() const { return FRange; }
    // Setting a range by hand turns the control's AutoScroll off.
    void SetRange(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    // The distance SB_LINEUP / SB_LINEDOWN move, 1 .. 32767.
    int Increment() const { return FIncrement; }
    void SetIncrement(int value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool value);
    // Whether dragging the thumb scrolls at once (SB_THUMBTRACK) or only when it is dropped.
    bool Tracking() const { return FTracking; }
    void SetTracking(bool value) { FTracking = value; }
    // Whether the window's bar is showing now.
    bool IsScrollBarVisible() const;

    void Assign(const TPersistent* source) override;

private:
    friend class TScrollingWinControl;

    int ControlSize() const;
    int MaxPosition() const { return FRange > ControlSize() ? FRange - ControlSize() : 0; }
    void DoSetRange(int value);
    void ScrollMessage(WORD code, int thumbPos);
    void Update();

    TScrollingWinControl* FControl;
    TScrollBarKind FKind;
    int FRange = 0;
    int FPosition = 0;
    int FIncrement = 8;
    bool FVisible = true;
    bool FTracking = false;
};

class TScrollingWinControl : public TWinControl {
    TOOLKIT_CLASS(TScrollingWinControl, TWinControl)

public:
    explicit TScrollingWinControl(TComponent* owner);
    ~TScrollingWinControl() override;

    TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
    void SetHorzScrollBar(const TControlScrollBar& value) { FHorzScrollBar->Assign(&value); }
    TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
    void SetVertScrollBar(const TControlScrollBar& value) { FVertScrollBar->Assign(&value); }
    // Whether the ranges follow the children: the furthest right and bottom edges of the children, measured from
    // the unscrolled origin.
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool value);

    // Moves every child by (dx, dy) and repaints; the scroll bars' positions are not changed.
    void ScrollBy(int dx, int dy);
    // Scrolls just far enough that control (a child or a deeper descendant) is inside the client area.
    void ScrollInView(TControl* control);
    // Recomputes the ranges from the children (with AutoScroll) and brings the window's bars up to date.
    void UpdateScrollBars();

protected:
    void WndProc(TMessage& message) override;
    void CreateWnd() override;
    // The children are aligned in the whole scrolled area, shifted by the scroll position.
    void AdjustClientRect(RECT& rect) override;
    void AlignControls(TControl* control, RECT& rect) override;
    // Unless OnMouseWheel takes it, the wheel scrolls the vertical bar (or, without one, the horizontal bar) by
    // the system's wheel lines per notch.
    bool DoMouseWheel(TShiftState shift, int wheelDelta, POINT mousePos) override;

private:
    friend class TControlScrollBar;

    void CalcAutoRange();

    std::unique_ptr<TControlScrollBar> FHorzScrollBar;
    std::unique_ptr<TControlScrollBar> FVertScrollBar;
    bool FAutoScroll = true;
    int FUpdatingScrollBars = 0;
};

// TSkControl: the windowed base of the skinned controls: painting through one of three buffers, the bevelled
// frame (or the visual-style edit frame), hot and focus tracking, and the places embedded scroll bars fit into.
#pragma once

#include <toolkit/CustomControl.h>
#include <toolkit/Set.h>

#include <memory>

// How Paint buffers: straight into the window, through the one shared screen-sized bitmap, or through a bitmap of
// its own made for each paint.
enum TSkPerformance { vnpNoBuffer, vnpSharedBuffer, vnpDoubleBuffer };
enum TSkBevelCut { vbvNone, vbvLowered, vbvRaised, vbvSpace, vbvBorder, vbvFlatBorder };
enum TSkBevelSide { vbsLeft, vbsTop, vbsRight, vbsBottom };
using TSkBevelSides = TSet<TSkBevelSide>;
// Presets of the two cuts; vbkNone leaves them as they are.
enum TSkBevelKind { vbkNone, vbkSingle, vbkTile, vbkSoft, vbkBorder, vbkFlat };
// Which embedded scroll bars a control shows (not published by the base).
enum TSkScrollBars { vsbNone, vsbHorizontal, vsbVertical, vsbBoth };

class TSkScrollBar;

class TSkControl : public TCustomControl {
    TOOLKIT_CLASS(TSkControl, TCustomControl)

public:
    explicit TSkControl(TComponent* owner);
    ~TSkControl() override;

    TSkPerformance Performance() const { return FPerformance; }
    void SetPerformance(TSkPerformance value);
    // Set between CM_ENTER and CM_EXIT, and cleared when the control is hidden.
    bool HasFocus() const { return FHasFocus; }
    // Set between CM_MOUSEENTER and CM_MOUSELEAVE.
    bool MouseInControl() const { return FMouseInControl; }
    TSkScrollBars ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TSkScrollBars value);
    // While set, the embedded bars' scroll events are not passed on.
    bool UpdatingBars() const { return FUpdatingBars; }
    void SetUpdatingBars(bool value) { FUpdatingBars = value; }
    TSkScrollBar* HorzBar() const { return FHorzBar; }
    TSkScrollBar* VertBar() const { return FVertBar; }
    // Font as it was when the current (or last) paint began.
    TFont* PaintFont() const { return FPaintFont.get(); }

    // The frame: BorderWidth rings in Color inside BevelWidth-pixel outer and inner bevels on BevelSides.
    // Every setter ignores an unchanged value, else calls BorderChanged and repaints.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TSkBevelCut BevelInner() const { return FBevelInner; }
    // Both cuts reset BevelKind to vbkNone first.
    void SetBevelInner(TSkBevelCut value);
    TSkBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TSkBevelCut value);
    TSkBevelSides BevelSides() const { return FBevelSides; }
    void SetBevelSides(TSkBevelSides value);
    TSkBevelKind BevelKind() const { return FBevelKind; }
    void SetBevelKind(TSkBevelKind value);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // The visual-style edit frame instead of the bevels while visual styles are active.
    bool UseSystemStyle() const { return FUseSystemStyle; }
    void SetUseSystemStyle(bool value);
    // The size last given to the window; the frame's geometry uses these.
    int CachedWidth() const { return FCachedWidth; }
    int CachedHeight() const { return FCachedHeight; }

    // The buffered pipeline: frame, client, then the window-less children, all into the chosen buffer.
    void Paint() override;
    // The frame ring between the whole rectangle and GetInnerRect.
    virtual void PaintBorder();
    // Everything inside the frame; the base fills GetInnerRect with Color.
    virtual void PaintClient();
    // The rectangle inside the frame, in client coordinates.
    virtual RECT GetInnerRect();
    // One embedded bar, owned by the control: the base makes a plain TSkScrollBar.
    virtual TSkScrollBar* CreateScrollBar();
    // The bars' thickness: SM_CYVTHUMB.
    virtual int GetScrollBarSize();
    // After a bevel or border property changed, before the repaint.
    virtual void BorderChanged() {}

    // Invalidates rect of the window without erasing.
    void InvalidateRect(const RECT& rect);

    void SetBounds(int left, int top, int width, int height) override;
    // GetInnerRect less the embedded bars.
    RECT ClientRect() override;
    void Dispatch(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Loaded() override;
    void MouseEnter() override { DoMouseEnter(); }
    void MouseLeave() override { DoMouseLeave(); }

    // Set or clear MouseInControl and raise OnMouseEnter / OnMouseLeave; controls with a hot look add a repaint.
    virtual void DoMouseEnter();
    virtual void DoMouseLeave();
    // Set or clear HasFocus and repaint.
    virtual void DoFocusEnter();
    virtual void DoFocusExit();

private:
    void BuildScrollBars();
    void LayoutScrollBars();
    // A bar's scroll event, handed to the control itself as WM_HSCROLL or WM_VSCROLL with the position in lParam.
    void BarScroll(bool horizontal, int code, int& position);
    void FrameChanged();
    // The frame and the client into dc through the canvas (WM_ERASEBKGND with lParam 1).
    void PaintInto(HDC dc);
    void PaintBevel(RECT& rect, TSkBevelCut cut, bool outer);

    TSkPerformance FPerformance = vnpNoBuffer;
    bool FHasFocus = false;
    bool FMouseInControl = false;
    TSkScrollBar* FHorzBar = nullptr;
    TSkScrollBar* FVertBar = nullptr;
    TSkScrollBars FScrollBars = vsbNone;
    bool FUpdatingBars = false;
    std::unique_ptr<TFont> FPaintFont;
    int FBorderWidth = 0;
    TSkBevelCut FBevelInner = vbvLowered;
    TSkBevelCut FBevelOuter = vbvLowered;
    TSkBevelSides FBevelSides{vbsLeft, vbsTop, vbsRight, vbsBottom};
    TSkBevelKind FBevelKind = vbkNone;
    int FBevelWidth = 0;
    bool FUseSystemStyle = true;
    int FCachedWidth = 0;
    int FCachedHeight = 0;
};

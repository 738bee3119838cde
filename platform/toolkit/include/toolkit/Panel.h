// TCustomPanel and TPanel: a container drawn as raised or lowered bevels around a face with a caption, its
// children aligned inside the bevels.
#pragma once

#include <toolkit/BorderStyle.h>
#include <toolkit/CustomControl.h>

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

class TCustomPanel : public TCustomControl {
    TOOLKIT_CLASS(TCustomPanel, TCustomControl)

public:
    explicit TCustomPanel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut value);
    // Line width of each bevel, at least 1.
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int value);
    // Face-coloured space between the outer and the inner bevel, at least 0.
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    // Values beyond bsSingle are taken as bsSingle.
    void SetBorderStyle(TBorderStyle value);

    void Paint() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(RECT& rect) override;
    void WndProc(TMessage& message) override;

private:
    void FrameChanged();

    TAlignment FAlignment = taCenter;
    TBevelCut FBevelInner = bvNone;
    TBevelCut FBevelOuter = bvRaised;
    int FBevelWidth = 1;
    int FBorderWidth = 0;
    TBorderStyle FBorderStyle = bsNone;
};

class TPanel : public TCustomPanel {
    TOOLKIT_CLASS(TPanel, TCustomPanel)

public:
    using TCustomPanel::TCustomPanel;
};

// TProgressBar: the classic progress indicator: a sunken frame with blocks (or a smooth bar) in the highlight
// colour covering Position's share of Min..Max, horizontally or vertically.
#pragma once

#include <toolkit/CustomControl.h>

enum TProgressBarOrientation { pbHorizontal, pbVertical };

class TProgressBar : public TCustomControl {
    TOOLKIT_CLASS(TProgressBar, TCustomControl)

public:
    explicit TProgressBar(TComponent* owner);

    // Position stays within Min..Max; a Max below Min keeps Position at Min.
    int Min() const { return FMin; }
    void SetMin(int value);
    int Max() const { return FMax; }
    void SetMax(int value);
    int Position() const { return FPosition; }
    void SetPosition(int value);
    int Step() const { return FStep; }
    void SetStep(int value) { FStep = value; }
    // Advances by Step; passing Max starts over from Min, as the common control's PBM_STEPIT does.
    void StepIt();
    // Moves by delta, stopping at Min or Max.
    void StepBy(int delta);
    TProgressBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TProgressBarOrientation value);
    bool Smooth() const { return FSmooth; }
    void SetSmooth(bool value);

    void Paint() override;

private:
    int Clamped(int value) const;

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FStep = 10;
    TProgressBarOrientation FOrientation = pbHorizontal;
    bool FSmooth = false;
};

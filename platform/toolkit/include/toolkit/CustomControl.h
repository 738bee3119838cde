// TCustomControl: a windowed control that paints itself through a canvas in a virtual Paint.
#pragma once

#include <toolkit/ControlCanvas.h>
#include <toolkit/WinControl.h>

#include <memory>

class TCustomControl : public TWinControl {
    TOOLKIT_CLASS(TCustomControl, TWinControl)

public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;

    // Points at the paint DC while Paint runs (WM_PAINT's own DC when it brings one); outside Paint it draws
    // through a DC of the window. Public, with Paint, so that a control painting its parent's background can
    // re-point it and call Paint.
    TCanvas* Canvas() const { return FCanvas.get(); }
    virtual void Paint() {}

protected:
    void Dispatch(TMessage& message) override;
    void PaintWindow(HDC dc) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

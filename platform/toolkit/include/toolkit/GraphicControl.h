// TGraphicControl: a control without a window of its own, painted by its parent into the parent's DC and
// receiving the mouse messages its parent routes to it.
#pragma once

#include <toolkit/Control.h>
#include <toolkit/ControlCanvas.h>

#include <memory>

class TGraphicControl : public TControl {
    TOOLKIT_CLASS(TGraphicControl, TControl)

public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;

    // Points at the parent's paint DC (origin on the control, clipped to it) while Paint runs; outside Paint it
    // draws through a DC of the parent's window. Public, with Paint, so that a control painting its parent's
    // background can re-point it and call Paint.
    TCanvas* Canvas() const { return FCanvas.get(); }
    virtual void Paint() {}

protected:
    void Dispatch(TMessage& message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};

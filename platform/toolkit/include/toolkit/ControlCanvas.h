// TControlCanvas: a canvas that draws on a control, getting a DC of the control's window (or its parent's, moved
// and clipped to the control, for a window-less one) when first asked.
#pragma once

#include <functional>

#include <toolkit/Canvas.h>

class TControl;

class TControlCanvas : public TCanvas {
    TOOLKIT_CLASS(TControlCanvas, TCanvas)

public:
    TControlCanvas() = default;
    ~TControlCanvas() override;

    TControl* Control() const { return FControl; }
    void SetControl(TControl* control);
    // Gives back the DC this canvas asked for, if any.
    void FreeHandle();
    // Gives back every control canvas's DC on window, before that window goes.
    static void FreeDeviceContexts(HWND window);
    // Runs paint with the canvas locked and pointed at dc, and lets go of dc afterwards, also when paint throws.
    void PaintOn(HDC dc, const std::function<void()>& paint);

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};

// TCustomGroupBox and TGroupBox: an etched frame with the caption on its top line, holding child controls
// inside it; its accelerator focuses the first child.
#pragma once

#include <toolkit/CustomControl.h>

class TCustomGroupBox : public TCustomControl {
    TOOLKIT_CLASS(TCustomGroupBox, TCustomControl)

public:
    explicit TCustomGroupBox(TComponent* owner);

    void Paint() override;

protected:
    // Children stay below the caption and inside the frame.
    void AdjustClientRect(RECT& rect) override;
    void WndProc(TMessage& message) override;

private:
    int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
    TOOLKIT_CLASS(TGroupBox, TCustomGroupBox)

public:
    using TCustomGroupBox::TCustomGroupBox;
};

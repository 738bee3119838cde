// TScrollBox: a bordered, scrolling container for other controls.
#pragma once

#include <toolkit/BorderStyle.h>
#include <toolkit/ScrollingWinControl.h>

class TScrollBox : public TScrollingWinControl {
    TOOLKIT_CLASS(TScrollBox, TScrollingWinControl)

public:
    explicit TScrollBox(TComponent* owner);

    TBorderStyle BorderStyle() const { return FBorderStyle; }
    // Values beyond bsSingle are taken as bsSingle.
    void SetBorderStyle(TBorderStyle value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TBorderStyle FBorderStyle = bsSingle;
};

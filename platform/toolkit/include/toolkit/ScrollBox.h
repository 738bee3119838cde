// TScrollBox: a bordered, scrolling container for other controls.
#pragma once

#include <toolkit/Form.h>
#include <toolkit/ScrollingWinControl.h>

// The border of a plain container: bsNone or bsSingle (the sunken client edge); the form's wider set starts the same.
using TBorderStyle = TFormBorderStyle;

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

// TCustomLabel and TLabel: a window-less caption painted by its parent, sized to its text, that hands the focus
// to another control on its accelerator.
#pragma once

#include <toolkit/GraphicControl.h>
#include <toolkit/Panel.h>

#include <string>

class TWinControl;

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
    TOOLKIT_CLASS(TCustomLabel, TGraphicControl)

public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    // The width stays and only the height follows the text while WordWrap is on.
    void SetAutoSize(bool value) override;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // Off: an '&' is shown as it is and marks no accelerator.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    // On: the parent shows through around the letters; off: the label fills itself with Color first.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    // The control that receives the focus when the label's accelerator is typed; not owned.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);

    void Paint() override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;
    // Sizes the label to its text when AutoSize is on; a right-justified label keeps its right edge.
    void AdjustBounds();
    // DrawTextA with the label's flags: the caption, or its size with DT_CALCRECT. Disabled labels draw the
    // embossed grey of classic Windows.
    void DoDrawText(HDC dc, RECT& rect, UINT flags);

private:
    // The caption as drawn and measured, and the DrawTextA flags that every use of it shares.
    std::string DrawnCaption() const;
    UINT TextFlags() const;

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    bool FTransparent = false;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
    TOOLKIT_CLASS(TLabel, TCustomLabel)

public:
    using TCustomLabel::TCustomLabel;
};

// TSkCheckBox: the skinned check box: a 13 × 13 glyph beside a caption, two or three states, toggled by the mouse,
// the space bar and its accelerator, with OnClick on every change of state.
#pragma once

#include <skin/SkControl.h>
#include <skin/ThemeBinding.h>

#include <cstdint>
#include <string>

enum TSkCheckBoxState { vcbsUnChecked, vcbsChecked, vcbsMixed };
// Which side the glyph sits on.
enum TSkLeftRight { valLeftJustify, valRightJustify };

class TSkCheckBox : public TSkControl {
    TOOLKIT_CLASS(TSkCheckBox, TSkControl)

public:
    explicit TSkCheckBox(TComponent* owner);
    ~TSkCheckBox() override;

    // The caption as wide text, mirrored into the control's (ANSI) Text.
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& value);
    // A change raises OnClick (unless the box is being read from a description) and repaints.
    TSkCheckBoxState State() const { return FState; }
    void SetState(TSkCheckBoxState value);
    bool Checked() const { return FState == vcbsChecked; }
    void SetChecked(bool value) { SetState(value ? vcbsChecked : vcbsUnChecked); }
    // Whether a click passes through the mixed state.
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value) { FAllowGrayed = value; }
    TSkLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TSkLeftRight value);
    // Between the glyph and the caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // The parent's picture behind glyph and caption instead of Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value) { FTheme.SetThemeObject(value); }
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value) { FTheme.SetThemeLink(value); }
    // Held down on the box by the left button or the space bar.
    bool Pressed() const { return FPressed; }

    void SetAutoSize(bool value) override;
    void PaintClient() override;
    // Unchecked → mixed (when AllowGrayed) or checked; checked → unchecked; mixed → checked.
    virtual void Toggle();
    // The theme's glyph size when the theme defines the check box, else 13 × 13.
    virtual SIZE GetCheckSize();
    void Dispatch(TMessage& message) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    // OnClick, unless the box is being read from a description.
    virtual void DoClick();
    virtual void PaintFace();
    virtual void PaintCaption();
    // With AutoSize, the width that holds glyph, spacing and caption.
    void AdjustSize() override;

private:
    bool ThemeDefined();
    // Of the four conditions every state has, the first that holds: 3 disabled, 2 pressed, 1 hot, 0 normal.
    int Condition() const;
    // The state number the theme's check box drawing takes.
    std::uint8_t ThemeState() const;
    // The caption's box measured as the paint lays it out: (0, 0, width, height) before placing.
    RECT MeasureCaption(TCanvas* canvas);

    std::u16string FCaption;
    TSkCheckBoxState FState = vcbsUnChecked;
    bool FAllowGrayed = false;
    TSkLeftRight FAlignment = valLeftJustify;
    int FSpacing = 5;
    bool FWordWrap = false;
    bool FTransparent = true;
    bool FPressed = false;
    TskThemeBinding FTheme{this};
};

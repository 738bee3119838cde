// TSkGroupBox: the skinned group: an etched frame (or the visual style's group frame) with its caption in the gap
// of the top line, or in place of the caption a check box that enables and disables the group's children.
#pragma once

#include <skin/SkCheckBox.h>
#include <skin/SkControl.h>
#include <skin/ThemeBinding.h>

#include <string>

class TSkGroupBox : public TSkControl {
    TOOLKIT_CLASS(TSkGroupBox, TSkControl)

public:
    explicit TSkGroupBox(TComponent* owner);
    ~TSkGroupBox() override;

    // Kept apart from the control's Text; with the check box shown, its caption.
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& value);
    // x of the caption's left edge.
    int CaptionMargin() const { return FCaptionMargin; }
    void SetCaptionMargin(int value);
    // A check box in place of the caption; unchecking it disables every child but the check box.
    bool UseCheckBox() const { return FUseCheckBox; }
    void SetUseCheckBox(bool value);
    // The check box while UseCheckBox is on, else nullptr; owned by the group box.
    TSkCheckBox* CheckBox() const { return FCheckBox; }
    TSkLeftRight CheckBoxAlignment() const;
    void SetCheckBoxAlignment(TSkLeftRight value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value);
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value);

    // True whenever the check box is shown; otherwise the value last set.
    bool GetEnabled() const override;
    // With the check box shown the group stays enabled; the children follow (see CM_ENABLEDCHANGED).
    void SetEnabled(bool value) override;

    void PaintClient() override;
    // The etched frame's rectangle: (3, h / 2 + 1, Width - 2, Height - 2), h the caption's (or check box's) height.
    virtual RECT GetFrameRect();
    void Dispatch(TMessage& message) override;

    TNotifyEvent OnCheckBoxClick;

protected:
    // The check box's click: Checked follows it, then OnClick and OnCheckBoxClick.
    virtual void CheckBoxClick();
    virtual TSkCheckBox* CreateCheckBox();
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void AdjustClientRect(RECT& rect) override;

private:
    bool ThemeDefined();
    bool CheckBoxShown() const { return FCheckBox != nullptr; }
    // The caption's size with the group's (or the theme's group) font; "Tg" stands in for an empty caption's
    // height.
    SIZE CaptionExtent();
    // Where the caption, or the check box, goes.
    RECT CaptionRect();
    void PlaceCheckBox();
    void EnableChildren();

    std::u16string FCaption;
    // The caption in the ANSI code page, as it is measured.
    std::string FAnsiCaption;
    int FCaptionMargin = 12;
    bool FUseCheckBox = false;
    TSkCheckBox* FCheckBox = nullptr;
    TSkLeftRight FCheckBoxAlignment = valLeftJustify;
    bool FChecked = true;
    bool FGroupEnabled = true;
    bool FTransparent = true;
    TskThemeBinding FTheme{this};
};

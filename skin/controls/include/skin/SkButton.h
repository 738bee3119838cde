// TSkButton: the skinned push button: a face, a caption and an optional glyph in the theme's look or the built-in
// one (the visual style's push button or a classic raised face); Default and Cancel in the form's dialog keys,
// ModalResult handed to the form on a click, the space bar and the caption's accelerator.
#pragma once

#include <skin/SkControl.h>
#include <skin/SkFontOptions.h>
#include <skin/ThemeBinding.h>
#include <toolkit/Bitmap.h>
#include <toolkit/Buttons.h>
#include <toolkit/ModalResult.h>
#include <toolkit/Panel.h>

#include <cstdint>
#include <memory>
#include <string>

class TCustomImageList;

class TSkButton : public TSkControl {
    TOOLKIT_CLASS(TSkButton, TSkControl)

public:
    explicit TSkButton(TComponent* owner);
    ~TSkButton() override;

    // The caption as wide text, mirrored into the control's (ANSI) Text.
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& value);
    // Where the block of caption and glyph sits across the button.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    // True while Enter would click this button although it has no focus: it is the default button and the
    // focus is on a control that is not a button. Follows CM_FOCUSCHANGED only.
    bool ActiveDefault() const { return FActiveDefault; }
    // The glyph in greys unless the pointer is over the button.
    bool BlackAndWhiteGlyph() const { return FBlackAndWhiteGlyph; }
    void SetBlackAndWhiteGlyph(bool value);
    // Esc clicks the button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // Enter clicks the button while a control that is not a button has the focus. A change makes every button
    // of the form look at the focus again.
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    TSkFontOptions* FontOptions() const { return FFontOptions.get(); }
    void SetFontOptions(const TSkFontOptions& value) { FFontOptions->Assign(&value); }
    // One to four images side by side: normal, disabled, pressed, and a fourth; empty: none.
    const TBitmap* Glyph() const { return FGlyph.get(); }
    // Copies value; a width that is a whole multiple (1 to 4) of the height sets NumGlyphs to it, else 1.
    void SetGlyph(const TBitmap* value);
    // Where the glyph comes from while Glyph is empty. Not owned.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value);
    // A stock kind sets caption, ModalResult, Default and the stock glyph.
    TBitBtnKind Kind() const { return FKind; }
    void SetKind(TBitBtnKind value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    // Handed to the parent form on a click; mrNone leaves a modal form open.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult value) { FModalResult = value; }
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int value);
    // Between glyph and caption.
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value) { FTheme.SetThemeObject(value); }
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value) { FTheme.SetThemeLink(value); }
    // The face is drawn down: the left button or the space bar holds the button.
    bool Pressed() const { return FPressed; }

    // bkClose closes the parent form; any other kind hands ModalResult to it. Then OnClick.
    void Click() override;
    void PaintClient() override;
    // The caption-and-glyph block placed in the button, one pixel down and right while pressed.
    virtual RECT GetContentRect();
    virtual RECT GetTextRect();
    virtual RECT GetGlyphRect();
    void Dispatch(TMessage& message) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    virtual void PaintFace();
    virtual void PaintGlyph();
    virtual void PaintCaption();

private:
    bool ThemeDefined();
    // The theme's state numbers: 3 disabled, 2 pressed, 1 hot, 4 focused, 6 default, 0 normal.
    std::uint8_t ThemeState() const;
    // The glyph that paints now: Glyph, else the image list's image on magenta; empty when neither.
    void RebuildEffectiveGlyph();
    SIZE GlyphCell() const;
    // PaintFont with FontOptions applied, on the canvas.
    void UsePaintFont(TCanvas& canvas);
    // The caption's box, (0, 0, width, height), measured with the canvas's font the way it is drawn.
    RECT MeasureCaption(TCanvas& canvas, int wrapWidth);
    void SetPressed(bool value);

    std::u16string FCaption;
    TAlignment FAlignment = taCenter;
    bool FActiveDefault = false;
    bool FBlackAndWhiteGlyph = false;
    bool FCancel = false;
    bool FDefault = false;
    std::unique_ptr<TSkFontOptions> FFontOptions;
    std::unique_ptr<TBitmap> FGlyph;
    std::unique_ptr<TBitmap> FEffectiveGlyph;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    TModalResult FModalResult = mrNone;
    int FNumGlyphs = 1;
    int FSpacing = 4;
    bool FTransparent = false;
    bool FWordWrap = false;
    bool FPressed = false;
    bool FMouseDownInside = false;
    TskThemeBinding FTheme{this};
};

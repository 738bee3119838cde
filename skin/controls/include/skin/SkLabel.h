// TSkLabel: the skinned window-less label: a caption over the parent's picture (or its own colour), placed by
// alignment and layout, sized to its text, engraved when disabled, handing the focus to FocusControl on its
// accelerator; a theme may add a square glyph on its left.
#pragma once

#include <skin/SkFontOptions.h>
#include <skin/SkGraphicControl.h>
#include <skin/ThemeBinding.h>
#include <toolkit/Label.h>

#include <memory>
#include <string>

class TWinControl;

class TSkLabel : public TSkGraphicControl {
    TOOLKIT_CLASS(TSkLabel, TSkGraphicControl)

public:
    explicit TSkLabel(TComponent* owner);
    ~TSkLabel() override;

    // The caption as wide text, mirrored into the control's (ANSI) Text; a change resizes and redraws at once.
    const std::u16string& Caption() const { return FCaption; }
    void SetCaption(const std::u16string& value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value);
    void SetAutoSize(bool value) override;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    // Off: an '&' is shown as it is and marks no accelerator.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);
    // Takes the focus on the caption's accelerator; not owned.
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* value);
    // The parent's picture behind the text instead of Color.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool value) { FHotTrack = value; }
    // A square on the left as high as the label, reserved for the theme's glyph GlyphThemeObject.
    bool ShowGlyph() const { return FShowGlyph; }
    void SetShowGlyph(bool value);
    const std::string& GlyphThemeObject() const { return FGlyphThemeObject; }
    void SetGlyphThemeObject(const std::string& value);
    int GlyphSpace() const { return FGlyphSpace; }
    void SetGlyphSpace(int value);
    // The glyph reacts to the mouse by itself.
    bool ActiveGlyph() const { return FActiveGlyph; }
    void SetActiveGlyph(bool value) { FActiveGlyph = value; }
    TSkFontOptions* FontOptions() const { return FFontOptions.get(); }
    void SetFontOptions(const TSkFontOptions& value) { FFontOptions->Assign(&value); }
    const std::string& ThemeObject() const { return FTheme.ThemeObject(); }
    void SetThemeObject(const std::string& value);
    TskCustomThemeLink* ThemeLink() const { return FTheme.ThemeLink(); }
    void SetThemeLink(TskCustomThemeLink* value) { FTheme.SetThemeLink(value); }

    void PaintClient() override;
    // The caption's text as GetLabelText gives it.
    virtual std::u16string GetLabelText() { return FCaption; }
    void Dispatch(TMessage& message) override;

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void DoMouseEnter() override;
    void DoMouseLeave() override;
    // Draws (or with DT_CALCRECT measures) the caption into rect.
    virtual void DoDrawText(RECT& rect, UINT flags);
    // With AutoSize, the size of the text (one line's height for an empty caption); a right-justified label
    // keeps its right edge.
    virtual void AdjustBounds();

private:
    bool ThemeDefined();
    // The square reserved for the glyph (empty without one) and the rectangle left for the text.
    RECT GlyphSquare(const RECT& client) const;
    RECT TextArea(const RECT& client) const;
    UINT TextFlags() const;
    // Font with FontOptions applied.
    void MakePaintingFont(TFont& font) const;

    std::u16string FCaption;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
    bool FTransparent = true;
    bool FHotTrack = false;
    bool FShowGlyph = false;
    std::string FGlyphThemeObject;
    int FGlyphSpace = 5;
    bool FActiveGlyph = false;
    bool FGlyphDown = false;
    bool FMouseOverGlyph = false;
    std::unique_ptr<TSkFontOptions> FFontOptions;
    TskThemeBinding FTheme{this};
};

// TSkFontOptions: the font adjustments a skinned control applies to its canvas font before it draws text.
#pragma once

#include <toolkit/Font.h>
#include <toolkit/Persistent.h>

#include <functional>
#include <string>

class TSkFontOptions : public TPersistent {
    TOOLKIT_CLASS(TSkFontOptions, TPersistent)

public:
    TSkFontOptions() = default;

    bool Bold() const { return FBold; }
    void SetBold(bool value);
    bool Italic() const { return FItalic; }
    void SetItalic(bool value);
    // Points added to the font's size.
    int SizeDelta() const { return FSizeDelta; }
    void SetSizeDelta(int value);
    // Empty keeps the font's face.
    const std::string& FontName() const { return FFontName; }
    void SetFontName(const std::string& value);
    // clNone keeps the font's colour.
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor value);
    bool StrikeOut() const { return FStrikeOut; }
    void SetStrikeOut(bool value);
    bool Underline() const { return FUnderline; }
    void SetUnderline(bool value);

    // From another TSkFontOptions: all seven values, then one change notification.
    void Assign(const TPersistent* source) override;
    // Adds the styles that are set and the size delta to font, and the face and colour when given.
    void ApplyFontOptions(TFont& font) const;

    // Called with this object after every change; set by the owner.
    std::function<void(TSkFontOptions* sender)> OnChange;

private:
    void Changed();

    bool FBold = false;
    bool FItalic = false;
    int FSizeDelta = 0;
    std::string FFontName;
    TColor FFontColor = clNone;
    bool FStrikeOut = false;
    bool FUnderline = false;
};

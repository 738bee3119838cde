// TSkFontOptions: seven published adjustments, one change notification per change, and their application to a
// font.
#include <skin/SkFontOptions.h>

#include <toolkit/PropertyRegistry.h>

namespace {

[[maybe_unused]] const auto published =
    Publish<TSkFontOptions>()
        .Boolean("Bold", &TSkFontOptions::Bold, &TSkFontOptions::SetBold)
        .Boolean("Italic", &TSkFontOptions::Italic, &TSkFontOptions::SetItalic)
        .Integer("SizeDelta", &TSkFontOptions::SizeDelta, &TSkFontOptions::SetSizeDelta)
        .String("FontName", &TSkFontOptions::FontName, &TSkFontOptions::SetFontName)
        .Color("FontColor", &TSkFontOptions::FontColor, &TSkFontOptions::SetFontColor, clNone)
        .Boolean("StrikeOut", &TSkFontOptions::StrikeOut, &TSkFontOptions::SetStrikeOut)
        .Boolean("Underline", &TSkFontOptions::Underline, &TSkFontOptions::SetUnderline);

// Stores value in field; true when it differed.
template <class T>
bool Replace(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

void TSkFontOptions::Changed() {
    if (OnChange) OnChange(this);
}

void TSkFontOptions::SetBold(bool value) {
    if (Replace(FBold, value)) Changed();
}
void TSkFontOptions::SetItalic(bool value) {
    if (Replace(FItalic, value)) Changed();
}
void TSkFontOptions::SetSizeDelta(int value) {
    if (Replace(FSizeDelta, value)) Changed();
}
void TSkFontOptions::SetFontName(const std::string& value) {
    if (Replace(FFontName, value)) Changed();
}
void TSkFontOptions::SetFontColor(TColor value) {
    if (Replace(FFontColor, value)) Changed();
}
void TSkFontOptions::SetStrikeOut(bool value) {
    if (Replace(FStrikeOut, value)) Changed();
}
void TSkFontOptions::SetUnderline(bool value) {
    if (Replace(FUnderline, value)) Changed();
}

void TSkFontOptions::Assign(const TPersistent* source) {
    const auto* options = dynamic_cast<const TSkFontOptions*>(source);
    if (!options) {
        inherited::Assign(source);
        return;
    }
    FBold = options->FBold;
    FItalic = options->FItalic;
    FSizeDelta = options->FSizeDelta;
    FFontName = options->FFontName;
    FFontColor = options->FFontColor;
    FStrikeOut = options->FStrikeOut;
    FUnderline = options->FUnderline;
    Changed();
}

void TSkFontOptions::ApplyFontOptions(TFont& font) const {
    TFontStyles style = font.Style();
    if (FBold) style.Include(fsBold);
    if (FItalic) style.Include(fsItalic);
    if (FUnderline) style.Include(fsUnderline);
    if (FStrikeOut) style.Include(fsStrikeOut);
    font.SetStyle(style);
    if (FSizeDelta != 0) font.SetSize(font.Size() + FSizeDelta);
    if (!FFontName.empty()) font.SetName(FFontName);
    if (FFontColor != clNone) font.SetColor(FFontColor);
}

// The object colour table: defaults, derivation and the stream form (a count byte, then name : value entries).
#include <skin/ThemeColors.h>

#include "tables/TableColorMath.h"
#include "tables/TableStreams.h"

namespace {

constexpr const char* EntryNames[TskThemeColors::Count] = {
    "CaptionNormal", "CaptionInactive", "WindowBorder", "Window",    "Border",
    "PanelNormal",   "PanelDisabled",   "ButtonNormal", "ButtonHot", "ButtonPressed",
    "ButtonFocused", "ButtonDisabled",  "EditNormal",   "EditHot",   "EditFocused",
    "EditDisabled",  "EditSelection",   "Hint",         "List",      "Tree",
    "Grid",          "BarDock"};

bool ValidIndex(int index) { return index >= 0 && index < TskThemeColors::Count; }

}  // namespace

TskThemeColors::TskThemeColors(TskTheme* theme) : FTheme(theme) {}

TColor TskThemeColors::GetColor(int index) const { return ValidIndex(index) ? FColors[index] : clNone; }

void TskThemeColors::SetColor(int index, TColor color) {
    if (ValidIndex(index)) FColors[index] = color;
}

void TskThemeColors::SetDefaults() {
    const TColor border = FColors[ciBorder];
    FColors = {clBlue,      clSilver,  clGray,    clSilver,  border,   clBtnFace, clBtnFace, clBtnFace,
               clBtnFace,   clBtnFace, clBtnFace, clBtnFace, clWindow, clWindow,  clWindow,  clBtnFace,
               clHighlight, clInfoBk,  clWindow,  clWindow,  clWindow, clBtnFace};
}

void TskThemeColors::ApplyHue(int delta) {
    if (delta == 0) return;
    for (TColor& color : FColors) color = sktables::ShiftHue(color, delta);
}

void TskThemeColors::ApplyBrightness(int delta) {
    if (delta == 0) return;
    for (TColor& color : FColors) color = sktables::ShiftBrightness(color, delta);
}

void TskThemeColors::Assign(const TPersistent* source) {
    if (auto* colors = dynamic_cast<const TskThemeColors*>(source)) {
        FColors = colors->FColors;
        return;
    }
    inherited::Assign(source);
}

void TskThemeColors::LoadFromStream(TStream& stream) {
    std::array<TColor, Count> colors = FColors;
    const int entries = sktables::ReadByte(stream) + 1;
    for (int i = 0; i < entries; ++i) {
        std::string value = sktables::ReadEntryValue(stream);
        if (i < Count) colors[i] = sktables::ReadColorText(value);
    }
    FColors = colors;
}

void TskThemeColors::SaveToStream(TStream& stream) const {
    sktables::WriteByte(stream, Count - 1);
    for (int i = 0; i < Count; ++i) sktables::WriteEntry(stream, EntryNames[i], ColorToString(FColors[i]));
}

const char* TskThemeColors::EntryName(int index) { return ValidIndex(index) ? EntryNames[index] : ""; }

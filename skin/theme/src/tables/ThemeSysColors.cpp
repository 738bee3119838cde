// The system-colour substitutes: the fixed map of names and codes, the values resolved from it, and the stream
// form (a 32-bit count, then name : value entries in map order).
#include <skin/ThemeSysColors.h>

#include "tables/TableColorMath.h"
#include "tables/TableStreams.h"

namespace {

struct TMapEntry {
    const char* Name;
    TColor Code;
};

// clActiveCaption appears twice: lookups by code find the first, streams carry both.
constexpr TMapEntry Map[TskThemeSysColors::Count] = {{"clActiveBorder", clActiveBorder},
                                                     {"clActiveCaption", clActiveCaption},
                                                     {"clAppWorkSpace", clAppWorkSpace},
                                                     {"clBackground", clBackground},
                                                     {"clBtnFace", clBtnFace},
                                                     {"clBtnHighlight", clBtnHighlight},
                                                     {"clBtnShadow", clBtnShadow},
                                                     {"clBtnText", clBtnText},
                                                     {"clCaptionText", clCaptionText},
                                                     {"clDefault", clDefault},
                                                     {"clActiveCaption", clActiveCaption},
                                                     {"clGrayText", clGrayText},
                                                     {"clHighlight", clHighlight},
                                                     {"clHighlightText", clHighlightText},
                                                     {"clInactiveBorder", clInactiveBorder},
                                                     {"clInactiveCaption", clInactiveCaption},
                                                     {"clInactiveCaptionText", clInactiveCaptionText},
                                                     {"clInfoBk", clInfoBk},
                                                     {"clInfoText", clInfoText},
                                                     {"clMenu", clMenu},
                                                     {"clMenuText", clMenuText},
                                                     {"clScrollBar", clScrollBar},
                                                     {"cl3DDkShadow", cl3DDkShadow},
                                                     {"cl3DLight", cl3DLight},
                                                     {"clWindow", clWindow},
                                                     {"clWindowFrame", clWindowFrame}};

bool ValidIndex(int index) { return index >= 0 && index < TskThemeSysColors::Count; }

int IndexOfCode(TColor code) {
    for (int i = 0; i < TskThemeSysColors::Count; ++i)
        if (Map[i].Code == code) return i;
    return -1;
}

// The smallest entry: three empty strings, each a 4-byte count.
constexpr int MinEntryBytes = 12;

}  // namespace

TskThemeSysColors::TskThemeSysColors(TskTheme* theme) : FTheme(theme) { Reload(); }

TColor TskThemeSysColors::GetColor(TColor systemColor) const {
    const int index = IndexOfCode(systemColor);
    return index < 0 ? clNone : FColors[index];
}

void TskThemeSysColors::SetColor(TColor systemColor, TColor value) {
    const int index = IndexOfCode(systemColor);
    if (index >= 0) FColors[index] = value;
}

TColor TskThemeSysColors::ColorAt(int index) const { return ValidIndex(index) ? FColors[index] : clNone; }

const char* TskThemeSysColors::EntryName(int index) { return ValidIndex(index) ? Map[index].Name : ""; }

TColor TskThemeSysColors::EntryCode(int index) { return ValidIndex(index) ? Map[index].Code : clNone; }

void TskThemeSysColors::Reload() {
    for (int i = 0; i < Count; ++i) FColors[i] = static_cast<TColor>(ColorToRGB(Map[i].Code));
}

void TskThemeSysColors::ApplyHue(int delta) {
    if (delta == 0) return;
    for (TColor& color : FColors) color = sktables::ShiftHue(color, delta);
}

void TskThemeSysColors::ApplyBrightness(int delta) {
    if (delta == 0) return;
    for (TColor& color : FColors) color = sktables::ShiftBrightness(color, delta);
}

void TskThemeSysColors::Assign(const TPersistent* source) {
    if (auto* colors = dynamic_cast<const TskThemeSysColors*>(source)) {
        FColors = colors->FColors;
        return;
    }
    inherited::Assign(source);
}

void TskThemeSysColors::LoadFromStream(TStream& stream) {
    const std::int32_t entries = sktables::ReadInt32(stream);
    if (entries < 0) sktables::DamagedStream();
    // A count the rest of the stream cannot hold is damage; finding out early spares reading up to it.
    const int64_t position = stream.Position();
    const int64_t size = stream.Size();
    if (position >= 0 && size >= position && static_cast<int64_t>(entries) * MinEntryBytes > size - position)
        sktables::DamagedStream();
    std::array<TColor, Count> colors = FColors;
    for (std::int32_t i = 0; i < entries; ++i) {
        std::string value = sktables::ReadEntryValue(stream);
        if (i < Count) colors[i] = sktables::ReadColorText(value);
    }
    FColors = colors;
}

void TskThemeSysColors::SaveToStream(TStream& stream) const {
    sktables::WriteInt32(stream, Count);
    for (int i = 0; i < Count; ++i) sktables::WriteEntry(stream, Map[i].Name, ColorToString(FColors[i]));
}

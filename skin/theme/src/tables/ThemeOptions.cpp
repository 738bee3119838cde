// The two option bytes and their stream record.
#include <skin/ThemeOptions.h>

#include "tables/TableStreams.h"

TskThemeOptions::TskThemeOptions(TskTheme* theme) : FTheme(theme) {}

std::uint8_t TskThemeOptions::Option(int index) const { return index >= 0 && index < Count ? FOptions[index] : 0; }

void TskThemeOptions::SetOption(int index, std::uint8_t value) {
    if (index >= 0 && index < Count) FOptions[index] = value;
}

void TskThemeOptions::Assign(const TPersistent* source) {
    if (auto* options = dynamic_cast<const TskThemeOptions*>(source)) {
        FOptions = options->FOptions;
        return;
    }
    inherited::Assign(source);
}

void TskThemeOptions::LoadFromStream(TStream& stream) {
    std::array<std::uint8_t, Count> options = FOptions;
    const int entries = sktables::ReadByte(stream) + 1;
    for (int i = 0; i < entries; ++i) {
        const std::uint8_t value = sktables::ReadByte(stream);
        if (i < Count) options[i] = value;
    }
    FOptions = options;
}

void TskThemeOptions::SaveToStream(TStream& stream) const {
    sktables::WriteByte(stream, Count - 1);
    for (std::uint8_t value : FOptions) sktables::WriteByte(stream, value);
}

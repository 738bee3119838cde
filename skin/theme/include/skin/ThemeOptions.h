// TskThemeOptions: a theme's two option bytes, kept for derived themes and carried through Assign and streams.
#pragma once

#include <toolkit/Persistent.h>

#include <array>
#include <cstdint>

class TskTheme;
class TStream;

class TskThemeOptions : public TPersistent {
    TOOLKIT_CLASS(TskThemeOptions, TPersistent)

public:
    static constexpr int Count = 2;

    // Both bytes start at 0. theme may be nullptr.
    explicit TskThemeOptions(TskTheme* theme);

    TskTheme* Theme() const { return FTheme; }
    // 0 outside 0..Count-1, where SetOption does nothing.
    std::uint8_t Option(int index) const;
    void SetOption(int index, std::uint8_t value);
    void Assign(const TPersistent* source) override;
    // A count byte C, then C + 1 option bytes; those beyond the second are read and dropped. Reading changes
    // nothing unless the whole record could be read (EReadError).
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

private:
    TskTheme* FTheme;
    std::array<std::uint8_t, Count> FOptions{};
};

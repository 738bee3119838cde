// TskThemeSysColors: a theme's substitutes for 26 system colours, resolved to RGB at construction, with their
// hue and brightness derivation and stream form.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/Persistent.h>

#include <array>

class TskTheme;
class TStream;

class TskThemeSysColors : public TPersistent {
    TOOLKIT_CLASS(TskThemeSysColors, TPersistent)

public:
    static constexpr int Count = 26;

    // Fills the table with the system's current colours (Reload). theme may be nullptr.
    explicit TskThemeSysColors(TskTheme* theme);

    TskTheme* Theme() const { return FTheme; }
    // The value of the first entry whose code is systemColor; clNone when the map has no such code, where
    // SetColor does nothing.
    TColor GetColor(TColor systemColor) const;
    void SetColor(TColor systemColor, TColor value);
    // The entry at a table position, and its name and code ("clActiveCaption" twice: positions 1 and 10); clNone,
    // "" and clNone outside 0..Count-1.
    TColor ColorAt(int index) const;
    static const char* EntryName(int index);
    static TColor EntryCode(int index);
    // Each entry becomes ColorToRGB of its code again (clDefault stays as it is).
    void Reload();
    // Zero leaves the table alone.
    void ApplyHue(int delta);
    void ApplyBrightness(int delta);
    void Assign(const TPersistent* source) override;
    // Reading changes nothing unless the whole table could be read; a damaged stream raises EReadError.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

private:
    TskTheme* FTheme;
    std::array<TColor, Count> FColors{};
};

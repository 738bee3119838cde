// TskThemeColors: a theme's 22 object colours, their defaults, their hue and brightness derivation and their
// stream form.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/Persistent.h>

#include <array>

class TskTheme;
class TStream;

enum TskColorIndex {
    ciCaptionNormal,
    ciCaptionInactive,
    ciWindowBorder,
    ciWindow,
    ciBorder,
    ciPanelNormal,
    ciPanelDisabled,
    ciButtonNormal,
    ciButtonHot,
    ciButtonPressed,
    ciButtonFocused,
    ciButtonDisabled,
    ciEditNormal,
    ciEditHot,
    ciEditFocused,
    ciEditDisabled,
    ciEditSelection,
    ciHint,
    ciList,
    ciTree,
    ciGrid,
    ciBarDock
};

class TskThemeColors : public TPersistent {
    TOOLKIT_CLASS(TskThemeColors, TPersistent)

public:
    static constexpr int Count = 22;

    // Every colour starts black (0); SetDefaults gives the defaults. theme may be nullptr.
    explicit TskThemeColors(TskTheme* theme);

    TskTheme* Theme() const { return FTheme; }
    // clNone outside 0..Count-1; SetColor ignores such an index.
    TColor GetColor(int index) const;
    void SetColor(int index, TColor color);
    // The defaults of the base theme; Border keeps its value.
    void SetDefaults();
    // Zero leaves the table alone; any other delta turns every entry into a plain RGB colour.
    void ApplyHue(int delta);
    void ApplyBrightness(int delta);
    // Copies the 22 values from another colour table; anything else goes to the base class.
    void Assign(const TPersistent* source) override;
    // Reading changes nothing unless the whole table could be read; a damaged stream raises EReadError.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    // "CaptionNormal" .. "BarDock"; empty outside 0..Count-1.
    static const char* EntryName(int index);

private:
    TskTheme* FTheme;
    std::array<TColor, Count> FColors{};
};

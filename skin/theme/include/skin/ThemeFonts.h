// TskThemeFonts: a theme's 66 text fonts (face "Tahoma"), their defaults, the hue and brightness derivation of
// their colours and their stream form.
#pragma once

#include <toolkit/Font.h>
#include <toolkit/Persistent.h>

#include <array>
#include <memory>
#include <string>

class TskTheme;
class TStream;

enum TskFontIndex {
    fiCaptionTextNormal,
    fiCaptionTextInactive,
    fiSmCaptionTextNormal,
    fiSmCaptionTextInactive,
    fiStaticTextNormal,
    fiStaticTextHot,
    fiStaticTextFocused,
    fiStaticTextDisabled,
    fiPanelTextNormal,
    fiPanelTextDisabled,
    fiButtonTextNormal,
    fiButtonTextPressed,
    fiButtonTextHot,
    fiButtonTextFocused,
    fiButtonTextDisabled,
    fiCheckBoxTextNormal,
    fiCheckBoxTextPressed,
    fiCheckBoxTextHot,
    fiCheckBoxTextFocused,
    fiCheckBoxTextDisabled,
    fiRadioButtonTextNormal,
    fiRadioButtonTextPressed,
    fiRadioButtonTextHot,
    fiRadioButtonTextFocused,
    fiRadioButtonTextDisabled,
    fiGroupBoxTextNormal,
    fiGroupBoxTextDisabled,
    fiWindowTextNormal,
    fiWindowTextDisabled,
    fiEditBoxTextNormal,
    fiEditBoxTextFocused,
    fiEditBoxTextHot,
    fiEditBoxTextDisabled,
    fiEditBoxTextSelected,
    fiMenuItemTextNormal,
    fiMenuItemTextSelected,
    fiMenuItemTextHot,
    fiMenuItemTextDisabled,
    fiToolItemTextNormal,
    fiToolItemTextSelected,
    fiToolItemTextHot,
    fiToolItemTextDisabled,
    fiHeaderSectionTextNormal,
    fiHeaderSectionTextPressed,
    fiHeaderSectionTextDraggedOut,
    fiHeaderSectionTextDragging,
    fiHeaderSectionTextHot,
    fiHeaderSectionTextUnderDrag,
    fiHeaderSectionTextDisabled,
    fiStatusPanelTextNormal,
    fiStatusPanelTextDisabled,
    fiTabTextInactiveNormal,
    fiTabTextInactiveHot,
    fiTabTextInactiveDisabled,
    fiTabTextActiveNormal,
    fiTabTextActiveHot,
    fiTabTextActiveDisabled,
    fiListItemTextNormal,
    fiListItemTextHot,
    fiListItemTextSelected,
    fiListItemTextFocused,
    fiListItemTextDisabled,
    fiPopupMenuItemTextNormal,
    fiPopupMenuItemTextSelected,
    fiPopupMenuItemTextHot,
    fiPopupMenuItemTextDisabled
};

class TskThemeFonts : public TPersistent {
    TOOLKIT_CLASS(TskThemeFonts, TPersistent)

public:
    static constexpr int Count = 66;

    // Every entry starts as the toolkit's default font with the face "Tahoma". theme may be nullptr.
    explicit TskThemeFonts(TskTheme* theme);
    ~TskThemeFonts() override;

    TskTheme* Theme() const { return FTheme; }
    // The entry itself; nullptr outside 0..Count-1.
    TFont* GetFontByIndex(int index) const;
    // The entry itself without a theme or for the object "default"; otherwise a scratch font owned by the table,
    // assigned from the entry and then adjusted by the theme's AdjustFont for that object. The scratch font is
    // shared: the next call may change it. nullptr for a bad index.
    TFont* GetFont(int index, const std::string& objectName);
    // Every entry back to its constructed state, then the base theme's sizes, colours and styles.
    void SetDefaults();
    // On the 66 font colours; zero leaves them alone.
    void ApplyHue(int delta);
    void ApplyBrightness(int delta);
    void Assign(const TPersistent* source) override;
    // Reading changes nothing unless the whole table could be read; a damaged stream raises EReadError.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    static const char* EntryName(int index);
    // One font as the stream describes it: "face,size,charset,R,G,B" and ",bold", ",italic", ",underline",
    // ",strikeout" as the style has them. R, G and B are the low three bytes of the colour as it is stored.
    static std::string DescribeFont(const TFont& font);
    // Reads such a description into font (face, size, colour, styles; the character set is skipped). Answers
    // false, leaving font alone, when the text is no font description.
    static bool ParseFontDescription(const std::string& text, TFont& font);

private:
    TskTheme* FTheme;
    std::array<std::unique_ptr<TFont>, Count> FFonts;
    std::unique_ptr<TFont> FScratch;
};

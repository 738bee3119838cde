// The font table: the constructed entries, the base theme's defaults, colour derivation, and the stream form
// (a count byte, then name : description entries).
#include <skin/ThemeFonts.h>

#include "tables/TableColorMath.h"
#include "tables/TableStreams.h"

#include <skin/Theme.h>
#include <skin/Tokens.h>
#include <toolkit/SysUtils.h>

#include <initializer_list>

namespace {

constexpr const char* EntryNames[TskThemeFonts::Count] = {"CaptionTextNormal",
                                                          "CaptionTextInactive",
                                                          "SmCaptionTextNormal",
                                                          "SmCaptionTextInactive",
                                                          "StaticTextNormal",
                                                          "StaticTextHot",
                                                          "StaticTextFocused",
                                                          "StaticTextDisabled",
                                                          "PanelTextNormal",
                                                          "PanelTextDisabled",
                                                          "ButtonTextNormal",
                                                          "ButtonTextPressed",
                                                          "ButtonTextHot",
                                                          "ButtonTextFocused",
                                                          "ButtonTextDisabled",
                                                          "CheckBoxTextNormal",
                                                          "CheckBoxTextPressed",
                                                          "CheckBoxTextHot",
                                                          "CheckBoxTextFocused",
                                                          "CheckBoxTextDisabled",
                                                          "RadioButtonTextNormal",
                                                          "RadioButtonTextPressed",
                                                          "RadioButtonTextHot",
                                                          "RadioButtonTextFocused",
                                                          "RadioButtonTextDisabled",
                                                          "GroupBoxTextNormal",
                                                          "GroupBoxTextDisabled",
                                                          "WindowTextNormal",
                                                          "WindowTextDisabled",
                                                          "EditBoxTextNormal",
                                                          "EditBoxTextFocused",
                                                          "EditBoxTextHot",
                                                          "EditBoxTextDisabled",
                                                          "EditBoxTextSelected",
                                                          "MenuItemTextNormal",
                                                          "MenuItemTextSelected",
                                                          "MenuItemTextHot",
                                                          "MenuItemTextDisabled",
                                                          "ToolItemTextNormal",
                                                          "ToolItemTextSelected",
                                                          "ToolItemTextHot",
                                                          "ToolItemTextDisabled",
                                                          "HeaderSectionTextNormal",
                                                          "HeaderSectionTextPressed",
                                                          "HeaderSectionTextDraggedOut",
                                                          "HeaderSectionTextDragging",
                                                          "HeaderSectionTextHot",
                                                          "HeaderSectionTextUnderDrag",
                                                          "HeaderSectionTextDisabled",
                                                          "StatusPanelTextNormal",
                                                          "StatusPanelTextDisabled",
                                                          "TabTextInactiveNormal",
                                                          "TabTextInactiveHot",
                                                          "TabTextInactiveDisabled",
                                                          "TabTextActiveNormal",
                                                          "TabTextActiveHot",
                                                          "TabTextActiveDisabled",
                                                          "ListItemTextNormal",
                                                          "ListItemTextHot",
                                                          "ListItemTextSelected",
                                                          "ListItemTextFocused",
                                                          "ListItemTextDisabled",
                                                          "PopupMenuItemTextNormal",
                                                          "PopupMenuItemTextSelected",
                                                          "PopupMenuItemTextHot",
                                                          "PopupMenuItemTextDisabled"};

const char* const FaceName = "Tahoma";

bool ValidIndex(int index) { return index >= 0 && index < TskThemeFonts::Count; }

std::unique_ptr<TFont> ConstructedFont() {
    auto font = std::make_unique<TFont>();
    font->SetName(FaceName);
    return font;
}

constexpr const char* StyleWords[] = {"bold", "italic", "underline", "strikeout"};
constexpr TFontStyle Styles[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};

// The next token that is not empty: separators may stand side by side ("0, 0" or "(0,0)").
bool NextNonEmptyToken(std::string& text, std::string& token) {
    while (!text.empty()) {
        token = NextToken(text);
        if (!token.empty()) return true;
    }
    return false;
}

bool NextNumber(std::string& text, int& value) {
    std::string token;
    return NextNonEmptyToken(text, token) && TryStrToInt(token, value);
}

}  // namespace

TskThemeFonts::TskThemeFonts(TskTheme* theme) : FTheme(theme), FScratch(ConstructedFont()) {
    for (auto& font : FFonts) font = ConstructedFont();
}

TskThemeFonts::~TskThemeFonts() = default;

TFont* TskThemeFonts::GetFontByIndex(int index) const { return ValidIndex(index) ? FFonts[index].get() : nullptr; }

TFont* TskThemeFonts::GetFont(int index, const std::string& objectName) {
    if (!ValidIndex(index)) return nullptr;
    if (!FTheme || objectName == "default") return FFonts[index].get();
    FScratch->Assign(*FFonts[index]);
    FTheme->AdjustFont(*FScratch, index, objectName);
    return FScratch.get();
}

void TskThemeFonts::SetDefaults() {
    for (auto& font : FFonts) font->Assign(*ConstructedFont());
    auto set = [this](std::initializer_list<int> entries, int size, TColor color, TFontStyles style) {
        for (int entry : entries) {
            FFonts[entry]->SetSize(size);
            FFonts[entry]->SetColor(color);
            FFonts[entry]->SetStyle(style);
        }
    };
    set({fiCaptionTextNormal}, 10, clWhite, {fsBold});
    set({fiCaptionTextInactive}, 10, clSilver, {fsBold});
    set({fiSmCaptionTextNormal}, 8, clWhite, {fsBold});
    set({fiSmCaptionTextInactive}, 8, clSilver, {fsBold});
    set({4, 5, 6, 7, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 27, 29, 30, 31, 46}, 8, clBlack, {});
    set({14, 26, 28, 32, 37, 41, 65}, 8, clBtnShadow, {});
    set({fiEditBoxTextSelected}, 8, clWhite, {});
}

void TskThemeFonts::ApplyHue(int delta) {
    if (delta == 0) return;
    for (auto& font : FFonts) font->SetColor(sktables::ShiftHue(font->Color(), delta));
}

void TskThemeFonts::ApplyBrightness(int delta) {
    if (delta == 0) return;
    for (auto& font : FFonts) font->SetColor(sktables::ShiftBrightness(font->Color(), delta));
}

void TskThemeFonts::Assign(const TPersistent* source) {
    if (auto* fonts = dynamic_cast<const TskThemeFonts*>(source)) {
        if (fonts == this) return;
        for (int i = 0; i < Count; ++i) FFonts[i]->Assign(*fonts->FFonts[i]);
        return;
    }
    inherited::Assign(source);
}

std::string TskThemeFonts::DescribeFont(const TFont& font) {
    const auto color = static_cast<std::uint32_t>(font.Color());
    std::string text = font.Name() + "," + IntToStr(font.Size()) + "," + IntToStr(font.Charset()) + "," +
                       IntToStr(color & 0xFF) + "," + IntToStr((color >> 8) & 0xFF) + "," +
                       IntToStr((color >> 16) & 0xFF);
    for (int i = 0; i < 4; ++i)
        if (font.Style().Contains(Styles[i])) text += std::string(",") + StyleWords[i];
    return text;
}

bool TskThemeFonts::ParseFontDescription(const std::string& description, TFont& font) {
    std::string text = description;
    const std::string face = NextField(text, ",;");
    int size = 0;
    int charset = 0;
    int rgb[3] = {0, 0, 0};
    if (face.empty() || !NextNumber(text, size) || !NextNumber(text, charset)) return false;
    for (int& channel : rgb)
        if (!NextNumber(text, channel) || channel < 0 || channel > 255) return false;
    TFontStyles style;
    std::string token;
    while (NextNonEmptyToken(text, token))
        for (int i = 0; i < 4; ++i)
            if (SameText(token, StyleWords[i])) style.Include(Styles[i]);
    font.SetName(face);
    font.SetSize(size);
    font.SetColor(static_cast<TColor>(rgb[0] | rgb[1] << 8 | rgb[2] << 16));
    font.SetStyle(style);
    return true;
}

void TskThemeFonts::LoadFromStream(TStream& stream) {
    std::array<std::unique_ptr<TFont>, Count> fonts;
    for (int i = 0; i < Count; ++i) fonts[i] = FFonts[i]->Clone();
    const int entries = sktables::ReadByte(stream) + 1;
    for (int i = 0; i < entries; ++i) {
        std::string value = sktables::ReadEntryValue(stream);
        if (i < Count && !ParseFontDescription(value, *fonts[i])) sktables::DamagedStream();
    }
    for (int i = 0; i < Count; ++i) FFonts[i]->Assign(*fonts[i]);
}

void TskThemeFonts::SaveToStream(TStream& stream) const {
    sktables::WriteByte(stream, Count - 1);
    for (int i = 0; i < Count; ++i) sktables::WriteEntry(stream, EntryNames[i], DescribeFont(*FFonts[i]));
}

const char* TskThemeFonts::EntryName(int index) { return ValidIndex(index) ? EntryNames[index] : ""; }

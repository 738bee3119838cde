// TskTheme's life, tables and class methods, and the answers of the base theme's queries: it defines no object,
// so every control keeps its own look until a theme class says otherwise.
#include <skin/Theme.h>

#include <skin/ThemeHolders.h>
#include <skin/ThemeTables.h>

namespace {

constexpr char kDefaultThemeName[] = "Default theme";

}  // namespace

TskTheme::TskTheme()
    : FColors(std::make_unique<TskThemeColors>(this)),
      FFonts(std::make_unique<TskThemeFonts>(this)),
      FName(kDefaultThemeName),
      FSysColors(std::make_unique<TskThemeSysColors>(this)),
      FDrawing(std::make_unique<TskThemeDrawing>(this)),
      FMetrics(std::make_unique<TskThemeMetrics>(this)),
      FOptions(std::make_unique<TskThemeOptions>(this)) {
    UpdateTheme();
}

TskTheme::~TskTheme() {
    FOptions.reset();
    FMetrics.reset();
    FDrawing.reset();
    FFonts.reset();
    FSysColors.reset();
    FColors.reset();
}

const TskThemeClass* TskTheme::ThemeClassRef() {
    static const TskThemeClassOf<TskTheme> themeClass;
    return &themeClass;
}

void TskTheme::GetKindName(std::string& name) { name = "Default"; }

void TskTheme::GetConfig(TskThemeConfig& config) { config = TskThemeConfig{}; }

bool TskTheme::IsThemeStream(TStream&) { return false; }

void TskTheme::Assign(const TPersistent* source) {
    if (auto theme = dynamic_cast<const TskTheme*>(source)) {
        if (theme == this) return;
        FName = theme->FName;
        FColors->Assign(theme->FColors.get());
        FSysColors->Assign(theme->FSysColors.get());
        FFonts->Assign(theme->FFonts.get());
        FOptions->Assign(theme->FOptions.get());
        return;
    }
    inherited::Assign(source);
}

void TskTheme::SetDefaultColors() {
    FColors->SetDefaults();
    FColors->ApplyHue(FDeltaHue);
    FColors->ApplyBrightness(FDeltaBrightness);
}

void TskTheme::SetDefaultSysColors() {
    FSysColors->Reload();
    FSysColors->ApplyHue(FDeltaHue);
    FSysColors->ApplyBrightness(FDeltaBrightness);
}

void TskTheme::SetDefaultFonts() {
    FFonts->SetDefaults();
    FFonts->ApplyHue(FDeltaHue);
    FFonts->ApplyBrightness(FDeltaBrightness);
}

void TskTheme::AdjustFont(TFont& font, int fontIndex, const std::string&) {
    if (TFont* entry = FFonts->GetFontByIndex(fontIndex)) font.Assign(*entry);
}

bool TskTheme::LoadFromStream(TStream&) { return false; }
bool TskTheme::SaveToStream(TStream&) { return false; }
bool TskTheme::LoadFromFile(const std::string&) { return false; }
bool TskTheme::SaveToFile(const std::string&) { return false; }

void TskTheme::UpdateTheme() {
    SetDefaultColors();
    SetDefaultSysColors();
    SetDefaultFonts();
}

// The base theme defines no object; the kinds whose controls let their parent show through (label, check box,
// group box, tab, track bar) say so even here.
#define SK_BASE_QUERY(Query, answer) \
    bool TskTheme::Query(TskKind, const std::string&) { return answer; }

SK_BASE_QUERY(IsWindowDefined, false)
SK_BASE_QUERY(IsHintDefined, false)
SK_BASE_QUERY(IsLabelDefined, false)
SK_BASE_QUERY(IsLabelTransparent, true)
SK_BASE_QUERY(IsPanelDefined, false)
SK_BASE_QUERY(IsPanelTransparent, false)
SK_BASE_QUERY(IsButtonDefined, false)
SK_BASE_QUERY(IsButtonTransparent, false)
SK_BASE_QUERY(IsCheckBoxDefined, false)
SK_BASE_QUERY(IsCheckBoxTransparent, true)
SK_BASE_QUERY(IsSplitterDefined, false)
SK_BASE_QUERY(IsSplitterTransparent, false)
SK_BASE_QUERY(IsScrollBarDefined, false)
SK_BASE_QUERY(IsScrollBarTransparent, false)
SK_BASE_QUERY(IsProgressBarDefined, false)
SK_BASE_QUERY(IsProgressBarTransparent, false)
SK_BASE_QUERY(IsTrackBarDefined, false)
SK_BASE_QUERY(IsTrackBarTransparent, true)
SK_BASE_QUERY(IsHeaderDefined, false)
SK_BASE_QUERY(IsHeaderTransparent, false)
SK_BASE_QUERY(IsStatusBarDefined, false)
SK_BASE_QUERY(IsStatusBarTransparent, false)
SK_BASE_QUERY(IsEditDefined, false)
SK_BASE_QUERY(IsEditTransparent, false)
SK_BASE_QUERY(IsGroupBoxDefined, false)
SK_BASE_QUERY(IsGroupBoxTransparent, true)
SK_BASE_QUERY(IsReserved1Defined, false)
SK_BASE_QUERY(IsReserved1Transparent, false)
SK_BASE_QUERY(IsReserved2Defined, false)
SK_BASE_QUERY(IsReserved2Transparent, false)
SK_BASE_QUERY(IsMenuDefined, false)
SK_BASE_QUERY(IsMenuTransparent, false)
SK_BASE_QUERY(IsDockBarDefined, false)
SK_BASE_QUERY(IsToolButtonDefined, false)
SK_BASE_QUERY(IsScrollBoxDefined, false)
SK_BASE_QUERY(IsRollPanelDefined, false)
SK_BASE_QUERY(IsRollPanelTransparent, false)
SK_BASE_QUERY(IsTabDefined, false)
SK_BASE_QUERY(IsTabTransparent, true)
SK_BASE_QUERY(IsListBoxDefined, false)
SK_BASE_QUERY(IsListBoxTransparent, false)
SK_BASE_QUERY(IsTreeDefined, false)
SK_BASE_QUERY(IsTreeTransparent, false)
SK_BASE_QUERY(IsGridDefined, false)
SK_BASE_QUERY(IsGridTransparent, false)

#undef SK_BASE_QUERY

HRGN TskTheme::WindowGetRegion(TskKind, const RECT&, const std::string&) { return nullptr; }

void TskTheme::CheckBoxGetSize(TskKind, const std::string&, SIZE& size) { size = SIZE{13, 13}; }

void TskTheme::TrackBarGetThumbSize(TskKind, const std::string&, const TskPartRecord&, SIZE& size) {
    size = SIZE{0, 0};
}

void TskTheme::GetObjectBounds(const std::string&, RECT& bounds) { bounds = RECT{0, 0, 0, 0}; }

TColor TskTheme::GetObjectColor(const std::string&) { return clNone; }

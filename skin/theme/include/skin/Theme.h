// TskTheme: the abstract theme every skinned form and control may draw through, complete with a placeholder look
// of its own; the object-defined queries the controls ask first, and GetTheme.
#pragma once

#include <skin/ThemeClass.h>
#include <skin/ThemeLink.h>
#include <skin/ThemeRecords.h>
#include <toolkit/Canvas.h>
#include <toolkit/Persistent.h>

#include <cstdint>
#include <memory>
#include <string>

class TFont;
class TStream;
class TskThemeColors;
class TskThemeSysColors;
class TskThemeFonts;
class TskThemeDrawing;
class TskThemeMetrics;
class TskThemeOptions;

// What every object query and drawing operation takes besides its record: the sub-kind of the object (the window
// kind for windows, 0 or a control's variant elsewhere) and the control's ThemeObject name. "default" names the
// theme's standard object of the kind.
using TskKind = std::uint8_t;

class TskTheme : public TPersistent {
    TOOLKIT_CLASS(TskTheme, TPersistent)

public:
    // Creates the six tables and fills them (UpdateTheme). C++ runs only this class's default setters here: a
    // derived theme whose defaults differ calls UpdateTheme() again at the end of its own constructor.
    TskTheme();
    ~TskTheme() override;

    static const TskThemeClass* ThemeClassRef();
    virtual const TskThemeClass* ThemeClass() const { return ThemeClassRef(); }
    // Class methods, reached through ThemeClass() or TskThemeClassOf: "Default", all false and empty, never.
    static void GetKindName(std::string& name);
    static void GetConfig(TskThemeConfig& config);
    static bool IsThemeStream(TStream& stream);

    TskThemeColors& Colors() const { return *FColors; }
    TskThemeFonts& Fonts() const { return *FFonts; }
    TskThemeSysColors& SysColors() const { return *FSysColors; }
    TskThemeDrawing& Drawing() const { return *FDrawing; }
    TskThemeMetrics& Metrics() const { return *FMetrics; }
    TskThemeOptions& Options() const { return *FOptions; }
    // Plain stores: whoever changes a delta runs UpdateTheme (the theme manager does).
    int DeltaHue() const { return FDeltaHue; }
    void SetDeltaHue(int value) { FDeltaHue = value; }
    int DeltaBrightness() const { return FDeltaBrightness; }
    void SetDeltaBrightness(int value) { FDeltaBrightness = value; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& value) { FName = value; }
    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& value) { FFileName = value; }

    // From another theme: Name, Colors, SysColors, Fonts and Options; anything else goes to the base.
    void Assign(const TPersistent* source) override;

    // The tables' defaults, each then shifted by DeltaHue and DeltaBrightness.
    virtual void SetDefaultColors();
    virtual void SetDefaultSysColors();
    virtual void SetDefaultFonts();
    // Copies entry fontIndex of Fonts into font; themes vary it per object.
    virtual void AdjustFont(TFont& font, int fontIndex, const std::string& objectName);

    virtual bool LoadFromStream(TStream& stream);
    virtual bool SaveToStream(TStream& stream);
    virtual bool LoadFromFile(const std::string& fileName);
    virtual bool SaveToFile(const std::string& fileName);
    // SetDefaultColors, SetDefaultSysColors, SetDefaultFonts.
    virtual void UpdateTheme();

    // All text of every theme: alignment nine ways, right-to-left, word wrap, single line, quarter turns.
    virtual void DrawText(TCanvas& canvas, const TskTextInfo& info);

    // Window frames.
    virtual bool IsWindowDefined(TskKind kind, const std::string& name);
    // A region the caller owns, or nullptr for the plain rectangle.
    virtual HRGN WindowGetRegion(TskKind kind, const RECT& rect, const std::string& name);
    virtual int WindowHitTest(TskKind kind, const TskWindowInfo& info, const std::string& name, int x, int y);
    virtual void WindowGetContentRect(TskKind kind, const RECT& windowRect, RECT& rect, const std::string& name);
    virtual void WindowGetCaptionRect(TskKind kind, const TskWindowInfo& info, RECT& rect, const std::string& name);
    virtual void WindowGetButtonRect(TskKind kind, const TskWindowInfo& info, RECT& rect, const std::string& name,
                                     int buttonKind);
    virtual void WindowDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskWindowInfo& info);
    virtual void WindowDrawClient(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void WindowDrawCaption(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect,
                                   const TskWindowInfo& info);
    virtual void WindowDrawButton(TskKind kind, TCanvas& canvas, const std::string& name,
                                  const TskWindowButtonRecord& button);
    virtual void WindowDrawSizeGrip(TskKind kind, TCanvas& canvas, const std::string& name,
                                    const TskSizeGripRecord& grip);

    // The hint window.
    virtual bool IsHintDefined(TskKind kind, const std::string& name);
    virtual void HintGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void HintDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);

    virtual bool IsLabelDefined(TskKind kind, const std::string& name);
    virtual bool IsLabelTransparent(TskKind kind, const std::string& name);
    virtual void LabelDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                               std::uint8_t state);

    virtual bool IsPanelDefined(TskKind kind, const std::string& name);
    virtual bool IsPanelTransparent(TskKind kind, const std::string& name);
    virtual void PanelGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void PanelDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void PanelDrawState(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void PanelDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                               const RECT& rect);

    virtual bool IsButtonDefined(TskKind kind, const std::string& name);
    virtual bool IsButtonTransparent(TskKind kind, const std::string& name);
    virtual void ButtonDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual void ButtonDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                const TskStateRecord& state);
    virtual void ButtonDrawImage(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& image,
                                 const TskStateRecord& state);

    virtual bool IsCheckBoxDefined(TskKind kind, const std::string& name);
    virtual bool IsCheckBoxTransparent(TskKind kind, const std::string& name);
    virtual void CheckBoxDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual void CheckBoxDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                  const TskStateRecord& state);
    virtual void CheckBoxGetSize(TskKind kind, const std::string& name, SIZE& size);

    virtual bool IsSplitterDefined(TskKind kind, const std::string& name);
    virtual bool IsSplitterTransparent(TskKind kind, const std::string& name);
    virtual void SplitterDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);

    virtual bool IsScrollBarDefined(TskKind kind, const std::string& name);
    virtual bool IsScrollBarTransparent(TskKind kind, const std::string& name);
    virtual void ScrollBarDrawBack(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void ScrollBarDrawButton(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void ScrollBarDrawTrack(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);

    virtual bool IsProgressBarDefined(TskKind kind, const std::string& name);
    virtual bool IsProgressBarTransparent(TskKind kind, const std::string& name);
    virtual void ProgressBarGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void ProgressBarDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);

    // Track bars: track part 0 vertical, 1 horizontal (state 1 disabled); thumb parts 0 vertical, 1 pointing
    // right, 2 pointing left, 3 horizontal, 4 pointing down, 5 pointing up.
    virtual bool IsTrackBarDefined(TskKind kind, const std::string& name);
    virtual bool IsTrackBarTransparent(TskKind kind, const std::string& name);
    virtual void TrackBarDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void TrackBarDrawTrack(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void TrackBarDrawThumb(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void TrackBarGetThumbSize(TskKind kind, const std::string& name, const TskPartRecord& part, SIZE& size);
    // Column headers: section part 0 first, 2 last, any other a middle section.
    virtual bool IsHeaderDefined(TskKind kind, const std::string& name);
    virtual bool IsHeaderTransparent(TskKind kind, const std::string& name);
    virtual void HeaderDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void HeaderDrawSection(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void HeaderDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                const TskPartRecord& part);
    virtual void HeaderDrawImage(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& image,
                                 const TskPartRecord& part);

    virtual bool IsStatusBarDefined(TskKind kind, const std::string& name);
    virtual bool IsStatusBarTransparent(TskKind kind, const std::string& name);
    virtual void StatusBarGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void StatusBarDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void StatusBarDrawPanel(TskKind kind, TCanvas& canvas, const std::string& name,
                                    const TskStateRecord& state);
    virtual void StatusBarDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                   const TskStateRecord& state);
    virtual void StatusBarDrawImage(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& image,
                                    const TskStateRecord& state);

    // Edits, combo boxes and spin edits.
    virtual bool IsEditDefined(TskKind kind, const std::string& name);
    virtual bool IsEditTransparent(TskKind kind, const std::string& name);
    virtual void EditGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void EditDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual void EditDrawButton(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);

    virtual bool IsGroupBoxDefined(TskKind kind, const std::string& name);
    virtual bool IsGroupBoxTransparent(TskKind kind, const std::string& name);
    virtual void GroupBoxGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void GroupBoxDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskGroupRecord& group);
    virtual void GroupBoxDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                  const TskGroupRecord& group);

    // Two slots kept for object kinds no control of this library draws yet; their places in the interface are
    // fixed so that themes written against it stay compatible.
    virtual bool IsReserved1Defined(TskKind kind, const std::string& name);
    virtual bool IsReserved1Transparent(TskKind kind, const std::string& name);
    virtual void Reserved1GetContentRect(TskKind kind, const TskStateRecord& state, RECT& content,
                                         const std::string& name);
    virtual void Reserved1Draw(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual bool IsReserved2Defined(TskKind kind, const std::string& name);
    virtual bool IsReserved2Transparent(TskKind kind, const std::string& name);
    virtual void Reserved2GetContentRect(TskKind kind, const TskStateRecord& state, RECT& content,
                                         const std::string& name);
    virtual void Reserved2Draw(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);

    // Menus: item part 0 an item, 1 a separator; glyph part 0 check mark, 1 radio dot, 2 submenu arrow, 3 the
    // image record's bitmap.
    virtual bool IsMenuDefined(TskKind kind, const std::string& name);
    virtual bool IsMenuTransparent(TskKind kind, const std::string& name);
    virtual void MenuGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void MenuDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void MenuDrawItem(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void MenuDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                              const TskPartRecord& part);
    virtual void MenuDrawGlyph(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& image,
                               const TskPartRecord& part);

    // Tool bars and control bars.
    virtual bool IsDockBarDefined(TskKind kind, const std::string& name);
    virtual void DockBarGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void DockBarDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);

    // Tool and speed buttons; glyph parts as for menus.
    virtual bool IsToolButtonDefined(TskKind kind, const std::string& name);
    virtual void ToolButtonGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void ToolButtonDraw(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual void ToolButtonDrawPart(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void ToolButtonDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                    const TskStateRecord& state);
    virtual void ToolButtonDrawGlyph(TskKind kind, TCanvas& canvas, const std::string& name,
                                     const TskImageRecord& image, const TskPartRecord& part);

    virtual bool IsScrollBoxDefined(TskKind kind, const std::string& name);
    virtual void ScrollBoxGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void ScrollBoxDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);

    // A panel with a caption bar and buttons: part 1 roll up, 2 roll down, 3 hide; state 0 normal, 1 hot,
    // 2 pressed, 3 disabled. RollPanelDrawPart is a slot no theme fills yet.
    virtual bool IsRollPanelDefined(TskKind kind, const std::string& name);
    virtual bool IsRollPanelTransparent(TskKind kind, const std::string& name);
    virtual void RollPanelGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void RollPanelDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void RollPanelDrawCaption(TskKind kind, TCanvas& canvas, const std::string& name,
                                      const TskStateRecord& state);
    virtual void RollPanelDrawButton(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void RollPanelDrawPart(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void RollPanelDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info);

    virtual bool IsTabDefined(TskKind kind, const std::string& name);
    virtual bool IsTabTransparent(TskKind kind, const std::string& name);
    virtual void TabGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void TabDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void TabDrawTab(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void TabDrawButton(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void TabDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                             const TskPartRecord& part);
    virtual void TabDrawImage(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& image,
                              const TskPartRecord& part);

    // List boxes; ListBoxDrawCheck reads the image record's Kind as the check state (3: draw its bitmap).
    virtual bool IsListBoxDefined(TskKind kind, const std::string& name);
    virtual bool IsListBoxTransparent(TskKind kind, const std::string& name);
    virtual void ListBoxGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void ListBoxDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void ListBoxDrawBack(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void ListBoxDrawItem(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual void ListBoxDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                                 const TskStateRecord& state);
    virtual void ListBoxDrawCheck(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& check);

    // List-like views; TreeDrawButton is a slot the base leaves empty.
    virtual bool IsTreeDefined(TskKind kind, const std::string& name);
    virtual bool IsTreeTransparent(TskKind kind, const std::string& name);
    virtual void TreeGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void TreeDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void TreeDrawItem(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    virtual void TreeDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                              const TskStateRecord& state);
    virtual void TreeDrawButton(TskKind kind, TCanvas& canvas, const std::string& name, const TskStateRecord& state);
    // Grids: the cell's part is its state (0 normal, 1 hot, 2 and 3 selected, 4 disabled), state 1 a fixed cell.
    virtual bool IsGridDefined(TskKind kind, const std::string& name);
    virtual bool IsGridTransparent(TskKind kind, const std::string& name);
    virtual void GridGetContentRect(TskKind kind, const RECT& rect, RECT& content, const std::string& name);
    virtual void GridDraw(TskKind kind, TCanvas& canvas, const std::string& name, const RECT& rect);
    virtual void GridDrawCell(TskKind kind, TCanvas& canvas, const std::string& name, const TskPartRecord& part);
    virtual void GridDrawText(TskKind kind, TCanvas& canvas, const std::string& name, const TskTextInfo& info,
                              const TskPartRecord& part);
    virtual void GridDrawImage(TskKind kind, TCanvas& canvas, const std::string& name, const TskImageRecord& image,
                               const TskPartRecord& part);

    // The bounds a theme prescribes for a named object; the empty rectangle prescribes nothing.
    virtual void GetObjectBounds(const std::string& name, RECT& bounds);
    // clNone when the theme has no colour for the object.
    virtual TColor GetObjectColor(const std::string& name);

private:
    std::unique_ptr<TskThemeColors> FColors;
    std::unique_ptr<TskThemeFonts> FFonts;
    int FDeltaHue = 0;
    int FDeltaBrightness = 0;
    std::string FName;
    std::string FFileName;
    std::unique_ptr<TskThemeSysColors> FSysColors;
    std::unique_ptr<TskThemeDrawing> FDrawing;
    std::unique_ptr<TskThemeMetrics> FMetrics;
    std::unique_ptr<TskThemeOptions> FOptions;
};

// The current theme: owned and set only by the theme manager (ThemeManager.h defines it); nullptr while none is.
TskTheme* CurrentTheme();

// The link's theme when the link is set and gives one, else the current theme; nullptr when neither.
TskTheme* GetTheme(TskCustomThemeLink* link);

// Asked by every control before it draws through a theme. A link that gives a theme answers for itself, without
// the fallback; otherwise false while no theme is current, else the current theme's answer for name, or failing
// that for "default".
bool IsWindowDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsLabelDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsPanelDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsButtonDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsCheckBoxDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsScrollBarDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsProgressBarDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsStatusBarDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsEditDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsGroupBoxDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsMenuDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsToolButtonDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsTabDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsListBoxDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);
bool IsScrollBoxDefined(TskKind kind, const std::string& name, TskCustomThemeLink* link);

// The popup family: Menu (popup background, border, items, check marks, separators, submenu arrows) and Tooltip.
// Items highlight with a soft accent; nothing in a popup is bevelled.
#include "theme/ClassStyle.h"
#include "theme/ThemeGlyphs.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>

namespace win32::theme {
namespace {

class Menu : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        switch (part) {
        case MENU_POPUPBACKGROUND: m.minSize = {1, 1}; return true;
        case MENU_POPUPBORDERS:
            m.minSize = {2, 2};
            m.content = {2, 2, 2, 2};
            m.border = 1;
            m.transparent = true;
            m.borderOnly = true;
            return true;
        case MENU_POPUPCHECK:
        case MENU_POPUPSUBMENU:
            m.states = part == MENU_POPUPCHECK ? int{MC_BULLETDISABLED} : int{MSM_DISABLED};
            m.trueSize = m.minSize = {metrics::MenuGlyph, metrics::MenuGlyph};
            m.fixedSize = true;
            m.transparent = true;
            return true;
        case MENU_POPUPCHECKBACKGROUND:
            m.states = MCB_BITMAP;
            m.minSize = {4, 4};
            m.content = {2, 2, 2, 2};
            m.radius = metrics::ControlRadius;
            m.transparent = true;
            return true;
        case MENU_POPUPGUTTER:
            m.trueSize = {3, 0};
            m.minSize = {3, 1};
            m.transparent = true;
            return true;
        case MENU_POPUPITEM:
            m.states = MPI_DISABLEDHOT;
            m.minSize = {4, 4};
            m.content = {4, 4, 2, 2};
            m.radius = metrics::ControlRadius;
            m.transparent = true;
            return true;
        case MENU_POPUPSEPARATOR:
            m.trueSize = {0, metrics::MenuSeparator};
            m.minSize = {1, metrics::MenuSeparator};
            m.transparent = true;
            return true;
        }
        return false;
    }

    PartColors Colors(int part, int state) const override {
        switch (part) {
        case MENU_POPUPBACKGROUND: return {ToneColor(Tone::Field), NoColor, ToneColor(Tone::Text)};
        case MENU_POPUPBORDERS: return {NoColor, ToneColor(Tone::Border), NoColor};
        case MENU_POPUPCHECK: {
            bool disabled = state == MC_CHECKMARKDISABLED || state == MC_BULLETDISABLED;
            return {NoColor, NoColor, ToneColor(disabled ? Tone::TextDisabled : Tone::Text)};
        }
        case MENU_POPUPCHECKBACKGROUND:
            return {ToneColor(state == MCB_DISABLED ? Tone::FaceDisabled
                              : state == MCB_BITMAP ? Tone::AccentSofter
                                                    : Tone::AccentSoft),
                    NoColor, NoColor};
        case MENU_POPUPGUTTER:
        case MENU_POPUPSEPARATOR: return {NoColor, ToneColor(Tone::Separator), NoColor};
        case MENU_POPUPITEM:
            switch (state) {
            case MPI_HOT: return {ToneColor(Tone::AccentSoft), NoColor, ToneColor(Tone::Text)};
            case MPI_DISABLED: return {NoColor, NoColor, ToneColor(Tone::TextDisabled)};
            case MPI_DISABLEDHOT: return {ToneColor(Tone::Track), NoColor, ToneColor(Tone::TextDisabled)};
            }
            return {NoColor, NoColor, ToneColor(Tone::Text)};
        case MENU_POPUPSUBMENU:
            return {NoColor, NoColor, ToneColor(state == MSM_DISABLED ? Tone::TextDisabled : Tone::Text)};
        }
        return {};
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        switch (part) {
        case MENU_POPUPBACKGROUND: canvas.Fill(rect, colors.fill); return;
        case MENU_POPUPBORDERS: canvas.Frame(rect, 0, 1, colors.border); return;
        case MENU_POPUPCHECK:
            if (state == MC_BULLETNORMAL || state == MC_BULLETDISABLED) {
                canvas.Disc(rect.left + Width(rect) / 2.0f, rect.top + Height(rect) / 2.0f, 2.5f, colors.text);
            } else {
                CheckMark(canvas, Inset(rect, 2, 2), 1.5f, colors.text);
            }
            return;
        case MENU_POPUPCHECKBACKGROUND: canvas.FillRound(rect, metrics::ControlRadius, colors.fill); return;
        case MENU_POPUPGUTTER: {
            int x = rect.left + Width(rect) / 2;
            canvas.Fill(RECT{x, rect.top, x + 1, rect.bottom}, colors.border);
            return;
        }
        case MENU_POPUPITEM:
            if (colors.fill != NoColor) canvas.FillRound(rect, metrics::ControlRadius, colors.fill);
            return;
        case MENU_POPUPSEPARATOR: {
            int y = rect.top + Height(rect) / 2;
            canvas.Fill(RECT{rect.left, y, rect.right, y + 1}, colors.border);
            return;
        }
        case MENU_POPUPSUBMENU: Chevron(canvas, Inset(rect, 3, 3), Direction::Right, colors.text); return;
        }
    }

    int Font(int part) const override { return part == MENU_POPUPITEM ? TMT_MENUFONT : 0; }
};

class Tooltip : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        if (part < TTP_STANDARD || part > TTP_BALLOONTITLE) return false;
        bool balloon = part >= TTP_BALLOON;
        m.states = TTSS_LINK;
        m.minSize = {8, 8};
        m.content = balloon ? MARGINS{6, 6, 4, 4} : MARGINS{4, 4, 2, 2};
        m.border = 1;
        m.radius = balloon ? 6 : 0;
        m.transparent = balloon;
        return true;
    }

    PartColors Colors(int, int state) const override {
        return {ToneColor(Tone::TooltipFill), ToneColor(Tone::TooltipBorder),
                ToneColor(state == TTSS_LINK ? Tone::Accent : Tone::Text)};
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartMetrics m;
        Metrics(part, m);
        PartColors colors = Colors(part, state);
        canvas.Box(rect, m.radius, colors.border, colors.fill);
    }

    int Font(int) const override { return TMT_STATUSFONT; }
};

}  // namespace

const ClassStyle& MenuStyle() {
    static const Menu style;
    return style;
}

const ClassStyle& TooltipStyle() {
    static const Tooltip style;
    return style;
}

}  // namespace win32::theme

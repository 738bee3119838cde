// The Tab class: tabs with rounded top corners that open onto a white pane; the selected tab takes the pane's
// colour and an accent bar along its top.
#include "theme/ClassStyle.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>

namespace win32::theme {
namespace {

class Tab : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        if (part >= TABP_TABITEM && part <= TABP_TOPTABITEMBOTHEDGE) {
            m.states = TIS_FOCUSED;
            m.minSize = {8, 6};
            m.content = {4, 4, 3, 1};
            m.border = 1;
            m.radius = metrics::ControlRadius;
            m.corners = TopCorners;
            m.transparent = true;
            return true;
        }
        if (part == TABP_PANE || part == TABP_BODY) {
            m.minSize = {2, 2};
            m.content = part == TABP_PANE ? MARGINS{1, 1, 1, 1} : MARGINS{0, 0, 0, 0};
            m.border = part == TABP_PANE ? 1 : 0;
            return true;
        }
        return false;
    }

    PartColors Colors(int part, int state) const override {
        if (part == TABP_PANE) return {ToneColor(Tone::Field), ToneColor(Tone::Border), ToneColor(Tone::Text)};
        if (part == TABP_BODY) return {ToneColor(Tone::Field), NoColor, ToneColor(Tone::Text)};
        switch (state) {
        case TIS_HOT: return {ToneColor(Tone::FaceHot), ToneColor(Tone::Border), ToneColor(Tone::Text)};
        case TIS_SELECTED:
        case TIS_FOCUSED: return {ToneColor(Tone::Field), ToneColor(Tone::Border), ToneColor(Tone::Text)};
        case TIS_DISABLED:
            return {ToneColor(Tone::FaceDisabled), ToneColor(Tone::BorderDisabled), ToneColor(Tone::TextDisabled)};
        }
        return {ToneColor(Tone::Face), ToneColor(Tone::Border), ToneColor(Tone::Text)};
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        if (part == TABP_PANE) {
            canvas.Box(rect, 0, colors.border, colors.fill);
            return;
        }
        if (part == TABP_BODY) {
            canvas.Fill(rect, colors.fill);
            return;
        }
        // No border along the bottom: the tab stands on the pane's edge.
        canvas.FillRound(rect, metrics::ControlRadius, colors.border, TopCorners);
        canvas.FillRound(Inset(rect, 1, 1, 1, 0), metrics::ControlRadius - 1, colors.fill, TopCorners);
        if (state == TIS_SELECTED || state == TIS_FOCUSED) {
            RECT bar = Inset(rect, 1, 1, 1, 0);
            bar.bottom = bar.top + 2;
            canvas.FillRound(bar, metrics::ControlRadius - 1, ToneColor(Tone::Accent), TopCorners);
        }
    }
};

}  // namespace

const ClassStyle& TabStyle() {
    static const Tab style;
    return style;
}

}  // namespace win32::theme

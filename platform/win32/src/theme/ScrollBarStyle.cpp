// The ScrollBar class: flat arrow buttons with chevrons, a quiet track, and a thumb drawn as a rounded bar
// narrower than the track.
#include "theme/ClassStyle.h"
#include "theme/ThemeGlyphs.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>

#include <algorithm>

namespace win32::theme {
namespace {

enum { Normal, Hot, Pressed, Disabled };

// Arrow buttons: four looks per direction (up, down, left, right); 17 to 20 are the hover looks of the four
// directions, drawn as normal.
int ArrowLook(int state) { return state > ABS_RIGHTDISABLED ? Normal : (state - 1) % 4; }
Direction ArrowDirection(int state) {
    static const Direction directions[] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
    return directions[state > ABS_RIGHTDISABLED ? state - ABS_RIGHTDISABLED - 1 : (state - 1) / 4];
}

bool Horizontal(int part) {
    return part == SBP_THUMBBTNHORZ || part == SBP_LOWERTRACKHORZ || part == SBP_UPPERTRACKHORZ ||
           part == SBP_GRIPPERHORZ;
}

class ScrollBar : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        int size = metrics::ScrollBarSize();
        switch (part) {
        case SBP_ARROWBTN:
            m.states = 20;
            m.trueSize = {size, size};
            m.minSize = {5, 5};
            return true;
        case SBP_THUMBBTNHORZ:
        case SBP_THUMBBTNVERT:
            m.states = 5;
            m.minSize = Horizontal(part) ? SIZE{8, 5} : SIZE{5, 8};
            m.content = Horizontal(part) ? MARGINS{1, 1, 3, 3} : MARGINS{3, 3, 1, 1};
            m.radius = std::max(1, (size - 6) / 2);
            return true;
        case SBP_LOWERTRACKHORZ:
        case SBP_UPPERTRACKHORZ:
        case SBP_LOWERTRACKVERT:
        case SBP_UPPERTRACKVERT:
            m.states = 5;
            m.minSize = {1, 1};
            return true;
        case SBP_GRIPPERHORZ:
        case SBP_GRIPPERVERT:
            m.states = 5;
            m.trueSize = {8, 8};
            m.minSize = {8, 8};
            m.fixedSize = true;
            m.transparent = true;
            return true;
        case SBP_SIZEBOX:
            m.states = SZB_LEFTALIGN;
            m.trueSize = {size, size};
            m.minSize = {5, 5};
            return true;
        }
        return false;
    }

    PartColors Colors(int part, int state) const override {
        switch (part) {
        case SBP_ARROWBTN:
            switch (ArrowLook(state)) {
            case Hot: return {ToneColor(Tone::Separator), NoColor, ToneColor(Tone::Glyph)};
            case Pressed: return {ToneColor(Tone::ThumbPressed), NoColor, ToneColor(Tone::OnAccent)};
            case Disabled: return {ToneColor(Tone::Track), NoColor, ToneColor(Tone::GlyphDisabled)};
            }
            return {ToneColor(Tone::Track), NoColor, ToneColor(Tone::Glyph)};
        case SBP_THUMBBTNHORZ:
        case SBP_THUMBBTNVERT:
            switch (state) {
            case SCRBS_HOT: return {ToneColor(Tone::ThumbHot), NoColor, NoColor};
            case SCRBS_PRESSED: return {ToneColor(Tone::ThumbPressed), NoColor, NoColor};
            case SCRBS_DISABLED: return {ToneColor(Tone::Track), NoColor, NoColor};
            }
            return {ToneColor(Tone::Thumb), NoColor, NoColor};
        case SBP_GRIPPERHORZ:
        case SBP_GRIPPERVERT: return {NoColor, NoColor, ToneColor(state == SCRBS_DISABLED ? Tone::Thumb : Tone::Track)};
        }
        return {ToneColor(state == SCRBS_PRESSED ? Tone::Separator : Tone::Track), NoColor, ToneColor(Tone::Thumb)};
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        switch (part) {
        case SBP_ARROWBTN:
            canvas.Fill(rect, ToneColor(Tone::Track));
            if (ArrowLook(state) == Hot || ArrowLook(state) == Pressed)
                canvas.FillRound(Inset(rect, 1, 1), 2, colors.fill);
            Chevron(canvas, rect, ArrowDirection(state), colors.text);
            return;
        case SBP_THUMBBTNHORZ:
        case SBP_THUMBBTNVERT: {
            canvas.Fill(rect, ToneColor(Tone::Track));
            PartMetrics m;
            Metrics(part, m);
            RECT bar = Inset(rect, m.content.cxLeftWidth, m.content.cyTopHeight, m.content.cxRightWidth,
                             m.content.cyBottomHeight);
            canvas.FillRound(bar, m.radius, colors.fill);
            return;
        }
        case SBP_GRIPPERHORZ:
        case SBP_GRIPPERVERT:
            // Three short ridges across the thumb.
            for (int i = 0; i < 3; ++i) {
                RECT ridge = Horizontal(part)
                                 ? RECT{rect.left + 1 + 3 * i, rect.top + 2, rect.left + 2 + 3 * i, rect.bottom - 2}
                                 : RECT{rect.left + 2, rect.top + 1 + 3 * i, rect.right - 2, rect.top + 2 + 3 * i};
                canvas.Fill(ridge, colors.text);
            }
            return;
        case SBP_SIZEBOX: {
            canvas.Fill(rect, ToneColor(Tone::Track));
            // Six two-pixel dots in a triangle against the corner the box sits in.
            bool left = state == SZB_LEFTALIGN;
            for (int row = 0; row < 3; ++row) {
                for (int column = 0; column <= row; ++column) {
                    int y = rect.bottom - 4 - 4 * (2 - row);
                    int dx = 2 + 4 * column;
                    int x = left ? rect.left + dx : rect.right - dx - 2;
                    canvas.Fill(RECT{x, y, x + 2, y + 2}, colors.text);
                }
            }
            return;
        }
        }
        canvas.Fill(rect, colors.fill);
    }
};

}  // namespace

const ClassStyle& ScrollBarStyle() {
    static const ScrollBar style;
    return style;
}

}  // namespace win32::theme

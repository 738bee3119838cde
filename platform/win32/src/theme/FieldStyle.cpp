// The field family: Edit (text fields), ComboBox (the drop-down button) and Spin (up-down buttons). Fields are
// square-cornered white boxes; the buttons that sit in or beside them are flat with a chevron.
#include "theme/ClassStyle.h"
#include "theme/ThemeGlyphs.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>

namespace win32::theme {
namespace {

// Up-down and drop-down buttons: normal, hot, pressed, disabled.
PartColors FlatButtonColors(int state) {
    switch (state) {
    case 2: return {ToneColor(Tone::FaceHot), ToneColor(Tone::AccentHot), ToneColor(Tone::Glyph)};
    case 3: return {ToneColor(Tone::FacePressed), ToneColor(Tone::Accent), ToneColor(Tone::Glyph)};
    case 4: return {ToneColor(Tone::FaceDisabled), ToneColor(Tone::BorderDisabled), ToneColor(Tone::GlyphDisabled)};
    }
    return {ToneColor(Tone::Face), ToneColor(Tone::Border), ToneColor(Tone::Glyph)};
}

class Edit : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        if (part != EP_EDITTEXT) return false;
        m.states = ETS_ASSIST;
        m.minSize = {2, 2};
        m.content = {1, 1, 1, 1};
        m.border = 1;
        return true;
    }

    PartColors Colors(int, int state) const override {
        switch (state) {
        case ETS_HOT: return {ToneColor(Tone::Field), ToneColor(Tone::Glyph), ToneColor(Tone::Text)};
        case ETS_SELECTED:
        case ETS_FOCUSED: return {ToneColor(Tone::Field), ToneColor(Tone::Accent), ToneColor(Tone::Text)};
        case ETS_DISABLED:
            return {ToneColor(Tone::FieldDisabled), ToneColor(Tone::BorderDisabled), ToneColor(Tone::TextDisabled)};
        case ETS_READONLY: return {ToneColor(Tone::FieldDisabled), ToneColor(Tone::Border), ToneColor(Tone::Text)};
        case ETS_ASSIST: return {ToneColor(Tone::AccentSofter), ToneColor(Tone::Border), ToneColor(Tone::Text)};
        }
        return {ToneColor(Tone::Field), ToneColor(Tone::BorderStrong), ToneColor(Tone::Text)};
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        canvas.Box(rect, 0, colors.border, colors.fill);
    }
};

class ComboBox : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        if (part != CP_DROPDOWNBUTTON) return false;
        m.states = CBXS_DISABLED;
        m.trueSize = {metrics::ScrollBarSize(), metrics::ScrollBarSize()};
        m.minSize = {5, 5};
        return true;
    }

    // The button has no border of its own: it lies inside the field's, on the field's colour.
    PartColors Colors(int, int state) const override {
        PartColors colors = FlatButtonColors(state);
        if (state == CBXS_NORMAL) colors.fill = ToneColor(Tone::Field);
        colors.border = NoColor;
        return colors;
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        canvas.Fill(rect, colors.fill);
        Chevron(canvas, rect, Direction::Down, colors.text);
    }
};

class Spin : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        if (part < SPNP_UP || part > SPNP_DOWNHORZ) return false;
        bool horizontal = part >= SPNP_UPHORZ;
        m.states = UPS_DISABLED;
        m.trueSize = horizontal ? SIZE{11, 15} : SIZE{15, 11};
        m.minSize = {5, 5};
        m.content = {1, 1, 1, 1};
        m.border = 1;
        m.radius = metrics::BoxRadius;
        m.transparent = true;
        return true;
    }

    PartColors Colors(int, int state) const override { return FlatButtonColors(state); }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        canvas.Box(rect, metrics::BoxRadius, colors.border, colors.fill);
        // The horizontal pair's "up" button points right, as the control counts up to the right.
        static const Direction directions[] = {Direction::Up, Direction::Down, Direction::Right, Direction::Left};
        Chevron(canvas, Inset(rect, 1, 1), directions[part - SPNP_UP], colors.text);
    }
};

}  // namespace

const ClassStyle& EditStyle() {
    static const Edit style;
    return style;
}

const ClassStyle& ComboBoxStyle() {
    static const ComboBox style;
    return style;
}

const ClassStyle& SpinStyle() {
    static const Spin style;
    return style;
}

}  // namespace win32::theme

// The Button class: push buttons, check boxes, radio buttons and group boxes.
#include "theme/ClassStyle.h"
#include "theme/ThemeGlyphs.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>

namespace win32::theme {
namespace {

// Check boxes and radio buttons: states come in runs of four (normal, hot, pressed, disabled) per check state.
int Look(int state) { return (state - 1) % 4; }
int CheckState(int state) { return (state - 1) / 4; }  // 0 unchecked, 1 checked, 2 mixed
enum { Normal, Hot, Pressed, Disabled };

class Button : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        switch (part) {
        case BP_PUSHBUTTON:
            m.states = PBS_DEFAULTED;
            m.minSize = {8, 8};
            m.content = {4, 4, 3, 3};
            m.border = 1;
            m.radius = metrics::ControlRadius;
            m.transparent = true;
            return true;
        case BP_RADIOBUTTON:
        case BP_CHECKBOX:
            m.states = part == BP_CHECKBOX ? int{CBS_MIXEDDISABLED} : int{RBS_CHECKEDDISABLED};
            m.trueSize = m.minSize = {metrics::CheckSize, metrics::CheckSize};
            m.content = {1, 1, 1, 1};
            m.border = 1;
            m.radius = part == BP_CHECKBOX ? metrics::BoxRadius : metrics::CheckSize / 2;
            m.fixedSize = true;
            m.transparent = true;
            return true;
        case BP_GROUPBOX:
            m.states = GBS_DISABLED;
            m.minSize = {8, 8};
            m.content = {4, 4, 4, 4};
            m.border = 1;
            m.radius = metrics::ControlRadius;
            m.transparent = true;
            m.borderOnly = true;
            return true;
        }
        return false;
    }

    PartColors Colors(int part, int state) const override {
        switch (part) {
        case BP_PUSHBUTTON: return PushColors(state);
        case BP_GROUPBOX:
            return {NoColor, ToneColor(state == GBS_DISABLED ? Tone::BorderDisabled : Tone::Border),
                    ToneColor(state == GBS_DISABLED ? Tone::TextDisabled : Tone::Text)};
        }
        return MarkColors(state);
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        switch (part) {
        case BP_PUSHBUTTON:
            canvas.Box(rect, metrics::ControlRadius, colors.border, colors.fill);
            // The default button carries a second, inner ring in the accent's soft tone.
            if (state == PBS_DEFAULTED)
                canvas.Frame(Inset(rect, 1, 1), metrics::ControlRadius - 1, 1, ToneColor(Tone::AccentSoft));
            return;
        case BP_GROUPBOX: canvas.Frame(rect, metrics::ControlRadius, 1, colors.border); return;
        case BP_CHECKBOX: DrawCheckBox(canvas, state, rect, colors); return;
        case BP_RADIOBUTTON: DrawRadio(canvas, state, rect, colors); return;
        }
    }

private:
    static PartColors PushColors(int state) {
        switch (state) {
        case PBS_HOT: return {ToneColor(Tone::FaceHot), ToneColor(Tone::AccentHot), ToneColor(Tone::Text)};
        case PBS_PRESSED: return {ToneColor(Tone::FacePressed), ToneColor(Tone::Accent), ToneColor(Tone::Text)};
        case PBS_DISABLED:
            return {ToneColor(Tone::FaceDisabled), ToneColor(Tone::BorderDisabled), ToneColor(Tone::TextDisabled)};
        case PBS_DEFAULTED: return {ToneColor(Tone::Face), ToneColor(Tone::Accent), ToneColor(Tone::Text)};
        }
        return {ToneColor(Tone::Face), ToneColor(Tone::Border), ToneColor(Tone::Text)};
    }

    // The box or circle of a check box or radio button: filled with the accent once checked.
    static PartColors MarkColors(int state) {
        bool marked = CheckState(state) != 0;
        Tone text = Look(state) == Disabled ? Tone::TextDisabled : Tone::Text;
        switch (Look(state)) {
        case Hot:
            return marked ? PartColors{ToneColor(Tone::AccentHot), ToneColor(Tone::AccentHot), ToneColor(text)}
                          : PartColors{ToneColor(Tone::AccentSofter), ToneColor(Tone::Accent), ToneColor(text)};
        case Pressed:
            return marked ? PartColors{ToneColor(Tone::AccentPressed), ToneColor(Tone::AccentPressed), ToneColor(text)}
                          : PartColors{ToneColor(Tone::AccentSoft), ToneColor(Tone::AccentPressed), ToneColor(text)};
        case Disabled:
            return marked
                       ? PartColors{ToneColor(Tone::BorderDisabled), ToneColor(Tone::BorderDisabled), ToneColor(text)}
                       : PartColors{ToneColor(Tone::FieldDisabled), ToneColor(Tone::BorderDisabled), ToneColor(text)};
        }
        return marked ? PartColors{ToneColor(Tone::Accent), ToneColor(Tone::Accent), ToneColor(text)}
                      : PartColors{ToneColor(Tone::Field), ToneColor(Tone::BorderStrong), ToneColor(text)};
    }

    static void DrawCheckBox(ThemeCanvas& canvas, int state, const RECT& rect, const PartColors& colors) {
        switch (CheckState(state)) {
        case 0: canvas.Box(rect, metrics::BoxRadius, colors.border, colors.fill); return;
        case 1:
            canvas.FillRound(rect, metrics::BoxRadius, colors.fill);
            CheckMark(canvas, rect, 1.6f, ToneColor(Tone::OnAccent));
            return;
        }
        // Mixed: an empty box holding a square of the accent.
        PartColors open = MarkColors(state - 8);
        canvas.Box(rect, metrics::BoxRadius, open.border, open.fill);
        canvas.FillRound(Inset(rect, 3, 3), 1, colors.fill);
    }

    static void DrawRadio(ThemeCanvas& canvas, int state, const RECT& rect, const PartColors& colors) {
        float cx = rect.left + Width(rect) / 2.0f;
        float cy = rect.top + Height(rect) / 2.0f;
        float r = Width(rect) / 2.0f;
        if (CheckState(state) == 0) {
            canvas.Disc(cx, cy, r - 0.5f, colors.border);
            canvas.Disc(cx, cy, r - 1.5f, colors.fill);
            return;
        }
        canvas.Disc(cx, cy, r - 0.5f, colors.fill);
        canvas.Disc(cx, cy, r - 2.5f, ToneColor(Tone::Field));
        canvas.Disc(cx, cy, r - 4.0f, colors.fill);
    }
};

}  // namespace

const ClassStyle& ButtonStyle() {
    static const Button style;
    return style;
}

}  // namespace win32::theme

// The Window class: the frame and caption of top-level windows and their caption buttons. The caption's top
// corners are rounded; the frame is the caption's colour with a darker outline along the window's outer edge.
#include "theme/ClassStyle.h"
#include "theme/ThemeGlyphs.h"
#include "theme/ThemeMetrics.h"
#include "theme/ThemePalette.h"

#include <win32/vssym32.h>
#include <win32/winuser.h>

namespace win32::theme {
namespace {

bool IsCaption(int part) { return part >= WP_CAPTION && part <= WP_SMALLMAXCAPTION; }
bool IsSmall(int part) {
    return part == WP_SMALLCAPTION || part == WP_SMALLMINCAPTION || part == WP_SMALLMAXCAPTION ||
           part == WP_SMALLFRAMELEFT || part == WP_SMALLFRAMERIGHT || part == WP_SMALLFRAMEBOTTOM ||
           part == WP_SMALLCLOSEBUTTON;
}
bool IsFrame(int part) { return part >= WP_FRAMELEFT && part <= WP_SMALLFRAMEBOTTOM; }
bool IsButton(int part) { return part >= WP_SYSBUTTON && part <= WP_MDIHELPBUTTON; }

// Caption buttons: 1 to 4 normal, hot, pushed, disabled; 5 to 8 the same on an inactive window.
enum { Normal, Hot, Pushed, Disabled };
int Look(int state) { return (state - 1) % 4; }
bool InactiveButton(int state) { return state > 4; }

class Window : public ClassStyle {
public:
    bool Metrics(int part, PartMetrics& m) const override {
        int frame = metrics::FrameWidth();
        if (IsCaption(part)) {
            bool maximized = part == WP_MAXCAPTION || part == WP_SMALLMAXCAPTION;
            m.states = CS_DISABLED;
            int height = IsSmall(part) ? metrics::SmallCaptionHeight() : metrics::CaptionHeight();
            m.trueSize = {0, maximized ? height - frame : height};
            m.minSize = {2 * frame, m.trueSize.cy};
            m.content = maximized ? MARGINS{0, 0, 0, 0} : MARGINS{frame, frame, frame, 0};
            m.border = maximized ? 0 : 1;
            m.radius = maximized ? 0 : IsSmall(part) ? metrics::SmallCaptionRadius : metrics::CaptionRadius;
            m.corners = TopCorners;
            m.transparent = !maximized;
            return true;
        }
        if (IsFrame(part)) {
            m.states = FS_INACTIVE;
            bool bottom = part == WP_FRAMEBOTTOM || part == WP_SMALLFRAMEBOTTOM;
            bool left = part == WP_FRAMELEFT || part == WP_SMALLFRAMELEFT;
            m.trueSize = bottom ? SIZE{0, frame} : SIZE{frame, 0};
            m.minSize = {1, 1};
            m.content = bottom ? MARGINS{1, 1, 0, 1} : left ? MARGINS{1, 0, 0, 0} : MARGINS{0, 1, 0, 0};
            m.border = 1;
            return true;
        }
        if (IsButton(part)) {
            m.states = 8;
            int side = part == WP_SMALLCLOSEBUTTON ? metrics::SmallCaptionButton() : metrics::CaptionButton();
            m.trueSize = {side, side};
            m.minSize = {4, 4};
            m.radius = metrics::CaptionButtonRadius;
            m.transparent = true;
            return true;
        }
        if (part == WP_DIALOG) {
            m.minSize = {1, 1};
            return true;
        }
        return false;
    }

    PartColors Colors(int part, int state) const override {
        if (IsCaption(part) || IsFrame(part)) {
            bool active = state == 1;
            return {ToneColor(active ? Tone::CaptionActive : Tone::CaptionInactive),
                    active ? ToneColor(Tone::CaptionOutline) : ToneColor(Tone::BorderStrong),
                    ToneColor(active ? Tone::CaptionGlyph : Tone::CaptionGlyphInactive)};
        }
        if (IsButton(part)) return ButtonColors(part, state);
        return {ToneColor(Tone::Face), NoColor, ToneColor(Tone::Text)};
    }

    void Draw(ThemeCanvas& canvas, int part, int state, const RECT& rect) const override {
        PartColors colors = Colors(part, state);
        PartMetrics m;
        Metrics(part, m);
        if (IsCaption(part)) {
            if (m.border) {
                canvas.FillRound(rect, m.radius, colors.border, TopCorners);
                canvas.FillRound(Inset(rect, 1, 1, 1, 0), m.radius - 1, colors.fill, TopCorners);
            } else {
                canvas.Fill(rect, colors.fill);
            }
            return;
        }
        if (IsFrame(part)) {
            // The outline runs along the outer sides only: those the content margins name.
            canvas.Fill(rect, colors.border);
            canvas.Fill(Inset(rect, m.content.cxLeftWidth, m.content.cyTopHeight, m.content.cxRightWidth,
                              m.content.cyBottomHeight),
                        colors.fill);
            return;
        }
        if (IsButton(part)) {
            if (colors.fill != NoColor) canvas.FillRound(rect, m.radius, colors.fill);
            Glyph(canvas, part, rect, colors.text);
            return;
        }
        canvas.Fill(rect, colors.fill);
    }

    int Font(int part) const override {
        if (!IsCaption(part)) return 0;
        return IsSmall(part) ? TMT_SMALLCAPTIONFONT : TMT_CAPTIONFONT;
    }

private:
    static PartColors ButtonColors(int part, int state) {
        bool close = part == WP_CLOSEBUTTON || part == WP_SMALLCLOSEBUTTON || part == WP_MDICLOSEBUTTON;
        COLORREF glyph = ToneColor(InactiveButton(state) ? Tone::CaptionGlyphInactive : Tone::CaptionGlyph);
        switch (Look(state)) {
        case Hot:
            return {ToneColor(close ? Tone::CloseHot : Tone::CaptionButtonHot), NoColor, ToneColor(Tone::CaptionGlyph)};
        case Pushed:
            return {ToneColor(close ? Tone::ClosePressed : Tone::CaptionButtonPressed), NoColor,
                    ToneColor(Tone::CaptionGlyph)};
        case Disabled:
            // Faint against the caption it sits on.
            return {NoColor, NoColor, ToneColor(InactiveButton(state) ? Tone::Border : Tone::CaptionButtonHot)};
        }
        return {NoColor, NoColor, glyph};
    }

    static void Glyph(ThemeCanvas& canvas, int part, const RECT& rect, COLORREF color) {
        switch (part) {
        case WP_CLOSEBUTTON:
        case WP_SMALLCLOSEBUTTON:
        case WP_MDICLOSEBUTTON: CloseGlyph(canvas, rect, color); return;
        case WP_MINBUTTON:
        case WP_MDIMINBUTTON: MinimizeGlyph(canvas, rect, color); return;
        case WP_MAXBUTTON: MaximizeGlyph(canvas, rect, color); return;
        case WP_RESTOREBUTTON:
        case WP_MDIRESTOREBUTTON: RestoreGlyph(canvas, rect, color); return;
        case WP_HELPBUTTON:
        case WP_MDIHELPBUTTON: HelpGlyph(canvas, rect, color); return;
        case WP_SYSBUTTON:
        case WP_MDISYSBUTTON: SystemGlyph(canvas, rect, color); return;
        }
    }
};

}  // namespace

const ClassStyle& WindowStyle() {
    static const Window style;
    return style;
}

}  // namespace win32::theme

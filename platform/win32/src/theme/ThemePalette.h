// The colours of the platform's visual style: one small table, so that every class draws from the same few
// tones and a change of palette changes the whole look.
#pragma once

#include <win32/wingdi.h>

namespace win32::theme {

enum class Tone {
    Accent,  // selection, focus, checked boxes, progress
    AccentHot,
    AccentPressed,
    AccentSoft,  // hot and pressed backgrounds of flat items
    AccentSofter,
    Face,  // buttons
    FaceHot,
    FacePressed,
    FaceDisabled,
    Border,        // control outlines
    BorderStrong,  // outlines of fields and boxes
    BorderDisabled,
    Field,  // text fields, panes, popups
    FieldDisabled,
    Text,
    TextDisabled,
    OnAccent,  // glyphs and text on the accent colour
    Glyph,     // arrows and marks on faces
    GlyphDisabled,
    Track,  // scroll-bar tracks and progress-bar troughs
    Thumb,
    ThumbHot,
    ThumbPressed,
    CaptionActive,  // window frame and caption
    CaptionInactive,
    CaptionOutline,
    CaptionGlyph,
    CaptionGlyphInactive,
    CaptionButtonHot,
    CaptionButtonPressed,
    CloseHot,
    ClosePressed,
    Separator,
    Error,
    Paused,
    TooltipFill,
    TooltipBorder,
};

COLORREF ToneColor(Tone tone);

}  // namespace win32::theme

// The palette: a calm blue accent over light neutral greys.
#include "theme/ThemePalette.h"

#include <iterator>

namespace win32::theme {
namespace {

constexpr COLORREF Palette[] = {
    RGB(44, 98, 160),    // Accent
    RGB(60, 118, 184),   // AccentHot
    RGB(30, 76, 130),    // AccentPressed
    RGB(222, 233, 246),  // AccentSoft
    RGB(236, 242, 250),  // AccentSofter
    RGB(238, 239, 241),  // Face
    RGB(226, 235, 246),  // FaceHot
    RGB(204, 219, 238),  // FacePressed
    RGB(245, 245, 246),  // FaceDisabled
    RGB(178, 182, 188),  // Border
    RGB(122, 127, 134),  // BorderStrong
    RGB(212, 214, 217),  // BorderDisabled
    RGB(255, 255, 255),  // Field
    RGB(243, 243, 244),  // FieldDisabled
    RGB(28, 30, 33),     // Text
    RGB(160, 163, 168),  // TextDisabled
    RGB(255, 255, 255),  // OnAccent
    RGB(70, 74, 80),     // Glyph
    RGB(186, 189, 194),  // GlyphDisabled
    RGB(240, 241, 243),  // Track
    RGB(192, 196, 202),  // Thumb
    RGB(160, 166, 174),  // ThumbHot
    RGB(122, 128, 138),  // ThumbPressed
    RGB(44, 98, 160),    // CaptionActive
    RGB(150, 164, 182),  // CaptionInactive
    RGB(28, 64, 108),    // CaptionOutline
    RGB(255, 255, 255),  // CaptionGlyph
    RGB(232, 236, 242),  // CaptionGlyphInactive
    RGB(76, 124, 180),   // CaptionButtonHot
    RGB(30, 72, 124),    // CaptionButtonPressed
    RGB(200, 50, 42),    // CloseHot
    RGB(156, 34, 28),    // ClosePressed
    RGB(220, 222, 226),  // Separator
    RGB(200, 50, 42),    // Error
    RGB(214, 168, 40),   // Paused
    RGB(252, 252, 253),  // TooltipFill
    RGB(150, 155, 162),  // TooltipBorder
};
static_assert(std::size(Palette) == static_cast<size_t>(Tone::TooltipBorder) + 1, "one colour per tone");

}  // namespace

COLORREF ToneColor(Tone tone) { return Palette[static_cast<size_t>(tone)]; }

}  // namespace win32::theme

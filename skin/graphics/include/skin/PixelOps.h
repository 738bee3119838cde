// Colour arithmetic on TskColor pixels and toolkit colours, and the line routines every bitmap inner loop
// runs through, chosen once at start-up.
#pragma once

#include <skin/SkinBitmap.h>
#include <toolkit/Graphics.h>

#include <cstdint>

// Toolkit colour (0x00BBGGRR or a system-colour code) to a pixel with the given alpha, and back (alpha dropped).
TskColor ColorToPixel(TColor color, std::uint8_t alpha);
TColor PixelToColor(TskColor pixel);
// r, g and b clamped to 0..255.
TskColor MakePixel(int r, int g, int b, std::uint8_t a);
// Deltas and sums in signed 16-bit arithmetic, as the theme tables store them (65436 acts as -100); the alpha
// sum wraps.
TskColor ShiftPixel(TskColor pixel, int dr, int dg, int db, int da);
// The same delta on the three low bytes, the top byte kept: for pixels and for RGB toolkit colours alike.
std::uint32_t Lighten(std::uint32_t value, int delta);
// Results are opaque.
TskColor ChangePixelBrightness(TskColor pixel, int delta);
// delta in 1/255 turns of the hue circle.
TskColor ChangePixelHue(TskColor pixel, int delta);
// Hue, saturation and lightness in 0..1, in single precision.
void RGBToHSL(TskColor pixel, float& h, float& s, float& l);
// An opaque pixel.
TskColor HSLToRGB(float h, float s, float l);

// Rectangles of FillPixelRect and SetAlphaPixelRect are inclusive of right and bottom; stride is in pixels.
using TCopyLineProc = void (*)(const TskColor* src, TskColor* dst, int n);
using TFillLineProc = void (*)(TskColor* dst, int n, TskColor pixel);
using TFillPixelRectProc = void (*)(TskColor* bits, int stride, TskColor pixel, const RECT& rect);
using TSetAlphaLineProc = void (*)(TskColor* dst, int n, std::uint8_t alpha);
using TSetAlphaPixelRectProc = void (*)(TskColor* bits, int stride, std::uint8_t alpha, const RECT& rect);
using TCopyKeyLineProc = void (*)(const TskColor* src, TskColor* dst, int n);
using TClearKeyAlphaProc = void (*)(TskColor* bits, int n, TskColor keyPixel);
using TBlendPixelProc = TskColor (*)(TskColor src, TskColor dst);
using TBlendLineProc = void (*)(const TskColor* src, TskColor* dst, int n);

struct TskPixelRoutines {
    // Overlap-safe.
    TCopyLineProc CopyLine;
    TFillLineProc FillLine;
    TFillPixelRectProc FillPixelRect;
    TSetAlphaLineProc SetAlphaLine;
    TSetAlphaPixelRectProc SetAlphaPixelRect;
    // Non-key pixels are stored with alpha 255; key pixels leave dst alone.
    TCopyKeyLineProc CopyKeyLine;
    // Pixels whose low 24 bits are keyPixel's get alpha 0.
    TClearKeyAlphaProc ClearKeyAlpha;
    TBlendPixelProc BlendPixel;
    // Source alpha 0 leaves dst, 255 copies src, anything else blends.
    TBlendLineProc BlendLine;
};

// Formula A, for processors without MMX: per colour c = (src.c * a + dst.c * (255 - a)) div 256, alpha 255;
// its BlendPixel returns src for a = 255 and dst for a = 0.
// Formula B, the MMX formula: per channel, alpha included, c = (dst.c * (256 - a) + src.c * a) div 256; its
// BlendPixel has no shortcuts.
enum TskVectorLevel { vlPortable, vlSse2, vlAvx2 };
// What this processor runs (vlPortable off x86).
TskVectorLevel CpuVectorLevel();
TskPixelRoutines PixelRoutinesA();
// Formula B with loops of the given instruction set (capped at what the processor runs); every level gives the
// same pixels.
TskPixelRoutines PixelRoutinesB(TskVectorLevel level);

// The slots in use: formula B on the widest vectors until InitializeBitmapUnit chooses by MmxAvailable.
extern TskPixelRoutines PixelRoutines;

inline void CopyLine(const TskColor* src, TskColor* dst, int n) { PixelRoutines.CopyLine(src, dst, n); }
inline void FillLine(TskColor* dst, int n, TskColor pixel) { PixelRoutines.FillLine(dst, n, pixel); }
inline void FillPixelRect(TskColor* bits, int stride, TskColor pixel, const RECT& rect) {
    PixelRoutines.FillPixelRect(bits, stride, pixel, rect);
}
inline void SetAlphaLine(TskColor* dst, int n, std::uint8_t alpha) { PixelRoutines.SetAlphaLine(dst, n, alpha); }
inline void SetAlphaPixelRect(TskColor* bits, int stride, std::uint8_t alpha, const RECT& rect) {
    PixelRoutines.SetAlphaPixelRect(bits, stride, alpha, rect);
}
inline void CopyKeyLine(const TskColor* src, TskColor* dst, int n) { PixelRoutines.CopyKeyLine(src, dst, n); }
inline void ClearKeyAlpha(TskColor* bits, int n, TskColor keyPixel) { PixelRoutines.ClearKeyAlpha(bits, n, keyPixel); }
inline TskColor BlendPixel(TskColor src, TskColor dst) { return PixelRoutines.BlendPixel(src, dst); }
inline void BlendLine(const TskColor* src, TskColor* dst, int n) { PixelRoutines.BlendLine(src, dst, n); }

// Colour arithmetic on TskColor pixels: conversions with toolkit colours, clamped construction, shifts, and
// brightness and hue changes through HSL in single precision.
#include <skin/PixelOps.h>

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Clamp255(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

// Nearest integer, halves to the even neighbour (the default rounding mode of the processor).
int RoundEven(float value) { return static_cast<int>(std::nearbyint(value)); }

std::uint32_t ByteOf(TskColor pixel, int shift) { return (pixel >> shift) & 0xFF; }

}  // namespace

TskColor ColorToPixel(TColor color, std::uint8_t alpha) {
    COLORREF rgb = ColorToRGB(color);
    return (static_cast<TskColor>(alpha) << 24) | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

TColor PixelToColor(TskColor pixel) {
    return static_cast<TColor>(((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF));
}

TskColor MakePixel(int r, int g, int b, std::uint8_t a) {
    return (static_cast<TskColor>(a) << 24) | (static_cast<TskColor>(Clamp255(r)) << 16) |
           (static_cast<TskColor>(Clamp255(g)) << 8) | Clamp255(b);
}

TskColor ShiftPixel(TskColor pixel, int dr, int dg, int db, int da) {
    auto sum16 = [](std::uint32_t channel, int delta) {
        return static_cast<std::int16_t>(static_cast<std::int16_t>(channel) + static_cast<std::int16_t>(delta));
    };
    return MakePixel(sum16(ByteOf(pixel, 16), dr), sum16(ByteOf(pixel, 8), dg), sum16(ByteOf(pixel, 0), db),
                     static_cast<std::uint8_t>(sum16(ByteOf(pixel, 24), da)));
}

std::uint32_t Lighten(std::uint32_t value, int delta) { return ShiftPixel(value, delta, delta, delta, 0); }

TskColor ChangePixelBrightness(TskColor pixel, int delta) {
    // Beyond ±255 every channel is already at its limit; clamping first keeps the sums from overflowing.
    delta = std::clamp(delta, -255, 255);
    return MakePixel(static_cast<int>(ByteOf(pixel, 16)) + delta, static_cast<int>(ByteOf(pixel, 8)) + delta,
                     static_cast<int>(ByteOf(pixel, 0)) + delta, 255);
}

void RGBToHSL(TskColor pixel, float& h, float& s, float& l) {
    float r = static_cast<float>(ByteOf(pixel, 16)) / 255.0f;
    float g = static_cast<float>(ByteOf(pixel, 8)) / 255.0f;
    float b = static_cast<float>(ByteOf(pixel, 0)) / 255.0f;
    float max = std::max({r, g, b});
    float min = std::min({r, g, b});
    l = (max + min) / 2.0f;
    if (max == min) {
        h = s = 0.0f;
        return;
    }
    float d = max - min;
    s = l < 0.5f ? d / (max + min) : d / (2.0f - max - min);
    float sector = max == r ? (g - b) / d : max == g ? (b - r) / d + 2.0f : (r - g) / d + 4.0f;
    h = sector / 6.0f;
    if (h < 0.0f) h += 1.0f;
}

TskColor HSLToRGB(float h, float s, float l) {
    if (s == 0.0f) {
        int grey = RoundEven(l * 255.0f);
        return MakePixel(grey, grey, grey, 255);
    }
    float q = l <= 0.5f ? l * (1.0f + s) : l + s - l * s;
    float p = 2.0f * l - q;
    auto channel = [p, q](float t) {
        t -= std::floor(t);
        float value;
        if (6.0f * t < 1.0f)
            value = p + (q - p) * 6.0f * t;
        else if (2.0f * t < 1.0f)
            value = q;
        else if (3.0f * t < 2.0f)
            value = p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
        else
            value = p;
        return RoundEven(value * 255.0f);
    };
    return MakePixel(channel(h + 1.0f / 3.0f), channel(h), channel(h - 1.0f / 3.0f), 255);
}

TskColor ChangePixelHue(TskColor pixel, int delta) {
    float h, s, l;
    RGBToHSL(pixel, h, s, l);
    // The corrections step by 255, not 256: the hue circle has 255 steps here, so 250 + 10 becomes 5.
    // A whole turn of 255 steps changes nothing, so any delta is first taken into one turn (no overflow).
    int k = RoundEven(h * 255.0f) + delta % 255;
    if (k > 255) k -= 255;
    if (k < 0) k += 255;
    return HSLToRGB(static_cast<float>(k) / 255.0f, s, l);
}

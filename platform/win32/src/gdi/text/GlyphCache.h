// Rendered glyphs of one font instance, keyed by face slot and glyph index, kept for the life of the instance.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace win32::gdi {

// A glyph image as coverage bytes (0 or 255 when rendered without antialiasing), placed relative to the pen
// position on the baseline: its top-left pixel is at (pen + Left, baseline - Top).
struct Glyph {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Advance = 0;
    std::vector<uint8_t> Coverage;  // Width * Height, row by row
};

class GlyphCache {
public:
    static uint32_t Key(int slot, uint32_t glyphIndex) { return (static_cast<uint32_t>(slot) << 24) | glyphIndex; }
    const Glyph* Find(uint32_t key) const {
        auto found = FGlyphs.find(key);
        return found == FGlyphs.end() ? nullptr : &found->second;
    }
    // Entries are never removed, so the reference stays valid.
    const Glyph& Insert(uint32_t key, Glyph glyph) { return FGlyphs.emplace(key, std::move(glyph)).first->second; }

private:
    std::unordered_map<uint32_t, Glyph> FGlyphs;
};

}  // namespace win32::gdi

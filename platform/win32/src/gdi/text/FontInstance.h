// A logical font realised: FreeType faces at a pixel size, Windows text metrics, and the glyph cache.
#pragma once

#include "GlyphCache.h"

#include <win32/wingdi.h>

#include <memory>
#include <mutex>
#include <string>

struct FT_FaceRec_;

namespace win32::gdi {

class FontInstance {
public:
    // Equal fonts (same face, size, weight, slant, decorations, pitch and family, quality and character set)
    // share one instance while any of them is in use; the last few released are kept for the next font that
    // asks for them.
    static std::shared_ptr<FontInstance> ForLogFont(const LOGFONTW& logFont);
    explicit FontInstance(const LOGFONTW& logFont);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const TEXTMETRICW& Metrics() const { return FMetrics; }
    // The name GetTextFace answers: the name asked for when the table knows it, else the family found.
    const std::u16string& FaceName() const { return FFaceName; }
    bool Antialiased() const { return FAntialiased; }
    // Rows of the underline and strike-out bars, counted from the top of the character cell.
    int UnderlineTop() const { return FUnderlineTop; }
    int UnderlineHeight() const { return FUnderlineHeight; }
    int StrikeOutTop() const { return FStrikeOutTop; }
    int StrikeOutHeight() const { return FStrikeOutHeight; }

    // The glyph for a UTF-16 unit, taken from the fallback face when the chosen one lacks it. Thread-safe.
    GlyphRef CharGlyph(char16_t c);
    // A glyph of the chosen face by index (ETO_GLYPH_INDEX).
    GlyphRef IndexGlyph(uint32_t index);
    int CharAdvance(char16_t c) { return CharGlyph(c)->Advance; }

private:
    struct Faces;
    GlyphRef Load(int slot, uint32_t index);
    void Render(FT_FaceRec_* face, uint32_t index, Glyph& glyph) const;
    void ComputeMetrics(const LOGFONTW& logFont);

    std::unique_ptr<Faces> FFaces;
    std::mutex FLock;
    GlyphCache FCache;
    std::unordered_map<char16_t, uint32_t> FCharKeys;
    TEXTMETRICW FMetrics{};
    std::u16string FFaceName;
    bool FAntialiased = false;
    int FBoldStrength = 0;
    int FUnderlineTop = 0;
    int FUnderlineHeight = 1;
    int FStrikeOutTop = 0;
    int FStrikeOutHeight = 1;
};

}  // namespace win32::gdi

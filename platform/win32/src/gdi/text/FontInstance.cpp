// Realising a LOGFONT with FreeType at 96 DPI: size selection by Windows' height rules, metrics, glyph rendering
// (embedded bitmap strikes when the size has one), synthetic bold and oblique.
#include "FontInstance.h"

#include "FaceTable.h"
#include "SharedFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <list>
#include <map>

namespace win32::gdi {

namespace {

// Windows' size when a LOGFONT leaves the height at 0: a 16-pixel cell.
constexpr long DefaultCellHeight = 16;
constexpr long LargestEm = 2048;
// The slant of a synthesised oblique face, about 12 degrees (16.16 fixed point).
constexpr FT_Fixed ObliqueShear = 0x0366A;

long Scale(long units, long ppem, long unitsPerEm) { return (units * ppem + unitsPerEm / 2) / unitsPerEm; }

struct VerticalTables {
    long Ascent;
    long Descent;
    long LineGap;  // what the typographic line gap adds beyond the Windows ascent and descent
};

VerticalTables Vertical(FT_Face face) {
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    long ascent = os2 && os2->usWinAscent ? os2->usWinAscent : face->ascender;
    long descent = os2 && os2->usWinDescent ? os2->usWinDescent : -face->descender;
    long gap = 0;
    if (hhea) gap = std::max<long>(0, hhea->Line_Gap - ((ascent + descent) - (hhea->Ascender - hhea->Descender)));
    return {ascent, descent, gap};
}

std::string CacheKey(const LOGFONTW& lf) {
    std::string key;
    for (char16_t c : std::u16string(lf.lfFaceName, std::find(lf.lfFaceName, lf.lfFaceName + LF_FACESIZE, u'\0'))) {
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        key += std::to_string(c) + ",";
    }
    bool smooth = lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY;
    // Everything the instance's metrics read: the decorations and the family bits show in TEXTMETRIC too.
    key += "|" + std::to_string(lf.lfHeight) + "|" + std::to_string(lf.lfWidth) + "|" +
           std::to_string(lf.lfWeight > FW_MEDIUM) + "|" + std::to_string(lf.lfItalic != 0) + "|" +
           std::to_string(lf.lfUnderline != 0) + "|" + std::to_string(lf.lfStrikeOut != 0) + "|" +
           std::to_string(smooth) + "|" + std::to_string(lf.lfPitchAndFamily) + "|" + std::to_string(lf.lfCharSet);
    return key;
}

// Realised fonts by key: those in use found through weak references (fonts and DCs hold them), and the last few
// released kept whole, so a font deleted and made again soon after (a control measuring with a default font
// before it takes its parent's) is not loaded again. Never destroyed, as the object table may release fonts
// while statics are destroyed.
class InstanceRegistry {
public:
    static InstanceRegistry& Get() {
        static auto* registry = new InstanceRegistry();
        return *registry;
    }

    std::shared_ptr<FontInstance> Find(const LOGFONTW& logFont) {
        std::string key = CacheKey(logFont);
        std::lock_guard<std::mutex> guard(FLock);
        auto used = FInUse.find(key);
        if (used != FInUse.end())
            if (auto existing = used->second.lock()) return existing;
        for (auto released = FReleased.begin(); released != FReleased.end(); ++released)
            if (released->first == key) {
                std::unique_ptr<FontInstance> instance = std::move(released->second);
                FReleased.erase(released);
                return Share(key, std::move(instance));
            }
        return Share(key, std::make_unique<FontInstance>(logFont));
    }

private:
    // Kept released instances: a few fonts' worth of faces' sizes and glyphs.
    static constexpr size_t ReleasedKept = 8;

    std::shared_ptr<FontInstance> Share(const std::string& key, std::unique_ptr<FontInstance> instance) {
        std::shared_ptr<FontInstance> shared(instance.release(),
                                             [this, key](FontInstance* last) { Release(key, last); });
        FInUse[key] = shared;
        return shared;
    }

    void Release(const std::string& key, FontInstance* last) {
        std::unique_ptr<FontInstance> dropped;
        {
            std::lock_guard<std::mutex> guard(FLock);
            auto used = FInUse.find(key);
            if (used != FInUse.end() && used->second.expired()) FInUse.erase(used);
            FReleased.emplace_front(key, std::unique_ptr<FontInstance>(last));
            if (FReleased.size() > ReleasedKept) {
                dropped = std::move(FReleased.back().second);
                FReleased.pop_back();
            }
        }
    }

    std::mutex FLock;
    std::map<std::string, std::weak_ptr<FontInstance>> FInUse;
    std::list<std::pair<std::string, std::unique_ptr<FontInstance>>> FReleased;  // most recently released first
};

}  // namespace

// The instance's own sizes of the shared faces: the chosen one and the one Chinese text falls back to.
struct FontInstance::Faces {
    FaceSize Primary;
    std::unique_ptr<FaceSize> Fallback;
    bool SyntheticItalic = false;
    long Ppem = 0;
    long XPpem = 0;
    explicit Faces(SharedFace* primary) : Primary(primary) {}
};

std::shared_ptr<FontInstance> FontInstance::ForLogFont(const LOGFONTW& logFont) {
    return InstanceRegistry::Get().Find(logFont);
}

FontInstance::FontInstance(const LOGFONTW& logFont) {
    FaceFile file = FaceTable::Resolve(logFont);
    FaceFile fallback = FaceTable::Fallback();
    SharedFace* primary = SharedFace::Open(file.Path, file.Index);
    if (!primary) {
        file = fallback;
        primary = SharedFace::Open(file.Path, file.Index);
    }
    FFaces = std::make_unique<Faces>(primary);
    if (fallback.Path != file.Path || fallback.Index != file.Index) {
        if (SharedFace* linked = SharedFace::Open(fallback.Path, fallback.Index))
            FFaces->Fallback = std::make_unique<FaceSize>(linked);
    }
    // fontconfig reports the style it was asked for even when its configuration would fake it, so the face
    // itself says whether it is bold or italic.
    if (FT_Face face = FFaces->Primary.Face()) {
        file.SyntheticBold = logFont.lfWeight > FW_MEDIUM && !(face->style_flags & FT_STYLE_FLAG_BOLD);
        file.SyntheticItalic = logFont.lfItalic && !(face->style_flags & FT_STYLE_FLAG_ITALIC);
    }
    FFaces->SyntheticItalic = file.SyntheticItalic;
    FAntialiased = logFont.lfQuality == ANTIALIASED_QUALITY || logFont.lfQuality == CLEARTYPE_QUALITY;

    std::u16string asked(logFont.lfFaceName, std::find(logFont.lfFaceName, logFont.lfFaceName + LF_FACESIZE, u'\0'));
    FFaceName = !asked.empty() && !FaceTable::MappedFamily(asked).empty() ? asked : file.Family;
    ComputeMetrics(logFont);
    if (file.SyntheticBold) {
        FBoldStrength = static_cast<int>(std::max<long>(1, (FFaces->Ppem + 12) / 24));
        FMetrics.tmWeight = FW_BOLD;
        FMetrics.tmAveCharWidth += FBoldStrength;
        FMetrics.tmMaxCharWidth += FBoldStrength;
    }
    if (file.SyntheticItalic) FMetrics.tmItalic = 255;
}

FontInstance::~FontInstance() = default;

void FontInstance::ComputeMetrics(const LOGFONTW& logFont) {
    TEXTMETRICW& tm = FMetrics;
    tm.tmDigitizedAspectX = tm.tmDigitizedAspectY = 96;
    tm.tmCharSet = logFont.lfCharSet == DEFAULT_CHARSET ? GB2312_CHARSET : logFont.lfCharSet;
    tm.tmUnderlined = logFont.lfUnderline ? 255 : 0;
    tm.tmStruckOut = logFont.lfStrikeOut ? 255 : 0;
    tm.tmWeight = logFont.lfWeight > FW_MEDIUM ? FW_BOLD : FW_NORMAL;
    if (!FFaces->Primary) return;
    FT_Face face = FFaces->Primary.Face();
    long upem = face->units_per_EM ? face->units_per_EM : 1;
    VerticalTables vertical = Vertical(face);
    long cell = vertical.Ascent + vertical.Descent;
    auto cellAt = [&](long ppem) { return Scale(vertical.Ascent, ppem, upem) + Scale(vertical.Descent, ppem, upem); };

    // Negative heights ask for the em, positive ones for the whole cell: then the largest em whose cell fits.
    long height = logFont.lfHeight == 0 ? DefaultCellHeight : logFont.lfHeight;
    long ppem;
    if (height < 0) {
        ppem = -static_cast<long long>(height) > LargestEm ? LargestEm : -height;
    } else {
        height = std::min(height, LargestEm * 2);
        ppem = std::max<long>(1, (height * upem + cell / 2) / cell);
        while (ppem > 1 && cellAt(ppem) > height) --ppem;
    }
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    long averageUnits = os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upem / 2;
    long xppem = ppem;
    if (logFont.lfWidth > 0)
        xppem = std::clamp<long>((logFont.lfWidth * upem + averageUnits / 2) / averageUnits, 1, LargestEm);
    FFaces->Ppem = ppem;
    FFaces->XPpem = xppem;
    {
        FaceSize::Active active(FFaces->Primary);
        FT_Set_Pixel_Sizes(face, xppem, ppem);
    }
    if (FFaces->Fallback && *FFaces->Fallback) {
        FaceSize::Active active(*FFaces->Fallback);
        FT_Set_Pixel_Sizes(active.Face(), xppem, ppem);
    }

    tm.tmAscent = Scale(vertical.Ascent, ppem, upem);
    tm.tmDescent = Scale(vertical.Descent, ppem, upem);
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<long>(0, tm.tmHeight - ppem);
    tm.tmExternalLeading = Scale(vertical.LineGap, ppem, upem);
    tm.tmAveCharWidth = std::max<long>(1, Scale(averageUnits, xppem, upem));
    tm.tmMaxCharWidth = std::max<long>(1, Scale(face->max_advance_width, xppem, upem));
    tm.tmItalic = (face->style_flags & FT_STYLE_FLAG_ITALIC) ? 255 : 0;
    tm.tmFirstChar = os2 ? os2->usFirstCharIndex : 0x20;
    tm.tmLastChar = os2 ? os2->usLastCharIndex : 0xFFFF;
    tm.tmDefaultChar = os2 && os2->version >= 2 && os2->usDefaultChar ? os2->usDefaultChar : 0x1F;
    tm.tmBreakChar = os2 && os2->version >= 2 && os2->usBreakChar ? os2->usBreakChar : 0x20;
    bool fixed = FT_IS_FIXED_WIDTH(face);
    BYTE family = fixed ? FF_MODERN : (os2 && os2->panose[0] == 2 && os2->panose[1] >= 11 ? FF_SWISS : FF_DONTCARE);
    if (logFont.lfPitchAndFamily & 0xF0) family = logFont.lfPitchAndFamily & 0xF0;
    tm.tmPitchAndFamily = static_cast<BYTE>(family | TMPF_VECTOR | TMPF_TRUETYPE | (fixed ? 0 : TMPF_FIXED_PITCH));

    // Bars: the underline below the baseline and the strike-out above it, kept inside the cell.
    long thickness = std::max<long>(1, Scale(face->underline_thickness, ppem, upem));
    long below = std::max<long>(1, Scale(-face->underline_position, ppem, upem) - thickness / 2);
    FUnderlineHeight = static_cast<int>(thickness);
    FUnderlineTop = static_cast<int>(std::min<long>(tm.tmAscent + below, tm.tmHeight - thickness));
    long strikeSize = os2 && os2->yStrikeoutSize > 0 ? os2->yStrikeoutSize : face->underline_thickness;
    long strikeUnits = os2 && os2->yStrikeoutPosition > 0 ? os2->yStrikeoutPosition : vertical.Ascent / 3;
    FStrikeOutHeight = static_cast<int>(std::max<long>(1, Scale(strikeSize, ppem, upem)));
    FStrikeOutTop = static_cast<int>(std::max<long>(0, tm.tmAscent - Scale(strikeUnits, ppem, upem)));
}

GlyphRef FontInstance::CharGlyph(char16_t c) {
    std::lock_guard<std::mutex> guard(FLock);
    auto known = FCharKeys.find(c);
    if (known != FCharKeys.end()) return Load(GlyphCache::Slot(known->second), GlyphCache::GlyphIndex(known->second));
    int slot = 0;
    uint32_t index = FFaces->Primary.CharIndex(c);
    if (index == 0 && FFaces->Fallback) {
        uint32_t fallbackIndex = FFaces->Fallback->CharIndex(c);
        if (fallbackIndex != 0) {
            slot = 1;
            index = fallbackIndex;
        }
    }
    FCharKeys.emplace(c, GlyphCache::Key(slot, index));
    return Load(slot, index);
}

GlyphRef FontInstance::IndexGlyph(uint32_t index) {
    std::lock_guard<std::mutex> guard(FLock);
    return Load(0, index & 0xFFFFFF);
}

// The glyph's image and placement as the face renders it at the active size; left empty when FreeType fails.
void FontInstance::Render(FT_FaceRec_* face, uint32_t index, Glyph& glyph) const {
    FT_Int32 flags = FAntialiased ? FT_LOAD_TARGET_NORMAL : FT_LOAD_TARGET_MONO;
    if (FFaces->SyntheticItalic) {
        // An oblique is sheared from the outline; the upright bitmap strikes cannot be used for it.
        flags |= FT_LOAD_NO_BITMAP;
        FT_Matrix shear{0x10000, ObliqueShear, 0, 0x10000};
        FT_Set_Transform(face, &shear, nullptr);
    }
    if (FT_Load_Glyph(face, index, flags) == 0 &&
        FT_Render_Glyph(face->glyph, FAntialiased ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) == 0) {
        FT_GlyphSlot slotImage = face->glyph;
        const FT_Bitmap& bitmap = slotImage->bitmap;
        glyph.Advance = static_cast<int>((slotImage->advance.x + 32) >> 6);
        glyph.Left = slotImage->bitmap_left;
        glyph.Top = slotImage->bitmap_top;
        glyph.Width = static_cast<int>(bitmap.width);
        glyph.Height = static_cast<int>(bitmap.rows);
        glyph.Coverage.assign(static_cast<size_t>(glyph.Width) * glyph.Height, 0);
        for (int y = 0; y < glyph.Height; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
            for (int x = 0; x < glyph.Width; ++x) {
                uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO   ? ((row[x >> 3] >> (7 - (x & 7))) & 1) * 255
                                : bitmap.pixel_mode == FT_PIXEL_MODE_GRAY ? row[x]
                                                                          : 0;
                glyph.Coverage[static_cast<size_t>(y) * glyph.Width + x] = value;
            }
        }
    }
    if (FFaces->SyntheticItalic) FT_Set_Transform(face, nullptr, nullptr);
}

GlyphRef FontInstance::Load(int slot, uint32_t index) {
    uint32_t key = GlyphCache::Key(slot, index);
    if (GlyphRef cached = FCache.Find(key)) return cached;
    Glyph glyph;
    const FaceSize* size = slot == 0 ? &FFaces->Primary : FFaces->Fallback.get();
    if (size && *size) {
        FaceSize::Active active(*size);
        Render(active.Face(), index, glyph);
    }
    if (FBoldStrength > 0) {
        // Synthetic bold smears the image to the right, widening every glyph and its advance alike.
        int width = glyph.Width + FBoldStrength;
        std::vector<uint8_t> bold(static_cast<size_t>(width) * glyph.Height, 0);
        for (int y = 0; y < glyph.Height; ++y)
            for (int x = 0; x < glyph.Width; ++x) {
                uint8_t value = glyph.Coverage[static_cast<size_t>(y) * glyph.Width + x];
                for (int k = 0; k <= FBoldStrength; ++k) {
                    uint8_t& out = bold[static_cast<size_t>(y) * width + x + k];
                    out = std::max(out, value);
                }
            }
        if (glyph.Width > 0) {
            glyph.Width = width;
            glyph.Coverage = std::move(bold);
        }
        glyph.Advance += FBoldStrength;
    }
    return FCache.Insert(key, std::move(glyph));
}

}  // namespace win32::gdi

// Face name resolution through the fixed table and fontconfig.
#include "FaceTable.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <mutex>

namespace win32::gdi {

namespace {

const char16_t* const SongNames[] = {u"宋体", u"SimSun", u"新宋体", u"NSimSun"};
const char16_t* const LatinUiNames[] = {u"MS Sans Serif", u"Tahoma", u"Arial", u"MS Shell Dlg", u"MS Shell Dlg 2",
                                        u"System", u""};
constexpr char16_t SongFamily[] = u"WenQuanYi Zen Hei Sharp";
constexpr char16_t LatinUiFamily[] = u"DejaVu Sans";

// Face names compare without regard to ASCII case, as Windows compares them.
std::u16string Folded(std::u16string text) {
    for (auto& c : text)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return text;
}

bool InList(const std::u16string& folded, const char16_t* const* begin, const char16_t* const* end) {
    return std::any_of(begin, end, [&](const char16_t* name) { return Folded(name) == folded; });
}

std::mutex& FontconfigLock() {
    static std::mutex lock;
    return lock;
}

FaceFile Match(const std::u16string& family, LONG weight, bool italic, bool fixedPitch) {
    std::lock_guard<std::mutex> guard(FontconfigLock());
    FaceFile result;
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(ToUtf8(family).c_str()));
    bool wantBold = weight > FW_MEDIUM;
    FcPatternAddInteger(pattern, FC_WEIGHT, wantBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (fixedPitch) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult status = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &status);
    if (match) {
        FcChar8* file = nullptr;
        FcChar8* matchedFamily = nullptr;
        int index = 0, matchedWeight = FC_WEIGHT_REGULAR, matchedSlant = FC_SLANT_ROMAN;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
            result.Path = reinterpret_cast<const char*>(file);
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
            FcPatternGetInteger(match, FC_SLANT, 0, &matchedSlant);
            if (FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch)
                result.Family = FromUtf8(reinterpret_cast<const char*>(matchedFamily));
            result.Index = index;
            result.SyntheticBold = wantBold && matchedWeight < FC_WEIGHT_DEMIBOLD;
            result.SyntheticItalic = italic && matchedSlant == FC_SLANT_ROMAN;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return result;
}

}  // namespace

std::u16string FaceTable::MappedFamily(const std::u16string& faceName) {
    std::u16string folded = Folded(faceName);
    if (InList(folded, std::begin(SongNames), std::end(SongNames))) return SongFamily;
    if (InList(folded, std::begin(LatinUiNames), std::end(LatinUiNames))) return LatinUiFamily;
    return {};
}

FaceFile FaceTable::Resolve(const LOGFONTW& logFont) {
    std::u16string name(logFont.lfFaceName, std::find(logFont.lfFaceName, logFont.lfFaceName + LF_FACESIZE, u'\0'));
    std::u16string family = MappedFamily(name);
    if (family.empty()) family = name;
    bool fixedPitch = (logFont.lfPitchAndFamily & 3) == FIXED_PITCH;
    return Match(family, logFont.lfWeight, logFont.lfItalic != 0, fixedPitch);
}

FaceFile FaceTable::Fallback() {
    static const FaceFile fallback = Match(SongFamily, FW_NORMAL, false, false);
    return fallback;
}

std::string ToUtf8(const std::u16string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string FromUtf8(const std::string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k) c = (c << 6) | (text[i + k] & 0x3F);
        i += extra + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

}  // namespace win32::gdi

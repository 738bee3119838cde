// Face name resolution through the fixed table and fontconfig.
#include "FaceTable.h"

#include "codepage/Utf8.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>

namespace win32::gdi {

namespace {

const char16_t* const SongNames[] = {u"宋体", u"SimSun", u"新宋体", u"NSimSun"};
const char16_t* const LatinUiNames[] = {u"MS Sans Serif",  u"Tahoma", u"Arial", u"MS Shell Dlg",
                                        u"MS Shell Dlg 2", u"System", u""};
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

// fontconfig's own configuration is released at exit: left alone, its one-time allocations read as leaks.
std::mutex& FontconfigLock() {
    static std::mutex lock;
    static const bool finiRegistered = [] {
        FcInit();
        return std::atexit(FcFini) == 0;
    }();
    (void)finiRegistered;
    return lock;
}

FcPattern* Query(const std::u16string& family, int weight, int slant, bool fixedPitch) {
    FcPattern* pattern = FcPatternCreate();
    if (!family.empty()) {
        std::string name;
        codepage::Utf16ToUtf8(family.data(), family.size(), name);
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    }
    if (weight >= 0) FcPatternAddInteger(pattern, FC_WEIGHT, weight);
    if (slant >= 0) FcPatternAddInteger(pattern, FC_SLANT, slant);
    if (fixedPitch) FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult status = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &status);
    FcPatternDestroy(pattern);
    return match;
}

std::u16string FamilyOf(FcPattern* match) {
    FcChar8* family = nullptr;
    if (!match || FcPatternGetString(match, FC_FAMILY, 0, &family) != FcResultMatch) return {};
    std::u16string name;
    codepage::Utf8ToUtf16(reinterpret_cast<const char*>(family), std::strlen(reinterpret_cast<const char*>(family)),
                          name);
    return name;
}

// The family fontconfig settles on for the name comes first; a bold or italic member of it is taken when the
// family has one, else the regular face is used and the style is synthesised.
FaceFile FindFace(const std::u16string& family, bool wantBold, bool italic, bool fixedPitch) {
    FcPattern* plain = Query(family, FC_WEIGHT_REGULAR, FC_SLANT_ROMAN, fixedPitch);
    std::u16string plainFamily = FamilyOf(plain);
    FcPattern* match = plain;
    if ((wantBold || italic) && !plainFamily.empty()) {
        FcPattern* styled = Query(plainFamily, wantBold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR,
                                  italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN, fixedPitch);
        if (styled && FamilyOf(styled) == plainFamily) {
            match = styled;
        } else if (styled) {
            FcPatternDestroy(styled);
        }
    }
    FaceFile result;
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        int index = 0;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        result.Path = reinterpret_cast<const char*>(file);
        result.Index = index;
        result.Family = FamilyOf(match);
    }
    if (match && match != plain) FcPatternDestroy(match);
    if (plain) FcPatternDestroy(plain);
    return result;
}

// Answers are kept for the process's life: the installed fonts do not change under a running program, and a
// match costs as much as loading the face. The key is everything the query reads; size and character set take
// no part in it.
FaceFile Match(const std::u16string& family, LONG weight, bool italic, bool fixedPitch) {
    std::lock_guard<std::mutex> guard(FontconfigLock());
    bool wantBold = weight > FW_MEDIUM;
    static auto* answers = new std::map<std::tuple<std::u16string, bool, bool, bool>, FaceFile>();
    auto key = std::make_tuple(family, wantBold, italic, fixedPitch);
    auto known = answers->find(key);
    if (known != answers->end()) return known->second;
    return answers->emplace(key, FindFace(family, wantBold, italic, fixedPitch)).first->second;
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

void FaceTable::Prepare() {
    Fallback();
    Match(LatinUiFamily, FW_NORMAL, false, false);
}

}  // namespace win32::gdi

// Builds the code page 936 tables through iconv, with Windows' private-use mapping of the user-defined areas.
#include "codepage/Gbk.h"

#include <iconv.h>

namespace win32::codepage {
namespace {

// One character through iconv; NoChar unless the bytes form exactly one BMP character.
WCHAR ConvertOne(iconv_t cd, const char* bytes, size_t count) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[2] = {bytes[0], count > 1 ? bytes[1] : '\0'};
    char16_t out[4];
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = count;
    size_t outLeft = sizeof out;
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return Gbk::NoChar;
    if (sizeof out - outLeft != sizeof(char16_t)) return Gbk::NoChar;
    return out[0];
}

// Windows gives the three user-defined (EUDC) areas consecutive private-use code points from U+E000.
WCHAR UserDefined(BYTE lead, BYTE trail) {
    if (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1 && trail <= 0xFE)
        return static_cast<WCHAR>(0xE000 + (lead - 0xAA) * 94 + (trail - 0xA1));
    if (lead >= 0xF8 && lead <= 0xFE && trail >= 0xA1 && trail <= 0xFE)
        return static_cast<WCHAR>(0xE234 + (lead - 0xF8) * 94 + (trail - 0xA1));
    if (lead >= 0xA1 && lead <= 0xA7 && trail >= 0x40 && trail <= 0xA0 && trail != 0x7F)
        return static_cast<WCHAR>(0xE4C6 + (lead - 0xA1) * 96 + (trail < 0x7F ? trail - 0x40 : trail - 0x41));
    return Gbk::NoChar;
}

// The double-byte pairs of one lead byte, NoChar where unmapped. One iconv call converts a run of pairs for the
// cost of a few single ones; a pair the run stops at (unmapped) or a run whose output is not one BMP character per
// pair goes through ConvertOne, so the result is the same as pair by pair.
void ConvertRow(iconv_t cd, BYTE lead, WCHAR* row) {
    char in[2 * 256];
    BYTE trails[256];
    size_t pairs = 0;
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
        if (!Gbk::IsTrailByte(static_cast<BYTE>(trail))) continue;
        trails[pairs] = static_cast<BYTE>(trail);
        in[2 * pairs] = static_cast<char>(lead);
        in[2 * pairs + 1] = static_cast<char>(trail);
        ++pairs;
    }
    size_t next = 0;
    while (next < pairs) {
        char16_t out[256];
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = in + 2 * next;
        char* outPtr = reinterpret_cast<char*>(out);
        size_t inLeft = 2 * (pairs - next);
        size_t outLeft = sizeof out;
        iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        size_t converted = static_cast<size_t>(inPtr - (in + 2 * next));
        size_t units = (sizeof out - outLeft) / sizeof(char16_t);
        bool onePerPair = converted % 2 == 0 && units == converted / 2;
        for (size_t i = 0; onePerPair && i < units; ++i) onePerPair = out[i] < 0xD800 || out[i] > 0xDFFF;
        if (onePerPair) {
            for (size_t i = 0; i < units; ++i) row[trails[next + i]] = out[i];
            next += units;
        }
        if (next < pairs) {
            row[trails[next]] = ConvertOne(cd, in + 2 * next, 2);
            ++next;
        }
    }
}

}  // namespace

const Gbk& Gbk::Instance() {
    // Never destroyed: text is converted until the very end of the process, by controls of windows that outlive
    // static destruction (a program that exits with its window up).
    static const Gbk* instance = new Gbk();
    return *instance;
}

WCHAR Gbk::DecodePair(BYTE lead, BYTE trail) const {
    if (!IsLeadByte(lead) || FDouble.empty()) return NoChar;
    return FDouble[(lead - 0x81) * 256 + trail];
}

Gbk::Gbk() : FDouble(126 * 256, NoChar), FEncode(65536, NoBytes) {
    for (int b = 0; b < 256; ++b) FSingle[b] = b < 0x80 ? static_cast<WCHAR>(b) : NoChar;
    iconv_t cd = iconv_open("UTF-16LE", "CP936");
    if (cd != reinterpret_cast<iconv_t>(-1)) {
        char euro = static_cast<char>(0x80);
        FSingle[0x80] = ConvertOne(cd, &euro, 1);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            WCHAR* row = &FDouble[(lead - 0x81) * 256];
            ConvertRow(cd, static_cast<BYTE>(lead), row);
            for (int trail = 0x40; trail <= 0xFE; ++trail)
                if (row[trail] == NoChar) row[trail] = UserDefined(static_cast<BYTE>(lead), static_cast<BYTE>(trail));
        }
        iconv_close(cd);
    }
    // The reverse table: the single-byte form wins, then the first pair in byte order.
    for (int b = 0; b < 256; ++b)
        if (FSingle[b] != NoChar) FEncode[FSingle[b]] = static_cast<uint16_t>(b);
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            WCHAR c = FDouble[(lead - 0x81) * 256 + trail];
            if (c != NoChar && FEncode[c] == NoBytes) FEncode[c] = static_cast<uint16_t>(lead << 8 | trail);
        }
}

}  // namespace win32::codepage

// Code page 936 (GBK) as two lookup tables, built once from iconv's "CP936" converter.
#pragma once

#include <win32/windef.h>

#include <cstdint>
#include <vector>

namespace win32::codepage {

class Gbk {
public:
    static constexpr WCHAR NoChar = 0xFFFF;      // a non-character: never the value of a mapped byte sequence
    static constexpr uint16_t NoBytes = 0xFFFF;  // 0xFF is no lead byte, so FF FF is never a mapped sequence

    static const Gbk& Instance();

    static bool IsLeadByte(BYTE b) { return b >= 0x81 && b <= 0xFE; }
    static bool IsTrailByte(BYTE b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE); }

    // NoChar when the byte is a lead byte or unmapped.
    WCHAR DecodeSingle(BYTE b) const { return FSingle[b]; }
    WCHAR DecodePair(BYTE lead, BYTE trail) const;
    // The bytes of one UTF-16 unit: below 0x100 one byte, else lead << 8 | trail; NoBytes when unmapped.
    uint16_t Encode(WCHAR c) const { return FEncode[c]; }

private:
    Gbk();
    WCHAR FSingle[256];
    std::vector<WCHAR> FDouble;     // indexed (lead - 0x81) * 256 + trail
    std::vector<uint16_t> FEncode;  // indexed by UTF-16 unit
};

}  // namespace win32::codepage

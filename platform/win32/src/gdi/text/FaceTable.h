// Which font file a LOGFONT face name stands for: the fixed table of Windows face names, then fontconfig.
#pragma once

#include <win32/wingdi.h>

#include <string>

namespace win32::gdi {

struct FaceFile {
    std::string Path;
    int Index = 0;                 // face index inside a collection
    std::u16string Family;         // the family fontconfig matched
    bool SyntheticBold = false;    // bold asked for, the face is not bold (decided once the face is open)
    bool SyntheticItalic = false;  // italic asked for, the face is upright
};

class FaceTable {
public:
    // The family a Windows face name is drawn with: WenQuanYi Zen Hei Sharp for the SimSun names, DejaVu Sans
    // for the Latin UI names (and an empty name); empty when the name is not in the table.
    static std::u16string MappedFamily(const std::u16string& faceName);
    // The file for a logical font: the mapped family when there is one, else the name as given, with
    // fontconfig picking the nearest face. Empty Path when nothing at all is installed.
    static FaceFile Resolve(const LOGFONTW& logFont);
    // The face Chinese text falls back to when the chosen face lacks a character, as Windows links fonts.
    static FaceFile Fallback();
    // Reads fontconfig's configuration and resolves the mapped families' regular faces, which every window
    // starts with, so that later calls find them ready. Safe on any thread.
    static void Prepare();
};

}  // namespace win32::gdi

// Splitting a code page 936 string into characters and converting each through MultiByteToWideChar.
#include "AnsiText.h"

#include <win32/winnls.h>

namespace win32::gdi {

AnsiText::AnsiText(LPCSTR text, int count) {
    for (int i = 0; i < count;) {
        BYTE lead = static_cast<BYTE>(text[i]);
        int unit = lead >= 0x81 && lead <= 0xFE && i + 1 < count ? 2 : 1;
        WCHAR wide[2] = {};
        int made = MultiByteToWideChar(CP_ACP, 0, text + i, unit, wide, 2);
        if (made <= 0) {
            wide[0] = u'?';
            made = 1;
        }
        for (int k = 0; k < made; ++k) {
            Wide += wide[k];
            Bytes.push_back(k == 0 ? unit : 0);
        }
        i += unit;
    }
}

int AnsiText::UnitsForBytes(int bytes) const {
    int units = 0, seen = 0;
    while (units < static_cast<int>(Bytes.size()) && seen + Bytes[units] <= bytes) seen += Bytes[units++];
    return units;
}

int AnsiText::BytesForUnits(int units) const {
    int bytes = 0;
    for (int i = 0; i < units && i < static_cast<int>(Bytes.size()); ++i) bytes += Bytes[i];
    return bytes;
}

std::string AnsiText::ToAnsi(const std::u16string& wide) {
    if (wide.empty()) return {};
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), size, nullptr, nullptr);
    return out;
}

}  // namespace win32::gdi

// Logical fonts: CreateFont*, GetObject for fonts, the stock fonts, and the font a DC draws with.
#include "FontObject.h"

#include "../DeviceContext.h"
#include "FontInstance.h"

#include <win32/winbase.h>
#include <win32/winerror.h>
#include <win32/winnls.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace win32::gdi {

namespace {

LOGFONTW MakeLogFont(LONG height, LONG weight, BYTE charSet, BYTE pitchAndFamily, const char16_t* face) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = charSet;
    lf.lfPitchAndFamily = pitchAndFamily;
    std::u16string name(face);
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    return lf;
}

// The face name in code page 936, cut to fit the 32-byte field.
void FaceToAnsi(const WCHAR* face, CHAR* out) {
    std::memset(out, 0, LF_FACESIZE);
    int length = static_cast<int>(std::find(face, face + LF_FACESIZE, u'\0') - face);
    char buffer[LF_FACESIZE * 2 + 2] = {};
    int written = WideCharToMultiByte(CP_ACP, 0, face, length, buffer, sizeof(buffer), nullptr, nullptr);
    // Cut before a split double-byte character.
    int keep = 0;
    while (keep < written) {
        int unit = (static_cast<BYTE>(buffer[keep]) >= 0x81 && static_cast<BYTE>(buffer[keep]) <= 0xFE) ? 2 : 1;
        if (keep + unit > LF_FACESIZE - 1) break;
        keep += unit;
    }
    std::memcpy(out, buffer, keep);
}

void FaceToWide(const CHAR* face, WCHAR* out) {
    std::fill(out, out + LF_FACESIZE, u'\0');
    int length = static_cast<int>(std::find(face, face + LF_FACESIZE, '\0') - face);
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, face, length, out, LF_FACESIZE - 1);
}

HFONT InsertFont(const LOGFONTW& logFont) {
    LOGFONTW copy = logFont;
    copy.lfFaceName[LF_FACESIZE - 1] = u'\0';
    return reinterpret_cast<HFONT>(ObjectTable::Insert(std::make_shared<FontObject>(copy)));
}

}  // namespace

int FontObject::Describe(int size, void* buffer, bool wide) const {
    int needed = wide ? static_cast<int>(sizeof(LOGFONTW)) : static_cast<int>(sizeof(LOGFONTA));
    if (!buffer) return needed;
    if (size <= 0) return 0;
    int copied = std::min(size, needed);
    if (wide) {
        std::memcpy(buffer, &FLogFont, copied);
    } else {
        LOGFONTA ansi;
        std::memcpy(&ansi, &FLogFont, offsetof(LOGFONTA, lfFaceName));
        FaceToAnsi(FLogFont.lfFaceName, ansi.lfFaceName);
        std::memcpy(buffer, &ansi, copied);
    }
    return copied;
}

std::u16string FontObject::FaceName() const {
    return std::u16string(FLogFont.lfFaceName,
                          std::find(FLogFont.lfFaceName, FLogFont.lfFaceName + LF_FACESIZE, u'\0'));
}

std::shared_ptr<FontInstance> FontObject::Instance() const {
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    if (!FInstance) FInstance = FontInstance::ForLogFont(FLogFont);
    return FInstance;
}

std::shared_ptr<FontObject> SelectedFont(const DeviceContext& dc) {
    if (auto font = std::dynamic_pointer_cast<FontObject>(dc.State().Font.shared())) return font;
    static const auto systemFont = std::static_pointer_cast<FontObject>(MakeStockFont(SYSTEM_FONT));
    return systemFont;
}

// The stock fonts of a Chinese (code page 936) system.
std::shared_ptr<GdiObject> MakeStockFont(int index) {
    switch (index) {
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
        return std::make_shared<FontObject>(
            MakeLogFont(16, FW_NORMAL, GB2312_CHARSET, VARIABLE_PITCH | FF_SWISS, u"System"));
    case DEFAULT_GUI_FONT:
        return std::make_shared<FontObject>(MakeLogFont(-12, FW_NORMAL, GB2312_CHARSET, DEFAULT_PITCH, u"宋体"));
    case ANSI_VAR_FONT:
        return std::make_shared<FontObject>(
            MakeLogFont(12, FW_NORMAL, ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, u"MS Sans Serif"));
    case ANSI_FIXED_FONT:
        return std::make_shared<FontObject>(
            MakeLogFont(12, FW_NORMAL, ANSI_CHARSET, FIXED_PITCH | FF_MODERN, u"Courier"));
    case OEM_FIXED_FONT:
        return std::make_shared<FontObject>(
            MakeLogFont(12, FW_NORMAL, OEM_CHARSET, FIXED_PITCH | FF_MODERN, u"Terminal"));
    case SYSTEM_FIXED_FONT:
        return std::make_shared<FontObject>(
            MakeLogFont(16, FW_NORMAL, GB2312_CHARSET, FIXED_PITCH | FF_MODERN, u"Fixedsys"));
    default: return nullptr;
    }
}

}  // namespace win32::gdi

using win32::gdi::FaceToAnsi;
using win32::gdi::FaceToWide;
using win32::gdi::InsertFont;

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return InsertFont(*lplf);
}

HFONT CreateFontIndirectA(const LOGFONTA* lplf) {
    if (!lplf) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    LOGFONTW wide;
    std::memcpy(&wide, lplf, offsetof(LOGFONTA, lfFaceName));
    FaceToWide(lplf->lfFaceName, wide.lfFaceName);
    return InsertFont(wide);
}

HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName) {
    LOGFONTW lf{};
    lf.lfHeight = cHeight;
    lf.lfWidth = cWidth;
    lf.lfEscapement = cEscapement;
    lf.lfOrientation = cOrientation;
    lf.lfWeight = cWeight;
    lf.lfItalic = static_cast<BYTE>(bItalic);
    lf.lfUnderline = static_cast<BYTE>(bUnderline);
    lf.lfStrikeOut = static_cast<BYTE>(bStrikeOut);
    lf.lfCharSet = static_cast<BYTE>(iCharSet);
    lf.lfOutPrecision = static_cast<BYTE>(iOutPrecision);
    lf.lfClipPrecision = static_cast<BYTE>(iClipPrecision);
    lf.lfQuality = static_cast<BYTE>(iQuality);
    lf.lfPitchAndFamily = static_cast<BYTE>(iPitchAndFamily);
    if (pszFaceName) {
        for (int i = 0; i < LF_FACESIZE - 1 && pszFaceName[i]; ++i) lf.lfFaceName[i] = pszFaceName[i];
    }
    return CreateFontIndirectW(&lf);
}

HFONT CreateFontA(int cHeight, int cWidth, int cEscapement, int cOrientation, int cWeight, DWORD bItalic,
                  DWORD bUnderline, DWORD bStrikeOut, DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                  DWORD iQuality, DWORD iPitchAndFamily, LPCSTR pszFaceName) {
    WCHAR face[LF_FACESIZE] = {};
    if (pszFaceName) {
        CHAR ansi[LF_FACESIZE] = {};
        std::strncpy(ansi, pszFaceName, LF_FACESIZE - 1);
        FaceToWide(ansi, face);
    }
    return CreateFontW(cHeight, cWidth, cEscapement, cOrientation, cWeight, bItalic, bUnderline, bStrikeOut, iCharSet,
                       iOutPrecision, iClipPrecision, iQuality, iPitchAndFamily, face);
}

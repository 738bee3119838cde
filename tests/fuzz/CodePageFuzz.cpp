// Text in code page 936, UTF-8 and UTF-16 through the conversion functions: the size a first call asks for is the
// size the second writes, and text that converts without loss converts back to the same bytes.
#include "Fuzz.h"

#include <win32/windows.h>

#include <string>

namespace {

std::u16string ToWide(UINT codePage, DWORD flags, const std::string& bytes, bool& ok) {
    int count = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    ok = count > 0;
    if (!ok) return std::u16string();
    std::u16string wide(static_cast<size_t>(count), u'\0');
    FUZZ_CHECK(MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), wide.data(), count) ==
               count);
    return wide;
}

std::string FromWide(UINT codePage, DWORD flags, const std::u16string& wide, bool& ok) {
    BOOL usedDefault = FALSE;
    BOOL* used = codePage == CP_UTF8 ? nullptr : &usedDefault;
    int count =
        WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, used);
    ok = count > 0;
    if (!ok) return std::string();
    std::string bytes(static_cast<size_t>(count), '\0');
    FUZZ_CHECK(WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), count,
                                   nullptr, used) == count);
    ok = !usedDefault;
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    bool ok = false;

    // Code page 936 that converts strictly comes back byte for byte.
    std::u16string wide = ToWide(936, MB_ERR_INVALID_CHARS, bytes, ok);
    if (ok) {
        std::string back = FromWide(936, 0, wide, ok);
        FUZZ_CHECK(ok && back == bytes);
    }
    // Lenient conversion always gives something, and never more units than bytes.
    wide = ToWide(936, 0, bytes, ok);
    FUZZ_CHECK(ok && wide.size() <= bytes.size());

    // Well-formed UTF-8 comes back byte for byte.
    wide = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, ok);
    if (ok) {
        std::string back = FromWide(CP_UTF8, 0, wide, ok);
        FUZZ_CHECK(ok && back == bytes);
    }

    // The same bytes read as UTF-16: without lone surrogates they survive UTF-8 and back.
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
    if (!units.empty()) {
        std::string utf8 = FromWide(CP_UTF8, WC_ERR_INVALID_CHARS, units, ok);
        if (ok) {
            std::u16string back = ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, ok);
            FUZZ_CHECK(ok && back == units);
        }
    }
    return 0;
}

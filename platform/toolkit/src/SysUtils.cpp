// Integer conversions with the toolkit's rules ("$" and "0x" hexadecimal, 32-bit range), file name helpers, and
// code page 936 text helpers that leave double-byte characters alone.
#include <toolkit/SysUtils.h>

#include <win32/winbase.h>
#include <win32/winnls.h>

#include <cfenv>
#include <climits>
#include <cmath>
#include <cstdint>

bool TryStrToInt(const std::string& text, int& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && text[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return false;
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (hex && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (hex && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        magnitude = magnitude * (hex ? 16 : 10) + digit;
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (hex) {
        // Hexadecimal spells the 32-bit pattern: $FFFFFFFF is -1.
        uint32_t bits = static_cast<uint32_t>(magnitude);
        if (negative) bits = 0u - bits;
        value = static_cast<int32_t>(bits);
        return true;
    }
    if (magnitude > (negative ? 2147483648ull : 2147483647ull)) return false;
    value = negative ? static_cast<int>(-static_cast<int64_t>(magnitude)) : static_cast<int>(magnitude);
    return true;
}

void Abort() { throw EAbort("Operation aborted"); }

int StrToInt(const std::string& text) {
    int value = 0;
    if (!TryStrToInt(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
    return value;
}

int StrToIntDef(const std::string& text, int defaultValue) {
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

std::string IntToStr(long long value) { return std::to_string(value); }

std::string ExtractFilePath(const std::string& fileName) {
    std::string::size_type slash = fileName.find_last_of('/');
    return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

std::u16string ExtractFilePath(const std::u16string& fileName) {
    std::u16string::size_type slash = fileName.find_last_of(u'/');
    return slash == std::u16string::npos ? std::u16string() : fileName.substr(0, slash + 1);
}

bool FileExists(const std::string& fileName) {
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileExists(const std::u16string& fileName) {
    DWORD attributes = GetFileAttributesW(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::u16string AnsiToWide(const std::string& text) {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::u16string();
    const int count = static_cast<int>(text.size());
    std::u16string wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), count, nullptr, 0)), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), count, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

std::string WideToAnsiText(const std::u16string& text) {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) return std::string();
    const int count = static_cast<int>(text.size());
    std::string ansi(
        static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), count, ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr);
    return ansi;
}

std::string ExtractFileName(const std::string& fileName) {
    std::string::size_type slash = fileName.find_last_of('/');
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

namespace {

// The position of the extension's dot, or npos. A trail byte of code page 936 is never '.' or '/' (they start at
// 0x40), so a plain search is safe.
std::string::size_type ExtensionDot(const std::string& fileName) {
    std::string::size_type found = fileName.find_last_of("./");
    return found != std::string::npos && fileName[found] == '.' ? found : std::string::npos;
}

bool IsLeadByteAt(const std::string& text, size_t i) {
    return i + 1 < text.size() && IsDBCSLeadByte(static_cast<BYTE>(text[i]));
}

// Applies map to every byte that is not part of a double-byte character.
template <class Map>
std::string MapSingleBytes(const std::string& text, Map map) {
    std::string result = text;
    for (size_t i = 0; i < result.size(); ++i) {
        if (IsLeadByteAt(result, i))
            ++i;
        else
            result[i] = map(result[i]);
    }
    return result;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

template <class Fold>
int CompareFolded(const std::string& a, const std::string& b, Fold fold) {
    size_t i = 0;
    while (i < a.size() && i < b.size()) {
        bool doubleA = IsLeadByteAt(a, i);
        bool doubleB = IsLeadByteAt(b, i);
        unsigned char ca = static_cast<unsigned char>(doubleA ? a[i] : fold(a[i]));
        unsigned char cb = static_cast<unsigned char>(doubleB ? b[i] : fold(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
        if (doubleA && doubleB) {
            // Same lead byte: the trail bytes decide, unfolded.
            unsigned char ta = static_cast<unsigned char>(a[i + 1]);
            unsigned char tb = static_cast<unsigned char>(b[i + 1]);
            if (ta != tb) return ta < tb ? -1 : 1;
            i += 2;
        } else {
            ++i;
        }
    }
    if (a.size() == b.size()) return 0;
    return i < a.size() ? 1 : -1;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string ExtractFileExt(const std::string& fileName) {
    std::string::size_type dot = ExtensionDot(fileName);
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    return fileName.substr(0, ExtensionDot(fileName)) + extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
    return !path.empty() && path.back() == '/' ? path : path + '/';
}

std::string UpperCase(const std::string& text) { return MapSingleBytes(text, AsciiUpper); }
std::string LowerCase(const std::string& text) { return MapSingleBytes(text, AsciiLower); }

int CompareText(const std::string& a, const std::string& b) { return CompareFolded(a, b, AsciiUpper); }
int AnsiCompareText(const std::string& a, const std::string& b) { return CompareFolded(a, b, AsciiLower); }
int AnsiCompareStr(const std::string& a, const std::string& b) {
    return CompareFolded(a, b, [](char c) { return c; });
}
bool SameText(const std::string& a, const std::string& b) { return a.size() == b.size() && CompareText(a, b) == 0; }
bool AnsiSameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && AnsiCompareText(a, b) == 0;
}

std::string Trim(const std::string& text) { return TrimLeft(TrimRight(text)); }

std::string TrimLeft(const std::string& text) {
    size_t first = 0;
    while (first < text.size() && IsBlank(text[first])) ++first;
    return text.substr(first);
}

std::string TrimRight(const std::string& text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

int64_t Round(double value) {
    // The default floating-point rounding mode sends halves to the even neighbour, as the toolkit's Round does.
    int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return static_cast<int64_t>(rounded);
}

int64_t Trunc(double value) { return static_cast<int64_t>(std::trunc(value)); }

// Code page 936 and UTF-8 conversions as Windows performs them: lengths, invalid input, short buffers, flags.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Converts the whole input (its length given, no terminator) and answers the result, or an error marker.
std::u16string ToWide(UINT codePage, const std::string& bytes, DWORD flags = 0) {
    int n = MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    if (n == 0) return u"<error>";
    std::u16string out(n, u'\0');
    EXPECT_EQ(n, MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n));
    return out;
}

std::string ToAnsi(const std::u16string& wide, DWORD flags = 0, LPCSTR defaultChar = nullptr,
                   BOOL* usedDefault = nullptr, UINT codePage = CP_ACP) {
    int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, defaultChar,
                                usedDefault);
    EXPECT_GT(n, 0) << "error " << GetLastError();
    std::string out(n, '\0');
    EXPECT_EQ(n, WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                                     defaultChar, usedDefault));
    return out;
}

}  // namespace

TEST(CodePage, SystemCodePagesAre936AndItsLeadBytes) {
    EXPECT_EQ(936u, GetACP());
    EXPECT_EQ(936u, GetOEMCP());
    struct {
        BYTE b;
        BOOL lead;
    } cases[] = {{'A', FALSE}, {0x7F, FALSE}, {0x80, FALSE}, {0x81, TRUE}, {0xCD, TRUE}, {0xFE, TRUE}, {0xFF, FALSE}};
    for (auto c : cases) {
        EXPECT_EQ(c.lead, IsDBCSLeadByte(c.b)) << int(c.b);
        EXPECT_EQ(c.lead, IsDBCSLeadByteEx(936, c.b)) << int(c.b);
    }
    EXPECT_FALSE(IsDBCSLeadByteEx(CP_UTF8, 0xE9));
    SetLastError(0);
    EXPECT_FALSE(IsDBCSLeadByteEx(12345, 0x81));
    EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
}

TEST(CodePage, ChineseTextRoundTripsWithAndWithoutTerminator) {
    const char* text = "通道";
    ASSERT_EQ(std::string("\xCD\xA8\xB5\xC0"), text);
    for (UINT cp : {UINT(CP_ACP), UINT(CP_THREAD_ACP), UINT(CP_OEMCP), 936u}) {
        // -1 counts the terminating NUL in the answer.
        EXPECT_EQ(3, MultiByteToWideChar(cp, 0, text, -1, nullptr, 0));
        WCHAR wide[3] = {1, 1, 1};
        EXPECT_EQ(3, MultiByteToWideChar(cp, MB_PRECOMPOSED, text, -1, wide, 3));
        EXPECT_EQ(std::u16string(u"\u901A\u9053", 3), std::u16string(wide, 3));
    }
    EXPECT_EQ(u"\u901A\u9053", ToWide(CP_ACP, text));
    EXPECT_EQ(5, WideCharToMultiByte(CP_ACP, 0, u"\u901A\u9053", -1, nullptr, 0, nullptr, nullptr));
    char bytes[5];
    EXPECT_EQ(5, WideCharToMultiByte(CP_ACP, WC_COMPOSITECHECK, u"\u901A\u9053", -1, bytes, 5, nullptr, nullptr));
    EXPECT_STREQ(text, bytes);
    EXPECT_EQ("\xE9\x80\x9A\xE9\x81\x93", ToAnsi(u"\u901A\u9053", 0, nullptr, nullptr, CP_UTF8));
    EXPECT_EQ(u"\u901A\u9053", ToWide(CP_UTF8, "\xE9\x80\x9A\xE9\x81\x93"));
}

TEST(CodePage, Cp936SpecialAreas) {
    EXPECT_EQ(u"\u20AC", ToWide(936, "\x80"));      // the euro sign is the one single byte above 0x7F
    EXPECT_EQ(u"\uE000", ToWide(936, "\xAA\xA1"));  // first user-defined character
    EXPECT_EQ(u"\uE4C6", ToWide(936, "\xA1\x40"));  // first of the third user-defined area
    EXPECT_EQ("\x80", ToAnsi(u"\u20AC"));
    EXPECT_EQ("\xAA\xA1", ToAnsi(u"\uE000"));
    EXPECT_EQ(u"\u00B7\u3000", ToWide(936, "\xA1\xA4\xA1\xA1"));
}

TEST(CodePage, InvalidCp936BytesBecomeQuestionMarksOrFail) {
    struct {
        std::string bytes;
        std::u16string wide;
    } cases[] = {
        {"A\x81", u"A?"},      // lead byte cut off at the end
        {"\x81 B", u"? B"},    // a byte that cannot trail stays a character of its own
        {"\xA2\xE3Z", u"?Z"},  // a well-formed but unassigned pair is one character
        {"\xFFZ", u"?Z"},     {"\xCD\xA8\x81\x7F", u"\u901A?\x7F"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.wide, ToWide(936, c.bytes)) << c.bytes;
        SetLastError(0);
        EXPECT_EQ(0, MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, c.bytes.data(), int(c.bytes.size()), nullptr, 0));
        EXPECT_EQ(DWORD(ERROR_NO_UNICODE_TRANSLATION), GetLastError()) << c.bytes;
    }
    // A lead byte before the terminator: the NUL is still counted and converted.
    WCHAR wide[4];
    EXPECT_EQ(3, MultiByteToWideChar(936, 0, "A\xB5", -1, wide, 4));
    EXPECT_EQ(std::u16string(u"A?\0", 3), std::u16string(wide, 3));
}

TEST(CodePage, InvalidUtf8BecomesReplacementCharactersOrFails) {
    struct {
        std::string bytes;
        std::u16string wide;
    } cases[] = {
        {"\xC0\x41\x42", u"\uFFFD\x41\x42"},
        {"test\xFF\xFF test", u"test\uFFFD\uFFFD test"},
        {"\xE9\x80", u"\uFFFD"},  // truncated: one replacement for the whole prefix
        {"\xE9\x80Z", u"\uFFFDZ"},
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate is not UTF-8
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(c.wide, ToWide(CP_UTF8, c.bytes));
        if (c.wide.find(u'\uFFFD') == std::u16string::npos) continue;
        SetLastError(0);
        EXPECT_EQ(0,
                  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.bytes.data(), int(c.bytes.size()), nullptr, 0));
        EXPECT_EQ(DWORD(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
    }
}

TEST(CodePage, ShortOutputBuffersFailWithoutSplittingCharacters) {
    WCHAR wide[2] = {u'x', u'x'};
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "通道", -1, wide, 2));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());

    char bytes[4] = {'x', 'x', 'x', 'x'};
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, u"A\u901A", 2, bytes, 2, nullptr, nullptr));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ('A', bytes[0]);
    EXPECT_EQ('x', bytes[1]) << "half of a double-byte character was written";

    // Exactly enough room without the terminator is still too little for -1.
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, u"\u901A", -1, bytes, 2, nullptr, nullptr));
    EXPECT_EQ(DWORD(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

TEST(CodePage, DefaultCharacterForCp936) {
    BOOL used = -1;
    EXPECT_EQ("A?B", ToAnsi(u"A\u0E01B", 0, nullptr, &used));
    EXPECT_TRUE(used);
    EXPECT_EQ("通", ToAnsi(u"\u901A", 0, nullptr, &used));
    EXPECT_FALSE(used);
    EXPECT_EQ("A*", ToAnsi(u"A\u00C0", 0, "*", &used));
    EXPECT_EQ("＊", ToAnsi(u"\u00C0", 0, "＊", &used));  // a double-byte default character
    // Lone surrogates cannot be held by code page 936.
    EXPECT_EQ("??", ToAnsi(u"\U00010000", 0, nullptr, &used));  // beyond the BMP: one per UTF-16 unit
    EXPECT_EQ("?x", ToAnsi(std::u16string(u"\xDC00x", 2), 0, nullptr, &used));
    EXPECT_TRUE(used);
}

TEST(CodePage, Utf8LoneSurrogatesAndItsForbiddenParameters) {
    EXPECT_EQ("\xEF\xBF\xBDx", ToAnsi(std::u16string(u"\xD800x", 2), 0, nullptr, nullptr, CP_UTF8));
    EXPECT_EQ("\xF0\x9F\x98\x80", ToAnsi(u"\U0001F600", 0, nullptr, nullptr, CP_UTF8));
    char bytes[8];
    BOOL used;
    struct {
        DWORD flags;
        LPCSTR defaultChar;
        BOOL* used;
        DWORD error;
    } cases[] = {
        {WC_ERR_INVALID_CHARS, nullptr, nullptr, ERROR_NO_UNICODE_TRANSLATION},
        {0, "?", nullptr, ERROR_INVALID_PARAMETER},
        {0, nullptr, &used, ERROR_INVALID_PARAMETER},
        {WC_COMPOSITECHECK, nullptr, nullptr, ERROR_INVALID_FLAGS},
        {WC_NO_BEST_FIT_CHARS, nullptr, nullptr, ERROR_INVALID_FLAGS},
    };
    for (auto& c : cases) {
        SetLastError(0);
        EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, c.flags, u"\xD800x", 2, bytes, 8, c.defaultChar, c.used));
        EXPECT_EQ(c.error, GetLastError()) << c.flags;
    }
    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, nullptr, 0));
    EXPECT_EQ(DWORD(ERROR_INVALID_FLAGS), GetLastError());
}

TEST(CodePage, RefusedFlagsCodePagesAndParameters) {
    WCHAR wide[4];
    char bytes[4];
    struct {
        std::function<int()> call;
        DWORD error;
    } cases[] = {
        {[&] { return MultiByteToWideChar(12345, 0, "a", 1, wide, 4); }, ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(12345, 0, u"a", 1, bytes, 4, nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED | MB_COMPOSITE, "a", 1, wide, 4); },
         ERROR_INVALID_FLAGS},
        {[&] { return MultiByteToWideChar(CP_ACP, 0x100, "a", 1, wide, 4); }, ERROR_INVALID_FLAGS},
        {[&] { return WideCharToMultiByte(CP_ACP, WC_ERR_INVALID_CHARS, u"a", 1, bytes, 4, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
        {[&] { return WideCharToMultiByte(CP_ACP, WC_DISCARDNS, u"a", 1, bytes, 4, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
        {[&] { return MultiByteToWideChar(CP_ACP, 0, nullptr, 1, wide, 4); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_ACP, 0, "a", 0, wide, 4); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_ACP, 0, "a", 1, wide, -1); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_ACP, 0, "a", 1, nullptr, 4); }, ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(CP_ACP, 0, u"a", 0, bytes, 4, nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(CP_ACP, 0, u"a", -2, bytes, 4, nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SetLastError(0);
        EXPECT_EQ(0, cases[i].call()) << "case " << i;
        EXPECT_EQ(cases[i].error, GetLastError()) << "case " << i;
    }
}

TEST(CodePage, CompositeCheckAndCompositeOutput) {
    struct {
        std::u16string wide;
        DWORD flags;
        std::string bytes;
    } cases[] = {
        {u"u\u0308", WC_COMPOSITECHECK, "\xA8\xB9"},        // ü
        {u"u\u0308\u0304", WC_COMPOSITECHECK, "\xA8\xB5"},  // ǖ, composed in two steps
        {u"e\u0301", 0, "e?"},                              // without the check the mark stands alone
        {u"x\u0301y", WC_COMPOSITECHECK, "x?y"},            // WC_SEPCHARS is the default
        {u"x\u0301y", WC_COMPOSITECHECK | WC_SEPCHARS, "x?y"},
        {u"x\u0301y", WC_COMPOSITECHECK | WC_DISCARDNS, "xy"},
        {u"x\u0301y", WC_COMPOSITECHECK | WC_DEFAULTCHAR, "?y"},
    };
    for (auto& c : cases) EXPECT_EQ(c.bytes, ToAnsi(c.wide, c.flags)) << c.bytes;
    EXPECT_EQ(u"u\u0308\u0304", ToWide(CP_ACP, "\xA8\xB5", MB_COMPOSITE));
    EXPECT_EQ(u"\u01D6", ToWide(CP_ACP, "\xA8\xB5", MB_PRECOMPOSED | MB_USEGLYPHCHARS));
}

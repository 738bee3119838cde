// Realised fonts are kept and share their faces: every font must still measure and draw exactly as it does when
// it is the first and only font a process loads, whatever was realised, released and drawn before it.
#include "DibCanvas.h"

#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct FontCase {
    const char16_t* Face;
    int Height;
    int Width;
    int Weight;
    BYTE Italic;
    BYTE Underline;
    BYTE Quality;
    BYTE PitchAndFamily;
};

// Several sizes of each face, so instances share a face at different sizes; more fonts than are kept released.
const FontCase Cases[] = {
    {u"宋体", -12, 0, FW_NORMAL, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"宋体", -9, 0, FW_NORMAL, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"宋体", -16, 0, FW_NORMAL, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"宋体", 12, 0, FW_BOLD, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"宋体", -12, 0, FW_NORMAL, 0, 0, ANTIALIASED_QUALITY, DEFAULT_PITCH},
    {u"SimSun", -14, 0, FW_NORMAL, 1, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"MS Sans Serif", -11, 0, FW_NORMAL, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"MS Sans Serif", -11, 0, FW_NORMAL, 0, 1, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS},
    {u"Tahoma", -11, 0, FW_BOLD, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"Arial", -13, 0, FW_NORMAL, 1, 0, ANTIALIASED_QUALITY, DEFAULT_PITCH},
    {u"Arial", -20, 8, FW_NORMAL, 0, 0, DEFAULT_QUALITY, DEFAULT_PITCH},
    {u"Courier New", -12, 0, FW_NORMAL, 0, 0, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN},
};
constexpr int CaseCount = static_cast<int>(sizeof Cases / sizeof Cases[0]);

HFONT Make(const FontCase& c) {
    return CreateFontW(c.Height, c.Width, 0, 0, c.Weight, c.Italic, c.Underline, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, c.Quality, c.PitchAndFamily, c.Face);
}

// What the font gives: its metrics, face name, extents and the pixels of a line of Latin and Chinese text.
std::string Realised(HFONT font) {
    DibCanvas canvas(320, 40, 0x00FFFFFF);
    HGDIOBJ old = SelectObject(canvas.Dc(), font);
    TEXTMETRICW tm{};
    GetTextMetricsW(canvas.Dc(), &tm);
    WCHAR face[LF_FACESIZE] = {};
    GetTextFaceW(canvas.Dc(), LF_FACESIZE, face);
    const char16_t text[] = u"Ag|Wy 通道字符叠加 123";
    int length = static_cast<int>(std::char_traits<char16_t>::length(text));
    SIZE extent{};
    GetTextExtentPoint32W(canvas.Dc(), text, length, &extent);
    TextOutW(canvas.Dc(), 2, 4, text, length);
    SelectObject(canvas.Dc(), old);

    std::ostringstream out;
    out << "height " << tm.tmHeight << " ascent " << tm.tmAscent << " descent " << tm.tmDescent << " internal "
        << tm.tmInternalLeading << " external " << tm.tmExternalLeading << " average " << tm.tmAveCharWidth << " max "
        << tm.tmMaxCharWidth << " weight " << tm.tmWeight << " italic " << int(tm.tmItalic) << " underlined "
        << int(tm.tmUnderlined) << " pitch " << int(tm.tmPitchAndFamily) << " charset " << int(tm.tmCharSet) << " face "
        << std::string(face, face + std::char_traits<char16_t>::length(face)) << " extent " << extent.cx << "x"
        << extent.cy << "\n";
    const uint32_t* bits = canvas.Bits();
    out.write(reinterpret_cast<const char*>(bits), sizeof(uint32_t) * canvas.Width() * canvas.Height());
    return out.str();
}

std::string FreshFile(int index) { return "font-case-" + std::to_string(index) + ".fresh"; }

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void ExpectSame(const std::string& fresh, const std::string& cached, int index, const char* when) {
    std::string freshMetrics = fresh.substr(0, fresh.find('\n'));
    std::string cachedMetrics = cached.substr(0, cached.find('\n'));
    EXPECT_EQ(cachedMetrics, freshMetrics) << "case " << index << ", " << when;
    EXPECT_TRUE(cached == fresh) << "case " << index << ", " << when << ": the pixels differ";
}

// Each font first alone in a process of its own (the death-test child starts the program afresh), then all of
// them in this one: realised together, drawn interleaved, deleted and made again in the opposite order.
TEST(FontCache, EveryFontMeasuresAndDrawsAsWhenLoadedAloneInAFreshProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (int i = 0; i < CaseCount; ++i) {
        // Whatever runs before the statement runs again in every child, so nothing here touches the files.
        EXPECT_EXIT(
            {
                std::ofstream(FreshFile(i), std::ios::binary) << Realised(Make(Cases[i]));
                std::exit(0);
            },
            ::testing::ExitedWithCode(0), "")
            << "case " << i;
    }
    std::vector<std::string> fresh;
    for (int i = 0; i < CaseCount; ++i) {
        fresh.push_back(ReadAll(FreshFile(i)));
        ASSERT_FALSE(fresh.back().empty()) << "case " << i << " wrote nothing";
    }

    std::vector<HFONT> fonts;
    DibCanvas measuring(1, 1);
    for (const FontCase& c : Cases) {
        // Realised (its size set on the shared face) long before its first glyph is drawn.
        fonts.push_back(Make(c));
        HGDIOBJ old = SelectObject(measuring.Dc(), fonts.back());
        TEXTMETRICW tm{};
        GetTextMetricsW(measuring.Dc(), &tm);
        SelectObject(measuring.Dc(), old);
    }
    for (int i = 0; i < CaseCount; ++i) ExpectSame(fresh[i], Realised(fonts[i]), i, "all realised first");
    for (int i = 0; i < CaseCount; i += 2) ExpectSame(fresh[i], Realised(fonts[i]), i, "drawn again, interleaved");
    for (HFONT font : fonts) DeleteObject(font);
    for (int i = CaseCount - 1; i >= 0; --i) {
        HFONT font = Make(Cases[i]);
        ExpectSame(fresh[i], Realised(font), i, "deleted and made again");
        DeleteObject(font);
    }
    for (int i = 0; i < CaseCount; ++i) std::remove(FreshFile(i).c_str());
}

// A line with more different characters than a font keeps rendered draws as the same line drawn in short pieces.
TEST(FontCache, ALineWithMoreGlyphsThanAreKeptDrawsAsItsPieces) {
    constexpr int Count = 1500, Piece = 100;
    std::u16string line;
    for (int i = 0; i < Count; ++i) line += static_cast<char16_t>(0x4E00 + i);
    HFONT font = CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, DEFAULT_QUALITY, 0, u"宋体");
    SIZE extent{};
    DibCanvas whole(1, 1);
    HGDIOBJ old = SelectObject(whole.Dc(), font);
    GetTextExtentPoint32W(whole.Dc(), line.data(), Count, &extent);
    SelectObject(whole.Dc(), old);
    ASSERT_GT(extent.cx, Count);

    DibCanvas once(extent.cx, extent.cy, 0x00FFFFFF), pieces(extent.cx, extent.cy, 0x00FFFFFF);
    old = SelectObject(once.Dc(), font);
    TextOutW(once.Dc(), 0, 0, line.data(), Count);
    SelectObject(once.Dc(), old);
    old = SelectObject(pieces.Dc(), font);
    int x = 0;
    for (int start = 0; start < Count; start += Piece) {
        TextOutW(pieces.Dc(), x, 0, line.data() + start, Piece);
        SIZE size{};
        GetTextExtentPoint32W(pieces.Dc(), line.data() + start, Piece, &size);
        x += size.cx;
    }
    SelectObject(pieces.Dc(), old);
    DeleteObject(font);
    EXPECT_EQ(x, extent.cx);
    EXPECT_TRUE(once.Snapshot() == pieces.Snapshot());
}

}  // namespace

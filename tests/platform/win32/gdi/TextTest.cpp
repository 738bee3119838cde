// Fonts, metrics, extents and text output: the facts a Windows developer relies on, with the sizes our fonts give.
#include "TextFixture.h"

#include <Png.h>

#include <cstring>
#include <vector>

namespace {

TEXTMETRICW Metrics(HDC dc) {
    TEXTMETRICW tm{};
    EXPECT_TRUE(GetTextMetricsW(dc, &tm));
    return tm;
}

SIZE Extent(HDC dc, const char16_t* text) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32W(dc, text, static_cast<int>(std::char_traits<char16_t>::length(text)), &size));
    return size;
}

TEST(Font, GetObjectGivesTheLogFontWithTheFaceInEitherEncoding) {
    LOGFONTA in{};
    in.lfHeight = -12;
    in.lfWeight = FW_BOLD;
    in.lfCharSet = GB2312_CHARSET;
    std::strcpy(in.lfFaceName, "宋体");  // GBK bytes
    HFONT font = CreateFontIndirectA(&in);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));

    LOGFONTA outA{};
    EXPECT_EQ(GetObjectA(font, sizeof outA, &outA), static_cast<int>(sizeof outA));
    EXPECT_EQ(std::memcmp(&in, &outA, sizeof in), 0);
    LOGFONTW outW{};
    EXPECT_EQ(GetObjectW(font, sizeof outW, &outW), static_cast<int>(sizeof outW));
    EXPECT_EQ(std::u16string(outW.lfFaceName), u"宋体");
    EXPECT_EQ(outW.lfWeight, FW_BOLD);
    EXPECT_EQ(GetObjectW(font, 0, nullptr), static_cast<int>(sizeof(LOGFONTW)));
    // A short buffer receives the first bytes only.
    LONG height = 0;
    EXPECT_EQ(GetObjectW(font, sizeof height, &height), static_cast<int>(sizeof height));
    EXPECT_EQ(height, -12);
    EXPECT_TRUE(DeleteObject(font));

    SetLastError(0);
    EXPECT_EQ(CreateFontIndirectW(nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(Font, StockFontsAreFonts) {
    for (int index : {SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT, ANSI_FIXED_FONT, OEM_FIXED_FONT, SYSTEM_FIXED_FONT,
                      DEVICE_DEFAULT_FONT}) {
        HGDIOBJ font = GetStockObject(index);
        ASSERT_NE(font, nullptr) << index;
        EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT)) << index;
        LOGFONTW lf{};
        EXPECT_EQ(GetObjectW(font, sizeof lf, &lf), static_cast<int>(sizeof lf)) << index;
        EXPECT_FALSE(DeleteObject(font) && GetObjectType(font) == 0) << "stock fonts survive DeleteObject";
    }
    LOGFONTW gui{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    EXPECT_EQ(gui.lfHeight, -12);
    EXPECT_EQ(std::u16string(gui.lfFaceName), u"宋体");
}

struct MetricsCase {
    int Height;
    const char16_t* Face;
    LONG TmHeight, Ascent, Descent, InternalLeading;
};

TEST_F(TextFixture, MetricsFollowWindowsHeightRules) {
    // Negative heights are the em: the cell adds the internal leading on top of it.
    const MetricsCase cases[] = {
        {-12, u"宋体", 16, 12, 4, 4},
        {-14, u"宋体", 17, 13, 4, 3},
        {-11, u"Tahoma", 13, 10, 3, 2},
    };
    for (const auto& c : cases) {
        Use(c.Height, c.Face);
        TEXTMETRICW tm = Metrics(Dc());
        EXPECT_EQ(tm.tmHeight, c.TmHeight) << c.Height;
        EXPECT_EQ(tm.tmAscent, c.Ascent) << c.Height;
        EXPECT_EQ(tm.tmDescent, c.Descent) << c.Height;
        EXPECT_EQ(tm.tmInternalLeading, c.InternalLeading) << c.Height;
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -c.Height);
        EXPECT_EQ(tm.tmWeight, FW_NORMAL);
        EXPECT_EQ(tm.tmCharSet, GB2312_CHARSET);  // DEFAULT_CHARSET on a code page 936 system
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
        EXPECT_EQ(tm.tmPitchAndFamily & TMPF_TRUETYPE, TMPF_TRUETYPE);
    }
    // Positive heights are the whole cell, and 0 is a default size.
    for (int cell : {13, 16, 20, 24}) {
        Use(cell, u"宋体");
        EXPECT_EQ(Metrics(Dc()).tmHeight, cell);
        Use(cell, u"Tahoma");
        EXPECT_EQ(Metrics(Dc()).tmHeight, cell);
    }
    Use(0, u"Tahoma");
    EXPECT_GT(Metrics(Dc()).tmHeight, 10);

    Use(-12, u"宋体", FW_BOLD, 0, 1, 1, 1);
    TEXTMETRICW styled = Metrics(Dc());
    EXPECT_EQ(styled.tmWeight, FW_BOLD);
    EXPECT_NE(styled.tmItalic, 0);
    EXPECT_NE(styled.tmUnderlined, 0);
    EXPECT_NE(styled.tmStruckOut, 0);
    TEXTMETRICA ansi{};
    EXPECT_TRUE(GetTextMetricsA(Dc(), &ansi));
    EXPECT_EQ(ansi.tmHeight, styled.tmHeight);
    EXPECT_EQ(ansi.tmCharSet, styled.tmCharSet);
}

TEST_F(TextFixture, FaceNamesMapThroughTheTable) {
    Use(-12, u"宋体");
    SIZE song = Extent(Dc(), u"通道01 Channel");
    EXPECT_EQ(Extent(Dc(), u"通道").cx, 2 * 12) << "ideographs take the em";
    EXPECT_EQ(Extent(Dc(), u"01").cx, 2 * 6) << "digits half of it";
    for (const char16_t* alias : {u"SimSun", u"新宋体", u"simsun"}) {
        Use(-12, alias);
        SIZE size = Extent(Dc(), u"通道01 Channel");
        EXPECT_EQ(size.cx, song.cx);
        EXPECT_EQ(size.cy, song.cy);
    }
    HFONT gbk = CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "新宋体");
    HGDIOBJ old = SelectObject(Dc(), gbk);
    EXPECT_EQ(Extent(Dc(), u"通道01 Channel").cx, song.cx);
    char faceA[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFaceA(Dc(), sizeof faceA, faceA), 6);
    EXPECT_STREQ(faceA, "新宋体");
    SelectObject(Dc(), old);
    DeleteObject(gbk);

    Use(-11, u"Tahoma");
    SIZE tahoma = Extent(Dc(), u"Channel 01");
    for (const char16_t* alias : {u"MS Sans Serif", u"Arial", u"MS Shell Dlg", u"MS Shell Dlg 2", u""}) {
        Use(-11, alias);
        EXPECT_EQ(Extent(Dc(), u"Channel 01").cx, tahoma.cx);
    }
    Use(-11, u"Tahoma");
    WCHAR face[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFaceW(Dc(), 0, nullptr), 7);
    EXPECT_EQ(GetTextFaceW(Dc(), LF_FACESIZE, face), 6);
    EXPECT_EQ(std::u16string(face), u"Tahoma");
    EXPECT_EQ(GetTextFaceW(Dc(), 4, face), 3);
    EXPECT_EQ(std::u16string(face), u"Tah");
}

TEST_F(TextFixture, AnsiExtentsMatchWideOnesForMixedGbk) {
    Use(-12, u"宋体");
    const char* samples[] = {"通道01 Channel", "字符叠加ABC", "a", "叠", "温度：25℃"};
    for (const char* sample : samples) {
        WCHAR wide[64] = {};
        int units = MultiByteToWideChar(CP_ACP, 0, sample, -1, wide, 64) - 1;
        SIZE a{}, w{};
        EXPECT_TRUE(GetTextExtentPoint32A(Dc(), sample, static_cast<int>(std::strlen(sample)), &a));
        EXPECT_TRUE(GetTextExtentPoint32W(Dc(), wide, units, &w));
        EXPECT_EQ(a.cx, w.cx) << sample;
        EXPECT_EQ(a.cy, Metrics(Dc()).tmHeight);
    }
    // Character extra counts once per character, whatever its byte count.
    SIZE plain{}, spaced{};
    GetTextExtentPoint32A(Dc(), "通道01", 6, &plain);
    SetTextCharacterExtra(Dc(), 3);
    GetTextExtentPoint32A(Dc(), "通道01", 6, &spaced);
    EXPECT_EQ(spaced.cx, plain.cx + 4 * 3);
    SetTextCharacterExtra(Dc(), 0);

    SIZE size{};
    SetLastError(0);
    EXPECT_FALSE(GetTextExtentPoint32W(Dc(), u"x", -1, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(GetTextExtentPoint32W(nullptr, u"x", 1, &size));
}

TEST_F(TextFixture, ExtentExAndCharWidthsAgree) {
    Use(-12, u"宋体");
    const char16_t* text = u"通道01 Ch";
    int dx[8] = {}, fit = -1;
    SIZE size{};
    ASSERT_TRUE(GetTextExtentExPointW(Dc(), text, 7, 40, &fit, dx, &size));
    EXPECT_EQ(size.cx, Extent(Dc(), text).cx);
    EXPECT_EQ(dx[6], size.cx);
    EXPECT_EQ(dx[0], 12);
    EXPECT_EQ(fit, 4);  // 12 + 12 + 6 + 6 = 36; the space would make 42
    INT widths[3] = {};
    EXPECT_TRUE(GetCharWidth32W(Dc(), u'0', u'2', widths));
    EXPECT_EQ(widths[0], 6);
    EXPECT_EQ(widths[2], 6);
    EXPECT_FALSE(GetCharWidth32W(Dc(), 5, 4, widths));
}

TEST_F(TextFixture, OutputLiesInTheCellAlignedAsAsked) {
    Use(-12, u"宋体");
    SetBkMode(Dc(), TRANSPARENT);
    TEXTMETRICW tm = Metrics(Dc());
    SIZE size = Extent(Dc(), u"通道01");
    struct {
        UINT Align;
        int CellLeft, CellTop;  // where the cell lies for a reference point of (100, 30)
    } cases[] = {
        {TA_LEFT | TA_TOP, 100, 30},
        {TA_RIGHT | TA_TOP, 100 - size.cx, 30},
        {TA_CENTER | TA_TOP, 100 - size.cx / 2, 30},
        {TA_LEFT | TA_BOTTOM, 100, 30 - tm.tmHeight},
        {TA_LEFT | TA_BASELINE, 100, 30 - tm.tmAscent},
    };
    RECT reference{};
    for (const auto& c : cases) {
        Clear();
        SetTextAlign(Dc(), c.Align);
        ASSERT_TRUE(TextOutW(Dc(), 100, 30, u"通道01", 4));
        RECT ink = InkBox();
        EXPECT_GE(ink.left, c.CellLeft) << c.Align;
        EXPECT_LE(ink.right, c.CellLeft + size.cx) << c.Align;
        EXPECT_GE(ink.top, c.CellTop) << c.Align;
        EXPECT_LE(ink.bottom, c.CellTop + tm.tmHeight) << c.Align;
        if (c.Align == 0) reference = ink;
        // The same picture, only moved.
        EXPECT_EQ(ink.right - ink.left, reference.right - reference.left);
        EXPECT_EQ(ink.left - c.CellLeft, reference.left - 100);
        EXPECT_EQ(ink.top - c.CellTop, reference.top - 30);
    }
    SetTextAlign(Dc(), TA_LEFT | TA_TOP);

    // The viewport origin moves output like any other primitive.
    Clear();
    SetViewportOrgEx(Dc(), 7, 3, nullptr);
    TextOutW(Dc(), 100, 30, u"通道01", 4);
    SetViewportOrgEx(Dc(), 0, 0, nullptr);
    EXPECT_EQ(InkBox(), (RECT{reference.left + 7, reference.top + 3, reference.right + 7, reference.bottom + 3}));
}

TEST_F(TextFixture, UpdateCpContinuesWhereTheLastOutputEnded) {
    Use(-12, u"宋体");
    TextOutW(Dc(), 0, 0, u"通道01 AB", 7);
    std::vector<uint32_t> whole(Bits(), Bits() + Width() * Height());
    Clear();
    SetTextAlign(Dc(), TA_UPDATECP);
    TextOutW(Dc(), 50, 50, u"通道", 2);  // x and y are ignored: output starts at the current position (0, 0)
    TextOutW(Dc(), 50, 50, u"01 AB", 5);
    EXPECT_TRUE(std::equal(whole.begin(), whole.end(), Bits()));
}

TEST_F(TextFixture, OpaqueModeFillsTheCellAndEveryPixelGetsAlphaZero) {
    Use(-12, u"宋体");
    Clear(0xFF123456);
    SetBkColor(Dc(), RGB(0, 0, 255));
    SetTextColor(Dc(), RGB(255, 0, 0));
    SetBkMode(Dc(), OPAQUE);
    TextOutW(Dc(), 10, 5, u"通道01", 4);
    SIZE size = Extent(Dc(), u"通道01");
    int ink = Count(0x00FF0000), back = Count(0x000000FF);
    EXPECT_GT(ink, 20);
    EXPECT_EQ(ink + back, size.cx * size.cy);
    EXPECT_EQ(InkBox(0xFF123456), (RECT{10, 5, 10 + size.cx, 5 + size.cy}));

    Clear();
    SetBkMode(Dc(), TRANSPARENT);
    TextOutW(Dc(), 10, 5, u"通道01", 4);
    EXPECT_EQ(Count(0x00FF0000), ink);
    EXPECT_EQ(Count(0x000000FF), 0);
}

TEST_F(TextFixture, ExtTextOutOpaqueClipAndSpacing) {
    Use(-12, u"宋体");
    SetBkMode(Dc(), TRANSPARENT);
    SetBkColor(Dc(), RGB(0, 255, 0));
    RECT box{20, 10, 60, 22};
    // ETO_OPAQUE fills the rectangle whatever the background mode, even with no text.
    ASSERT_TRUE(ExtTextOutW(Dc(), 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr));
    EXPECT_EQ(Count(0x0000FF00), 40 * 12);
    EXPECT_EQ(InkBox(), box);

    // ETO_CLIPPED keeps the glyphs inside the rectangle.
    Clear();
    ExtTextOutW(Dc(), 10, 8, ETO_CLIPPED, &box, u"通道字符叠加", 6, nullptr);
    RECT ink = InkBox();
    EXPECT_GE(ink.left, box.left);
    EXPECT_LE(ink.right, box.right);
    EXPECT_GE(ink.top, box.top);
    EXPECT_LE(ink.bottom, box.bottom);

    // lpDx places each character; the A function takes one entry per byte.
    Clear();
    const INT wideDx[] = {30, 30, 30};
    ExtTextOutW(Dc(), 0, 0, 0, nullptr, u"通A道", 3, wideDx);
    std::vector<uint32_t> wide(Bits(), Bits() + Width() * Height());
    for (int i = 0; i < 3; ++i) {
        Clear();
        ExtTextOutW(Dc(), 0, 0, 0, nullptr, &u"通A道"[i], 1, nullptr);
        RECT alone = InkBox();
        Clear();
        ExtTextOutW(Dc(), 30 * i, 0, 0, nullptr, &u"通A道"[i], 1, nullptr);
        EXPECT_EQ(InkBox().left, alone.left + 30 * i);
    }
    Clear();
    const INT ansiDx[] = {10, 20, 30, 25, 5};
    ExtTextOutA(Dc(), 0, 0, 0, nullptr, "通A道", 5, ansiDx);
    EXPECT_TRUE(std::equal(wide.begin(), wide.end(), Bits()));

    SetLastError(0);
    EXPECT_FALSE(ExtTextOutW(Dc(), 0, 0, ETO_RTLREADING, nullptr, u"a", 1, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(TextOutW(Dc(), 0, 0, u"a", -1));
    EXPECT_FALSE(TextOutW(nullptr, 0, 0, u"a", 1));
}

// A picture turned a quarter turn counter-clockwise: pixel (x, y) of `source` goes to (y, width - 1 - x).
std::vector<uint32_t> TurnLeft(const std::vector<uint32_t>& source, int width, int height) {
    std::vector<uint32_t> turned(source.size());
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) turned[(width - 1 - x) * height + y] = source[y * width + x];
    return turned;
}

TEST_F(TextFixture, EscapementTurnsTheTextAboutTheReferencePoint) {
    Reset(80, 80);
    Use(-12, u"宋体");
    SIZE size = Extent(Dc(), u"通道01");
    TEXTMETRICW tm = Metrics(Dc());
    TextOutW(Dc(), 0, 0, u"通道01", 4);
    std::vector<uint32_t> flat(Bits(), Bits() + 80 * 80);
    RECT flatInk = InkBox();

    // 900: reading upwards from the reference point, the cell lies to its right.
    Use(-12, u"宋体", FW_NORMAL, 900);
    Clear();
    TextOutW(Dc(), 0, 80, u"通道01", 4);
    RECT up = InkBox();
    EXPECT_GE(up.left, 0);
    EXPECT_LE(up.right, tm.tmHeight);
    EXPECT_GE(up.top, 80 - size.cx);
    EXPECT_EQ(up.bottom, 80 - flatInk.left);
    EXPECT_TRUE(std::equal(Bits(), Bits() + 80 * 80, TurnLeft(flat, 80, 80).begin()))
        << "a quarter turn of the upright picture, pixel for pixel";

    // 2700: reading downwards, the cell lies to the left of the reference point.
    Use(-12, u"宋体", FW_NORMAL, 2700);
    Clear();
    TextOutW(Dc(), 40, 10, u"通道01", 4);
    RECT down = InkBox();
    EXPECT_GE(down.left, 40 - tm.tmHeight);
    EXPECT_LE(down.right, 40);
    EXPECT_EQ(down.top, 10 + flatInk.left);
    EXPECT_LE(down.bottom, 10 + size.cx);
    EXPECT_EQ(down.right - down.left, up.right - up.left);
    EXPECT_EQ(down.bottom - down.top, up.bottom - up.top);
}

TEST_F(TextFixture, UnderlineStrikeOutAndBoldAddInk) {
    Use(-12, u"宋体");
    SetBkMode(Dc(), TRANSPARENT);
    TextOutW(Dc(), 0, 0, u"ABC", 3);
    int plain = Count(0);
    RECT plainBox = InkBox();
    SIZE size = Extent(Dc(), u"ABC");

    Use(-12, u"宋体", FW_NORMAL, 0, 1);
    Clear();
    TextOutW(Dc(), 0, 0, u"ABC", 3);
    EXPECT_EQ(InkBox().left, 0);
    EXPECT_EQ(InkBox().right, size.cx) << "the underline spans the whole advance";
    EXPECT_GT(InkBox().bottom, plainBox.bottom);
    EXPECT_GE(Count(0), plain + size.cx - 3);

    Use(-12, u"宋体", FW_NORMAL, 0, 0, 1);
    Clear();
    TextOutW(Dc(), 0, 0, u"ABC", 3);
    EXPECT_EQ(InkBox().right, size.cx);
    EXPECT_EQ(InkBox().bottom, plainBox.bottom) << "strike-out runs through the letters";

    Use(-12, u"宋体", FW_BOLD);
    Clear();
    TextOutW(Dc(), 0, 0, u"ABC", 3);
    EXPECT_GT(Count(0), plain * 5 / 4);
    EXPECT_EQ(Extent(Dc(), u"ABC").cx, size.cx + 3) << "synthetic bold widens each advance by a pixel";
}

TEST_F(TextFixture, QualityChoosesBetweenTwoColoursAndBlending) {
    auto colours = [&] {
        std::vector<uint32_t> seen(Bits(), Bits() + Width() * Height());
        std::sort(seen.begin(), seen.end());
        return std::unique(seen.begin(), seen.end()) - seen.begin();
    };
    SetBkMode(Dc(), TRANSPARENT);
    Use(-20, u"Tahoma");
    TextOutW(Dc(), 0, 0, u"Smooth 通道", 9);
    EXPECT_EQ(colours(), 2);

    HFONT smooth =
        CreateFontW(-20, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, ANTIALIASED_QUALITY, 0, u"Tahoma");
    HGDIOBJ old = SelectObject(Dc(), smooth);
    Clear();
    TextOutW(Dc(), 0, 0, u"Smooth", 6);
    EXPECT_GT(colours(), 4);
    SelectObject(Dc(), old);
    DeleteObject(smooth);
}

TEST_F(TextFixture, SongTi14MixedLineMatchesItsGoldenPicture) {
    Reset(240, 20);
    Use(-14, u"宋体");
    TextOutW(Dc(), 2, 1, u"通道01 Channel 字符叠加 ABCxyz", 24);
    EXPECT_TRUE(MatchesGolden(std::string(TEST_SOURCE_DIR) + "/platform/win32/gdi/data/TextSongTi14.png", Width(),
                              Height(), Bits()));
}

}  // namespace

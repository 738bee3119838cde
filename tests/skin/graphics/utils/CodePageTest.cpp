// Code-page conversions: round trips through code page 936, the fallback for unknown code pages, and the
// default character for what code page 936 cannot hold.
#include <skin/CodePage.h>

#include <win32/windows.h>

#include <gtest/gtest.h>

namespace {

TEST(CodePage, RoundTripsThroughCodePage936) {
    const std::u16string texts[] = {u"Orvane", u"通道1", u"字符叠加视频分配器配置软件", u"a\u00B7b", u"\u3000全角"};
    for (const std::u16string& text : texts) {
        std::string ansi = WideToAnsi(text);
        EXPECT_EQ(WideFromCodePage(936, ansi), text);
        EXPECT_EQ(WideFromCodePage(CP_ACP, ansi), text);
    }
    // The literal is compiled to GBK, so both sides agree byte for byte.
    EXPECT_EQ(WideToAnsi(u"通道"), std::string("通道"));
    EXPECT_EQ(WideToAnsi(u"通道"), std::string("\xCD\xA8\xB5\xC0"));
}

TEST(CodePage, EmptyTextsStayEmpty) {
    EXPECT_EQ(WideFromCodePage(936, ""), u"");
    EXPECT_EQ(WideFromCodePage(12345, ""), u"");
    EXPECT_EQ(WideToAnsi(u""), "");
}

TEST(CodePage, UnknownCodePageFallsBackToTheAnsiCodePage) {
    EXPECT_EQ(WideFromCodePage(1252, "\xCD\xA8\xB5\xC0"), u"通道");
    EXPECT_EQ(WideFromCodePage(12345, "abc"), u"abc");
}

TEST(CodePage, Utf8IsRefusedTheGlyphFlagsAndReadAsTheAnsiCodePage) {
    // MultiByteToWideChar refuses MB_PRECOMPOSED and MB_USEGLYPHCHARS for UTF-8, so the bytes are read as code
    // page 936 instead.
    const std::string utf8 = "\xE9\x80\x9A";  // "通" in UTF-8
    EXPECT_EQ(WideFromCodePage(CP_UTF8, utf8), WideFromCodePage(936, utf8));
    EXPECT_NE(WideFromCodePage(CP_UTF8, utf8), u"通");
    EXPECT_EQ(WideFromCodePage(CP_UTF8, "plain"), u"plain");
}

TEST(CodePage, CharactersOutsideCodePage936BecomeTheDefaultCharacter) {
    EXPECT_EQ(WideToAnsi(u"a\u0E01b"), "a?b");  // Thai
}

}  // namespace

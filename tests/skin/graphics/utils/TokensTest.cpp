// Splitting texts field by field and token by token, wide and code page 936 byte strings alike.
#include <skin/Tokens.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Tokens, NextFieldTakesUpToTheFirstDelimiterAndTrimsBothSides) {
    struct Case {
        std::u16string Text, Delimiters, Field, Rest;
    } cases[] = {
        {u"  alpha , beta,gamma", u",", u"alpha", u"beta,gamma"},
        {u"a;b,c", u",;", u"a", u"b,c"},
        {u"no delimiter  ", u",", u"no delimiter", u""},
        {u",leading", u",", u"", u"leading"},
        {u"", u",", u"", u""},
        {u"x,", u",", u"x", u""},
        {u"\tkey\t=\tvalue ", u"=", u"key", u"value"},
        {u"通道1|通道2", u"|", u"通道1", u"通道2"},
    };
    for (Case c : cases) {
        SCOPED_TRACE(::testing::Message() << c.Field.size() << " " << c.Rest.size());
        EXPECT_EQ(NextField(c.Text, c.Delimiters), c.Field);
        EXPECT_EQ(c.Text, c.Rest);
    }
}

TEST(Tokens, NextTokenWalksThroughAllSeparators) {
    std::u16string text = u"Color = (12, 34): name;last";
    std::vector<std::u16string> tokens;
    while (!text.empty()) tokens.push_back(NextToken(text));
    // "Color" then "" for the '=' after the trimmed blank, then the parenthesised values.
    const std::vector<std::u16string> expected = {u"Color", u"", u"", u"12", u"34", u"", u"name", u"last"};
    EXPECT_EQ(tokens, expected);
}

TEST(Tokens, ByteStringsNeverSplitADoubleByteCharacter) {
    // 0xD5 0x7C is one character whose trail byte is '|'; it must not count as a delimiter. 0xB1 0xED is "表".
    std::string text = "\xD5\x7C|\xB1\xED";
    EXPECT_EQ(NextField(text, "|"), "\xD5\x7C");
    EXPECT_EQ(text, "\xB1\xED");
    std::string tokens = "\xB1\xED = 3 ";
    EXPECT_EQ(NextToken(tokens), "\xB1\xED");
    EXPECT_EQ(tokens, "= 3");
    EXPECT_EQ(NextToken(tokens), "");
    EXPECT_EQ(tokens, "3");
    // A lead byte followed by no trail byte (a delimiter, a blank, the end) is a character of its own.
    std::string lone = "Arial\x81,8";
    EXPECT_EQ(NextField(lone, ","), "Arial\x81");
    EXPECT_EQ(lone, "8");
    std::string last = "\xB1";
    EXPECT_EQ(NextField(last, ","), "\xB1");
}

}  // namespace

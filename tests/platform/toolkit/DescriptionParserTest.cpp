// The description parser: value syntaxes, the object tree, and errors that name their line.
#include <toolkit/DescriptionParser.h>

#include <gtest/gtest.h>

namespace {

using Kind = TDescriptionValueKind;

TDescriptionValue ValueOf(const std::string& valueText) {
    TDescriptionObject object = ParseDescription("object A: TA\n  P = " + valueText + "\nend\n");
    EXPECT_EQ(1u, object.Properties.size());
    return object.Properties.empty() ? TDescriptionValue() : object.Properties[0].Value;
}

std::string ErrorOf(const std::string& text) {
    try {
        ParseDescription(text);
    } catch (const EParserError& e) {
        return e.Message();
    }
    return "(no error)";
}

}  // namespace

TEST(DescriptionParser, ScalarValues) {
    struct {
        const char* text;
        Kind kind;
        int64_t integer;
        bool hex;
    } numbers[] = {{"12", Kind::Integer, 12, false},
                   {"-7", Kind::Integer, -7, false},
                   {"+7", Kind::Integer, 7, false},
                   {"$1F", Kind::Integer, 31, true},
                   {"-$10", Kind::Integer, -16, true},
                   {"$FFFFFFFF", Kind::Integer, 0xFFFFFFFFll, true},
                   {"-9223372036854775808", Kind::Integer, INT64_MIN, false}};
    for (auto& c : numbers) {
        TDescriptionValue value = ValueOf(c.text);
        EXPECT_EQ(c.kind, value.Kind) << c.text;
        EXPECT_EQ(c.integer, value.Integer) << c.text;
        EXPECT_EQ(c.hex, value.Hexadecimal) << c.text;
    }
    struct {
        const char* text;
        double value;
    } floats[] = {{"1.5", 1.5}, {"-2.5E3", -2500}, {"1e2", 100}, {"0.125e-1", 0.0125}};
    for (auto& c : floats) {
        TDescriptionValue value = ValueOf(c.text);
        EXPECT_EQ(Kind::Float, value.Kind) << c.text;
        EXPECT_DOUBLE_EQ(c.value, value.Float) << c.text;
    }
    for (const char* name : {"alClient", "True", "Form1.Edit1", "_x9"}) {
        TDescriptionValue value = ValueOf(name);
        EXPECT_EQ(Kind::Identifier, value.Kind) << name;
        EXPECT_EQ(name, value.Text);
    }
}

TEST(DescriptionParser, StringsBecomeCodePage936) {
    struct {
        const char* text;
        std::string value;
    } cases[] = {
        {"'abc'", "abc"},
        {"''", ""},
        {"'it''s'", "it's"},
        {"''''", "'"},
        {"'abc'#13#10'def'", "abc\r\ndef"},
        {"#65#$42'c'", "ABc"},
        {"'ab' +\n    'cd' +\n    #33", "abcd!"},
        {"'a'#0'b'", std::string("a\0b", 3)},
        // Quoted text is UTF-8 in the file (escaped here, or the compiler would make it GBK) and GBK in memory;
        // codes above 255 are UTF-16 units. The expected narrow literals are GBK at run time.
        {"'\xE9\x80\x9A\xE9\x81\x93'", "通道"},
        {"#36890#36947", "通道"},
        {"'\xE9\x80\x9A'#36947'1'", "通道1"},
    };
    for (auto& c : cases) {
        TDescriptionValue value = ValueOf(c.text);
        EXPECT_EQ(Kind::String, value.Kind) << c.text;
        EXPECT_EQ(c.value, value.Text) << c.text;
    }
}

TEST(DescriptionParser, SetsListsCollectionsAndBinary) {
    TDescriptionValue set = ValueOf("[fsBold, fsItalic ,fsUnderline]");
    ASSERT_EQ(Kind::Set, set.Kind);
    EXPECT_EQ((std::vector<std::string>{"fsBold", "fsItalic", "fsUnderline"}), set.Elements);
    EXPECT_TRUE(ValueOf("[ ]").Elements.empty());

    TDescriptionValue list = ValueOf("(\n    'a'\n    'b' 1 -2 alNone\n    ( 3 ))");
    ASSERT_EQ(Kind::List, list.Kind);
    ASSERT_EQ(6u, list.Items.size());
    EXPECT_EQ("a", list.Items[0].Text);
    EXPECT_EQ(3, list.Items[0].Line);
    EXPECT_EQ("b", list.Items[1].Text);
    EXPECT_EQ(-2, list.Items[3].Integer);
    EXPECT_EQ(Kind::Identifier, list.Items[4].Kind);
    EXPECT_EQ(Kind::List, list.Items[5].Kind);
    EXPECT_EQ(3, list.Items[5].Items.at(0).Integer);
    EXPECT_TRUE(ValueOf("()").Items.empty());

    TDescriptionValue collection = ValueOf(
        "<\n    item\n      Caption = 'x'\n      Font.Size = 9\n    end\n"
        "    item\n    end>");
    ASSERT_EQ(Kind::Collection, collection.Kind);
    ASSERT_EQ(2u, collection.Entries.size());
    EXPECT_EQ(3, collection.Entries[0].Line);
    ASSERT_EQ(2u, collection.Entries[0].Properties.size());
    EXPECT_EQ("Font.Size", collection.Entries[0].Properties[1].Path);
    EXPECT_EQ(5, collection.Entries[0].Properties[1].Line);
    EXPECT_TRUE(collection.Entries[1].Properties.empty());
    EXPECT_TRUE(ValueOf("<>").Entries.empty());

    TDescriptionValue binary = ValueOf("{\n    0A0B\n    0cFF 00}");
    ASSERT_EQ(Kind::Binary, binary.Kind);
    EXPECT_EQ(std::string("\x0A\x0B\x0C\xFF\x00", 5), binary.Text);
    EXPECT_TRUE(ValueOf("{}").Text.empty());
}

TEST(DescriptionParser, ObjectTree) {
    TDescriptionObject root = ParseDescription(
        "\xEF\xBB\xBF"
        "OBJECT Form1: TForm1\n"
        "  Caption = 'x'\n"
        "  inherited Panel1: TPanel [2]\n"
        "    object TTimer\n"
        "    End\n"
        "  end\n"
        "  inline Frame1: TFrame1\n"
        "  end\n"
        "  Tag = 3\n"
        "end\n");
    EXPECT_EQ("Form1", root.Name);
    EXPECT_EQ("TForm1", root.ClassName);
    EXPECT_EQ(1, root.Line);
    ASSERT_EQ(2u, root.Properties.size());
    EXPECT_EQ("Tag", root.Properties[1].Path);
    EXPECT_EQ(9, root.Properties[1].Line);
    ASSERT_EQ(2u, root.Children.size());
    const TDescriptionObject& panel = root.Children[0];
    EXPECT_EQ(TDescriptionHeader::Inherited, panel.Header);
    EXPECT_EQ("Panel1", panel.Name);
    EXPECT_EQ(3, panel.Line);
    ASSERT_EQ(1u, panel.Children.size());
    EXPECT_EQ("", panel.Children[0].Name);
    EXPECT_EQ("TTimer", panel.Children[0].ClassName);
    EXPECT_EQ(TDescriptionHeader::Inline, root.Children[1].Header);
    EXPECT_EQ("TFrame1", root.Children[1].ClassName);
}

TEST(DescriptionParser, ErrorsNameTheirLine) {
    struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"", "Line 1: 'object' expected but the description ended"},
        {"Form1: TForm1\nend", "Line 1: 'object' expected"},
        {"object A: TA\n  P = 1\n  object B: TB\n  end\n",
         "Line 5: 'end' expected for object A of line 1, but the description ended"},
        {"object A: TA\n  P = @\nend", "Line 2: Invalid character '@'"},
        {"object A: TA\n  // a comment\nend", "Line 2: Identifier expected but '/' found"},
        {"object A: TA\n  P = 'abc\nend", "Line 2: Unterminated string"},
        {"object A: TA\n  P = 'abc' +\n  Q = 1\nend", "Line 3: String expected after '+'"},
        {"object A: TA\n  P 1\nend", "Line 2: '=' expected but '1' found"},
        {"object A: TA\n  P = 1 2\nend", "Line 2: Identifier expected but '2' found"},
        {"object A: TA\n  P = 12ab\nend", "Line 2: Invalid number"},
        {"object A: TA\n  P = 99999999999999999999\nend", "Line 2: Integer out of range"},
        {"object A: TA\n  P = #70000\nend", "Line 2: Character code out of range"},
        {"object A: TA\n  P = #\nend", "Line 2: Character code expected after '#'"},
        {"object A: TA\n  P = #55357#56832\nend",
         "Line 2: String holds a character that code page 936 cannot represent"},
        {"object A: TA\n  P = '\xFF'\nend", "Line 2: String is not valid UTF-8 text"},
        {"object A: TA\n  P = [a b]\nend", "Line 2: ',' expected but 'b' found"},
        {"object A: TA\n  P = ( 1\n 2\n", "Line 4: ')' expected but the description ended"},
        {"object A: TA\n  P = <\n    Caption = 1\n  >\nend", "Line 3: 'item' expected"},
        {"object A: TA\n  P = <\n    item\n      X = 1\n",
         "Line 5: 'end' expected for the item of line 3, but the description ended"},
        {"object A: TA\n  P = {\n    0A0\n  }\nend", "Line 4: Binary data ends in half a byte"},
        {"object A: TA\n  P = {\n    0G\n  }\nend", "Line 3: Invalid character 'G' in binary data"},
        {"object A: TA\nend\nobject B: TB\nend", "Line 3: Nothing may follow the end of the top object, but 'o' found"},
    };
    for (auto& c : cases) EXPECT_EQ(c.message, ErrorOf(c.text)) << c.text;
}

TEST(DescriptionParser, NestingHasALimitInsteadOfExhaustingTheStack) {
    // Deep enough to overflow the stack without the limit: lists in lists, objects in objects, collections in
    // collections. At the limit a description still reads.
    auto lists = [](int depth) {
        return "object A: TA\n  P = " + std::string(depth, '(') + std::string(depth, ')') + "\nend";
    };
    auto objects = [](int depth) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += "object A: TA\n";
        for (int i = 0; i < depth; ++i) text += "end\n";
        return text;
    };
    auto collections = [](int depth) {
        std::string text = "object A: TA\n  P = ";
        for (int i = 0; i < depth; ++i) text += "< item P = ";
        text += "1";
        for (int i = 0; i < depth; ++i) text += " end >";
        return text + "\nend";
    };
    EXPECT_NO_THROW(ParseDescription(lists(255)));
    EXPECT_NO_THROW(ParseDescription(objects(256)));
    EXPECT_EQ("Line 2: Nesting deeper than 256 levels", ErrorOf(lists(100000)));
    EXPECT_EQ("Line 257: Nesting deeper than 256 levels", ErrorOf(objects(100000)));
    EXPECT_EQ("Line 2: Nesting deeper than 256 levels", ErrorOf(collections(100000)));
}

TEST(DescriptionParser, ErrorsAreToolkitExceptions) { EXPECT_THROW(ParseDescription("object"), Exception); }

// Recursive-descent parser for stored window descriptions, straight over the text with a line counter.
#include <toolkit/DescriptionParser.h>
#include <toolkit/SysUtils.h>

#include <win32/winnls.h>

#include <charconv>

namespace {

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsIdentChar(char c) { return IsIdentStart(c) || (c >= '0' && c <= '9'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Describe(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (byte > ' ' && byte < 0x7F) return std::string("'") + c + "'";
    return "#" + std::to_string(byte);
}

}  // namespace

void TDescriptionParser::Error(int line, const std::string& what) const {
    throw EParserError("Line " + std::to_string(line) + ": " + what);
}

void TDescriptionParser::Error(const std::string& what) const { Error(FLine, what); }

TDescriptionParser::TNesting::TNesting(TDescriptionParser& parser) : FParser(parser) {
    if (++FParser.FDepth > MaxNesting) {
        --FParser.FDepth;
        FParser.Error("Nesting deeper than " + std::to_string(MaxNesting) + " levels");
    }
}

void TDescriptionParser::SkipBlanks() {
    while (FPos < FText.size()) {
        char c = FText[FPos];
        if (c == '\n')
            ++FLine;
        else if (c != ' ' && c != '\t' && c != '\r')
            return;
        ++FPos;
    }
}

char TDescriptionParser::Peek() { return FPos < FText.size() ? FText[FPos] : '\0'; }

bool TDescriptionParser::AtIdentifier() { return FPos < FText.size() && IsIdentStart(FText[FPos]); }

std::string TDescriptionParser::ReadIdentifier(bool dotted) {
    SkipBlanks();
    if (!AtIdentifier()) {
        if (FPos >= FText.size()) Error("Identifier expected but the description ended");
        Error("Identifier expected but " + Describe(FText[FPos]) + " found");
    }
    size_t start = FPos;
    for (;;) {
        while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
        if (!dotted || FPos + 1 >= FText.size() || FText[FPos] != '.' || !IsIdentStart(FText[FPos + 1])) break;
        ++FPos;
    }
    return FText.substr(start, FPos - start);
}

bool TDescriptionParser::TryKeyword(const char* keyword) {
    SkipBlanks();
    size_t end = FPos;
    while (end < FText.size() && IsIdentChar(FText[end])) ++end;
    if (end == FPos || !SameText(FText.substr(FPos, end - FPos), keyword)) return false;
    FPos = end;
    return true;
}

void TDescriptionParser::Expect(char symbol) {
    SkipBlanks();
    if (Peek() == symbol) {
        ++FPos;
        return;
    }
    std::string found = FPos < FText.size() ? Describe(FText[FPos]) + " found" : "the description ended";
    Error(std::string("'") + symbol + "' expected but " + found);
}

TDescriptionObject TDescriptionParser::Parse() {
    FPos = 0;
    FLine = 1;
    if (FText.compare(0, 3, "\xEF\xBB\xBF") == 0) FPos = 3;  // a UTF-8 byte order mark
    TDescriptionObject root = ParseObject();
    SkipBlanks();
    if (FPos < FText.size())
        Error("Nothing may follow the end of the top object, but " + Describe(FText[FPos]) + " found");
    return root;
}

TDescriptionObject TDescriptionParser::ParseObject() {
    TNesting nesting(*this);
    TDescriptionObject object;
    SkipBlanks();
    object.Line = FLine;
    if (TryKeyword("object"))
        object.Header = TDescriptionHeader::Object;
    else if (TryKeyword("inherited"))
        object.Header = TDescriptionHeader::Inherited;
    else if (TryKeyword("inline"))
        object.Header = TDescriptionHeader::Inline;
    else if (FPos >= FText.size())
        Error("'object' expected but the description ended");
    else
        Error("'object' expected");
    object.ClassName = ReadIdentifier(false);
    SkipBlanks();
    if (Peek() == ':') {
        ++FPos;
        object.Name = object.ClassName;
        object.ClassName = ReadIdentifier(false);
        SkipBlanks();
    }
    if (Peek() == '[') {
        // The position of an inherited child among its siblings: creation order already gives it here.
        ++FPos;
        TDescriptionValue index;
        SkipBlanks();
        ParseNumber(index);
        Expect(']');
    }
    for (;;) {
        SkipBlanks();
        if (FPos >= FText.size())
            Error("'end' expected for object " + (object.Name.empty() ? object.ClassName : object.Name) + " of line " +
                  std::to_string(object.Line) + ", but the description ended");
        size_t pos = FPos;
        if (TryKeyword("end")) break;
        if (TryKeyword("object") || TryKeyword("inherited") || TryKeyword("inline")) {
            FPos = pos;
            object.Children.push_back(ParseObject());
        } else {
            object.Properties.push_back(ParseProperty());
        }
    }
    return object;
}

TDescriptionProperty TDescriptionParser::ParseProperty() {
    TDescriptionProperty property;
    SkipBlanks();
    property.Line = FLine;
    property.Path = ReadIdentifier(true);
    Expect('=');
    property.Value = ParseValue();
    return property;
}

TDescriptionValue TDescriptionParser::ParseValue() {
    TDescriptionValue value;
    SkipBlanks();
    value.Line = FLine;
    char c = Peek();
    if (FPos >= FText.size()) Error("Value expected but the description ended");
    if (c == '\'' || c == '#') {
        ParseString(value);
    } else if (IsDigit(c) || c == '-' || c == '+' || c == '$') {
        ParseNumber(value);
    } else if (IsIdentStart(c)) {
        value.Kind = TDescriptionValueKind::Identifier;
        value.Text = ReadIdentifier(true);
    } else if (c == '[') {
        ParseSet(value);
    } else if (c == '(') {
        ParseList(value);
    } else if (c == '<') {
        ParseCollection(value);
    } else if (c == '{') {
        ParseBinary(value);
    } else {
        Error("Invalid character " + Describe(c));
    }
    return value;
}

void TDescriptionParser::ParseString(TDescriptionValue& value) {
    value.Kind = TDescriptionValueKind::String;
    std::u16string wide;
    for (;;) {
        // Quoted parts and character codes written without blanks between them make one run; '+' joins runs.
        for (;;) {
            char c = Peek();
            if (c == '\'') {
                int line = FLine;
                ++FPos;
                std::string part;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == '\n' || FText[FPos] == '\r')
                        Error(line, "Unterminated string");
                    char ch = FText[FPos++];
                    if (ch == '\'') {
                        if (Peek() != '\'') break;
                        ++FPos;
                    }
                    part += ch;
                }
                if (part.empty()) continue;
                int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, part.data(),
                                                 static_cast<int>(part.size()), nullptr, 0);
                if (length <= 0) Error(line, "String is not valid UTF-8 text");
                size_t at = wide.size();
                wide.resize(at + static_cast<size_t>(length));
                MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, part.data(), static_cast<int>(part.size()),
                                    &wide[at], length);
            } else if (c == '#') {
                ++FPos;
                bool hex = Peek() == '$';
                if (hex) ++FPos;
                size_t start = FPos;
                uint32_t code = 0;
                while (FPos < FText.size() && (hex ? HexDigit(FText[FPos]) >= 0 : IsDigit(FText[FPos]))) {
                    code = code * (hex ? 16 : 10) + static_cast<uint32_t>(HexDigit(FText[FPos]));
                    if (code > 0xFFFF) Error("Character code out of range");
                    ++FPos;
                }
                if (FPos == start) Error("Character code expected after '#'");
                wide += static_cast<char16_t>(code);
            } else {
                break;
            }
        }
        size_t pos = FPos;
        int line = FLine;
        SkipBlanks();
        if (Peek() != '+') {
            FPos = pos;
            FLine = line;
            break;
        }
        ++FPos;
        SkipBlanks();
        if (Peek() != '\'' && Peek() != '#') Error("String expected after '+'");
    }
    if (wide.empty()) return;
    BOOL usedDefault = FALSE;
    int length =
        WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) Error(value.Line, "String holds a character that code page 936 cannot represent");
    value.Text.resize(static_cast<size_t>(length));
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), &value.Text[0], length, nullptr, nullptr);
}

void TDescriptionParser::ParseNumber(TDescriptionValue& value) {
    value.Kind = TDescriptionValueKind::Integer;
    size_t start = FPos;
    bool negative = false;
    if (Peek() == '-' || Peek() == '+') negative = FText[FPos++] == '-';
    uint64_t magnitude = 0;
    if (Peek() == '$') {
        ++FPos;
        value.Hexadecimal = true;
        size_t digits = FPos;
        for (; FPos < FText.size() && HexDigit(FText[FPos]) >= 0; ++FPos) {
            if (FPos - digits >= 16) Error("Integer out of range");
            magnitude = magnitude * 16 + static_cast<uint64_t>(HexDigit(FText[FPos]));
        }
        if (FPos == digits) Error("Hexadecimal digits expected after '$'");
        if (FPos < FText.size() && IsIdentChar(FText[FPos])) Error("Invalid number");
        value.Integer = static_cast<int64_t>(negative ? 0 - magnitude : magnitude);
        return;
    }
    size_t digits = FPos;
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    if (FPos == digits) Error("Number expected");
    bool isFloat = false;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
        isFloat = true;
        for (++FPos; FPos < FText.size() && IsDigit(FText[FPos]);) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
        size_t exponent = FPos + 1;
        if (exponent < FText.size() && (FText[exponent] == '+' || FText[exponent] == '-')) ++exponent;
        if (exponent < FText.size() && IsDigit(FText[exponent])) {
            isFloat = true;
            for (FPos = exponent; FPos < FText.size() && IsDigit(FText[FPos]);) ++FPos;
        }
    }
    if (FPos < FText.size() && (IsIdentChar(FText[FPos]) || FText[FPos] == '.')) Error("Invalid number");
    const char* first = FText.data() + start + (FText[start] == '+' ? 1 : 0);
    const char* last = FText.data() + FPos;
    if (isFloat) {
        value.Kind = TDescriptionValueKind::Float;
        auto result = std::from_chars(first, last, value.Float);
        if (result.ec != std::errc()) Error("Floating-point number out of range");
        return;
    }
    auto result = std::from_chars(first, last, value.Integer);
    if (result.ec != std::errc()) Error("Integer out of range");
}

void TDescriptionParser::ParseSet(TDescriptionValue& value) {
    value.Kind = TDescriptionValueKind::Set;
    ++FPos;
    SkipBlanks();
    if (Peek() == ']') {
        ++FPos;
        return;
    }
    for (;;) {
        value.Elements.push_back(ReadIdentifier(false));
        SkipBlanks();
        if (Peek() == ']') {
            ++FPos;
            return;
        }
        Expect(',');
    }
}

void TDescriptionParser::ParseList(TDescriptionValue& value) {
    TNesting nesting(*this);
    value.Kind = TDescriptionValueKind::List;
    ++FPos;
    for (;;) {
        SkipBlanks();
        if (Peek() == ')') {
            ++FPos;
            return;
        }
        if (FPos >= FText.size()) Error("')' expected but the description ended");
        value.Items.push_back(ParseValue());
    }
}

void TDescriptionParser::ParseCollection(TDescriptionValue& value) {
    TNesting nesting(*this);
    value.Kind = TDescriptionValueKind::Collection;
    ++FPos;
    for (;;) {
        SkipBlanks();
        if (Peek() == '>') {
            ++FPos;
            return;
        }
        if (FPos >= FText.size()) Error("'>' expected but the description ended");
        TDescriptionItem item;
        item.Line = FLine;
        if (!TryKeyword("item")) Error("'item' expected");
        for (;;) {
            SkipBlanks();
            if (FPos >= FText.size())
                Error("'end' expected for the item of line " + std::to_string(item.Line) +
                      ", but the description ended");
            if (TryKeyword("end")) break;
            item.Properties.push_back(ParseProperty());
        }
        value.Entries.push_back(std::move(item));
    }
}

void TDescriptionParser::ParseBinary(TDescriptionValue& value) {
    value.Kind = TDescriptionValueKind::Binary;
    ++FPos;
    int pending = -1;
    for (;;) {
        SkipBlanks();
        if (FPos >= FText.size()) Error("'}' expected but the description ended");
        char c = FText[FPos];
        if (c == '}') break;
        int digit = HexDigit(c);
        if (digit < 0) Error("Invalid character " + Describe(c) + " in binary data");
        if (pending < 0) {
            pending = digit;
        } else {
            value.Text += static_cast<char>(pending * 16 + digit);
            pending = -1;
        }
        ++FPos;
    }
    if (pending >= 0) Error("Binary data ends in half a byte");
    ++FPos;
}

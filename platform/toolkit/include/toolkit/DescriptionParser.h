// The text form of a stored window description, parsed into a tree of objects, properties and values.
#pragma once

#include <toolkit/SysUtils.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A malformed description; the message begins "Line <n>: ".
class EParserError : public Exception {
public:
    using Exception::Exception;
};

struct TDescriptionItem;

enum class TDescriptionValueKind { Integer, Float, Identifier, String, Set, List, Collection, Binary };

// One value after "Prop =". Strings are already code page 936 bytes.
struct TDescriptionValue {
    TDescriptionValueKind Kind = TDescriptionValueKind::Integer;
    int Line = 0;
    int64_t Integer = 0;
    bool Hexadecimal = false;  // written with '$': the 32-bit pattern, so $FFFFFFFF may stand for -1
    double Float = 0;
    std::string Text;                       // Identifier, String, and the bytes of Binary
    std::vector<std::string> Elements;      // Set
    std::vector<TDescriptionValue> Items;   // List
    std::vector<TDescriptionItem> Entries;  // Collection
};

struct TDescriptionProperty {
    std::string Path;  // dotted, as written: "Font.Name"
    int Line = 0;
    TDescriptionValue Value;
};

// One "item ... end" of a collection.
struct TDescriptionItem {
    int Line = 0;
    std::vector<TDescriptionProperty> Properties;
};

enum class TDescriptionHeader { Object, Inherited, Inline };

struct TDescriptionObject {
    TDescriptionHeader Header = TDescriptionHeader::Object;
    std::string Name;  // empty for "object TClass"
    std::string ClassName;
    int Line = 0;
    std::vector<TDescriptionProperty> Properties;
    std::vector<TDescriptionObject> Children;
};

// Parses one description: exactly one top object. Keywords and names are matched without regard to case.
// Quoted text is UTF-8 (the encoding of our source tree); it and every #nnn code (a UTF-16 code unit) make up
// one wide string that is converted to code page 936. A character 936 cannot hold is an error, not a '?'.
class TDescriptionParser {
public:
    explicit TDescriptionParser(std::string text) : FText(std::move(text)) {}

    // Raises EParserError.
    TDescriptionObject Parse();

private:
    TDescriptionObject ParseObject();
    TDescriptionProperty ParseProperty();
    TDescriptionValue ParseValue();
    void ParseString(TDescriptionValue& value);
    void ParseNumber(TDescriptionValue& value);
    void ParseSet(TDescriptionValue& value);
    void ParseList(TDescriptionValue& value);
    void ParseCollection(TDescriptionValue& value);
    void ParseBinary(TDescriptionValue& value);

    void SkipBlanks();
    char Peek();
    bool AtIdentifier();
    std::string ReadIdentifier(bool dotted);
    // Reads an identifier and answers whether it is the keyword, without consuming anything otherwise.
    bool TryKeyword(const char* keyword);
    void Expect(char symbol);
    [[noreturn]] void Error(const std::string& what) const;
    [[noreturn]] void Error(int line, const std::string& what) const;

    // Objects, lists and collections nest through recursion: deeper than MaxNesting is refused as an error
    // rather than running out of stack.
    static constexpr int MaxNesting = 256;
    class TNesting {
    public:
        explicit TNesting(TDescriptionParser& parser);
        ~TNesting() { --FParser.FDepth; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;

    private:
        TDescriptionParser& FParser;
    };

    std::string FText;
    size_t FPos = 0;
    int FLine = 1;
    int FDepth = 0;
};

inline TDescriptionObject ParseDescription(const std::string& text) { return TDescriptionParser(text).Parse(); }

// A profile (INI) file held as its lines, so an update rewrites only the lines it changes.
#pragma once

#include <string>
#include <vector>

namespace win32::profile {

// Names compare without regard to ASCII case; the trail byte of a code page 936 character is never folded.
bool SameName(const std::string& a, const std::string& b);

class ProfileDocument {
public:
    static ProfileDocument Parse(const std::string& bytes);

    std::string Serialize() const;

    // The raw value of the first matching key in the first matching section, or null.
    const std::string* Find(const std::string& section, const std::string& key) const;
    // Every section header in file order, and the keys of the first matching section.
    std::vector<std::string> SectionNames() const;
    std::vector<std::string> KeyNames(const std::string& section) const;

    // Each answers whether the document changed.
    bool SetValue(const std::string& section, const std::string& key, const std::string& value);
    bool DeleteKey(const std::string& section, const std::string& key);
    bool DeleteSection(const std::string& section);

private:
    enum class Kind { Section, Key, Other };
    struct Line {
        std::string raw;  // the bytes of the line without its end
        std::string end;  // "\r\n", "\n", "\r", or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;   // section name or key, trimmed
        std::string value;  // key's value, trimmed
    };

    static Line Classify(std::string raw, std::string end);
    // The index of the first matching section header, or npos; and the end of the section starting at a header.
    size_t FindSection(const std::string& section) const;
    size_t SectionEnd(size_t header) const;
    void InsertLine(size_t at, const std::string& raw);

    std::vector<Line> FLines;
};

}  // namespace win32::profile

// Parsing, lookup and line-preserving edits of profile files, with Windows' matching and trimming rules.
#include "profile/ProfileDocument.h"

#include <cstring>

namespace win32::profile {
namespace {

const size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::string Trim(const char* begin, const char* end) {
    while (begin < end && IsBlank(*begin)) ++begin;
    while (end > begin && IsBlank(end[-1])) --end;
    return std::string(begin, end);
}

bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

unsigned char FoldAscii(unsigned char b) { return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 32) : b; }

}  // namespace

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (IsLeadByte(x) && i + 1 < a.size()) {
            // A double-byte character matches only itself: its trail byte may look like an ASCII letter.
            if (x != y || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(x) != FoldAscii(y)) return false;
    }
    return true;
}

ProfileDocument::Line ProfileDocument::Classify(std::string raw, std::string end) {
    Line line;
    // What a reader of C strings would see: a NUL byte ends the line's text.
    const char* text = raw.c_str();
    const char* textEnd = text + std::strlen(text);
    const char* p = text;
    while (p < textEnd && IsBlank(*p)) ++p;
    if (p < textEnd && *p == '[') {
        const char* close = static_cast<const char*>(std::memchr(p + 1, ']', textEnd - p - 1));
        line.kind = Kind::Section;
        line.name = Trim(p + 1, close ? close : textEnd);
    } else if (p < textEnd && *p != ';') {
        const char* equals = static_cast<const char*>(std::memchr(p, '=', textEnd - p));
        if (equals) {
            line.kind = Kind::Key;
            line.name = Trim(p, equals);
            line.value = Trim(equals + 1, textEnd);
        }
    }
    line.raw = std::move(raw);
    line.end = std::move(end);
    return line;
}

ProfileDocument ProfileDocument::Parse(const std::string& bytes) {
    ProfileDocument document;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t stop = bytes.find_first_of("\r\n", start);
        if (stop == npos) {
            document.FLines.push_back(Classify(bytes.substr(start), ""));
            break;
        }
        size_t endLength = bytes[stop] == '\r' && stop + 1 < bytes.size() && bytes[stop + 1] == '\n' ? 2 : 1;
        document.FLines.push_back(Classify(bytes.substr(start, stop - start), bytes.substr(stop, endLength)));
        start = stop + endLength;
    }
    return document;
}

std::string ProfileDocument::Serialize() const {
    std::string bytes;
    for (const Line& line : FLines) {
        bytes += line.raw;
        bytes += line.end;
    }
    return bytes;
}

size_t ProfileDocument::FindSection(const std::string& section) const {
    for (size_t i = 0; i < FLines.size(); ++i)
        if (FLines[i].kind == Kind::Section && SameName(FLines[i].name, section)) return i;
    return npos;
}

size_t ProfileDocument::SectionEnd(size_t header) const {
    size_t i = header + 1;
    while (i < FLines.size() && FLines[i].kind != Kind::Section) ++i;
    return i;
}

const std::string* ProfileDocument::Find(const std::string& section, const std::string& key) const {
    size_t header = FindSection(section);
    if (header == npos) return nullptr;
    for (size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (FLines[i].kind == Kind::Key && SameName(FLines[i].name, key)) return &FLines[i].value;
    return nullptr;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : FLines)
        if (line.kind == Kind::Section) names.push_back(line.name);
    return names;
}

std::vector<std::string> ProfileDocument::KeyNames(const std::string& section) const {
    std::vector<std::string> names;
    size_t header = FindSection(section);
    if (header == npos) return names;
    for (size_t i = header + 1, end = SectionEnd(header); i < end; ++i)
        if (FLines[i].kind == Kind::Key) names.push_back(FLines[i].name);
    return names;
}

void ProfileDocument::InsertLine(size_t at, const std::string& raw) {
    // The line before gets an end of its own when it was the file's unterminated last line.
    if (at > 0 && FLines[at - 1].end.empty()) FLines[at - 1].end = "\r\n";
    FLines.insert(FLines.begin() + at, Classify(raw, "\r\n"));
}

bool ProfileDocument::SetValue(const std::string& section, const std::string& key, const std::string& value) {
    size_t header = FindSection(section);
    if (header == npos) {
        InsertLine(FLines.size(), "[" + section + "]");
        InsertLine(FLines.size(), key + "=" + value);
        return true;
    }
    size_t end = SectionEnd(header);
    size_t lastKey = header;
    for (size_t i = header + 1; i < end; ++i) {
        Line& line = FLines[i];
        if (line.kind != Kind::Key) continue;
        if (!SameName(line.name, key)) {
            lastKey = i;
            continue;
        }
        if (line.value == value) return false;
        line = Classify(line.name + "=" + value, "\r\n");
        return true;
    }
    // New keys go after the section's last key, so blank lines and comments before the next section stay there.
    InsertLine(lastKey + 1, key + "=" + value);
    return true;
}

bool ProfileDocument::DeleteKey(const std::string& section, const std::string& key) {
    size_t header = FindSection(section);
    if (header == npos) return false;
    bool changed = false;
    // Every copy goes, so a later duplicate cannot surface as the key's value.
    for (size_t i = SectionEnd(header); i-- > header + 1;)
        if (FLines[i].kind == Kind::Key && SameName(FLines[i].name, key)) {
            FLines.erase(FLines.begin() + i);
            changed = true;
        }
    return changed;
}

bool ProfileDocument::DeleteSection(const std::string& section) {
    bool changed = false;
    for (size_t header = FindSection(section); header != npos; header = FindSection(section)) {
        FLines.erase(FLines.begin() + header, FLines.begin() + SectionEnd(header));
        changed = true;
    }
    return changed;
}

}  // namespace win32::profile

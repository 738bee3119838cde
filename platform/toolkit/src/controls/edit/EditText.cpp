// Character and word boundaries of code page 936 text for the edit controls.
#include "EditText.h"

#include <win32/windows.h>

#include <algorithm>

namespace edittext {

namespace {

enum CharClass { Blank, Punctuation, Letter, Wide };

CharClass ClassAt(const std::string& text, int pos) {
    auto byte = static_cast<unsigned char>(text[static_cast<size_t>(pos)]);
    if (CharLength(text, pos) == 2) return Wide;
    if (byte == ' ' || byte == '\t') return Blank;
    if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || byte == '_' ||
        byte >= 0x80)
        return Letter;
    return Punctuation;
}

int Size(const std::string& text) { return static_cast<int>(text.size()); }

}  // namespace

int CharLength(const std::string& text, int pos) {
    if (pos < 0 || pos >= Size(text)) return 0;
    auto byte = static_cast<BYTE>(text[static_cast<size_t>(pos)]);
    return IsDBCSLeadByte(byte) && pos + 1 < Size(text) ? 2 : 1;
}

int Snap(const std::string& text, int pos) {
    pos = std::clamp(pos, 0, Size(text));
    // Walking from the start is the only safe way: a trail byte can look like a lead byte.
    int boundary = 0;
    while (boundary < pos) {
        int next = boundary + CharLength(text, boundary);
        if (next > pos) break;
        boundary = next;
    }
    return boundary;
}

int Next(const std::string& text, int pos) {
    pos = Snap(text, pos);
    return pos + CharLength(text, pos);
}

int Previous(const std::string& text, int pos) {
    pos = Snap(text, pos);
    int boundary = 0, previous = 0;
    while (boundary < pos) {
        previous = boundary;
        boundary += CharLength(text, boundary);
    }
    return previous;
}

int NextWord(const std::string& text, int pos) {
    pos = Snap(text, pos);
    int end = Size(text);
    if (pos < end && ClassAt(text, pos) != Blank) {
        CharClass cls = ClassAt(text, pos);
        while (pos < end && ClassAt(text, pos) == cls) pos = Next(text, pos);
    }
    while (pos < end && ClassAt(text, pos) == Blank) pos = Next(text, pos);
    return pos;
}

int PreviousWord(const std::string& text, int pos) {
    pos = Snap(text, pos);
    while (pos > 0 && ClassAt(text, Previous(text, pos)) == Blank) pos = Previous(text, pos);
    if (pos == 0) return 0;
    CharClass cls = ClassAt(text, Previous(text, pos));
    while (pos > 0 && ClassAt(text, Previous(text, pos)) == cls) pos = Previous(text, pos);
    return pos;
}

void WordAt(const std::string& text, int pos, int& start, int& end) {
    pos = Snap(text, pos);
    int size = Size(text);
    // At the end of the text the word before the caret counts.
    if (pos == size && pos > 0) pos = Previous(text, pos);
    start = end = pos;
    if (pos >= size) return;
    CharClass cls = ClassAt(text, pos);
    while (start > 0 && ClassAt(text, Previous(text, start)) == cls) start = Previous(text, start);
    while (end < size && ClassAt(text, end) == cls) end = Next(text, end);
    if (cls != Blank)
        while (end < size && ClassAt(text, end) == Blank) end = Next(text, end);
}

std::string FirstLine(const std::string& text) {
    size_t end = text.find_first_of("\r\n");
    return end == std::string::npos ? text : text.substr(0, end);
}

std::string FitPrefix(const std::string& text, int room) {
    if (room <= 0) return std::string();
    if (Size(text) <= room) return text;
    return text.substr(0, static_cast<size_t>(Snap(text, room)));
}

int CharCount(const std::string& text, int pos) {
    int count = 0;
    for (int i = 0; i < pos && i < Size(text); i += CharLength(text, i)) ++count;
    return count;
}

}  // namespace edittext

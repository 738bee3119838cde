// Field and token splitting for wide and byte strings alike.
#include <skin/Tokens.h>

#include <win32/windows.h>

namespace {

size_t FindDelimiter(const std::u16string& text, const std::u16string& delimiters) {
    return text.find_first_of(delimiters);
}

// The second byte of a code page 936 character: never a control, blank or punctuation below '@'.
bool IsTrailByte(char c) {
    const auto b = static_cast<BYTE>(c);
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}

// A trail byte of code page 936 may equal an ASCII delimiter such as '|' or '\\': step over whole characters.
// A lead byte without a trail byte after it (at the end of a name, before a ',') stands alone.
size_t FindDelimiter(const std::string& text, const std::string& delimiters) {
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() && IsTrailByte(text[i + 1])) {
            ++i;
            continue;
        }
        if (delimiters.find(text[i]) != std::string::npos) return i;
    }
    return std::string::npos;
}

template <typename Text>
Text Trimmed(const Text& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && static_cast<unsigned>(text[first]) <= 0x20u) ++first;
    while (last > first && static_cast<unsigned>(text[last - 1]) <= 0x20u) --last;
    return text.substr(first, last - first);
}

template <typename Text>
Text TakeField(Text& text, const Text& delimiters) {
    size_t end = FindDelimiter(text, delimiters);
    Text field = text.substr(0, end);
    text = end == Text::npos ? Text() : Trimmed(text.substr(end + 1));
    return Trimmed(field);
}

}  // namespace

std::u16string NextField(std::u16string& text, const std::u16string& delimiters) { return TakeField(text, delimiters); }

std::string NextField(std::string& text, const std::string& delimiters) { return TakeField(text, delimiters); }

std::u16string NextToken(std::u16string& text) { return TakeField(text, std::u16string(u" (),:;=")); }

std::string NextToken(std::string& text) { return TakeField(text, std::string(" (),:;=")); }

// Code page 936 text as an edit moves through it: character boundaries (a lead byte takes the next byte with it),
// word steps, the first line of pasted text and the longest prefix that fits a byte limit.
#pragma once

#include <string>

namespace edittext {

// Bytes of the character starting at pos: 2 for a lead byte that has a byte after it, otherwise 1.
int CharLength(const std::string& text, int pos);
// pos moved back to the start of the character it falls in (pos itself when it is a boundary); clamped to the text.
int Snap(const std::string& text, int pos);
int Next(const std::string& text, int pos);
int Previous(const std::string& text, int pos);
// Ctrl+Right: past the rest of the word (or run of punctuation, or run of Chinese characters), then past blanks.
int NextWord(const std::string& text, int pos);
// Ctrl+Left: back over blanks, then to the start of the word before them.
int PreviousWord(const std::string& text, int pos);
// The word around pos with the blanks after it, as a double click selects it: [start, end).
void WordAt(const std::string& text, int pos, int& start, int& end);
// Everything before the first line break.
std::string FirstLine(const std::string& text);
// The longest prefix of text, ending on a character boundary, that has at most room bytes.
std::string FitPrefix(const std::string& text, int room);
// Number of characters (not bytes) in text[0, pos).
int CharCount(const std::string& text, int pos);

}  // namespace edittext

// Splitting a text field by field from the front: the skinning library's small parser for lists of values.
#pragma once

#include <string>

// Takes from the front of text everything before the first character that occurs in delimiters, removes it and
// that delimiter from text, and answers it. Both the answer and the rest of text lose their leading and
// trailing blanks and control characters. Without a delimiter the whole text is the field and text ends empty.
// In byte strings a double-byte character of code page 936 is never split, even where its trail byte equals a
// delimiter.
std::u16string NextField(std::u16string& text, const std::u16string& delimiters);
std::string NextField(std::string& text, const std::string& delimiters);
// NextField with the separators ' ', '(', ')', ',', ':', ';' and '='.
std::u16string NextToken(std::u16string& text);
std::string NextToken(std::string& text);

// Text for the terminal: the program's GBK messages in the encoding of the user's locale, and the user's arguments in
// GBK.
#pragma once

#include <string>

// The GBK text in UTF-8.
std::string AnsiToUtf8(const std::string& ansi);
// The GBK text as the locale's character set holds it: unchanged under a GB locale, UTF-8 otherwise.
std::string ToConsole(const std::string& ansi);
// Text from the terminal (an argument) in GBK: unchanged under a GB locale, read as UTF-8 otherwise. False when
// the text is not valid in the locale's encoding or holds a character GBK has not.
bool FromConsole(const std::string& text, std::string& ansi);
// Text from the terminal (an argument) in UTF-16: read as GBK under a GB locale, as UTF-8 otherwise. False when the
// text is not valid in the locale's encoding.
bool ConsoleToWide(const std::string& text, std::u16string& wide);

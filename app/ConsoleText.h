// Text for the terminal: the program's GBK messages in the encoding of the user's locale.
#pragma once

#include <string>

// The GBK text in UTF-8.
std::string AnsiToUtf8(const std::string& ansi);
// The GBK text as the locale's character set holds it: unchanged under a GB locale, UTF-8 otherwise.
std::string ToConsole(const std::string& ansi);

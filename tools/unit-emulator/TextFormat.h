// Text helpers for the emulator's log and state dump: hex listings of raw bytes and
// GBK-to-UTF-8 conversion that never fails (bytes iconv cannot take become \xNN escapes).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace unit_emulator {

// "DD BB 05 C1": upper-case pairs separated by single spaces; empty for no bytes.
std::string HexBytes(const uint8_t* data, size_t n);
std::string HexBytes(const std::string& bytes);

// Converts code page 936 (GBK) bytes to UTF-8 for one-line output. Control bytes, '"' and '\\'
// are escaped as \xNN, and so is every byte that does not start a valid GBK character.
std::string GbkToUtf8(const std::string& gbk);

}  // namespace unit_emulator

// The pieces the theme tables' stream formats share: little-endian counts, "name : value" entries, and the
// refusal of a damaged stream.
#pragma once

#include <toolkit/Graphics.h>
#include <toolkit/Stream.h>

#include <cstdint>
#include <string>

namespace sktables {

// Raises EReadError "Stream read error": the same answer as a stream that ends early, so callers have one
// exception to catch for any damaged table.
[[noreturn]] void DamagedStream();

std::uint8_t ReadByte(TStream& stream);
void WriteByte(TStream& stream, std::uint8_t value);
std::int32_t ReadInt32(TStream& stream);
void WriteInt32(TStream& stream, std::int32_t value);

// An entry is three strings: its name, ":", its value. Readers do not check the first two.
std::string ReadEntryValue(TStream& stream);
void WriteEntry(TStream& stream, const std::string& name, const std::string& value);

// A colour in the toolkit's string form (a colour name or a number); a text that is neither is damage.
TColor ReadColorText(const std::string& text);

}  // namespace sktables

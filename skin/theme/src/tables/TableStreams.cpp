// Shared stream pieces of the theme tables.
#include "tables/TableStreams.h"

#include <skin/StreamStrings.h>

namespace sktables {

void DamagedStream() { throw EReadError("Stream read error"); }

std::uint8_t ReadByte(TStream& stream) {
    std::uint8_t value = 0;
    stream.ReadBuffer(&value, 1);
    return value;
}

void WriteByte(TStream& stream, std::uint8_t value) { stream.WriteBuffer(&value, 1); }

std::int32_t ReadInt32(TStream& stream) {
    unsigned char bytes[4];
    stream.ReadBuffer(bytes, 4);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
                                     static_cast<std::uint32_t>(bytes[2]) << 16 |
                                     static_cast<std::uint32_t>(bytes[3]) << 24);
}

void WriteInt32(TStream& stream, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    stream.WriteBuffer(bytes, 4);
}

std::string ReadEntryValue(TStream& stream) {
    ReadString(stream);
    ReadString(stream);
    return ReadString(stream);
}

void WriteEntry(TStream& stream, const std::string& name, const std::string& value) {
    WriteString(stream, name);
    WriteString(stream, ":");
    WriteString(stream, value);
}

TColor ReadColorText(const std::string& text) {
    TColor color = 0;
    if (IdentToColor(text, color)) return color;
    int number = 0;
    if (!TryStrToInt(text, number)) DamagedStream();
    return number;
}

}  // namespace sktables

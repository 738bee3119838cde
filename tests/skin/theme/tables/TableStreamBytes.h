// Building theme-table streams by hand, and reading their bytes back, for the table tests.
#pragma once

#include <skin/StreamStrings.h>
#include <toolkit/MemoryStream.h>

#include <cstdint>
#include <string>

namespace tabletest {

inline void PutByte(TStream& stream, std::uint8_t value) { stream.WriteBuffer(&value, 1); }

inline void PutInt32(TStream& stream, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
                                    static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
    stream.WriteBuffer(bytes, 4);
}

inline void PutEntry(TStream& stream, const std::string& name, const std::string& value) {
    WriteString(stream, name);
    WriteString(stream, ":");
    WriteString(stream, value);
}

inline std::string Bytes(TMemoryStream& stream) {
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

// A stream holding the first length bytes of bytes, positioned at its start.
inline void Fill(TMemoryStream& stream, const std::string& bytes, size_t length) {
    stream.Clear();
    if (length) stream.WriteBuffer(bytes.data(), static_cast<int>(length));
    stream.SetPosition(0);
}

}  // namespace tabletest

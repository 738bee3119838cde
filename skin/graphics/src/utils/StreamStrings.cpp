// Length-prefixed strings in streams.
#include <skin/StreamStrings.h>

#include <climits>
#include <cstdint>

std::string ReadString(TStream& stream) {
    unsigned char prefix[4];
    stream.ReadBuffer(prefix, 4);
    const uint32_t raw = static_cast<uint32_t>(prefix[0]) | static_cast<uint32_t>(prefix[1]) << 8 |
                         static_cast<uint32_t>(prefix[2]) << 16 | static_cast<uint32_t>(prefix[3]) << 24;
    const int32_t count = static_cast<int32_t>(raw);
    if (count < 0) throw EReadError("Stream read error");
    if (count == 0) return std::string();
    // A damaged count must not make us allocate gigabytes before the read fails.
    const int64_t position = stream.Position();
    const int64_t size = stream.Size();
    if (position >= 0 && size >= 0 && count > size - position) throw EReadError("Stream read error");
    std::string text(static_cast<size_t>(count), '\0');
    stream.ReadBuffer(text.data(), count);
    return text;
}

void WriteString(TStream& stream, const std::string& text) {
    if (text.size() > static_cast<size_t>(INT32_MAX)) throw EWriteError("Stream write error");
    const uint32_t count = static_cast<uint32_t>(text.size());
    const unsigned char prefix[4] = {static_cast<unsigned char>(count), static_cast<unsigned char>(count >> 8),
                                     static_cast<unsigned char>(count >> 16), static_cast<unsigned char>(count >> 24)};
    stream.WriteBuffer(prefix, 4);
    if (count) stream.WriteBuffer(text.data(), static_cast<int>(count));
}

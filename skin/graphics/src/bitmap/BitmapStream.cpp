// TskBitmap's stream format: name length and bytes, width, height (negative: rows stored bottom first), pixels.
#include <skin/SkinBitmap.h>
#include <toolkit/Stream.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::int32_t ReadInt(TStream& stream) {
    std::uint8_t bytes[4];
    stream.ReadBuffer(bytes, 4);
    return static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                                     (static_cast<std::uint32_t>(bytes[3]) << 24));
}

void WriteInt(TStream& stream, std::int32_t value) {
    auto u = static_cast<std::uint32_t>(value);
    std::uint8_t bytes[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                             static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
    stream.WriteBuffer(bytes, 4);
}

// Refuses a count the rest of the stream cannot hold before anything is allocated for it; streams that cannot
// tell their size are left to ReadBuffer.
void CheckAvailable(TStream& stream, std::int64_t count) {
    std::int64_t position = stream.Position();
    std::int64_t size = stream.Size();
    if (count < 0 || (position >= 0 && size >= 0 && count > size - position)) throw EReadError("Stream read error");
}

}  // namespace

// Everything is read before the bitmap changes, so a damaged stream leaves it as it was.
void TskBitmap::LoadFromStream(TStream& stream) {
    std::int32_t nameLength = ReadInt(stream);
    CheckAvailable(stream, nameLength);
    std::string name(static_cast<size_t>(nameLength), '\0');
    if (nameLength > 0) stream.ReadBuffer(name.data(), nameLength);
    std::int32_t width = ReadInt(stream);
    std::int32_t height = ReadInt(stream);
    // SetSize takes the sides as positive, so the pixels follow only when the stored width is positive too.
    const bool hasPixels = width > 0 && height != 0;
    const std::int64_t columns = width < 0 ? -static_cast<std::int64_t>(width) : width;
    const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
    // The picture SetSize will make must be one the stream could have held, whether or not its pixels are read
    // (they are not after a negative width): sides beyond 31 bits and sizes beyond the rest of the stream are
    // refused before anything is allocated.
    if (columns > INT32_MAX || rows > INT32_MAX) throw EReadError("Stream read error");
    const std::int64_t count = columns * rows;
    if (count > INT32_MAX / 4) throw EReadError("Stream read error");
    const std::int64_t bytes = count * 4;
    CheckAvailable(stream, bytes);
    std::vector<TskColor> pixels;
    if (hasPixels) {
        pixels.resize(static_cast<size_t>(count));
        stream.ReadBuffer(pixels.data(), static_cast<int>(bytes));
    }
    FName = name;
    SetSize(width, static_cast<int>(rows));
    if (!hasPixels || Empty() || FWidth != width || FHeight != rows) return;
    std::memcpy(FBits, pixels.data(), pixels.size() * sizeof(TskColor));
    if (height < 0) FlipVertical();
}

void TskBitmap::SaveToStream(TStream& stream) const {
    WriteInt(stream, static_cast<std::int32_t>(FName.size()));
    if (!FName.empty()) stream.WriteBuffer(FName.data(), static_cast<int>(FName.size()));
    const int width = Empty() ? 0 : FWidth, height = Empty() ? 0 : FHeight;
    WriteInt(stream, width);
    WriteInt(stream, height);
    if (width > 0 && height > 0)
        stream.WriteBuffer(FBits, static_cast<int>(static_cast<std::int64_t>(width) * height * 4));
}

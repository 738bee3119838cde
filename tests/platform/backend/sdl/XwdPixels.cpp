// Reads an X window dump (xwd) and prints the colour at each x,y given, as RRGGBB, one per line, or with --digest
// the FNV-1a digest of a rectangle's R, G, B bytes: the smoke tests see what the X server shows with xwd alone.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The fields of the dump's header, each a big-endian 32-bit number.
enum Field {
    HeaderSize = 0,
    FileVersion = 1,
    PixmapFormat = 2,
    Width = 4,
    Height = 5,
    ByteOrder = 7,
    BitsPerPixel = 11,
    BytesPerLine = 12,
    RedMask = 14,
    GreenMask = 15,
    BlueMask = 16,
    ColourCount = 19,
    FieldCount = 25
};
constexpr uint32_t ZPixmap = 2;

uint32_t BigEndian(const unsigned char* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// An 8-bit channel from a mask such as 0xFF0000 or 0xF800.
unsigned Channel(uint32_t pixel, uint32_t mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    uint32_t max = mask >> shift;
    return static_cast<unsigned>((((pixel & mask) >> shift) * 255 + max / 2) / max);
}

}  // namespace

int main(int argc, char** argv) {
    bool digest = argc == 7 && std::strcmp(argv[2], "--digest") == 0;
    if (!digest && (argc < 4 || (argc - 2) % 2 != 0)) {
        std::fprintf(stderr, "usage: xwd-pixels FILE X Y [X Y ...] | xwd-pixels FILE --digest LEFT TOP WIDTH HEIGHT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < FieldCount * 4) {
        std::fprintf(stderr, "xwd-pixels: %s is not a window dump\n", argv[1]);
        return 1;
    }
    uint32_t header[FieldCount];
    for (int i = 0; i < FieldCount; ++i) header[i] = BigEndian(&data[i * 4]);
    uint32_t bytesPerPixel = header[BitsPerPixel] / 8;
    if (header[FileVersion] != 7 || header[PixmapFormat] != ZPixmap || (bytesPerPixel != 3 && bytesPerPixel != 4)) {
        std::fprintf(stderr, "xwd-pixels: only true-colour dumps of 24 or 32 bits per pixel are read\n");
        return 1;
    }
    size_t pixelsAt = size_t{header[HeaderSize]} + size_t{header[ColourCount]} * 12;
    if (data.size() < pixelsAt + size_t{header[BytesPerLine]} * header[Height]) {
        std::fprintf(stderr, "xwd-pixels: %s is cut short\n", argv[1]);
        return 1;
    }
    auto inside = [&](long x, long y) {
        return x >= 0 && y >= 0 && x < static_cast<long>(header[Width]) && y < static_cast<long>(header[Height]);
    };
    auto rgb = [&](long x, long y) {
        const unsigned char* p = &data[pixelsAt + size_t(y) * header[BytesPerLine] + size_t(x) * bytesPerPixel];
        uint32_t pixel = 0;
        for (uint32_t b = 0; b < bytesPerPixel; ++b) {
            uint32_t byte = header[ByteOrder] == 0 ? p[b] : p[bytesPerPixel - 1 - b];  // 0: least significant first
            pixel |= byte << (8 * b);
        }
        return std::array<unsigned, 3>{Channel(pixel, header[RedMask]), Channel(pixel, header[GreenMask]),
                                       Channel(pixel, header[BlueMask])};
    };
    if (digest) {
        long left = std::strtol(argv[3], nullptr, 10), top = std::strtol(argv[4], nullptr, 10);
        long width = std::strtol(argv[5], nullptr, 10), height = std::strtol(argv[6], nullptr, 10);
        if (width <= 0 || height <= 0 || !inside(left, top) || !inside(left + width - 1, top + height - 1)) {
            std::printf("outside\n");
            return 0;
        }
        uint32_t hash = 2166136261u;
        for (long y = top; y < top + height; ++y)
            for (long x = left; x < left + width; ++x)
                for (unsigned channel : rgb(x, y)) hash = (hash ^ channel) * 16777619u;
        std::printf("%08X\n", static_cast<unsigned>(hash));
        return 0;
    }
    for (int i = 2; i + 1 < argc; i += 2) {
        long x = std::strtol(argv[i], nullptr, 10), y = std::strtol(argv[i + 1], nullptr, 10);
        if (!inside(x, y)) {
            std::printf("outside\n");
            continue;
        }
        std::array<unsigned, 3> colour = rgb(x, y);
        std::printf("%02X%02X%02X\n", colour[0], colour[1], colour[2]);
    }
    return 0;
}

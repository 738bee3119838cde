// The packed DIB reader behind LoadBitmapA: every depth a resource compiler stores, converted to 32-bit pixels.
#include "loader/PackedDib.h"

#include <cstring>

namespace win32::loader {
namespace {

struct Layout {
    BITMAPINFOHEADER Header{};
    size_t PaletteOffset = 0;
    size_t PaletteCount = 0;
    size_t BitsOffset = 0;
    size_t Stride = 0;
    DWORD Masks[3] = {0, 0, 0};
};

DWORD Read32(const BYTE* at) {
    DWORD value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

bool Measure(const BYTE* bytes, size_t size, Layout& layout) {
    if (!bytes || size < sizeof(BITMAPINFOHEADER)) return false;
    BITMAPINFOHEADER& h = layout.Header;
    std::memcpy(&h, bytes, sizeof h);
    if (h.biSize < sizeof h || h.biSize > size || h.biWidth <= 0 || h.biHeight == 0 || h.biPlanes != 1) {
        return false;
    }
    int bits = h.biBitCount;
    bool fields = h.biCompression == BI_BITFIELDS;
    if (!(h.biCompression == BI_RGB || (fields && (bits == 16 || bits == 32)))) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    size_t offset = h.biSize;
    if (fields) {
        // A plain BITMAPINFOHEADER is followed by the three masks; the later headers hold them inside.
        const BYTE* masks = bytes + 40;
        if (h.biSize == sizeof h) {
            if (size < offset + 12) return false;
            offset += 12;
        }
        for (int i = 0; i < 3; ++i) layout.Masks[i] = Read32(masks + 4 * i);
    } else if (bits == 16) {
        layout.Masks[0] = 0x7C00;
        layout.Masks[1] = 0x03E0;
        layout.Masks[2] = 0x001F;
    }
    if (bits <= 8) {
        size_t most = size_t{1} << bits;
        layout.PaletteCount = h.biClrUsed ? h.biClrUsed : most;
        if (layout.PaletteCount > most) return false;
    }
    layout.PaletteOffset = offset;
    layout.BitsOffset = offset + layout.PaletteCount * sizeof(RGBQUAD);
    layout.Stride = ((static_cast<size_t>(h.biWidth) * bits + 31) / 32) * 4;
    size_t rows = static_cast<size_t>(h.biHeight < 0 ? -static_cast<int64_t>(h.biHeight) : h.biHeight);
    return layout.BitsOffset <= size && (size - layout.BitsOffset) / layout.Stride >= rows;
}

// A masked channel scaled to 8 bits.
uint32_t Channel(DWORD value, DWORD mask) {
    if (!mask) return 0;
    int shift = 0;
    while (!((mask >> shift) & 1)) ++shift;
    DWORD top = mask >> shift;
    return static_cast<uint32_t>(((value & mask) >> shift) * 255 / top);
}

}  // namespace

bool IsPackedDib(const BYTE* bytes, size_t size) {
    Layout layout;
    return Measure(bytes, size, layout);
}

bool DecodePackedDib(const BYTE* bytes, size_t size, DecodedDib& out) {
    Layout layout;
    if (!Measure(bytes, size, layout)) return false;
    const BITMAPINFOHEADER& h = layout.Header;
    int bits = h.biBitCount;
    bool topDown = h.biHeight < 0;
    out.Width = h.biWidth;
    out.Height = topDown ? -h.biHeight : h.biHeight;
    out.Pixels.assign(static_cast<size_t>(out.Width) * out.Height, 0);
    auto paletteColour = [&](size_t index) -> uint32_t {
        if (index >= layout.PaletteCount) return 0;
        const BYTE* quad = bytes + layout.PaletteOffset + index * sizeof(RGBQUAD);
        return (uint32_t{quad[2]} << 16) | (uint32_t{quad[1]} << 8) | quad[0];
    };
    for (int y = 0; y < out.Height; ++y) {
        const BYTE* row =
            bytes + layout.BitsOffset + static_cast<size_t>(topDown ? y : out.Height - 1 - y) * layout.Stride;
        uint32_t* to = out.Pixels.data() + static_cast<size_t>(y) * out.Width;
        for (int x = 0; x < out.Width; ++x) {
            switch (bits) {
            case 1: to[x] = paletteColour((row[x >> 3] >> (7 - (x & 7))) & 1); break;
            case 4: to[x] = paletteColour((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF); break;
            case 8: to[x] = paletteColour(row[x]); break;
            case 24: to[x] = (uint32_t{row[3 * x + 2]} << 16) | (uint32_t{row[3 * x + 1]} << 8) | row[3 * x]; break;
            case 16:
            case 32: {
                DWORD value = bits == 16 ? DWORD{row[2 * x]} | (DWORD{row[2 * x + 1]} << 8) : Read32(row + 4 * x);
                if (bits == 32 && h.biCompression == BI_RGB) {
                    to[x] = value & 0x00FFFFFFu;
                } else {
                    to[x] = (Channel(value, layout.Masks[0]) << 16) | (Channel(value, layout.Masks[1]) << 8) |
                            Channel(value, layout.Masks[2]);
                }
                break;
            }
            }
        }
    }
    return true;
}

}  // namespace win32::loader

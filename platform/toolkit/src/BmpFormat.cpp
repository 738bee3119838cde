// BMP reading and writing: headers, colour tables, bit-field masks and row order.
#include "BmpFormat.h"

#include <toolkit/Graphics.h>

#include <cstring>

namespace bmpformat {
namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
// Pictures beyond this many pixels are refused rather than allocated.
constexpr std::int64_t kMaxPixels = std::int64_t(1) << 28;

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

// A channel described by a bit mask, scaled to 0..255.
struct Channel {
    DWORD Mask = 0;
    int Shift = 0;
    DWORD Max = 0;

    explicit Channel(DWORD mask = 0) : Mask(mask) {
        if (!mask) return;
        while (!((mask >> Shift) & 1)) ++Shift;
        Max = mask >> Shift;
    }
    BYTE Get(DWORD value) const {
        if (!Max) return 0;
        DWORD v = (value & Mask) >> Shift;
        return static_cast<BYTE>((v * 255 + Max / 2) / Max);
    }
};

// Bytes read so far, for bfOffBits and bfSize.
class Counter {
public:
    explicit Counter(TStream& stream) : FStream(stream) {}
    void Read(void* buffer, int count) {
        FStream.ReadBuffer(buffer, count);
        FCount += count;
    }
    // Reads and drops up to count bytes; a file that ends early is not an error here.
    void Skip(std::int64_t count) {
        char scrap[512];
        while (count > 0) {
            int chunk = static_cast<int>(count < 512 ? count : 512);
            int done = FStream.Read(scrap, chunk);
            FCount += done;
            if (done != chunk) return;
            count -= chunk;
        }
    }
    void Counted(int count) { FCount += count; }
    std::int64_t Count() const { return FCount; }

private:
    TStream& FStream;
    std::int64_t FCount = 0;
};

struct Header {
    int Width = 0;
    int Height = 0;  // negative: top-down
    int BitCount = 0;
    DWORD Compression = BI_RGB;
    DWORD ColorsUsed = 0;
    DWORD Masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool HasMasks = false;
    bool CoreHeader = false;
};

Header ReadHeader(Counter& in) {
    Header h;
    DWORD size = 0;
    in.Read(&size, 4);
    if (size == 12) {
        WORD core[4];
        in.Read(core, 8);
        h.Width = core[0];
        h.Height = core[1];
        if (core[2] != 1) Invalid();
        h.BitCount = core[3];
        h.CoreHeader = true;
        return h;
    }
    if (size < sizeof(BITMAPINFOHEADER) || size > 1024) Invalid();
    BITMAPINFOHEADER info{};
    info.biSize = size;
    in.Read(reinterpret_cast<char*>(&info) + 4, sizeof info - 4);
    std::vector<char> extra(size - sizeof info);
    if (!extra.empty()) in.Read(extra.data(), static_cast<int>(extra.size()));
    if (info.biPlanes != 1) Invalid();
    h.Width = info.biWidth;
    h.Height = info.biHeight;
    h.BitCount = info.biBitCount;
    h.Compression = info.biCompression;
    h.ColorsUsed = info.biClrUsed;
    if (h.Compression == BI_BITFIELDS) {
        // The masks follow a plain BITMAPINFOHEADER; the larger headers hold them.
        if (extra.size() >= 12) {
            std::memcpy(h.Masks, extra.data(), extra.size() >= 16 ? 16 : 12);
        } else {
            in.Read(h.Masks, 12);
        }
        h.HasMasks = true;
    }
    return h;
}

void Validate(const Header& h) {
    if (h.Width <= 0 || h.Height == 0 || h.Height == INT32_MIN) Invalid();
    std::int64_t height = h.Height < 0 ? -static_cast<std::int64_t>(h.Height) : h.Height;
    if (static_cast<std::int64_t>(h.Width) * height > kMaxPixels) Invalid();
    switch (h.BitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        if (h.Compression != BI_RGB) Invalid();
        break;
    case 16:
    case 32:
        if (h.Compression != BI_RGB && h.Compression != BI_BITFIELDS) Invalid();
        break;
    default: Invalid();
    }
    if (h.BitCount <= 8 && h.ColorsUsed > (1u << h.BitCount)) Invalid();
}

// Row y from the top of the picture in the file's pixel data.
const std::uint8_t* SourceRow(const std::vector<std::uint8_t>& data, const Header& h, int y, std::int64_t stride) {
    int height = h.Height < 0 ? -h.Height : h.Height;
    int memoryRow = h.Height < 0 ? y : height - 1 - y;
    return data.data() + static_cast<size_t>(memoryRow) * static_cast<size_t>(stride);
}

DibImage ReadImage(TStream& stream) {
    Counter in(stream);
    BITMAPFILEHEADER file{};
    // Nothing at all is an empty picture, as an empty bitmap writes nothing.
    int got = stream.Read(&file, sizeof file);
    if (got == 0) return DibImage{0, 0, 32, {{0, 0, 0, 0}, {255, 255, 255, 0}}, {}};
    if (got != static_cast<int>(sizeof file)) Invalid();
    in.Counted(got);
    if (file.bfType != kBmpSignature) Invalid();
    Header h = ReadHeader(in);
    Validate(h);

    std::vector<RGBQUAD> palette;
    if (h.BitCount <= 8) {
        DWORD count = h.ColorsUsed ? h.ColorsUsed : (1u << h.BitCount);
        palette.resize(count);
        for (RGBQUAD& entry : palette) {
            in.Read(&entry, h.CoreHeader ? 3 : 4);
            entry.rgbReserved = 0;
        }
    }
    if (file.bfOffBits > in.Count()) in.Skip(file.bfOffBits - in.Count());

    int height = h.Height < 0 ? -h.Height : h.Height;
    const std::int64_t sourceStride = Stride(h.Width, h.BitCount);
    const std::int64_t sourceBytes = sourceStride * height;
    // The pixels must be there before anything is allocated for them.
    if (sourceBytes > INT32_MAX || sourceBytes > stream.Size() - stream.Position()) Invalid();
    std::vector<std::uint8_t> data(static_cast<size_t>(sourceBytes));
    in.Read(data.data(), static_cast<int>(sourceBytes));
    if (file.bfSize > in.Count()) in.Skip(file.bfSize - in.Count());

    DibImage image;
    image.Width = h.Width;
    image.Height = height;
    image.BitCount = h.BitCount == 1 ? 1 : 32;
    const std::int64_t stride = Stride(h.Width, image.BitCount);
    image.Bits.assign(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
    if (h.BitCount == 1) {
        for (int i = 0; i < 2; ++i)
            image.Palette[i] = i < static_cast<int>(palette.size()) ? palette[i] : RGBQUAD{0, 0, 0, 0};
    }

    DWORD masks[4] = {0, 0, 0, 0};
    if (h.HasMasks) {
        std::memcpy(masks, h.Masks, sizeof masks);
    } else if (h.BitCount == 16) {
        masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    }
    Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);

    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = SourceRow(data, h, y, sourceStride);
        std::uint8_t* dst = image.Bits.data() + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride);
        if (h.BitCount == 1) {
            std::memcpy(dst, src, static_cast<size_t>(stride));
            continue;
        }
        for (int x = 0; x < h.Width; ++x) {
            std::uint8_t* out = dst + static_cast<size_t>(x) * 4;
            switch (h.BitCount) {
            case 4:
            case 8: {
                unsigned index = h.BitCount == 8 ? src[x] : (x & 1 ? src[x / 2] & 0x0F : src[x / 2] >> 4);
                RGBQUAD c = index < palette.size() ? palette[index] : RGBQUAD{0, 0, 0, 0};
                out[0] = c.rgbBlue, out[1] = c.rgbGreen, out[2] = c.rgbRed, out[3] = 0;
                break;
            }
            case 16: {
                DWORD v = static_cast<DWORD>(src[x * 2] | (src[x * 2 + 1] << 8));
                out[0] = blue.Get(v), out[1] = green.Get(v), out[2] = red.Get(v), out[3] = alpha.Get(v);
                break;
            }
            case 24: out[0] = src[x * 3], out[1] = src[x * 3 + 1], out[2] = src[x * 3 + 2], out[3] = 0; break;
            case 32:
                if (h.HasMasks) {
                    DWORD v;
                    std::memcpy(&v, src + x * 4, 4);
                    out[0] = blue.Get(v), out[1] = green.Get(v), out[2] = red.Get(v), out[3] = alpha.Get(v);
                } else {
                    std::memcpy(out, src + x * 4, 4);
                }
                break;
            }
        }
    }
    return image;
}

}  // namespace

DibImage Read(TStream& stream) {
    try {
        return ReadImage(stream);
    } catch (const EReadError&) {
        // The file ended before its header, colour table or pixels did.
        Invalid();
    }
}

void Write(TStream& stream, const DibImage& image) {
    const std::int64_t stride = Stride(image.Width, image.BitCount);
    DWORD paletteBytes = image.BitCount == 1 ? 2 * sizeof(RGBQUAD) : 0;
    DWORD imageBytes = static_cast<DWORD>(stride) * static_cast<DWORD>(image.Height);
    BITMAPFILEHEADER file{};
    file.bfType = kBmpSignature;
    file.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) + paletteBytes;
    file.bfSize = file.bfOffBits + imageBytes;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = image.Width;
    info.biHeight = image.Height;
    info.biPlanes = 1;
    info.biBitCount = static_cast<WORD>(image.BitCount);
    info.biCompression = BI_RGB;
    info.biSizeImage = imageBytes;
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(&info, sizeof info);
    if (paletteBytes) stream.WriteBuffer(image.Palette, static_cast<int>(paletteBytes));
    stream.WriteBuffer(image.Bits.data(), static_cast<int>(imageBytes));
}

}  // namespace bmpformat

// TskBitmap::LoadFromResource: a bitmap resource of a module opened as a data file, 32-bit ones with their alpha
// through the toolkit's BMP reader, others as device-dependent bitmaps.
#include <skin/SkinBitmap.h>
#include <toolkit/Bitmap.h>
#include <toolkit/MemoryStream.h>

#include <cstring>
#include <memory>

namespace {

struct TModuleRelease {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

// The resource is a packed DIB; with a file header in front it is a BMP file the toolkit reads, alpha included.
void ReadPackedDib(TBitmap& bitmap, const std::uint8_t* dib, DWORD size) {
    DWORD headerSize = 0;
    std::memcpy(&headerSize, dib, 4);
    DWORD offset = headerSize;
    if (headerSize >= sizeof(BITMAPINFOHEADER) && size >= sizeof(BITMAPINFOHEADER)) {
        BITMAPINFOHEADER header;
        std::memcpy(&header, dib, sizeof header);
        DWORD colours = header.biClrUsed;
        if (!colours && header.biBitCount <= 8) colours = 1u << header.biBitCount;
        offset += colours * 4;
        if (header.biCompression == BI_BITFIELDS && headerSize == sizeof(BITMAPINFOHEADER)) offset += 12;
    } else if (headerSize == 12 && size >= 12) {
        WORD bitCount = 0;
        std::memcpy(&bitCount, dib + 10, 2);
        offset += bitCount <= 8 ? (1u << bitCount) * 3 : 0;
    }
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = static_cast<DWORD>(sizeof file + size);
    file.bfOffBits = static_cast<DWORD>(sizeof file + offset);
    TMemoryStream stream;
    stream.WriteBuffer(&file, sizeof file);
    stream.WriteBuffer(dib, static_cast<int>(size));
    stream.SetPosition(0);
    bitmap.LoadFromStream(stream);
}

}  // namespace

void TskBitmap::LoadFromResource(const std::string& moduleFileName, const std::string& resourceName) {
    // As a data file: nothing of the module runs, and it is freed on every path.
    std::unique_ptr<std::remove_pointer_t<HMODULE>, TModuleRelease> module(
        LoadLibraryExA(moduleFileName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module) return;
    HRSRC info = FindResourceA(module.get(), resourceName.c_str(), RT_BITMAP);
    if (!info) return;
    HGLOBAL data = LoadResource(module.get(), info);
    const auto* dib = data ? static_cast<const std::uint8_t*>(LockResource(data)) : nullptr;
    DWORD size = SizeofResource(module.get(), info);
    if (!dib || size < 12) return;

    DWORD headerSize = 0;
    std::memcpy(&headerSize, dib, 4);
    WORD bitCount = 0;
    std::memcpy(&bitCount, dib + (headerSize == 12 ? 10 : 14), 2);
    TBitmap loaded;
    if (bitCount == 32) {
        ReadPackedDib(loaded, dib, size);
    } else if (HBITMAP handle = LoadBitmapA(module.get(), resourceName.c_str())) {
        loaded.SetHandle(handle);
        // LoadBitmapA gives a device-dependent bitmap, whose pixels carry no alpha to keep.
        loaded.SetHandleType(bmDDB);
    } else {
        ReadPackedDib(loaded, dib, size);
        // The toolkit widens every picture to 32 bits; without a 32-bit source there is no alpha to keep.
        loaded.SetHandleType(bmDDB);
    }
    Assign(&loaded);
}

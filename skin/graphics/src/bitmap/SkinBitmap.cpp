// TskBitmap's lifetime (the DIB section, its memory DC and the DC registry), pixel access, flags, flipping,
// regions and links.
#include <skin/BitmapGdi.h>
#include <skin/BitmapLink.h>
#include <skin/PixelOps.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

TskBitmapGdi BitmapGdi{::CreateDIBSection, ::CreateCompatibleDC, ::SelectObject};

namespace {

// Every bitmap that owns a DC, so that a draw onto that DC can go to the pixels directly. Made on first use and
// freed by FinalizeBitmapUnit; bitmaps that outlive it simply find no registry to leave.
std::unordered_map<HDC, TskBitmap*>* registry = nullptr;

void Register(HDC dc, TskBitmap* bitmap) {
    if (!registry) registry = new std::unordered_map<HDC, TskBitmap*>();
    (*registry)[dc] = bitmap;
}

void Unregister(HDC dc) {
    if (registry) registry->erase(dc);
}

void FillHeader(BITMAPINFO& info, int width, int height) {
    info = BITMAPINFO{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
}

}  // namespace

TskBitmap* GetBitmapByDC(HDC dc) {
    if (!registry || !dc) return nullptr;
    auto found = registry->find(dc);
    return found == registry->end() ? nullptr : found->second;
}

void FinalizeBitmapUnit() {
    delete registry;
    registry = nullptr;
}

TskBitmap::TskBitmap() { FillHeader(FBitmapInfo, 0, 0); }

TskBitmap::~TskBitmap() {
    if (FCanvas) FCanvas->SetHandle(nullptr);
    FCanvas.reset();
    Release();
}

void TskBitmap::Release() {
    if (FCanvas) FCanvas->SetHandle(nullptr);
    if (FDC) {
        Unregister(FDC);
        DeleteDC(FDC);
        FDC = nullptr;
    }
    if (FHandle) {
        DeleteObject(FHandle);
        FHandle = nullptr;
    }
    FBits = nullptr;
}

TCanvas& TskBitmap::Canvas() {
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        if (FDC) FCanvas->SetHandle(FDC);
    }
    return *FCanvas;
}

void TskBitmap::SetSize(int width, int height) {
    width = std::abs(width);
    height = std::abs(height);
    if (width == 0 || height == 0 || (width == FWidth && height == FHeight && !Empty())) return;
    Release();

    FillHeader(FBitmapInfo, width, height);
    void* bits = nullptr;
    try {
        FHandle = BitmapGdi.CreateDIBSection(nullptr, &FBitmapInfo, DIB_RGB_COLORS, &bits, nullptr, 0);
    } catch (const std::bad_alloc&) {
        // A pixel store the process cannot hold is the same failure as a refused one.
        FHandle = nullptr;
    }
    if (!FHandle || !bits) {
        if (FHandle) DeleteObject(FHandle);
        FHandle = nullptr;
        throw Exception("Can't allocate the DIB handle");
    }
    FBits = static_cast<TskColor*>(bits);
    FDC = BitmapGdi.CreateCompatibleDC(nullptr);
    if (!FDC) {
        Release();
        throw Exception("Can't create compatible DC");
    }
    if (!BitmapGdi.SelectObject(FDC, FHandle)) {
        Release();
        throw Exception("Can't select an object into DC");
    }
    Register(FDC, this);
    if (FCanvas) FCanvas->SetHandle(FDC);
    FWidth = width;
    FHeight = height;
}

void TskBitmap::Clear(TskColor pixel) {
    if (!Empty()) FillLine(FBits, FWidth * FHeight, pixel);
}

void TskBitmap::SetAlpha(std::uint8_t alpha) {
    if (!Empty()) SetAlphaLine(FBits, FWidth * FHeight, alpha);
}

void TskBitmap::SetAlphaRect(std::uint8_t alpha, const RECT& rect) {
    if (Empty()) return;
    RECT clip{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, FWidth),
              std::min<LONG>(rect.bottom, FHeight)};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;
    SetAlphaPixelRect(FBits, FWidth, alpha, {clip.left, clip.top, clip.right - 1, clip.bottom - 1});
}

void TskBitmap::CheckingAlphaBlend() {
    if (Empty()) return;
    FAlphaBlend = std::any_of(FBits, FBits + FWidth * FHeight, [](TskColor pixel) {
        std::uint32_t alpha = pixel >> 24;
        return alpha != 0 && alpha != 255;
    });
}

void TskBitmap::CheckingTransparent(TskColor pixel) {
    if (Empty()) return;
    FTransparent = false;
    auto near = [](TskColor a, TskColor b, int shift) {
        return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) < 6;
    };
    for (TskColor* p = FBits; p != FBits + FWidth * FHeight; ++p) {
        if (near(*p, pixel, 16) && near(*p, pixel, 8) && near(*p, pixel, 0)) {
            *p = TransparentKey;
            FTransparent = true;
        }
    }
}

TskColor TskBitmap::GetPixel(int x, int y) const {
    if (!FBits || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
    return *PixelPtr(x, y);
}

void TskBitmap::SetPixel(int x, int y, TskColor pixel) {
    if (FBits && x >= 0 && y >= 0 && x < FWidth && y < FHeight) *PixelPtr(x, y) = pixel;
}

void TskBitmap::FlipVertical() {
    if (Empty()) return;
    std::vector<TskColor> row(static_cast<size_t>(FWidth));
    for (int i = 0; i < FHeight / 2; ++i) {
        TskColor* upper = ScanLine(i);
        TskColor* lower = ScanLine(FHeight - 1 - i);
        std::copy(upper, upper + FWidth, row.data());
        std::copy(lower, lower + FWidth, upper);
        std::copy(row.begin(), row.end(), lower);
    }
}

HRGN TskBitmap::CreateRegion(int x, int y) const {
    if (Empty()) return nullptr;
    // Every run is kept, however many there are: a fixed buffer would silently cut the region short.
    std::vector<RECT> runs;
    for (int row = 0; row < FHeight; ++row) {
        const TskColor* line = ScanLine(row);
        int column = 0;
        while (column < FWidth) {
            while (column < FWidth && IsKeyPixel(line[column])) ++column;
            if (column == FWidth) break;
            int start = column;
            while (column < FWidth && !IsKeyPixel(line[column])) ++column;
            runs.push_back({x + start, y + row, x + column, y + row + 1});
        }
    }
    size_t size = sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT);
    std::vector<char> block(size);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = static_cast<DWORD>(runs.size());
    header.nRgnSize = 0;
    header.rcBound = {0, 0, FWidth, FHeight};
    std::memcpy(block.data(), &header, sizeof header);
    if (!runs.empty()) std::memcpy(block.data() + sizeof header, runs.data(), runs.size() * sizeof(RECT));
    return ExtCreateRegion(nullptr, static_cast<DWORD>(size), reinterpret_cast<const RGNDATA*>(block.data()));
}

std::unique_ptr<TskBitmapLink> TskBitmap::CreateLink(const RECT& rect) {
    auto link = std::make_unique<TskBitmapLink>();
    link->SetBitmap(this);
    link->SetName(FName);
    link->SetRect(rect);
    return link;
}

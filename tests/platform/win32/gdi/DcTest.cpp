// Device contexts, bitmaps and pixels: the facts a Windows developer relies on.
#include <win32/windows.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

HBITMAP TopDownDib(int width, int height, uint32_t** bits, int bitCount = 32) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = -height;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bitCount);
    info.header.biCompression = BI_RGB;
    info.colors[1] = {255, 255, 255, 0};
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                            reinterpret_cast<void**>(bits), nullptr, 0);
}

TEST(DeviceContext, NewMemoryDcHoldsTheStockObjectsAndAMonochromePixel) {
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));

    BITMAP bm{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);

    // Hence the classic mistake: a bitmap compatible with a fresh memory DC is monochrome.
    HBITMAP mono = CreateCompatibleBitmap(dc, 8, 8);
    ASSERT_EQ(GetObjectA(mono, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2) << "device-dependent rows are padded to 16 bits";
    DeleteObject(mono);

    EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(DeviceContext, DibSectionDescribesItselfAndSharesItsBits) {
    uint32_t* bits = nullptr;
    HBITMAP dib = TopDownDib(5, 3, &bits);
    ASSERT_NE(dib, nullptr);
    ASSERT_NE(bits, nullptr);

    EXPECT_EQ(GetObjectA(dib, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectA(dib, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 5);
    EXPECT_EQ(ds.dsBm.bmHeight, 3);
    EXPECT_EQ(ds.dsBm.bmWidthBytes, 20);
    EXPECT_EQ(ds.dsBm.bmBits, bits);
    EXPECT_EQ(ds.dsBmih.biHeight, -3);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    EXPECT_EQ(GetObjectType(old), static_cast<DWORD>(OBJ_BITMAP));
    // Pixels written through GDI carry alpha 0; the bits pointer sees them at once.
    bits[0] = 0xFF123456;
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(SetPixel(dc, 4, 2, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(bits[2 * 5 + 4], 0x00010203u);
    EXPECT_EQ(GetPixel(dc, 5, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, -1, 0, 0), CLR_INVALID);
    EXPECT_FALSE(SetPixelV(dc, 0, 3, 0));

    // A bitmap lives in one DC at a time.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, dib), nullptr);
    DeleteDC(other);

    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(dib));
}

TEST(DeviceContext, BitmapsTooLargeToHoldAreRefusedNotWrapped) {
    // 2^29 columns of 4 bytes overflow 32 bits; 65536 × 8192 × 4 is exactly 2 GB.
    struct Case {
        int Width;
        int Height;
    } cases[] = {{1 << 29, 1}, {65536, 8192}, {0x7FFFFFFF, 0x7FFFFFFF}};
    for (const Case& c : cases) {
        uint32_t* bits = reinterpret_cast<uint32_t*>(1);
        SetLastError(0);
        EXPECT_EQ(TopDownDib(c.Width, c.Height, &bits), nullptr) << c.Width << " x " << c.Height;
        EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_ENOUGH_MEMORY));
        EXPECT_EQ(bits, nullptr);
        EXPECT_EQ(CreateBitmap(c.Width, c.Height, 1, 32, nullptr), nullptr);
    }
}

TEST(DeviceContext, SelectedObjectDiesOnlyWhenDeselected) {
    uint32_t* bits = nullptr;
    HBITMAP dib = TopDownDib(2, 2, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    EXPECT_TRUE(DeleteObject(dib));
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(9, 9, 9)), RGB(9, 9, 9)) << "still drawable while selected";
    EXPECT_EQ(bits[3], 0x00090909u);
    SelectObject(dc, old);
    EXPECT_EQ(GetObjectType(dib), 0u);
    DeleteDC(dc);

    EXPECT_TRUE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(BLACK_BRUSH)), static_cast<DWORD>(OBJ_BRUSH)) << "stock objects stay";
}

TEST(DeviceContext, SaveAndRestoreAbsoluteAndRelative) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 0, 0));
    EXPECT_EQ(SaveDC(dc), 1);
    SetTextColor(dc, RGB(2, 0, 0));
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(3, 0, 0));
    EXPECT_EQ(SaveDC(dc), 3);
    SetWindowOrgEx(dc, 5, 5, nullptr);

    EXPECT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetTextColor(dc), RGB(3, 0, 0));
    POINT org{};
    GetWindowOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);

    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 0, 0));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(RestoreDC(dc, 1)) << "level 1 was used up";
    EXPECT_FALSE(RestoreDC(dc, -1));
    DeleteDC(dc);
}

TEST(DeviceContext, OriginsMapLogicalToDevice) {
    uint32_t* bits = nullptr;
    HBITMAP dib = TopDownDib(10, 10, &bits);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, dib);
    POINT previous{};
    SetWindowOrgEx(dc, 3, 1, &previous);
    OffsetWindowOrgEx(dc, 1, 1, nullptr);
    SetViewportOrgEx(dc, 2, 0, nullptr);
    POINT p{4, 2};
    LPtoDP(dc, &p, 1);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 0);
    DPtoLP(dc, &p, 1);
    EXPECT_EQ(p.x, 4);
    SetPixel(dc, 4, 2, RGB(0, 0, 255));
    EXPECT_EQ(bits[0 * 10 + 2], 0x000000FFu);

    EXPECT_EQ(SetBkMode(dc, 3), 0) << "only TRANSPARENT and OPAQUE";
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    DeleteDC(dc);
    DeleteObject(dib);
}

TEST(DeviceContext, DibTransfersCountScanLinesFromTheBottom) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP ddb = CreateBitmap(3, 2, 1, 32, nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    ASSERT_EQ(GetDIBits(dc, ddb, 0, 0, nullptr, &info, DIB_RGB_COLORS), 1);
    EXPECT_EQ(info.bmiHeader.biWidth, 3);
    EXPECT_EQ(info.bmiHeader.biHeight, 2) << "described bottom-up";
    EXPECT_EQ(info.bmiHeader.biBitCount, 32);

    const uint32_t bottomUp[6] = {1, 2, 3, 4, 5, 6};  // first row in memory is the bottom one
    EXPECT_EQ(SetDIBits(dc, ddb, 0, 2, bottomUp, &info, DIB_RGB_COLORS), 2);
    uint32_t top[6] = {};
    EXPECT_EQ(GetBitmapBits(ddb, sizeof top, top), 24);
    EXPECT_EQ(top[0], 4u);
    EXPECT_EQ(top[3], 1u);

    info.bmiHeader.biHeight = -2;
    uint32_t topDown[6] = {};
    EXPECT_EQ(GetDIBits(dc, ddb, 0, 2, topDown, &info, DIB_RGB_COLORS), 2);
    EXPECT_EQ(topDown[0], 4u);
    EXPECT_EQ(topDown[5], 3u);

    info.bmiHeader.biBitCount = 24;
    EXPECT_EQ(GetDIBits(dc, ddb, 0, 2, topDown, &info, DIB_RGB_COLORS), 0) << "only 1 and 32 bits are drawn here";
    DeleteObject(ddb);
    DeleteDC(dc);
}

}  // namespace

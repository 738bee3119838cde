// Icons: CreateIconIndirect, GetIconInfo, CopyIcon, DestroyIcon and DrawIconEx with its flags and stretching.
#include "ClassicCanvas.h"

namespace {

// A 4 x 2 icon. Mask (1 = transparent): left half opaque, right half transparent. Colour: red, green, blue,
// white on the first row; second row black, black, then pixels that invert the screen (white over 1 mask).
class IconFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // 1-bit rows padded to 16 bits: 0011 and 0011.
        const uint8_t maskBits[4] = {0x30, 0, 0x30, 0};
        FMask = CreateBitmap(4, 2, 1, 1, maskBits);
        const uint32_t colorBits[8] = {0x00FF0000, 0x0000FF00, 0x00000000, 0x00000000,
                                       0x00000000, 0x00000000, 0x00FFFFFF, 0x00000000};
        FColor = CreateBitmap(4, 2, 1, 32, colorBits);
        ICONINFO info{TRUE, 0, 0, FMask, FColor};
        FIcon = CreateIconIndirect(&info);
        ASSERT_NE(FIcon, nullptr);
    }
    void TearDown() override {
        DestroyIcon(FIcon);
        DeleteObject(FMask);
        DeleteObject(FColor);
    }
    HBITMAP FMask = nullptr;
    HBITMAP FColor = nullptr;
    HICON FIcon = nullptr;
};

constexpr uint32_t Screen = 0x00336699u;

TEST_F(IconFixture, DrawIconExFlags) {
    struct Case {
        UINT Flags;
        uint32_t Expected[8];
    };
    const Case cases[] = {
        // AND with the mask, then XOR with the image.
        {DI_NORMAL, {0x00FF0000, 0x0000FF00, Screen, Screen, 0, 0, Screen ^ 0x00FFFFFF, Screen}},
        {DI_MASK, {0, 0, Screen, Screen, 0, 0, Screen, Screen}},
        {DI_IMAGE, {0x00FF0000, 0x0000FF00, 0, 0, 0, 0, 0x00FFFFFF, 0}},
    };
    for (const Case& c : cases) {
        ClassicCanvas canvas(6, 4, Screen);
        ASSERT_TRUE(DrawIconEx(canvas.Dc(), 1, 1, FIcon, 0, 0, 0, nullptr, c.Flags));
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(canvas.Pixel(1 + i % 4, 1 + i / 4), c.Expected[i]) << "flags " << c.Flags << " pixel " << i;
        EXPECT_EQ(canvas.Pixel(0, 0), Screen);
        EXPECT_EQ(canvas.Pixel(5, 3), Screen);
    }
}

TEST_F(IconFixture, StretchesAndPaintsTheFlickerFreeBackground) {
    ClassicCanvas canvas(8, 4, Screen);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, FIcon, 8, 4, 0, brush, DI_NORMAL));
    DeleteObject(brush);
    // Each icon pixel becomes a 2 x 2 block; transparent ones show the brush, not the screen.
    EXPECT_EQ(canvas.Pixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(canvas.Pixel(1, 1), 0x00FF0000u);
    EXPECT_EQ(canvas.Pixel(2, 1), 0x0000FF00u);
    EXPECT_EQ(canvas.Pixel(4, 0), 0x00010203u);
    EXPECT_EQ(canvas.Pixel(7, 1), 0x00010203u);
    EXPECT_EQ(canvas.Pixel(5, 3), 0x00010203u ^ 0x00FFFFFFu);
}

TEST_F(IconFixture, InfoCopiesAndDestroy) {
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(FIcon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 2u);  // an icon's hot spot is its centre
    EXPECT_EQ(info.yHotspot, 1u);
    ASSERT_NE(info.hbmMask, nullptr);
    ASSERT_NE(info.hbmColor, nullptr);
    EXPECT_NE(info.hbmColor, FColor);  // fresh bitmaps the caller deletes
    BITMAP bm{};
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmHeight, 2);
    ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof bm, &bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_TRUE(DeleteObject(info.hbmMask));
    EXPECT_TRUE(DeleteObject(info.hbmColor));

    // The icon keeps its own copy: deleting the source bitmaps does not change it.
    DeleteObject(FColor);
    FColor = nullptr;
    HICON copy = CopyIcon(FIcon);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, FIcon);
    ClassicCanvas canvas(4, 2, Screen);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.Pixel(0, 0), 0x00FF0000u);
    EXPECT_TRUE(DestroyIcon(copy));
    SetLastError(0);
    EXPECT_FALSE(DestroyIcon(copy));
    EXPECT_EQ(GetLastError(), 1402u);  // ERROR_INVALID_CURSOR_HANDLE
    EXPECT_FALSE(DrawIconEx(canvas.Dc(), 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
}

TEST_F(IconFixture, RefusedArguments) {
    ClassicCanvas canvas(4, 2, Screen);
    EXPECT_FALSE(DrawIconEx(canvas.Dc(), 0, 0, FIcon, 0, 0, 0, nullptr, 0));
    EXPECT_FALSE(DrawIconEx(canvas.Dc(), 0, 0, FIcon, 0, 0, 0, nullptr, DI_NORMAL | 0x100));
    EXPECT_FALSE(DrawIconEx(canvas.Dc(), 0, 0, FIcon, -4, 2, 0, nullptr, DI_NORMAL));
    EXPECT_FALSE(DrawIconEx(reinterpret_cast<HDC>(0x7777), 0, 0, FIcon, 0, 0, 0, nullptr, DI_NORMAL));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(canvas.Bits()[i], Screen);
    ICONINFO noMask{TRUE, 0, 0, nullptr, FColor};
    EXPECT_EQ(CreateIconIndirect(&noMask), nullptr);
    EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
    EXPECT_FALSE(GetIconInfo(reinterpret_cast<HICON>(0x1234), nullptr));
}

TEST(IconTest, MonochromeIconAndAlpha) {
    // No colour bitmap: the mask is twice as high, AND half above the XOR half. Cursor keeps its hot spot.
    const uint8_t bits[8] = {0x40, 0, 0x40, 0, 0x80, 0, 0xC0, 0};  // AND: 01,01  XOR: 10,11
    HBITMAP mask = CreateBitmap(2, 4, 1, 1, bits);
    ICONINFO info{FALSE, 1, 0, mask, nullptr};
    HICON cursor = CreateIconIndirect(&info);
    ASSERT_NE(cursor, nullptr);
    ICONINFO back{};
    ASSERT_TRUE(GetIconInfo(cursor, &back));
    EXPECT_FALSE(back.fIcon);
    EXPECT_EQ(back.xHotspot, 1u);
    EXPECT_EQ(back.hbmColor, nullptr);
    DeleteObject(back.hbmMask);
    ClassicCanvas canvas(2, 2, Screen);
    ASSERT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, cursor, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.Pixel(0, 0), 0x00FFFFFFu);           // opaque white
    EXPECT_EQ(canvas.Pixel(1, 0), Screen);                // transparent
    EXPECT_EQ(canvas.Pixel(1, 1), Screen ^ 0x00FFFFFFu);  // inverted
    DestroyIcon(cursor);
    DeleteObject(mask);

    // A 32-bit image with alpha is blended and its mask is not used.
    const uint8_t opaqueMask[2] = {0, 0};
    HBITMAP mask1 = CreateBitmap(1, 1, 1, 1, opaqueMask);
    const uint32_t half = 0x80FFFFFFu;
    HBITMAP color = CreateBitmap(1, 1, 1, 32, &half);
    ICONINFO alphaInfo{TRUE, 0, 0, mask1, color};
    HICON alphaIcon = CreateIconIndirect(&alphaInfo);
    ClassicCanvas blend(1, 1, 0x00000000u);
    ASSERT_TRUE(DrawIconEx(blend.Dc(), 0, 0, alphaIcon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(blend.Pixel(0, 0), 0x00808080u);
    DestroyIcon(alphaIcon);
    DeleteObject(mask1);
    DeleteObject(color);
}

}  // namespace

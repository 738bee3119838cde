// TskBitmap's life and pixels: SetSize and its three failures, checked pixel access, the flags, flipping,
// regions from key pixels, links with their masked flags, and the owning list.
#include <skin/BitmapGdi.h>
#include <skin/BitmapLink.h>
#include <skin/BitmapList.h>
#include <skin/SkinBitmap.h>
#include <toolkit/Canvas.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

std::vector<TskColor> Pixels(const TskBitmap& bitmap) {
    return std::vector<TskColor>(bitmap.Bits(), bitmap.Bits() + bitmap.Width() * bitmap.Height());
}

TEST(BitmapSize, NegativeSidesCountZeroSidesAreIgnoredAndOnlyANewSizeClears) {
    TskBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.BitmapInfo().bmiHeader.biSize, 40u);
    bitmap.SetSize(-20, 10);
    ASSERT_FALSE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 20);
    EXPECT_EQ(bitmap.Height(), 10);
    EXPECT_EQ(bitmap.BitmapInfo().bmiHeader.biHeight, -10);
    EXPECT_EQ(bitmap.BitmapInfo().bmiHeader.biBitCount, 32);
    EXPECT_EQ(GetBitmapByDC(bitmap.DC()), &bitmap);

    bitmap.Clear(0x12345678);
    HDC dc = bitmap.DC();
    bitmap.SetSize(0, 10);
    bitmap.SetSize(20, 0);
    bitmap.SetSize(20, -10);
    EXPECT_EQ(bitmap.DC(), dc);
    EXPECT_EQ(Pixels(bitmap), std::vector<TskColor>(200, 0x12345678));

    bitmap.SetSize(3, 2);
    EXPECT_EQ(Pixels(bitmap), std::vector<TskColor>(6, 0));
    EXPECT_EQ(GetBitmapByDC(dc), nullptr);
    EXPECT_EQ(GetBitmapByDC(bitmap.DC()), &bitmap);
}

TEST(BitmapSize, TheCanvasFollowsTheDcAndTheRegistryForgetsADestroyedBitmap) {
    HDC dc;
    {
        TskBitmap bitmap;
        EXPECT_FALSE(bitmap.Canvas().HandleAllocated());
        bitmap.SetSize(4, 4);
        EXPECT_EQ(bitmap.Canvas().Handle(), bitmap.DC());
        bitmap.SetSize(5, 5);
        EXPECT_EQ(bitmap.Canvas().Handle(), bitmap.DC());
        // GDI drawing and the pixel pointer see the same memory; GDI leaves alpha 0.
        bitmap.Canvas().SetPixels(1, 2, static_cast<TColor>(RGB(10, 20, 30)));
        EXPECT_EQ(bitmap.GetPixel(1, 2), 0x000A141Eu);
        dc = bitmap.DC();
    }
    EXPECT_EQ(GetBitmapByDC(dc), nullptr);
}

// Each creation step is made to fail for real: the platform is called with an argument it refuses.
HBITMAP lastSection = nullptr;
HDC lastDC = nullptr;

HBITMAP RefusedSection(HDC dc, const BITMAPINFO* info, UINT, void** bits, HANDLE section, DWORD offset) {
    return ::CreateDIBSection(dc, info, 0x7777, bits, section, offset);
}
HBITMAP RecordedSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
    return lastSection = ::CreateDIBSection(dc, info, usage, bits, section, offset);
}
HDC RefusedDC(HDC) { return ::CreateCompatibleDC(reinterpret_cast<HDC>(static_cast<uintptr_t>(0x7FFFFFF0))); }
HDC RecordedDC(HDC dc) { return lastDC = ::CreateCompatibleDC(dc); }
HGDIOBJ RefusedSelect(HDC dc, HGDIOBJ) { return ::SelectObject(dc, nullptr); }

struct CreationFailure {
    TskBitmapGdi gdi;
    const char* message;
    bool sectionMade, dcMade;
};

TEST(BitmapSize, EachCreationFailureRaisesItsMessageAndReleasesWhatWasMade) {
    const TskBitmapGdi real = BitmapGdi;
    const CreationFailure failures[] = {
        {{RefusedSection, RecordedDC, ::SelectObject}, "Can't allocate the DIB handle", false, false},
        {{RecordedSection, RefusedDC, ::SelectObject}, "Can't create compatible DC", true, false},
        {{RecordedSection, RecordedDC, RefusedSelect}, "Can't select an object into DC", true, true},
    };
    for (const CreationFailure& failure : failures) {
        SCOPED_TRACE(failure.message);
        TskBitmap bitmap;
        bitmap.SetSize(8, 8);
        bitmap.Canvas();
        HDC oldDC = bitmap.DC();
        lastSection = nullptr;
        lastDC = nullptr;
        BitmapGdi = failure.gdi;
        try {
            bitmap.SetSize(16, 16);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), failure.message);
        }
        BitmapGdi = real;
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_EQ(bitmap.Bits(), nullptr);
        EXPECT_EQ(bitmap.DC(), nullptr);
        EXPECT_FALSE(bitmap.Canvas().HandleAllocated());
        EXPECT_EQ(GetBitmapByDC(oldDC), nullptr);
        EXPECT_EQ(lastSection != nullptr, failure.sectionMade);
        BITMAP info;
        if (lastSection) {
            EXPECT_EQ(GetObjectA(lastSection, sizeof info, &info), 0) << "section not deleted";
        }
        EXPECT_EQ(lastDC != nullptr, failure.dcMade);
        if (lastDC) {
            EXPECT_EQ(GetCurrentObject(lastDC, OBJ_BITMAP), nullptr) << "DC not deleted";
        }
        // Empty operations stay harmless, and the same size can be had again afterwards.
        bitmap.Clear(1);
        bitmap.SetAlpha(3);
        EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
        EXPECT_EQ(bitmap.CreateRegion(0, 0), nullptr);
        bitmap.SetSize(16, 16);
        EXPECT_FALSE(bitmap.Empty());
        EXPECT_EQ(bitmap.Canvas().Handle(), bitmap.DC());
    }
}

TEST(BitmapPixels, CheckedAccessStopsAtTheEdges) {
    TskBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.SetPixel(2, 1, 0xAABBCCDD);
    bitmap.SetPixel(3, 0, 1);
    bitmap.SetPixel(0, 2, 1);
    bitmap.SetPixel(-1, 0, 1);
    EXPECT_EQ(bitmap.GetPixel(2, 1), 0xAABBCCDDu);
    EXPECT_EQ(*bitmap.PixelPtr(2, 1), 0xAABBCCDDu);
    EXPECT_EQ(bitmap.ScanLine(1)[2], 0xAABBCCDDu);
    EXPECT_EQ(bitmap.GetPixel(3, 0), 0u);
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0, 0, 0, 0, 0, 0xAABBCCDD}));
}

TEST(BitmapPixels, AlphaSettingAndTheAlphaBlendFlag) {
    TskBitmap bitmap;
    bitmap.SetSize(4, 3);
    bitmap.Clear(0x00102030);
    bitmap.SetAlphaRect(0x80, RECT{3, 2, 9, 9});
    bitmap.SetAlphaRect(0x40, RECT{1, 1, 1, 3});     // no width: nothing
    bitmap.SetAlphaRect(0x40, RECT{-5, -5, -1, 2});  // clipped away: nothing
    EXPECT_EQ(bitmap.GetPixel(3, 2), 0x80102030u);
    EXPECT_EQ(bitmap.GetPixel(2, 2), 0x00102030u);
    EXPECT_EQ(bitmap.GetPixel(1, 1), 0x00102030u);

    bitmap.SetAlpha(255);
    bitmap.SetPixel(0, 0, 0x00000000);
    bitmap.CheckingAlphaBlend();
    EXPECT_FALSE(bitmap.AlphaBlend());
    bitmap.SetPixel(1, 0, 0x01000000);
    bitmap.CheckingAlphaBlend();
    EXPECT_TRUE(bitmap.AlphaBlend());
}

TEST(BitmapPixels, CheckingTransparentToleratesFivePerChannel) {
    TskBitmap bitmap;
    bitmap.SetSize(4, 1);
    bitmap.SetPixel(0, 0, 0x80FB0404);
    bitmap.SetPixel(1, 0, 0xFFFA0000);
    bitmap.SetPixel(2, 0, 0xFFF90000);
    bitmap.SetPixel(3, 0, 0xFFFF0006);
    bitmap.CheckingTransparent(0xFFFF0000);
    EXPECT_TRUE(bitmap.Transparent());
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{TransparentKey, TransparentKey, 0xFFF90000, 0xFFFF0006}));
    bitmap.CheckingTransparent(0xFF00FF00);
    EXPECT_FALSE(bitmap.Transparent());
}

TEST(BitmapPixels, FlipVerticalSwapsRowsAroundTheMiddle) {
    TskBitmap bitmap;
    bitmap.SetSize(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) bitmap.SetPixel(x, y, static_cast<TskColor>(10 * y + x));
    bitmap.FlipVertical();
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{20, 21, 10, 11, 0, 1}));
}

std::vector<RECT> RegionRects(HRGN region) {
    DWORD size = GetRegionData(region, 0, nullptr);
    std::vector<char> data(size);
    GetRegionData(region, size, reinterpret_cast<RGNDATA*>(data.data()));
    const auto* header = reinterpret_cast<const RGNDATAHEADER*>(data.data());
    const auto* first = reinterpret_cast<const RECT*>(data.data() + header->dwSize);
    return std::vector<RECT>(first, first + header->nCount);
}

TEST(BitmapRegion, KeyPixelsAreHolesAndTheRegionIsOffset) {
    TskBitmap bitmap;
    bitmap.SetSize(3, 1);
    bitmap.Clear(0xFF000000);
    bitmap.SetPixel(1, 0, 0xFF7F007F);  // alpha does not matter
    HRGN region = bitmap.CreateRegion(10, 20);
    ASSERT_NE(region, nullptr);
    std::vector<RECT> rects = RegionRects(region);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_TRUE(SameRect(rects[0], RECT{10, 20, 11, 21}));
    EXPECT_TRUE(SameRect(rects[1], RECT{12, 20, 13, 21}));
    DeleteObject(region);
}

// A fixed buffer of 5001 rectangles would lose every run after it: here 100 runs a row for 60 rows.
TEST(BitmapRegion, MoreThan5001RunsAreAllKept) {
    TskBitmap bitmap;
    bitmap.SetSize(200, 60);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 200; ++x) bitmap.SetPixel(x, y, (x + y) % 2 ? TransparentKey : 0xFF000000);
    HRGN region = bitmap.CreateRegion(0, 0);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(RegionRects(region).size(), 6000u);
    // The last runs of the picture are there, and the holes between them too.
    EXPECT_TRUE(PtInRegion(region, 199, 59));
    EXPECT_TRUE(PtInRegion(region, 198, 58));
    EXPECT_FALSE(PtInRegion(region, 198, 59));
    DeleteObject(region);
}

TEST(BitmapLink, CreateLinkCopiesNameAndRectangle) {
    TskBitmap bitmap;
    bitmap.SetName("Strip");
    bitmap.SetSize(4, 4);
    std::unique_ptr<TskBitmapLink> link = bitmap.CreateLink(RECT{1, 2, 3, 4});
    EXPECT_EQ(link->Bitmap(), &bitmap);
    EXPECT_EQ(link->Name(), "Strip");
    EXPECT_TRUE(SameRect(link->Rect(), RECT{1, 2, 3, 4}));
    EXPECT_TRUE(link->IsValid());
    link->SetRight(1);
    EXPECT_FALSE(link->IsValid());
    TskBitmapLink copy;
    copy.Assign(link.get());
    EXPECT_EQ(copy.Bitmap(), &bitmap);
    EXPECT_EQ(copy.Right(), 1);
    EXPECT_THROW(copy.Assign(&bitmap), EConvertError);
}

struct MaskCase {
    int x, y;
    TskColor pixel;
    bool border, corner, centre;
};

// A 6 x 6 link at (1, 1) of an opaque 8 x 8 bitmap, margins 2 left, 1 top, 1 right, 2 bottom; one pixel changed.
TEST(BitmapLink, CheckingMaskedFindsTheCellOfEachNonOpaquePixel) {
    const MaskCase cases[] = {
        {1, 1, 0x00000000, false, true, false},      // top-left corner cell
        {6, 1, 0xFE000000, false, true, false},      // top-right corner cell
        {3, 1, TransparentKey, true, false, false},  // top band
        {1, 3, 0x10000000, true, false, false},      // left band
        {3, 6, 0x10000000, true, false, false},      // bottom band
        {3, 3, 0x10000000, false, false, true},      // centre
        {3, 3, 0x33333333, false, false, false},     // the solid filler counts as opaque
        {0, 0, 0x00000000, false, false, false},     // outside the link
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        TskBitmap bitmap;
        bitmap.SetSize(8, 8);
        bitmap.Clear(0xFF808080);
        bitmap.SetPixel(c.x, c.y, c.pixel);
        std::unique_ptr<TskBitmapLink> link = bitmap.CreateLink(RECT{1, 1, 7, 7});
        link->CheckingMasked(RECT{2, 1, 1, 2});
        EXPECT_EQ(link->MaskedBorder(), c.border);
        EXPECT_EQ(link->MaskedCorner(), c.corner);
        EXPECT_EQ(link->Masked(), c.centre);
        link->CheckingMasked();
        EXPECT_EQ(link->Masked(), c.border || c.corner || c.centre);
        EXPECT_FALSE(link->MaskedBorder());
    }
}

TEST(BitmapLink, PixelsOutsideTheBitmapReadAsTransparent) {
    TskBitmap bitmap;
    bitmap.SetSize(2, 2);
    bitmap.Clear(0xFFFFFFFF);
    TskBitmapLink link;
    link.SetBitmap(&bitmap);
    link.SetRect(RECT{0, 0, 3, 2});
    link.CheckingMasked();
    EXPECT_TRUE(link.Masked());
}

TEST(BitmapList, OwnsItsBitmapsAndFindsThemByNameWithoutCase) {
    TskBitmapList list;
    auto button = std::make_unique<TskBitmap>();
    button->SetName("Button");
    button->SetSize(2, 2);
    TskBitmap* buttonPtr = button.get();
    list.Add(std::move(button));
    list.Add(std::make_unique<TskBitmap>());
    EXPECT_EQ(list.GetBitmap(0), buttonPtr);
    EXPECT_EQ(list.GetBitmap(2), nullptr);
    EXPECT_EQ(list.GetBitmap(-1), nullptr);
    EXPECT_EQ(list.GetBitmapByName("BUTTON"), buttonPtr);
    EXPECT_EQ(list.GetBitmapByName("Butto"), nullptr);
    std::unique_ptr<TskBitmapLink> link = list.GetBitmapLink("button", RECT{0, 0, 1, 1});
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Bitmap(), buttonPtr);
    EXPECT_EQ(list.GetBitmapLink("none", RECT{0, 0, 1, 1}), nullptr);
    HDC dc = buttonPtr->DC();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(GetBitmapByDC(dc), nullptr);  // freed with the list
}

}  // namespace

// Clipping through a memory DC: selecting and combining clip regions, the queries in logical coordinates, the
// clip kept in device coordinates across origin changes, and SaveDC/RestoreDC.
#include <win32/windows.h>

#include <gtest/gtest.h>

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

::testing::AssertionResult RegionIs(HRGN rgn, HRGN expected) {
    if (EqualRgn(rgn, expected)) return ::testing::AssertionSuccess();
    RECT box{};
    GetRgnBox(rgn, &box);
    return ::testing::AssertionFailure() << "region box " << box.left << "," << box.top << "," << box.right << ","
                                         << box.bottom;
}

// A 20 x 20 top-down DIB selected into a memory DC.
class Clip : public ::testing::Test {
protected:
    void SetUp() override {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = 20;
        info.bmiHeader.biHeight = -20;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FDib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        ASSERT_NE(FDib, nullptr);
        FDc = CreateCompatibleDC(nullptr);
        FOld = SelectObject(FDc, FDib);
        FClip = CreateRectRgn(0, 0, 0, 0);
    }
    void TearDown() override {
        SelectObject(FDc, FOld);
        DeleteDC(FDc);
        DeleteObject(FDib);
        DeleteObject(FClip);
    }

    // The DC's clip region, or null when it has none.
    HRGN ClipRegion() { return GetClipRgn(FDc, FClip) == 1 ? FClip : nullptr; }

    RECT ClipBox(int* complexity = nullptr) {
        RECT box{-1, -1, -1, -1};
        int result = GetClipBox(FDc, &box);
        if (complexity) *complexity = result;
        return box;
    }

    HDC FDc = nullptr;
    HBITMAP FDib = nullptr;
    HGDIOBJ FOld = nullptr;
    HRGN FClip = nullptr;
    uint32_t* FBits = nullptr;
};

TEST_F(Clip, WithoutAClipTheWholeBitmapIsVisible) {
    EXPECT_EQ(GetClipRgn(FDc, FClip), 0);
    int complexity = 0;
    EXPECT_TRUE(SameRect(ClipBox(&complexity), RECT{0, 0, 20, 20}));
    EXPECT_EQ(complexity, SIMPLEREGION);
    EXPECT_TRUE(PtVisible(FDc, 19, 19));
    EXPECT_FALSE(PtVisible(FDc, 20, 19));
    EXPECT_FALSE(PtVisible(FDc, -1, 0));
    RECT outside{20, 0, 30, 10};
    EXPECT_FALSE(RectVisible(FDc, &outside));

    HRGN system = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetRandomRgn(FDc, system, SYSRGN), 1);
    HRGN bitmap = CreateRectRgn(0, 0, 20, 20);
    EXPECT_TRUE(RegionIs(system, bitmap));
    EXPECT_EQ(GetRandomRgn(FDc, system, 1), -1) << "only SYSRGN is offered";
    DeleteObject(system);
    DeleteObject(bitmap);
}

TEST_F(Clip, SelectClipRgnCopiesTheRegionAndNullRemovesIt) {
    HRGN rgn = CreateRectRgn(2, 3, 8, 9);
    EXPECT_EQ(SelectClipRgn(FDc, rgn), SIMPLEREGION);
    HRGN expected = CreateRectRgn(2, 3, 8, 9);
    // Changing or deleting the caller's region afterwards leaves the clip alone.
    SetRectRgn(rgn, 0, 0, 1, 1);
    DeleteObject(rgn);
    ASSERT_NE(ClipRegion(), nullptr);
    EXPECT_TRUE(RegionIs(FClip, expected));
    EXPECT_TRUE(PtVisible(FDc, 2, 3));
    EXPECT_FALSE(PtVisible(FDc, 8, 3));
    int complexity = 0;
    EXPECT_TRUE(SameRect(ClipBox(&complexity), RECT{2, 3, 8, 9}));
    EXPECT_EQ(complexity, SIMPLEREGION);

    EXPECT_EQ(SelectClipRgn(FDc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(FDc, FClip), 0);
    EXPECT_TRUE(SameRect(ClipBox(), RECT{0, 0, 20, 20}));
    DeleteObject(expected);
}

TEST_F(Clip, ExtSelectClipRgnCombinesEveryMode) {
    HRGN start = CreateRectRgn(0, 0, 10, 10);
    HRGN with = CreateRectRgn(5, 5, 15, 15);
    HRGN expected = CreateRectRgn(0, 0, 0, 0);
    for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY}) {
        SCOPED_TRACE(mode);
        SelectClipRgn(FDc, start);
        // RGN_COPY takes the new region, where CombineRgn's copies its first source.
        int complexity = CombineRgn(expected, mode == RGN_COPY ? with : start, with, mode);
        EXPECT_EQ(ExtSelectClipRgn(FDc, with, mode), complexity);
        ASSERT_NE(ClipRegion(), nullptr);
        EXPECT_TRUE(RegionIs(FClip, expected));
    }
    // With no clip yet, the combination starts from the whole bitmap.
    SelectClipRgn(FDc, nullptr);
    EXPECT_EQ(ExtSelectClipRgn(FDc, with, RGN_DIFF), COMPLEXREGION);
    EXPECT_TRUE(PtVisible(FDc, 4, 4));
    EXPECT_FALSE(PtVisible(FDc, 5, 5));
    EXPECT_TRUE(PtVisible(FDc, 15, 15));

    // A null region goes only with RGN_COPY.
    SetLastError(0);
    for (int mode : {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF}) EXPECT_EQ(ExtSelectClipRgn(FDc, nullptr, mode), ERROR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ExtSelectClipRgn(FDc, with, 0), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(FDc, with, 6), ERROR);
    EXPECT_EQ(ExtSelectClipRgn(FDc, nullptr, RGN_COPY), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(FDc, FClip), 0);
    for (HRGN h : {start, with, expected}) DeleteObject(h);
}

TEST_F(Clip, SelectObjectWithARegionSelectsTheClip) {
    HRGN rgn = CreateRectRgn(1, 1, 4, 4);
    HRGN second = CreateRectRgn(10, 10, 12, 12);
    CombineRgn(rgn, rgn, second, RGN_OR);
    EXPECT_EQ(reinterpret_cast<intptr_t>(SelectObject(FDc, rgn)), COMPLEXREGION);
    ASSERT_NE(ClipRegion(), nullptr);
    EXPECT_TRUE(RegionIs(FClip, rgn));
    EXPECT_TRUE(PtVisible(FDc, 11, 11));
    EXPECT_FALSE(PtVisible(FDc, 6, 6));
    DeleteObject(rgn);
    DeleteObject(second);
}

TEST_F(Clip, EmptyClipHidesEverything) {
    HRGN empty = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(SelectClipRgn(FDc, empty), NULLREGION);
    int complexity = 0;
    EXPECT_TRUE(SameRect(ClipBox(&complexity), RECT{0, 0, 0, 0}));
    EXPECT_EQ(complexity, NULLREGION);
    EXPECT_FALSE(PtVisible(FDc, 0, 0));
    RECT all{0, 0, 20, 20};
    EXPECT_FALSE(RectVisible(FDc, &all));
    EXPECT_EQ(GetClipRgn(FDc, FClip), 1) << "an empty clip region is still a clip region";
    DeleteObject(empty);
}

TEST_F(Clip, ClipBoxIsTheVisiblePartOfTheClip) {
    HRGN wide = CreateRectRgn(-10, 5, 50, 8);
    SelectClipRgn(FDc, wide);
    EXPECT_TRUE(SameRect(ClipBox(), RECT{0, 5, 20, 8}));
    // GetClipRgn answers the region as selected, not its visible part.
    ASSERT_NE(ClipRegion(), nullptr);
    EXPECT_TRUE(RegionIs(FClip, wide));
    DeleteObject(wide);
}

TEST_F(Clip, ClipStaysInDeviceCoordinatesWhenTheOriginMovesLater) {
    HRGN rgn = CreateRectRgn(0, 0, 5, 5);
    SelectClipRgn(FDc, rgn);
    SetWindowOrgEx(FDc, 10, 10, nullptr);
    ASSERT_NE(ClipRegion(), nullptr);
    EXPECT_TRUE(RegionIs(FClip, rgn)) << "the clip does not move with the window origin";
    EXPECT_TRUE(SameRect(ClipBox(), RECT{10, 10, 15, 15})) << "GetClipBox answers logical coordinates";
    EXPECT_TRUE(PtVisible(FDc, 12, 12));
    EXPECT_FALSE(PtVisible(FDc, 2, 2));
    RECT logical{14, 14, 20, 20};
    EXPECT_TRUE(RectVisible(FDc, &logical));
    RECT swapped{20, 20, 14, 14};
    EXPECT_TRUE(RectVisible(FDc, &swapped));
    RECT past{15, 10, 20, 20};
    EXPECT_FALSE(RectVisible(FDc, &past));

    SetViewportOrgEx(FDc, 3, 0, nullptr);
    EXPECT_TRUE(SameRect(ClipBox(), RECT{7, 10, 12, 15}));
    DeleteObject(rgn);
}

TEST_F(Clip, IntersectAndExcludeTakeLogicalRectangles) {
    SetWindowOrgEx(FDc, 10, 10, nullptr);
    EXPECT_EQ(IntersectClipRect(FDc, 10, 10, 16, 16), SIMPLEREGION);
    HRGN expected = CreateRectRgn(0, 0, 6, 6);
    ASSERT_NE(ClipRegion(), nullptr);
    EXPECT_TRUE(RegionIs(FClip, expected));

    EXPECT_EQ(ExcludeClipRect(FDc, 12, 12, 14, 14), COMPLEXREGION);
    HRGN hole = CreateRectRgn(2, 2, 4, 4);
    CombineRgn(expected, expected, hole, RGN_DIFF);
    ASSERT_NE(ClipRegion(), nullptr);
    EXPECT_TRUE(RegionIs(FClip, expected));
    EXPECT_FALSE(PtVisible(FDc, 12, 12));
    EXPECT_TRUE(PtVisible(FDc, 11, 12));

    // Swapped corners name the same rectangle; an intersection that misses leaves nothing.
    EXPECT_EQ(IntersectClipRect(FDc, 16, 16, 10, 10), COMPLEXREGION);
    EXPECT_EQ(IntersectClipRect(FDc, 100, 100, 110, 110), NULLREGION);
    for (HRGN h : {expected, hole}) DeleteObject(h);
}

TEST_F(Clip, ExcludeWithoutAClipStartsFromTheBitmap) {
    EXPECT_EQ(ExcludeClipRect(FDc, 0, 0, 20, 10), SIMPLEREGION);
    EXPECT_TRUE(SameRect(ClipBox(), RECT{0, 10, 20, 20}));
}

TEST_F(Clip, OffsetClipRgnMovesTheClip) {
    EXPECT_EQ(OffsetClipRgn(FDc, 3, 3), SIMPLEREGION) << "no clip: nothing to move";
    EXPECT_EQ(GetClipRgn(FDc, FClip), 0);
    IntersectClipRect(FDc, 0, 0, 4, 4);
    EXPECT_EQ(OffsetClipRgn(FDc, 5, 6), SIMPLEREGION);
    EXPECT_TRUE(SameRect(ClipBox(), RECT{5, 6, 9, 10}));
    EXPECT_EQ(OffsetClipRgn(FDc, 100, 0), SIMPLEREGION) << "the clip region itself is still one rectangle";
    int complexity = 0;
    ClipBox(&complexity);
    EXPECT_EQ(complexity, NULLREGION) << "but none of it is on the bitmap";
}

TEST_F(Clip, RestoreDcBringsBackTheClip) {
    IntersectClipRect(FDc, 0, 0, 10, 10);
    int level = SaveDC(FDc);
    ASSERT_GT(level, 0);
    ExcludeClipRect(FDc, 0, 0, 5, 5);
    EXPECT_FALSE(PtVisible(FDc, 1, 1));
    int noClipLevel = SaveDC(FDc);
    SelectClipRgn(FDc, nullptr);
    EXPECT_TRUE(PtVisible(FDc, 15, 15));

    ASSERT_TRUE(RestoreDC(FDc, -1));
    EXPECT_FALSE(PtVisible(FDc, 15, 15));
    EXPECT_FALSE(PtVisible(FDc, 1, 1));
    ASSERT_TRUE(RestoreDC(FDc, level));
    EXPECT_TRUE(PtVisible(FDc, 1, 1));
    EXPECT_TRUE(SameRect(ClipBox(), RECT{0, 0, 10, 10}));
    EXPECT_LT(level, noClipLevel);

    // And back to no clip at all.
    SelectClipRgn(FDc, nullptr);
    int clean = SaveDC(FDc);
    IntersectClipRect(FDc, 0, 0, 1, 1);
    RestoreDC(FDc, clean);
    EXPECT_EQ(GetClipRgn(FDc, FClip), 0);
}

TEST_F(Clip, DrawingTouchesExactlyTheClipRegion) {
    // A complex clip in device coordinates; drawing goes through logical coordinates shifted by the window origin.
    HRGN clip = CreateEllipticRgn(2, 2, 17, 15);
    HRGN bar = CreateRectRgn(0, 8, 20, 11);
    CombineRgn(clip, clip, bar, RGN_XOR);
    SelectClipRgn(FDc, clip);
    SetWindowOrgEx(FDc, -4, 7, nullptr);
    ASSERT_TRUE(PatBlt(FDc, -4, 7, 20, 20, WHITENESS));
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            uint32_t expected = PtInRegion(clip, x, y) ? 0xFFFFFFFFu : 0u;
            ASSERT_EQ(FBits[y * 20 + x], expected) << x << "," << y;
        }
    }
    DeleteObject(clip);
    DeleteObject(bar);
}

TEST_F(Clip, GetClipRgnWritesIntoAnExistingRegion) {
    HRGN target = CreateRectRgn(50, 50, 60, 60);
    EXPECT_EQ(GetClipRgn(FDc, target), 0);
    RECT box{};
    EXPECT_EQ(GetRgnBox(target, &box), SIMPLEREGION) << "without a clip the region is left as it was";
    EXPECT_TRUE(SameRect(box, RECT{50, 50, 60, 60}));
    IntersectClipRect(FDc, 1, 2, 3, 4);
    EXPECT_EQ(GetClipRgn(FDc, target), 1);
    GetRgnBox(target, &box);
    EXPECT_TRUE(SameRect(box, RECT{1, 2, 3, 4}));
    DeleteObject(target);
}

TEST_F(Clip, BadHandlesFailTheWayWindowsDoes) {
    HDC bad = reinterpret_cast<HDC>(static_cast<intptr_t>(0x7ffff0));
    RECT box{};
    EXPECT_EQ(GetClipBox(bad, &box), ERROR);
    EXPECT_EQ(GetClipBox(FDc, nullptr), ERROR);
    EXPECT_EQ(GetClipRgn(bad, FClip), -1);
    EXPECT_EQ(GetClipRgn(FDc, nullptr), -1);
    EXPECT_EQ(GetRandomRgn(bad, FClip, SYSRGN), -1);
    EXPECT_EQ(SelectClipRgn(bad, nullptr), ERROR);
    EXPECT_EQ(SelectClipRgn(FDc, reinterpret_cast<HRGN>(FDib)), ERROR) << "a bitmap is not a region";
    EXPECT_EQ(IntersectClipRect(bad, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(ExcludeClipRect(bad, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(OffsetClipRgn(bad, 1, 1), ERROR);
    EXPECT_EQ(PtVisible(bad, 0, 0), -1);
    EXPECT_FALSE(RectVisible(bad, &box));
}

}  // namespace

// TCustomImageList: adding strips with masks or a key colour, masked drawing and the greyed disabled look.
#include <toolkit/ImageList.h>

#include <gtest/gtest.h>

namespace {

// Two 4 x 4 images side by side on magenta: a red pixel at (1, 1) of the first, a black one at (2, 2) of the
// second, white at (0, 3) of both.
void Strip(TBitmap& strip) {
    strip.SetSize(8, 4);
    strip.Canvas().Brush().SetColor(clFuchsia);
    strip.Canvas().FillRect(RECT{0, 0, 8, 4});
    strip.Canvas().SetPixels(1, 1, clRed);
    strip.Canvas().SetPixels(6, 2, clBlack);
    strip.Canvas().SetPixels(0, 3, clWhite);
    strip.Canvas().SetPixels(4, 3, clWhite);
}

class ImageList : public ::testing::Test {
protected:
    TCustomImageList FList{nullptr, 4, 4};
    TBitmap FTarget;
    void SetUp() override {
        FTarget.SetSize(12, 12);
        Clear();
    }
    void Clear() {
        FTarget.Canvas().Brush().SetColor(clGreen);
        FTarget.Canvas().FillRect(RECT{0, 0, 12, 12});
    }
    TColor At(int x, int y) { return FTarget.Canvas().Pixels(x, y); }
};

}  // namespace

TEST_F(ImageList, AddMaskedCutsTheStripAndDrawsThroughTheKeyColour) {
    TBitmap strip;
    Strip(strip);
    EXPECT_EQ(0, FList.AddMasked(strip, clFuchsia));
    EXPECT_EQ(2, FList.Count());
    FList.Draw(FTarget.Canvas(), 2, 3, 0);
    EXPECT_EQ(clRed, At(3, 4));
    EXPECT_EQ(clWhite, At(2, 6));
    EXPECT_EQ(clGreen, At(2, 3)) << "magenta is transparent";
    EXPECT_EQ(clGreen, At(5, 6));
    FList.Draw(FTarget.Canvas(), 6, 0, 1);
    EXPECT_EQ(clBlack, At(8, 2));
    EXPECT_EQ(clGreen, At(7, 1));

    // Not masked, every pixel is drawn: the key colour's pixels as they are stored, black.
    Clear();
    FList.SetMasked(false);
    FList.Draw(FTarget.Canvas(), 2, 3, 0);
    EXPECT_EQ(clBlack, At(2, 3));
    EXPECT_EQ(clRed, At(3, 4));
    FList.SetMasked(true);

    TBitmap stored;
    ASSERT_TRUE(FList.GetBitmap(0, stored));
    EXPECT_EQ(clBlack, stored.Canvas().Pixels(0, 0)) << "masked pixels are stored black";
    EXPECT_EQ(clRed, stored.Canvas().Pixels(1, 1));
    EXPECT_FALSE(FList.GetBitmap(2, stored));
}

TEST_F(ImageList, AddWithAMaskBitmap) {
    TBitmap strip;
    Strip(strip);
    TBitmap mask;
    mask.SetSize(4, 4);
    mask.Canvas().Brush().SetColor(clBlack);
    mask.Canvas().FillRect(RECT{0, 0, 4, 4});
    mask.Canvas().SetPixels(0, 0, clWhite);
    mask.SetPixelFormat(pf1bit);
    EXPECT_EQ(0, FList.Add(strip, &mask));
    EXPECT_EQ(2, FList.Add(strip, nullptr));
    EXPECT_EQ(4, FList.Count());
    FList.Draw(FTarget.Canvas(), 0, 0, 0);
    EXPECT_EQ(clGreen, At(0, 0)) << "white in the mask is transparent";
    EXPECT_EQ(clFuchsia, At(1, 0));
    EXPECT_EQ(clRed, At(1, 1));
    Clear();
    FList.Draw(FTarget.Canvas(), 0, 0, 2);
    EXPECT_EQ(clFuchsia, At(0, 0)) << "no mask keeps every pixel";
}

TEST_F(ImageList, DisabledImagesAreEngravedInSystemColours) {
    TBitmap strip;
    Strip(strip);
    FList.AddMasked(strip, clFuchsia);
    FList.Draw(FTarget.Canvas(), 2, 2, 0, false);
    EXPECT_EQ(static_cast<TColor>(ColorToRGB(clBtnShadow)), At(3, 3)) << "the red pixel in shadow";
    EXPECT_EQ(static_cast<TColor>(ColorToRGB(clBtnHighlight)), At(4, 4)) << "and in highlight one down and right";
    EXPECT_EQ(clGreen, At(2, 5)) << "white pixels drop out";
    EXPECT_EQ(clGreen, At(2, 2)) << "transparent pixels drop out";
    EXPECT_EQ(clGreen, At(6, 6));
    EXPECT_EQ(clGreen, FTarget.Canvas().Brush().Color()) << "the canvas brush is put back";
}

TEST_F(ImageList, SizesCountsAndBadInput) {
    TBitmap narrow;
    narrow.SetSize(3, 4);
    EXPECT_THROW(FList.Add(narrow, nullptr), EInvalidGraphicOperation);
    TBitmap strip;
    Strip(strip);
    int changes = 0;
    FList.OnChange = [&](TObject*) { ++changes; };
    FList.AddMasked(strip, clNone);
    EXPECT_EQ(1, changes);
    FList.Delete(0);
    FList.Delete(5);
    EXPECT_EQ(1, FList.Count());
    EXPECT_EQ(2, changes);
    FList.Draw(FTarget.Canvas(), 0, 0, 7);
    EXPECT_EQ(clGreen, At(0, 0)) << "an index out of range draws nothing";
    FList.SetWidth(8);
    EXPECT_EQ(0, FList.Count()) << "a new size empties the list";
    FList.SetHeight(0);
    EXPECT_EQ(1, FList.Height());
    TCustomImageList defaults(nullptr);
    EXPECT_EQ(16, defaults.Width());
    EXPECT_EQ(16, defaults.Height());
}

TEST(ImageListOwner, IsDeletedByItsOwner) {
    TComponent owner(nullptr);
    auto* list = new TCustomImageList(&owner);
    EXPECT_EQ(1, owner.ComponentCount());
    EXPECT_EQ(list, owner.Components(0));
    EXPECT_STREQ("TCustomImageList", list->ClassName().c_str());
}

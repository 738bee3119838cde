// TImage: the picture's placement (own size, centred, stretched, proportional), the transparent colour,
// drawing through Canvas, AutoSize, and a picture carried in a description.
#include "StdCtrlsFixture.h"

#include <toolkit/Image.h>
#include <toolkit/MemoryStream.h>
#include <toolkit/Reader.h>

#include <cstdio>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255), kGreen = RGB(0, 255, 0);

// A 4 × 2 bitmap: blue left half, green right half, the bottom-left pixel red.
std::unique_ptr<TBitmap> MakeBitmap() {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetSize(4, 2);
    TCanvas& canvas = bitmap->Canvas();
    canvas.Brush().SetColor(static_cast<TColor>(kBlue));
    canvas.FillRect(RECT{0, 0, 2, 2});
    canvas.Brush().SetColor(static_cast<TColor>(kGreen));
    canvas.FillRect(RECT{2, 0, 4, 2});
    canvas.SetPixels(0, 1, static_cast<TColor>(kRed));
    return bitmap;
}

class Image : public StdCtrlsTest {
protected:
    void SetUp() override {
        StdCtrlsTest::SetUp();
        Form->SetColor(RGB(128, 128, 128));
        Subject = Add<TImage>(10, 10, 20, 10);
        Subject->Picture()->SetBitmap(*MakeBitmap());
        ShowForm();
    }
    TImage* Subject = nullptr;
};

const uint32_t kGrey = 0x808080, kRedPixel = 0xFF0000, kBluePixel = 0x0000FF, kGreenPixel = 0x00FF00;

}  // namespace

TEST_F(Image, PlacementFollowsStretchCenterAndProportional) {
    struct Probe {
        int X, Y;
        uint32_t Expected;
    };
    struct Case {
        const char* Name;
        bool Stretch, Center, Proportional;
        std::vector<Probe> Probes;
    } cases[] = {
        {"own size at the top left",
         false,
         false,
         false,
         {{0, 0, kBluePixel}, {3, 0, kGreenPixel}, {0, 1, kRedPixel}, {4, 0, kGrey}, {0, 2, kGrey}}},
        {"centred",
         false,
         true,
         false,
         {{8, 4, kBluePixel}, {11, 4, kGreenPixel}, {8, 5, kRedPixel}, {7, 4, kGrey}, {12, 5, kGrey}}},
        {"stretched to 20 × 10",
         true,
         false,
         false,
         {{0, 0, kBluePixel}, {19, 0, kGreenPixel}, {0, 9, kRedPixel}, {19, 9, kGreenPixel}, {9, 2, kBluePixel}}},
        // 4:2 in 20 × 10 fills it exactly.
        {"proportional and stretched", true, false, true, {{19, 9, kGreenPixel}, {0, 9, kRedPixel}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        Subject->SetStretch(c.Stretch);
        Subject->SetCenter(c.Center);
        Subject->SetProportional(c.Proportional);
        wintest::Picture shot = Crop(Subject);
        for (const Probe& p : c.Probes) EXPECT_EQ(shot.At(p.X, p.Y), p.Expected) << p.X << "," << p.Y;
    }
    // Proportional in a square: 4:2 becomes 20 × 10, centred vertically.
    Subject->SetBounds(10, 10, 20, 20);
    Subject->SetCenter(true);
    RECT dest = Subject->DestRect();
    EXPECT_EQ(dest.left, 0);
    EXPECT_EQ(dest.top, 5);
    EXPECT_EQ(dest.right, 20);
    EXPECT_EQ(dest.bottom, 15);
}

TEST_F(Image, TransparentLeavesTheBottomLeftColourUndrawn) {
    Subject->SetTransparent(true);
    EXPECT_TRUE(Subject->Picture()->Graphic()->Transparent());
    wintest::Picture shot = Crop(Subject);
    EXPECT_EQ(shot.At(0, 1), kGrey);
    EXPECT_EQ(shot.At(1, 1), kBluePixel);
    // A new picture takes the image's transparency too.
    Subject->Picture()->SetBitmap(*MakeBitmap());
    EXPECT_TRUE(Subject->Picture()->Graphic()->Transparent());
    Subject->SetTransparent(false);
    EXPECT_EQ(Crop(Subject).At(0, 1), kRedPixel);
}

TEST_F(Image, CanvasMakesABitmapOfTheControlsSizeAndAutoSizeTakesThePictures) {
    auto* blank = Add<TImage>(40, 10, 30, 12);
    blank->Canvas()->Brush().SetColor(static_cast<TColor>(kRed));
    blank->Canvas()->FillRect(RECT{0, 0, 30, 12});
    ASSERT_NE(blank->Picture()->Graphic(), nullptr);
    EXPECT_EQ(blank->Picture()->Width(), 30);
    EXPECT_EQ(blank->Picture()->Height(), 12);
    EXPECT_EQ(Crop(blank).At(29, 11), kRedPixel);

    blank->SetAutoSize(true);
    blank->Picture()->SetBitmap(*MakeBitmap());
    EXPECT_EQ(blank->Width(), 4);
    EXPECT_EQ(blank->Height(), 2);
}

TEST(ImageDescription, APictureTravelsInTheDescriptionsBinaryData) {
    TMemoryStream bmp;
    MakeBitmap()->SaveToStream(bmp);
    // Class name, then the BMP file's length and the file.
    std::string data = "\x07TBitmap";
    auto size = static_cast<uint32_t>(bmp.Size());
    for (int i = 0; i < 4; ++i) data += static_cast<char>((size >> (8 * i)) & 0xFF);
    data.append(bmp.Memory(), static_cast<size_t>(bmp.Size()));
    std::string hex;
    for (unsigned char byte : data) {
        char digits[3];
        std::snprintf(digits, sizeof(digits), "%02X", byte);
        hex += digits;
    }
    TForm form(nullptr);
    TReader(&form).Read(
        "object Form1: TForm\n"
        "  object Image1: TImage\n"
        "    Left = 9\n"
        "    Top = 191\n"
        "    Width = 139\n"
        "    Height = 133\n"
        "    Picture.Data = {\n      " +
        hex +
        "}\n"
        "    Transparent = True\n"
        "  end\n"
        "end\n");
    auto* image = dynamic_cast<TImage*>(form.FindComponent("Image1"));
    ASSERT_NE(image, nullptr);
    ASSERT_NE(dynamic_cast<TBitmap*>(image->Picture()->Graphic()), nullptr);
    auto& loaded = static_cast<TBitmap&>(*image->Picture()->Graphic());
    EXPECT_EQ(loaded.Width(), 4);
    EXPECT_EQ(loaded.Height(), 2);
    EXPECT_EQ(loaded.PixelColor(0, 1), kRed);
    EXPECT_EQ(loaded.PixelColor(3, 0), kGreen);
    EXPECT_TRUE(loaded.Transparent());
    EXPECT_EQ(image->Width(), 139);

    // An unknown class name or data cut short is an error of the description.
    for (const char* bad : {"{0554466F6F6F}", "{0754426974 6D6170 FF000000 424D}"}) {
        TForm other(nullptr);
        EXPECT_THROW(TReader(&other).Read(std::string("object F: TForm\n object I: TImage\n Picture.Data = ") + bad +
                                          "\n end\nend\n"),
                     EReadError)
            << bad;
    }
}

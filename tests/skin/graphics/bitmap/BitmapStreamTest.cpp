// TskBitmap storage and conversions: the stream format both ways, bottom-first rows, damaged streams, and
// Assign / AssignTo with the toolkit's bitmap, picture and graphic classes.
#include <skin/SkinBitmap.h>
#include <toolkit/Bitmap.h>
#include <toolkit/Canvas.h>
#include <toolkit/MemoryStream.h>
#include <toolkit/Picture.h>
#include <win32/modules.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Int(int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); }
std::string Pixel(TskColor value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

void Fill(TMemoryStream& stream, const std::string& bytes) {
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
}

std::string Bytes(TMemoryStream& stream) { return std::string(stream.Memory(), static_cast<size_t>(stream.Size())); }

std::vector<TskColor> Pixels(const TskBitmap& bitmap) {
    return std::vector<TskColor>(bitmap.Bits(), bitmap.Bits() + bitmap.Width() * bitmap.Height());
}

TEST(BitmapStream, BottomFirstRowsLoadFlippedAndSaveTopFirst) {
    const std::string r1 = Pixel(0x11111111) + Pixel(0x12121212), r2 = Pixel(0x21212121) + Pixel(0x22222222);
    TMemoryStream stream;
    Fill(stream, Int(3) + "Btn" + Int(2) + Int(-2) + r1 + r2);
    TskBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), stream.Size());
    EXPECT_EQ(bitmap.Name(), "Btn");
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0x21212121, 0x22222222, 0x11111111, 0x12121212}));
    EXPECT_FALSE(bitmap.AlphaBlend());  // flags are not stored

    TMemoryStream saved;
    bitmap.SaveToStream(saved);
    EXPECT_EQ(Bytes(saved), Int(3) + "Btn" + Int(2) + Int(2) + r2 + r1);

    saved.SetPosition(0);
    TskBitmap copy;
    copy.LoadFromStream(saved);
    EXPECT_EQ(Pixels(copy), Pixels(bitmap));
    EXPECT_EQ(copy.Name(), "Btn");
}

TEST(BitmapStream, ANegativeWidthReadsTheHeaderOnly) {
    TMemoryStream stream;
    Fill(stream, Int(0) + Int(-2) + Int(1) + Pixel(5) + Pixel(6));
    TskBitmap bitmap;
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0, 0}));
    EXPECT_EQ(stream.Position(), 12);
}

// Each damaged stream raises EReadError and leaves the loaded bitmap exactly as it was.
TEST(BitmapStream, DamagedStreamsAreRefusedAndChangeNothing) {
    const std::string good = Int(1) + "A" + Int(1) + Int(2) + Pixel(1) + Pixel(2);
    const std::vector<std::pair<const char*, std::string>> damaged = {
        {"empty", ""},
        {"cut in the name length", Int(1).substr(0, 3)},
        {"negative name length", Int(-1) + Int(1) + Int(1) + Pixel(1)},
        {"name longer than the stream", Int(0x7FFFFFFF) + "A"},
        {"cut in the height", good.substr(0, 10)},
        {"cut in the pixels", good.substr(0, good.size() - 1)},
        {"sizes far beyond the stream", Int(0) + Int(0x40000000) + Int(0x40000000) + Pixel(1)},
        {"byte count beyond 32 bits", Int(0) + Int(0x7FFFFFFF) + Int(-0x7FFFFFFF)},
        // Pixels that are not read after a negative width still make a picture of that size.
        {"negative width beyond the stream", Int(0) + Int(-3) + Int(117440515) + Pixel(1) + Pixel(2)},
        {"height of -2^31", Int(0) + Int(0) + Int(INT32_MIN)},
        {"width of -2^31", Int(0) + Int(INT32_MIN) + Int(1)},
    };
    for (const auto& [what, bytes] : damaged) {
        SCOPED_TRACE(what);
        TskBitmap bitmap;
        bitmap.SetName("kept");
        bitmap.SetSize(2, 1);
        bitmap.Clear(0xABCDEF01);
        TMemoryStream stream;
        Fill(stream, bytes);
        EXPECT_THROW(bitmap.LoadFromStream(stream), EReadError);
        EXPECT_EQ(bitmap.Name(), "kept");
        ASSERT_FALSE(bitmap.Empty());
        EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0xABCDEF01, 0xABCDEF01}));
    }
}

TEST(BitmapStream, AnEmptyBitmapSavesNoPixels) {
    TskBitmap bitmap;
    TMemoryStream saved;
    bitmap.SaveToStream(saved);
    EXPECT_EQ(Bytes(saved), Int(0) + Int(0) + Int(0));
}

TEST(BitmapAssign, AnotherTskBitmapWithNameAndFlags) {
    TskBitmap source;
    source.SetSize(2, 1);
    source.SetPixel(1, 0, 0x80FF0000);
    source.SetName("Face");
    source.SetAlphaBlend(true);
    source.SetTransparent(true);
    TskBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(Pixels(copy), Pixels(source));
    EXPECT_EQ(copy.Name(), "Face");
    EXPECT_TRUE(copy.AlphaBlend());
    EXPECT_TRUE(copy.Transparent());
    EXPECT_NE(copy.DC(), source.DC());
}

TEST(BitmapAssign, A32BitToolkitBitmapKeepsAlphaAndOtherFormatsBecomeOpaque) {
    TBitmap toolkit;
    toolkit.SetPixelFormat(pf32bit);
    toolkit.SetSize(2, 2);
    static_cast<TskColor*>(toolkit.ScanLine(0))[1] = 0x80112233;
    static_cast<TskColor*>(toolkit.ScanLine(1))[0] = 0xFF445566;
    TskBitmap bitmap;
    bitmap.Assign(&toolkit);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0x80112233u);
    EXPECT_EQ(bitmap.GetPixel(0, 1), 0xFF445566u);
    EXPECT_TRUE(bitmap.AlphaBlend());

    TBitmap mono;
    mono.SetMonochrome(true);
    mono.SetSize(2, 1);
    mono.Canvas().SetPixels(0, 0, clBlack);
    mono.Canvas().SetPixels(1, 0, clWhite);
    bitmap.Assign(&mono);
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0xFF000000, 0xFFFFFFFF}));

    // A picture's bitmap goes through the DC even when it is 32-bit: its alpha is not kept.
    TPicture picture;
    picture.SetBitmap(toolkit);
    bitmap.Assign(&picture);
    EXPECT_EQ(bitmap.GetPixel(1, 0), 0xFF112233u);
}

// A graphic that paints only its left column, in green.
class LeftColumnGraphic : public TGraphic {
public:
    bool Empty() const override { return false; }
    int Width() const override { return 3; }
    void SetWidth(int) override {}
    int Height() const override { return 2; }
    void SetHeight(int) override {}
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<LeftColumnGraphic>(); }
    void Assign(const TGraphic&) override {}

protected:
    void Draw(TCanvas& canvas, const RECT& rect) override {
        RECT column{rect.left, rect.top, rect.left + 1, rect.bottom};
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        ::FillRect(canvas.Handle(), &column, green);
        DeleteObject(green);
    }
};

TEST(BitmapAssign, OtherGraphicsKeepTheOldPixelsWhereNothingWasPainted) {
    TskBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.Clear(0x00102030);
    LeftColumnGraphic graphic;
    bitmap.Assign(&graphic);
    EXPECT_EQ(Pixels(bitmap),
              (std::vector<TskColor>{0xFF00FF00, 0xFF102030, 0xFF102030, 0xFF00FF00, 0xFF102030, 0xFF102030}));
    EXPECT_THROW(bitmap.Assign(static_cast<const TPersistent*>(&bitmap.Canvas())), EConvertError);
}

TEST(BitmapAssign, AssignToAToolkitBitmapDrawsWithTheBitmapsMode) {
    TskBitmap bitmap;
    bitmap.SetSize(2, 1);
    bitmap.SetPixel(0, 0, 0xFF0000FF);
    bitmap.SetPixel(1, 0, TransparentKey);
    bitmap.SetTransparent(true);
    TBitmap toolkit;
    toolkit.SetPixelFormat(pf1bit);
    toolkit.Canvas().Brush().SetColor(clRed);
    toolkit.Assign(&bitmap);
    EXPECT_EQ(toolkit.PixelFormat(), pf32bit);
    ASSERT_EQ(toolkit.Width(), 2);
    EXPECT_EQ(toolkit.PixelColor(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(toolkit.PixelColor(1, 0), RGB(255, 0, 0));  // the key left the new bitmap's own colour

    TPicture picture;
    picture.Assign(&bitmap);
    EXPECT_EQ(picture.Bitmap().PixelColor(0, 0), RGB(0, 0, 255));
}

}  // namespace

namespace {

// A bottom-up packed DIB, rows given top first.
std::string PackedDib(int bitCount, int width, const std::vector<std::vector<TskColor>>& rows) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = static_cast<LONG>(rows.size());
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bitCount);
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        std::string line;
        for (TskColor pixel : *row) line += Pixel(pixel).substr(0, static_cast<size_t>(bitCount / 8));
        line.resize((line.size() + 3) / 4 * 4, '\0');
        bytes += line;
    }
    return bytes;
}

std::string ProgramFile() {
    char path[4096] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

TEST(BitmapResource, ThirtyTwoBitResourcesKeepAlphaOthersBecomeOpaque) {
    const std::string program = ProgramFile();
    const std::string alpha = PackedDib(32, 2, {{0x80112233, 0xFF445566}, {0x00778899, 0x10AABBCC}});
    const std::string plain = PackedDib(24, 2, {{0x00112233, 0x00445566}});
    ASSERT_TRUE(win32::RegisterBitmapResource(program.c_str(), "SKINALPHA", alpha.data(), alpha.size()));
    ASSERT_TRUE(win32::RegisterBitmapResource(program.c_str(), "SKINPLAIN", plain.data(), plain.size()));

    TskBitmap bitmap;
    bitmap.LoadFromResource(program, "SkinAlpha");
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0x80112233, 0xFF445566, 0x00778899, 0x10AABBCC}));
    EXPECT_TRUE(bitmap.AlphaBlend());

    bitmap.LoadFromResource(program, "SKINPLAIN");
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0xFF112233, 0xFF445566}));

    bitmap.LoadFromResource(program, "NOSUCHBITMAP");
    bitmap.LoadFromResource("/no/such/module.dll", "SKINALPHA");
    EXPECT_EQ(Pixels(bitmap), (std::vector<TskColor>{0xFF112233, 0xFF445566}));
}

}  // namespace

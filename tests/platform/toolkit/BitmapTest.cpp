// TBitmap: size and format changes, scan lines, BMP files read and written, transparency; TPicture by extension.
#include <toolkit/Bitmap.h>
#include <toolkit/FileStream.h>
#include <toolkit/MemoryStream.h>
#include <toolkit/Picture.h>

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A memory stream holding bytes, positioned at its start.
std::unique_ptr<TMemoryStream> StreamOf(const std::string& bytes) {
    auto stream = std::make_unique<TMemoryStream>();
    stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream->SetPosition(0);
    return stream;
}

std::string BytesOf(TMemoryStream& stream) { return std::string(stream.Memory(), static_cast<size_t>(stream.Size())); }

void Put16(std::string& s, unsigned v) { s += static_cast<char>(v & 0xFF), s += static_cast<char>((v >> 8) & 0xFF); }
void Put32(std::string& s, uint32_t v) { Put16(s, v & 0xFFFF), Put16(s, v >> 16); }

// A BMP file written field by field: BITMAPFILEHEADER, a BITMAPINFOHEADER, extra (colour table or masks), pixels.
std::string Bmp(int width, int height, int bits, uint32_t compression, const std::string& extra,
                const std::string& pixels) {
    std::string s = "BM";
    uint32_t offset = 14 + 40 + static_cast<uint32_t>(extra.size());
    Put32(s, offset + static_cast<uint32_t>(pixels.size()));
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, static_cast<uint32_t>(width));
    Put32(s, static_cast<uint32_t>(height));
    Put16(s, 1);
    Put16(s, static_cast<unsigned>(bits));
    Put32(s, compression);
    Put32(s, static_cast<uint32_t>(pixels.size()));
    Put32(s, 0), Put32(s, 0), Put32(s, 0), Put32(s, 0);
    return s + extra + pixels;
}

std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

void Load(TBitmap& bitmap, const std::string& bytes) { bitmap.LoadFromStream(*StreamOf(bytes)); }

}  // namespace

TEST(Bitmap, SetSizeKeepsThePictureAndFillsNewAreaWithTheBrush) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(nullptr, bitmap.Handle());
    bitmap.SetSize(4, 3);
    EXPECT_EQ(pf32bit, bitmap.PixelFormat());
    EXPECT_EQ(bmDIB, bitmap.HandleType());
    EXPECT_EQ(clWhite, bitmap.Canvas().Pixels(3, 2)) << "a new bitmap is white";
    bitmap.Canvas().SetPixels(1, 1, clRed);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.SetWidth(6);
    bitmap.SetHeight(5);
    EXPECT_EQ(clRed, bitmap.Canvas().Pixels(1, 1));
    EXPECT_EQ(clWhite, bitmap.Canvas().Pixels(3, 2));
    EXPECT_EQ(clBlue, bitmap.Canvas().Pixels(5, 0));
    EXPECT_EQ(clBlue, bitmap.Canvas().Pixels(0, 4));
    bitmap.Canvas().SetPixels(5, 4, clLime);
    EXPECT_EQ(clLime, bitmap.Canvas().Pixels(5, 4)) << "the canvas draws into the new handle";
    bitmap.SetSize(-3, 2);
    EXPECT_EQ(0, bitmap.Width());
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, ScanLinesLieBottomUp) {
    TBitmap bitmap;
    bitmap.SetSize(3, 4);
    auto* top = static_cast<uint8_t*>(bitmap.ScanLine(0));
    auto* bottom = static_cast<uint8_t*>(bitmap.ScanLine(3));
    EXPECT_EQ(top, bottom + 3 * 3 * 4);
    DIBSECTION dib{};
    ASSERT_EQ(static_cast<int>(sizeof dib), GetObjectA(bitmap.Handle(), sizeof dib, &dib));
    EXPECT_EQ(dib.dsBm.bmBits, bottom);
    EXPECT_GT(dib.dsBmih.biHeight, 0);
    uint32_t* row = static_cast<uint32_t*>(bitmap.ScanLine(1));
    row[2] = 0x00112233;  // blue 0x33, green 0x22, red 0x11
    EXPECT_EQ(0x00332211, bitmap.Canvas().Pixels(2, 1));
    EXPECT_THROW(bitmap.ScanLine(4), EInvalidGraphicOperation);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(Bitmap, ChangesReachOnChange) {
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject* sender) {
        EXPECT_EQ(&bitmap, sender);
        ++changes;
    };
    bitmap.SetSize(2, 2);
    EXPECT_EQ(1, changes);
    bitmap.Canvas().FillRect(RECT{0, 0, 1, 1});
    EXPECT_EQ(2, changes);
    bitmap.SetSize(2, 2);
    EXPECT_EQ(2, changes);
    EXPECT_TRUE(bitmap.Modified());
}

TEST(Bitmap, SaveAndLoadRoundTrip) {
    TBitmap bitmap;
    bitmap.SetSize(5, 3);
    bitmap.Canvas().SetPixels(0, 0, 0x010203);
    bitmap.Canvas().SetPixels(4, 2, 0xFEDCBA);
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    std::string bytes = BytesOf(stream);
    ASSERT_EQ(14u + 40u + 5u * 3u * 4u, bytes.size());
    EXPECT_EQ("BM", bytes.substr(0, 2));
    EXPECT_EQ(32, bytes[28]) << "biBitCount";
    EXPECT_EQ(1, bytes[54 + 2 * 5 * 4]) << "the top row is stored last, blue first";

    TBitmap copy;
    Load(copy, bytes);
    EXPECT_EQ(5, copy.Width());
    EXPECT_EQ(3, copy.Height());
    EXPECT_EQ(pf32bit, copy.PixelFormat());
    EXPECT_EQ(0x010203, copy.Canvas().Pixels(0, 0));
    EXPECT_EQ(0xFEDCBA, copy.Canvas().Pixels(4, 2));
    EXPECT_EQ(clWhite, copy.Canvas().Pixels(2, 1));
}

TEST(Bitmap, MonochromeRoundTripAndConversion) {
    TBitmap bitmap;
    bitmap.SetSize(10, 2);
    bitmap.Canvas().SetPixels(9, 0, clBlack);
    bitmap.Canvas().SetPixels(3, 1, clNavy);
    bitmap.Canvas().SetPixels(4, 1, clSilver);
    bitmap.SetPixelFormat(pf1bit);
    EXPECT_TRUE(bitmap.Monochrome());
    EXPECT_EQ(clBlack, bitmap.Canvas().Pixels(9, 0));
    EXPECT_EQ(clBlack, bitmap.Canvas().Pixels(3, 1)) << "dark colours go black";
    EXPECT_EQ(clWhite, bitmap.Canvas().Pixels(4, 1)) << "light colours go white";
    EXPECT_EQ(clWhite, bitmap.Canvas().Pixels(0, 0));

    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    EXPECT_EQ(14 + 40 + 8 + 2 * 4, stream.Size());
    TBitmap copy;
    Load(copy, BytesOf(stream));
    EXPECT_EQ(pf1bit, copy.PixelFormat());
    EXPECT_EQ(clBlack, copy.Canvas().Pixels(9, 0));
    EXPECT_EQ(clWhite, copy.Canvas().Pixels(8, 0));
    copy.SetPixelFormat(pf32bit);
    EXPECT_EQ(clBlack, copy.Canvas().Pixels(3, 1));
    EXPECT_EQ(clWhite, copy.Canvas().Pixels(4, 1));
    EXPECT_THROW(copy.SetPixelFormat(pf24bit), EInvalidGraphicOperation);
}

TEST(Bitmap, ReadsHandWrittenFiles) {
    const uint32_t red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000, white = 0xFFFFFF;
    struct {
        const char* name;
        std::string file;
        uint32_t expected[4];  // top-left, top-right, bottom-left, bottom-right
    } cases[] = {
        // 24 bits, bottom-up: rows of two pixels padded to 8 bytes, the bottom row first.
        {"24-bit bottom-up",
         Bmp(2, 2, 24, BI_RGB, "", Bytes({0, 0, 255, 0, 255, 0, 0, 0, /* top: */ 255, 0, 0, 255, 255, 255, 0, 0})),
         {blue, white, red, green}},
        {"24-bit top-down",
         Bmp(2, -2, 24, BI_RGB, "", Bytes({0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0})),
         {red, green, blue, white}},
        {"8-bit palette of three colours",
         [] {
             std::string f = Bmp(2, 2, 8, BI_RGB, Bytes({0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0}),
                                 Bytes({2, 0, 0, 0, 1, 1, 0, 0}));
             f[46] = 3;  // biClrUsed
             return f;
         }(),
         {green, green, blue, red}},
        {"4-bit palette with two colours used",
         [] {
             std::string f =
                 Bmp(2, 2, 4, BI_RGB, Bytes({255, 255, 255, 0, 0, 255, 0, 0}), Bytes({0x10, 0, 0, 0, 0x01, 0, 0, 0}));
             f[46] = 2;  // biClrUsed
             return f;
         }(),
         {white, green, green, white}},
        {"1-bit",
         Bmp(2, 2, 1, BI_RGB, Bytes({0, 0, 0, 0, 255, 255, 255, 0}), Bytes({0x40, 0, 0, 0, 0x80, 0, 0, 0})),
         {white, 0, 0, white}},
        {"32-bit bit fields",
         Bmp(2, -2, 32, BI_BITFIELDS, Bytes({0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0}),
             Bytes({0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0})),
         {red, green, blue, white}},
        {"16-bit 5-6-5",
         Bmp(2, 2, 16, BI_BITFIELDS, Bytes({0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}),
             Bytes({0x1F, 0, 0xFF, 0xFF, 0, 0xF8, 0xE0, 0x07})),
         {red, green, blue, white}},
    };
    for (auto& c : cases) {
        TBitmap bitmap;
        Load(bitmap, c.file);
        ASSERT_EQ(2, bitmap.Width()) << c.name;
        ASSERT_EQ(2, bitmap.Height()) << c.name;
        TCanvas& canvas = bitmap.Canvas();
        EXPECT_EQ(c.expected[0], static_cast<uint32_t>(canvas.Pixels(0, 0))) << c.name;
        EXPECT_EQ(c.expected[1], static_cast<uint32_t>(canvas.Pixels(1, 0))) << c.name;
        EXPECT_EQ(c.expected[2], static_cast<uint32_t>(canvas.Pixels(0, 1))) << c.name;
        EXPECT_EQ(c.expected[3], static_cast<uint32_t>(canvas.Pixels(1, 1))) << c.name;
    }
}

TEST(Bitmap, ReadingStopsAtTheEndOfTheFile) {
    std::string file = Bmp(1, 1, 24, BI_RGB, "", Bytes({1, 2, 3, 0}));
    auto stream = StreamOf(file + "tail");
    TBitmap bitmap;
    bitmap.LoadFromStream(*stream);
    EXPECT_EQ(static_cast<int64_t>(file.size()), stream->Position());
    EXPECT_EQ(0x010203, bitmap.Canvas().Pixels(0, 0));
}

TEST(Bitmap, RefusesWhatIsNotABitmap) {
    std::string good = Bmp(1, 1, 24, BI_RGB, "", Bytes({1, 2, 3, 0}));
    std::string badSignature = good, rle = Bmp(1, 1, 8, BI_RLE8, std::string(1024, '\0'), Bytes({1, 0, 0, 1})),
                zeroWidth = Bmp(0, 1, 24, BI_RGB, "", ""), bits = Bmp(1, 1, 7, BI_RGB, "", Bytes({0, 0, 0, 0}));
    badSignature[0] = 'X';
    for (const std::string& file : {badSignature, rle, zeroWidth, bits}) {
        TBitmap bitmap;
        bitmap.SetSize(1, 1);
        EXPECT_THROW(Load(bitmap, file), EInvalidGraphic);
        EXPECT_EQ(1, bitmap.Width()) << "a failed load leaves the bitmap alone";
    }
    // Files that end early, or whose sizes claim more pixels than they hold (a row too wide for 32-bit
    // arithmetic, a picture of a gigabyte behind a bare header), are refused before anything is allocated.
    const std::string wideRow =
        Bmp(1 << 26, 1, 32, BI_RGB, "", Bytes({1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 1, 2, 3, 0}));
    for (const std::string& file :
         {good.substr(0, 20), good.substr(0, 57), wideRow, Bmp(16384, 16384, 24, BI_RGB, "", ""),
          Bmp(16384, -16384, 4, BI_RGB, std::string(64, '\0'), "")}) {
        TBitmap bitmap;
        EXPECT_THROW(Load(bitmap, file), EInvalidGraphic) << file.size() << " bytes";
    }
    TBitmap bitmap;
    bitmap.SetSize(2, 2);
    Load(bitmap, "");
    EXPECT_TRUE(bitmap.Empty()) << "no bytes at all is an empty bitmap";
}

TEST(Bitmap, TransparentDrawingKeepsTheKeyColourOut) {
    TBitmap glyph;
    glyph.SetSize(3, 3);
    glyph.Canvas().Brush().SetColor(clFuchsia);
    glyph.Canvas().FillRect(RECT{0, 0, 3, 3});
    glyph.Canvas().SetPixels(1, 1, clRed);
    glyph.Canvas().SetPixels(2, 0, clLime);
    EXPECT_EQ(clFuchsia, glyph.TransparentColor()) << "the bottom-left pixel";
    EXPECT_EQ(tmAuto, glyph.TransparentMode());

    TBitmap target;
    target.SetSize(8, 8);
    target.Canvas().Brush().SetColor(clBlue);
    target.Canvas().FillRect(RECT{0, 0, 8, 8});
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(clFuchsia, target.Canvas().Pixels(0, 0)) << "opaque unless Transparent";

    glyph.SetTransparent(true);
    target.Canvas().FillRect(RECT{0, 0, 8, 8});
    target.Canvas().Draw(1, 1, glyph);
    EXPECT_EQ(clBlue, target.Canvas().Pixels(1, 1));
    EXPECT_EQ(clRed, target.Canvas().Pixels(2, 2));
    EXPECT_EQ(clLime, target.Canvas().Pixels(3, 1));
    EXPECT_EQ(clBlue, target.Canvas().Pixels(3, 3));

    // Stretched to twice the size.
    target.Canvas().FillRect(RECT{0, 0, 8, 8});
    target.Canvas().StretchDraw(RECT{0, 0, 6, 6}, glyph);
    EXPECT_EQ(clBlue, target.Canvas().Pixels(0, 0));
    EXPECT_EQ(clRed, target.Canvas().Pixels(2, 3));
    EXPECT_EQ(clRed, target.Canvas().Pixels(3, 2));
    EXPECT_EQ(clLime, target.Canvas().Pixels(5, 0));
    EXPECT_EQ(clBlue, target.Canvas().Pixels(5, 5));

    // A fixed colour: now fuchsia is drawn and red is the hole.
    glyph.SetTransparentColor(clRed);
    EXPECT_EQ(tmFixed, glyph.TransparentMode());
    target.Canvas().FillRect(RECT{0, 0, 8, 8});
    target.Canvas().Draw(0, 0, glyph);
    EXPECT_EQ(clFuchsia, target.Canvas().Pixels(0, 0));
    EXPECT_EQ(clBlue, target.Canvas().Pixels(1, 1));
    glyph.SetTransparentMode(tmAuto);
    EXPECT_EQ(clFuchsia, glyph.TransparentColor());
}

TEST(Bitmap, AssignCopiesPixelsAndSettings) {
    TBitmap source;
    source.SetSize(2, 2);
    source.Canvas().SetPixels(1, 0, clTeal);
    source.SetTransparent(true);
    source.SetTransparentColor(clTeal);
    TBitmap copy;
    int changes = 0;
    copy.OnChange = [&](TObject*) { ++changes; };
    copy.Assign(&source);
    EXPECT_EQ(1, changes);
    EXPECT_EQ(clTeal, copy.Canvas().Pixels(1, 0));
    EXPECT_TRUE(copy.Transparent());
    EXPECT_EQ(clTeal, copy.TransparentColor());
    source.Canvas().SetPixels(1, 0, clRed);
    EXPECT_EQ(clTeal, copy.Canvas().Pixels(1, 0)) << "the copy has pixels of its own";
    EXPECT_NE(source.Handle(), copy.Handle());
    auto clone = copy.Clone();
    EXPECT_EQ(clTeal, static_cast<TBitmap&>(*clone).Canvas().Pixels(1, 0));
    TFont font;
    EXPECT_THROW(copy.Assign(&font), EConvertError);
}

TEST(Bitmap, DeviceHandleTypeKeepsPixels) {
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.Canvas().SetPixels(2, 1, clMaroon);
    bitmap.SetHandleType(bmDDB);
    EXPECT_EQ(bmDDB, bitmap.HandleType());
    DIBSECTION dib{};
    EXPECT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectA(bitmap.Handle(), sizeof dib, &dib));
    EXPECT_EQ(clMaroon, bitmap.Canvas().Pixels(2, 1));
    bitmap.ScanLine(0);
    EXPECT_EQ(bmDIB, bitmap.HandleType()) << "scan lines need a DIB";
    EXPECT_EQ(clMaroon, bitmap.Canvas().Pixels(2, 1));
}

TEST(Bitmap, SetHandleTakesOverAPicture) {
    HBITMAP handle = CreateBitmap(2, 2, 1, 32, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, handle);
    SetPixel(dc, 1, 0, RGB(10, 20, 30));
    SelectObject(dc, old);
    DeleteDC(dc);
    TBitmap bitmap;
    bitmap.SetHandle(handle);
    EXPECT_EQ(2, bitmap.Width());
    EXPECT_EQ(RGB(10, 20, 30), static_cast<COLORREF>(bitmap.Canvas().Pixels(1, 0)));
    EXPECT_EQ(0u, GetObjectType(handle)) << "the given handle is the bitmap's to delete";
}

TEST(Picture, LoadsByExtensionAndForwardsChanges) {
    testsupport::TempDir dir;
    TBitmap bitmap;
    bitmap.SetSize(3, 2);
    bitmap.Canvas().SetPixels(0, 0, clOlive);
    bitmap.SaveToFile(dir.File("a.BMP"));

    TPicture picture;
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.LoadFromFile(dir.File("a.BMP"));
    EXPECT_EQ(1, changes);
    ASSERT_NE(nullptr, dynamic_cast<TBitmap*>(picture.Graphic()));
    EXPECT_EQ(3, picture.Width());
    EXPECT_EQ(clOlive, picture.Bitmap().Canvas().Pixels(0, 0));
    picture.Bitmap().Canvas().SetPixels(1, 1, clRed);
    EXPECT_EQ(2, changes) << "the graphic's changes reach the picture";

    EXPECT_THROW(picture.LoadFromFile(dir.File("a.gif")), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile(dir.File("missing.bmp")), EFOpenError);
    EXPECT_EQ(3, picture.Width()) << "failed loads keep the picture";

    TPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(clRed, copy.Bitmap().Canvas().Pixels(1, 1));
    copy.Assign(nullptr);
    EXPECT_EQ(nullptr, copy.Graphic());
}

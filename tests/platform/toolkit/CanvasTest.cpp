// TCanvas over a bitmap's DC and over a DC of its own: lazy selection, re-pointing, shapes, text and pixels.
#include <toolkit/Bitmap.h>
#include <toolkit/Canvas.h>

#include <gtest/gtest.h>

namespace {

class Canvas : public ::testing::Test {
protected:
    TBitmap FBitmap;
    TCanvas& FCanvas = FBitmap.Canvas();
    void SetUp() override {
        FBitmap.SetSize(40, 20);
        Fill(clWhite);
    }
    void Fill(TColor color) {
        FCanvas.Brush().SetColor(color);
        FCanvas.FillRect(RECT{0, 0, FBitmap.Width(), FBitmap.Height()});
    }
    int Count(TColor color, const RECT& area) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += FCanvas.Pixels(x, y) == color;
        return n;
    }
};

// A memory DC with a 32-bit DIB section, for canvases that do not own their DC.
struct MemoryDC {
    HDC DC = CreateCompatibleDC(nullptr);
    HBITMAP Bitmap;
    HGDIOBJ Old;
    MemoryDC() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 10, 10, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        Old = SelectObject(DC, Bitmap);
    }
    ~MemoryDC() {
        SelectObject(DC, Old);
        DeleteObject(Bitmap);
        DeleteDC(DC);
    }
};

}  // namespace

TEST_F(Canvas, ShapesUsePenAndBrush) {
    FCanvas.Pen().SetColor(clRed);
    FCanvas.Brush().SetColor(clBlue);
    FCanvas.Rectangle(2, 2, 8, 8);
    EXPECT_EQ(clRed, FCanvas.Pixels(2, 2));
    EXPECT_EQ(clRed, FCanvas.Pixels(7, 7));
    EXPECT_EQ(clBlue, FCanvas.Pixels(4, 4));
    EXPECT_EQ(clWhite, FCanvas.Pixels(8, 8));

    FCanvas.Pen().SetColor(clLime);
    FCanvas.MoveTo(10, 1);
    FCanvas.LineTo(15, 1);
    EXPECT_EQ(clLime, FCanvas.Pixels(14, 1));
    EXPECT_EQ(clWhite, FCanvas.Pixels(15, 1)) << "LineTo leaves out its end point";
    EXPECT_EQ(15, FCanvas.PenPos().x);

    FCanvas.Polyline({{20, 0}, {20, 5}, {25, 5}});
    EXPECT_EQ(clLime, FCanvas.Pixels(20, 3));
    EXPECT_EQ(clLime, FCanvas.Pixels(22, 5));

    FCanvas.Brush().SetColor(clYellow);
    FCanvas.FillRect(RECT{30, 10, 33, 13});
    EXPECT_EQ(9, Count(clYellow, RECT{29, 9, 34, 14})) << "FillRect draws no pen outline";
    FCanvas.Brush().SetColor(clFuchsia);
    FCanvas.FrameRect(RECT{30, 10, 33, 13});
    EXPECT_EQ(8, Count(clFuchsia, RECT{29, 9, 34, 14}));
    EXPECT_EQ(clYellow, FCanvas.Pixels(31, 11));
}

TEST_F(Canvas, PenModeAndStyleReachTheDC) {
    Fill(clBlack);
    FCanvas.Pen().SetColor(clWhite);
    FCanvas.Pen().SetMode(pmXor);
    FCanvas.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(clWhite, FCanvas.Pixels(0, 0));
    FCanvas.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(clBlack, FCanvas.Pixels(0, 0)) << "XOR twice restores";
    FCanvas.Pen().SetMode(pmCopy);
    FCanvas.Pen().SetStyle(psClear);
    FCanvas.Brush().SetColor(clRed);
    FCanvas.Rectangle(10, 0, 14, 4);
    EXPECT_EQ(clRed, FCanvas.Pixels(10, 0));
    EXPECT_EQ(clRed, FCanvas.Pixels(12, 2));
    EXPECT_EQ(clBlack, FCanvas.Pixels(13, 3)) << "without a pen the fill stops one pixel short, as on Windows";
}

TEST_F(Canvas, HatchedAndClearBrushes) {
    Fill(clWhite);
    FCanvas.Brush().SetStyle(bsClear);
    FCanvas.Pen().SetColor(clBlack);
    FCanvas.Rectangle(0, 0, 6, 6);
    EXPECT_EQ(clWhite, FCanvas.Pixels(3, 3)) << "a clear brush leaves the inside";
    FCanvas.Brush().SetColor(clRed);
    EXPECT_EQ(bsSolid, FCanvas.Brush().Style()) << "a colour makes the brush solid again";

    Fill(clWhite);
    FCanvas.Brush().SetColor(clBlue);
    FCanvas.Brush().SetStyle(bsHorizontal);
    FCanvas.FillRect(RECT{0, 0, 16, 16});
    int blue = Count(clBlue, RECT{0, 0, 16, 16}), white = Count(clWhite, RECT{0, 0, 16, 16});
    EXPECT_EQ(256, blue + white) << "hatch gaps keep the background";
    EXPECT_GT(blue, 0);
    EXPECT_GT(white, blue);
}

TEST_F(Canvas, TextOutMovesPenPosAndPaintsTheBrushBehind) {
    Fill(clRed);
    FCanvas.Font().SetColor(clBlack);
    FCanvas.Brush().SetColor(clWhite);
    SIZE extent = FCanvas.TextExtent("Hi");
    EXPECT_GT(extent.cx, 0);
    EXPECT_EQ(FCanvas.TextWidth("Hi"), extent.cx);
    EXPECT_EQ(FCanvas.TextHeight("Hi"), extent.cy);
    FCanvas.TextOut(2, 1, "Hi");
    POINT pos = FCanvas.PenPos();
    EXPECT_EQ(2 + extent.cx, pos.x);
    EXPECT_EQ(1, pos.y);
    RECT box{2, 1, 2 + extent.cx, 1 + extent.cy};
    EXPECT_GT(Count(clBlack, box), 0);
    EXPECT_GT(Count(clWhite, box), 0);
    EXPECT_EQ(0, Count(clRed, box)) << "the opaque background covers the whole text box";

    Fill(clRed);
    FCanvas.Brush().SetStyle(bsClear);
    FCanvas.TextOut(2, 1, "Hi");
    EXPECT_GT(Count(clBlack, box), 0);
    EXPECT_EQ(0, Count(clWhite, box)) << "bsClear leaves the background";
    EXPECT_GT(Count(clRed, box), 0);
}

TEST_F(Canvas, TextRectClipsToItsRectangle) {
    Fill(clRed);
    FCanvas.Font().SetColor(clBlack);
    FCanvas.Brush().SetColor(clWhite);
    RECT clip{4, 2, 12, 12};
    FCanvas.TextRect(clip, 0, 0, "WWWWWW");
    EXPECT_EQ(0, Count(clRed, clip)) << "the rectangle is filled";
    EXPECT_GT(Count(clBlack, clip), 0);
    EXPECT_EQ(0, Count(clBlack, RECT{0, 0, 4, 20}));
    EXPECT_EQ(0, Count(clBlack, RECT{12, 0, 40, 20}));
    EXPECT_EQ(0, Count(clWhite, RECT{12, 0, 40, 20}));
}

TEST_F(Canvas, DrawFocusRectIsUndoneBySecondCall) {
    RECT r{2, 2, 12, 10};
    FCanvas.DrawFocusRect(r);
    EXPECT_GT(40 * 20 - Count(clWhite, RECT{0, 0, 40, 20}), 0);
    FCanvas.DrawFocusRect(r);
    EXPECT_EQ(40 * 20, Count(clWhite, RECT{0, 0, 40, 20}));
}

TEST_F(Canvas, PixelsClipRectCopyRectAndStretchDraw) {
    FCanvas.SetPixels(3, 4, clBtnFace);
    EXPECT_EQ(0xC0C0C0, FCanvas.Pixels(3, 4)) << "system colours are stored as RGB";
    EXPECT_EQ(static_cast<TColor>(CLR_INVALID), FCanvas.Pixels(40, 0));
    RECT clip = FCanvas.ClipRect();
    EXPECT_EQ(0, clip.left);
    EXPECT_EQ(40, clip.right);
    EXPECT_EQ(20, clip.bottom);

    TBitmap other;
    other.SetSize(4, 4);
    other.Canvas().Brush().SetColor(clGreen);
    other.Canvas().FillRect(RECT{0, 0, 2, 2});
    FCanvas.CopyRect(RECT{20, 0, 24, 4}, other.Canvas(), RECT{0, 0, 4, 4});
    EXPECT_EQ(clGreen, FCanvas.Pixels(21, 1));
    EXPECT_EQ(clWhite, FCanvas.Pixels(22, 2));
    FCanvas.StretchDraw(RECT{24, 0, 32, 8}, other);
    EXPECT_EQ(clGreen, FCanvas.Pixels(27, 3));
    EXPECT_EQ(clWhite, FCanvas.Pixels(28, 4));
    FCanvas.Draw(32, 10, other);
    EXPECT_EQ(clGreen, FCanvas.Pixels(33, 11));
    EXPECT_EQ(clWhite, FCanvas.Pixels(34, 12));
}

TEST_F(Canvas, EachDrawingCallReportsChangingThenChange) {
    std::string events;
    FCanvas.OnChanging = [&](TObject*) { events += "<"; };
    FCanvas.OnChange = [&](TObject*) { events += ">"; };
    FCanvas.FillRect(RECT{0, 0, 2, 2});
    FCanvas.LineTo(3, 3);
    EXPECT_EQ("<><>", events);
    FCanvas.OnChanging = nullptr;
    FCanvas.OnChange = nullptr;
}

TEST(CanvasHandle, SelectsLazilyAndMovesBetweenDCs) {
    MemoryDC first, second;
    TCanvas canvas;
    EXPECT_THROW(canvas.FillRect(RECT{0, 0, 1, 1}), EInvalidGraphicOperation);
    canvas.SetHandle(first.DC);
    EXPECT_NE(canvas.Brush().Handle(), GetCurrentObject(first.DC, OBJ_BRUSH)) << "nothing selected before use";
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(canvas.Brush().Handle(), GetCurrentObject(first.DC, OBJ_BRUSH));
    EXPECT_EQ(static_cast<COLORREF>(clRed), GetPixel(first.DC, 5, 5));
    canvas.MoveTo(7, 3);

    // A changed brush is dropped from the DC at once, so its old handle can go.
    canvas.Brush().SetColor(clBlue);
    EXPECT_EQ(GetStockObject(HOLLOW_BRUSH), GetCurrentObject(first.DC, OBJ_BRUSH));

    canvas.Font().Handle();
    canvas.TextOut(0, 0, "x");
    HGDIOBJ font = canvas.Font().Handle();
    EXPECT_EQ(font, GetCurrentObject(first.DC, OBJ_FONT));
    canvas.MoveTo(7, 3);
    canvas.SetHandle(second.DC);
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(first.DC, OBJ_FONT)) << "the old DC lets go";
    EXPECT_NE(font, GetCurrentObject(second.DC, OBJ_FONT));
    EXPECT_EQ(7, canvas.PenPos().x) << "the pen position moves over";
    EXPECT_EQ(3, canvas.PenPos().y);
    canvas.FillRect(RECT{0, 0, 10, 10});
    EXPECT_EQ(static_cast<COLORREF>(clBlue), GetPixel(second.DC, 9, 9));
    EXPECT_EQ(static_cast<COLORREF>(clRed), GetPixel(first.DC, 9, 9));

    EXPECT_EQ(second.DC, canvas.Handle());
    EXPECT_EQ(font, GetCurrentObject(second.DC, OBJ_FONT)) << "Handle selects everything";
    canvas.SetHandle(nullptr);
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_EQ(GetStockObject(SYSTEM_FONT), GetCurrentObject(second.DC, OBJ_FONT));
}

TEST(CanvasLock, Nests) {
    TCanvas canvas;
    canvas.Lock();
    canvas.Lock();
    EXPECT_EQ(2, canvas.LockCount());
    EXPECT_TRUE(canvas.TryLock());
    canvas.Unlock();
    canvas.Unlock();
    canvas.Unlock();
    EXPECT_EQ(0, canvas.LockCount());
}

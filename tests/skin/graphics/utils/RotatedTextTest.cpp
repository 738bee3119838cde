// Rotated text compared with the same text drawn upright: every full-ink pixel lands where a quarter turn puts
// it, in the text colour of the canvas's DC, and nothing else on the canvas changes.
#include "PaintFixture.h"

#include <skin/RotatedText.h>
#include <skin/SkinBitmap.h>
#include <skin/TextUtils.h>

#include <win32/windows.h>

#include <set>
#include <utility>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

class RotatedText : public PaintFixture {
protected:
    void SetUp() override {
        Reset(60, 50, clYellow);
        FCanvas.Font().SetName("宋体");
        FCanvas.Font().SetHeight(-12);
        FCanvas.Font().SetColor(clBlue);
    }
    // The full-ink pixels of text drawn upright into a height × width box, in the box's coordinates.
    std::set<std::pair<int, int>> Upright(const std::u16string& text, int boxWidth, int boxHeight, UINT flags) {
        TBitmap upright;
        upright.SetSize(boxWidth, boxHeight);
        TCanvas& canvas = upright.Canvas();
        canvas.Brush().SetColor(clYellow);
        canvas.FillRect(RECT{0, 0, boxWidth, boxHeight});
        canvas.Font().Assign(FCanvas.Font());
        RECT box{0, 0, boxWidth, boxHeight};
        DrawTextEx2(canvas, text, box, flags);
        std::set<std::pair<int, int>> ink;
        for (int y = 0; y < boxHeight; ++y)
            for (int x = 0; x < boxWidth; ++x)
                if ((upright.PixelColor(x, y) & 0xFFFFFF) == kBlue) ink.insert({x, y});
        return ink;
    }
    std::set<std::pair<int, int>> Ink(const RECT& area) const {
        std::set<std::pair<int, int>> ink;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) == kBlue) ink.insert({x, y});
        return ink;
    }
};

TEST_F(RotatedText, ClockwiseAndCounterClockwiseTurnTheUprightPicture) {
    const RECT rect{10, 5, 26, 45};  // 16 wide, 40 high: the text runs along the 40 pixels
    const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    const auto upright = Upright(u"通道L", 40, 16, flags);
    ASSERT_GT(upright.size(), 20u);
    for (bool clockwise : {true, false}) {
        SCOPED_TRACE(clockwise ? "clockwise" : "counter-clockwise");
        Reset(60, 50, clYellow);
        DrawRotatedText(FCanvas, u"通道L", rect, clockwise, flags);
        std::set<std::pair<int, int>> expected;
        for (auto [x, y] : upright)
            expected.insert(clockwise ? std::make_pair(rect.left + 16 - 1 - y, rect.top + x)
                                      : std::make_pair(rect.left + y, rect.top + 40 - 1 - x));
        EXPECT_EQ(Ink(RECT{0, 0, 60, 50}), expected);
        // Outside the rectangle nothing changes.
        EXPECT_EQ(Count(kYellow, RECT{0, 0, 60, 5}), 60 * 5);
        EXPECT_EQ(Count(kYellow, RECT{0, 45, 60, 50}), 60 * 5);
        EXPECT_EQ(Count(kYellow, RECT{0, 0, 10, 50}), 10 * 50);
        EXPECT_EQ(Count(kYellow, RECT{26, 0, 60, 50}), 34 * 50);
    }
}

TEST_F(RotatedText, DrawsIntoATskBitmapCanvasToo) {
    TskBitmap target;
    target.SetSize(20, 30);
    target.Clear(0xFFFFFF00);
    target.Canvas().Font().Assign(FCanvas.Font());
    DrawRotatedText(target.Canvas(), u"AB", RECT{2, 2, 18, 28}, true, DT_SINGLELINE);
    int ink = 0;
    // Text pixels arrive opaque in the font colour; the key never reaches the target.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x) {
            TskColor pixel = target.GetPixel(x, y);
            ink += pixel == 0xFF0000FF;
            EXPECT_FALSE(IsKeyPixel(pixel)) << x << "," << y;
        }
    EXPECT_GT(ink, 10);
}

TEST_F(RotatedText, TheTextTakesTheColourOfTheCanvasDc) {
    // A painter that sets the DC's text colour (a hot tab in the highlight colour) over the font's.
    const RECT rect{10, 5, 26, 45};
    SetTextColor(FCanvas.Handle(), RGB(255, 0, 0));
    DrawRotatedText(FCanvas, u"通道L", rect, true, DT_SINGLELINE);
    EXPECT_GT(Count(RGB(255, 0, 0), rect), 20);
    EXPECT_EQ(Count(kBlue, rect), 0) << "the font's colour is not used over the DC's";
}

TEST_F(RotatedText, EmptyRectanglesDrawNothing) {
    DrawRotatedText(FCanvas, u"通道", RECT{10, 10, 10, 40}, true, DT_SINGLELINE);
    DrawRotatedText(FCanvas, u"通道", RECT{10, 10, 30, 5}, false, DT_SINGLELINE);
    EXPECT_EQ(CountAll(kYellow), 60 * 50);
}

}  // namespace

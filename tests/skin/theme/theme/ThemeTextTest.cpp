// Text through TskTheme::DrawText: the text-info record from DrawText flags, the nine placements of the measured
// text, right-to-left reading, word wrap against a single line, prefixes, and the quarter turns.
#include "ThemePaint.h"

#include <skin/RotatedText.h>
#include <skin/TextUtils.h>
#include <skin/Theme.h>

namespace {

TEST(MakeTextInfo, AlignmentAndFlagsFollowTheDrawTextFlags) {
    struct Case {
        UINT Flags;
        std::uint8_t Alignment;
        std::uint8_t TextFlags;
    } cases[] = {
        {DT_LEFT | DT_TOP, txaTopLeft, 0},
        {DT_VCENTER, txaLeft, 0},
        {DT_BOTTOM, txaBottomLeft, 0},
        {DT_CENTER, txaTopCenter, 0},
        {DT_CENTER | DT_VCENTER | DT_SINGLELINE, txaCenter, tfSingleLine},
        {DT_CENTER | DT_BOTTOM, txaBottomCenter, 0},
        {DT_RIGHT, txaTopRight, 0},
        {DT_RIGHT | DT_VCENTER | DT_NOPREFIX, txaRight, tfNoPrefix},
        {DT_RIGHT | DT_BOTTOM | DT_RTLREADING, txaBottomRight, tfRtlReading},
        {DT_WORDBREAK | DT_CALCRECT | DT_END_ELLIPSIS, txaTopLeft, tfWordWrap},
    };
    for (const Case& c : cases) {
        TskTextInfo info;
        info.Rotation = trClockwise;
        MakeTextInfo(RECT{1, 2, 3, 4}, u"x", c.Flags, info);
        EXPECT_EQ(info.Alignment, c.Alignment) << std::hex << c.Flags;
        EXPECT_EQ(info.TextFlags, c.TextFlags) << std::hex << c.Flags;
        EXPECT_EQ(info.Rotation, trNone);
        EXPECT_EQ(info.Text, u"x");
        EXPECT_EQ(info.Rect, (RECT{1, 2, 3, 4}));
    }
}

class ThemeText : public ThemePaint {
protected:
    TskTheme FTheme;

    void SetUp() override {
        Reset(200, 100);
        Canvas().Font().SetName("宋体");
        Canvas().Font().SetHeight(-12);
        Canvas().Font().SetColor(clBlack);
    }
    TskTextInfo Info(const RECT& rect, const std::u16string& text, std::uint8_t alignment,
                     std::uint8_t flags = tfSingleLine, std::uint8_t rotation = trNone) {
        TskTextInfo info;
        info.Rect = rect;
        info.Text = text;
        info.Alignment = alignment;
        info.TextFlags = flags;
        info.Rotation = rotation;
        return info;
    }
    RECT Drawn(const TskTextInfo& info) {
        FBitmap.Clear(0xFFFFFFFF);
        FTheme.DrawText(Canvas(), info);
        return InkBox();
    }
    SIZE Extent(const std::u16string& text, UINT flags) {
        RECT box{0, 0, 100, 30};
        DrawTextEx2(Canvas(), text, box, flags | DT_CALCRECT);
        return SIZE{box.right - box.left, box.bottom - box.top};
    }
};

TEST_F(ThemeText, NineAlignmentsMoveTheMeasuredTextToTheirCellOfTheRectangle) {
    const RECT rect{20, 10, 120, 40};  // 100 × 30, as a caption or button face
    const std::u16string text = u"Ag通道";
    const SIZE extent = Extent(text, DT_SINGLELINE);
    const RECT origin = Drawn(Info(rect, text, txaTopLeft));
    ASSERT_GT(origin.right, origin.left);
    const int dxs[] = {0, (100 - extent.cx) / 2, 100 - extent.cx};
    const int dys[] = {0, (30 - extent.cy) / 2, 30 - extent.cy};
    for (std::uint8_t alignment = txaTopLeft; alignment <= txaBottomRight; ++alignment) {
        RECT expected = origin;
        OffsetRect(&expected, dxs[alignment / 3], dys[alignment % 3]);
        EXPECT_EQ(Drawn(Info(rect, text, alignment)), expected) << int(alignment);
    }
}

TEST_F(ThemeText, AlignmentsBeyondTheNineDrawNothing) {
    const RECT rect{20, 10, 120, 40};
    for (std::uint8_t alignment : {9, 12, 255})
        EXPECT_EQ(Drawn(Info(rect, u"Ag", alignment)), (RECT{0, 0, 0, 0})) << int(alignment);
}

TEST_F(ThemeText, TextWiderThanTheRectangleIsCentredOverBothEdges) {
    const RECT rect{60, 10, 100, 40};
    const std::u16string text = u"WWWWWWWWWW";
    const SIZE extent = Extent(text, DT_SINGLELINE);
    ASSERT_GT(extent.cx, 40);
    const RECT centred = Drawn(Info(rect, text, txaTopCenter));
    FBitmap.Clear(0xFFFFFFFF);
    RECT upright{0, 10, 200, 40};
    DrawTextEx2(Canvas(), text, upright, DT_SINGLELINE);
    RECT expected = InkBox();
    OffsetRect(&expected, 60 + (40 - extent.cx) / 2, 0);
    EXPECT_EQ(centred, expected);
    EXPECT_LT(centred.left, rect.left);
}

TEST_F(ThemeText, RightToLeftReadingStartsTheLeftColumnAtTheRight) {
    const RECT rect{20, 10, 120, 40};
    for (std::uint8_t alignment = txaTopLeft; alignment <= txaBottomLeft; ++alignment) {
        const RECT mirrored = Drawn(Info(rect, u"Ag", alignment, tfSingleLine | tfRtlReading));
        const RECT right = Drawn(Info(rect, u"Ag", static_cast<std::uint8_t>(alignment + txaTopRight)));
        EXPECT_EQ(mirrored, right) << int(alignment);
    }
}

TEST_F(ThemeText, WordWrapBreaksWhereASingleLineRunsOn) {
    const RECT rect{10, 10, 60, 90};
    const RECT wrapped = Drawn(Info(rect, u"alpha beta gamma", txaTopLeft, tfWordWrap));
    const RECT single = Drawn(Info(rect, u"alpha beta gamma", txaTopLeft, tfSingleLine));
    EXPECT_GT(wrapped.bottom - wrapped.top, 2 * (single.bottom - single.top));
    EXPECT_LE(wrapped.right, 60);
}

TEST_F(ThemeText, PrefixesUnderlineUnlessTheFlagSaysNot) {
    const RECT rect{10, 10, 100, 40};
    const RECT plain = Drawn(Info(rect, u"&Open", txaTopLeft, tfSingleLine | tfNoPrefix));
    const RECT prefixed = Drawn(Info(rect, u"&Open", txaTopLeft));
    // "&" is drawn only without prefix processing; with it the text is one character shorter and underlined.
    EXPECT_GT(plain.right - plain.left, prefixed.right - prefixed.left);
    const int prefixedInk = InkCount();
    Drawn(Info(rect, u"Open", txaTopLeft));
    EXPECT_GT(prefixedInk, InkCount());
}

TEST_F(ThemeText, QuarterTurnsDrawAtTheStartOrCentredAndNowhereElse) {
    const RECT rect{40, 10, 70, 90};  // a vertical tab, 30 × 80
    for (std::uint8_t rotation : {trClockwise, trCounterClockwise}) {
        const bool clockwise = rotation == trClockwise;
        FBitmap.Clear(0xFFFFFFFF);
        DrawRotatedText(Canvas(), u"Tab", rect, clockwise, DT_SINGLELINE);
        const RECT direct = InkBox();
        EXPECT_EQ(Drawn(Info(rect, u"Tab", txaTopLeft, tfSingleLine, rotation)), direct);

        const RECT centred = Drawn(Info(rect, u"Tab", txaCenter, tfSingleLine, rotation));
        ASSERT_GT(centred.right, centred.left);
        EXPECT_NEAR((centred.left + centred.right) / 2, 55, 3) << int(rotation);
        EXPECT_NEAR((centred.top + centred.bottom) / 2, 50, 3) << int(rotation);
        EXPECT_GT(centred.bottom - centred.top, centred.right - centred.left);

        for (std::uint8_t alignment : {txaLeft, txaTopCenter, txaBottomRight})
            EXPECT_EQ(Drawn(Info(rect, u"Tab", alignment, tfSingleLine, rotation)), (RECT{0, 0, 0, 0}));
    }
}

TEST_F(ThemeText, CentredQuarterTurnMeasuresAcrossTheRectangleWhereverItLies) {
    // Far from the origin, a rectangle whose left edge lies right of its bottom edge: the wrap width of the
    // upright text is still the rectangle's height.
    const RECT atOrigin{0, 0, 24, 70};
    const RECT away{150, 20, 174, 90};
    const std::u16string text = u"ab cd";
    const RECT first = Drawn(Info(atOrigin, text, txaCenter, tfWordWrap, trClockwise));
    RECT expected = first;
    OffsetRect(&expected, 150, 20);
    EXPECT_EQ(Drawn(Info(away, text, txaCenter, tfWordWrap, trClockwise)), expected);
}

}  // namespace

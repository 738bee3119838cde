// Colour arithmetic and the line routines: both blend formulas against values worked out by hand, the vector
// loops against the portable one, clamping, shifts, brightness and hue.
#include <skin/PixelOps.h>

#include <gtest/gtest.h>

#include <climits>

#include <random>
#include <vector>

namespace {

struct BlendCase {
    TskColor src, dst;
    TskColor pixelB;  // BlendPixel, formula B: no shortcut for alpha 255
    TskColor lineB;   // BlendLine, formula B
    TskColor lineA;   // BlendLine, formula A
};

const BlendCase kBlendCases[] = {
    {0x80FF0000, 0xFF0000FF, 0xBF7F007F, 0xBF7F007F, 0xFF7F007E},  // red at 128 over blue
    {0x00123456, 0xFFABCDEF, 0xFFABCDEF, 0xFFABCDEF, 0xFFABCDEF},  // alpha 0 never changes dst
    {0xFF123456, 0x80ABCDEF, 0xFE123456, 0xFF123456, 0xFF123456},  // alpha 255 copies src in the line routines
    {0x01FFFFFF, 0x00000000, 0x00000000, 0x00000000, 0xFF000000},
    {0xFEFFFFFF, 0xFF000000, 0xFEFDFDFD, 0xFEFDFDFD, 0xFFFDFDFD},
    {0x40204060, 0x80C0A080, 0x70988878, 0x70988878, 0xFF978777},
    {0x7F7F007F, 0xFFFFFFFF, 0xBFBF80BF, 0xBFBF80BF, 0xFFBE7FBE},
    {0xC0000000, 0xFFFFFFFF, 0xCF3F3F3F, 0xCF3F3F3F, 0xFF3E3E3E},
};

TEST(Blending, BothFormulasGiveTheWorkedOutPixels) {
    const TskPixelRoutines a = PixelRoutinesA();
    for (TskVectorLevel level : {vlPortable, vlSse2, vlAvx2}) {
        const TskPixelRoutines b = PixelRoutinesB(level);
        for (const BlendCase& c : kBlendCases) {
            SCOPED_TRACE(testing::Message() << std::hex << "src " << c.src << " dst " << c.dst << " level " << level);
            EXPECT_EQ(b.BlendPixel(c.src, c.dst), c.pixelB);
            // Through a line long enough for the vector loops, with the case in every lane.
            std::vector<TskColor> src(19, c.src), dst(19, c.dst);
            b.BlendLine(src.data(), dst.data(), 19);
            EXPECT_EQ(dst, std::vector<TskColor>(19, c.lineB));
            dst.assign(19, c.dst);
            a.BlendLine(src.data(), dst.data(), 19);
            EXPECT_EQ(dst, std::vector<TskColor>(19, c.lineA));
        }
    }
    EXPECT_EQ(a.BlendPixel(0xFF123456, 0x80ABCDEF), 0xFF123456u);
    EXPECT_EQ(a.BlendPixel(0x00123456, 0x80ABCDEF), 0x80ABCDEFu);
}

// Random lines, a third of the alphas 0 or 255 so the vector loops' all-clear and all-opaque shortcuts meet
// mixed blocks, at every length and misalignment up to a few vectors.
TEST(Blending, VectorLoopsMatchThePortableLoopOnRandomPixels) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<std::uint32_t> any;
    const TskPixelRoutines portable = PixelRoutinesB(vlPortable);
    for (TskVectorLevel level : {vlSse2, vlAvx2}) {
        if (level > CpuVectorLevel()) continue;
        const TskPixelRoutines vector = PixelRoutinesB(level);
        for (int round = 0; round < 400; ++round) {
            const int n = round % 41, offset = round % 3;
            std::vector<TskColor> src(n + offset), dstA(n + offset), dstB;
            for (auto& p : src) {
                p = any(random);
                switch (any(random) % 6) {
                case 0: p &= 0x00FFFFFF; break;
                case 1: p |= 0xFF000000; break;
                case 2: p = (p & 0x00FFFFFF) | ((any(random) & 1) ? 0x7F007F : 0x123456); break;  // key pixels
                }
            }
            for (auto& p : dstA) p = any(random);
            dstB = dstA;
            portable.BlendLine(src.data() + offset, dstA.data() + offset, n);
            vector.BlendLine(src.data() + offset, dstB.data() + offset, n);
            ASSERT_EQ(dstA, dstB) << "blend, level " << level << ", round " << round;
            dstB = dstA;
            std::vector<TskColor> dstC = dstA;
            portable.CopyKeyLine(src.data() + offset, dstB.data() + offset, n);
            vector.CopyKeyLine(src.data() + offset, dstC.data() + offset, n);
            ASSERT_EQ(dstB, dstC) << "key copy, level " << level << ", round " << round;
        }
    }
}

TEST(LineRoutines, KeyPixelsLeaveTheDestinationAndTheRestBecomeOpaque) {
    const TskColor src[] = {0x007F007F, 0xFF7F007F, 0x10203040, 0x007F0080};
    TskColor dst[] = {1, 2, 3, 4};
    CopyKeyLine(src, dst, 4);
    EXPECT_EQ(dst[0], 1u);
    EXPECT_EQ(dst[1], 2u);  // the alpha byte plays no part in the comparison
    EXPECT_EQ(dst[2], 0xFF203040u);
    EXPECT_EQ(dst[3], 0xFF7F0080u);

    TskColor bits[] = {0xFF7F007F, 0x127F007F, 0xFF7F0080};
    ClearKeyAlpha(bits, 3, TransparentKey);
    EXPECT_EQ(bits[0], 0x007F007Fu);
    EXPECT_EQ(bits[1], 0x007F007Fu);
    EXPECT_EQ(bits[2], 0xFF7F0080u);
}

TEST(LineRoutines, InclusiveRectanglesAndOverlappingCopies) {
    std::vector<TskColor> bits(4 * 3, 0x11223344);
    FillPixelRect(bits.data(), 4, 0xAABBCCDD, RECT{1, 1, 2, 2});
    SetAlphaPixelRect(bits.data(), 4, 0x55, RECT{0, 0, 0, 2});
    EXPECT_EQ(bits[0], 0x55223344u);
    EXPECT_EQ(bits[5], 0xAABBCCDDu);
    EXPECT_EQ(bits[6], 0xAABBCCDDu);
    EXPECT_EQ(bits[7], 0x11223344u);
    EXPECT_EQ(bits[10], 0xAABBCCDDu);
    EXPECT_EQ(bits[11], 0x11223344u);
    EXPECT_EQ(bits[8], 0x55223344u);

    TskColor line[] = {1, 2, 3, 4, 5};
    CopyLine(line, line + 1, 4);
    EXPECT_EQ(std::vector<TskColor>(line, line + 5), (std::vector<TskColor>{1, 1, 2, 3, 4}));
}

TEST(ColourArithmetic, ClampingShiftingAndConversions) {
    EXPECT_EQ(MakePixel(300, -5, 128, 255), 0xFFFF0080u);
    EXPECT_EQ(MakePixel(255, 0, 256, 7), 0x07FF00FFu);
    // 65436 is -100 in 16 bits; the alpha sum wraps.
    EXPECT_EQ(ShiftPixel(0x80C86432, 65436, 10, -60, 0x90), 0x10646E00u);
    EXPECT_EQ(Lighten(0x00102030, 0x20), 0x00304050u);
    EXPECT_EQ(Lighten(0x7FF0F0F0, 0x20), 0x7FFFFFFFu);

    EXPECT_EQ(ColorToPixel(0x00332211, 0x80), 0x80112233u);
    EXPECT_EQ(PixelToColor(0x80112233), 0x00332211);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ColorToPixel(static_cast<TColor>(0xFF00000F), 255),
              0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face));
}

TEST(ColourArithmetic, BrightnessClampsAndMakesOpaque) {
    EXPECT_EQ(ChangePixelBrightness(0x80FFF000, 10), 0xFFFFFA0Au);
    EXPECT_EQ(ChangePixelBrightness(0x80FFF000, -255), 0xFF000000u);
    EXPECT_EQ(ChangePixelBrightness(0x00000000, 255), 0xFFFFFFFFu);
    // Deltas at the integer limits saturate instead of overflowing.
    EXPECT_EQ(ChangePixelBrightness(0x80FFF000, INT_MAX), 0xFFFFFFFFu);
    EXPECT_EQ(ChangePixelBrightness(0x80FFF000, INT_MIN), 0xFF000000u);
}

TEST(ColourArithmetic, HueRoundTripsAndWrapsOnA255StepCircle) {
    for (TskColor pixel : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu, 0xFF000000u, 0xFF804020u})
        EXPECT_EQ(ChangePixelHue(pixel, 0), pixel) << std::hex << pixel;
    // Red 255, blue 30: hue index 250; plus 10 gives 260 - 255 = 5, i.e. red 255, green 30.
    EXPECT_EQ(ChangePixelHue(0xFFFF001E, 10), 0xFFFF1E00u);
    // A whole turn either way comes back (255 steps), and a grey has no hue to turn.
    EXPECT_EQ(ChangePixelHue(0xFFFF001E, 255), 0xFFFF001Eu);
    EXPECT_EQ(ChangePixelHue(0xFFFF001E, -255), 0xFFFF001Eu);
    EXPECT_EQ(ChangePixelHue(0xFF808080, 100), 0xFF808080u);
    // From red a third of the circle (85 steps) is green.
    EXPECT_EQ(ChangePixelHue(0xFFFF0000, 85), 0xFF00FF00u);
    // Several turns are as many whole turns as fit, at any size.
    EXPECT_EQ(ChangePixelHue(0xFFFF0000, 85 + 4 * 255), 0xFF00FF00u);
    EXPECT_EQ(ChangePixelHue(0xFFFF001E, INT_MAX), ChangePixelHue(0xFFFF001E, INT_MAX % 255));
    EXPECT_EQ(ChangePixelHue(0xFFFF001E, INT_MIN), ChangePixelHue(0xFFFF001E, INT_MIN % 255));
    EXPECT_EQ(ChangePixelHue(0x00FF0000, 0), 0xFFFF0000u);
}

}  // namespace

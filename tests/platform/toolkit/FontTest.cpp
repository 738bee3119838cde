// TFont: defaults, points and pixels at 96 DPI, the lazily made HFONT and its replacement after changes.
#include <toolkit/Font.h>
#include <toolkit/Pen.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

class Font : public ::testing::Test {
protected:
    TFont FFont;
    int FChanges = 0;
    void SetUp() override {
        FFont.OnChange = [this](TObject* sender) {
            EXPECT_EQ(&FFont, sender);
            ++FChanges;
        };
    }
};

LOGFONTA Logical(HFONT font) {
    LOGFONTA lf{};
    EXPECT_EQ(static_cast<int>(sizeof lf), GetObjectA(font, sizeof lf, &lf));
    return lf;
}

}  // namespace

TEST_F(Font, Defaults) {
    EXPECT_EQ("MS Sans Serif", FFont.Name());
    EXPECT_EQ(-11, FFont.Height());
    EXPECT_EQ(8, FFont.Size());
    EXPECT_EQ(clWindowText, FFont.Color());
    EXPECT_EQ(DEFAULT_CHARSET, FFont.Charset());
    EXPECT_EQ(fpDefault, FFont.Pitch());
    EXPECT_TRUE(FFont.Style().Empty());
    EXPECT_FALSE(FFont.HandleAllocated());
    EXPECT_STREQ("TFont", FFont.ClassName().c_str());
}

TEST_F(Font, SizeAndHeightAt96Dpi) {
    struct {
        int size;
        int height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {72, -96}, {1, -1}};
    for (auto& c : cases) {
        FFont.SetSize(c.size);
        EXPECT_EQ(c.height, FFont.Height()) << c.size;
        FFont.SetHeight(c.height);
        EXPECT_EQ(c.size, FFont.Size()) << c.height;
    }
    // Heights between whole points round to the nearer point.
    FFont.SetHeight(-14);
    EXPECT_EQ(11, FFont.Size());
    FFont.SetHeight(-15);
    EXPECT_EQ(11, FFont.Size());
}

TEST_F(Font, HandleFollowsTheValues) {
    FFont.SetName("Tahoma");
    FFont.SetStyle({fsBold, fsItalic, fsUnderline, fsStrikeOut});
    FFont.SetCharset(GB2312_CHARSET);
    FFont.SetPitch(fpFixed);
    FFont.SetSize(9);
    LOGFONTA lf = Logical(FFont.Handle());
    EXPECT_STREQ("Tahoma", lf.lfFaceName);
    EXPECT_EQ(-12, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic && lf.lfUnderline && lf.lfStrikeOut);
    EXPECT_EQ(GB2312_CHARSET, lf.lfCharSet);
    EXPECT_EQ(FIXED_PITCH, lf.lfPitchAndFamily & 3);
}

TEST_F(Font, EachChangeFiresOnceAndReplacesTheHandle) {
    HFONT first = FFont.Handle();
    EXPECT_EQ(first, FFont.Handle());
    FFont.SetSize(9);
    EXPECT_EQ(1, FChanges);
    EXPECT_FALSE(FFont.HandleAllocated());
    EXPECT_EQ(0u, GetObjectType(first)) << "the replaced handle is deleted";
    HFONT second = FFont.Handle();
    EXPECT_EQ(-12, Logical(second).lfHeight);

    // Unchanged values say nothing; an empty name is ignored.
    FFont.SetSize(9);
    FFont.SetHeight(-12);
    FFont.SetName("MS Sans Serif");
    FFont.SetName("");
    FFont.SetStyle({});
    EXPECT_EQ(1, FChanges);

    // The colour is not part of the HFONT.
    FFont.SetColor(clRed);
    EXPECT_EQ(2, FChanges);
    EXPECT_EQ(second, FFont.Handle());
    FFont.SetStyle({fsBold});
    EXPECT_EQ(3, FChanges);
    EXPECT_EQ(FW_BOLD, Logical(FFont.Handle()).lfWeight);
}

TEST_F(Font, AssignCopiesEverythingWithOneChange) {
    TFont source;
    source.SetName("宋体");
    source.SetSize(12);
    source.SetColor(clBlue);
    source.SetStyle({fsItalic});
    FFont.Assign(source);
    EXPECT_EQ(1, FChanges);
    EXPECT_EQ("宋体", FFont.Name());
    EXPECT_EQ(-16, FFont.Height());
    EXPECT_EQ(clBlue, FFont.Color());
    EXPECT_EQ(TFontStyles{fsItalic}, FFont.Style());
    FFont.Assign(static_cast<const TPersistent*>(&source));
    EXPECT_EQ(1, FChanges) << "nothing differed";
    EXPECT_STREQ("宋体", Logical(FFont.Handle()).lfFaceName);

    auto clone = FFont.Clone();
    EXPECT_EQ(FFont.Height(), clone->Height());
    EXPECT_EQ(FFont.Name(), clone->Name());

    TPen pen;
    EXPECT_THROW(FFont.Assign(&pen), EConvertError);
}

TEST_F(Font, SetHandleTakesTheFontsValues) {
    HFONT font =
        CreateFontA(-16, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, GB2312_CHARSET, 0, 0, 0, VARIABLE_PITCH, "SimSun");
    ASSERT_NE(nullptr, font);
    FFont.SetHandle(font);
    EXPECT_EQ(1, FChanges);
    EXPECT_EQ(font, FFont.Handle());
    EXPECT_EQ("SimSun", FFont.Name());
    EXPECT_EQ(12, FFont.Size());
    EXPECT_EQ((TFontStyles{fsBold, fsItalic}), FFont.Style());
    EXPECT_EQ(GB2312_CHARSET, FFont.Charset());
    EXPECT_EQ(fpVariable, FFont.Pitch());
    EXPECT_THROW(FFont.SetHandle(nullptr), EInvalidGraphicOperation);
}

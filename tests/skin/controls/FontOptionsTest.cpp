// TSkFontOptions: defaults that leave a font alone, each adjustment on a font, one notification per change and
// per Assign, and the published names in their order.
#include <skin/SkFontOptions.h>
#include <toolkit/PropertyRegistry.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::unique_ptr<TFont> SampleFont() {
    auto font = std::make_unique<TFont>();
    font->SetName("宋体");
    font->SetSize(9);
    font->SetColor(clWindowText);
    font->SetStyle(TFontStyles{fsItalic});
    return font;
}

}  // namespace

TEST(FontOptions, DefaultsLeaveAFontUnchanged) {
    TSkFontOptions options;
    auto font = SampleFont();
    auto before = font->Clone();
    int changes = 0;
    font->OnChange = [&](TObject*) { ++changes; };
    options.ApplyFontOptions(*font);
    EXPECT_EQ(font->Name(), before->Name());
    EXPECT_EQ(font->Size(), before->Size());
    EXPECT_EQ(font->Color(), before->Color());
    EXPECT_EQ(font->Style(), before->Style());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(options.FontColor(), static_cast<TColor>(0x1FFFFFFF));
}

TEST(FontOptions, EachOptionAdjustsTheFont) {
    const struct {
        const char* Name;
        void (*Set)(TSkFontOptions&);
        void (*Check)(const TFont&);
    } cases[] = {
        {"Bold", [](TSkFontOptions& o) { o.SetBold(true); },
         [](const TFont& f) {
             EXPECT_EQ(f.Style(), (TFontStyles{fsBold, fsItalic}));
         }},
        {"Italic kept", [](TSkFontOptions& o) { o.SetItalic(true); },
         [](const TFont& f) { EXPECT_EQ(f.Style(), TFontStyles{fsItalic}); }},
        {"Underline", [](TSkFontOptions& o) { o.SetUnderline(true); },
         [](const TFont& f) {
             EXPECT_EQ(f.Style(), (TFontStyles{fsItalic, fsUnderline}));
         }},
        {"StrikeOut", [](TSkFontOptions& o) { o.SetStrikeOut(true); },
         [](const TFont& f) {
             EXPECT_EQ(f.Style(), (TFontStyles{fsItalic, fsStrikeOut}));
         }},
        {"SizeDelta", [](TSkFontOptions& o) { o.SetSizeDelta(-2); }, [](const TFont& f) { EXPECT_EQ(f.Size(), 7); }},
        {"FontName", [](TSkFontOptions& o) { o.SetFontName("Tahoma"); },
         [](const TFont& f) { EXPECT_EQ(f.Name(), "Tahoma"); }},
        {"FontColor", [](TSkFontOptions& o) { o.SetFontColor(clRed); },
         [](const TFont& f) { EXPECT_EQ(f.Color(), clRed); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TSkFontOptions options;
        c.Set(options);
        auto font = SampleFont();
        options.ApplyFontOptions(*font);
        c.Check(*font);
    }
}

TEST(FontOptions, ChangesAndAssignNotifyOnce) {
    TSkFontOptions options;
    std::vector<TSkFontOptions*> senders;
    options.OnChange = [&](TSkFontOptions* sender) { senders.push_back(sender); };
    options.SetBold(true);
    options.SetBold(true);
    options.SetSizeDelta(3);
    options.SetFontName("Arial");
    options.SetFontName("Arial");
    EXPECT_EQ(senders, (std::vector<TSkFontOptions*>{&options, &options, &options}));

    TSkFontOptions source;
    source.SetItalic(true);
    source.SetSizeDelta(-1);
    source.SetFontName("Tahoma");
    source.SetFontColor(clBlue);
    source.SetStrikeOut(true);
    source.SetUnderline(true);
    senders.clear();
    options.Assign(&source);
    EXPECT_EQ(senders.size(), 1u);
    EXPECT_FALSE(options.Bold());
    EXPECT_TRUE(options.Italic());
    EXPECT_EQ(options.SizeDelta(), -1);
    EXPECT_EQ(options.FontName(), "Tahoma");
    EXPECT_EQ(options.FontColor(), clBlue);
    EXPECT_TRUE(options.StrikeOut());
    EXPECT_TRUE(options.Underline());

    TFont notOptions;
    EXPECT_THROW(options.Assign(&notOptions), EConvertError);
}

TEST(FontOptions, PublishedInOrder) {
    std::vector<std::string> names;
    for (const TPropertyInfo* info : TPropertyRegistry::Properties(TSkFontOptions::ClassInfo()))
        names.push_back(info->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Bold", "Italic", "SizeDelta", "FontName", "FontColor", "StrikeOut",
                                               "Underline"}));
    EXPECT_EQ(TPropertyRegistry::FindProperty(TSkFontOptions::ClassInfo(), "FontColor")->DefaultOrdinal, clNone);
}

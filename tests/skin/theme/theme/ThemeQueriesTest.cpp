// GetTheme and the object-defined queries: false while no theme is current, the current theme's answer with the
// fallback to its "default" object, and a link's theme answering alone.
#include <skin/Theme.h>
#include <skin/ThemeManager.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Defines only its standard object of every kind.
class TDefaultOnlyTheme : public TskTheme {
    TOOLKIT_CLASS(TDefaultOnlyTheme, TskTheme)
    SK_THEME_CLASS(TDefaultOnlyTheme)

public:
#define SK_DEFAULT_ONLY(Query) \
    bool Query(TskKind kind, const std::string& name) override { return kind == 0 && name == "default"; }
    SK_DEFAULT_ONLY(IsWindowDefined)
    SK_DEFAULT_ONLY(IsLabelDefined)
    SK_DEFAULT_ONLY(IsPanelDefined)
    SK_DEFAULT_ONLY(IsButtonDefined)
    SK_DEFAULT_ONLY(IsCheckBoxDefined)
    SK_DEFAULT_ONLY(IsScrollBarDefined)
    SK_DEFAULT_ONLY(IsProgressBarDefined)
    SK_DEFAULT_ONLY(IsStatusBarDefined)
    SK_DEFAULT_ONLY(IsEditDefined)
    SK_DEFAULT_ONLY(IsGroupBoxDefined)
    SK_DEFAULT_ONLY(IsMenuDefined)
    SK_DEFAULT_ONLY(IsToolButtonDefined)
    SK_DEFAULT_ONLY(IsTabDefined)
    SK_DEFAULT_ONLY(IsListBoxDefined)
    SK_DEFAULT_ONLY(IsScrollBoxDefined)
#undef SK_DEFAULT_ONLY
};

class TTestLink : public TskCustomThemeLink {
    TOOLKIT_CLASS(TTestLink, TskCustomThemeLink)

public:
    explicit TTestLink(TComponent* owner) : TskCustomThemeLink(owner) {}
    TskTheme* GetTheme() override { return FTheme; }
    TskTheme* FTheme = nullptr;
};

using TFreeQuery = bool (*)(TskKind, const std::string&, TskCustomThemeLink*);

const struct {
    const char* Name;
    TFreeQuery Query;
} kQueries[] = {
    {"Window", IsWindowDefined},
    {"Label", IsLabelDefined},
    {"Panel", IsPanelDefined},
    {"Button", IsButtonDefined},
    {"CheckBox", IsCheckBoxDefined},
    {"ScrollBar", IsScrollBarDefined},
    {"ProgressBar", IsProgressBarDefined},
    {"StatusBar", IsStatusBarDefined},
    {"Edit", IsEditDefined},
    {"GroupBox", IsGroupBoxDefined},
    {"Menu", IsMenuDefined},
    {"ToolButton", IsToolButtonDefined},
    {"Tab", IsTabDefined},
    {"ListBox", IsListBoxDefined},
    {"ScrollBox", IsScrollBoxDefined},
};

class ThemeQueries : public ::testing::Test {
protected:
    TTestLink FLink{nullptr};

    void TearDown() override { ThemeManager()->RemoveCurrentTheme(); }
    TskTheme* MakeCurrent(std::unique_ptr<TskTheme> theme) {
        TskTheme* raw = theme.get();
        ThemeManager()->SetCurrentTheme(std::move(theme));
        return raw;
    }
};

TEST_F(ThemeQueries, NoThemeAnswersFalseAndNone) {
    ASSERT_EQ(CurrentTheme(), nullptr);
    EXPECT_EQ(GetTheme(nullptr), nullptr);
    EXPECT_EQ(GetTheme(&FLink), nullptr);  // a link without a theme of its own
    for (const auto& q : kQueries) {
        EXPECT_FALSE(q.Query(0, "default", nullptr)) << q.Name;
        EXPECT_FALSE(q.Query(0, "Blue", &FLink)) << q.Name;
    }
}

TEST_F(ThemeQueries, TheCurrentThemeFallsBackToItsDefaultObject) {
    TskTheme* current = MakeCurrent(std::make_unique<TDefaultOnlyTheme>());
    EXPECT_EQ(GetTheme(nullptr), current);
    EXPECT_EQ(GetTheme(&FLink), current);
    for (const auto& q : kQueries) {
        EXPECT_TRUE(q.Query(0, "default", nullptr)) << q.Name;
        EXPECT_TRUE(q.Query(0, "GreenButton", nullptr)) << q.Name;
        EXPECT_TRUE(q.Query(0, "GreenButton", &FLink)) << q.Name;  // the link gives no theme: current one
        // The fallback keeps the kind: this theme has no standard object of kind 1.
        EXPECT_FALSE(q.Query(1, "GreenButton", nullptr)) << q.Name;
    }
}

TEST_F(ThemeQueries, TheBaseThemeDefinesNothingEvenWhenCurrent) {
    MakeCurrent(std::make_unique<TskTheme>());
    for (const auto& q : kQueries) EXPECT_FALSE(q.Query(0, "default", nullptr)) << q.Name;
}

TEST_F(ThemeQueries, ALinksThemeAnswersAloneWithoutTheFallback) {
    TDefaultOnlyTheme linked;
    FLink.FTheme = &linked;
    EXPECT_EQ(GetTheme(&FLink), &linked);
    for (const auto& q : kQueries) {
        EXPECT_TRUE(q.Query(0, "default", &FLink)) << q.Name;
        EXPECT_FALSE(q.Query(0, "GreenButton", &FLink)) << q.Name;
    }
    // Nor does the current theme stand in for it.
    MakeCurrent(std::make_unique<TDefaultOnlyTheme>());
    TskTheme base;
    FLink.FTheme = &base;
    for (const auto& q : kQueries) EXPECT_FALSE(q.Query(0, "default", &FLink)) << q.Name;
    EXPECT_EQ(GetTheme(&FLink), &base);
}

}  // namespace

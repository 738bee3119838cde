// The theme binding, on the check box: the manager's broadcast codes repaint (and apply a new theme's bounds),
// the engine component's tint, ApplyThemeBounds with a theme that prescribes bounds, ThemeObject and ThemeLink
// changes, the link's message, and a link removed from the form.
#include "ControlsFixture.h"

#include <skin/SkCheckBox.h>
#include <skin/SkinCore.h>
#include <skin/ThemeBinding.h>
#include <skin/ThemeManager.h>

#include <map>
#include <memory>
#include <string>

namespace {

// A theme that prescribes bounds for some object names.
class BoundsTheme : public TskTheme {
public:
    explicit BoundsTheme(std::map<std::string, RECT> bounds) : FBounds(std::move(bounds)) {}
    void GetObjectBounds(const std::string& name, RECT& bounds) override {
        auto it = FBounds.find(name);
        bounds = it == FBounds.end() ? RECT{0, 0, 0, 0} : it->second;
    }

private:
    std::map<std::string, RECT> FBounds;
};

// A link that owns a theme of its own.
class TestLink : public TskCustomThemeLink {
public:
    explicit TestLink(TComponent* owner) : TskCustomThemeLink(owner) {}
    TskTheme* GetTheme() override { return Theme.get(); }
    std::unique_ptr<TskTheme> Theme;
};

class ThemeBinding : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        Box = Add<TSkCheckBox>(20, 20, 98, 20);
        ShowForm();
    }
    void TearDown() override {
        ThemeManager()->RemoveCurrentTheme();
        ControlsTest::TearDown();
    }
    // Whether the box's window waits for a paint.
    bool Invalid() { return GetUpdateRect(Box->Handle(), nullptr, FALSE) != FALSE; }
    RECT Bounds() const { return Box->BoundsRect(); }

    TSkCheckBox* Box = nullptr;
};

}  // namespace

TEST_F(ThemeBinding, BroadcastCodesRepaintExceptTheBracketsOfAChange) {
    EXPECT_TRUE(ThemeManager()->IsListener(Box));
    const struct {
        WPARAM Code;
        bool Repaints;
    } cases[] = {{tcThemeReplaced, true}, {tcBeginChange, false}, {tcEndChange, false},
                 {tcThemeSet, true},      {tcThemeRemoved, true}, {tcColorsChanged, true}};
    for (const auto& c : cases) {
        Pump();
        ASSERT_FALSE(Invalid());
        ThemeManager()->Broadcast(c.Code, 0);
        EXPECT_EQ(Invalid(), c.Repaints) << "code " << c.Code;
    }
}

TEST_F(ThemeBinding, TheEngineComponentsTintRepaintsTheBox) {
    TSkSkinCore core(nullptr);
    ThemeManager()->SetCurrentTheme(std::make_unique<BoundsTheme>(std::map<std::string, RECT>{}));
    for (auto tint : {+[](TSkSkinCore& c) { c.SetDeltaHue(30); }, +[](TSkSkinCore& c) { c.SetDeltaBrightness(-20); }}) {
        Pump();
        ASSERT_FALSE(Invalid());
        tint(core);
        EXPECT_TRUE(Invalid());
    }
}

TEST_F(ThemeBinding, ANewThemesBoundsForTheObjectAreTakenAsGiven) {
    Box->SetThemeObject("clock");
    ThemeManager()->SetCurrentTheme(
        std::make_unique<BoundsTheme>(std::map<std::string, RECT>{{"clock", RECT{-1, 40, 150, 70}}}));
    EXPECT_EQ(Bounds(), (RECT{-1, 40, 150, 70})) << "the broadcast takes the rectangle as it is";

    // A box asking for an object the theme has no bounds for keeps its own.
    auto* other = Add<TSkCheckBox>(20, 80, 98, 20);
    other->SetThemeObject("default");
    EXPECT_EQ(other->BoundsRect(), (RECT{20, 80, 118, 100}));
    ThemeManager()->RemoveCurrentTheme();
    EXPECT_EQ(Bounds(), (RECT{-1, 40, 150, 70})) << "removing the theme does not move anything";
}

TEST_F(ThemeBinding, ApplyThemeBoundsKeepsWhatIsNegative) {
    ThemeManager()->SetCurrentTheme(std::make_unique<BoundsTheme>(std::map<std::string, RECT>{
        {"whole", RECT{30, 40, 130, 65}}, {"left kept", RECT{-1, 50, 60, 80}}, {"size kept", RECT{5, 6, 4, 5}}}));
    const struct {
        const char* Object;
        RECT Expected;
    } cases[] = {
        {"whole", {30, 40, 130, 65}},
        {"left kept", {30, 50, 91, 80}},  // width 61 from -1 to 60
        {"size kept", {5, 6, 66, 36}},
        {"missing", {5, 6, 66, 36}},
    };
    for (const auto& c : cases) {
        ApplyThemeBounds(Box, nullptr, c.Object, false);
        EXPECT_EQ(Bounds(), c.Expected) << c.Object;
    }
    Pump();
    ApplyThemeBounds(Box, nullptr, "missing", false);
    EXPECT_FALSE(Invalid());
    ApplyThemeBounds(Box, nullptr, "missing", true);
    EXPECT_TRUE(Invalid());
}

TEST_F(ThemeBinding, ThemeObjectAndLinkChangesApplyTheirThemesBounds) {
    ThemeManager()->SetCurrentTheme(
        std::make_unique<BoundsTheme>(std::map<std::string, RECT>{{"current", RECT{10, 10, 60, 30}}}));
    Box->SetThemeObject("current");
    EXPECT_EQ(Bounds(), (RECT{10, 10, 60, 30}));

    auto* link = new TestLink(Form.get());
    link->Theme = std::make_unique<BoundsTheme>(std::map<std::string, RECT>{{"current", RECT{70, 10, 170, 40}}});
    Box->SetThemeLink(link);
    EXPECT_EQ(Bounds(), (RECT{70, 10, 170, 40})) << "the link's theme overrides the current one";

    // The link tells its controls of a new theme with its message; other links' messages are not for the box.
    link->Theme = std::make_unique<BoundsTheme>(std::map<std::string, RECT>{{"current", RECT{70, 50, 170, 80}}});
    TestLink stranger(nullptr);
    Box->Perform(SkThemeLinkMessage, 0, reinterpret_cast<LPARAM>(&stranger));
    EXPECT_EQ(Bounds(), (RECT{70, 10, 170, 40}));
    Box->Perform(SkThemeLinkMessage, 0, reinterpret_cast<LPARAM>(link));
    EXPECT_EQ(Bounds(), (RECT{70, 50, 170, 80}));

    delete link;
    EXPECT_EQ(Box->ThemeLink(), nullptr) << "a link removed from the form is let go";
    Box->SetThemeObject("other");
    Box->SetThemeObject("current");
    EXPECT_EQ(Bounds(), (RECT{10, 10, 60, 30}));
}

TEST_F(ThemeBinding, ABoxLeavesTheManagerWithItsEnd) {
    const int listeners = ThemeManager()->ListenerCount();
    delete Box;
    EXPECT_EQ(ThemeManager()->ListenerCount(), listeners - 1);
}

// TSkSkinCore: choosing a theme by built-in class name, by file and by list item, the refusals, the deltas passed
// to the manager and on to listening controls, and the properties following the manager's broadcasts.
#include "EngineTestSupport.h"

#include <TestSupport.h>
#include <skin/ThemeColors.h>
#include <testing/Testing.h>
#include <toolkit/CustomControl.h>

#include <gtest/gtest.h>

#include <memory>

using namespace enginetest;

namespace {

class SkinCore : public ::testing::Test {
protected:
    void SetUp() override {
        Manager = ThemeManager();
        ASSERT_NE(Manager, nullptr);
        ASSERT_EQ(Manager->CurrentTheme(), nullptr);
        Core = new TSkSkinCore(Form.get());
    }
    void TearDown() override {
        Manager->RemoveCurrentTheme();
        Form.reset();
        EXPECT_EQ(Manager->ListenerCount(), 0);
    }

    // A list owned by the form whose items hold stored themes of these names ("" for an empty item).
    TSkThemeList* MakeList(const std::vector<std::string>& names) {
        auto* list = new TSkThemeList(Form.get());
        for (const std::string& name : names) AddStoredItem(*list, name);
        return list;
    }
    std::string CurrentName() const { return Manager->CurrentTheme() ? Manager->CurrentTheme()->Name() : "(none)"; }
    void MakeFlatCurrent() { Manager->SetCurrentTheme(std::make_unique<FlatTheme>()); }
    // A theme read from a file: the component takes up the file's name.
    void MakeFileThemeCurrent(const std::string& fileName) {
        auto theme = std::make_unique<StoredTheme>();
        theme->SetFileName(fileName);
        Manager->SetCurrentTheme(std::move(theme));
        ASSERT_EQ(Core->ThemeFile(), fileName);
    }

    TskThemeManager* Manager = nullptr;
    std::unique_ptr<TComponent> Form = std::make_unique<TComponent>(nullptr);
    TSkSkinCore* Core = nullptr;
};

TEST_F(SkinCore, StartsWithNoThemeAndListensToTheManager) {
    EXPECT_EQ(Core->ThemeBuilding(), "No theme");
    EXPECT_EQ(Core->ThemeIndex(), -1);
    EXPECT_EQ(Core->ThemeFile(), "");
    EXPECT_EQ(Core->ThemeList(), nullptr);
    EXPECT_EQ(Core->DeltaHue(), 0);
    EXPECT_EQ(Core->DeltaBrightness(), 0);
    EXPECT_EQ(Core->Version(), "6.0");
    Core->SetVersion("7.0");
    EXPECT_EQ(Core->Version(), "6.0");
    EXPECT_TRUE(Manager->IsListener(Core));
    delete Core;
    EXPECT_FALSE(Manager->IsListener(Form.get()));
    EXPECT_EQ(Manager->ListenerCount(), 0);
}

TEST_F(SkinCore, ThemeBuildingChoosesARegisteredBuiltInClassByKindName) {
    struct Case {
        const char* Value;
        bool Selects;
        const char* ReadsBack;
    };
    const Case cases[] = {
        {"flat", true, "Flat"},
        {"FLAT", true, "Flat"},
        {"Flat", true, "Flat"},
        // A registered class that is not built in needs a file: its kind name selects nothing.
        {"Stored", false, "No theme"},
        {"Default", false, "No theme"},
        {"Office", false, "No theme"},
        {"", false, "No theme"},
    };
    for (const Case& c : cases) {
        MakeFileThemeCurrent("/themes/blue.sth");
        TskTheme* fromFile = Manager->CurrentTheme();
        Core->SetThemeBuilding(c.Value);
        EXPECT_EQ(Core->ThemeBuilding(), c.ReadsBack) << c.Value;
        if (c.Selects) {
            ASSERT_NE(Manager->CurrentTheme(), nullptr) << c.Value;
            EXPECT_EQ(Manager->CurrentTheme()->ThemeClass(), FlatTheme::ThemeClassRef()) << c.Value;
            EXPECT_EQ(Core->ThemeFile(), "") << c.Value;
            EXPECT_EQ(Core->ThemeIndex(), -1) << c.Value;
        } else {
            EXPECT_EQ(Manager->CurrentTheme(), fromFile) << c.Value;
            EXPECT_EQ(Core->ThemeFile(), "/themes/blue.sth") << c.Value;
        }
    }
}

TEST_F(SkinCore, ThemeBuildingMakesANewThemeEachTimeItIsWritten) {
    Core->SetThemeBuilding("flat");
    CodeListener listener;
    Core->SetThemeBuilding("flat");
    EXPECT_NE(Manager->CurrentTheme(), nullptr);
    EXPECT_EQ(listener.Codes, (std::vector<WPARAM>{tcBeginChange, tcThemeReplaced, tcEndChange}));
}

TEST_F(SkinCore, NoThemeKeepsWhatIsCurrentAndSelectsNothing) {
    // Without a current theme "No theme" leaves every control with its built-in look.
    CodeListener listener;
    Core->SetThemeBuilding("No theme");
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);
    EXPECT_TRUE(listener.Codes.empty());

    MakeFlatCurrent();
    TskTheme* flat = Manager->CurrentTheme();
    EXPECT_EQ(Core->ThemeBuilding(), "Flat");
    listener.Codes.clear();
    Core->SetThemeBuilding("No theme");
    EXPECT_EQ(Manager->CurrentTheme(), flat);
    EXPECT_EQ(Core->ThemeBuilding(), "No theme");
    EXPECT_TRUE(listener.Codes.empty());

    // Letter case counts here: this is a name to look for, and none matches.
    Core->SetThemeBuilding("no theme");
    EXPECT_EQ(Manager->CurrentTheme(), flat);
    EXPECT_EQ(Core->ThemeBuilding(), "No theme");
}

TEST_F(SkinCore, ThemeFileWrittenByTheManagerIsSelected) {
    testsupport::TempDir dir;
    // By its extension, and by its contents when the extension names no class.
    for (const char* fileName : {"blue.sth", "blue.dat", "blue"}) {
        const std::string path = dir.File(fileName);
        {
            StoredTheme theme;
            theme.SetName("Blue");
            TFileStream file(path, fmCreate);
            ASSERT_TRUE(Manager->SaveThemeToStream(&theme, file));
        }
        Core->SetThemeBuilding("flat");
        Core->SetThemeFile(path);
        ASSERT_NE(Manager->CurrentTheme(), nullptr) << fileName;
        EXPECT_EQ(Manager->CurrentTheme()->ThemeClass(), StoredTheme::ThemeClassRef()) << fileName;
        EXPECT_EQ(CurrentName(), "Blue") << fileName;
        EXPECT_EQ(Core->ThemeFile(), path) << fileName;
        EXPECT_EQ(Core->ThemeBuilding(), "No theme") << fileName;
        EXPECT_EQ(Core->ThemeIndex(), -1) << fileName;
    }
}

// The name of a file that does not load stays only while a description is read (the description tests show it): at
// run time the removal's broadcast clears it, as it does for any removed theme.
TEST_F(SkinCore, ThemeFileThatDoesNotLoadRemovesTheThemeUnlessAListItemIsChosen) {
    testsupport::TempDir dir;
    const std::string damaged = dir.File("damaged.sth");
    testsupport::WriteFileBytes(damaged, "NOPE");
    for (const std::string& name : {dir.File("missing.sth"), damaged}) {
        MakeFlatCurrent();
        Core->SetThemeFile(name);
        EXPECT_EQ(Manager->CurrentTheme(), nullptr) << name;
        EXPECT_EQ(Core->ThemeFile(), "") << name;
    }

    Core->SetThemeList(MakeList({"Blue"}));
    Core->SetThemeIndex(0);
    ASSERT_EQ(CurrentName(), "Blue");
    Core->SetThemeFile(damaged);
    EXPECT_EQ(CurrentName(), "Blue");
    EXPECT_EQ(Core->ThemeFile(), damaged);
    EXPECT_EQ(Core->ThemeIndex(), 0);
}

TEST_F(SkinCore, ThemeIndexChoosesAnItemOfTheListWithinItsBounds) {
    Core->SetThemeList(MakeList({"Red", "Green", "Blue"}));
    struct Case {
        int Value;
        int ReadsBack;
        const char* Current;
    };
    const Case cases[] = {{0, 0, "Red"}, {1, 1, "Green"}, {2, 2, "Blue"}, {7, 2, "Blue"}, {0, 0, "Red"}};
    for (const Case& c : cases) {
        Core->SetThemeBuilding("flat");
        Core->SetThemeIndex(c.Value);
        EXPECT_EQ(Core->ThemeIndex(), c.ReadsBack) << c.Value;
        EXPECT_EQ(CurrentName(), c.Current) << c.Value;
        EXPECT_EQ(Core->ThemeBuilding(), "No theme") << c.Value;
        EXPECT_EQ(Core->ThemeFile(), "") << c.Value;
    }

    // A negative index removes the theme while no file is named.
    Core->SetThemeIndex(-1);
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);
    EXPECT_EQ(Core->ThemeIndex(), -1);
}

TEST_F(SkinCore, ThemeIndexWithoutAListOrWithAnEmptyOneRemovesTheThemeUnlessAFileIsNamed) {
    for (bool withEmptyList : {false, true}) {
        if (withEmptyList) Core->SetThemeList(MakeList({}));
        MakeFlatCurrent();
        Core->SetThemeIndex(3);
        EXPECT_EQ(Manager->CurrentTheme(), nullptr) << withEmptyList;
        // The removal's broadcast resets the index.
        EXPECT_EQ(Core->ThemeIndex(), -1) << withEmptyList;
    }
    MakeFileThemeCurrent("/themes/blue.sth");
    TskTheme* fromFile = Manager->CurrentTheme();
    Core->SetThemeIndex(2);
    EXPECT_EQ(Manager->CurrentTheme(), fromFile);
    EXPECT_EQ(Core->ThemeIndex(), 2);
}

TEST_F(SkinCore, AnItemWithoutALoadableThemeSelectsNothing) {
    TSkThemeList* list = MakeList({"Blue", "", "Red", "Green"});
    SetData(*list->Themes()->Items(2), "JUNK");
    SetData(*list->Themes()->Items(3), std::string("STTH\xff\xff\xff\x7f", 8));  // a name past the end
    Core->SetThemeList(list);
    Core->SetThemeIndex(0);
    TskTheme* blue = Manager->CurrentTheme();
    ASSERT_EQ(CurrentName(), "Blue");
    CodeListener listener;
    // Empty data, data no class claims, and data whose class finds it damaged (the stream's error passes through).
    Core->SetThemeIndex(1);
    Core->SetThemeIndex(2);
    EXPECT_THROW(Core->SetThemeIndex(3), EReadError);
    EXPECT_EQ(Manager->CurrentTheme(), blue);
    EXPECT_TRUE(listener.Codes.empty());
}

TEST_F(SkinCore, ThemeListOfNoneResetsTheIndexOnly) {
    Core->SetThemeList(MakeList({"Blue"}));
    Core->SetThemeIndex(0);
    TskTheme* blue = Manager->CurrentTheme();
    Core->SetThemeList(nullptr);
    EXPECT_EQ(Core->ThemeIndex(), -1);
    EXPECT_EQ(Manager->CurrentTheme(), blue);
}

TEST_F(SkinCore, RemovingTheListRemovesTheThemeChosenFromIt) {
    for (bool sameOwner : {true, false}) {
        std::unique_ptr<TComponent> otherForm = std::make_unique<TComponent>(nullptr);
        auto* list = new TSkThemeList(sameOwner ? Form.get() : otherForm.get());
        SetData(*list->Themes()->Add(), StoredThemeBytes("Blue"));
        Core->SetThemeList(list);
        Core->SetThemeIndex(0);
        ASSERT_EQ(CurrentName(), "Blue");
        delete list;
        EXPECT_EQ(Manager->CurrentTheme(), nullptr) << sameOwner;
        EXPECT_EQ(Core->ThemeList(), nullptr) << sameOwner;
        EXPECT_EQ(Core->ThemeIndex(), -1) << sameOwner;
    }
}

TEST_F(SkinCore, PropertiesFollowTheThemeTheManagerMakesCurrent) {
    std::vector<TObject*> senders;
    Core->OnThemeChanged = [&](TObject* sender) { senders.push_back(sender); };
    TSkThemeList* list = MakeList({"Red", "Green"});
    Core->SetThemeList(list);

    MakeFlatCurrent();
    EXPECT_EQ(Core->ThemeBuilding(), "Flat");
    EXPECT_EQ(Core->ThemeIndex(), -1);

    // A theme from a file names its file; one named like a list item names the item.
    auto fromFile = std::make_unique<StoredTheme>();
    fromFile->SetFileName("/themes/green.sth");
    fromFile->SetName("Green");
    Manager->SetCurrentTheme(std::move(fromFile));
    EXPECT_EQ(Core->ThemeBuilding(), "No theme");
    EXPECT_EQ(Core->ThemeFile(), "/themes/green.sth");
    EXPECT_EQ(Core->ThemeIndex(), -1);

    Core->SetThemeFile("");
    auto named = std::make_unique<StoredTheme>();
    named->SetName("Green");
    Manager->SetCurrentTheme(std::move(named));
    EXPECT_EQ(Core->ThemeIndex(), 1);
    EXPECT_EQ(Core->ThemeFile(), "");

    // Letter case counts, and no match changes nothing more.
    auto unknown = std::make_unique<StoredTheme>();
    unknown->SetName("green");
    Manager->SetCurrentTheme(std::move(unknown));
    EXPECT_EQ(Core->ThemeIndex(), 1);

    Manager->RemoveCurrentTheme();
    EXPECT_EQ(Core->ThemeBuilding(), "No theme");
    EXPECT_EQ(Core->ThemeIndex(), -1);
    EXPECT_EQ(Core->ThemeFile(), "");
    // Once per theme made current or removed, the removal by ThemeFile "" included.
    EXPECT_EQ(senders, std::vector<TObject*>(6, Core));
    Core->OnThemeChanged = nullptr;
}

TEST_F(SkinCore, DeltaHueAndBrightnessGoToTheManager) {
    MakeFlatCurrent();
    TskTheme* theme = Manager->CurrentTheme();
    CodeListener listener;

    // The theme's own brightness stays: with DeltaBrightness 0 only the hue operation runs.
    theme->SetDeltaBrightness(10);
    Core->SetDeltaHue(30);
    EXPECT_EQ(theme->DeltaHue(), 30);
    EXPECT_EQ(theme->DeltaBrightness(), 10);
    EXPECT_EQ(listener.Count(tcColorsChanged), 1);

    Core->SetDeltaHue(30);
    EXPECT_EQ(listener.Count(tcColorsChanged), 1);

    // With the hue set, a brightness change sends both in one operation, and so does a hue change after it.
    theme->SetDeltaHue(5);
    Core->SetDeltaBrightness(-20);
    EXPECT_EQ(theme->DeltaHue(), 30);
    EXPECT_EQ(theme->DeltaBrightness(), -20);
    EXPECT_EQ(listener.Count(tcColorsChanged), 2);
    Core->SetDeltaHue(45);
    EXPECT_EQ(theme->DeltaHue(), 45);
    EXPECT_EQ(theme->DeltaBrightness(), -20);
    EXPECT_EQ(listener.Count(tcColorsChanged), 3);
}

TEST_F(SkinCore, DeltasApplyToEveryThemeItChooses) {
    // With no current theme the manager has nothing to tint; the values wait for the next choice.
    Core->SetDeltaHue(40);
    Core->SetDeltaBrightness(-15);
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);

    Core->SetThemeBuilding("flat");
    ASSERT_NE(Manager->CurrentTheme(), nullptr);
    EXPECT_EQ(Manager->CurrentTheme()->DeltaHue(), 40);
    EXPECT_EQ(Manager->CurrentTheme()->DeltaBrightness(), -15);

    Core->SetThemeList(MakeList({"Blue"}));
    Core->SetThemeIndex(0);
    ASSERT_EQ(CurrentName(), "Blue");
    EXPECT_EQ(Manager->CurrentTheme()->DeltaHue(), 40);
    EXPECT_EQ(Manager->CurrentTheme()->DeltaBrightness(), -15);

    // The tint changes the theme's colours as the manager derives them.
    FlatTheme plain;
    int changed = 0;
    for (int i = 0; i < TskThemeColors::Count; ++i)
        changed += Manager->CurrentTheme()->Colors().GetColor(i) != plain.Colors().GetColor(i);
    EXPECT_GT(changed, 0);
}

// A skinned control in miniature: a windowed toolkit control that listens to the manager and repaints when the
// colours change, noting the tint it painted with.
class ListeningControl : public TCustomControl {
public:
    explicit ListeningControl(TComponent* owner) : TCustomControl(owner) { AddThemeListener(this); }
    ~ListeningControl() override { RemoveThemeListener(this); }
    void Paint() override {
        ++Paints;
        PaintedHue = CurrentTheme() ? CurrentTheme()->DeltaHue() : 0;
    }
    int Paints = 0;
    int PaintedHue = 0;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == SkThemeMessage && message.WParam == tcColorsChanged) Invalidate();
        TCustomControl::WndProc(message);
    }
};

TEST_F(SkinCore, DeltaChangesRepaintListeningControls) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "EngineTestHost";
    RegisterClassExA(&wc);
    HWND host = CreateWindowExA(0, "EngineTestHost", "host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                                nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    {
        ListeningControl control(nullptr);
        control.SetBounds(10, 10, 100, 50);
        control.SetParentWindow(host);
        Core->SetThemeBuilding("flat");
        wintest::PumpUntilIdle();
        const int paints = control.Paints;
        ASSERT_GT(paints, 0);

        Core->SetDeltaHue(60);
        wintest::PumpUntilIdle();
        EXPECT_EQ(control.Paints, paints + 1);
        EXPECT_EQ(control.PaintedHue, 60);

        // An unchanged value reaches nobody.
        Core->SetDeltaHue(60);
        wintest::PumpUntilIdle();
        EXPECT_EQ(control.Paints, paints + 1);
    }
    DestroyWindow(host);
    wintest::PumpUntilIdle();
}

}  // namespace

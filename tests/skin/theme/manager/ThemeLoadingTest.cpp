// Theme classes, and loading and saving themes through them: by extension, by probing the contents, beside the
// program, and the refusals.
#include "ManagerTestSupport.h"

#include <TestSupport.h>
#include <toolkit/FileStream.h>
#include <toolkit/MemoryStream.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

using namespace managertest;

namespace {

std::string ReadTag(TStream& stream) {
    char tag[4] = {};
    return stream.Read(tag, 4) == 4 ? std::string(tag, 4) : std::string();
}

// Loads files named *.theme whose contents begin with "GOOD"; its streams begin with "FILE".
class FileTheme : public TskTheme {
    TOOLKIT_CLASS(FileTheme, TskTheme)
    SK_THEME_CLASS(FileTheme)

public:
    static void GetKindName(std::string& name) { name = "File"; }
    static void GetConfig(TskThemeConfig& config) {
        config = {};
        config.CanLoad = 1;
        config.CanSave = 1;
        config.Filter = "SkinCore themes (*.THEME)|*.THEME|";
        config.DefaultExt = "theme";
    }
    static bool IsThemeStream(TStream& stream) { return ReadTag(stream) == "FILE"; }
    bool LoadFromFile(const std::string& fileName) override {
        SetFileName(fileName);
        return testsupport::ReadFileBytes(fileName).rfind("GOOD", 0) == 0;
    }
    bool LoadFromStream(TStream& stream) override { return ReadTag(stream) == "FILE"; }
    bool SaveToStream(TStream& stream) override {
        stream.WriteBuffer("FILE", 4);
        return true;
    }
};

// Found only by its contents ("PRBE" then a name); it neither loads by extension nor saves.
class ProbedTheme : public TskTheme {
    TOOLKIT_CLASS(ProbedTheme, TskTheme)
    SK_THEME_CLASS(ProbedTheme)

public:
    static void GetKindName(std::string& name) { name = "Probed"; }
    static void GetConfig(TskThemeConfig& config) {
        config = {};
        config.Filter = "Probed (*.dat)|*.dat|";
    }
    static bool IsThemeStream(TStream& stream) { return ReadTag(stream) == "PRBE"; }
    bool LoadFromStream(TStream& stream) override {
        StartedAt = stream.Position();
        if (ReadTag(stream) != "PRBE") return false;
        const std::string name = ReadTag(stream);
        SetName(name);
        return name != "FAIL";
    }
    int64_t StartedAt = -1;
};

class ThemeLoading : public ::testing::Test {
protected:
    void SetUp() override {
        Manager.RegisterThemeClass(TskTheme::ThemeClassRef());
        Manager.RegisterThemeClass(FileTheme::ThemeClassRef());
        Manager.RegisterThemeClass(ProbedTheme::ThemeClassRef());
    }
    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = Dir.File(name);
        testsupport::WriteFileBytes(path, bytes);
        return path;
    }

    TskThemeManager Manager;  // a manager of our own, so the classes registered here stay here
    testsupport::TempDir Dir;
};

TEST(ThemeClasses, TheUnitRegistersTheBaseClassAlone) {
    TskThemeManager* manager = ThemeManager();
    ASSERT_EQ(manager->ThemeClassCount(), 1);
    EXPECT_EQ(manager->ThemeClass(0), TskTheme::ThemeClassRef());
    EXPECT_EQ(manager->ThemeClass(1), nullptr);
    EXPECT_EQ(manager->ThemeClass(-1), nullptr);

    // The base class loads nothing, from files or streams.
    testsupport::TempDir dir;
    const std::string path = dir.File("any.theme");
    testsupport::WriteFileBytes(path, "GOOD FILE PRBE");
    EXPECT_EQ(manager->LoadThemeFromFile(path), nullptr);
    TMemoryStream stream;
    stream.WriteBuffer("PRBEname", 8);
    stream.SetPosition(0);
    EXPECT_EQ(manager->LoadThemeFromStream(stream), nullptr);
    EXPECT_EQ(stream.Position(), 0);
    TskTheme base;
    EXPECT_FALSE(manager->SaveThemeToStream(&base, stream));
}

TEST_F(ThemeLoading, AKnownExtensionChoosesTheClassWhateverTheCase) {
    const std::string path = Write("Blue.Theme", "GOOD");
    std::unique_ptr<TskTheme> theme = Manager.LoadThemeFromFile(path);
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->ThemeClass(), FileTheme::ThemeClassRef());
    EXPECT_EQ(theme->FileName(), path);
    // Loading never makes a theme current.
    EXPECT_EQ(Manager.CurrentTheme(), nullptr);

    EXPECT_EQ(Manager.LoadThemeFromFile(Write("Bad.theme", "BAD!")), nullptr);
}

TEST_F(ThemeLoading, OtherFilesAreProbedByTheirContents) {
    // ".dat" is in ProbedTheme's filter, but that class cannot load by name: the contents decide.
    std::unique_ptr<TskTheme> theme = Manager.LoadThemeFromFile(Write("skin.dat", "PRBEabcd"));
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->ThemeClass(), ProbedTheme::ThemeClassRef());
    EXPECT_EQ(theme->Name(), "abcd");
    theme = Manager.LoadThemeFromFile(Write("noextension", "FILE"));
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->ThemeClass(), FileTheme::ThemeClassRef());
    EXPECT_EQ(Manager.LoadThemeFromFile(Write("unknown.bin", "????")), nullptr);
    EXPECT_EQ(Manager.LoadThemeFromFile(Write("failing.dat", "PRBEFAIL")), nullptr);
}

TEST_F(ThemeLoading, StreamsAreProbedFromWhereTheyStand) {
    TMemoryStream stream;
    stream.WriteBuffer("xyzPRBEnice", 11);
    stream.SetPosition(3);
    std::unique_ptr<TskTheme> theme = Manager.LoadThemeFromStream(stream);
    ASSERT_NE(theme, nullptr);
    // FileTheme read four bytes before it said no; the probe's class still starts at the same place.
    EXPECT_EQ(static_cast<ProbedTheme*>(theme.get())->StartedAt, 3);
    EXPECT_EQ(theme->Name(), "nice");

    stream.SetPosition(0);
    EXPECT_EQ(Manager.LoadThemeFromStream(stream), nullptr);
    EXPECT_EQ(stream.Position(), 0);
}

TEST_F(ThemeLoading, NamesAreLookedForBesideTheProgram) {
    const std::string name = "beside-the-program.theme";
    const std::string path = (testsupport::ExeDir() / name).string();
    testsupport::WriteFileBytes(path, "GOOD");
    // From another working directory, so that only the program's directory can hold the name.
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir("/"), 0);
    std::unique_ptr<TskTheme> theme = Manager.LoadThemeFromFile(name);
    ASSERT_EQ(chdir(previous), 0);
    std::remove(path.c_str());
    ASSERT_NE(theme, nullptr);
    EXPECT_EQ(theme->FileName(), path);
}

TEST_F(ThemeLoading, MissingFilesAndEmptyNamesGiveNoTheme) {
    const char* names[] = {"", "x", "missing.theme", "C:missing.theme", "/nowhere/missing.theme"};
    for (const char* name : names) EXPECT_EQ(Manager.LoadThemeFromFile(name), nullptr) << name;
}

TEST_F(ThemeLoading, SavingNeedsAClassThatCanSave) {
    TMemoryStream stream;
    EXPECT_FALSE(Manager.SaveThemeToStream(nullptr, stream));
    ProbedTheme probed;
    EXPECT_FALSE(Manager.SaveThemeToStream(&probed, stream));
    EXPECT_EQ(stream.Size(), 0);
    FileTheme file;
    EXPECT_TRUE(Manager.SaveThemeToStream(&file, stream));
    stream.SetPosition(0);
    std::unique_ptr<TskTheme> back = Manager.LoadThemeFromStream(stream);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->ThemeClass(), FileTheme::ThemeClassRef());
}

}  // namespace

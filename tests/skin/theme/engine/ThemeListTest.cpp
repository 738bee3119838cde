// TSkThemeList and its TSkThemeStream items: the "ThemeStream" property's layouts written and read, its round trip
// through a form description with a TSkSkinCore choosing an item, the older inline layout, and damaged data refused.
#include "EngineTestSupport.h"

#include <toolkit/PropertyRegistry.h>
#include <toolkit/Reader.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace enginetest;

namespace {

// The root of the descriptions read here, with a handler for OnThemeChanged.
class TEngineTestForm : public TComponent {
    TOOLKIT_CLASS(TEngineTestForm, TComponent)

public:
    explicit TEngineTestForm(TComponent* owner) : TComponent(owner) {}
    // The skin core raises OnThemeChanged as the list goes, while Changes still exists.
    ~TEngineTestForm() override {
        Destroying();
        DestroyComponents();
    }
    void SkinChanged(TObject* sender) { Changes.push_back(sender); }
    std::vector<TObject*> Changes;
};

[[maybe_unused]] const auto published = Publish<TEngineTestForm>().Method("SkinChanged", &TEngineTestForm::SkinChanged);

class ThemeList : public ::testing::Test {
protected:
    void SetUp() override {
        Manager = ThemeManager();
        ASSERT_EQ(Manager->CurrentTheme(), nullptr);
    }
    void TearDown() override {
        Form.reset();
        Manager->RemoveCurrentTheme();
        EXPECT_EQ(Manager->ListenerCount(), 0);
    }
    // Reads a form holding the given components' descriptions.
    void Read(const std::string& body) {
        Form = std::make_unique<TEngineTestForm>(nullptr);
        ReadDescription(Form.get(), "object Form1: TEngineTestForm\n" + body + "end\n");
    }
    template <class T>
    T* Find(const std::string& name) {
        return dynamic_cast<T*>(Form->FindComponent(name));
    }
    // A theme list's description whose items hold these "ThemeStream" bytes.
    static std::string ListText(const std::vector<std::string>& items) {
        std::string text = "  object SkThemeList1: TSkThemeList\n    Themes = <";
        for (const std::string& bytes : items)
            text += "\n      item\n        ThemeStream = {" + Hex(bytes) + "}\n      end";
        return text + ">\n  end\n";
    }

    TskThemeManager* Manager = nullptr;
    std::unique_ptr<TEngineTestForm> Form;
};

TEST_F(ThemeList, ANewItemShowsEmptyAndWritesTheEmptyKind) {
    TSkThemeList list(nullptr);
    TSkThemeStream* item = list.Themes()->Add();
    EXPECT_EQ(item->DisplayName(), "(empty)");
    EXPECT_EQ(item->ThemeStore(), "(empty)");
    item->SetThemeStore("Blue");
    EXPECT_EQ(item->ThemeStore(), "(empty)");
    EXPECT_EQ(item->WriteThemeStream(), std::string(1, '\0'));
    EXPECT_EQ(item->LoadedTheme(), nullptr);
    EXPECT_EQ(item->Collection(), list.Themes());
    EXPECT_EQ(list.Themes()->GetOwner(), &list);
    EXPECT_EQ(list.Version(), "6.0");
}

TEST_F(ThemeList, AStoredItemIsWrittenAsKindNameSizeAndData) {
    std::string data;
    for (int i = 0; i < 100; ++i) data += static_cast<char>(i * 7);
    const std::string layout =
        std::string("\x02\x04\x00\x00\x00", 5) + "Blue" + std::string("\x64\0\0\0\0\0\0\0", 8) + data;
    TSkThemeList list(nullptr);
    TSkThemeStream* item = list.Themes()->Add();
    item->ReadThemeStream(layout);
    EXPECT_EQ(item->ThemeStore(), "Blue");
    EXPECT_EQ(item->DisplayName(), "Blue");
    EXPECT_EQ(Bytes(item->Data()), data);
    EXPECT_EQ(item->WriteThemeStream(), layout);

    // Readers take the size's low 32 bits.
    TSkThemeStream* high = list.Themes()->Add();
    high->ReadThemeStream(std::string("\x02\x01\0\0\0", 5) + "H" + std::string("\x03\0\0\0\x01\0\0\0", 8) + "abc");
    EXPECT_EQ(Bytes(high->Data()), "abc");
    EXPECT_EQ(high->ThemeStore(), "H");

    // An item whose data was emptied writes the empty kind, whatever its name.
    item->Data().Clear();
    EXPECT_EQ(item->WriteThemeStream(), std::string(1, '\0'));
}

TEST_F(ThemeList, ThemesRoundTripThroughADescriptionAndTheSkinCoreLoadsTheChosenOne) {
    TSkThemeList source(nullptr);
    for (const char* name : {"Blue", "", "Red"}) AddStoredItem(source, name);
    std::vector<std::string> written;
    for (int i = 0; i < source.Themes()->Count(); ++i) written.push_back(source.Themes()->Items(i)->WriteThemeStream());

    // The index comes before the list it points into: the component's end of loading chooses the item.
    Read(
        "  object SkSkinCore1: TSkSkinCore\n    ThemeIndex = 2\n    ThemeList = SkThemeList1\n"
        "    OnThemeChanged = SkinChanged\n  end\n" +
        ListText(written));
    auto* list = Find<TSkThemeList>("SkThemeList1");
    auto* core = Find<TSkSkinCore>("SkSkinCore1");
    ASSERT_NE(list, nullptr);
    ASSERT_NE(core, nullptr);
    ASSERT_EQ(list->Themes()->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        TSkThemeStream* item = list->Themes()->Items(i);
        EXPECT_EQ(item->ThemeStore(), source.Themes()->Items(i)->ThemeStore()) << i;
        EXPECT_EQ(Bytes(item->Data()), Bytes(source.Themes()->Items(i)->Data())) << i;
        EXPECT_EQ(item->WriteThemeStream(), written[static_cast<size_t>(i)]) << i;
    }
    EXPECT_EQ(core->ThemeList(), list);
    EXPECT_EQ(core->ThemeIndex(), 2);
    ASSERT_NE(Manager->CurrentTheme(), nullptr);
    EXPECT_EQ(Manager->CurrentTheme()->Name(), "Red");
    EXPECT_EQ(Form->Changes, std::vector<TObject*>{core});

    // The form going takes the theme chosen from its list with it.
    Form.reset();
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);
}

TEST_F(ThemeList, TheOlderInlineKindIsReadAndResaved) {
    const std::string inlineBytes = "\x01" + StoredThemeBytes("Green");
    {
        TSkThemeList list(nullptr);
        TSkThemeStream* item = list.Themes()->Add();
        item->ReadThemeStream(inlineBytes);
        EXPECT_EQ(item->ThemeStore(), "Green");
        EXPECT_EQ(Bytes(item->Data()), StoredThemeBytes("Green"));
        ASSERT_NE(item->LoadedTheme(), nullptr);
        EXPECT_EQ(item->LoadedTheme()->Name(), "Green");
    }

    // Once the list is loaded the theme read on the way is gone; the item keeps its data and writes the stored kind.
    Read(ListText({inlineBytes, "\x01JUNK"}));
    auto* list = Find<TSkThemeList>("SkThemeList1");
    ASSERT_NE(list, nullptr);
    TSkThemeStream* item = list->Themes()->Items(0);
    EXPECT_EQ(item->LoadedTheme(), nullptr);
    EXPECT_EQ(item->ThemeStore(), "Green");
    EXPECT_EQ(item->WriteThemeStream(), StoredItemBytes("Green", StoredThemeBytes("Green")));
    // Inline data that no class loads leaves the item empty.
    EXPECT_EQ(list->Themes()->Items(1)->ThemeStore(), "(empty)");
    EXPECT_EQ(list->Themes()->Items(1)->Data().Size(), 0);
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);
}

TEST_F(ThemeList, ADamagedStreamIsRefusedAndTheCurrentThemeStays) {
    const std::string blue = StoredThemeBytes("Blue");
    const std::string cases[] = {
        "",                                                                                       // not even a kind
        std::string("\x02\x04\0", 3),                                                             // a cut name length
        std::string("\x02\x10\0\0\0", 5) + "Blue",                                                // a name past the end
        std::string("\x02\x04\0\0\0", 5) + "Blue" + std::string("\x08\0\0", 3),                   // a cut size
        std::string("\x02\x04\0\0\0", 5) + "Blue" + std::string("\xff\0\0\0\0\0\0\0", 8) + blue,  // data past the end
    };
    for (const std::string& damaged : cases) {
        Manager->SetCurrentTheme(std::make_unique<FlatTheme>());
        TskTheme* current = Manager->CurrentTheme();
        // A good item before the damaged one changes nothing either.
        EXPECT_THROW(Read(ListText({StoredItemBytes("Blue", blue), damaged})), EReadError) << Hex(damaged);
        EXPECT_EQ(Manager->CurrentTheme(), current) << Hex(damaged);

        // An item that held a theme keeps it.
        TSkThemeList list(nullptr);
        TSkThemeStream* item = AddStoredItem(list, "Blue");
        EXPECT_THROW(item->ReadThemeStream(damaged), EReadError) << Hex(damaged);
        EXPECT_EQ(item->ThemeStore(), "Blue") << Hex(damaged);
        EXPECT_EQ(Bytes(item->Data()), blue) << Hex(damaged);
    }

    // A kind this layout does not know is read as empty.
    TSkThemeList list(nullptr);
    TSkThemeStream* item = list.Themes()->Add();
    item->ReadThemeStream("\x07whatever");
    EXPECT_EQ(item->ThemeStore(), "(empty)");
    EXPECT_EQ(item->Data().Size(), 0);
}

TEST_F(ThemeList, TheMainWindowsSettingsLeaveTheBuiltInLook) {
    CodeListener listener;
    Read(
        "  object SkSkinCore1: TSkSkinCore\n    DeltaHue = 0\n    DeltaBrightness = 0\n"
        "    ThemeBuilding = 'No theme'\n    Version = '7.0'\n  end\n");
    auto* core = Find<TSkSkinCore>("SkSkinCore1");
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->ThemeBuilding(), "No theme");
    EXPECT_EQ(core->Version(), "6.0");
    EXPECT_EQ(core->ThemeList(), nullptr);
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);
    EXPECT_TRUE(listener.Codes.empty());
}

TEST_F(ThemeList, AThemeFileThatDoesNotLoadKeepsItsNameWhileAFormIsRead) {
    Read("  object SkSkinCore1: TSkSkinCore\n    ThemeFile = 'missing.sth'\n  end\n");
    auto* core = Find<TSkSkinCore>("SkSkinCore1");
    ASSERT_NE(core, nullptr);
    EXPECT_EQ(core->ThemeFile(), "missing.sth");
    EXPECT_EQ(Manager->CurrentTheme(), nullptr);
}

TEST_F(ThemeList, TheClassesArePublishedForDescriptions) {
    for (const char* name : {"TSkSkinCore", "TSkThemeList", "TSkThemeStream"})
        EXPECT_NE(GetClass(name), nullptr) << name;

    std::vector<std::string> names;
    for (const TPropertyInfo* info : TPropertyRegistry::Properties(TSkSkinCore::ClassInfo()))
        if (TPropertyRegistry::FindProperty(TComponent::ClassInfo(), info->Name) == nullptr)
            names.push_back(info->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"DeltaHue", "DeltaBrightness", "ThemeFile", "ThemeList", "ThemeIndex",
                                               "ThemeBuilding", "Version", "OnThemeChanged"}));
    // -1 is the default, so an unchosen index is not stored.
    EXPECT_EQ(TPropertyRegistry::FindProperty(TSkSkinCore::ClassInfo(), "ThemeIndex")->DefaultOrdinal, -1);
    EXPECT_EQ(TPropertyRegistry::FindProperty(TSkThemeStream::ClassInfo(), "ThemeStream")->Kind, TPropertyKind::Binary);
}

}  // namespace

// TCollection: items made from the item class, IDs, ordering, update and membership notifications, Assign.
#include <toolkit/Collection.h>
#include <toolkit/Component.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TThemeItem : public TCollectionItem {
    TOOLKIT_CLASS(TThemeItem, TCollectionItem)

public:
    using TCollectionItem::TCollectionItem;
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& value) {
        if (value == FTitle) return;
        FTitle = value;
        Changed(false);
    }
    void Assign(const TPersistent* source) override {
        if (auto item = dynamic_cast<const TThemeItem*>(source)) {
            SetTitle(item->FTitle);
            return;
        }
        inherited::Assign(source);
    }

private:
    std::string FTitle;
};

// Logs Update as "update <title|all>" and Notify as "added/extracting/deleting <id>".
class TThemes : public TOwnedCollection {
    TOOLKIT_CLASS(TThemes, TOwnedCollection)

public:
    explicit TThemes(TPersistent* owner) : TOwnedCollection(owner, TThemeItem::ClassInfo()) {}
    TThemeItem* Add() { return static_cast<TThemeItem*>(TCollection::Add()); }
    TThemeItem* Item(int index) const { return static_cast<TThemeItem*>(Items(index)); }
    std::vector<std::string> Log;

protected:
    void Update(TCollectionItem* item) override {
        Log.push_back("update " + (item ? static_cast<TThemeItem*>(item)->Title() : std::string("all")));
    }
    void Notify(TCollectionItem* item, TCollectionNotification action) override {
        const char* names[] = {"added", "extracting", "deleting"};
        Log.push_back(std::string(names[action]) + " " + std::to_string(item->ID()));
    }
};

std::vector<std::string> Titles(const TThemes& themes) {
    std::vector<std::string> titles;
    for (int i = 0; i < themes.Count(); ++i) titles.push_back(themes.Item(i)->Title());
    return titles;
}

}  // namespace

TEST(Collection, AddMakesItemsOfTheItemClassWithFreshIds) {
    TComponent owner(nullptr);
    TThemes themes(&owner);
    EXPECT_EQ(&owner, themes.GetOwner());
    EXPECT_EQ(TThemeItem::ClassInfo(), themes.ItemClass());
    TThemeItem* a = themes.Add();
    TThemeItem* b = themes.Add();
    EXPECT_EQ("TThemeItem", a->ClassName());
    EXPECT_EQ(&themes, b->Collection());
    EXPECT_EQ(1, b->Index());
    EXPECT_EQ((std::vector<std::string>{"added 0", "update all", "added 1", "update all"}), themes.Log);

    themes.Log.clear();
    themes.Delete(0);
    EXPECT_EQ((std::vector<std::string>{"deleting 0", "extracting 0", "update all"}), themes.Log);
    EXPECT_EQ(0, b->Index());
    TThemeItem* c = themes.Add();
    EXPECT_EQ(2, c->ID());  // IDs are never reused
    EXPECT_EQ(c, themes.FindItemID(2));
    EXPECT_EQ(nullptr, themes.FindItemID(0));
    EXPECT_EQ("TThemes[1]", c->GetNamePath());
    EXPECT_THROW(themes.Items(2), Exception);

    themes.Log.clear();
    delete b;  // an item freed by hand leaves its collection
    EXPECT_EQ(1, themes.Count());
    EXPECT_EQ((std::vector<std::string>{"extracting 1", "update all"}), themes.Log);
}

TEST(Collection, ItemChangesAndOrderReachUpdate) {
    TThemes themes(nullptr);
    TThemeItem* a = themes.Add();
    themes.Add()->SetTitle("b");
    themes.Log.clear();
    a->SetTitle("a");
    EXPECT_EQ((std::vector<std::string>{"update a"}), themes.Log);

    themes.Log.clear();
    a->SetIndex(5);  // clamped to the end
    EXPECT_EQ((std::vector<std::string>{"b", "a"}), Titles(themes));
    EXPECT_EQ((std::vector<std::string>{"update all"}), themes.Log);

    TThemeItem* inserted = static_cast<TThemeItem*>(themes.Insert(0));
    inserted->SetTitle("first");
    EXPECT_EQ((std::vector<std::string>{"first", "b", "a"}), Titles(themes));
}

TEST(Collection, UpdatesCollapseIntoOne) {
    TThemes themes(nullptr);
    for (int i = 0; i < 3; ++i) themes.Add();
    themes.Log.clear();
    themes.BeginUpdate();
    themes.BeginUpdate();
    themes.Item(0)->SetTitle("x");
    themes.Add();
    themes.EndUpdate();
    themes.EndUpdate();
    EXPECT_EQ((std::vector<std::string>{"added 3", "update all"}), themes.Log);

    themes.Log.clear();
    themes.Clear();
    EXPECT_EQ(0, themes.Count());
    EXPECT_EQ((std::vector<std::string>{"extracting 3", "extracting 2", "extracting 1", "extracting 0", "update all"}),
              themes.Log);
}

TEST(Collection, AssignCopiesItemByItem) {
    TThemes source(nullptr), dest(nullptr);
    for (const char* title : {"经典", "Blue"}) source.Add()->SetTitle(title);
    dest.Add()->SetTitle("old");
    dest.Assign(&source);
    EXPECT_EQ((std::vector<std::string>{"经典", "Blue"}), Titles(dest));
    dest.SetItems(1, source.Item(0));
    EXPECT_EQ("经典", dest.Item(1)->Title());

    TComponent component(nullptr);
    EXPECT_THROW(dest.Assign(&component), EConvertError);
    EXPECT_EQ(2, dest.Count());
}

TEST(Collection, OnlyCollectionItemClassesMakeCollections) {
    try {
        TCollection collection(TComponent::ClassInfo());
        ADD_FAILURE();
    } catch (const EConvertError& e) {
        EXPECT_EQ("Invalid collection item class TComponent", e.Message());
    }
    TCollection plain(TCollectionItem::ClassInfo());
    EXPECT_EQ("TCollectionItem", plain.Add()->DisplayName());
}

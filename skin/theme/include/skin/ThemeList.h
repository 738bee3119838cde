// TSkThemeList and its collection of TSkThemeStream items: themes kept inside a form's stored description, each in
// the theme manager's stream format, for TSkSkinCore to select by index.
#pragma once

#include <toolkit/Collection.h>
#include <toolkit/Component.h>
#include <toolkit/MemoryStream.h>

#include <memory>
#include <string>

class TskTheme;

class TSkThemeStream : public TCollectionItem {
    TOOLKIT_CLASS(TSkThemeStream, TCollectionItem)

public:
    explicit TSkThemeStream(TCollection* collection);
    ~TSkThemeStream() override;

    // One theme as the theme manager's SaveThemeToStream writes it; empty for a new item.
    TMemoryStream& Data() { return FData; }
    // The theme's name; "(empty)" for a new item.
    const std::string& ThemeStore() const { return FName; }
    void SetThemeStore(const std::string&) {}
    std::string DisplayName() const override { return FName; }

    // The "ThemeStream" property. Kind 0: empty; kind 1 (an older layout, read only): one theme in the stream
    // format, re-saved into the data; kind 2: the name (32-bit length, bytes), a 64-bit size and the data.
    // A damaged kind 2 raises EReadError and leaves the item as it was.
    void ReadThemeStream(const std::string& bytes);
    std::string WriteThemeStream();

    // A theme read from a kind-1 item, held until the list has been loaded; else none.
    TskTheme* LoadedTheme() const { return FLoadedTheme.get(); }
    void FreeLoadedTheme();

private:
    std::unique_ptr<TskTheme> FLoadedTheme;
    TMemoryStream FData;
    std::string FName;
};

// A new theme from the item's data (from its start), or none when the data is empty or holds no theme the
// registered classes load.
std::unique_ptr<TskTheme> LoadStoredTheme(TSkThemeStream& item);

class TSkThemeCollection : public TOwnedCollection {
    TOOLKIT_CLASS(TSkThemeCollection, TOwnedCollection)

public:
    explicit TSkThemeCollection(TPersistent* owner);
    TSkThemeStream* Items(int index) const { return static_cast<TSkThemeStream*>(TCollection::Items(index)); }
    TSkThemeStream* Add() { return static_cast<TSkThemeStream*>(TCollection::Add()); }
};

class TSkThemeList : public TComponent {
    TOOLKIT_CLASS(TSkThemeList, TComponent)

public:
    explicit TSkThemeList(TComponent* owner);
    ~TSkThemeList() override;

    TSkThemeCollection* Themes() const { return FThemes.get(); }
    std::string Version() const;
    void SetVersion(const std::string&) {}

protected:
    // Frees the themes that items of the older layout were read through; their data keeps the re-saved copy.
    void Loaded() override;

private:
    std::unique_ptr<TSkThemeCollection> FThemes;
};

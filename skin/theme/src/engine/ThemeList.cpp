// TSkThemeList, TSkThemeCollection and TSkThemeStream: themes stored in a form's description through the
// "ThemeStream" binary property.
#include <skin/ThemeList.h>

#include <skin/SkinCore.h>
#include <skin/StreamStrings.h>
#include <skin/ThemeManager.h>
#include <toolkit/PropertyRegistry.h>

#include <cstdint>

namespace {

enum TThemeStreamKind : std::uint8_t { tsEmpty = 0, tsInline = 1, tsStored = 2 };

// The data's size is stored in 64 bits, little-endian; only its low 32 bits are used.
std::uint32_t ReadSize64(TStream& stream) {
    unsigned char bytes[8];
    stream.ReadBuffer(bytes, sizeof bytes);
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = (size << 8) | bytes[i];
    return size;
}

void WriteSize64(TStream& stream, std::uint32_t size) {
    unsigned char bytes[8] = {};
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(size >> (8 * i));
    stream.WriteBuffer(bytes, sizeof bytes);
}

[[maybe_unused]] const auto publishedStream =
    Publish<TSkThemeStream>()
        .String("ThemeStore", &TSkThemeStream::ThemeStore, &TSkThemeStream::SetThemeStore)
        .Binary("ThemeStream", &TSkThemeStream::ReadThemeStream, &TSkThemeStream::WriteThemeStream);

[[maybe_unused]] const auto publishedList = Publish<TSkThemeList>()
                                                .Collection("Themes", &TSkThemeList::Themes)
                                                .String("Version", &TSkThemeList::Version, &TSkThemeList::SetVersion);

}  // namespace

TSkThemeStream::TSkThemeStream(TCollection* collection) : TCollectionItem(collection), FName("(empty)") {}

TSkThemeStream::~TSkThemeStream() = default;

void TSkThemeStream::FreeLoadedTheme() { FLoadedTheme.reset(); }

void TSkThemeStream::ReadThemeStream(const std::string& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    stream.SetPosition(0);
    std::uint8_t kind = tsEmpty;
    stream.ReadBuffer(&kind, 1);
    if (kind == tsInline) {
        TskThemeManager* manager = ThemeManager();
        if (!manager) return;
        std::unique_ptr<TskTheme> theme = manager->LoadThemeFromStream(stream);
        if (!theme) return;
        FData.Clear();
        manager->SaveThemeToStream(theme.get(), FData);
        FName = theme->Name();
        FLoadedTheme = std::move(theme);
    } else if (kind == tsStored) {
        // Everything is read before the item changes, so a damaged property leaves the item whole.
        std::string name = ReadString(stream);
        const std::uint32_t size = ReadSize64(stream);
        if (size > stream.Size() - stream.Position()) throw EReadError("Stream read error");
        FData.Clear();
        // CopyFrom takes a count of 0 as the whole source.
        if (size > 0) FData.CopyFrom(stream, size);
        FName = std::move(name);
    }
}

std::string TSkThemeStream::WriteThemeStream() {
    TMemoryStream stream;
    const std::uint8_t kind = FData.Size() > 0 ? tsStored : tsEmpty;
    stream.WriteBuffer(&kind, 1);
    if (kind == tsStored) {
        WriteString(stream, FName);
        WriteSize64(stream, static_cast<std::uint32_t>(FData.Size()));
        stream.WriteBuffer(FData.Memory(), static_cast<int>(FData.Size()));
    }
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

std::unique_ptr<TskTheme> LoadStoredTheme(TSkThemeStream& item) {
    TskThemeManager* manager = ThemeManager();
    if (!manager || item.Data().Size() == 0) return nullptr;
    item.Data().SetPosition(0);
    return manager->LoadThemeFromStream(item.Data());
}

TSkThemeCollection::TSkThemeCollection(TPersistent* owner) : TOwnedCollection(owner, TSkThemeStream::ClassInfo()) {}

TSkThemeList::TSkThemeList(TComponent* owner)
    : TComponent(owner), FThemes(std::make_unique<TSkThemeCollection>(this)) {}

TSkThemeList::~TSkThemeList() = default;

std::string TSkThemeList::Version() const { return SEngineVersion; }

void TSkThemeList::Loaded() {
    inherited::Loaded();
    for (int i = 0; i < FThemes->Count(); ++i) FThemes->Items(i)->FreeLoadedTheme();
}

// The engine tests' theme classes (a built-in one selected by name and one stored in files and streams), a
// listener that counts the manager's codes, and the bytes of stored themes.
#pragma once

#include <skin/SkinCore.h>
#include <skin/StreamStrings.h>
#include <skin/Theme.h>
#include <skin/ThemeList.h>
#include <skin/ThemeManager.h>
#include <toolkit/FileStream.h>
#include <toolkit/MemoryStream.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace enginetest {

// Built in: drawn by code, chosen by its kind name "Flat".
class FlatTheme : public TskTheme {
    TOOLKIT_CLASS(FlatTheme, TskTheme)
    SK_THEME_CLASS(FlatTheme)

public:
    static void GetKindName(std::string& name) { name = "Flat"; }
    static void GetConfig(TskThemeConfig& config) {
        config = {};
        config.Procedural = 1;
    }
    static bool IsThemeStream(TStream&) { return false; }
};

// Kept in files (*.sth) and streams: the tag "STTH", then its name as a counted string.
class StoredTheme : public TskTheme {
    TOOLKIT_CLASS(StoredTheme, TskTheme)
    SK_THEME_CLASS(StoredTheme)

public:
    static void GetKindName(std::string& name) { name = "Stored"; }
    static void GetConfig(TskThemeConfig& config) {
        config = {};
        config.CanLoad = 1;
        config.CanSave = 1;
        config.Filter = "Stored themes (*.sth)|*.sth|";
        config.DefaultExt = "sth";
    }
    static bool IsThemeStream(TStream& stream) {
        char tag[4] = {};
        return stream.Read(tag, 4) == 4 && std::string(tag, 4) == "STTH";
    }
    bool LoadFromStream(TStream& stream) override {
        if (!IsThemeStream(stream)) return false;
        SetName(ReadString(stream));
        return true;
    }
    bool SaveToStream(TStream& stream) override {
        stream.WriteBuffer("STTH", 4);
        WriteString(stream, Name());
        return true;
    }
    bool LoadFromFile(const std::string& fileName) override {
        TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
        SetFileName(fileName);
        return LoadFromStream(stream);
    }
};

// What the manager writes for a stored theme of that name.
inline std::string StoredThemeBytes(const std::string& name) {
    StoredTheme theme;
    theme.SetName(name);
    TMemoryStream stream;
    EXPECT_TRUE(ThemeManager()->SaveThemeToStream(&theme, stream));
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

// A "ThemeStream" property of the stored kind: 2, the name's length and bytes, the data's 64-bit size, the data.
inline std::string StoredItemBytes(const std::string& name, const std::string& data) {
    auto le = [](std::uint64_t value, int size) {
        std::string bytes;
        for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
        return bytes;
    };
    return std::string(1, '\x02') + le(name.size(), 4) + name + le(data.size(), 8) + data;
}

// A new item of the list holding a stored theme of that name under that name; an empty name leaves it empty.
inline TSkThemeStream* AddStoredItem(TSkThemeList& list, const std::string& name) {
    TSkThemeStream* item = list.Themes()->Add();
    if (!name.empty()) item->ReadThemeStream(StoredItemBytes(name, StoredThemeBytes(name)));
    return item;
}

inline std::string Bytes(TMemoryStream& stream) {
    return std::string(stream.Memory(), static_cast<size_t>(stream.Size()));
}

inline void SetData(TSkThemeStream& item, const std::string& bytes) {
    item.Data().Clear();
    item.Data().WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

// Binary data as a description writes it between braces.
inline std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text;
}

// Hears the manager's broadcast through its message dispatch, as any non-control listener does.
class CodeListener : public TComponent {
public:
    // Records what follows its joining (not the code a newcomer gets while a theme is current).
    CodeListener() : TComponent(nullptr) {
        AddThemeListener(this);
        Codes.clear();
    }
    ~CodeListener() override { RemoveThemeListener(this); }
    void Dispatch(TMessage& message) override {
        if (message.Msg == SkThemeMessage) Codes.push_back(message.WParam);
    }
    int Count(WPARAM code) const {
        int count = 0;
        for (WPARAM c : Codes) count += c == code;
        return count;
    }
    std::vector<WPARAM> Codes;
};

}  // namespace enginetest

// Loading and saving themes through the registered classes: by file extension, else by probing the contents.
#include <skin/ThemeManager.h>

#include <toolkit/FileStream.h>
#include <toolkit/SysUtils.h>

namespace {

std::string ProgramDirectory() {
    char path[4096];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return ExtractFilePath(std::string(path, length < sizeof path ? length : 0));
}

// A name that names its own root (a drive, or the file system's root) is not looked for beside the program.
bool Rooted(const std::string& name) {
    return (name.size() >= 2 && name[1] == ':') || name[0] == '/' || name[0] == '\\';
}

}  // namespace

std::unique_ptr<TskTheme> TskThemeManager::LoadThemeFromFile(const std::string& fileName) {
    if (fileName.empty()) return nullptr;
    std::string name = fileName;
    if (!FileExists(name)) {
        // A one-character name has no second character to test; it is taken as given.
        if (name.size() < 2 || Rooted(name)) return nullptr;
        name = ProgramDirectory() + name;
        if (!FileExists(name)) return nullptr;
    }

    const std::string extension = LowerCase(ExtractFileExt(name));
    const TskThemeClass* found = nullptr;
    if (!extension.empty()) {
        for (const TskThemeClass* themeClass : FThemeClasses) {
            TskThemeConfig config;
            themeClass->GetConfig(config);
            if (config.CanLoad && LowerCase(config.Filter).find(extension) != std::string::npos) {
                found = themeClass;
                break;
            }
        }
    }
    if (found) {
        std::unique_ptr<TskTheme> theme = found->Create();
        if (!theme || !theme->LoadFromFile(name)) return nullptr;
        return theme;
    }
    TFileStream stream(name, fmOpenRead | fmShareDenyWrite);
    return LoadThemeFromStream(stream);
}

std::unique_ptr<TskTheme> TskThemeManager::LoadThemeFromStream(TStream& stream) {
    const int64_t start = stream.Position();
    const TskThemeClass* found = nullptr;
    for (const TskThemeClass* themeClass : FThemeClasses) {
        const bool matches = themeClass->IsThemeStream(stream);
        stream.SetPosition(start);
        if (matches) {
            found = themeClass;
            break;
        }
    }
    if (!found) return nullptr;
    std::unique_ptr<TskTheme> theme = found->Create();
    if (!theme || !theme->LoadFromStream(stream)) return nullptr;
    return theme;
}

bool TskThemeManager::SaveThemeToStream(TskTheme* theme, TStream& stream) {
    if (!theme) return false;
    TskThemeConfig config;
    theme->ThemeClass()->GetConfig(config);
    return config.CanSave && theme->SaveToStream(stream);
}

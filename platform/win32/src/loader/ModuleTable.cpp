// The module table: fixed handles for the program and the built-in modules, and name lookup as the loader does
// it (any case, ".dll" optional, full paths only for the program's own file).
#include "loader/ModuleTable.h"

#include "codepage/Gbk.h"
#include "loader/Exports.h"

namespace win32::loader {
namespace {

HMODULE HandleAt(uintptr_t base) { return reinterpret_cast<HMODULE>(base); }

std::string WithoutDll(const std::string& folded) {
    const std::string dll = ".dll";
    if (folded.size() > dll.size() && folded.compare(folded.size() - dll.size(), dll.size(), dll) == 0) {
        return folded.substr(0, folded.size() - dll.size());
    }
    return folded;
}

bool HasPath(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

std::string BaseName(const std::string& path) {
    // Backslashes may be trail bytes of double-byte characters: walk character by character.
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        BYTE b = static_cast<BYTE>(path[i]);
        if (codepage::Gbk::IsLeadByte(b) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (b == '\\' || b == '/') start = i + 1;
    }
    return path.substr(start);
}

}  // namespace

std::string FoldName(const std::string& name) {
    std::string folded = name;
    for (size_t i = 0; i < folded.size(); ++i) {
        BYTE b = static_cast<BYTE>(folded[i]);
        if (codepage::Gbk::IsLeadByte(b)) {
            ++i;
        } else if (b >= 'A' && b <= 'Z') {
            folded[i] = static_cast<char>(b - 'A' + 'a');
        }
    }
    return folded;
}

ModuleTable& ModuleTable::Instance() {
    static ModuleTable table;
    return table;
}

ModuleTable::ModuleTable() {
    // Handles stand where Windows would map the images; they are positive and are never pointers.
    Module program;
    program.Handle = HandleAt(0x00400000);
    program.Pinned = true;
    FModules.push_back(program);

    Module user32;
    user32.Name = "user32";
    user32.Handle = HandleAt(0x77d40000);
    user32.Pinned = true;
    user32.Exports = User32Exports();
    FModules.push_back(user32);

    Module uxtheme;
    uxtheme.Name = "uxtheme";
    uxtheme.Handle = HandleAt(0x5ad70000);
    uxtheme.Exports = UxThemeExports();
    FModules.push_back(uxtheme);

    // TransparentBlt is not offered: drawing with a key colour takes the library's own path.
    Module msimg32;
    msimg32.Name = "msimg32";
    msimg32.Handle = HandleAt(0x76380000);
    msimg32.Available = false;
    FModules.push_back(msimg32);
}

const std::string& ModuleTable::ProgramPath() {
    if (FProgramPath.empty()) {
        char path[MAX_PATH * 2];
        DWORD error = GetLastError();
        DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
        if (length > 0 && length < sizeof path) FProgramPath.assign(path, length);
        SetLastError(error);
    }
    return FProgramPath;
}

Module* ModuleTable::ByName(const std::string& name) {
    std::string folded = FoldName(name);
    if (HasPath(name)) {
        return !ProgramPath().empty() && folded == FoldName(ProgramPath()) ? &Program() : nullptr;
    }
    std::string stem = WithoutDll(folded);
    std::string programFile = FoldName(BaseName(ProgramPath()));
    if (!programFile.empty() && (folded == programFile || folded == programFile + ".exe")) return &Program();
    for (Module& module : FModules) {
        if (!module.Name.empty() && module.Name == stem) return &module;
    }
    return nullptr;
}

Module* ModuleTable::ByHandle(HMODULE handle) {
    for (Module& module : FModules) {
        if (module.Handle == handle) return &module;
    }
    return nullptr;
}

}  // namespace win32::loader

// The process's modules: the program itself and the built-in system modules, each with its reference count,
// its export table and whether the test switches offer it at all.
#pragma once

#include <win32/windows.h>

#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace win32::loader {

struct Module {
    std::string Name;  // lower case, without ".dll"
    HMODULE Handle = nullptr;
    bool Available = true;  // LoadLibraryA and GetModuleHandleA find it
    bool Pinned = false;    // loaded with the process (the program, user32): never unloaded
    int References = 0;     // LoadLibrary references not yet freed
    std::map<std::string, FARPROC> Exports;
    std::set<std::string> Hidden;  // exports switched off by tests

    bool Loaded() const { return Pinned || References > 0; }
};

class ModuleTable {
public:
    static ModuleTable& Instance();
    // Held around every use of the table: modules may be loaded and freed from any thread.
    std::recursive_mutex& Mutex() { return FMutex; }

    // Finds a module by file name: "uxtheme", "UxTheme.DLL", the program's file name or its full path.
    Module* ByName(const std::string& name);
    Module* ByHandle(HMODULE handle);
    Module& Program() { return FModules.front(); }
    // The executable's path as GetModuleFileNameA gives it (code page 936).
    const std::string& ProgramPath();

private:
    ModuleTable();
    std::vector<Module> FModules;  // the program first
    std::string FProgramPath;
    std::recursive_mutex FMutex;
};

// Case folding of ANSI names that leaves the trail bytes of double-byte characters alone.
std::string FoldName(const std::string& name);

}  // namespace win32::loader

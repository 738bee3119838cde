// LoadLibraryA/ExA, GetModuleHandleA, GetProcAddress and FreeLibrary over the module table.
#include "loader/ModuleTable.h"
#include "user/AnsiConvert.h"

#include <win32/modules.h>

namespace {

using win32::loader::Module;
using win32::loader::ModuleTable;

// A module the caller may reach by name right now.
Module* Findable(ModuleTable& table, LPCSTR name) {
    Module* module = table.ByName(name);
    if (!module || !module->Available) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return module;
}

bool IsOrdinal(LPCSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

}  // namespace

HMODULE LoadLibraryExA(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    if (!lpLibFileName || !*lpLibFileName || hFile || (dwFlags & ~DWORD{LOAD_LIBRARY_AS_DATAFILE})) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    Module* module = Findable(table, lpLibFileName);
    if (!module) return nullptr;
    ++module->References;
    return module->Handle;
}

HMODULE LoadLibraryA(LPCSTR lpLibFileName) { return LoadLibraryExA(lpLibFileName, nullptr, 0); }

HMODULE GetModuleHandleA(LPCSTR lpModuleName) {
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    if (!lpModuleName) return table.Program().Handle;
    Module* module = Findable(table, lpModuleName);
    if (!module) return nullptr;
    if (!module->Loaded()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return module->Handle;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    Module* module = hModule ? table.ByHandle(hModule) : &table.Program();
    if (!module || !module->Loaded()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    // No module exports by ordinal here.
    if (!lpProcName || IsOrdinal(lpProcName) || module->Hidden.count(lpProcName)) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    auto entry = module->Exports.find(lpProcName);
    if (entry == module->Exports.end()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return entry->second;
}

BOOL FreeLibrary(HMODULE hLibModule) {
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    Module* module = table.ByHandle(hLibModule);
    if (!module || !module->Loaded()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Modules loaded with the process stay; their count only records the program's own references.
    if (module->References > 0) --module->References;
    return TRUE;
}

namespace win32::loader {

bool SetModuleAvailable(LPCSTR moduleName, bool available) {
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    Module* module = moduleName ? table.ByName(moduleName) : nullptr;
    if (!module || module == &table.Program()) return false;
    module->Available = available;
    return true;
}

bool ModuleAvailable(LPCSTR moduleName) {
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    Module* module = moduleName ? table.ByName(moduleName) : nullptr;
    return module && module->Available;
}

bool SetExportAvailable(LPCSTR moduleName, LPCSTR procName, bool available) {
    ModuleTable& table = ModuleTable::Instance();
    std::lock_guard<std::recursive_mutex> lock(table.Mutex());
    Module* module = moduleName ? table.ByName(moduleName) : nullptr;
    if (!module || !procName || IsOrdinal(procName) || !module->Exports.count(procName)) return false;
    if (available)
        module->Hidden.erase(procName);
    else
        module->Hidden.insert(procName);
    return true;
}

}  // namespace win32::loader

HMODULE LoadLibraryExW(LPCWSTR lpLibFileName, HANDLE hFile, DWORD dwFlags) {
    return LoadLibraryExA(win32::user::AnsiName(lpLibFileName), hFile, dwFlags);
}

HMODULE LoadLibraryW(LPCWSTR lpLibFileName) { return LoadLibraryExW(lpLibFileName, nullptr, 0); }

HMODULE GetModuleHandleW(LPCWSTR lpModuleName) { return GetModuleHandleA(win32::user::AnsiName(lpModuleName)); }

// The resources compiled into the program's modules: typed, named blocks of bytes, and the bitmaps made from them.
#pragma once

#include <win32/windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace win32::loader {

struct Resource {
    HMODULE Module = nullptr;
    std::vector<BYTE> Data;
};

class ResourceTable {
public:
    static ResourceTable& Instance();

    void Add(HMODULE module, LPCSTR type, LPCSTR name, std::vector<BYTE> data);
    // Null with ERROR_RESOURCE_DATA_NOT_FOUND (the module has none), _TYPE_ or _NAME_NOT_FOUND.
    Resource* Find(HMODULE module, LPCSTR type, LPCSTR name);
    bool Known(const Resource* resource) const;

private:
    // Names and types compare without case; "#123" is the same as MAKEINTRESOURCE(123).
    static std::string Key(LPCSTR nameOrId);
    struct Entry {
        HMODULE Module;
        std::string Type;
        std::string Name;
        bool operator<(const Entry& other) const;
    };
    std::map<Entry, Resource*> FLatest;
    // Every resource ever registered stays: a pointer LockResource gave out must not dangle after a re-registration.
    std::vector<std::unique_ptr<Resource>> FAll;
};

// LoadBitmapA for a module's own RT_BITMAP resource.
HBITMAP LoadResourceBitmap(HMODULE module, LPCSTR name);

}  // namespace win32::loader

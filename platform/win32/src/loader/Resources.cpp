// The resource table with FindResourceA, LoadResource, LockResource, SizeofResource and FreeResource, the
// registration of bitmaps, and LoadBitmapA's path for module resources.
#include "loader/Resources.h"

#include "loader/ModuleTable.h"
#include "loader/PackedDib.h"
#include "user/AnsiConvert.h"

#include <win32/modules.h>

#include <cstdlib>
#include <mutex>
#include <tuple>

namespace win32::loader {
namespace {

std::recursive_mutex& TableMutex() { return ModuleTable::Instance().Mutex(); }

bool IsId(LPCSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

// The module a resource call means: NULL is the program.
Module* ModuleFor(HMODULE module) {
    ModuleTable& modules = ModuleTable::Instance();
    return module ? modules.ByHandle(module) : &modules.Program();
}

}  // namespace

ResourceTable& ResourceTable::Instance() {
    static ResourceTable table;
    return table;
}

std::string ResourceTable::Key(LPCSTR nameOrId) {
    if (IsId(nameOrId)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(nameOrId));
    std::string name = nameOrId;
    if (name.size() > 1 && name[0] == '#' && name.find_first_not_of("0123456789", 1) == std::string::npos) {
        return "#" + std::to_string(std::strtoul(name.c_str() + 1, nullptr, 10) & 0xFFFF);
    }
    return FoldName(name);
}

bool ResourceTable::Entry::operator<(const Entry& other) const {
    return std::tie(Module, Type, Name) < std::tie(other.Module, other.Type, other.Name);
}

void ResourceTable::Add(HMODULE module, LPCSTR type, LPCSTR name, std::vector<BYTE> data) {
    auto resource = std::make_unique<Resource>();
    resource->Module = module;
    resource->Data = std::move(data);
    FLatest[Entry{module, Key(type), Key(name)}] = resource.get();
    FAll.push_back(std::move(resource));
}

Resource* ResourceTable::Find(HMODULE module, LPCSTR type, LPCSTR name) {
    std::string typeKey = Key(type), nameKey = Key(name);
    bool anyForModule = false, anyOfType = false;
    for (const auto& [entry, resource] : FLatest) {
        if (entry.Module != module) continue;
        anyForModule = true;
        if (entry.Type != typeKey) continue;
        anyOfType = true;
        if (entry.Name == nameKey) return resource;
    }
    SetLastError(!anyForModule ? ERROR_RESOURCE_DATA_NOT_FOUND
                 : !anyOfType  ? ERROR_RESOURCE_TYPE_NOT_FOUND
                               : ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
}

bool ResourceTable::Known(const Resource* resource) const {
    for (const auto& owned : FAll) {
        if (owned.get() == resource) return true;
    }
    return false;
}

HBITMAP LoadResourceBitmap(HMODULE module, LPCSTR name) {
    std::vector<BYTE> bytes;
    {
        std::lock_guard<std::recursive_mutex> lock(TableMutex());
        Module* owner = ModuleFor(module);
        if (!owner) {
            SetLastError(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        Resource* resource = ResourceTable::Instance().Find(owner->Handle, RT_BITMAP, name);
        if (!resource) return nullptr;
        bytes = resource->Data;
    }
    DecodedDib picture;
    if (!DecodePackedDib(bytes.data(), bytes.size(), picture)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    // As LoadBitmap does: a bitmap in the display's format, which is 32 bits per pixel here.
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, picture.Width, picture.Height);
    if (bitmap) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture.Width;
        info.bmiHeader.biHeight = -picture.Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        if (!SetDIBits(screen, bitmap, 0, picture.Height, picture.Pixels.data(), &info, DIB_RGB_COLORS)) {
            DeleteObject(bitmap);
            bitmap = nullptr;
        }
    }
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace win32::loader

using win32::loader::ModuleFor;
using win32::loader::ResourceTable;

HRSRC FindResourceA(HMODULE hModule, LPCSTR lpName, LPCSTR lpType) {
    if (!lpName || !lpType) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> lock(win32::loader::TableMutex());
    win32::loader::Module* owner = ModuleFor(hModule);
    if (!owner) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(ResourceTable::Instance().Find(owner->Handle, lpType, lpName));
}

HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo) {
    (void)hModule;  // the resource record knows its module
    std::lock_guard<std::recursive_mutex> lock(win32::loader::TableMutex());
    auto* resource = reinterpret_cast<win32::loader::Resource*>(hResInfo);
    if (!resource || !ResourceTable::Instance().Known(resource)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return resource->Data.data();
}

// A loaded resource is its bytes: locking hands out the same pointer, as on Windows.
LPVOID LockResource(HGLOBAL hResData) { return hResData; }

DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo) {
    (void)hModule;
    std::lock_guard<std::recursive_mutex> lock(win32::loader::TableMutex());
    auto* resource = reinterpret_cast<win32::loader::Resource*>(hResInfo);
    if (!resource || !ResourceTable::Instance().Known(resource)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(resource->Data.size());
}

// Resources stay with their module; freeing one does nothing and answers FALSE, as the call has done since 32-bit
// Windows.
BOOL FreeResource(HGLOBAL hResData) {
    (void)hResData;
    return FALSE;
}

namespace win32 {

bool RegisterBitmapResource(HMODULE module, LPCSTR name, const void* bytes, size_t size) {
    std::lock_guard<std::recursive_mutex> lock(loader::TableMutex());
    loader::Module* owner = loader::ModuleFor(module);
    if (!owner) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    const BYTE* data = static_cast<const BYTE*>(bytes);
    // A BMP file: resource compilers drop its 14-byte BITMAPFILEHEADER.
    if (data && size >= 14 && data[0] == 'B' && data[1] == 'M') {
        data += 14;
        size -= 14;
    }
    if (!name || !loader::IsPackedDib(data, size)) {
        SetLastError(!name ? ERROR_INVALID_PARAMETER : ERROR_INVALID_DATA);
        return false;
    }
    ResourceTable::Instance().Add(owner->Handle, RT_BITMAP, name, std::vector<BYTE>(data, data + size));
    return true;
}

bool RegisterBitmapResource(LPCSTR moduleFileName, LPCSTR name, const void* bytes, size_t size) {
    std::lock_guard<std::recursive_mutex> lock(loader::TableMutex());
    loader::Module* owner = moduleFileName ? loader::ModuleTable::Instance().ByName(moduleFileName) : nullptr;
    if (!owner) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    return RegisterBitmapResource(owner->Handle, name, bytes, size);
}

}  // namespace win32

HRSRC FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType) {
    return FindResourceA(hModule, win32::user::AnsiName(lpName), win32::user::AnsiName(lpType));
}

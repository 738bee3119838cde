// The GDI object table: handles, deferred deletion of selected objects, GetObject and DeleteObject.
#include "GdiObject.h"

#include "kernel/HandleTable.h"

#include <mutex>
#include <unordered_map>

namespace win32::gdi {
namespace {

struct Table {
    std::recursive_mutex lock;
    std::unordered_map<uintptr_t, std::shared_ptr<GdiObject>> objects;
};

Table& Objects() {
    static Table table;
    return table;
}

// Takes the entry out before the object dies: destroying a DC deselects its objects, which may erase their
// entries in turn, and the map must not be in the middle of an erase then.
void Erase(Table& table, std::unordered_map<uintptr_t, std::shared_ptr<GdiObject>>::iterator it) {
    std::shared_ptr<GdiObject> doomed = std::move(it->second);
    kernel::ReleaseHandle(reinterpret_cast<HANDLE>(it->first));
    table.objects.erase(it);
    doomed.reset();
}

}  // namespace

int GdiObject::Describe(int, void*, bool) const {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}

HGDIOBJ ObjectTable::Insert(std::shared_ptr<GdiObject> object, bool stock) {
    auto& table = Objects();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    HGDIOBJ handle = kernel::AllocateHandle(kernel::HandleKind::Gdi);
    object->FStock = stock;
    object->FHandle = handle;
    table.objects.emplace(reinterpret_cast<uintptr_t>(handle), std::move(object));
    return handle;
}

std::shared_ptr<GdiObject> ObjectTable::Lookup(HGDIOBJ handle) {
    auto& table = Objects();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end() || it->second->FDeletePending) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return it->second;
}

BOOL ObjectTable::Delete(HGDIOBJ handle) {
    auto& table = Objects();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end() || it->second->FDeletePending) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    GdiObject& object = *it->second;
    if (object.FStock) return TRUE;
    // Device contexts are deleted with DeleteDC, never with DeleteObject.
    if (object.Type() == OBJ_DC || object.Type() == OBJ_MEMDC) return FALSE;
    if (object.FSelectCount > 0) {
        object.FDeletePending = true;
        return TRUE;
    }
    Erase(table, it);
    return TRUE;
}

BOOL ObjectTable::Remove(HGDIOBJ handle) {
    auto& table = Objects();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(handle));
    if (it == table.objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Erase(table, it);
    return TRUE;
}

void ObjectTable::Selected(GdiObject& object) {
    std::lock_guard<std::recursive_mutex> guard(Objects().lock);
    ++object.FSelectCount;
}

void ObjectTable::Deselected(GdiObject& object) {
    auto& table = Objects();
    std::lock_guard<std::recursive_mutex> guard(table.lock);
    if (--object.FSelectCount > 0 || !object.FDeletePending) return;
    auto it = table.objects.find(reinterpret_cast<uintptr_t>(object.FHandle));
    if (it != table.objects.end()) Erase(table, it);
}

}  // namespace win32::gdi

using win32::gdi::ObjectTable;

BOOL DeleteObject(HGDIOBJ ho) { return ObjectTable::Delete(ho); }

DWORD GetObjectType(HGDIOBJ h) {
    auto object = ObjectTable::Lookup(h);
    return object ? object->Type() : 0;
}

int GetObjectA(HANDLE h, int c, LPVOID pv) {
    auto object = ObjectTable::Lookup(h);
    if (!object) return 0;
    if (c < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return object->Describe(pv ? c : 0, pv, false);
}

int GetObjectW(HANDLE h, int c, LPVOID pv) {
    auto object = ObjectTable::Lookup(h);
    if (!object) return 0;
    if (c < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return object->Describe(pv ? c : 0, pv, true);
}

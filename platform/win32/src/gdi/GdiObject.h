// GDI objects behind HGDIOBJ values, and the process-wide table that maps one to the other.
#pragma once

#include <win32/winbase.h>
#include <win32/wingdi.h>

#include <memory>

namespace win32::gdi {

class GdiObject {
public:
    virtual ~GdiObject() = default;
    // OBJ_PEN, OBJ_BRUSH, OBJ_DC, OBJ_MEMDC, OBJ_FONT, OBJ_BITMAP or OBJ_REGION.
    virtual DWORD Type() const = 0;
    // GetObject for this kind: the number of bytes copied, or with a null buffer the size needed; 0 on failure.
    virtual int Describe(int size, void* buffer, bool wide) const;

    bool Stock() const { return FStock; }
    HGDIOBJ Handle() const { return FHandle; }
    // How many device contexts have this object selected. A deleted object that is still selected lives on until
    // the last device context lets go of it, as GDI does.
    int SelectCount() const { return FSelectCount; }

private:
    friend class ObjectTable;
    bool FStock = false;
    bool FDeletePending = false;
    int FSelectCount = 0;
    HGDIOBJ FHandle = nullptr;
};

class ObjectTable {
public:
    // Gives the object a positive handle of its own.
    static HGDIOBJ Insert(std::shared_ptr<GdiObject> object, bool stock = false);
    // The object behind a handle, or null with ERROR_INVALID_HANDLE.
    static std::shared_ptr<GdiObject> Lookup(HGDIOBJ handle);
    template <class T>
    static std::shared_ptr<T> LookupAs(HGDIOBJ handle) {
        auto object = std::dynamic_pointer_cast<T>(Lookup(handle));
        if (!object) SetLastError(ERROR_INVALID_HANDLE);
        return object;
    }
    // DeleteObject: stock objects stay; a selected object is removed when it is deselected.
    static BOOL Delete(HGDIOBJ handle);
    // Drops a handle whatever its kind (DeleteDC).
    static BOOL Remove(HGDIOBJ handle);
    // Selection bookkeeping for device contexts.
    static void Selected(GdiObject& object);
    static void Deselected(GdiObject& object);
};

}  // namespace win32::gdi

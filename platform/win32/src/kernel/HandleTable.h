// The one table of handle values. Kernel objects, GDI objects, windows, menus, icons, hooks and themes draw their
// numbers from it, so no two live objects share a value whatever their kinds, and a handle of one kind given where
// another is expected finds nothing and fails with that function's own error.
#pragma once

#include <win32/windef.h>

namespace win32::kernel {

enum class HandleKind { Kernel, Gdi, Window, Menu, Icon, Hook, Theme };

// A fresh value for an object of this kind: a positive multiple of 4, never handed out twice in the process's life.
HANDLE AllocateHandle(HandleKind kind);
// The object behind the value has died.
void ReleaseHandle(const void* handle);

}  // namespace win32::kernel

// The clip region of a device context: the one place that changes it, shared by the clip functions and by
// SelectObject with a region.
#pragma once

#include "DeviceContext.h"

namespace win32::gdi {

// Combines region (device coordinates) into the DC's clip region with mode RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or
// RGN_COPY; the region is copied. A null region is allowed with RGN_COPY only and removes the clip. Where no clip
// exists, the other modes start from the whole device area. Answers the new clip's complexity (SIMPLEREGION when
// the clip was removed), or ERROR with the last error set.
int SelectClipRegion(DeviceContext& dc, const Region* region, int mode);

}  // namespace win32::gdi

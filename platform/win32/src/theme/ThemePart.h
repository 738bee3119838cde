// What every uxtheme function does first: the handle, the part and the state resolved against the style, and the
// rectangle a part occupies inside the one it is given.
#pragma once

#include "theme/ThemeHandles.h"

namespace win32::theme {

struct ResolvedPart {
    ThemeData Theme;
    PartMetrics Metrics;
    int Part = 0;
    int State = 1;
};

// S_OK; E_HANDLE for a handle that is not open; E_PROP_ID_UNSUPPORTED for a part the class does not define. State
// 0 and states past the last draw as the part's first state, as a style falls back to the part's own properties.
HRESULT ResolvePart(HTHEME theme, int part, int state, ResolvedPart& resolved);

// Where the part draws inside rect: all of it, or a fixed-size part's true size centred in it.
RECT PartRect(const PartMetrics& metrics, const RECT& rect);
// The content rectangle: rect less the content margins.
RECT ContentRect(const PartMetrics& metrics, const RECT& rect);

// Draws the part into the device context over rect (logical coordinates), clipped by clip when given.
HRESULT PaintPart(HDC hdc, const ResolvedPart& part, const RECT& rect, const RECT* clip);

}  // namespace win32::theme

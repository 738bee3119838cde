// Rectangle arithmetic shared by the window manager and GDI, with Windows' rule for empty rectangles.
#pragma once

#include <win32/windef.h>

#include <algorithm>

namespace win32 {

// Windows counts a rectangle with right <= left or bottom <= top as empty, whichever way round it is.
inline bool EmptyRect(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// The part two rectangles share; the all-zero rectangle when they share nothing.
inline RECT Intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return EmptyRect(r) ? RECT{0, 0, 0, 0} : r;
}

// The same rectangle with left <= right and top <= bottom.
inline RECT NormalRect(RECT rect) {
    if (rect.left > rect.right) std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
    return rect;
}

}  // namespace win32

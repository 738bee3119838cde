// Rectangle arithmetic of the skinning library.
#include <skin/RectUtils.h>

int RectWidth(const RECT& rect) { return rect.right - rect.left; }

int RectHeight(const RECT& rect) { return rect.bottom - rect.top; }

bool IsRectEmptyEx(const RECT& rect) { return RectWidth(rect) <= 0 || RectHeight(rect) <= 0; }

bool RectInRect(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool RectEqual(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT InflateRectBy(const RECT& rect, int delta) {
    return RECT{rect.left - delta, rect.top - delta, rect.right + delta, rect.bottom + delta};
}

RECT CenterRect(RECT& rect, const RECT& bounds) {
    int width = RectWidth(rect);
    int height = RectHeight(rect);
    // C++ division truncates toward zero, so a rect larger than bounds sticks out evenly on both sides.
    int left = bounds.left + (RectWidth(bounds) - width) / 2;
    int top = bounds.top + (RectHeight(bounds) - height) / 2;
    rect = RECT{left, top, left + width, top + height};
    return rect;
}

RECT CenterRectVert(const RECT& rect, const RECT& bounds) {
    int width = RectWidth(rect);
    int height = RectHeight(rect);
    int top = bounds.top + (RectHeight(bounds) - height) / 2;
    return RECT{bounds.left, top, bounds.left + width, top + height};
}

// Rectangle arithmetic of the skinning library: sizes, containment and centring of right/bottom-exclusive RECTs.
#pragma once

#include <win32/windef.h>

int RectWidth(const RECT& rect);
int RectHeight(const RECT& rect);
// True when the width or the height is zero or negative.
bool IsRectEmptyEx(const RECT& rect);
// True when inner lies wholly inside outer; shared edges count as inside.
bool RectInRect(const RECT& inner, const RECT& outer);
bool RectEqual(const RECT& a, const RECT& b);
RECT InflateRectBy(const RECT& rect, int delta);
// rect's size centred in bounds (halves truncate toward zero); rect itself is moved there as well.
RECT CenterRect(RECT& rect, const RECT& bounds);
// rect's size at bounds.left, centred vertically in bounds.
RECT CenterRectVert(const RECT& rect, const RECT& bounds);

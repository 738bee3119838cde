// The registry of parent-background painters: how a transparent control gets what lies under it painted, by the
// class of its parent.
#pragma once

#include <win32/windows.h>

class TCanvas;
class TClassInfo;
class TControl;
class TWinControl;

// What a painter is told: the child's bounds in its parent's client coordinates (twice), the child and its parent.
struct TskParentPaintInfo {
    RECT Rect;
    RECT ClipRect;
    TControl* Control;
    TWinControl* Parent;
};

// Paints the parent's background for the child into canvas, whose DC is already shifted to parent coordinates.
using TskParentPainter = void (*)(TCanvas& canvas, const TskParentPaintInfo& info);

void RegisterParentPainter(const TClassInfo* controlClass, TskParentPainter painter);
// For the parent: the most derived registered class it is an instance of wins; of two registrations of one
// class, the earlier. nullptr when none fits.
TskParentPainter FindParentPainter(const TControl* control);
// Forgets every painter (unit finalisation).
void ClearParentPainters();

// The theme unit's painter for the toolkit's group box: the child's rectangle in the group box's Color.
void PaintGroupBoxBackground(TCanvas& canvas, const TskParentPaintInfo& info);

// DrawParentBackground: how a transparent skinned control gets the picture of what lies under it, through the
// parent-painter registry or by letting its parent paint.
#pragma once

#include <win32/windef.h>

class TControl;
class TCanvas;
struct TskParentPaintInfo;

// Paints into dc (whose origin is on control) what control's parent shows under it. Nothing for a missing control,
// one without parent or size, or one that is itself being painted as part of such a copy (csPaintCopy).
void DrawParentBackground(TControl* control, HDC dc);

// The painter the controls unit registers for TSkControl parents: the parent paints its frame and face into the
// canvas (WM_ERASEBKGND with lParam 1).
void PaintSkControlBackground(TCanvas& canvas, const TskParentPaintInfo& info);

// The controls unit of the skinning library: its shared paint buffer and its parent-background painters, and the
// start-up and shut-down of every unit up to it.
#pragma once

class TskBitmap;

// What the buffered paints of vnpSharedBuffer draw into: empty until the first of them, then (screen width + 500)
// × (screen height + 500), never shrunk. nullptr outside the unit's life.
TskBitmap* SharedPaintBuffer();
constexpr int SharedBufferMargin = 500;

// After the theme unit: makes the (empty) shared buffer and registers the controls' parent painters. A second
// call does nothing.
void InitializeControlsUnit();
void FinalizeControlsUnit();

// The theme units, then the controls unit; shut-down the other way round.
void InitializeControlsUnits();
void FinalizeControlsUnits();

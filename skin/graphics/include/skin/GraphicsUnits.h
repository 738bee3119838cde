// Start-up and shut-down of the graphics units in the library's order: the platform facts first (the bitmap unit
// chooses its pixel routines from them), then the bitmap unit; shut-down runs the other way round.
#pragma once

void InitializeGraphicsUnits();
void FinalizeGraphicsUnits();

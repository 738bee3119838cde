// Start-up and shut-down of the units up to the theme core: the graphics units, then the theme unit with its
// manager; shut-down runs the other way round.
#pragma once

void InitializeThemeUnits();
void FinalizeThemeUnits();

// The theme core's start-up order, in one place.
#include <skin/GraphicsUnits.h>
#include <skin/ThemeManager.h>
#include <skin/ThemeUnits.h>

void InitializeThemeUnits() {
    InitializeGraphicsUnits();
    InitializeThemeUnit();
}

void FinalizeThemeUnits() {
    FinalizeThemeUnit();
    FinalizeGraphicsUnits();
}

// The graphics units' start-up order, in one place.
#include <skin/Common.h>
#include <skin/GraphicsUnits.h>
#include <skin/SkinBitmap.h>

void InitializeGraphicsUnits() {
    InitializePlatformShims();
    InitializeBitmapUnit();
}

void FinalizeGraphicsUnits() {
    FinalizeBitmapUnit();
    FinalizePlatformShims();
}

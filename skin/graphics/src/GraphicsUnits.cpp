// The graphics units' start-up order, in one place.
#include <skin/Bitmap.h>
#include <skin/Common.h>
#include <skin/GraphicsUnits.h>

void InitializeGraphicsUnits() {
    InitializePlatformShims();
    InitializeBitmapUnit();
}

void FinalizeGraphicsUnits() {
    FinalizeBitmapUnit();
    FinalizePlatformShims();
}

// The controls unit's start-up and shut-down: the shared paint buffer and the parent painters it registers.
#include <skin/ControlsUnit.h>

#include "StockGlyphs.h"

#include <skin/ParentBackground.h>
#include <skin/ParentPainters.h>
#include <skin/SkControl.h>
#include <skin/SkTabSheet.h>
#include <skin/SkinBitmap.h>
#include <skin/ThemeUnits.h>

#include <memory>

namespace {

std::unique_ptr<TskBitmap>& SharedBuffer() {
    static std::unique_ptr<TskBitmap> buffer;
    return buffer;
}

}  // namespace

TskBitmap* SharedPaintBuffer() { return SharedBuffer().get(); }

void InitializeControlsUnit() {
    if (SharedBuffer()) return;
    SharedBuffer() = std::make_unique<TskBitmap>();
    // The painters of the form side, the scroll bars and the tab sheets join the registry with their own units.
    RegisterParentPainter(TSkControl::ClassInfo(), &PaintSkControlBackground);
    RegisterParentPainter(TSkTabSheet::ClassInfo(), &PaintTabSheetBackground);
    // The buttons' stock glyphs are the program's resources, as if linked into it.
    RegisterStockGlyphs();
}

void FinalizeControlsUnit() { SharedBuffer().reset(); }

void InitializeControlsUnits() {
    InitializeThemeUnits();
    InitializeControlsUnit();
}

void FinalizeControlsUnits() {
    FinalizeControlsUnit();
    FinalizeThemeUnits();
}

// The shared measuring DC: a memory DC made on first use and kept, as every font is measured the same on it.
#include "TextMeasure.h"

namespace {

HDC SharedMeasuringDC() {
    // Deliberately kept for the life of the process: the platform may be gone by the time statics are destroyed.
    static HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}

}  // namespace

TTextMeasure::TTextMeasure(HFONT font) : FDC(SharedMeasuringDC()) {
    if (FDC) FOld = SelectObject(FDC, font);
}

TTextMeasure::~TTextMeasure() {
    if (FDC && FOld) SelectObject(FDC, FOld);
}

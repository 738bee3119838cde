// TTextMeasure: the one device context the toolkit measures text on, with a font selected for the object's
// lifetime. TFont measures through it; nothing else opens a DC to measure.
#pragma once

#include <win32/windows.h>

class TTextMeasure {
public:
    // Selects font into the shared measuring DC; the destructor selects the previous font back.
    explicit TTextMeasure(HFONT font);
    ~TTextMeasure();
    TTextMeasure(const TTextMeasure&) = delete;
    TTextMeasure& operator=(const TTextMeasure&) = delete;

    // Null when no DC could be made; every measure then answers empty.
    HDC Handle() const { return FDC; }

private:
    HDC FDC;
    HGDIOBJ FOld = nullptr;
};

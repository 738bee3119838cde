// Brushes and pens as GDI keeps them.
#pragma once

#include "BitmapObject.h"

#include <memory>

namespace win32::gdi {

class BrushObject : public GdiObject {
public:
    DWORD Type() const override { return OBJ_BRUSH; }
    int Describe(int size, void* buffer, bool wide) const override;

    UINT Style = BS_SOLID;  // BS_SOLID, BS_NULL, BS_HATCHED, BS_PATTERN, BS_DIBPATTERN(PT)
    COLORREF Color = 0;
    int Hatch = 0;
    // For pattern brushes: a private copy of the pattern (1 or 32 bits per pixel, at most 8 x 8 is used as
    // Windows 9x did; NT uses the whole bitmap, and so do we).
    std::shared_ptr<BitmapObject> Pattern;
    // A system colour brush (GetSysColorBrush) follows its colour; -1 for others.
    int SysColorIndex = -1;
    // The DC brush (DC_BRUSH stock object) takes the DC's brush colour at drawing time.
    bool DcBrush = false;
};

class PenObject : public GdiObject {
public:
    DWORD Type() const override { return OBJ_PEN; }
    int Describe(int size, void* buffer, bool wide) const override;

    UINT Style = PS_SOLID;  // the whole style, including end cap, join and type bits
    int Width = 1;          // 0 counts as 1 (cosmetic)
    COLORREF Color = 0;
    bool DcPen = false;  // the DC_PEN stock object takes the DC's pen colour
    UINT BaseStyle() const { return Style & PS_STYLE_MASK; }
};

}  // namespace win32::gdi

// A device context: the surface it draws on, the selected objects and attributes, the clip region, and the
// stack of saved states. Memory DCs draw on their selected bitmap; window DCs (made by the window manager) draw
// on the top-level window's surface with an origin and a visible region.
#pragma once

#include "BitmapObject.h"
#include "BrushObject.h"
#include "Region.h"

#include <memory>
#include <optional>
#include <vector>

namespace win32::gdi {

// A shared reference that counts as "selected into a DC" for as long as it is held, so that copies kept by
// SaveDC hold their objects too.
template <class T>
class Selection {
public:
    Selection() = default;
    explicit Selection(std::shared_ptr<T> object) : FObject(std::move(object)) { Hold(); }
    Selection(const Selection& other) : FObject(other.FObject) { Hold(); }
    Selection& operator=(const Selection& other) {
        if (this != &other) {
            Release();
            FObject = other.FObject;
            Hold();
        }
        return *this;
    }
    ~Selection() { Release(); }
    T* get() const { return FObject.get(); }
    T* operator->() const { return FObject.get(); }
    T& operator*() const { return *FObject; }
    explicit operator bool() const { return static_cast<bool>(FObject); }
    const std::shared_ptr<T>& shared() const { return FObject; }

private:
    void Hold() {
        if (FObject) ObjectTable::Selected(*FObject);
    }
    void Release() {
        if (FObject) ObjectTable::Deselected(*FObject);
        FObject.reset();
    }
    std::shared_ptr<T> FObject;
};

struct DcState {
    Selection<PenObject> Pen;
    Selection<BrushObject> Brush;
    Selection<GdiObject> Font;       // a FontObject
    Selection<BitmapObject> Bitmap;  // memory DCs only
    COLORREF TextColor = RGB(0, 0, 0);
    COLORREF BkColor = RGB(255, 255, 255);
    COLORREF DcBrushColor = RGB(255, 255, 255);
    COLORREF DcPenColor = RGB(0, 0, 0);
    int BkMode = OPAQUE;
    int Rop2 = R2_COPYPEN;
    int StretchMode = BLACKONWHITE;
    int PolyFillMode = ALTERNATE;
    UINT TextAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
    int CharExtra = 0;
    POINT BrushOrg{0, 0};
    POINT WindowOrg{0, 0};
    POINT ViewportOrg{0, 0};
    POINT CurrentPos{0, 0};
    // In device coordinates, as Windows keeps it; none means no clip region is selected.
    std::optional<Region> Clip;
};

class DeviceContext : public GdiObject {
public:
    // A memory DC (with the 1 x 1 monochrome default bitmap selected) or a DC over a window surface.
    explicit DeviceContext(bool memory);
    ~DeviceContext() override;

    DWORD Type() const override { return FMemory ? OBJ_MEMDC : OBJ_DC; }
    bool Memory() const { return FMemory; }

    // Back to a new DC's attributes, objects and empty save stack, as ReleaseDC leaves a cached window DC.
    void ResetAttributes();

    DcState& State() { return FState; }
    const DcState& State() const { return FState; }

    // The bitmap drawing goes to: the selected bitmap of a memory DC, the window surface otherwise.
    BitmapObject* Surface() const;
    // Window DCs: the top-level surface, where device (0, 0) lies on it, and the visible part in surface
    // coordinates. The window manager calls it again whenever the window moves or its visible region changes.
    void AttachSurface(std::shared_ptr<BitmapObject> surface, POINT origin, const Region& visible);
    POINT Origin() const { return FOrigin; }

    // Logical to device coordinates (window and viewport origins) and to surface coordinates (plus Origin()).
    POINT ToDevice(POINT logical) const;
    POINT ToLogical(POINT device) const;
    POINT ToSurface(POINT logical) const;
    RECT ToSurface(const RECT& logical) const;  // corners mapped, not normalised
    // The brush origin in surface coordinates.
    POINT BrushOrigin() const;

    // Where drawing may touch, in surface coordinates: the clip region, the visible region and the surface's
    // bounds intersected. Recomputed after ClipChanged().
    const Region& DrawableRegion() const;
    // Call after changing State().Clip, the selected bitmap or the visible region.
    void ClipChanged() { FDrawableValid = false; }
    // The visible region in device coordinates (the whole bitmap for a memory DC).
    Region VisibleRegion() const;

    // Selecting returns the previous object (never null).
    std::shared_ptr<GdiObject> SelectPen(std::shared_ptr<PenObject> pen);
    std::shared_ptr<GdiObject> SelectBrush(std::shared_ptr<BrushObject> brush);
    std::shared_ptr<GdiObject> SelectFont(std::shared_ptr<GdiObject> font);
    // Fails (returns null) for a bitmap that is not compatible or is selected into another DC.
    std::shared_ptr<GdiObject> SelectBitmap(std::shared_ptr<BitmapObject> bitmap);

    // SaveDC / RestoreDC: Save answers the new depth; Restore takes a depth (> 0) or a relative count (< 0).
    int Save();
    bool Restore(int level);

    // The pen and brush colours in force, with DC_PEN and DC_BRUSH resolved.
    COLORREF PenColor() const;
    COLORREF BrushColor() const;

private:
    bool FMemory;
    DcState FState;
    std::vector<DcState> FSaved;
    std::shared_ptr<BitmapObject> FWindowSurface;
    POINT FOrigin{0, 0};
    Region FVisible;  // surface coordinates, window DCs only
    mutable Region FDrawable;
    mutable bool FDrawableValid = false;
};

// The device context behind a handle, or null with ERROR_INVALID_HANDLE.
std::shared_ptr<DeviceContext> LookupDC(HDC hdc);

// The screen's size in pixels (the display backend's; 1280 x 1024 until one is attached).
SIZE ScreenSize();
void SetScreenSize(SIZE size);

// Stock fonts are made by the text engine: SYSTEM_FONT, DEFAULT_GUI_FONT, ANSI_VAR_FONT and the others.
std::shared_ptr<GdiObject> MakeStockFont(int index);

}  // namespace win32::gdi

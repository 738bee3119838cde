// Device context functions: creation, SaveDC/RestoreDC, selection, attributes, origins and device caps.
#include "ClipApi.h"
#include "DeviceContext.h"

using namespace win32::gdi;

namespace {

template <class T>
T Previous(const std::shared_ptr<GdiObject>& object) {
    return static_cast<T>(object ? object->Handle() : nullptr);
}

// Runs body on the DC behind hdc; fail is what the function answers for a bad handle.
template <class Result, class Body>
Result WithDC(HDC hdc, Result fail, Body body) {
    auto dc = LookupDC(hdc);
    if (!dc) return fail;
    return body(*dc);
}

BOOL SetOrigin(HDC hdc, POINT DcState::*field, int x, int y, LPPOINT previous, bool offset) {
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        POINT& origin = dc.State().*field;
        if (previous) *previous = origin;
        origin = offset ? POINT{origin.x + x, origin.y + y} : POINT{x, y};
        return TRUE;
    });
}

BOOL GetOrigin(HDC hdc, POINT DcState::*field, LPPOINT point) {
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (!point) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return FALSE;
        }
        *point = dc.State().*field;
        return TRUE;
    });
}

// Sets one int attribute after checking it lies in [low, high]; answers the previous value, 0 on failure.
int SetMode(HDC hdc, int DcState::*field, int value, int low, int high) {
    return WithDC(hdc, 0, [&](DeviceContext& dc) {
        if (value < low || value > high) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return 0;
        }
        int previous = dc.State().*field;
        dc.State().*field = value;
        return previous;
    });
}

COLORREF SetColor(HDC hdc, COLORREF DcState::*field, COLORREF color) {
    return WithDC(hdc, COLORREF(CLR_INVALID), [&](DeviceContext& dc) {
        COLORREF previous = dc.State().*field;
        dc.State().*field = color;
        return previous;
    });
}

}  // namespace

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc && !LookupDC(hdc)) return nullptr;
    return static_cast<HDC>(ObjectTable::Insert(std::make_shared<DeviceContext>(true)));
}

BOOL DeleteDC(HDC hdc) {
    if (!LookupDC(hdc)) return FALSE;
    return ObjectTable::Remove(hdc);
}

int SaveDC(HDC hdc) {
    return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.Save(); });
}

BOOL RestoreDC(HDC hdc, int nSavedDC) {
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (dc.Restore(nSavedDC)) return TRUE;
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    });
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h) {
    auto dc = LookupDC(hdc);
    if (!dc) return nullptr;
    auto object = ObjectTable::Lookup(h);
    if (!object) return nullptr;
    switch (object->Type()) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return Previous<HGDIOBJ>(dc->SelectPen(std::static_pointer_cast<PenObject>(object)));
    case OBJ_BRUSH: return Previous<HGDIOBJ>(dc->SelectBrush(std::static_pointer_cast<BrushObject>(object)));
    case OBJ_FONT: return Previous<HGDIOBJ>(dc->SelectFont(object));
    case OBJ_BITMAP: {
        auto previous = dc->SelectBitmap(std::static_pointer_cast<BitmapObject>(object));
        if (!previous) SetLastError(ERROR_INVALID_PARAMETER);
        return Previous<HGDIOBJ>(previous);
    }
    case OBJ_REGION: {
        int result = SelectClipRegion(*dc, &std::static_pointer_cast<RegionObject>(object)->Value(), RGN_COPY);
        return result == ERROR ? HGDI_ERROR : reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(result));
    }
    default: SetLastError(ERROR_INVALID_HANDLE); return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    auto dc = LookupDC(hdc);
    if (!dc) return nullptr;
    const DcState& state = dc->State();
    switch (type) {
    case OBJ_PEN: return state.Pen ? state.Pen->Handle() : nullptr;
    case OBJ_BRUSH: return state.Brush ? state.Brush->Handle() : nullptr;
    case OBJ_FONT: return state.Font ? state.Font->Handle() : nullptr;
    case OBJ_BITMAP: return state.Bitmap ? state.Bitmap->Handle() : nullptr;
    default: SetLastError(ERROR_INVALID_PARAMETER); return nullptr;
    }
}

BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcState::WindowOrg, x, y, lppt, false);
}
BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcState::WindowOrg, x, y, lppt, true);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppoint) { return GetOrigin(hdc, &DcState::WindowOrg, lppoint); }
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcState::ViewportOrg, x, y, lppt, false);
}
BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcState::ViewportOrg, x, y, lppt, true);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppoint) { return GetOrigin(hdc, &DcState::ViewportOrg, lppoint); }
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
    return SetOrigin(hdc, &DcState::BrushOrg, x, y, lppt, false);
}
BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt) { return GetOrigin(hdc, &DcState::BrushOrg, lppt); }

BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt) {
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        if (!lppt) return FALSE;
        *lppt = dc.Origin();
        return TRUE;
    });
}

BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c) {
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        for (int i = 0; i < c; ++i) lppt[i] = dc.ToDevice(lppt[i]);
        return TRUE;
    });
}

BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c) {
    return WithDC(hdc, FALSE, [&](DeviceContext& dc) {
        for (int i = 0; i < c; ++i) lppt[i] = dc.ToLogical(lppt[i]);
        return TRUE;
    });
}

int SetBkMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::BkMode, mode, TRANSPARENT, OPAQUE); }
int GetBkMode(HDC hdc) {
    return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.State().BkMode; });
}
int SetROP2(HDC hdc, int rop2) { return SetMode(hdc, &DcState::Rop2, rop2, R2_BLACK, R2_WHITE); }
int GetROP2(HDC hdc) {
    return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.State().Rop2; });
}
int SetStretchBltMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::StretchMode, mode, BLACKONWHITE, HALFTONE); }
int GetStretchBltMode(HDC hdc) {
    return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.State().StretchMode; });
}
int SetPolyFillMode(HDC hdc, int mode) { return SetMode(hdc, &DcState::PolyFillMode, mode, ALTERNATE, WINDING); }
int GetPolyFillMode(HDC hdc) {
    return WithDC(hdc, 0, [](DeviceContext& dc) { return dc.State().PolyFillMode; });
}

COLORREF SetBkColor(HDC hdc, COLORREF color) { return SetColor(hdc, &DcState::BkColor, color); }
COLORREF GetBkColor(HDC hdc) {
    return WithDC(hdc, COLORREF(CLR_INVALID), [](DeviceContext& dc) { return dc.State().BkColor; });
}
COLORREF SetTextColor(HDC hdc, COLORREF color) { return SetColor(hdc, &DcState::TextColor, color); }
COLORREF GetTextColor(HDC hdc) {
    return WithDC(hdc, COLORREF(CLR_INVALID), [](DeviceContext& dc) { return dc.State().TextColor; });
}
COLORREF SetDCBrushColor(HDC hdc, COLORREF color) { return SetColor(hdc, &DcState::DcBrushColor, color); }
COLORREF GetDCBrushColor(HDC hdc) {
    return WithDC(hdc, COLORREF(CLR_INVALID), [](DeviceContext& dc) { return dc.State().DcBrushColor; });
}
COLORREF SetDCPenColor(HDC hdc, COLORREF color) { return SetColor(hdc, &DcState::DcPenColor, color); }
COLORREF GetDCPenColor(HDC hdc) {
    return WithDC(hdc, COLORREF(CLR_INVALID), [](DeviceContext& dc) { return dc.State().DcPenColor; });
}

UINT SetTextAlign(HDC hdc, UINT align) {
    return WithDC(hdc, UINT(GDI_ERROR), [&](DeviceContext& dc) {
        UINT previous = dc.State().TextAlign;
        dc.State().TextAlign = align;
        return previous;
    });
}
UINT GetTextAlign(HDC hdc) {
    return WithDC(hdc, UINT(GDI_ERROR), [](DeviceContext& dc) { return dc.State().TextAlign; });
}

int SetTextCharacterExtra(HDC hdc, int extra) {
    return WithDC(hdc, int(0x80000000), [&](DeviceContext& dc) {
        int previous = dc.State().CharExtra;
        dc.State().CharExtra = extra;
        return previous;
    });
}
int GetTextCharacterExtra(HDC hdc) {
    return WithDC(hdc, int(0x80000000), [](DeviceContext& dc) { return dc.State().CharExtra; });
}

int GetDeviceCaps(HDC hdc, int index) {
    return WithDC(hdc, 0, [&](DeviceContext&) {
        SIZE screen = ScreenSize();
        switch (index) {
        case DRIVERVERSION: return 0x4000;
        case TECHNOLOGY: return DT_RASDISPLAY;
        // Millimetres at 96 pixels per inch.
        case HORZSIZE: return static_cast<int>(screen.cx * 254 / 960);
        case VERTSIZE: return static_cast<int>(screen.cy * 254 / 960);
        case HORZRES:
        case DESKTOPHORZRES: return static_cast<int>(screen.cx);
        case VERTRES:
        case DESKTOPVERTRES: return static_cast<int>(screen.cy);
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case NUMBRUSHES:
        case NUMPENS:
        case NUMCOLORS: return -1;
        case NUMFONTS: return 0;
        case RASTERCAPS: return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        case SIZEPALETTE:
        case NUMRESERVED: return 0;
        case COLORRES: return 24;
        default: return 0;
        }
    });
}

// Window device contexts: GetDC, GetWindowDC, GetDCEx, ReleaseDC, WindowFromDC, BeginPaint and EndPaint. Each
// DC remembers how it was asked for, so that one held across messages follows its window's place and clip.
#include "gdi/DeviceContext.h"
#include "user/Caret.h"
#include "user/PaintingInternal.h"

#include <map>
#include <optional>

namespace win32::user {
namespace {

constexpr DWORD kKnownDcxFlags = DCX_WINDOW | DCX_CACHE | DCX_NORESETATTRS | DCX_CLIPCHILDREN | DCX_CLIPSIBLINGS |
                                 DCX_PARENTCLIP | DCX_EXCLUDERGN | DCX_INTERSECTRGN | DCX_EXCLUDEUPDATE |
                                 DCX_INTERSECTUPDATE | DCX_LOCKWINDOWUPDATE | DCX_VALIDATE;

struct ClipStep {
    gdi::Region Region;  // screen coordinates
    int Mode;            // RGN_AND or RGN_DIFF
};

struct DcRecord {
    HWND Window = nullptr;  // the desktop's handle for the screen DC
    DWORD Flags = 0;
    std::vector<ClipStep> Clips;
    std::shared_ptr<gdi::DeviceContext> Dc;
    bool Own = false;              // CS_OWNDC / CS_CLASSDC: stays with the window (or class) across ReleaseDC
    bool Cached = false;           // released, waiting in the cache for the next GetDC
    unsigned long Generation = 0;  // the visible-region generation it was attached at
};

// Released common DCs are kept, as Windows keeps its DC cache, so that the GetDC and ReleaseDC of every paint
// allocate nothing: the handle, the DC object and its record are taken again.
constexpr size_t kCachedDCs = 8;

struct DcTable {
    std::map<HDC, DcRecord> Records;
    std::map<const WindowClass*, HDC> OwnByClass;
    std::vector<HDC> Cache;
};

DcTable& Table() {
    static DcTable table;
    return table;
}

std::shared_ptr<gdi::BitmapObject> ScreenSurface() {
    static std::shared_ptr<gdi::BitmapObject> surface;
    SIZE size = gdi::ScreenSize();
    if (!surface || surface->Width() != size.cx || surface->Height() != size.cy) {
        surface = std::make_shared<gdi::BitmapObject>(size.cx, size.cy, 32, true, false);
    }
    return surface;
}

bool UnderLock(const Window& window) {
    HWND locked = LockedWindow();
    if (!locked) return false;
    for (const Window* current = &window; current; current = current->Parent) {
        if (current->Handle == locked) return true;
    }
    return false;
}

void Attach(DcRecord& record) {
    record.Generation = State().VisibleGeneration;
    if (record.Window == Desktop().Handle) {
        std::shared_ptr<gdi::BitmapObject> surface = ScreenSurface();
        record.Dc->AttachSurface(surface, POINT{0, 0},
                                 gdi::Region::FromRect(0, 0, surface->Width(), surface->Height()));
        return;
    }
    Window* window = FromHandleQuiet(record.Window);
    if (!window) {
        record.Dc->AttachSurface(nullptr, POINT{0, 0}, gdi::Region());
        return;
    }
    Window* root = window->Root();
    POINT surfaceOrigin = SurfaceScreenOrigin(*window);
    RECT rect = (record.Flags & DCX_WINDOW) ? window->ScreenWindowRect() : window->ScreenClientRect();
    POINT origin{rect.left - surfaceOrigin.x, rect.top - surfaceOrigin.y};
    const gdi::Region& cached = VisibleRegion(*window, record.Flags);
    bool locked = !(record.Flags & DCX_LOCKWINDOWUPDATE) && UnderLock(*window);
    if (record.Clips.empty() && !locked) {
        record.Dc->AttachSurface(root->Surface, origin, cached);
        return;
    }
    gdi::Region visible = cached;
    for (const ClipStep& step : record.Clips) {
        gdi::Region region = step.Region;
        region.Offset(-surfaceOrigin.x, -surfaceOrigin.y);
        visible = gdi::Region::Combine(visible, region, step.Mode);
    }
    if (locked) visible = gdi::Region();
    record.Dc->AttachSurface(root->Surface, origin, visible);
}

// The update region of the window's client area on the screen.
gdi::Region ScreenUpdateRegion(const Window& window) {
    gdi::Region update = ClientUpdateRegion(window);
    RECT client = window.ScreenClientRect();
    update.Offset(client.left, client.top);
    return update;
}

HDC ScreenDC() {
    auto dc = std::make_shared<gdi::DeviceContext>(false);
    HDC hdc = static_cast<HDC>(gdi::ObjectTable::Insert(dc));
    DcRecord record;
    record.Window = Desktop().Handle;
    record.Dc = dc;
    Attach(record);
    Table().Records.emplace(hdc, std::move(record));
    return hdc;
}

}  // namespace

DWORD StyleDcxFlags(const Window& window) {
    DWORD flags = 0;
    if (window.Style & WS_CLIPSIBLINGS) flags |= DCX_CLIPSIBLINGS;
    if ((window.Style & WS_CLIPCHILDREN) && !(window.Style & WS_MINIMIZE)) flags |= DCX_CLIPCHILDREN;
    if (window.Class && (window.Class->Style & CS_PARENTDC)) flags |= DCX_PARENTCLIP;
    return flags;
}

HDC AcquireWindowDC(Window& window, DWORD dcxFlags, const gdi::Region* screenRegion) {
    DcTable& table = Table();
    UINT classStyle = window.Class ? window.Class->Style : 0;
    bool own = (classStyle & (CS_OWNDC | CS_CLASSDC)) && !(dcxFlags & (DCX_CACHE | DCX_WINDOW));
    HDC hdc = nullptr;
    if (own) {
        if (classStyle & CS_OWNDC) {
            hdc = window.OwnDC;
        } else {
            auto byClass = table.OwnByClass.find(window.Class.get());
            if (byClass != table.OwnByClass.end()) hdc = byClass->second;
        }
    }
    if (!hdc && !own && !table.Cache.empty()) {
        hdc = table.Cache.back();
        table.Cache.pop_back();
        table.Records[hdc].Cached = false;
    }
    if (!hdc) {
        auto dc = std::make_shared<gdi::DeviceContext>(false);
        hdc = static_cast<HDC>(gdi::ObjectTable::Insert(dc));
        DcRecord record;
        record.Dc = dc;
        record.Own = own;
        table.Records.emplace(hdc, std::move(record));
        if (own && (classStyle & CS_OWNDC)) window.OwnDC = hdc;
        if (own && !(classStyle & CS_OWNDC)) table.OwnByClass[window.Class.get()] = hdc;
    }
    DcRecord& record = table.Records[hdc];
    record.Window = window.Handle;
    record.Flags = dcxFlags;
    record.Clips.clear();
    if (screenRegion && (dcxFlags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
        record.Clips.push_back({*screenRegion, (dcxFlags & DCX_INTERSECTRGN) ? RGN_AND : RGN_DIFF});
    }
    if (dcxFlags & (DCX_INTERSECTUPDATE | DCX_EXCLUDEUPDATE)) {
        record.Clips.push_back({ScreenUpdateRegion(window), (dcxFlags & DCX_INTERSECTUPDATE) ? RGN_AND : RGN_DIFF});
    }
    Attach(record);
    if ((dcxFlags & DCX_VALIDATE) && (dcxFlags & DCX_INTERSECTUPDATE)) {
        RedrawWindowOn(window, nullptr, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
    }
    return hdc;
}

void RefreshWindowDCs() {
    unsigned long generation = State().VisibleGeneration;
    for (auto& entry : Table().Records)
        if (!entry.second.Cached && entry.second.Generation != generation) Attach(entry.second);
}

void ForgetWindowPainting(HWND hwnd) {
    DcTable& table = Table();
    Window* window = FromHandleQuiet(hwnd);
    if (window && window->OwnDC) {
        table.Records.erase(window->OwnDC);
        gdi::ObjectTable::Remove(window->OwnDC);
        window->OwnDC = nullptr;
    }
    for (auto& entry : table.Records) {
        if (entry.second.Window == hwnd) entry.second.Dc->AttachSurface(nullptr, POINT{0, 0}, gdi::Region());
    }
    if (LockedWindow() == hwnd) LockWindowUpdate(nullptr);
}

}  // namespace win32::user

using namespace win32::user;
namespace gdi = win32::gdi;

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
    if (flags & ~kKnownDcxFlags) {
        SetLastError(ERROR_INVALID_FLAGS);
        return nullptr;
    }
    if (!hWnd) return ScreenDC();
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    if (window == &Desktop()) return ScreenDC();
    std::optional<gdi::Region> region;
    // A null region, or WM_NCPAINT's 1 for "the whole window", restricts nothing.
    if ((flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN)) && hrgnClip && hrgnClip != reinterpret_cast<HRGN>(1)) {
        auto object = gdi::ObjectTable::LookupAs<gdi::RegionObject>(hrgnClip);
        if (!object) return nullptr;
        region = object->Value();
    }
    return AcquireWindowDC(*window, flags, region ? &*region : nullptr);
}

HDC GetDC(HWND hWnd) {
    if (!hWnd) return ScreenDC();
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    if (window == &Desktop()) return ScreenDC();
    return AcquireWindowDC(*window, StyleDcxFlags(*window), nullptr);
}

HDC GetWindowDC(HWND hWnd) {
    if (!hWnd) return ScreenDC();
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    if (window == &Desktop()) return ScreenDC();
    // A window DC clips siblings as the style says but never children: the frame is drawn over them.
    return AcquireWindowDC(*window, DCX_WINDOW | (StyleDcxFlags(*window) & DCX_CLIPSIBLINGS), nullptr);
}

int ReleaseDC(HWND hWnd, HDC hDC) {
    (void)hWnd;  // Windows finds the DC by its handle alone
    DcTable& table = Table();
    auto found = table.Records.find(hDC);
    if (found == table.Records.end() || found->second.Cached) return 0;
    DcRecord& record = found->second;
    if (Window* window = FromHandleQuiet(record.Window); window && window != &Desktop()) {
        const gdi::Region& drawable = record.Dc->DrawableRegion();
        if (!drawable.Empty()) MarkSurfaceDirty(*window->Root(), drawable.Box());
    }
    if (record.Own) return 1;
    if (record.Window != Desktop().Handle && table.Cache.size() < kCachedDCs) {
        // What the caller left selected is let go, so that it can be deleted, and the next user starts afresh.
        record.Dc->ResetAttributes();
        record.Dc->AttachSurface(nullptr, POINT{0, 0}, gdi::Region());
        record.Window = nullptr;
        record.Cached = true;
        table.Cache.push_back(hDC);
        return 1;
    }
    table.Records.erase(found);
    gdi::ObjectTable::Remove(hDC);
    return 1;
}

void win32::user::MarkHeldDCsDirty() {
    for (const auto& [hdc, record] : Table().Records) {
        // A class or own DC stays in the table after ReleaseDC, which marked what it drew already.
        if (record.Own || record.Cached) continue;
        Window* window = FromHandleQuiet(record.Window);
        if (!window || window == &Desktop()) continue;
        const gdi::Region& drawable = record.Dc->DrawableRegion();
        if (!drawable.Empty()) MarkSurfaceDirty(*window->Root(), drawable.Box());
    }
}

HWND WindowFromDC(HDC hDC) {
    auto found = Table().Records.find(hDC);
    return found == Table().Records.end() ? nullptr : found->second.Window;  // null for a cached DC
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
    Window* window = FromHandle(hWnd);
    if (!window) return nullptr;
    if (!lpPaint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HideCaretForPaint(hWnd);
    SendNcPaint(*window);
    window = FromHandleQuiet(hWnd);
    if (!window) return nullptr;
    // The whole update region is validated now, so invalidations made while painting ask for another WM_PAINT.
    gdi::Region update = ScreenUpdateRegion(*window);
    bool erase = window->EraseNeeded;
    window->UpdateRegion = gdi::Region();
    window->EraseNeeded = false;
    window->NcPaintNeeded = false;
    window->InternalPaint = false;
    window->Painting = true;
    HDC hdc = AcquireWindowDC(*window, StyleDcxFlags(*window) | DCX_INTERSECTRGN, &update);
    *lpPaint = PAINTSTRUCT{};
    lpPaint->hdc = hdc;
    if (erase) lpPaint->fErase = SendMessageW(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0) ? FALSE : TRUE;
    GetClipBox(hdc, &lpPaint->rcPaint);
    return hdc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
    Window* window = FromHandle(hWnd);
    if (!window) return FALSE;
    if (!lpPaint) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    window->Painting = false;
    ReleaseDC(hWnd, lpPaint->hdc);
    ShowCaretAfterPaint(hWnd);
    return TRUE;
}

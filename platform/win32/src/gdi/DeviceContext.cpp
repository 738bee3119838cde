// Device context state: selection, coordinate mapping, the drawable region and the SaveDC stack.
#include "DeviceContext.h"

#include "StockObjects.h"

namespace win32::gdi {
namespace {

SIZE screenSize{1280, 1024};

template <class T>
std::shared_ptr<T> StockAs(int index) {
    return std::dynamic_pointer_cast<T>(StockObject(index));
}

}  // namespace

SIZE ScreenSize() { return screenSize; }

void SetScreenSize(SIZE size) { screenSize = size; }

DeviceContext::DeviceContext(bool memory) : FMemory(memory) { ResetAttributes(); }

void DeviceContext::ResetAttributes() {
    FSaved.clear();
    FState = DcState();
    FState.Pen = Selection<PenObject>(StockAs<PenObject>(BLACK_PEN));
    FState.Brush = Selection<BrushObject>(StockAs<BrushObject>(WHITE_BRUSH));
    FState.Font = Selection<GdiObject>(StockObject(SYSTEM_FONT));
    if (FMemory) FState.Bitmap = Selection<BitmapObject>(DefaultBitmap());
    ClipChanged();
}

DeviceContext::~DeviceContext() = default;

BitmapObject* DeviceContext::Surface() const { return FMemory ? FState.Bitmap.get() : FWindowSurface.get(); }

void DeviceContext::AttachSurface(std::shared_ptr<BitmapObject> surface, POINT origin, const Region& visible) {
    FWindowSurface = std::move(surface);
    FOrigin = origin;
    FVisible = visible;  // assigned, so that a DC attached again keeps its storage
    ClipChanged();
}

POINT DeviceContext::ToDevice(POINT p) const {
    return {p.x - FState.WindowOrg.x + FState.ViewportOrg.x, p.y - FState.WindowOrg.y + FState.ViewportOrg.y};
}

POINT DeviceContext::ToLogical(POINT p) const {
    return {p.x - FState.ViewportOrg.x + FState.WindowOrg.x, p.y - FState.ViewportOrg.y + FState.WindowOrg.y};
}

POINT DeviceContext::ToSurface(POINT p) const {
    POINT d = ToDevice(p);
    return {d.x + FOrigin.x, d.y + FOrigin.y};
}

RECT DeviceContext::ToSurface(const RECT& r) const {
    POINT a = ToSurface(POINT{r.left, r.top});
    POINT b = ToSurface(POINT{r.right, r.bottom});
    return {a.x, a.y, b.x, b.y};
}

POINT DeviceContext::BrushOrigin() const {
    // The brush origin is in device units, relative to the DC's origin on its surface.
    return {FState.BrushOrg.x + FOrigin.x, FState.BrushOrg.y + FOrigin.y};
}

Region DeviceContext::VisibleRegion() const {
    if (FMemory) {
        const BitmapObject* bitmap = Surface();
        return bitmap ? Region::FromRect(0, 0, bitmap->Width(), bitmap->Height()) : Region();
    }
    Region visible = FVisible;
    visible.Offset(-FOrigin.x, -FOrigin.y);
    return visible;
}

const Region& DeviceContext::DrawableRegion() const {
    if (FDrawableValid) return FDrawable;
    const BitmapObject* surface = Surface();
    RECT bounds{0, 0, surface ? surface->Width() : 0, surface ? surface->Height() : 0};
    const RECT& box = FVisible.Box();
    if (!surface) {
        FDrawable = Region();
    } else if (FMemory) {
        FDrawable = Region(bounds);
    } else if (box.left >= 0 && box.top >= 0 && box.right <= bounds.right && box.bottom <= bounds.bottom) {
        FDrawable = FVisible;  // the common case, copied into the storage the last answer had
    } else {
        FDrawable = FVisible.Intersect(bounds);
    }
    if (FState.Clip) {
        Region clip = *FState.Clip;
        clip.Offset(FOrigin.x, FOrigin.y);
        FDrawable = Region::Combine(FDrawable, clip, RGN_AND);
    }
    FDrawableValid = true;
    return FDrawable;
}

std::shared_ptr<GdiObject> DeviceContext::SelectPen(std::shared_ptr<PenObject> pen) {
    std::shared_ptr<GdiObject> previous = FState.Pen.shared();
    FState.Pen = Selection<PenObject>(std::move(pen));
    return previous;
}

std::shared_ptr<GdiObject> DeviceContext::SelectBrush(std::shared_ptr<BrushObject> brush) {
    std::shared_ptr<GdiObject> previous = FState.Brush.shared();
    FState.Brush = Selection<BrushObject>(std::move(brush));
    return previous;
}

std::shared_ptr<GdiObject> DeviceContext::SelectFont(std::shared_ptr<GdiObject> font) {
    std::shared_ptr<GdiObject> previous = FState.Font.shared();
    FState.Font = Selection<GdiObject>(std::move(font));
    return previous;
}

std::shared_ptr<GdiObject> DeviceContext::SelectBitmap(std::shared_ptr<BitmapObject> bitmap) {
    if (!FMemory) return nullptr;
    // A bitmap lives in one DC at a time; the stock default bitmap may be in any number of them.
    if (!bitmap->Stock() && bitmap != FState.Bitmap.shared() && bitmap->SelectCount() > 0) return nullptr;
    std::shared_ptr<GdiObject> previous = FState.Bitmap.shared();
    FState.Bitmap = Selection<BitmapObject>(std::move(bitmap));
    ClipChanged();
    return previous;
}

int DeviceContext::Save() {
    FSaved.push_back(FState);
    return static_cast<int>(FSaved.size());
}

bool DeviceContext::Restore(int level) {
    int depth = static_cast<int>(FSaved.size());
    if (level < 0) level = depth + 1 + level;
    if (level <= 0 || level > depth) return false;
    FState = FSaved[static_cast<size_t>(level - 1)];
    FSaved.resize(static_cast<size_t>(level - 1));
    ClipChanged();
    return true;
}

COLORREF DeviceContext::PenColor() const {
    return FState.Pen && FState.Pen->DcPen ? FState.DcPenColor : (FState.Pen ? FState.Pen->Color : 0);
}

COLORREF DeviceContext::BrushColor() const {
    return FState.Brush && FState.Brush->DcBrush ? FState.DcBrushColor : (FState.Brush ? FState.Brush->Color : 0);
}

std::shared_ptr<DeviceContext> LookupDC(HDC hdc) { return ObjectTable::LookupAs<DeviceContext>(hdc); }

}  // namespace win32::gdi

// Stock brushes, pens, fonts and the default bitmap, with GetStockObject.
#include "StockObjects.h"

#include "BrushObject.h"
#include "DeviceContext.h"

#include <array>
#include <mutex>

namespace win32::gdi {
namespace {

std::shared_ptr<GdiObject> MakeBrush(UINT style, COLORREF color, bool dcBrush = false) {
    auto brush = std::make_shared<BrushObject>();
    brush->Style = style;
    brush->Color = color;
    brush->DcBrush = dcBrush;
    return brush;
}

std::shared_ptr<GdiObject> MakePen(UINT style, COLORREF color, bool dcPen = false) {
    auto pen = std::make_shared<PenObject>();
    pen->Style = style;
    pen->Color = color;
    pen->DcPen = dcPen;
    return pen;
}

std::shared_ptr<GdiObject> Make(int index) {
    switch (index) {
    case WHITE_BRUSH: return MakeBrush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return MakeBrush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return MakeBrush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return MakeBrush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return MakeBrush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return MakeBrush(BS_NULL, 0);
    case DC_BRUSH: return MakeBrush(BS_SOLID, RGB(255, 255, 255), true);
    case WHITE_PEN: return MakePen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return MakePen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return MakePen(PS_NULL, 0);
    case DC_PEN: return MakePen(PS_SOLID, RGB(0, 0, 0), true);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case ANSI_VAR_FONT:
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT:
    case SYSTEM_FIXED_FONT:
    case DEFAULT_GUI_FONT: return MakeStockFont(index);
    default: return nullptr;
    }
}

}  // namespace

std::shared_ptr<GdiObject> StockObject(int index) {
    static std::mutex lock;
    static std::array<std::shared_ptr<GdiObject>, DC_PEN + 1> objects;
    if (index < 0 || index > DC_PEN) return nullptr;
    std::lock_guard<std::mutex> guard(lock);
    if (!objects[index]) {
        auto object = Make(index);
        if (!object) return nullptr;
        ObjectTable::Insert(object, true);
        objects[index] = std::move(object);
    }
    return objects[index];
}

std::shared_ptr<BitmapObject> DefaultBitmap() {
    static std::shared_ptr<BitmapObject> bitmap = [] {
        auto made = std::make_shared<BitmapObject>(1, 1, 1, true, false);
        ObjectTable::Insert(made, true);
        return made;
    }();
    return bitmap;
}

}  // namespace win32::gdi

HGDIOBJ GetStockObject(int i) {
    auto object = win32::gdi::StockObject(i);
    return object ? object->Handle() : nullptr;
}

// Icon pictures and the table of icon handles.
#include "IconObject.h"

#include "kernel/HandleTable.h"

#include <win32/winbase.h>

#include <map>
#include <mutex>

namespace win32::gdi::classic {
namespace {

struct IconTable {
    std::mutex Lock;
    std::map<uintptr_t, std::shared_ptr<IconObject>> Icons;
};

IconTable& Table() {
    static IconTable table;
    return table;
}

}  // namespace

IconObject::IconObject(std::shared_ptr<BitmapObject> mask, std::shared_ptr<BitmapObject> color, bool icon,
                       POINT hotspot)
    : FMask(std::move(mask)), FColor(std::move(color)), FIcon(icon), FHotspot(hotspot) {
    FWidth = FColor ? FColor->Width() : FMask->Width();
    FHeight = FColor ? FColor->Height() : FMask->Height() / 2;
    if (FColor && FColor->BitsPerPixel() == 32) {
        for (int y = 0; y < FHeight && !FHasAlpha; ++y)
            for (int x = 0; x < FWidth; ++x)
                if (FColor->Row32(y)[x] >> 24) {
                    FHasAlpha = true;
                    break;
                }
    }
}

bool IconObject::MaskBit(int x, int y) const {
    if (x >= FMask->Width() || y >= FMask->Height()) return true;
    return FMask->BitsPerPixel() == 1 ? FMask->Bit(x, y) : (FMask->GetColor(x, y) & 0xFFFFFF) != 0;
}

uint32_t IconObject::Image(int x, int y) const {
    if (!FColor) return FMask->Bit(x, y + FHeight) ? 0x00FFFFFFu : 0;
    if (FColor->BitsPerPixel() == 32) return FColor->Row32(y)[x];
    return ColorToPixel(FColor->GetColor(x, y));
}

HICON IconObject::Insert(std::shared_ptr<IconObject> icon) {
    IconTable& table = Table();
    std::lock_guard<std::mutex> guard(table.Lock);
    HANDLE handle = kernel::AllocateHandle(kernel::HandleKind::Icon);
    table.Icons[reinterpret_cast<uintptr_t>(handle)] = std::move(icon);
    return static_cast<HICON>(handle);
}

std::shared_ptr<IconObject> IconObject::Lookup(HICON handle) {
    IconTable& table = Table();
    std::lock_guard<std::mutex> guard(table.Lock);
    auto found = table.Icons.find(reinterpret_cast<uintptr_t>(handle));
    if (found == table.Icons.end()) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return nullptr;
    }
    return found->second;
}

bool IconObject::Remove(HICON handle) {
    IconTable& table = Table();
    std::lock_guard<std::mutex> guard(table.Lock);
    if (table.Icons.erase(reinterpret_cast<uintptr_t>(handle)) == 0) {
        SetLastError(ERROR_INVALID_CURSOR_HANDLE);
        return false;
    }
    kernel::ReleaseHandle(handle);
    return true;
}

std::shared_ptr<BitmapObject> IconObject::CopyBitmap(const BitmapObject& source) {
    auto copy = std::make_shared<BitmapObject>(source.Width(), source.Height(), source.BitsPerPixel(), true, false);
    for (int y = 0; y < source.Height(); ++y) {
        if (source.BitsPerPixel() == 32) {
            std::copy(source.Row32(y), source.Row32(y) + source.Width(), copy->Row32(y));
        } else {
            // Through the palette, so a DIB section's colour table keeps its meaning.
            RGBQUAD one = source.Palette(1);
            bool oneIsWhite = one.rgbRed + one.rgbGreen + one.rgbBlue > 3 * 127;
            for (int x = 0; x < source.Width(); ++x) copy->SetBit(x, y, source.Bit(x, y) == oneIsWhite);
        }
    }
    return copy;
}

}  // namespace win32::gdi::classic

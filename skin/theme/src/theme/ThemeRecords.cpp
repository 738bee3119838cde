// The builders of the records a control hands to a theme, and the one bitmap that image-list records share.
#include <skin/ThemeRecords.h>

#include <toolkit/ImageList.h>

#include <memory>

namespace {

std::unique_ptr<TskBitmap>& ImageListBitmap() {
    static std::unique_ptr<TskBitmap> bitmap;
    return bitmap;
}

}  // namespace

void MakeWindowInfo(const RECT& rect, std::uint8_t state, const RECT& margins, TskWindowInfo& info, bool disabledNCArea,
                    const std::u16string& caption, std::uint16_t buttons) {
    info = TskWindowInfo{};
    info.Rect = rect;
    info.State = state;
    info.Buttons = buttons;
    info.Margins = margins;
    info.Caption = caption;
    info.DisabledNCArea = disabledNCArea ? TRUE : FALSE;
}

TskStateRecord MakeStateRecord(const RECT& rect, std::uint8_t state) { return TskStateRecord{rect, state}; }

TskPartRecord MakePartRecord(const RECT& rect, std::uint8_t part, std::uint8_t state) {
    return TskPartRecord{rect, part, state};
}

TskImageRecord MakeImageRecord(const RECT& rect, TskBitmap* bitmap, std::uint8_t kind) {
    return TskImageRecord{rect, bitmap, kind};
}

TskImageRecord MakeImageRecord(const RECT& rect, TCustomImageList& imageList, int index) {
    TskImageRecord record{rect, nullptr, ikAtOrigin};
    if (index < 0 || index >= imageList.Count()) return record;
    std::unique_ptr<TskBitmap>& bitmap = ImageListBitmap();
    if (!bitmap) bitmap = std::make_unique<TskBitmap>();
    bitmap->SetSize(imageList.Width(), imageList.Height());
    // A masked list draws through its masks, so what they leave out keeps the key colour and drops out again
    // when the record is drawn; an unmasked list's image is opaque, every pixel its own.
    const bool keyed = imageList.Masked();
    bitmap->Clear(keyed ? TransparentKey : 0xFF000000);
    imageList.Draw(bitmap->Canvas(), 0, 0, index);
    bitmap->SetAlphaBlend(false);
    bitmap->SetTransparent(keyed);
    record.Bitmap = bitmap.get();
    return record;
}

TskWindowButtonRecord MakeWindowButtonRecord(const RECT& rect, std::uint8_t kind, std::uint8_t state, TskBitmap* icon) {
    return TskWindowButtonRecord{rect, kind, state, icon};
}

TskGroupRecord MakeGroupRecord(const RECT& rect, const RECT& backRect, std::uint8_t state) {
    return TskGroupRecord{rect, backRect, state};
}

TskSizeGripRecord MakeSizeGripRecord(const RECT& rect, bool sizeable) {
    return TskSizeGripRecord{rect, static_cast<std::uint8_t>(sizeable ? 1 : 0)};
}

void FreeImageListBitmap() { ImageListBitmap().reset(); }

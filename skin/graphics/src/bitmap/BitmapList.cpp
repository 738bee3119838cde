// TskBitmapList: ownership of its bitmaps and the lookups by index and by name.
#include <skin/BitmapLink.h>
#include <skin/BitmapList.h>
#include <toolkit/SysUtils.h>

TskBitmapList::~TskBitmapList() { Clear(); }

void TskBitmapList::Notify(void* item, TListNotification action) {
    if (action == lnDeleted) delete static_cast<TskBitmap*>(item);
}

TskBitmap* TskBitmapList::GetBitmap(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return static_cast<TskBitmap*>(Items(index));
}

TskBitmap* TskBitmapList::GetBitmapByName(const std::string& name) const {
    for (int i = 0; i < Count(); ++i) {
        auto bitmap = static_cast<TskBitmap*>(Items(i));
        if (bitmap && SameText(bitmap->Name(), name)) return bitmap;
    }
    return nullptr;
}

std::unique_ptr<TskBitmapLink> TskBitmapList::GetBitmapLink(const std::string& name, const RECT& rect) const {
    TskBitmap* bitmap = GetBitmapByName(name);
    return bitmap ? bitmap->CreateLink(rect) : nullptr;
}

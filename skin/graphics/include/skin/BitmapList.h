// TskBitmapList: a pointer list that owns its TskBitmap items, such as the pictures of a loaded theme, and finds
// them by name.
#pragma once

#include <skin/SkinBitmap.h>
#include <toolkit/List.h>

#include <memory>
#include <string>

class TskBitmapLink;

class TskBitmapList : public TList {
    TOOLKIT_CLASS(TskBitmapList, TList)

public:
    TskBitmapList() = default;
    ~TskBitmapList() override;

    // Takes ownership.
    int Add(std::unique_ptr<TskBitmap> bitmap) { return TList::Add(bitmap.release()); }
    // nullptr for an index outside 0..Count-1.
    TskBitmap* GetBitmap(int index) const;
    // The first item of that name, ASCII case ignored.
    TskBitmap* GetBitmapByName(const std::string& name) const;
    // CreateLink(rect) on the first item of that name, or nullptr; the caller owns the link.
    std::unique_ptr<TskBitmapLink> GetBitmapLink(const std::string& name, const RECT& rect) const;

protected:
    // Items leaving by Delete, Clear or destruction are freed; Extract hands them back unfreed.
    void Notify(void* item, TListNotification action) override;
};

// TCollection, TOwnedCollection and TCollectionItem: membership, IDs and change notification.
#include <toolkit/Collection.h>

#include <toolkit/List.h>

#include <algorithm>

TCollection::TCollection(const TClassInfo* itemClass) : FItemClass(itemClass) {
    if (!itemClass || !itemClass->InheritsFrom(TCollectionItem::ClassInfo()) || !itemClass->CanCreate())
        throw EConvertError(std::string("Invalid collection item class ") + (itemClass ? itemClass->Name() : "nil"));
}

TCollection::~TCollection() {
    // Nothing reports changes while the collection goes.
    FUpdateCount = 1;
    while (!FItems.empty()) delete FItems.back();
}

TCollectionItem* TCollection::Add() { return static_cast<TCollectionItem*>(FItemClass->CreateInstance(this)); }

TCollectionItem* TCollection::Insert(int index) {
    TCollectionItem* item = Add();
    item->SetIndex(index);
    return item;
}

void TCollection::Delete(int index) {
    TCollectionItem* item = Items(index);
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear() {
    if (FItems.empty()) return;
    BeginUpdate();
    while (!FItems.empty()) delete FItems.back();
    EndUpdate();
}

void TCollection::EndUpdate() {
    --FUpdateCount;
    Changed();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count()) TList::Error("List index out of bounds (%d)", index);
    return FItems[static_cast<size_t>(index)];
}

void TCollection::SetItems(int index, const TCollectionItem* value) { Items(index)->Assign(value); }

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : FItems)
        if (item->FID == id) return item;
    return nullptr;
}

void TCollection::Assign(const TPersistent* source) {
    auto collection = dynamic_cast<const TCollection*>(source);
    if (!collection) {
        inherited::Assign(source);
        return;
    }
    if (collection == this) return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : collection->FItems) Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TCollection::Changed() {
    if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
    FItems.push_back(item);
    item->FCollection = this;
    item->FID = FNextID++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Notify(item, cnExtracting);
    auto found = std::find(FItems.begin(), FItems.end(), item);
    if (found != FItems.end()) FItems.erase(found);
    item->FCollection = nullptr;
    Changed();
}

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* value) {
    if (value == FCollection) return;
    if (FCollection) FCollection->RemoveItem(this);
    if (value) value->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (!FCollection) return -1;
    auto& items = FCollection->FItems;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int value) {
    int current = Index();
    if (current < 0) return;
    auto& items = FCollection->FItems;
    value = std::max(0, std::min(value, static_cast<int>(items.size()) - 1));
    if (value == current) return;
    items.erase(items.begin() + current);
    items.insert(items.begin() + value, this);
    Changed(true);
}

void TCollectionItem::SetDisplayName(const std::string& value) {
    (void)value;
    Changed(false);
}

std::string TCollectionItem::GetNamePath() const {
    if (!FCollection) return ClassName();
    return FCollection->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems) {
    if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(allItems ? nullptr : this);
}

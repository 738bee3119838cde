// TCollection and TCollectionItem: a list of items of one class that the collection creates and owns, with
// change notifications for the collection's owner (the form reader stores collections such as Themes = <...>).
#pragma once

#include <toolkit/Persistent.h>

#include <string>
#include <vector>

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

class TCollectionItem;

class TCollection : public TPersistent {
    TOOLKIT_CLASS(TCollection, TPersistent)

public:
    // itemClass is what Add creates: a class derived from TCollectionItem with a TCollection* constructor.
    // Raises EConvertError "Invalid collection item class %s" otherwise.
    explicit TCollection(const TClassInfo* itemClass);
    // Deletes the items, last first.
    ~TCollection() override;

    TCollectionItem* Add();
    // A new item moved to index.
    TCollectionItem* Insert(int index);
    // Raises EListError "List index out of bounds (%d)" for a bad index.
    void Delete(int index);
    void Clear();
    // Nested; Update(nullptr) runs once when the outermost EndUpdate comes.
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();

    int Count() const { return static_cast<int>(FItems.size()); }
    TCollectionItem* Items(int index) const;
    // Assigns value to the item at index.
    void SetItems(int index, const TCollectionItem* value);
    TCollectionItem* FindItemID(int id) const;
    const TClassInfo* ItemClass() const { return FItemClass; }
    int UpdateCount() const { return FUpdateCount; }

    // From another collection: clears, then adds one item per source item and assigns it.
    void Assign(const TPersistent* source) override;

protected:
    // An item changed (item), or the whole collection did (nullptr); nothing in the base.
    virtual void Update(TCollectionItem* item) { (void)item; }
    // cnAdded once an item has joined, cnDeleting before Delete frees one, cnExtracting as one leaves.
    virtual void Notify(TCollectionItem* item, TCollectionNotification action) {
        (void)item;
        (void)action;
    }
    // Update(nullptr) unless an update is open.
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);

    const TClassInfo* FItemClass;
    std::vector<TCollectionItem*> FItems;  // owned
    int FUpdateCount = 0;
    int FNextID = 0;
};

// A collection that names its owner, so that its items' changes reach the component holding it.
class TOwnedCollection : public TCollection {
    TOOLKIT_CLASS(TOwnedCollection, TCollection)

public:
    TOwnedCollection(TPersistent* owner, const TClassInfo* itemClass) : TCollection(itemClass), FOwner(owner) {}
    TPersistent* GetOwner() const override { return FOwner; }

private:
    TPersistent* FOwner;
};

class TCollectionItem : public TPersistent {
    TOOLKIT_CLASS(TCollectionItem, TPersistent)

public:
    using TConstructorArg = TCollection*;

    // Joins collection (when not nullptr) as its last item.
    explicit TCollectionItem(TCollection* collection);
    // Leaves the collection.
    ~TCollectionItem() override;

    TCollection* Collection() const { return FCollection; }
    // Leaves the current collection and joins value (nullptr: none).
    void SetCollection(TCollection* value);
    // Unique within the collection for its lifetime; never reused.
    int ID() const { return FID; }
    // -1 outside a collection.
    int Index() const;
    // Moves the item (clamped to the collection) and reports a change of the whole collection.
    virtual void SetIndex(int value);
    // The class name unless a subclass says better.
    virtual std::string DisplayName() const { return ClassName(); }
    virtual void SetDisplayName(const std::string& value);

    TPersistent* GetOwner() const override { return FCollection; }
    // "<collection path>[<index>]".
    std::string GetNamePath() const override;

protected:
    // Tells the collection (unless it is updating): Update(this), or Update(nullptr) when allItems.
    void Changed(bool allItems);

private:
    friend class TCollection;

    TCollection* FCollection = nullptr;
    int FID = 0;
};

// TList: an ordered list of untyped pointers that tells subclasses about items coming and going through Notify.
#pragma once

#include <toolkit/Object.h>

#include <vector>

class EListError : public Exception {
public:
    using Exception::Exception;
};

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

class TList : public TObject {
    TOOLKIT_CLASS(TList, TObject)

public:
    TList() = default;
    // Clears the list; Notify overrides no longer run here, so a subclass that needs them calls Clear itself.
    ~TList() override;

    int Add(void* item);
    // index may be Count (append). Raises EListError "List index out of bounds (%d)" otherwise.
    void Insert(int index, void* item);
    void Delete(int index);
    // The index the item had, or -1.
    int Remove(void* item);
    // Takes the item out without deleting it: Notify sees lnExtracted. Answers the item, or nullptr if absent.
    void* Extract(void* item);
    virtual void Clear();
    int IndexOf(void* item) const;
    void Exchange(int index1, int index2);
    void Move(int curIndex, int newIndex);
    void* First() const { return Items(0); }
    void* Last() const { return Items(Count() - 1); }

    int Count() const { return static_cast<int>(FList.size()); }
    // Growing adds nullptr items; shrinking deletes from the end.
    void SetCount(int value);
    void* Items(int index) const;
    // Notifies lnDeleted for the old item and lnAdded for the new one when they differ.
    void SetItems(int index, void* item);

    // Raises EListError with format's "%d" replaced by data.
    [[noreturn]] static void Error(const char* format, int data);

protected:
    // Called after an item has joined (lnAdded) or left (lnExtracted, lnDeleted) the list; never for nullptr
    // items and never for Exchange or Move.
    virtual void Notify(void* item, TListNotification action) {
        (void)item;
        (void)action;
    }

private:
    void CheckIndex(int index, int limit) const;

    std::vector<void*> FList;
};

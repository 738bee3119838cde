// TStringList: the toolkit's string list, optionally sorted, with change events around every modification.
#pragma once

#include <toolkit/Strings.h>

#include <functional>
#include <vector>

// What Add does on a sorted list when the string is already there: keep the one there and answer its index, add
// another, or raise EStringListError "String list does not allow duplicates".
enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
using TStringListSortCompare = std::function<int(TStringList* list, int index1, int index2)>;

class TStringList : public TStrings {
    TOOLKIT_CLASS(TStringList, TStrings)

public:
    TStringList() = default;

    // On a sorted list the string goes to its place; Duplicates decides about one already there.
    int Add(const std::string& s) override { return AddObject(s, nullptr); }
    int AddObject(const std::string& s, TObject* object) override;
    void Clear() override;
    void Delete(int index) override;
    // Raises EStringListError "Operation not allowed on sorted list" on a sorted list.
    void Insert(int index, const std::string& s) override;
    void InsertObject(int index, const std::string& s, TObject* object) override;
    void Exchange(int index1, int index2) override;
    int IndexOf(const std::string& s) const override;
    // Binary search of a sorted list: true when s is there. index is where s is, or where it would be inserted.
    virtual bool Find(const std::string& s, int& index) const;
    virtual void Sort();
    void CustomSort(const TStringListSortCompare& compare);

    TDuplicates Duplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates value) { FDuplicates = value; }
    bool Sorted() const { return FSorted; }
    // Turning it on sorts the list.
    void SetSorted(bool value);
    // Off (the default): comparisons ignore ASCII case as AnsiCompareText does.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool value);

    // Fired before and after each change, or once around the outermost BeginUpdate / EndUpdate.
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    std::string Get(int index) const override;
    int GetCount() const override { return static_cast<int>(FList.size()); }
    TObject* GetObject(int index) const override;
    // Raises EStringListError "Operation not allowed on sorted list" on a sorted list.
    void Put(int index, const std::string& s) override;
    void PutObject(int index, TObject* object) override;
    void SetUpdateState(bool updating) override;
    int CompareStrings(const std::string& a, const std::string& b) const override;
    virtual void Changed();
    virtual void Changing();
    virtual void InsertItem(int index, const std::string& s, TObject* object);

private:
    struct TStringItem {
        std::string FString;
        TObject* FObject;
    };

    void CheckIndex(int index) const;

    std::vector<TStringItem> FList;
    TDuplicates FDuplicates = dupIgnore;
    bool FSorted = false;
    bool FCaseSensitive = false;
};

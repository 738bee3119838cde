// TStringList over a vector of string and object pairs.
#include <toolkit/StringList.h>

#include <algorithm>

namespace {

[[noreturn]] void ListError(const std::string& message) { throw EStringListError(message); }

}  // namespace

void TStringList::CheckIndex(int index) const {
    if (index < 0 || index >= GetCount()) ListError("List index out of bounds (" + std::to_string(index) + ")");
}

int TStringList::AddObject(const std::string& s, TObject* object) {
    int index = GetCount();
    if (FSorted && Find(s, index)) {
        if (FDuplicates == dupIgnore) return index;
        if (FDuplicates == dupError) ListError("String list does not allow duplicates");
    }
    InsertItem(index, s, object);
    return index;
}

void TStringList::Clear() {
    if (FList.empty()) return;
    Changing();
    FList.clear();
    Changed();
}

void TStringList::Delete(int index) {
    CheckIndex(index);
    Changing();
    FList.erase(FList.begin() + index);
    Changed();
}

void TStringList::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const std::string& s, TObject* object) {
    if (FSorted) ListError("Operation not allowed on sorted list");
    if (index < 0 || index > GetCount()) ListError("List index out of bounds (" + std::to_string(index) + ")");
    InsertItem(index, s, object);
}

void TStringList::InsertItem(int index, const std::string& s, TObject* object) {
    Changing();
    FList.insert(FList.begin() + index, TStringItem{s, object});
    Changed();
}

void TStringList::Exchange(int index1, int index2) {
    CheckIndex(index1);
    CheckIndex(index2);
    Changing();
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
    Changed();
}

int TStringList::IndexOf(const std::string& s) const {
    if (!FSorted) return TStrings::IndexOf(s);
    int index = -1;
    return Find(s, index) ? index : -1;
}

bool TStringList::Find(const std::string& s, int& index) const {
    // The first item not below s; with duplicates that is the first of the equal run.
    int low = 0;
    int high = GetCount() - 1;
    while (low <= high) {
        int middle = (low + high) / 2;
        if (CompareStrings(FList[static_cast<size_t>(middle)].FString, s) < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    index = low;
    return low < GetCount() && CompareStrings(FList[static_cast<size_t>(low)].FString, s) == 0;
}

void TStringList::Sort() {
    if (FSorted || GetCount() < 2) return;
    CustomSort([](TStringList* list, int index1, int index2) {
        return list->CompareStrings(list->FList[static_cast<size_t>(index1)].FString,
                                    list->FList[static_cast<size_t>(index2)].FString);
    });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
    if (FSorted || GetCount() < 2) return;
    Changing();
    // The comparison speaks in indexes, so the items are ordered through a permutation and then rearranged.
    std::vector<int> order(FList.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return compare(this, a, b) < 0; });
    std::vector<TStringItem> sorted;
    sorted.reserve(FList.size());
    for (int i : order) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
    FList = std::move(sorted);
    Changed();
}

void TStringList::SetSorted(bool value) {
    if (value == FSorted) return;
    if (value) Sort();
    FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
    if (value == FCaseSensitive) return;
    FCaseSensitive = value;
    // The order a sorted list keeps depends on the comparison.
    if (FSorted) {
        FSorted = false;
        Sort();
        FSorted = true;
    }
}

std::string TStringList::Get(int index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].FString;
}

TObject* TStringList::GetObject(int index) const {
    CheckIndex(index);
    return FList[static_cast<size_t>(index)].FObject;
}

void TStringList::Put(int index, const std::string& s) {
    if (FSorted) ListError("Operation not allowed on sorted list");
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].FString = s;
    Changed();
}

void TStringList::PutObject(int index, TObject* object) {
    CheckIndex(index);
    Changing();
    FList[static_cast<size_t>(index)].FObject = object;
    Changed();
}

void TStringList::SetUpdateState(bool updating) {
    if (updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const std::string& a, const std::string& b) const {
    return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

void TStringList::Changed() {
    if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
    if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

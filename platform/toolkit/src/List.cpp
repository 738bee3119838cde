// TList over a vector, with the toolkit's notifications and index errors.
#include <toolkit/List.h>

#include <algorithm>
#include <string>

TList::~TList() { FList.clear(); }

void TList::Error(const char* format, int data) {
    std::string message = format;
    std::string::size_type at = message.find("%d");
    if (at != std::string::npos) message.replace(at, 2, std::to_string(data));
    throw EListError(message);
}

void TList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit) Error("List index out of bounds (%d)", index);
}

int TList::Add(void* item) {
    FList.push_back(item);
    if (item) Notify(item, lnAdded);
    return Count() - 1;
}

void TList::Insert(int index, void* item) {
    CheckIndex(index, Count() + 1);
    FList.insert(FList.begin() + index, item);
    if (item) Notify(item, lnAdded);
}

void TList::Delete(int index) {
    CheckIndex(index, Count());
    void* item = FList[static_cast<size_t>(index)];
    FList.erase(FList.begin() + index);
    if (item) Notify(item, lnDeleted);
}

int TList::Remove(void* item) {
    int index = IndexOf(item);
    if (index >= 0) Delete(index);
    return index;
}

void* TList::Extract(void* item) {
    int index = IndexOf(item);
    if (index < 0) return nullptr;
    FList.erase(FList.begin() + index);
    if (item) Notify(item, lnExtracted);
    return item;
}

void TList::Clear() { SetCount(0); }

int TList::IndexOf(void* item) const {
    auto found = std::find(FList.begin(), FList.end(), item);
    return found == FList.end() ? -1 : static_cast<int>(found - FList.begin());
}

void TList::Exchange(int index1, int index2) {
    CheckIndex(index1, Count());
    CheckIndex(index2, Count());
    std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
}

void TList::Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    CheckIndex(newIndex, Count());
    void* item = Items(curIndex);
    FList.erase(FList.begin() + curIndex);
    FList.insert(FList.begin() + newIndex, item);
}

void TList::SetCount(int value) {
    if (value < 0) Error("List count out of bounds (%d)", value);
    if (value > Count()) FList.resize(static_cast<size_t>(value), nullptr);
    // Last first, each through Delete so that subclasses hear of every item.
    while (Count() > value) Delete(Count() - 1);
}

void* TList::Items(int index) const {
    CheckIndex(index, Count());
    return FList[static_cast<size_t>(index)];
}

void TList::SetItems(int index, void* item) {
    CheckIndex(index, Count());
    void* old = FList[static_cast<size_t>(index)];
    if (old == item) return;
    FList[static_cast<size_t>(index)] = item;
    if (old) Notify(old, lnDeleted);
    if (item) Notify(item, lnAdded);
}

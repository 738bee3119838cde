// The per-class tables of published properties, methods and fields, and their lookup through the class chain.
#include <toolkit/PropertyRegistry.h>
#include <toolkit/SysUtils.h>

#include <map>

namespace {

// Entries live as long as the program; std::map keeps their addresses while classes register from static
// initialisers in any order.
std::map<const TClassInfo*, TPublishedClass>& Table() {
    static std::map<const TClassInfo*, TPublishedClass> table;
    return table;
}

const TPublishedClass* Find(const TClassInfo* classInfo) {
    auto found = Table().find(classInfo);
    return found == Table().end() ? nullptr : &found->second;
}

template <class T>
void Replace(std::vector<T>& entries, T info) {
    for (T& entry : entries)
        if (SameText(entry.Name, info.Name)) {
            entry = std::move(info);
            return;
        }
    entries.push_back(std::move(info));
}

template <class T>
const T* Search(const TClassInfo* classInfo, const std::string& name, std::vector<T> TPublishedClass::*list) {
    for (const TClassInfo* info = classInfo; info; info = info->Parent())
        if (const TPublishedClass* entry = Find(info))
            for (const T& item : entry->*list)
                if (SameText(item.Name, name)) return &item;
    return nullptr;
}

// TComponent's own published property; Name is not one: the description's header gives it.
[[maybe_unused]] const auto published = Publish<TComponent>().Integer("Tag", &TComponent::Tag, &TComponent::SetTag);

}  // namespace

void TPublishedClass::Add(TPropertyInfo info) { Replace(Properties, std::move(info)); }
void TPublishedClass::Add(TMethodInfo info) { Replace(Methods, std::move(info)); }
void TPublishedClass::Add(TFieldInfo info) { Replace(Fields, std::move(info)); }

TPublishedClass& TPropertyRegistry::Entry(const TClassInfo* classInfo) {
    TPublishedClass& entry = Table()[classInfo];
    entry.Class = classInfo;
    return entry;
}

const TPropertyInfo* TPropertyRegistry::FindProperty(const TClassInfo* classInfo, const std::string& name) {
    return Search(classInfo, name, &TPublishedClass::Properties);
}

const TMethodInfo* TPropertyRegistry::FindMethod(const TClassInfo* classInfo, const std::string& name) {
    return Search(classInfo, name, &TPublishedClass::Methods);
}

const TFieldInfo* TPropertyRegistry::FindField(const TClassInfo* classInfo, const std::string& name) {
    return Search(classInfo, name, &TPublishedClass::Fields);
}

std::vector<const TFieldInfo*> TPropertyRegistry::Fields(const TClassInfo* classInfo) {
    std::vector<const TFieldInfo*> result;
    for (const TClassInfo* info = classInfo; info; info = info->Parent()) {
        auto found = Table().find(info);
        if (found == Table().end()) continue;
        for (const TFieldInfo& field : found->second.Fields) result.push_back(&field);
    }
    return result;
}

std::vector<const TPropertyInfo*> TPropertyRegistry::Properties(const TClassInfo* classInfo) {
    std::vector<const TClassInfo*> chain;
    for (const TClassInfo* info = classInfo; info; info = info->Parent()) chain.push_back(info);
    std::vector<const TPropertyInfo*> result;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const TPublishedClass* entry = Find(*it);
        if (!entry) continue;
        for (const TPropertyInfo& property : entry->Properties) {
            bool redefined = false;
            for (const TPropertyInfo*& seen : result)
                if (SameText(seen->Name, property.Name)) {
                    seen = &property;
                    redefined = true;
                }
            if (!redefined) result.push_back(&property);
        }
    }
    return result;
}

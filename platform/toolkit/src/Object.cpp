// TObject's class record and the by-name class registry.
#include <toolkit/Object.h>

#include "StandardClasses.h"

#include <map>

namespace {

// Class names are ASCII identifiers; the key is the upper-case form so lookups ignore case.
std::string RegistryKey(const std::string& name) { return UpperCase(name); }

std::map<std::string, const TClassInfo*>& Registry() {
    static std::map<std::string, const TClassInfo*> registry;
    return registry;
}

}  // namespace

bool TClassInfo::InheritsFrom(const TClassInfo* ancestor) const {
    for (const TClassInfo* info = this; info; info = info->FParent)
        if (info == ancestor) return true;
    return false;
}

const TClassInfo* TObject::ClassInfo() {
    static const TClassInfo info("TObject", nullptr, toolkit_detail::FactoryFor<TObject>());
    return &info;
}

void RegisterClass(const TClassInfo* classInfo) {
    auto inserted = Registry().emplace(RegistryKey(classInfo->Name()), classInfo);
    if (!inserted.second && inserted.first->second != classInfo)
        throw EFilerError(std::string("A class named ") + classInfo->Name() + " already exists");
}

void UnRegisterClass(const TClassInfo* classInfo) {
    auto found = Registry().find(RegistryKey(classInfo->Name()));
    if (found != Registry().end() && found->second == classInfo) Registry().erase(found);
}

const TClassInfo* GetClass(const std::string& className) {
    toolkit_detail::LinkStandardClasses();
    auto found = Registry().find(RegistryKey(className));
    return found == Registry().end() ? nullptr : found->second;
}

const TClassInfo* FindClass(const std::string& className) {
    const TClassInfo* info = GetClass(className);
    if (!info) throw EClassNotFound("Class " + className + " not found");
    return info;
}

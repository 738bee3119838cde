// TComponent: ownership, names, free notification and the destruction order.
#include <toolkit/Component.h>

#include <toolkit/List.h>

#include <algorithm>

namespace {

bool IsValidIdent(const std::string& name) {
    if (name.empty()) return false;
    auto isAlpha = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; };
    if (!isAlpha(name[0])) return false;
    return std::all_of(name.begin() + 1, name.end(), [&](char c) { return isAlpha(c) || (c >= '0' && c <= '9'); });
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Each partner's Notification calls back RemoveFreeNotification, which shrinks the list under us.
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        partner->Notification(this, opRemove);
        partner->RemoveFreeNotification(this);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

TComponent* TComponent::CreateInstance(const TClassInfo* classInfo, TComponent* owner) {
    if (!classInfo || !classInfo->InheritsFrom(TComponent::ClassInfo()) || !classInfo->CanCreate())
        throw EComponentError(std::string("Cannot create an instance of ") + (classInfo ? classInfo->Name() : "nil"));
    return static_cast<TComponent*>(classInfo->CreateInstance(owner));
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) TList::Error("List index out of bounds (%d)", index);
    return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner) return -1;
    auto& siblings = FOwner->FComponents;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

void TComponent::SetComponentIndex(int value) {
    if (!FOwner) return;
    int current = ComponentIndex();
    auto& siblings = FOwner->FComponents;
    value = std::max(0, std::min(value, static_cast<int>(siblings.size()) - 1));
    if (value == current) return;
    siblings.erase(siblings.begin() + current);
    siblings.insert(siblings.begin() + value, this);
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner == this) return;
    ValidateRename(component, "", component->FName);
    if (component->FOwner) component->FOwner->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    Remove(component);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* component : FComponents)
        if (SameText(component->FName, name)) return component;
    return nullptr;
}

void TComponent::SetName(const std::string& value) {
    if (value == FName) return;
    if (!value.empty() && !IsValidIdent(value)) throw EComponentError("'" + value + "' is not a valid component name");
    if (FOwner)
        FOwner->ValidateRename(this, FName, value);
    else
        ValidateRename(nullptr, FName, value);
    FName = value;
}

void TComponent::ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName) {
    // Changing only the case of one's own name is no clash.
    if (!component || SameText(currentName, newName)) return;
    TComponent* holder = FindComponent(newName);
    if (holder && holder != component) throw EComponentError("A component named " + newName + " already exists");
}

void TComponent::FreeNotification(TComponent* component) {
    if (!FOwner || component->FOwner != FOwner) {
        if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end()) {
            FFreeNotifies.push_back(component);
            component->FreeNotification(this);
        }
    }
    // Marks this component so that its owner announces its removal to the siblings even while the owner dies.
    FComponentState.Include(csFreeNotification);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    auto found = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component);
    if (found == FFreeNotifies.end()) return;
    FFreeNotifies.erase(found);
    component->RemoveFreeNotification(this);
}

void TComponent::Destroying() { FComponentState.Include(csDestroying); }

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* instance = FComponents.back();
        // Siblings that asked to hear about this one are told; the others are going too and need no news.
        if (instance->FComponentState.Contains(csFreeNotification))
            RemoveComponent(instance);
        else
            Remove(instance);
        delete instance;
    }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Walks from the end with a re-check: a handler may delete or free components of this list.
    size_t i = FComponents.size();
    while (i > 0) {
        --i;
        FComponents[i]->Notification(component, operation);
        if (i > FComponents.size()) i = FComponents.size();
    }
}

void TComponent::Insert(TComponent* component) {
    FComponents.push_back(component);
    component->FOwner = this;
}

void TComponent::Remove(TComponent* component) {
    auto found = std::find(FComponents.begin(), FComponents.end(), component);
    if (found != FComponents.end()) FComponents.erase(found);
    component->FOwner = nullptr;
}

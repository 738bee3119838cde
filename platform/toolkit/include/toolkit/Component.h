// TComponent: named, owned components. An owner deletes what it owns; references between components are cleared
// through Notification, which FreeNotification extends to components with other owners.
#pragma once

#include <toolkit/Persistent.h>
#include <toolkit/Set.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

enum TOperation { opInsert, opRemove };

// The toolkit's ordinals; only the flags this toolkit sets are acted on (csDesigning is never set: there is no
// designer).
enum TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

class EComponentError : public Exception {
public:
    using Exception::Exception;
};

class TReader;

class TComponent : public TPersistent {
    TOOLKIT_CLASS(TComponent, TPersistent)

public:
    using TConstructorArg = TComponent*;
    using TGetChildProc = std::function<void(TComponent* child)>;

    // The new component joins owner's Components (owner may be nullptr). Its name starts empty.
    explicit TComponent(TComponent* owner);
    // Sets csDestroying, tells the components that asked for free notification, deletes the owned components
    // last-first and leaves the owner's list. A subclass whose owned components must go while the subclass is still
    // whole calls Destroying() and DestroyComponents() at the top of its own destructor.
    ~TComponent() override;

    // A new instance of a registered component class, owned by owner. Raises EComponentError when classInfo is not a
    // creatable component class.
    static TComponent* CreateInstance(const TClassInfo* classInfo, TComponent* owner);

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // Raises EListError "List index out of bounds (%d)" outside 0..ComponentCount-1.
    TComponent* Components(int index) const;
    // This component's place in its owner's list, -1 without an owner.
    int ComponentIndex() const;
    void SetComponentIndex(int value);

    // Takes component from its current owner (if any) into this one. A name already used here raises
    // EComponentError and leaves component where it was.
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // The owned component of that name (ASCII case ignored), or nullptr; an empty name finds nothing.
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return FName; }
    // An identifier or empty. Raises EComponentError "'%s' is not a valid component name" or, when a sibling
    // already has it, "A component named %s already exists".
    virtual void SetName(const std::string& value);
    intptr_t Tag() const { return FTag; }
    void SetTag(intptr_t value) { FTag = value; }
    TComponentState ComponentState() const { return FComponentState; }

    // Asks for Notification(this, opRemove) when component is destroyed, and the other way round. Components with
    // the same owner hear about each other's removal from the owner anyway.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    void Destroying();
    void DestroyComponents();

    // Children in stored order, for writers; a plain component has none.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root) {
        (void)proc;
        (void)root;
    }
    // The component a reader nests this one in (a control's parent); none for a plain component.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent* value) { (void)value; }

    TPersistent* GetOwner() const override { return FOwner; }
    std::string GetNamePath() const override { return FName; }

protected:
    // Runs once the reader has read the whole tree and resolved references; the base clears csLoading, so
    // overrides call inherited::Loaded() first. Construction never calls it.
    virtual void Loaded();
    // component is being inserted into or removed from the owner (or a free-notification partner is going).
    // The base forgets a departing free-notification partner and passes the notification on to the owned
    // components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Raises EComponentError when component may not be named newName among this component's children.
    virtual void ValidateRename(TComponent* component, const std::string& currentName, const std::string& newName);

private:
    // The reader sets csLoading / csReading and calls Loaded, as the toolkit's reader does from inside.
    friend class TReader;

    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* FOwner = nullptr;
    std::string FName;
    intptr_t FTag = 0;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;    // owned, deleted by this component
    std::vector<TComponent*> FFreeNotifies;  // not owned
};

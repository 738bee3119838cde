// TComponent ownership, names, free notification and destruction order; class records and the class registry.
#include <toolkit/Component.h>
#include <toolkit/StringList.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Records its destruction and every notification it hears, and holds one non-owning reference that it clears
// when the referenced component goes.
class TProbe : public TComponent {
    TOOLKIT_CLASS(TProbe, TComponent)

public:
    TProbe(TComponent* owner, std::vector<std::string>* log = nullptr) : TComponent(owner), FLog(log) {}
    ~TProbe() override {
        if (FLog) FLog->push_back("~" + Name() + (FRef ? " ref=" + FRef->Name() : ""));
    }

    TComponent* Ref() const { return FRef; }
    void SetRef(TComponent* value) {
        if (FRef) FRef->RemoveFreeNotification(this);
        FRef = value;
        if (FRef) FRef->FreeNotification(this);
    }
    int LoadedCalls = 0;
    bool SawDestroyingState = false;

protected:
    void Loaded() override {
        inherited::Loaded();
        ++LoadedCalls;
    }
    void Notification(TComponent* component, TOperation operation) override {
        inherited::Notification(component, operation);
        if (FLog)
            FLog->push_back(Name() + (operation == opInsert ? " +" : " -") +
                            (component->Name().empty() ? "?" : component->Name()));
        if (operation == opRemove && component == FRef) {
            SawDestroyingState = component->ComponentState().Contains(csDestroying);
            FRef = nullptr;
        }
    }

private:
    std::vector<std::string>* FLog;
    TComponent* FRef = nullptr;
};

TProbe* Named(TProbe* probe, const std::string& name) {
    probe->SetName(name);
    return probe;
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "(no exception)";
}

}  // namespace

TEST(Component, OwnerDeletesOwnedLastFirst) {
    std::vector<std::string> log;
    auto owner = new TProbe(nullptr, &log);
    owner->SetName("Form");
    for (const char* name : {"A", "B", "C"}) Named(new TProbe(owner, &log), name);
    ASSERT_EQ(3, owner->ComponentCount());
    EXPECT_EQ("B", owner->Components(1)->Name());
    EXPECT_EQ(owner, owner->Components(2)->Owner());
    EXPECT_EQ(2, owner->Components(2)->ComponentIndex());
    log.clear();
    delete owner;
    EXPECT_EQ((std::vector<std::string>{"~Form", "~C", "~B", "~A"}), log);
}

TEST(Component, ComponentFreedByHandLeavesItsOwnerAndSiblingsHearOfIt) {
    std::vector<std::string> log;
    TProbe owner(nullptr, &log);
    owner.SetName("Form");
    TProbe* a = Named(new TProbe(&owner, &log), "A");
    TProbe* b = Named(new TProbe(&owner, &log), "B");
    log.clear();
    delete a;
    ASSERT_EQ(1, owner.ComponentCount());
    EXPECT_EQ(b, owner.Components(0));
    EXPECT_EQ(nullptr, owner.FindComponent("A"));
    // The owner hears first and passes it on to what it owns.
    EXPECT_EQ((std::vector<std::string>{"~A", "B -A", "Form -A"}), log);
}

TEST(Component, InsertAndRemoveMoveBetweenOwners) {
    TProbe first(nullptr), second(nullptr);
    TProbe* child = Named(new TProbe(&first), "Child");
    second.InsertComponent(child);
    EXPECT_EQ(&second, child->Owner());
    EXPECT_EQ(0, first.ComponentCount());
    EXPECT_EQ(child, second.FindComponent("child"));
    second.RemoveComponent(child);
    EXPECT_EQ(nullptr, child->Owner());
    EXPECT_EQ(-1, child->ComponentIndex());
    delete child;
    EXPECT_EQ(0, second.ComponentCount());
}

TEST(Component, FreeNotificationClearsAReferenceAcrossOwners) {
    TProbe formA(nullptr), formB(nullptr);
    auto holder = new TProbe(&formA);
    auto target = new TProbe(&formB);
    holder->SetRef(target);
    delete target;
    EXPECT_EQ(nullptr, holder->Ref());
    EXPECT_TRUE(holder->SawDestroyingState);

    // The link runs both ways: the holder going first leaves the target with no stale partner to call.
    auto target2 = new TProbe(nullptr);
    holder->SetRef(target2);
    delete holder;
    delete target2;

    // Without owners at all.
    TProbe lone(nullptr);
    auto other = new TProbe(nullptr);
    lone.SetRef(other);
    delete other;
    EXPECT_EQ(nullptr, lone.Ref());
}

TEST(Component, ReferenceBetweenSiblingsIsClearedWhileTheOwnerDies) {
    std::vector<std::string> log;
    auto owner = new TProbe(nullptr);
    TProbe* holder = Named(new TProbe(owner, &log), "Label");
    TProbe* target = Named(new TProbe(owner, &log), "Edit");
    holder->SetRef(target);
    delete owner;
    // The edit goes first (last owned); the label has forgotten it by the time it goes.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("~Label", log.back());
}

TEST(Component, RemoveFreeNotificationStopsTheNews) {
    TProbe holder(nullptr);
    auto target = new TProbe(nullptr);
    holder.SetRef(target);
    target->RemoveFreeNotification(&holder);
    TComponent* kept = holder.Ref();
    delete target;
    EXPECT_EQ(kept, holder.Ref());  // not told: the caller took responsibility for the reference
}

TEST(Component, NamesAreIdentifiersAndUniqueAmongSiblings) {
    TProbe owner(nullptr);
    TProbe* a = Named(new TProbe(&owner), "Button1");
    TProbe* b = new TProbe(&owner);
    EXPECT_EQ("A component named button1 already exists", ErrorOf([&] { b->SetName("button1"); }));
    EXPECT_EQ("", b->Name());
    b->SetName("Button2");
    a->SetName("BUTTON1");  // its own name in another case
    EXPECT_EQ("BUTTON1", a->Name());
    for (const char* bad : {"1Button", "Button 1", "Button-1", "按钮"})
        EXPECT_EQ(std::string("'") + bad + "' is not a valid component name", ErrorOf([&] { b->SetName(bad); }));
    EXPECT_EQ("Button2", b->Name());
    b->SetName("_x9");
    b->SetName("");
    EXPECT_EQ(nullptr, owner.FindComponent(""));

    // Components without an owner may share names; taking one in checks its name.
    auto stray = Named(new TProbe(nullptr), "Button1");
    TProbe other(nullptr);
    EXPECT_EQ("A component named Button1 already exists", ErrorOf([&] { owner.InsertComponent(stray); }));
    EXPECT_EQ(nullptr, stray->Owner());
    other.InsertComponent(stray);
    EXPECT_EQ(&other, stray->Owner());
}

TEST(Component, ConstructionNeitherLoadsNorSetsState) {
    TProbe owner(nullptr);
    auto child = new TProbe(&owner);
    EXPECT_EQ(0, child->LoadedCalls);
    EXPECT_TRUE(child->ComponentState().Empty());
    child->SetTag(-7);
    EXPECT_EQ(-7, child->Tag());
}

TEST(Component, SetComponentIndexReordersAndClamps) {
    TProbe owner(nullptr);
    TProbe* a = Named(new TProbe(&owner), "A");
    Named(new TProbe(&owner), "B");
    a->SetComponentIndex(99);
    EXPECT_EQ(1, a->ComponentIndex());
    EXPECT_EQ("B", owner.Components(0)->Name());
    EXPECT_THROW(owner.Components(2), Exception);
}

TEST(ClassInfo, NamesParentsAndInheritance) {
    TProbe probe(nullptr);
    EXPECT_EQ("TProbe", probe.ClassName());
    EXPECT_EQ(TComponent::ClassInfo(), probe.Class()->Parent());
    EXPECT_TRUE(probe.InheritsFrom(TPersistent::ClassInfo()));
    EXPECT_TRUE(probe.InheritsFrom(TObject::ClassInfo()));
    EXPECT_FALSE(probe.InheritsFrom(TStrings::ClassInfo()));
    TStringList list;
    const TPersistent& asPersistent = list;
    EXPECT_EQ("TStringList", asPersistent.ClassName());
    EXPECT_FALSE(TStrings::ClassInfo()->CanCreate());  // abstract
    EXPECT_TRUE(TStringList::ClassInfo()->CanCreate());
    EXPECT_EQ(nullptr, TObject::ClassInfo()->Parent());
}

TEST(ClassInfo, RegistryFindsByNameAndCreatesWithAnOwner) {
    RegisterClass(TProbe::ClassInfo());
    RegisterClass(TProbe::ClassInfo());  // again: harmless
    EXPECT_EQ(TProbe::ClassInfo(), GetClass("tprobe"));
    EXPECT_EQ(TProbe::ClassInfo(), FindClass("TPROBE"));
    EXPECT_EQ(nullptr, GetClass("TNoSuchClass"));
    EXPECT_EQ("Class TNoSuchClass not found", ErrorOf([] { FindClass("TNoSuchClass"); }));

    TProbe owner(nullptr);
    TComponent* made = TComponent::CreateInstance(GetClass("TProbe"), &owner);
    EXPECT_EQ("TProbe", made->ClassName());
    EXPECT_EQ(&owner, made->Owner());
    EXPECT_THROW(TComponent::CreateInstance(TStringList::ClassInfo(), &owner), EComponentError);
    UnRegisterClass(TProbe::ClassInfo());
    EXPECT_EQ(nullptr, GetClass("TProbe"));
}

namespace other {
// Another class that happens to carry the same name.
class TProbe : public TComponent {
    TOOLKIT_CLASS(TProbe, TComponent)

public:
    using TComponent::TComponent;
};
}  // namespace other

TEST(ClassInfo, ADifferentClassCannotTakeARegisteredName) {
    RegisterClass(TProbe::ClassInfo());
    EXPECT_EQ("A class named TProbe already exists", ErrorOf([] { RegisterClass(other::TProbe::ClassInfo()); }));
    EXPECT_EQ(TProbe::ClassInfo(), GetClass("TProbe"));
    UnRegisterClass(other::TProbe::ClassInfo());  // not the registered one: no effect
    EXPECT_EQ(TProbe::ClassInfo(), GetClass("TProbe"));
    UnRegisterClass(TProbe::ClassInfo());
}

TEST(Persistent, AssignWithoutAKnownWayRaises) {
    TProbe component(nullptr);
    TStringList list;
    EXPECT_EQ("Cannot assign a TStringList to a TProbe", ErrorOf([&] { component.Assign(&list); }));
    EXPECT_EQ("Cannot assign a TProbe to a TStringList", ErrorOf([&] { list.Assign(&component); }));
    EXPECT_EQ("Cannot assign a nil to a TStringList", ErrorOf([&] { list.Assign(nullptr); }));
    EXPECT_THROW(list.Assign(&component), EConvertError);
}

// TReader: reads a parsed description into an existing root component, creating its children by class name.
#pragma once

#include <toolkit/Component.h>
#include <toolkit/DescriptionParser.h>
#include <toolkit/PropertyRegistry.h>
#include <toolkit/Stream.h>

#include <string>
#include <vector>

// Children are owned by the root. Every component read carries csLoading and csReading while the tree is read;
// then component references are resolved, csReading is cleared, and Loaded runs once for each component in creation
// order, the root first. Events bind to methods the root's class publishes.
class TReader {
public:
    explicit TReader(TComponent* root) : FRoot(root) {}
    TReader(const TReader&) = delete;
    TReader& operator=(const TReader&) = delete;
    virtual ~TReader() = default;

    TComponent* Root() const { return FRoot; }

    // Raises EParserError for malformed text and EReadError (Stream.h) when a name or value does not fit the classes;
    // both messages begin "Line <n>: ".
    void Read(const std::string& text);
    void Read(const TDescriptionObject& description);

protected:
    // A child of parent was made (and named) and is about to get its properties: the place for a control to take
    // its parent. The base does what the toolkit does: a component that HasParent gets parent as its parent
    // component.
    virtual void ReadChild(TComponent* parent, TComponent* child);

private:
    struct TFixup {
        TPersistent* Instance;
        const TPropertyInfo* Property;
        std::string Reference;
        std::string Path;
        int Line;
    };

    void ReadObject(const TDescriptionObject& description, TComponent* component);
    TComponent* CreateChild(const TDescriptionObject& description, TComponent* parent);
    void ReadProperty(TPersistent& instance, const std::string& ownerPath, const TDescriptionProperty& property);
    void SetValue(TPersistent& instance, const TPropertyInfo& info, const TDescriptionValue& value,
                  const std::string& path, int line);
    int64_t OrdinalValue(const TPropertyInfo& info, const TDescriptionValue& value, const std::string& path, int line);
    void ResolveFixups();
    void Loading(TComponent* component);
    void FinishLoading();
    void Abandon();

    TComponent* FRoot;
    std::vector<TComponent*> FLoaded;
    std::vector<TFixup> FFixups;
};

// Reads text into root, as the toolkit reads a form's stored description into the form being constructed.
void ReadDescription(TComponent* root, const std::string& text);

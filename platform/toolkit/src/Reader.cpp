// TReader: the description tree applied to components through the property registry, references fixed up at the
// end, then Loaded for everything read.
#include <toolkit/Reader.h>

#include <toolkit/Graphics.h>
#include <toolkit/SysUtils.h>

namespace {

std::vector<std::string> Split(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t dot = path.find('.', start);
        parts.push_back(path.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos) return parts;
        start = dot + 1;
    }
}

std::string Join(const std::string& path, const std::string& name) { return path.empty() ? name : path + "." + name; }

[[noreturn]] void Fail(int line, const std::string& what) {
    throw EReadError("Line " + std::to_string(line) + ": " + what);
}

[[noreturn]] void InvalidValue(int line, const std::string& path, const std::string& why) {
    Fail(line, "Invalid value for property " + path + ": " + why);
}

int IndexOfName(const std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name)) return static_cast<int>(i);
    return -1;
}

}  // namespace

void ReadDescription(TComponent* root, const std::string& text) { TReader(root).Read(text); }

void TReader::Read(const std::string& text) { Read(ParseDescription(text)); }

void TReader::Read(const TDescriptionObject& description) {
    FLoaded.clear();
    FFixups.clear();
    bool ofRootClass = false;
    for (const TClassInfo* info = FRoot->Class(); info; info = info->Parent())
        ofRootClass = ofRootClass || SameText(info->Name(), description.ClassName);
    if (!ofRootClass)
        Fail(description.Line,
             "A description of class " + description.ClassName + " cannot be read into a " + FRoot->ClassName());
    Loading(FRoot);
    try {
        if (FRoot->Name().empty() && !description.Name.empty()) FRoot->SetName(description.Name);
        ReadObject(description, FRoot);
        ResolveFixups();
    } catch (...) {
        Abandon();
        throw;
    }
    FinishLoading();
}

void TReader::ReadChild(TComponent* parent, TComponent* child) {
    if (child->HasParent()) child->SetParentComponent(parent);
}

void TReader::Loading(TComponent* component) {
    for (TComponent* loaded : FLoaded)
        if (loaded == component) return;
    component->FComponentState.Include(csLoading);
    component->FComponentState.Include(csReading);
    FLoaded.push_back(component);
}

void TReader::FinishLoading() {
    std::vector<TComponent*> loaded;
    loaded.swap(FLoaded);
    for (TComponent* component : loaded) component->FComponentState.Exclude(csReading);
    for (TComponent* component : loaded) component->Loaded();
}

void TReader::Abandon() {
    for (TComponent* component : FLoaded) {
        component->FComponentState.Exclude(csReading);
        component->FComponentState.Exclude(csLoading);
    }
    FLoaded.clear();
    FFixups.clear();
}

void TReader::ReadObject(const TDescriptionObject& description, TComponent* component) {
    std::string path = component->Name().empty() ? component->ClassName() : component->Name();
    for (const TDescriptionProperty& property : description.Properties) ReadProperty(*component, path, property);
    for (const TDescriptionObject& child : description.Children) ReadObject(child, CreateChild(child, component));
}

TComponent* TReader::CreateChild(const TDescriptionObject& description, TComponent* parent) {
    int line = description.Line;
    TComponent* child = nullptr;
    // An inherited child was made by the ancestor's description or constructor: this one only changes it.
    if (description.Header != TDescriptionHeader::Object && !description.Name.empty())
        child = FRoot->FindComponent(description.Name);
    if (!child) {
        const TClassInfo* classInfo = GetClass(description.ClassName);
        if (!classInfo) Fail(line, "Class " + description.ClassName + " not found");
        if (!classInfo->InheritsFrom(TComponent::ClassInfo()) || !classInfo->CanCreate())
            Fail(line, "Class " + description.ClassName + " is not a component class that can be created");
        try {
            child = TComponent::CreateInstance(classInfo, FRoot);
        } catch (const Exception& e) {
            Fail(line, "Cannot create " + description.ClassName + ": " + e.Message());
        }
        try {
            child->SetName(description.Name);
        } catch (const Exception& e) {
            delete child;
            Fail(line, e.Message());
        }
    }
    Loading(child);
    if (!description.Name.empty())
        if (const TFieldInfo* field = TPropertyRegistry::FindField(FRoot->Class(), description.Name))
            if (!field->Set(*FRoot, child))
                Fail(line,
                     "Field " + field->Name + " of " + FRoot->ClassName() + " cannot hold a " + child->ClassName());
    ReadChild(parent, child);
    return child;
}

void TReader::ReadProperty(TPersistent& instance, const std::string& ownerPath, const TDescriptionProperty& property) {
    std::vector<std::string> parts = Split(property.Path);
    TPersistent* target = &instance;
    std::string path = ownerPath;
    for (size_t i = 0; i < parts.size(); ++i) {
        path = Join(path, parts[i]);
        const TPropertyInfo* info = TPropertyRegistry::FindProperty(target->Class(), parts[i]);
        if (!info) Fail(property.Line, "Property " + path + " does not exist");
        try {
            if (i + 1 == parts.size()) {
                SetValue(*target, *info, property.Value, path, property.Line);
                return;
            }
            if (info->Kind != TPropertyKind::Object)
                Fail(property.Line, "Property " + Join(path, parts[i + 1]) + " does not exist");
            target = info->GetNested(*target);
            if (!target) Fail(property.Line, "Property " + path + " holds no object");
        } catch (const EReadError&) {
            throw;
        } catch (const Exception& e) {
            // A setter refused the value: the message stays the setter's, with the place added.
            Fail(property.Line, "Error reading " + path + ": " + e.Message());
        }
    }
}

int64_t TReader::OrdinalValue(const TPropertyInfo& info, const TDescriptionValue& value, const std::string& path,
                              int line) {
    auto integer = [&]() -> int64_t {
        if (value.Kind != TDescriptionValueKind::Integer) InvalidValue(line, path, "an integer is expected");
        int64_t v = value.Integer;
        // "$FFFFFFFF" spells the bit pattern of a signed 32-bit value, as colours are often written.
        if (value.Hexadecimal && info.MinValue < 0 && info.MaxValue < INT64_MAX && v > info.MaxValue &&
            v <= 2 * info.MaxValue + 1)
            v -= 2 * (info.MaxValue + 1);
        if (v < info.MinValue || v > info.MaxValue)
            InvalidValue(line, path, std::to_string(value.Integer) + " is out of range");
        return v;
    };
    switch (info.Kind) {
    case TPropertyKind::Integer: return integer();
    case TPropertyKind::Color: {
        if (value.Kind != TDescriptionValueKind::Identifier) return integer();
        TColor color = 0;
        if (!IdentToColor(value.Text, color)) InvalidValue(line, path, value.Text + " is not a colour name");
        return color;
    }
    case TPropertyKind::Boolean:
        if (value.Kind == TDescriptionValueKind::Identifier && SameText(value.Text, "True")) return 1;
        if (value.Kind == TDescriptionValueKind::Identifier && SameText(value.Text, "False")) return 0;
        InvalidValue(line, path, "True or False is expected");
    case TPropertyKind::Enumeration: {
        if (value.Kind != TDescriptionValueKind::Identifier) InvalidValue(line, path, "a value name is expected");
        int index = IndexOfName(info.ValueNames, value.Text);
        if (index < 0) InvalidValue(line, path, value.Text + " is not one of its values");
        return index;
    }
    case TPropertyKind::Set: {
        if (value.Kind != TDescriptionValueKind::Set) InvalidValue(line, path, "a set in brackets is expected");
        int64_t bits = 0;
        for (const std::string& element : value.Elements) {
            int index = IndexOfName(info.ValueNames, element);
            if (index < 0) InvalidValue(line, path, element + " is not one of its elements");
            bits |= int64_t(1) << index;
        }
        return bits;
    }
    default: InvalidValue(line, path, "not an ordinal property");
    }
}

void TReader::SetValue(TPersistent& instance, const TPropertyInfo& info, const TDescriptionValue& value,
                       const std::string& path, int line) {
    using Kind = TDescriptionValueKind;
    switch (info.Kind) {
    case TPropertyKind::Integer:
    case TPropertyKind::Color:
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
    case TPropertyKind::Set: info.SetOrdinal(instance, OrdinalValue(info, value, path, line)); return;
    case TPropertyKind::Float:
        if (value.Kind == Kind::Float)
            info.SetFloat(instance, value.Float);
        else if (value.Kind == Kind::Integer)
            info.SetFloat(instance, static_cast<double>(value.Integer));
        else
            InvalidValue(line, path, "a number is expected");
        return;
    case TPropertyKind::String:
        if (value.Kind != Kind::String) InvalidValue(line, path, "a string is expected");
        info.SetString(instance, value.Text);
        return;
    case TPropertyKind::Object:
        InvalidValue(line, path, "an object takes its values through its own properties (" + path + ".Name = ...)");
    case TPropertyKind::Strings: {
        if (value.Kind != Kind::List) InvalidValue(line, path, "a list of strings in parentheses is expected");
        std::vector<std::string> items;
        for (const TDescriptionValue& item : value.Items) {
            if (item.Kind != Kind::String) InvalidValue(item.Line, path, "a list item is not a string");
            items.push_back(item.Text);
        }
        info.SetStrings(instance, items);
        return;
    }
    case TPropertyKind::Collection: {
        if (value.Kind != Kind::Collection) InvalidValue(line, path, "a collection in angle brackets is expected");
        // The collection hears of the change once, when every item has its values.
        info.UpdateItems(instance, true);
        try {
            info.ClearItems(instance);
            for (size_t i = 0; i < value.Entries.size(); ++i) {
                TPersistent* item = info.AddItem(instance);
                std::string itemPath = path + "[" + std::to_string(i) + "]";
                for (const TDescriptionProperty& property : value.Entries[i].Properties)
                    ReadProperty(*item, itemPath, property);
            }
        } catch (...) {
            info.UpdateItems(instance, false);
            throw;
        }
        info.UpdateItems(instance, false);
        return;
    }
    case TPropertyKind::Binary:
        if (value.Kind != Kind::Binary) InvalidValue(line, path, "binary data in braces is expected");
        info.ReadBinary(instance, value.Text);
        return;
    case TPropertyKind::Component:
        if (value.Kind != Kind::Identifier) InvalidValue(line, path, "a component name is expected");
        if (SameText(value.Text, "nil")) {
            info.SetComponent(instance, nullptr);
            return;
        }
        FFixups.push_back(TFixup{&instance, &info, value.Text, path, line});
        return;
    case TPropertyKind::Event: {
        if (value.Kind != Kind::Identifier) InvalidValue(line, path, "a method name is expected");
        const TMethodInfo* method = TPropertyRegistry::FindMethod(FRoot->Class(), value.Text);
        if (!method) Fail(line, "Method " + value.Text + " for " + path + " not found in " + FRoot->ClassName());
        if (!info.SetEvent(instance, method->Bind(*FRoot)))
            Fail(line, "Method " + value.Text + " does not match the event " + path);
        return;
    }
    }
}

void TReader::ResolveFixups() {
    for (const TFixup& fixup : FFixups) {
        // "Edit1" is the root's, "Form1.Edit1" names the root first, "Frame1.Button1" goes through an owned frame.
        std::vector<std::string> parts = Split(fixup.Reference);
        TComponent* found = FRoot;
        size_t first = 0;
        if (parts.size() > 1 && SameText(parts[0], FRoot->Name())) first = 1;
        for (size_t i = first; found && i < parts.size(); ++i) {
            TComponent* next = found->FindComponent(parts[i]);
            if (!next && i == 0 && parts.size() == 1 && SameText(parts[0], FRoot->Name())) next = FRoot;
            found = next;
        }
        if (!found) Fail(fixup.Line, "Component " + fixup.Reference + " for " + fixup.Path + " not found");
        bool accepted = false;
        try {
            accepted = fixup.Property->SetComponent(*fixup.Instance, found);
        } catch (const Exception& e) {
            Fail(fixup.Line, "Error reading " + fixup.Path + ": " + e.Message());
        }
        if (!accepted)
            InvalidValue(
                fixup.Line, fixup.Path,
                fixup.Reference + " is a " + found->ClassName() + ", not a " + fixup.Property->ReferenceClass->Name());
    }
    FFixups.clear();
}

// TPersistent: objects that copy their state from one another through Assign / AssignTo.
#pragma once

#include <toolkit/Object.h>

class TFiler;

class TPersistent : public TObject {
    TOOLKIT_CLASS(TPersistent, TObject)

public:
    // Copies source's state into this object. The base asks the source to do it (source->AssignTo(this)); a class
    // that knows how to read some sources overrides Assign and calls inherited::Assign for the rest. A null source
    // raises EConvertError "Cannot assign a nil to a <class>".
    virtual void Assign(const TPersistent* source);
    // The persistent owner, which names this object's path for the reader and the designer.
    virtual TPersistent* GetOwner() const { return nullptr; }
    // "Owner.Property" style path; the base answers its class name.
    virtual std::string GetNamePath() const { return ClassName(); }
    // Lets a class store values that are not published properties (binary data, lists); nothing by default.
    virtual void DefineProperties(TFiler* filer) { (void)filer; }

protected:
    // Copies this object into dest when this class knows how; the base cannot and raises AssignError.
    virtual void AssignTo(TPersistent* dest) const;
    // Raises EConvertError "Cannot assign a <source class> to a <this class>".
    [[noreturn]] void AssignError(const TPersistent* source) const;
};

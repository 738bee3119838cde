// TObject and the class-information chain behind ClassName, InheritsFrom and the by-name class registry that the
// form reader creates components through.
#pragma once

#include <toolkit/Messages.h>
#include <toolkit/SysUtils.h>

#include <functional>
#include <string>
#include <type_traits>

class TObject;

// One record per class: its name, its parent's record and, for classes the registry can create, a factory.
// The factory's argument is what the class's constructor takes (TConstructorArg): the owner for components, the
// collection for collection items, nothing for plain persistent classes.
class TClassInfo {
public:
    using TFactory = TObject* (*)(TObject* argument);

    TClassInfo(const char* name, const TClassInfo* parent, TFactory factory)
        : FName(name), FParent(parent), FFactory(factory) {}
    TClassInfo(const TClassInfo&) = delete;
    TClassInfo& operator=(const TClassInfo&) = delete;

    const char* Name() const { return FName; }
    const TClassInfo* Parent() const { return FParent; }
    bool InheritsFrom(const TClassInfo* ancestor) const;
    // Abstract classes and classes without the constructor form have no factory.
    bool CanCreate() const { return FFactory != nullptr; }
    // A new instance, or nullptr when the class cannot be created this way.
    TObject* CreateInstance(TObject* argument) const { return FFactory ? FFactory(argument) : nullptr; }

private:
    const char* FName;
    const TClassInfo* FParent;
    TFactory FFactory;
};

namespace toolkit_detail {

template <class T>
TObject* CreateWithArgument(TObject* argument) {
    return new T(static_cast<typename T::TConstructorArg>(argument));
}

template <class T>
TObject* CreateDefault(TObject*) {
    return new T();
}

template <class T>
constexpr TClassInfo::TFactory FactoryFor() {
    using TArg = typename T::TConstructorArg;
    if constexpr (std::is_abstract_v<T>)
        return nullptr;
    else if constexpr (std::is_void_v<TArg>) {
        if constexpr (std::is_default_constructible_v<T>)
            return &CreateDefault<T>;
        else
            return nullptr;
    } else if constexpr (std::is_constructible_v<T, TArg>)
        return &CreateWithArgument<T>;
    else
        return nullptr;
}

}  // namespace toolkit_detail

// Declares a class's name and parent in its class body: TOOLKIT_CLASS(TButton, TWinControl). It also gives the
// body `inherited` for calls to the parent's methods.
#define TOOLKIT_CLASS(ThisClass, ParentClass)                                                                        \
public:                                                                                                              \
    using inherited = ParentClass;                                                                                   \
    static const TClassInfo* ClassInfo() {                                                                           \
        static const TClassInfo info(#ThisClass, ParentClass::ClassInfo(), toolkit_detail::FactoryFor<ThisClass>()); \
        return &info;                                                                                                \
    }                                                                                                                \
    const TClassInfo* Class() const override { return ClassInfo(); }                                                 \
                                                                                                                     \
private:

// Event handlers receive the object that raised them.
using TNotifyEvent = std::function<void(TObject* sender)>;

class TObject {
public:
    // Classes below TObject name what their constructor takes; TObject itself takes nothing.
    using TConstructorArg = void;

    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    static const TClassInfo* ClassInfo();
    virtual const TClassInfo* Class() const { return ClassInfo(); }

    std::string ClassName() const { return Class()->Name(); }
    bool InheritsFrom(const TClassInfo* ancestor) const { return Class()->InheritsFrom(ancestor); }

    // Message methods: Dispatch hands a message record to the class's handler for it; a message no class
    // handles goes to DefaultHandler, which does nothing here.
    virtual void Dispatch(TMessage& message) { DefaultHandler(message); }
    virtual void DefaultHandler(TMessage& message) { (void)message; }
};

// Raised by FindClass for a name nobody registered: "Class %s not found".
class EClassNotFound : public Exception {
public:
    using Exception::Exception;
};

// Stream and filer errors (their family continues in Stream.h). RegisterClass raises EFilerError when two
// different classes are registered under one name: "A class named %s already exists".
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EFilerError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// The by-name registry. Names compare without regard to ASCII case, as identifiers do in form descriptions.
// Registering a class again is harmless; a different class under a taken name raises EFilerError.
void RegisterClass(const TClassInfo* classInfo);
void UnRegisterClass(const TClassInfo* classInfo);
// nullptr when no class of that name is registered.
const TClassInfo* GetClass(const std::string& className);
// Like GetClass, raising EClassNotFound instead of answering nullptr.
const TClassInfo* FindClass(const std::string& className);

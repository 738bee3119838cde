// The published properties, handler methods and component fields of toolkit classes, declared once per class in
// its .cpp with a fluent builder (Publish<TButton>().String(...).Event(...)) and looked up through the class chain.
#pragma once

#include <toolkit/Component.h>

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

enum class TPropertyKind {
    Integer,
    Boolean,
    Enumeration,
    Set,
    Color,
    Float,
    String,
    Object,      // a nested persistent object (Font, Constraints), reached with dotted paths
    Strings,     // a string list, replaced item by item
    Collection,  // items made through the collection's Add
    Binary,      // bytes handed to the class, as DefineProperties would
    Component,   // a reference to another component, resolved after the whole tree is read
    Event        // bound by name to a method the root publishes
};

// One published property. Only the accessors of its kind are set; all take the instance of the publishing class.
struct TPropertyInfo {
    std::string Name;
    TPropertyKind Kind = TPropertyKind::Integer;
    std::vector<std::string> ValueNames;  // Enumeration: by ordinal; Set: by bit
    int64_t MinValue = 0;                 // the C++ type's range, for Integer and Color
    int64_t MaxValue = 0;
    int64_t DefaultOrdinal = 0;  // Integer, Boolean, Enumeration, Set (bits), Color
    double DefaultFloat = 0;
    std::string DefaultString;
    const TClassInfo* ReferenceClass = nullptr;  // Component: the class it accepts

    std::function<int64_t(TPersistent&)> GetOrdinal;
    std::function<void(TPersistent&, int64_t)> SetOrdinal;
    std::function<double(TPersistent&)> GetFloat;
    std::function<void(TPersistent&, double)> SetFloat;
    std::function<std::string(TPersistent&)> GetString;
    std::function<void(TPersistent&, const std::string&)> SetString;
    // Object, and the item list of Collection.
    std::function<TPersistent*(TPersistent&)> GetNested;
    std::function<std::vector<std::string>(TPersistent&)> GetStrings;
    std::function<void(TPersistent&, const std::vector<std::string>&)> SetStrings;
    std::function<void(TPersistent&, bool begin)> UpdateItems;  // BeginUpdate (true) / EndUpdate (false)
    std::function<void(TPersistent&)> ClearItems;
    std::function<TPersistent*(TPersistent&)> AddItem;
    std::function<std::vector<TPersistent*>(TPersistent&)> GetItems;
    std::function<void(TPersistent&, const std::string& bytes)> ReadBinary;
    std::function<std::string(TPersistent&)> WriteBinary;  // may be empty: nothing to write
    std::function<TComponent*(TPersistent&)> GetComponent;
    // False when the component is not of ReferenceClass.
    std::function<bool(TPersistent&, TComponent*)> SetComponent;
    // False when the handler's signature is not the event's.
    std::function<bool(TPersistent&, const std::any& handler)> SetEvent;
};

// A method of a root class that events may name. Bind makes the handler for one root instance: a std::function of
// the method's own signature, inside a std::any.
struct TMethodInfo {
    std::string Name;
    std::function<std::any(TObject& root)> Bind;
};

// A pointer member of a root class that the reader points at the child of the same name.
struct TFieldInfo {
    std::string Name;
    const TClassInfo* FieldClass = nullptr;
    std::function<bool(TObject& root, TComponent* child)> Set;  // false when child is not of FieldClass
    std::function<bool(const TObject& root)> IsSet;
};

struct TPublishedClass {
    const TClassInfo* Class = nullptr;
    std::vector<TPropertyInfo> Properties;
    std::vector<TMethodInfo> Methods;
    std::vector<TFieldInfo> Fields;

    // Replaces an earlier entry of the same name (ASCII case ignored), so registering twice is harmless.
    void Add(TPropertyInfo info);
    void Add(TMethodInfo info);
    void Add(TFieldInfo info);
};

// Lookups walk from the class to TObject, so a class sees its ancestors' entries and may redefine one.
// Names compare without regard to ASCII case, as description identifiers do.
class TPropertyRegistry {
public:
    // The entry of classInfo, made on first use.
    static TPublishedClass& Entry(const TClassInfo* classInfo);
    static const TPropertyInfo* FindProperty(const TClassInfo* classInfo, const std::string& name);
    static const TMethodInfo* FindMethod(const TClassInfo* classInfo, const std::string& name);
    static const TFieldInfo* FindField(const TClassInfo* classInfo, const std::string& name);
    // Every field the class sees, its own first.
    static std::vector<const TFieldInfo*> Fields(const TClassInfo* classInfo);
    // Every property the class sees, ancestors' first; a redefined one keeps its ancestor's place.
    static std::vector<const TPropertyInfo*> Properties(const TClassInfo* classInfo);
};

namespace toolkit_detail {

// A set value as bits: plain integers as they are, set classes (TSet, TFontStyles) through Bits and Include.
template <class E, class V>
uint32_t SetToBits(const V& value) {
    if constexpr (std::is_integral_v<V>)
        return static_cast<uint32_t>(value);
    else
        return static_cast<uint32_t>(value.Bits());
}

template <class E, class V>
V BitsToSet(uint32_t bits) {
    if constexpr (std::is_integral_v<V>) {
        return static_cast<V>(bits);
    } else {
        V value{};
        for (unsigned i = 0; i < 32; ++i)
            if (bits & (uint32_t(1) << i)) value.Include(static_cast<E>(i));
        return value;
    }
}

template <class T>
T* DownCast(TObject& object) {
    return dynamic_cast<T*>(&object);
}

template <class F>
struct MethodTraits;
template <class C, class R, class... Args>
struct MethodTraits<R (C::*)(Args...)> {
    using Class = C;
    using Handler = std::function<R(Args...)>;
};

}  // namespace toolkit_detail

// The builder for class C. Getters and setters are anything std::invoke takes with a C& (member functions, data
// members, lambdas); the property's C++ type is what the getter returns.
template <class C>
class TPublisher {
    template <class G>
    using TValueOf = std::decay_t<std::invoke_result_t<G, C&>>;

public:
    TPublisher() : FEntry(&TPropertyRegistry::Entry(C::ClassInfo())) {
        // Creatable classes become known by name, so descriptions can create them.
        if (C::ClassInfo()->CanCreate()) RegisterClass(C::ClassInfo());
    }

    template <class G, class S>
    TPublisher& Integer(const char* name, G get, S set, TValueOf<G> defaultValue = TValueOf<G>()) {
        using V = TValueOf<G>;
        static_assert(std::is_integral_v<V>, "Integer properties have an integral type");
        TPropertyInfo info = Ordinal(name, TPropertyKind::Integer, get, set, defaultValue);
        info.MinValue = static_cast<int64_t>(std::numeric_limits<V>::min());
        info.MaxValue = static_cast<int64_t>(std::min<uint64_t>(std::numeric_limits<V>::max(), INT64_MAX));
        FEntry->Add(std::move(info));
        return *this;
    }

    template <class G, class S>
    TPublisher& Boolean(const char* name, G get, S set, bool defaultValue = false) {
        FEntry->Add(Ordinal(name, TPropertyKind::Boolean, get, set, defaultValue));
        return *this;
    }

    // names: the value names by ordinal ({"alNone", "alTop", ...}).
    template <class G, class S>
    TPublisher& Enumeration(const char* name, std::initializer_list<const char*> names, G get, S set,
                            TValueOf<G> defaultValue = TValueOf<G>()) {
        TPropertyInfo info = Ordinal(name, TPropertyKind::Enumeration, get, set, defaultValue);
        info.ValueNames.assign(names.begin(), names.end());
        FEntry->Add(std::move(info));
        return *this;
    }

    // E is the element enumeration; names are by ordinal ({"fsBold", "fsItalic", ...}).
    template <class E, class G, class S>
    TPublisher& Set(const char* name, std::initializer_list<const char*> names, G get, S set,
                    TValueOf<G> defaultValue = TValueOf<G>()) {
        using V = TValueOf<G>;
        TPropertyInfo info;
        info.Name = name;
        info.Kind = TPropertyKind::Set;
        info.ValueNames.assign(names.begin(), names.end());
        info.DefaultOrdinal = toolkit_detail::SetToBits<E>(defaultValue);
        info.GetOrdinal = [get](TPersistent& o) -> int64_t {
            return toolkit_detail::SetToBits<E>(std::invoke(get, Self(o)));
        };
        info.SetOrdinal = [set](TPersistent& o, int64_t bits) {
            std::invoke(set, Self(o), toolkit_detail::BitsToSet<E, V>(static_cast<uint32_t>(bits)));
        };
        FEntry->Add(std::move(info));
        return *this;
    }

    // A TColor: written as a name of the colour table or a number.
    template <class G, class S>
    TPublisher& Color(const char* name, G get, S set, TValueOf<G> defaultValue = TValueOf<G>()) {
        TPropertyInfo info = Ordinal(name, TPropertyKind::Color, get, set, defaultValue);
        info.MinValue = INT32_MIN;
        info.MaxValue = INT32_MAX;
        FEntry->Add(std::move(info));
        return *this;
    }

    template <class G, class S>
    TPublisher& Float(const char* name, G get, S set, double defaultValue = 0) {
        using V = TValueOf<G>;
        TPropertyInfo info = Named(name, TPropertyKind::Float);
        info.DefaultFloat = defaultValue;
        info.GetFloat = [get](TPersistent& o) { return static_cast<double>(std::invoke(get, Self(o))); };
        info.SetFloat = [set](TPersistent& o, double v) { std::invoke(set, Self(o), static_cast<V>(v)); };
        FEntry->Add(std::move(info));
        return *this;
    }

    template <class G, class S>
    TPublisher& String(const char* name, G get, S set, const std::string& defaultValue = std::string()) {
        TPropertyInfo info = Named(name, TPropertyKind::String);
        info.DefaultString = defaultValue;
        info.GetString = [get](TPersistent& o) { return std::string(std::invoke(get, Self(o))); };
        info.SetString = [set](TPersistent& o, const std::string& v) { std::invoke(set, Self(o), v); };
        FEntry->Add(std::move(info));
        return *this;
    }

    // get answers the nested object (a TPersistent the instance owns); its own class's properties apply to it.
    template <class G>
    TPublisher& Object(const char* name, G get) {
        TPropertyInfo info = Named(name, TPropertyKind::Object);
        info.GetNested = [get](TPersistent& o) -> TPersistent* { return std::invoke(get, Self(o)); };
        FEntry->Add(std::move(info));
        return *this;
    }

    // get answers the list (a TStrings, or anything with BeginUpdate, EndUpdate, Clear, Add, Count and Strings(i)).
    template <class G>
    TPublisher& Strings(const char* name, G get) {
        TPropertyInfo info = Named(name, TPropertyKind::Strings);
        info.SetStrings = [get](TPersistent& o, const std::vector<std::string>& items) {
            auto* list = std::invoke(get, Self(o));
            // One change notification for the whole list, as TStrings.Assign gives.
            list->BeginUpdate();
            try {
                list->Clear();
                for (const std::string& item : items) list->Add(item);
            } catch (...) {
                list->EndUpdate();
                throw;
            }
            list->EndUpdate();
        };
        info.GetStrings = [get](TPersistent& o) {
            auto* list = std::invoke(get, Self(o));
            std::vector<std::string> items;
            for (int i = 0; i < list->Count(); ++i) items.push_back(list->Strings(i));
            return items;
        };
        FEntry->Add(std::move(info));
        return *this;
    }

    // get answers the collection (a TCollection, or anything with BeginUpdate, EndUpdate, Clear, Add answering the
    // new item, Count and Items(i)).
    template <class G>
    TPublisher& Collection(const char* name, G get) {
        TPropertyInfo info = Named(name, TPropertyKind::Collection);
        info.UpdateItems = [get](TPersistent& o, bool begin) {
            auto* collection = std::invoke(get, Self(o));
            if (begin)
                collection->BeginUpdate();
            else
                collection->EndUpdate();
        };
        info.ClearItems = [get](TPersistent& o) { std::invoke(get, Self(o))->Clear(); };
        info.AddItem = [get](TPersistent& o) -> TPersistent* { return std::invoke(get, Self(o))->Add(); };
        info.GetItems = [get](TPersistent& o) {
            auto* collection = std::invoke(get, Self(o));
            std::vector<TPersistent*> items;
            for (int i = 0; i < collection->Count(); ++i) items.push_back(collection->Items(i));
            return items;
        };
        FEntry->Add(std::move(info));
        return *this;
    }

    // read takes (C&, const std::string& bytes); write, if given, answers the bytes to store (empty: none).
    template <class Read>
    TPublisher& Binary(const char* name, Read read) {
        FEntry->Add(BinaryInfo(name, read));
        return *this;
    }
    template <class Read, class Write>
    TPublisher& Binary(const char* name, Read read, Write write) {
        TPropertyInfo info = BinaryInfo(name, read);
        info.WriteBinary = [write](TPersistent& o) { return std::string(std::invoke(write, Self(o))); };
        FEntry->Add(std::move(info));
        return *this;
    }

    // get answers R*, set takes R* (R a component class); the reader checks the class of what a name finds.
    template <class G, class S>
    TPublisher& Component(const char* name, G get, S set) {
        using R = std::remove_pointer_t<TValueOf<G>>;
        static_assert(std::is_base_of_v<TComponent, R>, "Component properties refer to components");
        TPropertyInfo info = Named(name, TPropertyKind::Component);
        info.ReferenceClass = R::ClassInfo();
        info.GetComponent = [get](TPersistent& o) -> TComponent* { return std::invoke(get, Self(o)); };
        info.SetComponent = [set](TPersistent& o, TComponent* value) {
            R* typed = dynamic_cast<R*>(value);
            if (value && !typed) return false;
            std::invoke(set, Self(o), typed);
            return true;
        };
        FEntry->Add(std::move(info));
        return *this;
    }

    // member: the event, a std::function data member (OnClick).
    template <class F>
    TPublisher& Event(const char* name, F C::*member) {
        TPropertyInfo info = Named(name, TPropertyKind::Event);
        info.SetEvent = [member](TPersistent& o, const std::any& handler) {
            const F* typed = std::any_cast<F>(&handler);
            if (!typed) return false;
            Self(o).*member = *typed;
            return true;
        };
        FEntry->Add(std::move(info));
        return *this;
    }

    // A handler events may name: a member function of C whose signature is an event's.
    template <class M>
    TPublisher& Method(const char* name, M method) {
        using Handler = typename toolkit_detail::MethodTraits<M>::Handler;
        FEntry->Add(TMethodInfo{name, [method](TObject& root) -> std::any {
                                    auto* self = toolkit_detail::DownCast<C>(root);
                                    return Handler([self, method](auto&&... args) {
                                        return (self->*method)(std::forward<decltype(args)>(args)...);
                                    });
                                }});
        return *this;
    }

    // A pointer member the reader points at the child of that name; its class becomes creatable by name.
    template <class T>
    TPublisher& Field(const char* name, T* C::*member) {
        static_assert(std::is_base_of_v<TComponent, T>, "Fields hold components");
        if (T::ClassInfo()->CanCreate()) RegisterClass(T::ClassInfo());
        FEntry->Add(TFieldInfo{name, T::ClassInfo(),
                               [member](TObject& root, TComponent* child) {
                                   T* typed = dynamic_cast<T*>(child);
                                   if (child && !typed) return false;
                                   toolkit_detail::DownCast<C>(root)->*member = typed;
                                   return true;
                               },
                               [member](const TObject& root) {
                                   return toolkit_detail::DownCast<C>(const_cast<TObject&>(root))->*member != nullptr;
                               }});
        return *this;
    }

private:
    static C& Self(TPersistent& object) { return static_cast<C&>(object); }

    static TPropertyInfo Named(const char* name, TPropertyKind kind) {
        TPropertyInfo info;
        info.Name = name;
        info.Kind = kind;
        return info;
    }

    template <class Read>
    static TPropertyInfo BinaryInfo(const char* name, Read read) {
        TPropertyInfo info = Named(name, TPropertyKind::Binary);
        info.ReadBinary = [read](TPersistent& o, const std::string& bytes) { std::invoke(read, Self(o), bytes); };
        return info;
    }

    template <class G, class S, class V>
    static TPropertyInfo Ordinal(const char* name, TPropertyKind kind, G get, S set, V defaultValue) {
        using T = TValueOf<G>;
        TPropertyInfo info = Named(name, kind);
        info.DefaultOrdinal = static_cast<int64_t>(defaultValue);
        info.GetOrdinal = [get](TPersistent& o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
        info.SetOrdinal = [set](TPersistent& o, int64_t v) { std::invoke(set, Self(o), static_cast<T>(v)); };
        return info;
    }

    TPublishedClass* FEntry;
};

// Starts the declarations of class C: `const auto published = Publish<TButton>().String(...)...;` in its .cpp.
template <class C>
TPublisher<C> Publish() {
    return TPublisher<C>();
}

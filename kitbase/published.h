#pragma once
// Published properties: a table of what each control class offers to generic code by name (the
// progress setters, property storage), with the kind, getter and setter of every property.
//
// Generic code holds an object as a TObjectRef: its address and its class. Controls of the form
// layer are held as TControl*, and their class is the most derived class of the table that the
// control is an instance of, so a control of a class derived in a window is served as its ancestor.
// Other published classes of the kit are held by their own address.
//
//     TClassInfo& info = RegisterControlClass<TKxLabel>("TKxLabel", ClassInfoOf<TLabel>());
//     info.Props.push_back(OrdinalProperty<TKxLabel>("ShadowSize", &TKxLabel::ShadowSize,
//                                                    &TKxLabel::SetShadowSize));
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "kitbase/variant.h"
#include "platform/forms/control.h"
#include "platform/forms/strings.h"

enum TTypeKind {
    tkUnknown,
    tkInteger,
    tkChar,
    tkEnumeration,
    tkFloat,
    tkString,
    tkSet,
    tkClass,
    tkMethod,
    tkWChar,
    tkLString,
    tkWString,
    tkVariant,
    tkArray,
    tkRecord,
    tkInterface,
    tkInt64,
    tkDynArray
};
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };
// What a property of kind tkClass holds.
enum class TClassKind { None, Strings, Collection, Component, Object };

class TClassInfo;

struct TObjectRef {
    void* Object = nullptr;
    const TClassInfo* Class = nullptr;
    explicit operator bool() const { return Object && Class; }
};

// A list of published objects that generic code can refill (the stored values of a form storage).
class TCollection {
public:
    virtual ~TCollection() = default;
    virtual int Count() const = 0;
    virtual TObjectRef Item(int index) = 0;
    virtual TObjectRef Add() = 0;
    virtual void Clear() = 0;
    virtual void BeginUpdate() {}
    virtual void EndUpdate() {}
};

struct TPropInfo {
    std::string Name;
    TTypeKind Kind = tkUnknown;
    // Ordinal kinds (integer, char, wide char, enumeration, set, 64-bit integer); a char is its code.
    std::function<int64_t(void*)> GetOrd;
    std::function<void(void*, int64_t)> SetOrd;
    std::vector<std::string> Names; // enumeration values, or set members by bit number
    TFloatType FloatType = ftDouble;
    std::function<double(void*)> GetFloat;
    std::function<void(void*, double)> SetFloat;
    std::function<std::string(void*)> GetStr;
    std::function<void(void*, const std::string&)> SetStr;
    std::function<TVariant(void*)> GetVariant;
    std::function<void(void*, const TVariant&)> SetVariant;
    TClassKind ClassKind = TClassKind::None;
    std::function<TStrings*(void*)> GetStrings;
    std::function<TCollection*(void*)> GetCollection;
    std::function<TControl*(void*)> GetComponent;
    std::function<void(void*, TControl*)> SetComponent;
    std::function<TObjectRef(void*)> GetObject;
};

class TClassInfo {
public:
    std::string Name;
    const TClassInfo* Parent = nullptr;
    // Control classes only: whether a control is an instance of this class (or of one derived from it).
    std::function<bool(const TControl&)> IsInstance;
    std::vector<TPropInfo> Props; // this class's own, in published order

    bool InheritsFrom(const TClassInfo& ancestor) const;
    // The ancestors' properties first, then the class's own.
    std::vector<const TPropInfo*> Properties() const;
    // Case-insensitive; nullptr when the class has no such property.
    const TPropInfo* FindProperty(const std::string& name) const;
};

// ---- The table of control classes ----------------------------------------------------------------
// The class of a control (nullptr for a control of no class in the table).
const TClassInfo* ClassInfoOf(const TControl& control);
TObjectRef ObjectOf(TControl& control);
// The control behind an object of a control class, else nullptr.
TControl* ControlOf(const TObjectRef& object);

namespace published_detail {
TClassInfo& AddControlClass(const std::string& name, const TClassInfo* parent,
                            std::function<bool(const TControl&)> isInstance, const void* key);
const TClassInfo* FindControlClass(const void* key);
template <class T> const void* KeyOf() {
    static const char key = 0;
    return &key;
}
} // namespace published_detail

// Adds a control class to the table (or returns the entry it has) and returns it for its properties.
template <class T> TClassInfo& RegisterControlClass(const std::string& name, const TClassInfo* parent) {
    static_assert(std::is_base_of_v<TControl, T>);
    return published_detail::AddControlClass(
        name, parent,
        [](const TControl& c) {
            if constexpr (std::is_same_v<T, TControl>)
                return true;
            else
                return dynamic_cast<const T*>(&c) != nullptr;
        },
        published_detail::KeyOf<T>());
}
// The table's entry of a control class (the form layer's controls are always there).
template <class T> const TClassInfo* ClassInfoOf() {
    return published_detail::FindControlClass(published_detail::KeyOf<T>());
}

// ---- Property builders -----------------------------------------------------------------------------
// The object behind an address: controls are held as TControl*, other classes as themselves.
template <class T> T& Self(void* object) {
    if constexpr (std::is_base_of_v<TControl, T>)
        return dynamic_cast<T&>(*static_cast<TControl*>(object));
    else
        return *static_cast<T*>(object);
}

// Integers, booleans (an enumeration of "False" and "True") and enumerations, from getter and setter.
template <class T, class Get, class Set>
TPropInfo OrdinalProperty(const std::string& name, TTypeKind kind, Get get, Set set,
                          std::vector<std::string> names = {}) {
    TPropInfo info;
    info.Name = name;
    info.Kind = kind;
    info.Names = std::move(names);
    info.GetOrd = [get](void* o) { return static_cast<int64_t>(std::invoke(get, Self<T>(o))); };
    info.SetOrd = [set](void* o, int64_t value) {
        using Value = std::remove_cvref_t<decltype(std::invoke(std::declval<Get>(), Self<T>(o)))>;
        std::invoke(set, Self<T>(o), static_cast<Value>(value));
    };
    return info;
}
template <class T, class Get, class Set>
TPropInfo IntegerProperty(const std::string& name, Get get, Set set) {
    return OrdinalProperty<T>(name, tkInteger, get, set);
}
template <class T, class Get, class Set> TPropInfo BoolProperty(const std::string& name, Get get, Set set) {
    return OrdinalProperty<T>(name, tkEnumeration, get, set, {"False", "True"});
}
template <class T, class Get, class Set> TPropInfo StringProperty(const std::string& name, Get get, Set set) {
    TPropInfo info;
    info.Name = name;
    info.Kind = tkLString;
    info.GetStr = [get](void* o) { return std::string(std::invoke(get, Self<T>(o))); };
    info.SetStr = [set](void* o, const std::string& value) { std::invoke(set, Self<T>(o), value); };
    return info;
}
template <class T, class Get, class Set>
TPropInfo FloatProperty(const std::string& name, Get get, Set set, TFloatType type = ftDouble) {
    TPropInfo info;
    info.Name = name;
    info.Kind = tkFloat;
    info.FloatType = type;
    info.GetFloat = [get](void* o) { return static_cast<double>(std::invoke(get, Self<T>(o))); };
    info.SetFloat = [set](void* o, double value) { std::invoke(set, Self<T>(o), value); };
    return info;
}
template <class T, class Get> TPropInfo StringsProperty(const std::string& name, Get get) {
    TPropInfo info;
    info.Name = name;
    info.Kind = tkClass;
    info.ClassKind = TClassKind::Strings;
    info.GetStrings = [get](void* o) -> TStrings* { return &std::invoke(get, Self<T>(o)); };
    return info;
}

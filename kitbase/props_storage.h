#pragma once
// Property storage: chosen published properties of controls turned into named text values and back,
// through three callbacks (read a string, write a string, erase a section), so that any key-value
// store can hold them.
//
// A stored list names one property of one control per line, "Edit1.Text"; the line's object is that
// control. A property is stored under the control's name, "_" and the property name ("Edit1_Text");
// string lists get a section of their own ("<section>.Edit1_Items" with "Count" and "Item0"...).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kitbase/published.h"

class TForm;

// ---- Stored lists ----------------------------------------------------------------------------------
struct TStoredLine {
    std::string Text;
    TControl* Object = nullptr;
};
using TStoredList = std::vector<TStoredLine>;

// "Edit1.Text"; empty when either part is empty.
std::string CreateStoredItem(const std::string& compName, const std::string& propName);
// Splits at the first "." and trims both halves; true when both are non-empty.
bool ParseStoredItem(const std::string& item, std::string& compName, std::string& propName);
// Walks the list from the last line to the first and deletes invalid lines. fromForm: each line's
// object becomes the owner's control of that name (the line goes when there is none); otherwise each
// line is rewritten with its object's current name (the line goes when it has no object).
void UpdateStoredList(TForm& owner, TStoredList& list, bool fromForm);

// The control of that name laid out in the window (case-insensitive), or nullptr.
TControl* FindComponent(TForm& owner, const std::string& name);
// The window of that name among the program's windows (case-insensitive), or nullptr.
TForm* FindFormByName(const std::string& name);

// ---- Property lists ----------------------------------------------------------------------------------
// The published properties of one object, every kind except unknown and methods.
class TPropInfoList {
public:
    explicit TPropInfoList(const TObjectRef& object);
    int Count() const { return static_cast<int>(items_.size()); }
    const TPropInfo* operator[](int index) const { return items_.at(static_cast<size_t>(index)); }
    // Same kind and a name equal without regard to case.
    bool Contains(const TPropInfo* prop) const;
    const TPropInfo* Find(const std::string& name) const; // case-insensitive, nullptr when missing
    void Delete(int index);
    // Keeps only the properties that the other list contains.
    void Intersect(const TPropInfoList& other);

private:
    std::vector<const TPropInfo*> items_;
};

// ---- The storage ---------------------------------------------------------------------------------------
using TReadStrEvent = std::function<std::string(const std::string& section, const std::string& item,
                                                const std::string& fallback)>;
using TWriteStrEvent =
    std::function<void(const std::string& section, const std::string& item, const std::string& value)>;
using TEraseSectEvent = std::function<void(const std::string& section)>;

class TPropsStorage {
public:
    TPropsStorage() = default;
    virtual ~TPropsStorage() = default;

    TObjectRef TargetObject;
    TForm* RootOwner = nullptr; // set during a whole-list operation
    std::string KeyPrefix;
    std::string SectionName;
    TReadStrEvent ReadCallback;
    TWriteStrEvent WriteCallback;
    TEraseSectEvent EraseCallback;

    // Through the callbacks; without one a read gives "" and the others do nothing.
    virtual std::string ReadString(const std::string& section, const std::string& item,
                                   const std::string& fallback);
    virtual void WriteString(const std::string& section, const std::string& item, const std::string& value);
    virtual void EraseSection(const std::string& section);
    virtual std::string GetItemName(const std::string& propName) const { return KeyPrefix + propName; }
    virtual std::unique_ptr<TPropsStorage> CreateStorage() const { return std::make_unique<TPropsStorage>(); }

    // One property of TargetObject. A failed load leaves the property as it was.
    void StoreAnyProperty(const TPropInfo* prop);
    void LoadAnyProperty(const TPropInfo* prop);
    // Properties of TargetObject by name; names it lacks are skipped.
    void StoreProperties(const std::vector<std::string>& propNames);
    void LoadProperties(const std::vector<std::string>& propNames);
    // Every line of a stored list, with owner as the root owner.
    void StoreObjectsProps(TForm& owner, const TStoredList& list);
    void LoadObjectsProps(TForm& owner, const TStoredList& list);

private:
    std::string PropertyText(const TPropInfo& prop);
    void ApplyText(const TPropInfo& prop, const std::string& text);
    void StoreClass(const TPropInfo& prop);
    void LoadClass(const TPropInfo& prop);
    void StoreStrings(TStrings& strings, const std::string& key);
    void LoadStrings(TStrings& strings, const std::string& key);
    void StoreCollection(TCollection& collection, const std::string& key);
    void LoadCollection(TCollection& collection, const std::string& key);
    bool HoldsItem(const std::string& section, const std::string& prefix, const TPropInfoList& props);
    std::string ComponentText(TControl* component) const;
    void LoadComponent(const TPropInfo& prop, const std::string& text);
    std::unique_ptr<TPropsStorage> Nested(const TObjectRef& object, const std::string& prefix,
                                          const std::string& section) const;
    void StoreAll();
    void LoadAll();
    template <class Action> void EachStoredLine(TForm& owner, const TStoredList& list, Action action);
};

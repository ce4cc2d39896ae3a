#include "kitbase/props_storage.h"

#include <QApplication>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <cstdio>

#include "platform/forms/form.h"
#include "platform/text/text.h"

namespace {

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool SameText(const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

int SignificantDigits(TFloatType type) {
    switch (type) {
    case ftSingle:
        return 7;
    case ftDouble:
        return 15;
    case ftCurr:
        return 19;
    default:
        return 18;
    }
}

// The library's general format with "." as the point: "1.5", "1E20", "1.5E-7".
std::string GeneralFloat(double value, int digits) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value);
    std::string text = buffer;
    const size_t e = text.find('E');
    if (e == std::string::npos) return text;
    std::string mantissa = text.substr(0, e);
    const char sign = text[e + 1];
    std::string exponent = text.substr(e + 2);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return mantissa + "E" + (sign == '-' ? "-" : "") + exponent;
}

std::string CharText(int64_t code) {
    const char32_t c = static_cast<char32_t>(code);
    return QString::fromUcs4(&c, 1).toStdString();
}

std::vector<std::string> SetWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + " ") {
        if (c == ' ' || c == ',' || c == '[' || c == ']' || c == '\t') {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

std::string SetText(int64_t bits, const std::vector<std::string>& names) {
    std::string text;
    for (size_t i = 0; i < names.size() && i < 32; ++i)
        if (bits & (int64_t{1} << i)) text += (text.empty() ? "" : ",") + names[i];
    return "[" + text + "]";
}

int64_t SetValue(const std::string& text, const std::vector<std::string>& names) {
    int64_t bits = 0;
    for (const std::string& word : SetWords(text))
        for (size_t i = 0; i < names.size() && i < 32; ++i)
            if (SameText(word, names[i])) bits |= int64_t{1} << i;
    return bits;
}

int64_t Int64OrZero(const std::string& text) {
    try {
        return StrToInt64(text);
    } catch (const EConvertError&) {
        return 0;
    }
}

bool AlwaysWritten(TTypeKind kind) {
    return kind == tkString || kind == tkWChar || kind == tkLString;
}

bool AlwaysRead(TTypeKind kind) {
    return AlwaysWritten(kind) || kind == tkClass;
}

void CollectControls(QWidget& widget, std::vector<TControl*>& controls) {
    for (QObject* child : widget.children()) {
        auto* childWidget = qobject_cast<QWidget*>(child);
        if (!childWidget) continue;
        if (auto* control = static_cast<TControl*>(childWidget->property("kaltorControl").value<void*>()))
            controls.push_back(control);
        CollectControls(*childWidget, controls);
    }
}

} // namespace

// ---- Stored lists --------------------------------------------------------------------------------------

std::string CreateStoredItem(const std::string& compName, const std::string& propName) {
    if (compName.empty() || propName.empty()) return "";
    return compName + "." + propName;
}

bool ParseStoredItem(const std::string& item, std::string& compName, std::string& propName) {
    const size_t point = item.find('.');
    if (point == std::string::npos) return false;
    compName = Trim(item.substr(0, point));
    propName = Trim(item.substr(point + 1));
    return !compName.empty() && !propName.empty();
}

void UpdateStoredList(TForm& owner, TStoredList& list, bool fromForm) {
    for (size_t i = list.size(); i-- > 0;) {
        std::string compName, propName;
        TStoredLine& line = list[i];
        bool keep = ParseStoredItem(line.Text, compName, propName);
        if (keep && fromForm) {
            line.Object = FindComponent(owner, compName);
            keep = line.Object != nullptr;
        } else if (keep) {
            keep = line.Object != nullptr;
            if (keep) line.Text = CreateStoredItem(line.Object->Name(), propName);
            keep = keep && !line.Text.empty();
        }
        if (!keep) list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

TControl* FindComponent(TForm& owner, const std::string& name) {
    if (name.empty() || !owner.Widget()) return nullptr;
    std::vector<TControl*> controls;
    CollectControls(*owner.Widget(), controls);
    for (TControl* control : controls)
        if (SameText(control->Name(), name)) return control;
    return nullptr;
}

TForm* FindFormByName(const std::string& name) {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (TForm* form = TForm::FormOf(widget); form && SameText(form->Name(), name)) return form;
    return nullptr;
}

// ---- Property lists --------------------------------------------------------------------------------------

TPropInfoList::TPropInfoList(const TObjectRef& object) {
    if (!object) return;
    for (const TPropInfo* prop : object.Class->Properties())
        if (prop->Kind != tkUnknown && prop->Kind != tkMethod) items_.push_back(prop);
}

bool TPropInfoList::Contains(const TPropInfo* prop) const {
    return std::any_of(items_.begin(), items_.end(), [&](const TPropInfo* item) {
        return item->Kind == prop->Kind && item->ClassKind == prop->ClassKind &&
               SameText(item->Name, prop->Name);
    });
}

const TPropInfo* TPropInfoList::Find(const std::string& name) const {
    for (const TPropInfo* item : items_)
        if (SameText(item->Name, name)) return item;
    return nullptr;
}

void TPropInfoList::Delete(int index) {
    items_.erase(items_.begin() + index);
}

void TPropInfoList::Intersect(const TPropInfoList& other) {
    std::erase_if(items_, [&](const TPropInfo* item) { return !other.Contains(item); });
}

// ---- The storage ------------------------------------------------------------------------------------------

std::string TPropsStorage::ReadString(const std::string& section, const std::string& item,
                                      const std::string& fallback) {
    return ReadCallback ? ReadCallback(section, item, fallback) : "";
}

void TPropsStorage::WriteString(const std::string& section, const std::string& item,
                                const std::string& value) {
    if (WriteCallback) WriteCallback(section, item, value);
}

void TPropsStorage::EraseSection(const std::string& section) {
    if (EraseCallback) EraseCallback(section);
}

std::string TPropsStorage::PropertyText(const TPropInfo& prop) {
    void* object = TargetObject.Object;
    switch (prop.Kind) {
    case tkInteger:
    case tkInt64:
        return IntToStr(prop.GetOrd(object));
    case tkChar:
    case tkWChar:
        return CharText(prop.GetOrd(object));
    case tkEnumeration: {
        const int64_t value = prop.GetOrd(object);
        return value >= 0 && value < static_cast<int64_t>(prop.Names.size()) ? prop.Names[value] : "";
    }
    case tkFloat:
        return GeneralFloat(prop.GetFloat(object), SignificantDigits(prop.FloatType));
    case tkString:
    case tkLString:
        return prop.GetStr(object);
    case tkSet:
        return SetText(prop.GetOrd(object), prop.Names);
    case tkVariant:
        return VarToStr(prop.GetVariant(object));
    default:
        return "";
    }
}

void TPropsStorage::ApplyText(const TPropInfo& prop, const std::string& text) {
    void* object = TargetObject.Object;
    switch (prop.Kind) {
    case tkInteger:
        prop.SetOrd(object, StrToIntDef(text, 0));
        break;
    case tkInt64:
        prop.SetOrd(object, Int64OrZero(text));
        break;
    case tkChar:
    case tkWChar:
        if (!text.empty()) prop.SetOrd(object, QString::fromStdString(text).toUcs4().value(0));
        break;
    case tkEnumeration:
        for (size_t i = 0; i < prop.Names.size(); ++i)
            if (SameText(prop.Names[i], text)) return prop.SetOrd(object, static_cast<int64_t>(i));
        break;
    case tkFloat: {
        std::string local = text;
        std::replace(local.begin(), local.end(), '.', DecimalSeparator);
        prop.SetFloat(object, StrToFloat(local));
        break;
    }
    case tkString:
    case tkLString:
        prop.SetStr(object, text);
        break;
    case tkSet:
        prop.SetOrd(object, SetValue(text, prop.Names));
        break;
    case tkVariant:
        prop.SetVariant(object, TVariant{text});
        break;
    case tkClass:
        LoadComponent(prop, text);
        break;
    default:
        break;
    }
}

void TPropsStorage::StoreAnyProperty(const TPropInfo* prop) {
    if (!prop || !TargetObject) return;
    if (prop->Kind == tkClass) return StoreClass(*prop);
    const std::string text = Trim(PropertyText(*prop));
    if (!text.empty() || AlwaysWritten(prop->Kind)) WriteString(SectionName, GetItemName(prop->Name), text);
}

void TPropsStorage::LoadAnyProperty(const TPropInfo* prop) {
    if (!prop || !TargetObject) return;
    try {
        if (prop->Kind == tkClass) return LoadClass(*prop);
        const std::string fallback = PropertyText(*prop);
        std::string text;
        if (!fallback.empty() || AlwaysRead(prop->Kind))
            text = Trim(ReadString(SectionName, GetItemName(prop->Name), fallback));
        ApplyText(*prop, text);
    } catch (...) {
        // A value that does not convert leaves the property as it was.
    }
}

void TPropsStorage::StoreClass(const TPropInfo& prop) {
    void* object = TargetObject.Object;
    const std::string key = GetItemName(prop.Name);
    switch (prop.ClassKind) {
    case TClassKind::Strings:
        return StoreStrings(*prop.GetStrings(object), key);
    case TClassKind::Collection:
        return StoreCollection(*prop.GetCollection(object), key);
    case TClassKind::Component:
        return WriteString(SectionName, key, ComponentText(prop.GetComponent(object)));
    case TClassKind::Object:
        if (const TObjectRef nested = prop.GetObject(object))
            Nested(nested, KeyPrefix + prop.Name, SectionName)->StoreAll();
        return;
    default:
        return;
    }
}

void TPropsStorage::LoadClass(const TPropInfo& prop) {
    void* object = TargetObject.Object;
    const std::string key = GetItemName(prop.Name);
    switch (prop.ClassKind) {
    case TClassKind::Strings:
        return LoadStrings(*prop.GetStrings(object), key);
    case TClassKind::Collection:
        return LoadCollection(*prop.GetCollection(object), key);
    case TClassKind::Component:
        return LoadComponent(prop, Trim(ReadString(SectionName, key, "")));
    case TClassKind::Object:
        if (const TObjectRef nested = prop.GetObject(object))
            Nested(nested, KeyPrefix + prop.Name, SectionName)->LoadAll();
        return;
    default:
        return;
    }
}

void TPropsStorage::StoreStrings(TStrings& strings, const std::string& key) {
    const std::string section = SectionName + "." + key;
    EraseSection(section);
    if (strings.Count() == 0) return;
    WriteString(section, "Count", IntToStr(strings.Count()));
    for (int i = 0; i < strings.Count(); ++i)
        WriteString(section, "Item" + IntToStr(i), strings[i]);
}

namespace {

// The fallback of a read that tells a missing key from a stored text.
const std::string kAbsent = "\x01(absent)\x01";

} // namespace

// A "Count" edited by hand is believed only as far as the section holds the items: the lines end at
// the first "Item%d" key that is missing.
void TPropsStorage::LoadStrings(TStrings& strings, const std::string& key) {
    const std::string section = SectionName + "." + key;
    const int count = StrToIntDef(Trim(ReadString(section, "Count", "0")), 0);
    if (count <= 0) return;
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        std::string line = ReadString(section, "Item" + IntToStr(i), kAbsent);
        if (line == kAbsent) break;
        lines.push_back(std::move(line));
    }
    strings.Assign(lines);
}

// Whether the section holds any plain property of a collection item stored under the prefix. Items
// whose properties are all objects cannot be told apart from missing ones, and count as present.
bool TPropsStorage::HoldsItem(const std::string& section, const std::string& prefix,
                              const TPropInfoList& props) {
    bool anyPlain = false;
    for (int i = 0; i < props.Count(); ++i) {
        if (props[i]->Kind == tkClass) continue;
        anyPlain = true;
        if (ReadString(section, prefix + props[i]->Name, kAbsent) != kAbsent) return true;
    }
    return !anyPlain;
}

void TPropsStorage::StoreCollection(TCollection& collection, const std::string& key) {
    const std::string section = SectionName + "." + key;
    EraseSection(section);
    WriteString(SectionName, key + ".Count", IntToStr(collection.Count()));
    for (int i = 0; i < collection.Count(); ++i)
        Nested(collection.Item(i), "Item" + IntToStr(i) + "_", section)->StoreAll();
}

void TPropsStorage::LoadCollection(TCollection& collection, const std::string& key) {
    const std::string section = SectionName + "." + key;
    int count = StrToIntDef(Trim(ReadString(SectionName, key + ".Count", IntToStr(collection.Count()))), 0);
    collection.BeginUpdate();
    try {
        collection.Clear();
        if (count > 0) { // a count edited by hand is believed as far as the section holds the items
            const TPropInfoList props(collection.Add());
            int held = 0;
            while (held < count && HoldsItem(section, "Item" + IntToStr(held) + "_", props))
                ++held;
            count = held;
            collection.Clear();
        }
        for (int i = 0; i < count; ++i)
            Nested(collection.Add(), "Item" + IntToStr(i) + "_", section)->LoadAll();
    } catch (...) {
        collection.EndUpdate();
        throw;
    }
    collection.EndUpdate();
}

std::string TPropsStorage::ComponentText(TControl* component) const {
    if (!component) return "(null)";
    TForm* owner = component->ParentForm();
    if (!owner || owner == RootOwner) return component->Name();
    std::string ownerName = owner->Name();
    if (ownerName.empty()) {
        ownerName = owner->ClassName();
        if (ownerName.starts_with('T')) ownerName.erase(0, 1);
    }
    return ownerName + "." + component->Name();
}

void TPropsStorage::LoadComponent(const TPropInfo& prop, const std::string& text) {
    if (text.empty() || !prop.SetComponent) return;
    if (SameText(text, "(null)")) return prop.SetComponent(TargetObject.Object, nullptr);
    const size_t point = text.find('.');
    TForm* owner = point == std::string::npos ? RootOwner : FindFormByName(text.substr(0, point));
    if (!owner) return;
    const std::string name = point == std::string::npos ? text : text.substr(point + 1);
    prop.SetComponent(TargetObject.Object, FindComponent(*owner, name));
}

std::unique_ptr<TPropsStorage> TPropsStorage::Nested(const TObjectRef& object, const std::string& prefix,
                                                     const std::string& section) const {
    auto nested = CreateStorage();
    nested->RootOwner = RootOwner;
    nested->ReadCallback = ReadCallback;
    nested->WriteCallback = WriteCallback;
    nested->EraseCallback = EraseCallback;
    nested->TargetObject = object;
    nested->KeyPrefix = prefix;
    nested->SectionName = section;
    return nested;
}

void TPropsStorage::StoreAll() {
    const TPropInfoList props(TargetObject);
    for (int i = 0; i < props.Count(); ++i)
        StoreAnyProperty(props[i]);
}

void TPropsStorage::LoadAll() {
    const TPropInfoList props(TargetObject);
    for (int i = 0; i < props.Count(); ++i)
        LoadAnyProperty(props[i]);
}

void TPropsStorage::StoreProperties(const std::vector<std::string>& propNames) {
    const TPropInfoList props(TargetObject);
    for (const std::string& name : propNames)
        if (const TPropInfo* prop = props.Find(name)) StoreAnyProperty(prop);
}

void TPropsStorage::LoadProperties(const std::vector<std::string>& propNames) {
    const TPropInfoList props(TargetObject);
    for (const std::string& name : propNames)
        if (const TPropInfo* prop = props.Find(name)) LoadAnyProperty(prop);
}

template <class Action>
void TPropsStorage::EachStoredLine(TForm& owner, const TStoredList& list, Action action) {
    RootOwner = &owner;
    for (const TStoredLine& line : list) {
        std::string compName, propName;
        if (!line.Object || !ParseStoredItem(line.Text, compName, propName)) continue;
        TargetObject = ObjectOf(*line.Object);
        KeyPrefix = line.Object->Name();
        if (!TargetObject) continue;
        KeyPrefix += "_";
        if (const TPropInfo* prop = TargetObject.Class->FindProperty(propName)) action(prop);
    }
    RootOwner = nullptr;
}

void TPropsStorage::StoreObjectsProps(TForm& owner, const TStoredList& list) {
    EachStoredLine(owner, list, [this](const TPropInfo* prop) { StoreAnyProperty(prop); });
}

void TPropsStorage::LoadObjectsProps(TForm& owner, const TStoredList& list) {
    EachStoredLine(owner, list, [this](const TPropInfo* prop) { LoadAnyProperty(prop); });
}

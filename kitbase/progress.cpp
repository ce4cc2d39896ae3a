#include "kitbase/progress.h"

#include <mutex>
#include <vector>

#include "platform/forms/indicators.h"

namespace {

constexpr size_t kMaxNameLength = 63;

struct ProgressEntry {
    const TClassInfo* controlClass;
    std::string maxName, minName, positionName;
};

enum class Which { Max, Min, Position };

std::mutex& RegistryLock() {
    static std::mutex lock;
    return lock;
}

std::vector<ProgressEntry>& Registry() {
    static std::vector<ProgressEntry> entries{
        {ClassInfoOf<TProgressBar>(), "Max", "Min", "Position"},
    };
    return entries;
}

std::string Cut(const std::string& name) {
    return name.substr(0, kMaxNameLength);
}

const ProgressEntry* FindEntry(const TClassInfo& controlClass) {
    const auto& entries = Registry();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (controlClass.InheritsFrom(*it->controlClass)) return &*it;
    return nullptr;
}

bool WriteInteger(const TPropInfo& prop, void* object, int value) {
    switch (prop.Kind) {
    case tkInteger:
    case tkInt64:
        prop.SetOrd(object, value);
        return true;
    case tkFloat:
        prop.SetFloat(object, value);
        return true;
    case tkVariant:
        prop.SetVariant(object, TVariant{int64_t{value}});
        return true;
    default:
        return false;
    }
}

bool SetProgressProperty(TControl* control, Which which, int value) {
    if (!control) return false;
    const TClassInfo* controlClass = ClassInfoOf(*control);
    if (!controlClass) return false;
    std::string name;
    {
        std::lock_guard guard(RegistryLock());
        const ProgressEntry* entry = FindEntry(*controlClass);
        if (!entry) return false;
        name = which == Which::Max   ? entry->maxName
               : which == Which::Min ? entry->minName
                                     : entry->positionName;
    }
    const TPropInfo* prop = controlClass->FindProperty(name);
    return prop && WriteInteger(*prop, control, value);
}

} // namespace

void RegisterProgressControl(const TClassInfo& controlClass, const std::string& maxPropName,
                             const std::string& minPropName, const std::string& progressPropName) {
    std::lock_guard guard(RegistryLock());
    Registry().push_back({&controlClass, Cut(maxPropName), Cut(minPropName), Cut(progressPropName)});
}

void UnRegisterProgressControl(const TClassInfo& controlClass) {
    std::lock_guard guard(RegistryLock());
    std::erase_if(Registry(),
                  [&](const ProgressEntry& entry) { return entry.controlClass->InheritsFrom(controlClass); });
}

bool SupportsProgressControl(const TControl* control) {
    if (!control) return false;
    const TClassInfo* controlClass = ClassInfoOf(*control);
    std::lock_guard guard(RegistryLock());
    return controlClass && FindEntry(*controlClass);
}

bool SetProgressMax(TControl* control, int value) {
    return SetProgressProperty(control, Which::Max, value);
}

bool SetProgressMin(TControl* control, int value) {
    return SetProgressProperty(control, Which::Min, value);
}

bool SetProgressValue(TControl* control, int value) {
    return SetProgressProperty(control, Which::Position, value);
}

#pragma once
// Form placement and storage: a form's position and state (TFormPlacement), and with TFormStorage also
// chosen properties of its controls and named free values, kept between runs in an initialisation file
// or under a registry key (ini_files.h).
//
// A placement is a member of its form, constructed with it. Once the form is loaded (Loaded(), called by
// the form at the end of its constructor, or on its first show) the placement restores each time the
// form is shown and saves when the form closes (after the form's own OnClose, when closing is allowed)
// and, if not saved since, when the form is destroyed. Other components keep their own data in the same
// place through a TIniLink.
#include <memory>
#include <string>
#include <vector>

#include "kit/ini_files.h"
#include "kitbase/props_storage.h"
#include "kitbase/variant.h"
#include "kitbase/window_hook.h"
#include "platform/forms/events.h"
#include "platform/forms/form.h"

class TFormPlacement;

enum TPlacementOption : unsigned { fpState = 1, fpPosition = 2, fpActiveControl = 4 };
using TPlacementOptions = unsigned;

// Limits of the form's size: the minimum and maximum tracking sizes (the size a person can drag the
// window to) and the maximised size and position, which this desktop does not let a program choose.
// All zero (the default) sets no limits.
class TWinMinMaxInfo {
public:
    enum Index {
        MaxPosLeft,
        MaxPosTop,
        MaxSizeHeight,
        MaxSizeWidth,
        MaxTrackHeight,
        MaxTrackWidth,
        MinTrackHeight,
        MinTrackWidth
    };
    explicit TWinMinMaxInfo(TFormPlacement& owner) : owner_(owner) {}
    int Get(Index index) const { return values_[index]; }
    void Set(Index index, int value);
    void Assign(const TWinMinMaxInfo& other);
    bool DefaultMinMaxInfo() const;

private:
    TFormPlacement& owner_;
    int values_[8] = {};
};

class TIniLink {
public:
    TIniLink() = default;
    TIniLink(const TIniLink&) = delete;
    TIniLink& operator=(const TIniLink&) = delete;
    virtual ~TIniLink();

    TFormPlacement* Storage() const { return storage_; }
    // Moves the link from one placement's list to another's.
    void SetStorage(TFormPlacement* storage);
    // The placement's open store (nullptr outside an operation or without a placement).
    TCustomIniFile* IniObject() const;
    // The placement's section and "\"; empty without placement or section.
    std::string RootSection() const;

    virtual void SaveToIni() { Fire(OnSave); }
    virtual void LoadFromIni() { Fire(OnLoad); }
    TNotifyEvent OnSave;
    TNotifyEvent OnLoad;

private:
    friend class TFormPlacement;
    TFormPlacement* storage_ = nullptr;
};

class TFormPlacement {
public:
    explicit TFormPlacement(TForm& owner);
    TFormPlacement(const TFormPlacement&) = delete;
    TFormPlacement& operator=(const TFormPlacement&) = delete;
    virtual ~TFormPlacement();

    // Binds the placement to its form's close and show; the form's own OnClose runs first.
    virtual void Loaded();

    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    // Empty: at run time the default file name (or registry key) and the form's class name.
    std::string IniFileName() const;
    void SetIniFileName(const std::string& name) { iniFileName_ = name; }
    std::string IniSection() const;
    void SetIniSection(const std::string& section) { iniSection_ = section; }
    bool UseRegistry() const { return useRegistry_; }
    void SetUseRegistry(bool use) { useRegistry_ = use; }
    TPlacementRegRoot RegistryRoot() const { return registryRoot_; }
    void SetRegistryRoot(TPlacementRegRoot root) { registryRoot_ = root; }
    TPlacementOptions Options() const { return options_; }
    void SetOptions(TPlacementOptions options) { options_ = options; }
    int Version() const { return version_; }
    void SetVersion(int version) { version_ = version; }
    bool PreventResize() const { return preventResize_; }
    void SetPreventResize(bool prevent);
    TWinMinMaxInfo& MinMaxInfo() { return minMaxInfo_; }

    void SaveFormPlacement();
    void RestoreFormPlacement();
    std::string ReadString(const std::string& ident, const std::string& fallback);
    void WriteString(const std::string& ident, const std::string& value);
    int ReadInteger(const std::string& ident, int fallback);
    void WriteInteger(const std::string& ident, int value);
    // Erases the section, and the sections named after it with "." or "\" and anything after.
    void EraseSections();
    // The open store, nullptr outside an operation.
    TCustomIniFile* GetIniFile() const { return ini_.get(); }
    TForm& Owner() const { return owner_; }
    bool Restored() const { return restored_; }

    TNotifyEvent OnSavePlacement;
    TNotifyEvent OnRestorePlacement;

protected:
    virtual void SavePlacement();
    virtual void RestorePlacement();
    virtual std::string DoReadString(const std::string& section, const std::string& ident,
                                     const std::string& fallback);
    virtual void DoWriteString(const std::string& section, const std::string& ident,
                               const std::string& value);
    void MarkRestored() { restored_ = true; }
    // The save of a form destroyed without being saved since its last restore. A class that adds to
    // what SavePlacement writes calls it from its own destructor, while its parts are still there.
    void SaveOnDestroy();
    // Opens the store for an operation (nested operations share it) and closes it after.
    class Operation {
    public:
        Operation(TFormPlacement& placement, bool readOnly);
        ~Operation();

    private:
        TFormPlacement& placement_;
        bool opened_;
    };

private:
    friend class TIniLink;
    friend class TWinMinMaxInfo;
    void FormShown();
    void FormClosing(TCloseAction action);
    void ApplySizeLimits();

    TForm& owner_;
    bool active_ = true;
    std::string iniFileName_;
    std::string iniSection_;
    std::unique_ptr<TCustomIniFile> ini_;
    bool useRegistry_ = false;
    TPlacementRegRoot registryRoot_ = prCurrentUser;
    std::vector<TIniLink*> links_;
    TPlacementOptions options_ = fpState | fpPosition;
    int version_ = 0;
    bool saved_ = false;
    bool restored_ = false;
    bool destroying_ = false;
    bool loaded_ = false;
    bool preventResize_ = false;
    bool limited_ = false; // the window's size limits are ours, not its own
    TWinMinMaxInfo minMaxInfo_{*this};
    TKxWindowHook hook_;
    std::function<void(TCloseAction&)> oldOnClose_;
};

// The first placement made for the form that still exists, or nullptr.
TFormPlacement* FirstPlacementOf(const TForm& form);

// A named value kept with the form; a KeyString scrambles its stored text with that key.
class TStoredValue {
public:
    std::string Name() const { return name_; }
    TVariant Value;
    std::string KeyString;
    std::function<void(TStoredValue& item, TVariant& value)> OnSave;
    std::function<void(TStoredValue& item, TVariant& value)> OnRestore;

    void Save(TFormPlacement& storage);
    void Restore(TFormPlacement& storage);

private:
    friend class TStoredValues;
    std::string name_;
};

class TStoredValues {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TStoredValue& Items(int index) { return *items_.at(static_cast<size_t>(index)); }
    TStoredValue& Add(const std::string& name = "");
    // A name that another item has already (without regard to case) raises
    // "String list does not allow duplicates".
    void SetName(TStoredValue& item, const std::string& name);
    int IndexOf(const std::string& name) const;
    TStoredValue* GetValue(const std::string& name);
    // Copies into an existing item only.
    void SetValue(const std::string& name, const TStoredValue& value);
    // The value, or Null when no item has that name; writing creates the item when missing.
    TVariant GetStoredValue(const std::string& name) const;
    void SetStoredValue(const std::string& name, const TVariant& value);
    void SaveValues(TFormPlacement& storage);
    void RestoreValues(TFormPlacement& storage);

private:
    std::vector<std::unique_ptr<TStoredValue>> items_;
};

class TFormStorage : public TFormPlacement {
public:
    explicit TFormStorage(TForm& owner) : TFormPlacement(owner) {}
    ~TFormStorage() override { SaveOnDestroy(); }
    void Loaded() override;

    // "Edit1.Text" lines; Loaded() binds each line to its control.
    TStoredList StoredProps;
    TStoredValues StoredValues;

    void SaveProperties();
    void RestoreProperties();
    TVariant GetStoredValue(const std::string& name) const { return StoredValues.GetStoredValue(name); }
    void SetStoredValue(const std::string& name, const TVariant& value) {
        StoredValues.SetStoredValue(name, value);
    }

protected:
    void SavePlacement() override;
    void RestorePlacement() override;

private:
    TPropsStorage PropsStorage();
};

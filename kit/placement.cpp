#include "kit/placement.h"

#include <QEvent>
#include <QLayout>
#include <QString>
#include <QWidget>
#include <algorithm>

#include "controls/string_utils.h"
#include "kit/app_utils.h"

// ---- TWinMinMaxInfo ------------------------------------------------------------------------------------

void TWinMinMaxInfo::Set(Index index, int value) {
    if (values_[index] == value) return;
    values_[index] = value;
    owner_.ApplySizeLimits();
}

void TWinMinMaxInfo::Assign(const TWinMinMaxInfo& other) {
    std::copy(std::begin(other.values_), std::end(other.values_), std::begin(values_));
    owner_.ApplySizeLimits();
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
    return std::all_of(std::begin(values_), std::end(values_), [](int v) { return v == 0; });
}

// ---- TIniLink --------------------------------------------------------------------------------------------

TIniLink::~TIniLink() {
    SetStorage(nullptr);
}

void TIniLink::SetStorage(TFormPlacement* storage) {
    if (storage_ == storage) return;
    if (storage_) std::erase(storage_->links_, this);
    storage_ = storage;
    if (storage_) storage_->links_.push_back(this);
}

TCustomIniFile* TIniLink::IniObject() const {
    return storage_ ? storage_->GetIniFile() : nullptr;
}

std::string TIniLink::RootSection() const {
    if (!storage_) return "";
    const std::string section = storage_->IniSection();
    return section.empty() ? "" : section + "\\";
}

// ---- TFormPlacement -----------------------------------------------------------------------------------

TFormPlacement::Operation::Operation(TFormPlacement& placement, bool readOnly)
    : placement_(placement), opened_(!placement.ini_) {
    if (!opened_) return;
    if (placement.useRegistry_)
        placement.ini_ =
            std::make_unique<TRegIniFile>(placement.IniFileName(), placement.registryRoot_, readOnly);
    else
        placement.ini_ = std::make_unique<TIniFile>(placement.IniFileName());
}

TFormPlacement::Operation::~Operation() {
    if (opened_) placement_.ini_.reset();
}

namespace {

// Every placement in the order they were made, for finding a window's first one.
std::vector<TFormPlacement*>& Placements() {
    static std::vector<TFormPlacement*> placements;
    return placements;
}

} // namespace

TFormPlacement* FirstPlacementOf(const TForm& form) {
    for (TFormPlacement* placement : Placements())
        if (&placement->Owner() == &form) return placement;
    return nullptr;
}

TFormPlacement::TFormPlacement(TForm& owner) : owner_(owner) {
    Placements().push_back(this);
    hook_.BeforeMessage = [this](TKxWindowHook&, QEvent& msg, bool&) {
        if (msg.type() == QEvent::Show && !msg.spontaneous()) FormShown();
    };
    hook_.SetWinControl(owner);
}

TFormPlacement::~TFormPlacement() {
    SaveOnDestroy();
    std::erase(Placements(), this);
    for (TIniLink* link : links_)
        link->storage_ = nullptr;
    if (loaded_) owner_.OnClose = oldOnClose_;
}

void TFormPlacement::SaveOnDestroy() {
    if (!active_ || saved_) return;
    destroying_ = true;
    RunHandler([this] { SaveFormPlacement(); });
    destroying_ = false;
    saved_ = true; // a failed save is not tried again by the base class
}

void TFormPlacement::Loaded() {
    if (loaded_) return;
    loaded_ = true;
    oldOnClose_ = owner_.OnClose;
    owner_.OnClose = [this](TCloseAction& action) {
        if (oldOnClose_) oldOnClose_(action);
        FormClosing(action);
    };
    ApplySizeLimits();
}

void TFormPlacement::FormShown() {
    Loaded();
    if (active_) RunHandler([this] { RestoreFormPlacement(); });
    ApplySizeLimits();
}

void TFormPlacement::FormClosing(TCloseAction action) {
    if (action != caNone && active_) RunHandler([this] { SaveFormPlacement(); });
}

std::string TFormPlacement::IniFileName() const {
    if (!iniFileName_.empty()) return iniFileName_;
    return useRegistry_ ? GetDefaultIniRegKey() : GetDefaultIniName();
}

std::string TFormPlacement::IniSection() const {
    return iniSection_.empty() ? GetDefaultSection(&owner_) : iniSection_;
}

void TFormPlacement::SetPreventResize(bool prevent) {
    if (preventResize_ == prevent) return;
    preventResize_ = prevent;
    const TBorderIcons icons = owner_.BorderIcons();
    if (prevent)
        owner_.SetBorderIcons(icons & ~biMaximize);
    else if (owner_.BorderStyle() != bsDialog)
        owner_.SetBorderIcons(icons | biMaximize);
    ApplySizeLimits();
}

// A fixed size while resizing is prevented; else the tracking limits of the min/max info, within the
// window's own limits (a window of fixed size stays so). The window's own limits come back when
// neither applies any more.
void TFormPlacement::ApplySizeLimits() {
    QWidget* widget = owner_.Widget();
    if (!widget) return;
    QLayout* layout = widget->layout();
    if (preventResize_) {
        if (widget->isVisible()) {
            widget->setFixedSize(widget->size());
            limited_ = true;
        }
        return;
    }
    if (limited_) { // the layout's limits again: an explicit (0, 0) minimum lets the layout set its own
        widget->setMinimumSize(0, 0);
        widget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (layout) {
            layout->invalidate();
            layout->activate();
        }
        limited_ = false;
    }
    if (minMaxInfo_.DefaultMinMaxInfo() || (layout && layout->sizeConstraint() == QLayout::SetFixedSize))
        return;
    using I = TWinMinMaxInfo;
    const auto limit = [&](I::Index index, int none) {
        return minMaxInfo_.Get(index) ? minMaxInfo_.Get(index) : none;
    };
    const QSize ownMin = layout ? layout->totalMinimumSize() : widget->minimumSize();
    const QSize ownMax = widget->maximumSize();
    widget->setMinimumSize(ownMin.expandedTo(QSize(limit(I::MinTrackWidth, 0), limit(I::MinTrackHeight, 0))));
    widget->setMaximumSize(ownMax.boundedTo(
        QSize(limit(I::MaxTrackWidth, QWIDGETSIZE_MAX), limit(I::MaxTrackHeight, QWIDGETSIZE_MAX))));
    limited_ = true;
}

void TFormPlacement::SaveFormPlacement() {
    if (!restored_ && active_) return;
    Operation operation(*this, false);
    DoWriteString(IniSection(), "FormVersion", IntToStr(version_));
    SavePlacement();
    Fire(OnSavePlacement);
    saved_ = true;
}

void TFormPlacement::RestoreFormPlacement() {
    saved_ = false;
    Operation operation(*this, true);
    if (StrToIntDef(DoReadString(IniSection(), "FormVersion", "0"), 0) >= version_) {
        RestorePlacement();
        restored_ = true;
        Fire(OnRestorePlacement);
        if (options_ & fpActiveControl) {
            TControl* control = FindComponent(owner_, DoReadString(IniSection(), "ActiveControl", ""));
            if (control && control->CanOperate()) owner_.SetActiveControl(*control);
        }
    }
    restored_ = true;
}

void TFormPlacement::SavePlacement() {
    if (options_ & (fpState | fpPosition)) {
        WriteFormPlacement(owner_, ini_.get(), IniSection());
        IniWriteBool(ini_.get(), IniSection(), "Visible", destroying_);
    }
    if (options_ & fpActiveControl)
        if (TControl* control = owner_.ActiveControl())
            DoWriteString(IniSection(), "ActiveControl", control->Name());
    for (TIniLink* link : std::vector<TIniLink*>(links_))
        link->SaveToIni();
}

void TFormPlacement::RestorePlacement() {
    ReadFormPlacement(owner_, ini_.get(), IniSection(), options_ & fpState, options_ & fpPosition);
    for (TIniLink* link : std::vector<TIniLink*>(links_))
        link->LoadFromIni();
}

std::string TFormPlacement::DoReadString(const std::string& section, const std::string& ident,
                                         const std::string& fallback) {
    return IniReadString(ini_.get(), section, ident, fallback);
}

void TFormPlacement::DoWriteString(const std::string& section, const std::string& ident,
                                   const std::string& value) {
    IniWriteString(ini_.get(), section, ident, value);
}

std::string TFormPlacement::ReadString(const std::string& ident, const std::string& fallback) {
    Operation operation(*this, true);
    return DoReadString(IniSection(), ident, fallback);
}

void TFormPlacement::WriteString(const std::string& ident, const std::string& value) {
    Operation operation(*this, false);
    DoWriteString(IniSection(), ident, value);
}

int TFormPlacement::ReadInteger(const std::string& ident, int fallback) {
    return StrToIntDef(ReadString(ident, IntToStr(fallback)), fallback);
}

void TFormPlacement::WriteInteger(const std::string& ident, int value) {
    WriteString(ident, IntToStr(value));
}

void TFormPlacement::EraseSections() {
    Operation operation(*this, false);
    const std::string section = IniSection();
    for (const std::string& name : IniReadSections(ini_.get()))
        if (name == section || IsWild(name, section + ".*", false) || IsWild(name, section + "\\*", false))
            IniEraseSection(ini_.get(), name);
}

// ---- Stored values -----------------------------------------------------------------------------------

void TStoredValue::Save(TFormPlacement& storage) {
    TVariant value = Value;
    if (OnSave) OnSave(*this, value);
    std::string text = VarToStr(value);
    if (!KeyString.empty()) text = XorEncode(KeyString, text);
    storage.WriteString(name_, text);
}

void TStoredValue::Restore(TFormPlacement& storage) {
    std::string current = VarToStr(Value);
    if (!KeyString.empty()) current = XorEncode(KeyString, current);
    std::string text = storage.ReadString(name_, current);
    if (!KeyString.empty()) text = XorDecode(KeyString, text);
    TVariant value{text};
    if (OnRestore) OnRestore(*this, value);
    Value = value;
}

TStoredValue& TStoredValues::Add(const std::string& name) {
    items_.push_back(std::make_unique<TStoredValue>());
    TStoredValue& item = *items_.back();
    if (!name.empty()) {
        try {
            SetName(item, name);
        } catch (...) {
            items_.pop_back();
            throw;
        }
    }
    return item;
}

void TStoredValues::SetName(TStoredValue& item, const std::string& name) {
    const int existing = IndexOf(name);
    if (existing >= 0 && items_[static_cast<size_t>(existing)].get() != &item)
        throw Exception("String list does not allow duplicates");
    item.name_ = name;
}

int TStoredValues::IndexOf(const std::string& name) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (QString::fromStdString(items_[i]->name_)
                .compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

TStoredValue* TStoredValues::GetValue(const std::string& name) {
    const int index = IndexOf(name);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
}

void TStoredValues::SetValue(const std::string& name, const TStoredValue& value) {
    if (TStoredValue* item = GetValue(name)) {
        item->Value = value.Value;
        item->KeyString = value.KeyString;
        item->OnSave = value.OnSave;
        item->OnRestore = value.OnRestore;
    }
}

TVariant TStoredValues::GetStoredValue(const std::string& name) const {
    const int index = IndexOf(name);
    return index < 0 ? Null : items_[static_cast<size_t>(index)]->Value;
}

void TStoredValues::SetStoredValue(const std::string& name, const TVariant& value) {
    TStoredValue* item = GetValue(name);
    if (!item) item = &Add(name);
    item->Value = value;
}

void TStoredValues::SaveValues(TFormPlacement& storage) {
    for (auto& item : items_)
        item->Save(storage);
}

void TStoredValues::RestoreValues(TFormPlacement& storage) {
    for (auto& item : items_)
        item->Restore(storage);
}

// ---- TFormStorage ------------------------------------------------------------------------------------

void TFormStorage::Loaded() {
    TFormPlacement::Loaded();
    UpdateStoredList(Owner(), StoredProps, true);
}

TPropsStorage TFormStorage::PropsStorage() {
    TPropsStorage storage;
    storage.SectionName = IniSection();
    storage.ReadCallback = [this](const std::string& s, const std::string& i, const std::string& d) {
        return DoReadString(s, i, d);
    };
    storage.WriteCallback = [this](const std::string& s, const std::string& i, const std::string& v) {
        DoWriteString(s, i, v);
    };
    storage.EraseCallback = [this](const std::string& s) { IniEraseSection(GetIniFile(), s); };
    return storage;
}

void TFormStorage::SaveProperties() {
    Loaded();
    Operation operation(*this, false);
    TPropsStorage storage = PropsStorage();
    storage.StoreObjectsProps(Owner(), StoredProps);
}

void TFormStorage::RestoreProperties() {
    Loaded();
    Operation operation(*this, true);
    TPropsStorage storage = PropsStorage();
    try {
        storage.LoadObjectsProps(Owner(), StoredProps);
    } catch (...) {
        // A store that cannot be read leaves the properties as they are.
    }
}

void TFormStorage::SavePlacement() {
    TFormPlacement::SavePlacement();
    SaveProperties();
    StoredValues.SaveValues(*this);
}

void TFormStorage::RestorePlacement() {
    TFormPlacement::RestorePlacement();
    MarkRestored();
    RestoreProperties();
    StoredValues.RestoreValues(*this);
}

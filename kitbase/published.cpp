#include "kitbase/published.h"

#include <memory>
#include <mutex>

#include "platform/forms/controls.h"
#include "platform/forms/indicators.h"

namespace {

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int Depth(const TClassInfo& info) {
    int depth = 0;
    for (const TClassInfo* c = info.Parent; c; c = c->Parent)
        ++depth;
    return depth;
}

struct TableEntry {
    const void* key;
    std::unique_ptr<TClassInfo> info;
};

std::vector<TableEntry>& Table();

template <class T> TClassInfo& Add(const std::string& name, const TClassInfo* parent) {
    return RegisterControlClass<T>(name, parent);
}

void AddFormLayerClasses() {
    TClassInfo& control = Add<TControl>("TControl", nullptr);
    control.Props = {BoolProperty<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled),
                     BoolProperty<TControl>("Visible", &TControl::Visible, &TControl::SetVisible),
                     StringProperty<TControl>("Hint", &TControl::Hint, &TControl::SetHint)};

    TClassInfo& edit = Add<TEdit>("TEdit", &control);
    edit.Props = {IntegerProperty<TEdit>("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength),
                  BoolProperty<TEdit>("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly),
                  StringProperty<TEdit>("Text", &TEdit::Text, &TEdit::SetText)};
    Add<TMaskEdit>("TMaskEdit", &edit).Props = {
        StringProperty<TMaskEdit>("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask)};

    Add<TButton>("TButton", &control).Props = {
        StringProperty<TButton>("Caption", &TButton::Caption, &TButton::SetCaption)};
    Add<TSpeedButton>("TSpeedButton", &control).Props = {
        StringProperty<TSpeedButton>("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption),
        BoolProperty<TSpeedButton>("Down", &TSpeedButton::Down, &TSpeedButton::SetDown),
        BoolProperty<TSpeedButton>("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)};
    Add<TLabel>("TLabel", &control).Props = {
        StringProperty<TLabel>("Caption", &TLabel::Caption, &TLabel::SetCaption),
        BoolProperty<TLabel>("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap)};
    Add<TCheckBox>("TCheckBox", &control).Props = {
        StringProperty<TCheckBox>("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption),
        BoolProperty<TCheckBox>("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked)};
    Add<TRadioButton>("TRadioButton", &control).Props = {
        StringProperty<TRadioButton>("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption),
        BoolProperty<TRadioButton>("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked)};
    Add<TGroupBox>("TGroupBox", &control).Props = {
        StringProperty<TGroupBox>("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption)};
    Add<TPanel>("TPanel", &control).Props = {
        StringProperty<TPanel>("Caption", &TPanel::Caption, &TPanel::SetCaption)};
    Add<TRadioGroup>("TRadioGroup", &control).Props = {
        StringProperty<TRadioGroup>("Caption", &TRadioGroup::Caption, &TRadioGroup::SetCaption),
        IntegerProperty<TRadioGroup>("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns),
        StringsProperty<TRadioGroup>("Items", [](TRadioGroup& c) -> TStrings& { return c.Items(); }),
        IntegerProperty<TRadioGroup>("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)};
    Add<TComboBox>("TComboBox", &control).Props = {
        OrdinalProperty<TComboBox>("Style", tkEnumeration, &TComboBox::Style, &TComboBox::SetStyle,
                                   {"csDropDown", "csSimple", "csDropDownList"}),
        IntegerProperty<TComboBox>("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength),
        StringsProperty<TComboBox>("Items", [](TComboBox& c) -> TStrings& { return c.Items(); }),
        IntegerProperty<TComboBox>("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex),
        StringProperty<TComboBox>("Text", &TComboBox::Text, &TComboBox::SetText)};
    Add<TListBox>("TListBox", &control).Props = {
        StringsProperty<TListBox>("Items", [](TListBox& c) -> TStrings& { return c.Items(); }),
        IntegerProperty<TListBox>("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex)};
    Add<TMemo>("TMemo", &control).Props = {
        StringsProperty<TMemo>("Lines", [](TMemo& c) -> TStrings& { return c.Lines(); }),
        BoolProperty<TMemo>("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly),
        OrdinalProperty<TMemo>("ScrollBars", tkEnumeration, &TMemo::ScrollBars, &TMemo::SetScrollBars,
                               {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}),
        BoolProperty<TMemo>("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap)};
    Add<TDateTimePicker>("TDateTimePicker", &control).Props = {
        FloatProperty<TDateTimePicker>("Date", &TDateTimePicker::Date, &TDateTimePicker::SetDate)};
    Add<TProgressBar>("TProgressBar", &control).Props = {
        IntegerProperty<TProgressBar>("Max", &TProgressBar::Max, &TProgressBar::SetMax),
        IntegerProperty<TProgressBar>("Min", &TProgressBar::Min, &TProgressBar::SetMin),
        IntegerProperty<TProgressBar>("Position", &TProgressBar::Position, &TProgressBar::SetPosition)};
    Add<TGauge>("TGauge", &control).Props = {
        IntegerProperty<TGauge>("BackColor", &TGauge::BackColor, &TGauge::SetBackColor),
        IntegerProperty<TGauge>("ForeColor", &TGauge::ForeColor, &TGauge::SetForeColor),
        IntegerProperty<TGauge>("MaxValue", &TGauge::MaxValue, &TGauge::SetMaxValue),
        IntegerProperty<TGauge>("MinValue", &TGauge::MinValue, &TGauge::SetMinValue),
        IntegerProperty<TGauge>("Progress", &TGauge::Progress, &TGauge::SetProgress)};
    Add<TShape>("TShape", &control).Props = {
        IntegerProperty<TShape>("BrushColor", &TShape::BrushColor, &TShape::SetBrushColor),
        IntegerProperty<TShape>("PenColor", &TShape::PenColor, &TShape::SetPenColor),
        OrdinalProperty<TShape>(
            "Shape", tkEnumeration, &TShape::Shape, &TShape::SetShape,
            {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"})};
}

std::recursive_mutex& TableLock() {
    static std::recursive_mutex lock;
    return lock;
}

std::vector<TableEntry>& Table() {
    // Every caller holds TableLock(), which is recursive: filling the table adds to it.
    static std::vector<TableEntry> table;
    static bool filled = false;
    if (!filled) {
        filled = true;
        AddFormLayerClasses();
    }
    return table;
}

} // namespace

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        if (c == &ancestor) return true;
    return false;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
    std::vector<const TPropInfo*> all = Parent ? Parent->Properties() : std::vector<const TPropInfo*>{};
    for (const TPropInfo& prop : Props)
        all.push_back(&prop);
    return all;
}

const TPropInfo* TClassInfo::FindProperty(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
        for (const TPropInfo& prop : c->Props)
            if (SameText(prop.Name, name)) return &prop;
    return nullptr;
}

namespace published_detail {

TClassInfo& AddControlClass(const std::string& name, const TClassInfo* parent,
                            std::function<bool(const TControl&)> isInstance, const void* key) {
    std::lock_guard guard(TableLock());
    auto& table = Table();
    for (auto& entry : table)
        if (entry.key == key) return *entry.info;
    auto info = std::make_unique<TClassInfo>();
    info->Name = name;
    info->Parent = parent;
    info->IsInstance = std::move(isInstance);
    table.push_back({key, std::move(info)});
    return *table.back().info;
}

const TClassInfo* FindControlClass(const void* key) {
    std::lock_guard guard(TableLock());
    for (auto& entry : Table())
        if (entry.key == key) return entry.info.get();
    return nullptr;
}

} // namespace published_detail

const TClassInfo* ClassInfoOf(const TControl& control) {
    std::lock_guard guard(TableLock());
    const TClassInfo* best = nullptr;
    for (auto& entry : Table())
        if (entry.info->IsInstance(control) && (!best || Depth(*entry.info) > Depth(*best)))
            best = entry.info.get();
    return best;
}

TObjectRef ObjectOf(TControl& control) {
    return {&control, ClassInfoOf(control)};
}

TControl* ControlOf(const TObjectRef& object) {
    if (!object || !object.Class->IsInstance) return nullptr;
    return static_cast<TControl*>(object.Object);
}

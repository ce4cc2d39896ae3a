// Property storage: the text of each kind of property, stored lists of a window, and loading back.
#include <QWidget>
#include <map>

#include "kitbase/props_storage.h"
#include "platform/forms/tests/fixture.h"

namespace {

// A key-value store in memory, as the three callbacks see it.
struct MemoryStore {
    std::map<std::string, std::map<std::string, std::string>> sections;
    void Attach(TPropsStorage& storage) {
        storage.ReadCallback = [this](const std::string& s, const std::string& k, const std::string& d) {
            auto section = sections.find(s);
            if (section == sections.end()) return d;
            auto key = section->second.find(k);
            return key == section->second.end() ? d : key->second;
        };
        storage.WriteCallback = [this](const std::string& s, const std::string& k, const std::string& v) {
            sections[s][k] = v;
        };
        storage.EraseCallback = [this](const std::string& s) { sections.erase(s); };
    }
};

// A plain published object (no control), as items of a collection and nested objects are.
struct TSampleItem {
    std::string Caption;
    int Weight = 0;
};
const TClassInfo& SampleItemClass() {
    static TClassInfo info = [] {
        TClassInfo c;
        c.Name = "TSampleItem";
        c.Props = {StringProperty<TSampleItem>(
                       "Caption", [](TSampleItem& i) { return i.Caption; },
                       [](TSampleItem& i, const std::string& v) { i.Caption = v; }),
                   IntegerProperty<TSampleItem>(
                       "Weight", [](TSampleItem& i) { return i.Weight; },
                       [](TSampleItem& i, int v) { i.Weight = v; })};
        return c;
    }();
    return info;
}

class SampleItems : public TCollection {
public:
    int Count() const override { return static_cast<int>(items.size()); }
    TObjectRef Item(int index) override {
        return {&items.at(static_cast<size_t>(index)), &SampleItemClass()};
    }
    TObjectRef Add() override {
        items.emplace_back();
        return Item(Count() - 1);
    }
    void Clear() override { items.clear(); }
    std::vector<TSampleItem> items;
};

enum TSampleMode { smOff, smSlow, smFast };

// A control with a property of every kind the storage knows.
class TSample : public TControl {
public:
    TSample() : TControl(new QWidget) {}
    int Count = 0;
    int64_t Big = 0;
    char32_t Letter = U'a';
    TSampleMode Mode = smOff;
    unsigned Options = 0;
    double Ratio = 0;
    float Small = 0;
    std::string Title;
    TVariant Tag;
    TStringList Lines;
    SampleItems Items;
    TSampleItem Font;
    TControl* Partner = nullptr;
};

const TClassInfo& SampleClass() {
    static TClassInfo& info = []() -> TClassInfo& {
        using S = TSample;
        TClassInfo& c = RegisterControlClass<S>("TSample", ClassInfoOf<TControl>());
        TPropInfo letter = OrdinalProperty<S>(
            "Letter", tkWChar, [](S& s) { return s.Letter; }, [](S& s, char32_t v) { s.Letter = v; });
        TPropInfo big = OrdinalProperty<S>(
            "Big", tkInt64, [](S& s) { return s.Big; }, [](S& s, int64_t v) { s.Big = v; });
        TPropInfo options = OrdinalProperty<S>(
            "Options", tkSet, [](S& s) { return s.Options; }, [](S& s, unsigned v) { s.Options = v; },
            {"soBold", "soWide", "soQuiet"});
        TPropInfo tag;
        tag.Name = "Tag";
        tag.Kind = tkVariant;
        tag.GetVariant = [](void* o) { return Self<S>(o).Tag; };
        tag.SetVariant = [](void* o, const TVariant& v) { Self<S>(o).Tag = v; };
        TPropInfo items;
        items.Name = "Items";
        items.Kind = tkClass;
        items.ClassKind = TClassKind::Collection;
        items.GetCollection = [](void* o) -> TCollection* { return &Self<S>(o).Items; };
        TPropInfo font;
        font.Name = "Font";
        font.Kind = tkClass;
        font.ClassKind = TClassKind::Object;
        font.GetObject = [](void* o) { return TObjectRef{&Self<S>(o).Font, &SampleItemClass()}; };
        TPropInfo partner;
        partner.Name = "Partner";
        partner.Kind = tkClass;
        partner.ClassKind = TClassKind::Component;
        partner.GetComponent = [](void* o) { return Self<S>(o).Partner; };
        partner.SetComponent = [](void* o, TControl* v) { Self<S>(o).Partner = v; };
        c.Props = {
            IntegerProperty<S>(
                "Count", [](S& s) { return s.Count; }, [](S& s, int v) { s.Count = v; }),
            big,
            letter,
            OrdinalProperty<S>(
                "Mode", tkEnumeration, [](S& s) { return s.Mode; }, [](S& s, TSampleMode v) { s.Mode = v; },
                {"smOff", "smSlow", "smFast"}),
            options,
            FloatProperty<S>(
                "Ratio", [](S& s) { return s.Ratio; }, [](S& s, double v) { s.Ratio = v; }),
            FloatProperty<S>(
                "Small", [](S& s) { return s.Small; },
                [](S& s, double v) { s.Small = static_cast<float>(v); }, ftSingle),
            StringProperty<S>(
                "Title", [](S& s) { return s.Title; }, [](S& s, const std::string& v) { s.Title = v; }),
            tag,
            StringsProperty<S>("Lines", [](S& s) -> TStrings& { return s.Lines; }),
            items,
            font,
            partner,
        };
        return c;
    }();
    return info;
}

class TStorageForm : public TForm {
public:
    TStorageForm() {
        Edit1.SetName("Edit1");
        CheckBox1.SetName("CheckBox1");
        ListBox1.SetName("ListBox1");
        Sample1.SetName("Sample1");
        Column main(*this);
        main.Add(Edit1).Add(CheckBox1).Add(ListBox1).Add(Sample1);
    }
    TEdit Edit1;
    TCheckBox CheckBox1;
    TListBox ListBox1;
    TSample Sample1;
};

class TOtherForm : public TForm {
public:
    TOtherForm() {
        Edit1.SetName("Edit1");
        Column(*this).Add(Edit1);
    }
    TEdit Edit1;
};

class PropsStorageTest : public FormsTest {
protected:
    PropsStorageTest() {
        SampleClass();
        store.Attach(storage);
        storage.SectionName = "Main";
    }
    ~PropsStorageTest() override { DecimalSeparator = ','; }
    void Target(TSample& sample) {
        storage.TargetObject = ObjectOf(sample);
        storage.KeyPrefix = "";
    }
    std::string Stored(const std::string& key, const std::string& section = "Main") {
        auto s = store.sections.find(section);
        if (s == store.sections.end()) return "<none>";
        auto k = s->second.find(key);
        return k == s->second.end() ? "<none>" : k->second;
    }
    MemoryStore store;
    TPropsStorage storage;
};

TEST_F(PropsStorageTest, EachKindIsStoredAsItsText) {
    TSample sample;
    sample.Options = 0b101;
    sample.Ratio = 1.5;
    sample.Small = 0.1f;
    sample.Letter = U'Ж';
    sample.Big = int64_t{1} << 40;
    sample.Mode = smFast;
    sample.Tag = TVariant{int64_t{42}};
    Target(sample);
    storage.StoreProperties({"Count", "Big", "Letter", "Mode", "Options", "Ratio", "Small", "Title", "Tag"});
    struct Case {
        const char* key;
        const char* text;
    } cases[] = {{"Count", "0"},
                 {"Big", "1099511627776"},
                 {"Letter", "Ж"},
                 {"Mode", "smFast"},
                 {"Options", "[soBold,soQuiet]"},
                 {"Ratio", "1.5"},
                 {"Small", "0.1"},
                 {"Title", ""},
                 {"Tag", "42"}};
    for (const Case& c : cases)
        EXPECT_EQ(Stored(c.key), c.text) << c.key;

    sample.Options = 0;
    sample.Ratio = 1e20;
    storage.StoreProperties({"Options", "Ratio"});
    EXPECT_EQ(Stored("Options"), "[]");
    EXPECT_EQ(Stored("Ratio"), "1E20");
}

TEST_F(PropsStorageTest, LoadingTakesGoodTextsAndKeepsTheValueOfBadOnes) {
    struct Case {
        const char* key;
        const char* text;
        std::function<bool(const TSample&)> holds;
    } cases[] = {
        {"Count", "12", [](const TSample& s) { return s.Count == 12; }},
        {"Count", "twelve", [](const TSample& s) { return s.Count == 0; }},
        {"Big", "-5000000000", [](const TSample& s) { return s.Big == -5000000000; }},
        {"Letter", "Яблоко", [](const TSample& s) { return s.Letter == U'Я'; }},
        {"Letter", "", [](const TSample& s) { return s.Letter == U'q'; }},
        {"Mode", "SMSLOW", [](const TSample& s) { return s.Mode == smSlow; }},
        {"Mode", "smWarp", [](const TSample& s) { return s.Mode == smFast; }},
        {"Options", "[soWide, bogus soQuiet]", [](const TSample& s) { return s.Options == 0b110; }},
        {"Options", "[]", [](const TSample& s) { return s.Options == 0; }},
        {"Ratio", "2.25", [](const TSample& s) { return s.Ratio == 2.25; }},
        {"Ratio", "2.2.5", [](const TSample& s) { return s.Ratio == 7.5; }},
        {"Title", "", [](const TSample& s) { return s.Title.empty(); }},
        {"Tag", "abc", [](const TSample& s) { return s.Tag == TVariant{std::string("abc")}; }},
    };
    for (char separator : {',', '.'}) {
        DecimalSeparator = separator;
        for (const Case& c : cases) {
            TSample sample;
            sample.Letter = U'q';
            sample.Mode = smFast;
            sample.Options = 1;
            sample.Ratio = 7.5;
            sample.Title = "old";
            sample.Tag = TVariant{std::string("old")};
            Target(sample);
            store.sections["Main"][c.key] = c.text;
            storage.LoadProperties({c.key});
            EXPECT_TRUE(c.holds(sample)) << c.key << " = " << c.text << " with " << separator;
            store.sections.clear();
        }
    }
}

TEST_F(PropsStorageTest, StringListsHaveASectionAndACountOfZeroKeepsTheLines) {
    TSample sample;
    sample.Lines.Assign(std::vector<std::string>{"one", "two", "three"});
    Target(sample);
    storage.StoreProperties({"Lines"});
    EXPECT_EQ(store.sections["Main.Lines"],
              (std::map<std::string, std::string>{
                  {"Count", "3"}, {"Item0", "one"}, {"Item1", "two"}, {"Item2", "three"}}));
    store.sections["Main.Lines"]["Item1"] = "два";
    storage.LoadProperties({"Lines"});
    EXPECT_EQ(sample.Lines.ToVector(), (std::vector<std::string>{"one", "два", "three"}));
    store.sections["Main.Lines"]["Count"] = "0";
    storage.LoadProperties({"Lines"});
    EXPECT_EQ(sample.Lines.Count(), 3);

    sample.Lines.Clear();
    storage.StoreProperties({"Lines"});
    EXPECT_EQ(store.sections.count("Main.Lines"), 0u) << "an empty list leaves its section erased";
}

// A count edited by hand reads only the items the section holds, and takes no time for a huge one.
TEST_F(PropsStorageTest, AHandEditedCountIsBoundByTheItemsTheSectionHolds) {
    TSample sample;
    sample.Lines.Assign(std::vector<std::string>{"one", "", "three"});
    sample.Items.items = {{"first", 1}, {"second", 2}};
    Target(sample);
    storage.StoreProperties({"Lines", "Items"});
    for (const char* count : {"4", "8000", "2147483647"}) {
        store.sections["Main.Lines"]["Count"] = count;
        store.sections["Main"]["Items.Count"] = count;
        TSample copy;
        Target(copy);
        storage.LoadProperties({"Lines", "Items"});
        EXPECT_EQ(copy.Lines.ToVector(), (std::vector<std::string>{"one", "", "three"})) << count;
        ASSERT_EQ(copy.Items.items.size(), 2u) << count;
        EXPECT_EQ(copy.Items.items[1].Caption, "second");
    }
    store.sections["Main.Lines"]["Count"] = "2";
    store.sections["Main"]["Items.Count"] = "1";
    Target(sample);
    storage.LoadProperties({"Lines", "Items"});
    EXPECT_EQ(sample.Lines.ToVector(), (std::vector<std::string>{"one", ""}))
        << "a smaller count still counts";
    EXPECT_EQ(sample.Items.items.size(), 1u);
}

TEST_F(PropsStorageTest, CollectionsAndNestedObjects) {
    TSample sample;
    sample.Items.items = {{"first", 1}, {"second", 2}};
    sample.Font = {"Arial", 10};
    Target(sample);
    storage.StoreProperties({"Items", "Font"});
    EXPECT_EQ(Stored("Items.Count"), "2");
    EXPECT_EQ(Stored("Item1_Caption", "Main.Items"), "second");
    EXPECT_EQ(Stored("FontCaption"), "Arial");
    EXPECT_EQ(Stored("FontWeight"), "10");

    TSample copy;
    Target(copy);
    storage.LoadProperties({"Items", "Font"});
    ASSERT_EQ(copy.Items.items.size(), 2u);
    EXPECT_EQ(copy.Items.items[1].Caption, "second");
    EXPECT_EQ(copy.Items.items[1].Weight, 2);
    EXPECT_EQ(copy.Font.Caption, "Arial");
}

TEST_F(PropsStorageTest, AWindowsStoredListRoundTrips) {
    TStorageForm form;
    TOtherForm other;
    form.Edit1.SetText("736204");
    form.CheckBox1.SetChecked(true);
    form.ListBox1.Items().Assign(std::vector<std::string>{"a", "b", "c"});
    form.ListBox1.SetItemIndex(2);
    form.Sample1.Partner = &other.Edit1;
    TStoredList list{
        {" Edit1 . Text "},  {"CheckBox1.Checked"}, {"ListBox1.Items"}, {"ListBox1.ItemIndex"},
        {"Sample1.Partner"}, {"Missing.Text"},      {"NoPoint"},        {"Edit1.NoSuchProperty"}};
    UpdateStoredList(form, list, true);
    ASSERT_EQ(list.size(), 6u);
    storage.StoreObjectsProps(form, list);
    EXPECT_EQ(Stored("Edit1_Text"), "736204");
    EXPECT_EQ(Stored("CheckBox1_Checked"), "True");
    EXPECT_EQ(Stored("ListBox1_ItemIndex"), "2");
    EXPECT_EQ(Stored("Count", "Main.ListBox1_Items"), "3");
    EXPECT_EQ(Stored("Sample1_Partner"), "OtherForm.Edit1");

    form.Edit1.SetText("");
    form.CheckBox1.SetChecked(false);
    form.ListBox1.Items().Clear();
    form.Sample1.Partner = nullptr;
    storage.LoadObjectsProps(form, list);
    EXPECT_EQ(form.Edit1.Text(), "736204");
    EXPECT_TRUE(form.CheckBox1.Checked());
    EXPECT_EQ(form.ListBox1.Items().Count(), 3);
    EXPECT_EQ(form.ListBox1.ItemIndex(), 2);
    EXPECT_EQ(form.Sample1.Partner, &other.Edit1);

    store.sections["Main"]["Sample1_Partner"] = "Edit1";
    storage.LoadObjectsProps(form, list);
    EXPECT_EQ(form.Sample1.Partner, &form.Edit1) << "a bare name is the window's own control";
    storage.StoreObjectsProps(form, list);
    EXPECT_EQ(Stored("Sample1_Partner"), "Edit1");
    store.sections["Main"]["Sample1_Partner"] = "(NULL)";
    storage.LoadObjectsProps(form, list);
    EXPECT_EQ(form.Sample1.Partner, nullptr);
}

TEST_F(PropsStorageTest, StoredItemsAndListUpdates) {
    std::string comp, prop;
    EXPECT_TRUE(ParseStoredItem(" Edit1 .Text.Sub", comp, prop));
    EXPECT_EQ(comp, "Edit1");
    EXPECT_EQ(prop, "Text.Sub");
    EXPECT_FALSE(ParseStoredItem(".Text", comp, prop));
    EXPECT_FALSE(ParseStoredItem("Edit1. ", comp, prop));
    EXPECT_EQ(CreateStoredItem("Edit1", "Text"), "Edit1.Text");
    EXPECT_EQ(CreateStoredItem("", "Text"), "");

    TStorageForm form;
    TStoredList list{{"Edit1.Text"}, {"CheckBox1.Checked"}};
    UpdateStoredList(form, list, true);
    form.Edit1.SetName("NameEdit");
    list[1].Object = nullptr;
    UpdateStoredList(form, list, false);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Text, "NameEdit.Text");
}

} // namespace

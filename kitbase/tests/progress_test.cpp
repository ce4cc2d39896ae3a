// The progress registry: which controls it serves, and how a registration overrides or removes another.
#include <QWidget>

#include "kitbase/progress.h"
#include "platform/forms/indicators.h"
#include "platform/forms/tests/fixture.h"

namespace {

class TSlowBar : public TProgressBar {};

// A control whose position is a floating-point number and whose caption is a text.
class TFloatMeter : public TControl {
public:
    TFloatMeter() : TControl(new QWidget) {}
    double Level() const { return level_; }
    void SetLevel(double level) { level_ = level; }
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption) { caption_ = caption; }

private:
    double level_ = 0;
    std::string caption_;
};

const TClassInfo& FloatMeterClass() {
    static TClassInfo& info = [&]() -> TClassInfo& {
        TClassInfo& c = RegisterControlClass<TFloatMeter>("TFloatMeter", ClassInfoOf<TControl>());
        c.Props = {FloatProperty<TFloatMeter>("Level", &TFloatMeter::Level, &TFloatMeter::SetLevel),
                   StringProperty<TFloatMeter>("Caption", &TFloatMeter::Caption, &TFloatMeter::SetCaption)};
        return c;
    }();
    return info;
}

class ProgressRegistryTest : public FormsTest {
protected:
    // Each case leaves the registry as it found it: the progress bar alone.
    ~ProgressRegistryTest() override {
        UnRegisterProgressControl(*ClassInfoOf<TControl>());
        RegisterProgressControl(*ClassInfoOf<TProgressBar>(), "Max", "Min", "Position");
    }
};

TEST_F(ProgressRegistryTest, ProgressBarAndItsDescendantsAreServedByTheFirstEntry) {
    TProgressBar plain;
    TSlowBar derived;
    for (TProgressBar* bar : std::initializer_list<TProgressBar*>{&plain, &derived}) {
        EXPECT_TRUE(SupportsProgressControl(bar));
        EXPECT_TRUE(SetProgressMax(bar, 500));
        EXPECT_TRUE(SetProgressMin(bar, 10));
        EXPECT_TRUE(SetProgressValue(bar, 250));
        EXPECT_EQ(bar->Max(), 500);
        EXPECT_EQ(bar->Min(), 10);
        EXPECT_EQ(bar->Position(), 250);
    }
}

TEST_F(ProgressRegistryTest, UnknownControlsAndMissingPropertiesGiveFalse) {
    TGauge gauge;
    EXPECT_FALSE(SupportsProgressControl(nullptr));
    EXPECT_FALSE(SetProgressMax(nullptr, 1));
    EXPECT_FALSE(SupportsProgressControl(&gauge));
    EXPECT_FALSE(SetProgressValue(&gauge, 1));

    RegisterProgressControl(*ClassInfoOf<TGauge>(), "MaxValue", "MinValue", "NoSuchProperty");
    EXPECT_TRUE(SetProgressMax(&gauge, 40));
    EXPECT_FALSE(SetProgressValue(&gauge, 20));
    EXPECT_EQ(gauge.MaxValue(), 40);
}

TEST_F(ProgressRegistryTest, LaterRegistrationOverridesEarlierNames) {
    TGauge gauge;
    RegisterProgressControl(*ClassInfoOf<TGauge>(), "Nothing", "Nothing", "Nothing");
    RegisterProgressControl(*ClassInfoOf<TGauge>(), "MaxValue", "MinValue", "Progress");
    EXPECT_TRUE(SetProgressMax(&gauge, 300));
    EXPECT_TRUE(SetProgressValue(&gauge, 120));
    EXPECT_EQ(gauge.Progress(), 120);
}

TEST_F(ProgressRegistryTest, UnregisteringAClassRemovesTheEntriesOfItsDescendants) {
    const TClassInfo& slowClass = RegisterControlClass<TSlowBar>("TSlowBar", ClassInfoOf<TProgressBar>());
    RegisterProgressControl(slowClass, "Max", "Min", "Position");
    TSlowBar derived;
    UnRegisterProgressControl(slowClass);
    EXPECT_TRUE(SupportsProgressControl(&derived)) << "the progress bar's own entry still serves it";
    RegisterProgressControl(slowClass, "Max", "Min", "Position");
    UnRegisterProgressControl(*ClassInfoOf<TProgressBar>());
    EXPECT_FALSE(SupportsProgressControl(&derived));
    TProgressBar plain;
    EXPECT_FALSE(SetProgressMax(&plain, 5));
}

TEST_F(ProgressRegistryTest, PropertyKindDecidesWhetherTheValueIsTaken) {
    TFloatMeter meter;
    struct Case {
        const char* property;
        bool taken;
    } cases[] = {{"Level", true}, {"level", true}, {"Caption", false}, {"Missing", false}};
    for (const Case& c : cases) {
        RegisterProgressControl(FloatMeterClass(), c.property, c.property, c.property);
        EXPECT_EQ(SetProgressValue(&meter, 7), c.taken) << c.property;
    }
    EXPECT_DOUBLE_EQ(meter.Level(), 7.0);
}

TEST_F(ProgressRegistryTest, LongPropertyNamesAreCutTo63Characters) {
    const std::string longName(64, 'M');
    const TClassInfo& info = FloatMeterClass();
    const_cast<TClassInfo&>(info).Props.push_back(
        FloatProperty<TFloatMeter>(longName.substr(0, 63), &TFloatMeter::Level, &TFloatMeter::SetLevel));
    RegisterProgressControl(info, longName, longName, longName);
    TFloatMeter meter;
    EXPECT_TRUE(SetProgressMax(&meter, 9));
    const_cast<TClassInfo&>(info).Props.pop_back();
}

} // namespace

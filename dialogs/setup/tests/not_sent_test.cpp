// A command the driver refuses to build (a field longer than a frame carries) is reported as not sent
// in every set-up window, however well the command before it went. Buttons that send a sequence are
// refused before its first command (sequence_test.cpp).
#include "dialogs/setup/tests/setup_fixture.h"
#include "shell/tests/not_sent_case.h"

namespace {

class NotSentTest : public NotSentTestOf<SetupFixture> {};

TEST_P(NotSentTest, ShowsNotSentAndSendsNothing) {
    ShowFillAndPress();
}

INSTANTIATE_TEST_SUITE_P(Windows, NotSentTest,
                         testing::Values(NotSentCase{"ClockRead",
                                                     [] { return Shown(Form27); },
                                                     [](H) { Form27->Edit3.SetText(TooLong); },
                                                     [] { Form27->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"DecimalPointRead",
                                                     [] { return Shown(Form32); },
                                                     [](H) { Form32->Edit1.SetText(TooLong); },
                                                     [] { Form32->Button3.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form32->Edit3; }},
                                         NotSentCase{"DeviceIdRead",
                                                     [] { return Shown(Form50); },
                                                     [](H) { Form50->Edit6.SetText(TooLong); },
                                                     [] { Form50->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"ModemReport",
                                                     [] { return Shown(Form44); },
                                                     [](H) { Form44->Edit3.SetText(TooLong); },
                                                     [] { Form44->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"ModemState",
                                                     [] { return Shown(Form51); },
                                                     [](H) { Form51->Edit3.SetText(TooLong); },
                                                     [] { Form51->Button28.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form51->Edit7; }},
                                         NotSentCase{"AcquirerSession",
                                                     [] { return Shown(Form53); },
                                                     [](H) { Form53->Edit3.SetText(TooLong); },
                                                     [] { Form53->Button2.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form53->Edit7; }},
                                         NotSentCase{"RemoteAccessRead",
                                                     [] { return Shown(Form42); },
                                                     [](H) { Form42->Edit6.SetText(TooLong); },
                                                     [] { Form42->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"AcquirerLinkRead",
                                                     [] { return Shown(Form49); },
                                                     [](H) { Form49->Edit6.SetText(TooLong); },
                                                     [] { Form49->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"OperatorRead",
                                                     [] { return Shown(Form12); },
                                                     [](H) {
                                                         Form12->Edit4.SetText(TooLong);
                                                         Form12->Edit5.SetText("1");
                                                     },
                                                     [] { Form12->Button3.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"ModePasswords",
                                                     [] { return Shown(Form13); },
                                                     [](H) { Form13->Edit5.SetText(TooLong); },
                                                     [] { Form13->Button1.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"RegisterParamsRead",
                                                     [] { return Shown(Form26); },
                                                     [](H) { Form26->Edit5.SetText(TooLong); },
                                                     [] { Form26->Button7.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form26->Edit8; }},
                                         NotSentCase{"ServiceCounterRead",
                                                     [] { return Shown(Form39); },
                                                     [](H) { Form39->Edit3.SetText(TooLong); },
                                                     [] { Form39->Button2.Click(); },
                                                     {NotSentMessage}}),
                         NotSentCaseName);

} // namespace

// A command the driver refuses to build (a field longer than a frame carries) is reported as not sent
// in every fiscal window whose button sends one command, however well the command before it went.
// The windows that send more are in command_sequences_test.cpp: they send nothing at all.
#include "dialogs/fiscal/tests/fiscal_fixture.h"
#include "shell/tests/not_sent_case.h"

namespace {

class NotSentTest : public NotSentTestOf<FiscalFixture> {};

TEST_P(NotSentTest, ShowsNotSentAndSendsNothing) {
    ShowFillAndPress();
}

INSTANTIATE_TEST_SUITE_P(Windows, NotSentTest,
                         testing::Values(NotSentCase{"FiscalReceiptOpen",
                                                     [] { return Shown(Form21); },
                                                     [](H) { Form21->Edit1.SetText(TooLong); },
                                                     [] { Form21->Button1.Click(); },
                                                     {"Ошибка открытия чека"},
                                                     [] { return &Form21->Edit7; }},
                                         NotSentCase{"FiscalReceiptDisplay",
                                                     [] { return Shown(Form21); },
                                                     [](H) { Form21->Edit2.SetText(TooLong); },
                                                     [] { Form21->Button18.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form21->Edit7; }},
                                         NotSentCase{"DailyX",
                                                     [] { return Shown(Form23); },
                                                     [](H) { Form23->Edit1.SetText(TooLong); },
                                                     [] { Form23->Button2.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form23->Edit3; }},
                                         NotSentCase{"PqDailyX",
                                                     [] { return Shown(Form48); },
                                                     [](H) { Form48->Edit1.SetText(TooLong); },
                                                     [] { Form48->Button2.Click(); },
                                                     {NotSentMessage},
                                                     [] { return &Form48->Edit3; }},
                                         NotSentCase{"FactoryNumber",
                                                     [] { return Shown(Form15); },
                                                     [](H) {
                                                         Form15->Edit3.SetText(TooLong);
                                                         Form15->Edit4.SetText("1234567890");
                                                     },
                                                     [] { Form15->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"InspectorPassword",
                                                     [] { return Shown(Form16); },
                                                     [](H) {
                                                         Form16->Edit3.SetText(TooLong);
                                                         Form16->Edit4.SetText("1234567890");
                                                         Form16->Edit1.SetText("111111");
                                                         Form16->Edit2.SetText("111111");
                                                     },
                                                     [] { Form16->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"PaymentFormName",
                                                     [] { return Shown(Form34); },
                                                     [](H) {
                                                         Form34->Edit2.SetText("1");
                                                         Form34->Edit1.SetText(std::string(230, 'x'));
                                                     },
                                                     [] { Form34->Button2.Click(); },
                                                     {NotSentMessage}},
                                         NotSentCase{"FiscalMemoryClear",
                                                     [] { return Shown(Form7); },
                                                     [](H host) {
                                                         Form7->Edit3.SetText(TooLong);
                                                         host.AnswerNext(mbOK);
                                                     },
                                                     [] { Form7->Button2.Click(); },
                                                     {"Флеш-память регистратора будет обнулена. Продолжать?",
                                                      NotSentMessage},
                                                     [] { return &Form7->Edit1; }}),
                         NotSentCaseName);

} // namespace

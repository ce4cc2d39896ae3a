#include "shell/status_viewer.h"

#include <cstdio>

#include "driver/driver.h"
#include "shell/session.h"
#include "shell/windows.h"

namespace {

// Caption of each status byte's group, S0 first.
const char* const kGroupCaptions[6] = {
    "Статус регистратора - байт 0 (общее состояние)",
    "Статус регистратора - байт 1 (состояние принтера)",
    "Статус регистратора - байт 2 (состояние чека)",
    "Статус регистратора - байт 3 (состояние переключателей)",
    "Статус регистратора - байт 4 (фискальная память)",
    "Статус регистратора - байт 5 (фискальная память)",
};

// Bit captions of bits 0..6 of each status byte; bit 7 is always set.
const char* const kBitCaptions[6][7] = {
    {"(1) Регистратор находится в сервисном режиме", "(2) Буфер документа близок к концу",
     "(4) Дата/ время не установлены после обнуления ОЗУ", "(8) Дисплей не подключен",
     "(10) Механизм печатающего устройства неисправен", "(20) Для новых настроек необходимо перегрузить ЭККР",
     "(40) Другие ошибки оборудования"},
    {"(1) Заканчивается чековая лента (для  Kivrel LT-4)",
     "(2) Заканчивается контрольная лента (для  Kivrel LT-4)", "(4) Закончилась чековая лента",
     "(8) Закончилась контрольная лента", "(10) Открыта крышка принтера",
     "(20) Осуществляется ручная протяжка бумаги",
     "(40) Буфер принтера не пуст (есть еще не распечатанные данные)"},
    {"(1) Состояние чека", "(2) Состояние чека", "(4) Состояние чека", "(8) Текущее состояние чека",
     "(10) Открыт чек возврата", "(20) Резерв", "(40) Резерв"},
    {"(1) SIMError", "(2) Memory Card Error", "(4) Автономный режим работы", "(8) Резерв", "(10) Резерв",
     "(20) Версия внутреннего ПО не активирована", "(40) Резерв"},
    {"(1) Заводской номер запрограммирован", "(2) Регистратор фискализирован",
     "(4) В ФП места менее чем на 30 отчетов", "(8) Фискальная память переполнена", "(10) ID_DEV установлен",
     "(20) Регистратор персонализирован", "(40) Возникла ошибка фискальной памяти (CRC)"},
    {"(1) Резерв", "(2) Резерв", "(4) Низкий заряд батареи", "(8) Сработало оповещение", "(10) Смена открыта",
     "(20) Часы нуждаются в корректировке", "(40) До конца смены(24 часа) осталось меньше 60 минут"},
};

const char* const kAlwaysSet = "(80) Всегда установлен";

// Receipt states, by the low four bits of S2.
const char* const kReceiptStates[16] = {
    "0. Документ закрыт",
    "1. Отпечатан заголовок чека",
    "2. Выполнена операция продажи",
    "3. Состояние оплаты",
    "4. Завершение",
    "5. Произвольный текстовый документ открыт",
    "6. Произведена скидка/надбавка на сумму",
    "7. Открыт чек  внесения/изъятия",
    "8. Резерв",
    "9. Режим АННУЛИРОВАНИЕ",
    "10.",
    "11.",
    "12.",
    "13.",
    "14.",
    "15.",
};

const std::string kRefreshCaption = "Проверка состояния регистратора:\n  ";

} // namespace

TForm5::TForm5()
    : bits_{{{&CheckBox1, &CheckBox2, &CheckBox3, &CheckBox4, &CheckBox5, &CheckBox6, &CheckBox7, &CheckBox8},
             {&CheckBox17, &CheckBox18, &CheckBox19, &CheckBox20, &CheckBox21, &CheckBox22, &CheckBox23,
              &CheckBox24},
             {&CheckBox33, &CheckBox34, &CheckBox35, &CheckBox36, &CheckBox37, &CheckBox38, &CheckBox39,
              &CheckBox40},
             {&CheckBox9, &CheckBox10, &CheckBox11, &CheckBox12, &CheckBox13, &CheckBox14, &CheckBox15,
              &CheckBox16},
             {&CheckBox25, &CheckBox26, &CheckBox27, &CheckBox28, &CheckBox29, &CheckBox30, &CheckBox31,
              &CheckBox32},
             {&CheckBox41, &CheckBox42, &CheckBox43, &CheckBox44, &CheckBox45, &CheckBox46, &CheckBox47,
              &CheckBox48}}} {
    SetCaption("Байты состояния регистратора");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    for (int byte = 0; byte < 6; ++byte) {
        for (int bit = 0; bit < 7; ++bit)
            BitBox(byte, bit).SetCaption(kBitCaptions[byte][bit]);
        BitBox(byte, 7).SetCaption(kAlwaysSet);
    }
    ComboBox1.SetStyle(csDropDownList);
    for (const char* state : kReceiptStates)
        ComboBox1.Items().Add(state);
    Button2.SetCaption("Обновить");
    Button1.SetCaption("Закрыть");
    LayOut();
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    OnActivate = [this] { FormActivate(); };
}

void ShowStatusViewer() {
    if (Form5) Form5->ShowModal();
}

TCheckBox& TForm5::BitBox(int statusByte, int bit) {
    return *bits_[statusByte][bit];
}

void TForm5::LayOut() {
    TGroupBox* groups[6] = {&GroupBox1, &GroupBox3, &GroupBox5, &GroupBox2, &GroupBox4, &GroupBox6};
    Column main(*this);
    auto sides = main.Columns(2);
    for (int byte = 0; byte < 6; ++byte) {
        TGroupBox& group = *groups[byte];
        group.SetCaption(kGroupCaptions[byte]);
        // The view is read-only, yet readable: display-only, not greyed out.
        group.SetDisplayOnly(true);
        Column inside = sides[byte < 3 ? 0 : 1].Group(group);
        inside.Dense(); // six groups of eight rows fit a screen 768 pixels high
        for (int bit = 0; bit < 8; ++bit)
            inside.Add(BitBox(byte, bit));
        if (byte == 2) inside.Add(ComboBox1);
    }
    main.Buttons({&Button2, &Button1});
}

void TForm5::FormActivate() {
    ShowStatus(Session.CurrentAnswer);
}

// Bits 0..6 as the record holds them; bit 7 is always ticked, as the record keeps it cleared.
// Without any answer yet, the status shows empty.
void TForm5::ShowStatus(const AnswerRecord* answer) {
    for (int byte = 0; byte < 6; ++byte) {
        const uint8_t value = answer ? answer->StatusBytes[byte] : 0;
        for (int bit = 0; bit < 7; ++bit)
            BitBox(byte, bit).SetChecked((value >> bit) & 1);
        BitBox(byte, 7).SetChecked(true);
    }
    ComboBox1.SetItemIndex(answer ? answer->StatusBytes[2] & 0x0F : 0);
}

void TForm5::Button1Click() {
    Close();
}

std::string StatusBytesText(const AnswerRecord& answer, bool trailingBlank) {
    std::string text;
    for (size_t i = 0; i < answer.StatusBytes.size(); ++i) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", answer.StatusBytes[i]);
        if (i > 0) text += ' ';
        text += digits;
    }
    return trailingBlank ? text + ' ' : text;
}

// A refresh that fails leaves the boxes, the status line and the payment-type count as they were.
void TForm5::Button2Click() {
    AnswerRecord* answer = GetDiagnosticInfo(DefaultPassword, nullptr);
    StoreAnswer(answer);
    if (const auto failure = DecodedFailure(answer, kRefreshCaption)) {
        ShowMessage(*failure);
        return;
    }
    Session.PaymentCount = PaymentCountFromField(answer->Field(11));
    if (Form1) Form1->SetStatusLine(StatusLineText(*answer));
    ShowStatus(answer);
}

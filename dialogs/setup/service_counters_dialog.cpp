#include "dialogs/setup/service_counters_dialog.h"

#include "driver/driver.h"
#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"
#include "shell/windows.h"

TForm39* Form39 = nullptr;

namespace {
constexpr int kBattery = 0, kLinkMode = 1, kSleepTime = 2, kUsbDrive = 3;

const std::vector<std::string> kCounters = {
    "Напряжение аккумулятора",
    "Выбор режима связи",
    "Время засыпания аппарата при бездействии аппарата ",
    "Режим USB накопителя",
    "Активация сенсора открытия крышки контрольной ленты(1- активирован)",
    "Подкладной бланк",
    "Способ хранения описания кассиров",
    "Обновление служебных сообщений",
    "Выгрузка журналу на карту если карта рабочая и есть свободное место",
    "Маленький шрифт чека",
    "Тип дисплея",
    "Размер свободной памяти в байтах",
    "Не выводить комментарии в XML",
    "Открывать ящик автоматически",
    "Надбавки/скидки в отчете (0 - выводить, 1 - нет)",
    "Включить датчик крышки",
    "Установить значение MTU для фрагмента данных TCP (500-1460)",
    "Не печатать (0) сумму денег в кассе в чеках внесения изъятия",
    "Печатаь (1) в чеках продажи и возврата налоговые ставки с оборотом 0",
    "Автоматическая печать (1) ответов об отправке документов на сервер ДПС ",
    "Включить (1) удаленный доступ (0 - выключить)",
};

const char* const kLinkModes[] = {"0. Auto", "1. UART", "2. USB", "3. Bluetooth"};
} // namespace

TForm39::TForm39() {
    SetCaption("Служебные счетчики");
    SetBorderStyle(bsToolWindow);
    SetBorderIcons({});
    SetPosition(poScreenCenter);
    GroupBox1.SetCaption("Чтение счетчиков");
    ComboBox1.SetStyle(csDropDownList);
    ComboBox1.Items().Assign(kCounters);
    Button2.SetCaption("Прочитать");
    Button4.SetCaption("Установить");
    Edit3.SetText(DefaultPassword);
    Button1.SetCaption("Закрыть");
    Column main(*this);
    main.Group(GroupBox1)
        .Field("Служебный счетчик:", ComboBox1)
        .Field("Значение:", Edit1)
        .Buttons({&Button2, &Button4});
    main.Field("Пароль:", Edit3);
    main.Buttons({&Button1});
    ComboBox1.OnChange = [this] { ComboBox1Change(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button4.OnClick = [this] { Button3Click(); };
    Button1.OnClick = [this] { Button1Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm39::FormActivate() {
    if (ActivatedAgain()) return;
    ComboBox1.SetItemIndex(kBattery);
    Button2.SetEnabled(true);
    Button4.SetEnabled(false);
    Edit1.Clear();
}

// Counters 3 to 5 can only be set, counter 0 only read.
void TForm39::ApplyButtonRule() {
    const int item = ComboBox1.ItemIndex();
    Button2.SetEnabled(item < 3 || item > 5);
    Button4.SetEnabled(item != kBattery);
}

void TForm39::ComboBox1Change() {
    Edit1.Clear();
    const int item = ComboBox1.ItemIndex();
    if (item == kLinkMode || item == kSleepTime) Edit1.SetText("0");
    ApplyButtonRule();
}

void TForm39::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    const int item = ComboBox1.ItemIndex();
    AnswerRecord* answer = GetServiceCounter(Edit3.Text(), item, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded("Чтение служебных счетчиков:\n  "))) return;
    const std::string value = answer->Field(1);
    const char first = value.empty() ? '\0' : value[0];
    if (item == kBattery) {
        Edit1.SetText(value + "%");
    } else if (item == kLinkMode && first >= '0' && first <= '3') {
        Edit1.SetText(kLinkModes[first - '0']);
    } else {
        Edit1.Clear();
        if (item == kSleepTime || answer->FieldCount == 1) Edit1.SetText(value);
    }
    ShowMessage(SuccessMessage);
}

void TForm39::Button3Click() {
    if (!FieldsAccepted({{"Пароль:", Edit3.Text()}})) return;
    const int item = ComboBox1.ItemIndex();
    const int value = Edit1.Text().empty() ? 0 : StrToInt(Edit1.Text());
    AnswerRecord* answer = SetServiceCounter(Edit3.Text(), item, value, nullptr);
    if (!CheckAnswer(answer, AnswerCheck().Decoded("Установка служебных счетчиков:\n  "))) return;
    ShowMessage(SuccessMessage);
    if (item != kUsbDrive) return;
    // The register is a USB drive now: the link is gone.
    if (!CloseLink()) return;
    Form1->ShowDisconnectedState();
    Close();
}

void TForm39::Button1Click() {
    Close();
}

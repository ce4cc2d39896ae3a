// The main menu: every item with its caption and the window it opens; the items that choose
// between two windows by model, firmware or setting.
#include <functional>
#include <initializer_list>

#include "shell/main_window.h"
#include "shell/main_window_models.h"
#include "shell/session.h"
#include "shell/settings.h"
#include "shell/windows.h"

namespace {
struct MenuLine {
    TMenuItem& Item;
    const char* Caption;
    std::function<void()> Action;
};

template <class Form> std::function<void()> Opens(Form*& form) {
    return [&form] { form->ShowModal(); };
}

void AddMenu(TMainMenu& menu, TMenuItem& top, const char* caption, std::initializer_list<MenuLine> lines) {
    top.SetCaption(caption);
    menu.Add(top);
    for (const MenuLine& line : lines) {
        line.Item.SetCaption(line.Caption);
        line.Item.OnClick = line.Action;
        top.Add(line.Item);
    }
}

bool Contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}
} // namespace

void TForm1::BuildMenu() {
    AddMenu(MainMenu1, N6, "Продажа",
            {{N7, "Программировать товары", Opens(Linked.Form20)},
             {N8, "Фискальный чек", Opens(Linked.Form21)},
             {N9, "Печать нефискального чека", Opens(Linked.Form8)},
             {N10, "Служебное внесение и изъятие денег", Opens(Linked.Form9)},
             {N16, "Аннулирование и закрытие чека", Opens(Linked.Form35)}});
    AddMenu(MainMenu1, N4, "Команды",
            {{N31, "Тест команд", [this] { N31Click(); }}, {N24, "Запуск скрипта", Opens(Linked.Form28)}});
    AddMenu(MainMenu1, N2, "Отчеты",
            {{N11, "Информация о свободных ресурсах и статусе", Opens(Form10)},
             {PQ31, "Печать дневных отчетов PQ-3", Opens(Linked.Form48)},
             {N12, "Печать дневных отчетов", Opens(Linked.Form23)},
             {N13, "Печать периодического отчета ", Opens(Linked.Form25)},
             {N14, "Отчет по реализованным товарам", Opens(Linked.Form24)},
             {N22, "Печать дополнительных дневных отчетов", Opens(Linked.Form31)},
             {N15, "Копия фискальных чеков по сквозным номерам", [this] { N15Click(); }}});
    AddMenu(MainMenu1, N17, "Утилиты",
            {{N25, "Заголовок чека и рекламный текст", Opens(Linked.Form11)},
             {N26, "Параметры операторов", Opens(Linked.Form12)},
             {N36, "Параметры оплаты", Opens(Linked.Form34)},
             {N27, "Пароли", Opens(Linked.Form13)},
             {N18, "Загрузка логотипа", Opens(Linked.Form6)},
             {N40, "Чтение внутреннего ПО", Opens(Linked.Form45)},
             {N20, "Фискальная память", Opens(Linked.Form7)},
             {N21, "Дата и время", Opens(Linked.Form27)},
             {N1, "Техническое обслуживание", Opens(Linked.Form38)},
             {N3, "Служебные счетчики", Opens(Linked.Form39)},
             {N41, "Ширина чековой ленты", Opens(Linked.Form47)}});
    AddMenu(MainMenu1, N28, "Фискальные параметры",
            {{N29, "Установить заводской номер", Opens(Linked.Form15)},
             {N30, "Чтение и программирование", [this] { N30Click(); }},
             {N19, "Параметры регистратора", Opens(Linked.Form26)},
             {N33, "Параметры удаленного доступа", Opens(Linked.Form42)},
             {N42, "Параметры связи с эквайером", Opens(Linked.Form49)},
             {N23, "Позиция десятичной точки", Opens(Linked.Form32)},
             {N32, "Фискализация", Opens(Linked.Form19)},
             {IDDEV1, "Установить и прочитать ID_DEV", Opens(Linked.Form50)},
             {N43, "Состояние модема", [this] { N43Click(); }},
             {N44, "Последний сеанс связи с эквайером", Opens(Linked.Form53)}});
    N5.SetCaption("О программе...");
    N5.OnClick = Opens(Form3);
    MainMenu1.Add(N5);

    N41.SetVisible(false);
    for (TMenuItem* item : ConnectedMenus())
        item->SetEnabled(false);
    SetMenu(MainMenu1);
}

void TForm1::N15Click() {
    const std::string& version = Session.FirmwareVersion;
    if (Contains(version, "5.00") || Contains(version, "4.00") || Contains(version, "4.01"))
        Linked.Form41->ShowModal();
    else
        Linked.Form54->ShowModal();
}

void TForm1::N30Click() {
    const int extendedTax = ReadSetting(settings::ExtendedTax);
    if (extendedTax == 0 && !Session.HighPriority())
        Linked.Form18->ShowModal();
    else if (extendedTax == 1 || Session.HighPriority())
        Linked.Form37->ShowModal();
    else
        ShowMessage("Ошибка в ini-файле. Параметр ExtendedTax!");
}

void TForm1::N31Click() {
    OpenCommandTester();
}

void TForm1::N43Click() {
    if (!InModemFamily(ModelName)) {
        Linked.Form51->ShowModal();
        return;
    }
    Linked.Form44->SetCaption(Linked.Form44->Caption() + ModelName);
    Linked.Form44->ShowModal();
    Linked.Form44->SetCaption("Состояние модема для ");
}

void TForm1::N34Click() {
    Linked.Form21->ShowModal();
}
void TForm1::N35Click() {
    Linked.Form46->ShowModal();
}
void TForm1::N38Click() {
    Linked.Form43->ShowModal();
}

// The windows still waiting for their content: captions, and the controls other windows set.
#include "shell/later_windows.h"

#include "shell/main_window_models.h"

TForm8* Form8 = nullptr;
TForm9* Form9 = nullptr;
TForm15* Form15 = nullptr;
TForm16* Form16 = nullptr;
TForm17* Form17 = nullptr;
TForm18* Form18 = nullptr;
TForm19* Form19 = nullptr;
TForm22* Form22 = nullptr;
TForm23* Form23 = nullptr;
TForm24* Form24 = nullptr;
TForm25* Form25 = nullptr;
TForm31* Form31 = nullptr;
TForm35* Form35 = nullptr;
TForm36* Form36 = nullptr;
TForm37* Form37 = nullptr;
TForm41* Form41 = nullptr;
TForm42* Form42 = nullptr;
TForm43* Form43 = nullptr;
TForm44* Form44 = nullptr;
TForm45* Form45 = nullptr;
TForm46* Form46 = nullptr;
TForm48* Form48 = nullptr;
TForm49* Form49 = nullptr;
TForm51* Form51 = nullptr;
TForm53* Form53 = nullptr;
TForm54* Form54 = nullptr;

TForm8::TForm8() {
    SetCaption("Нефискальный чек");
}
TForm9::TForm9() {
    SetCaption("Служебное внесение и изъятие денег");
}
TForm15::TForm15() {
    SetCaption("Установить заводской номер");
}
TForm16::TForm16() {
    SetCaption("Изменение пароля налогового инспектора");
}
TForm17::TForm17() {
    SetCaption("Чтение фискальных параметров");
}
TForm18::TForm18() {
    SetCaption("Программирование фискальных параметров");
}
TForm19::TForm19() {
    SetCaption("Фискализация");
}
TForm22::TForm22() {
    SetCaption("Подтверждение программирования");
}
TForm23::TForm23() {
    SetCaption("Печать дневных отчетов");
}
TForm24::TForm24() {
    SetCaption("Отчет по реализованным товарам");
}
TForm25::TForm25() {
    SetCaption("Печать периодического отчета ");
}
TForm31::TForm31() {
    SetCaption("Печать дополнительных дневных отчетов");
}
TForm35::TForm35() {
    SetCaption("Аннулирование и закрытие чека");
}
TForm36::TForm36() {
    SetCaption("Результат операции");
}
TForm37::TForm37() {
    SetCaption("Программирование фискальных параметров");
}
TForm41::TForm41() {
    SetCaption("Копия чека");
}
TForm42::TForm42() {
    SetCaption("Параметры удаленного доступа");
}
TForm43::TForm43() {
    SetCaption("Чтение открытого ключа");
}
TForm44::TForm44() {
    SetCaption("Состояние модема для ");
}
TForm45::TForm45() {
    SetCaption("Чтение ПО");
}
TForm46::TForm46() {
    SetCaption("Чтение чека из регистратора");
}
TForm48::TForm48() {
    SetCaption("PQ-3 дневные отчеты");
}
TForm49::TForm49() {
    SetCaption("Параметры связи");
}
TForm51::TForm51() {
    SetCaption("Состояние модема");
}
TForm53::TForm53() {
    SetCaption("Последний успешный сеанс связи с эквайером");
}
TForm54::TForm54() {
    SetCaption("Копия чека (\"КСЕФ\")");
}

// The windows still waiting for their content: captions, and the controls other windows set.
#include "shell/later_windows.h"

#include "shell/main_window_models.h"

TForm8* Form8 = nullptr;
TForm9* Form9 = nullptr;
TForm23* Form23 = nullptr;
TForm24* Form24 = nullptr;
TForm25* Form25 = nullptr;
TForm31* Form31 = nullptr;
TForm35* Form35 = nullptr;
TForm41* Form41 = nullptr;
TForm48* Form48 = nullptr;
TForm54* Form54 = nullptr;

TForm8::TForm8() {
    SetCaption("Нефискальный чек");
}
TForm9::TForm9() {
    SetCaption("Служебное внесение и изъятие денег");
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
TForm41::TForm41() {
    SetCaption("Копия чека");
}
TForm48::TForm48() {
    SetCaption("PQ-3 дневные отчеты");
}
TForm54::TForm54() {
    SetCaption("Копия чека (\"КСЕФ\")");
}

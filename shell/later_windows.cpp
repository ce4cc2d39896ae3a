// The windows still waiting for their content: captions, and the controls other windows set.
#include "shell/later_windows.h"

#include "shell/main_window_models.h"

TForm42* Form42 = nullptr;
TForm43* Form43 = nullptr;
TForm44* Form44 = nullptr;
TForm45* Form45 = nullptr;
TForm46* Form46 = nullptr;
TForm49* Form49 = nullptr;
TForm51* Form51 = nullptr;
TForm53* Form53 = nullptr;

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
TForm49::TForm49() {
    SetCaption("Параметры связи");
}
TForm51::TForm51() {
    SetCaption("Состояние модема");
}
TForm53::TForm53() {
    SetCaption("Последний успешный сеанс связи с эквайером");
}

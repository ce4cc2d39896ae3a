#include "monitor/receipt_print_window.h"

TForm29* Form29 = nullptr;

TForm29::TForm29() {
    SetCaption("Печать фискальных чеков");
    SetBorderStyle(bsToolWindow);
    SetPosition(poScreenCenter);
    struct Row {
        const char* caption;
        TEdit& edit;
        const char* text;
    };
    const Row rows[] = {
        {"Минимальное количество позиций в чеке:", Edit1, "1"},
        {"Максимальное количество позиций в чеке:", Edit2, "1"},
        {"Минимальная цена товара:", Edit3, "0.01"},
        {"Максимальная цена товара:", Edit4, "0.01"},
        {"Минимальное количество товара:", Edit5, "1.000"},
        {"Максимальное количество товара:", Edit6, "1.000"},
        {"Количество чеков (0 - не ограничено):", Edit7, "0"},
        {"Пароль для программирования: ", Edit8, "736204"},
        {"Пароль для продажи:", Edit9, "736204"},
        {"Номер оператора:", Edit10, "1"},
        {"Налоговая группа (0-4):", Edit11, "0"},
        {"Товарная группа (1-99):", Edit12, "1"},
        {"Тип оплаты (0-9): ", Edit13, "0"},
    };
    Column main(*this);
    for (const Row& row : rows) {
        row.edit.SetText(row.text);
        main.Field(row.caption, row.edit);
    }
    Edit8.SetMaxLength(6);
    Edit9.SetMaxLength(6);
    Button1.SetCaption("Выполнить");
    Button2.SetCaption("Закрыть");
    main.Buttons({&Button1, &Button2});
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm29::FormActivate() {
    Started = false;
}

void TForm29::Button1Click() {
    Started = true;
    Close();
}

void TForm29::Button2Click() {
    Close();
}

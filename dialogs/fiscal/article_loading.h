#pragma once
// Article loading: an article file into the memo, and every line of the memo into the register's
// goods base. The fiscal receipt takes its article list from here.
#include <string>
#include <vector>

#include "platform/forms/forms.h"

class TForm20 : public TForm {
public:
    TForm20();

    TLabel Label1; // "Товары для программирования"
    TMemo Memo1;   // the loaded lines
    TLabel Label3; // full name of the loaded file; empty while none is loaded
    TEdit Edit1;   // password
    TProgressBar ProgressBar1;
    TStatusBar StatusBar1;
    TOpenDialog OpenDialog1;
    TButton Button1; // "Загрузить"
    TButton Button2; // "Записать в регистратор"
    TButton Button3; // "Очистить"
    TButton Button4; // "Выход"

    // Asks for an article file and loads it into Memo1; false when the person cancelled.
    bool ChooseAndLoadFile();

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

private:
    void LayOut();
    bool LinesParse(const std::vector<std::string>& lines);
    bool LinesFormable(const std::vector<std::string>& lines);
};

extern TForm20* Form20;

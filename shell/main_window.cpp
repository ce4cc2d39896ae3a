// The main window: its controls, their layout and the two looks of the connection state.
#include "shell/main_window.h"

#include "shell/main_window_models.h"
#include "shell/main_window_usb.h"

TForm1::TForm1() : PortControl1(SysfsRoot()) {
    SetCaption("Kaltor");
    SetUpControls();
    LayOut();
    BuildMenu();
    BindEvents();
}

void TForm1::SetUpControls() {
    GroupBox1.SetCaption("Подключение к последовательному порту");
    ComboBox2.Items().Assign(BaudRateTexts);
    Shape1.SetBrushColor(clRed);
    Button3.SetCaption("Подключить");
    Button2.SetCaption("Состояние регистратора");
    Button2.SetEnabled(false);
    Button5.SetCaption("Восстановить USB");
    Button5.Hide();

    GroupBox2.SetCaption("Банковский терминал");
    GroupBox2.Hide();
    ComboBox4.Items().Assign(BaudRateTexts);
    Shape2.SetBrushColor(clRed);
    Button4.SetCaption("Подключить");

    Button1.SetCaption("Закрыть");
    StatusBar1.SetSimplePanel(true);
    for (TShape* shape : {&Shape1, &Shape2}) {
        shape->SetWidth(24);
        shape->SetHeight(24);
    }
}

void TForm1::LayOut() {
    Column main(*this);
    Column connection = main.Group(GroupBox1);
    connection.Field("Порт:", ComboBox1).Field("Скорость обмена:", ComboBox2);
    connection.Line({&Shape1, &Button3, &Button2, &Button5});
    Column terminal = main.Group(GroupBox2);
    terminal.Field("Порт:", ComboBox3).Field("Скорость обмена:", ComboBox4);
    terminal.Line({&Shape2, &Button4});
    main.Stretch();
    main.Buttons({&Button1});
    SetStatusBar(StatusBar1);
}

void TForm1::BindEvents() {
    OnActivate = [this] { FormActivate(); };
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button4.OnClick = [this] { Button4Click(); };
    Button5.OnClick = [this] { Button5Click(); };
}

std::vector<TMenuItem*> TForm1::ConnectedMenus() {
    return {&N6, &N2, &N4, &N17, &N28, &N24};
}

void TForm1::ShowDisconnectedState() {
    for (TMenuItem* item : ConnectedMenus())
        item->SetEnabled(false);
    Shape1.SetBrushColor(clRed);
    Button3.SetCaption("Подключить");
    ComboBox1.SetEnabled(true);
    ComboBox2.SetEnabled(true);
    Button2.SetEnabled(false);
    SetStatusLine("");
}

void TForm1::ShowConnectedState() {
    for (TMenuItem* item : ConnectedMenus())
        item->SetEnabled(true);
    Shape1.SetBrushColor(clLime);
    Button3.SetCaption("Отключить");
    ComboBox1.SetEnabled(false);
    ComboBox2.SetEnabled(false);
    Button2.SetEnabled(true);
}

void TForm1::SetStatusLine(const std::string& text) {
    StatusBar1.SetSimpleText(text);
}

bool TForm1::SelectSpeed(const std::string& rate) {
    const auto index = BaudRateIndex(rate);
    if (index) ComboBox2.SetItemIndex(*index);
    return index.has_value();
}

void TForm1::Button1Click() {
    Close();
}

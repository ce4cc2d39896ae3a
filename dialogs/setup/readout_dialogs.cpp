#include "dialogs/setup/readout_dialogs.h"

#include <filesystem>

#include "platform/text/text.h"
#include "shell/session.h"
#include "shell/typed_fields.h"

TForm43* Form43 = nullptr;
TForm45* Form45 = nullptr;
TForm46* Form46 = nullptr;

namespace {
constexpr int kFirmware = 5, kPublicKey = 3, kDocument = 1;

void SetUpReadout(TEdit& password, TEdit& errorField) {
    password.SetText(DefaultPassword);
    errorField.SetText("0000");
    errorField.SetReadOnly(true);
}
} // namespace

TForm45::TForm45() {
    SetCaption("Чтение ПО");
    SetPosition(poScreenCenter);
    SetUpReadout(Edit2, Edit7);
    Button1.SetCaption("Чтение внутреннего ПО");
    Button3.SetCaption("Стоп");
    Button2.SetCaption("Выход");
    SaveDialog1.SetDefaultExt("HEX");
    SaveDialog1.SetFilter("HEX файлы|*.HEX|Все файлы|*.*");
    Column main(*this);
    main.Field("Пароль:", Edit2).Field("Код ошибки:", Edit7).Add(ProgressBar1);
    main.Line({&Button1, &Button3});
    main.Buttons({&Button2});
    Button1.OnClick = [this] { Button1Click(); };
    Button3.OnClick = [this] { Button3Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm45::FormActivate() {
    StopRequested = false;
}

// The window answers between packets, so the start button is off while a transfer runs.
void TForm45::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit2.Text()}})) return;
    StopRequested = false;
    if (!SaveDialog1.Execute()) return;
    Button1.SetEnabled(false);
    ReadoutRequest request{
        .Function = kFirmware, .Password = Edit2.Text(), .Path = SaveDialog1.FileName(), .ErrorEdit = &Edit7};
    request.Stopped = [this] {
        Application->ProcessMessages();
        return StopRequested;
    };
    request.Started = [this](int size) {
        ProgressBar1.SetMin(0);
        ProgressBar1.SetMax(size);
        ProgressBar1.SetPosition(0);
    };
    request.Written = [this](int bytes) { ProgressBar1.SetPosition(bytes); };
    const ReadoutResult result = ReadOut(request);
    ProgressBar1.SetPosition(0);
    Button1.SetEnabled(true);
    if (result == ReadoutResult::Done) ShowMessage("Чтение внутреннего ПО - успешно!");
}

void TForm45::Button3Click() {
    StopRequested = true;
}

void TForm45::Button2Click() {
    Close();
}

TForm43::TForm43() {
    SetCaption("Чтение открытого ключа");
    SetPosition(poScreenCenter);
    SetUpReadout(Edit2, Edit7);
    RadioGroup1.SetCaption("Выбор открытого ключа");
    RadioGroup1.Items().Assign(
        {"Прочитать текущий ключ", "Прочитать последний ключ", "Прочитать предыдущий ключ"});
    RadioGroup1.SetItemIndex(0);
    Button1.SetCaption("Сохранить ключ");
    Button1.SetHint("Сохранить открытый ключ регистратора в файле.");
    Button2.SetCaption("Выход");
    SaveDialog1.SetDefaultExt("KEY");
    SaveDialog1.SetFilter("KEY файлы|*.KEY|Все файлы|*.*");
    Column main(*this);
    main.Field("Пароль:", Edit2).Add(RadioGroup1).Field("Код ошибки:", Edit7);
    main.Buttons({&Button1, &Button2});
    Button1.OnClick = [this] { Button1Click(); };
    Button2.OnClick = [this] { Button2Click(); };
    OnActivate = [this] { FormActivate(); };
}

void TForm43::FormActivate() {
    SaveDialog1.SetInitialDir(std::filesystem::current_path().string());
}

void TForm43::Button1Click() {
    if (!FieldsAccepted({{"Пароль:", Edit2.Text()}})) return;
    if (!SaveDialog1.Execute()) return;
    const ReadoutRequest request{.Function = kPublicKey,
                                 .Number = RadioGroup1.ItemIndex(),
                                 .Password = Edit2.Text(),
                                 .Path = SaveDialog1.FileName(),
                                 .ErrorEdit = &Edit7};
    if (ReadOut(request) == ReadoutResult::Done) ShowMessage("Чтение открытого ключа - успешно!");
}

void TForm43::Button2Click() {
    Close();
}

TForm46::TForm46() {
    SetCaption("Чтение чека из регистратора");
    SetPosition(poScreenCenter);
    SetUpReadout(Edit2, Edit7);
    Edit6.SetText("1");
    Edit8.SetText("SIG");
    Edit4.SetText("1.SIG");
    Button2.SetCaption("Выполнить");
    Button1.SetCaption("Выход");
    Column main(*this);
    main.Field("Пароль:", Edit2)
        .Field("Номер файла  в регистраторе:", Edit6)
        .Field("Расширение имени файла:", Edit8)
        .Field("Выбор каталога:", DirectoryEdit1)
        .Field("Имя файла:", Edit4)
        .Field("Код ошибки:", Edit7);
    main.Buttons({&Button2, &Button1});
    Edit6.OnChange = [this] { Edit6Change(); };
    Edit8.OnChange = [this] { Edit8Change(); };
    Button2.OnClick = [this] { Button2Click(); };
    Button1.OnClick = [this] { Button1Click(); };
}

void TForm46::Edit6Change() {
    Edit4.SetText(Edit6.Text() + "." + Edit8.Text());
}

void TForm46::Edit8Change() {
    Edit4.SetText(Edit6.Text() + "." + Edit8.Text());
}

// An empty folder is the folder the program was started in, where it keeps its settings.
std::string TForm46::TargetPath() const {
    std::string folder = DirectoryEdit1.Text();
    if (folder.empty())
        folder = Session.StartFolder.empty() ? std::filesystem::current_path().string() : Session.StartFolder;
    return folder + "/" + Edit4.Text();
}

void TForm46::Button2Click() {
    if (!FieldsAccepted({{"Пароль:", Edit2.Text()}})) return;
    const auto number = TryDecimalStrToInt(Edit6.Text());
    if (!number) {
        ShowMessage("Некорректный номер документа - ошибка!");
        return;
    }
    if (ReadOut({.Function = kDocument,
                 .Number = *number,
                 .Password = Edit2.Text(),
                 .Path = TargetPath(),
                 .ErrorEdit = &Edit7}) == ReadoutResult::Done)
        ShowMessage("Чтение документа - успешно!");
}

void TForm46::Button1Click() {
    Close();
}

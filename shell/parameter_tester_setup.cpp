#include "shell/parameter_tester_setup.h"

TApiSetup ApiSetup;

namespace {

const char* const kHeaderLine =
    "Номер строки заголовка (рекламного текста) чека (0-9: заголовок, 10-13 - рекл.текст)";
const char* const kHeaderText = "Текст строки заголовка (рекламного текста) чека";
const char* const kTaxGroup = "Налоговая группа (цифра: 0 - А, 1 - Б, 2 - В, 3 - Г, 4 - Д)";
const char* const kDepartment = "Номер отдела (0-99)";
const char* const kFactoryNumber = "Заводской номер (11 символов)";
const char* const kFiscalNumber = "Фискальный номер (10 символов)";
const char* const kIdNumber = "Идентификационный номер - IД (12 символов)";
const char* const kTaxNumber = "Налоговый номер - ПН (12 символов)";
const char* const kSpeed = "Скорость обмена";
const char* const kContrast = "Контрастность печати";
const char* const kDocument = "Параметры документа";
const char* const kDrawer = "Импульс открытия денежного ящика";
const char* const kClearArticles = "Обнуление базы товаров";

} // namespace

// The logo line is 48 hexadecimal characters, the length the driver requires.
const std::array<ParameterTesterHandler, ParameterTesterHandlerCount> ParameterTesterHandlers = {{
    {"PrintEAN13Code1Click",
     0x6F,
     2,
     0,
     {"Высота кода (1-255):", "Код EAN13 (12 байт, без контрольной цифры):"},
     {}},
    {"SetDateTime1Click", 0x20, 2, 0, {"Дата:(DDMMYY)", "Время:(HHMM)"}, {}},
    {"SetUserLogo1Click",
     0x29,
     2,
     0,
     {"Номер линии (двузначное число 0-31)", "Линия (пикселы для печати) - строка 48 символов 0-F"},
     {}},
    {"GetDateTime1Click", 0x21, 0, 2, {}, {"Текущая дата (DDMMYY)", "Текущее время (HHMM)"}},
    {"SetHesderFooter1Click", 0x22, 2, 0, {kHeaderLine, kHeaderText}, {}},
    {"GetHeaderFooter1Click", 0x23, 1, 1, {kHeaderLine}, {kHeaderText}},
    {"AddArticul1Click",
     0x24,
     5,
     0,
     {"Код товара (до 9 цифр)", "Наименование товара (строки линии по 25 символов)", "Цена", kTaxGroup,
      kDepartment},
     {}},
    {"GetArticulIndex1Click", 0x25, 1, 1, {"Код товара"}, {"Индекс товара"}},
    {"GetArticulDataByIndex1Click",
     0x26,
     1,
     5,
     {"Индекс товара"},
     {"Код товара (до 9 цифр)", "Наименование товара (до 3-х строк по 25 символов)", "Цена", kTaxGroup,
      kDepartment}},
    {"SetRegistratorParams1Click", 0x27, 5, 0, {kSpeed, kContrast, kDocument, kDrawer, kClearArticles}, {}},
    {"GetRegistratorParams1Click", 0x28, 0, 5, {}, {kSpeed, kContrast, kDocument, kDrawer, kClearArticles}},
    {"SetPaymentParams1Click", 0x2D, 3, 0, {"Номер оплаты", "Маска разрешений", "Наименование"}, {}},
    {"SetModePsw1Click",
     0x2B,
     4,
     0,
     {"Пароль для режима ручных отчетов", "Пароль для режима программирования", "Пароль для режима отчетов",
      "Пароль администратора"},
     {}},
    {"ClearOpetratorPsw1Click", 0x2C, 1, 0, {"Индекс оператора"}, {}},
    {"GetPaymentParams1Click", 0x2E, 1, 2, {"Номер оплаты"}, {"Маска разрешений", "Наименование"}},
    {"SetOperatorParams1Click", 0x2F, 3, 0, {"Индекс оператора", "Новый пароль", "Имя оператора"}, {}},
    {"GetOperatorParams1Click", 0x30, 1, 2, {"Индекс оператора"}, {"Производил продажи", "Имя оператора"}},
    {"Fiscalize1Click", 0x40, 1, 0, {kFactoryNumber}, {}},
    {"SetSerialNumber1Click", 0x41, 1, 0, {kFactoryNumber}, {}},
    {"GetSerialNumber1Click", 0x42, 0, 1, {}, {"Заводской номер"}},
    {"SetFiscalNumber1Click", 0x43, 1, 0, {kFiscalNumber}, {}},
    {"GetFiscalNumber1Click", 0x44, 0, 1, {}, {kFiscalNumber}},
    {"SetTaxIdNumber1Click", 0x45, 2, 0, {kIdNumber, kTaxNumber}, {}},
    {"GetTaxIdNumber1Click", 0x46, 0, 2, {}, {kIdNumber, kTaxNumber}},
    {"SetTaxes1Click",
     0x47,
     4,
     0,
     {"Номер налога", "Маска", "Значение налога", "Наименование (19 символов)"},
     {}},
    {"GetTaxes1Click", 0x48, 1, 3, {"Номер налога"}, {"Маска", "Значение налога", "Наименование"}},
    {"OpenNonFiscalReceipt1Click", 0x60, 0, 0, {}, {}},
    {"PrintText1Click", 0x61, 1, 0, {"Текст (до 30 символов)"}, {}},
    {"CloseNonFiscalReceipt1Click", 0x62, 0, 0, {}, {}},
    {"OpenFiscalReceipt1Click", 0x63, 3, 0, {"Номер оператора", "Номер кассы", "Чек возврата"}, {}},
    {"SellItem1Click",
     0x64,
     3,
     2,
     {"Код товара", "Количество", "Цена"},
     {"Результат операции", "Сумма по чеку"}},
    {"CloseFiscalReceipt1Click", 0x65, 0, 0, {}, {}},
    {"MakeCopy1Click", 0x66, 1, 0, {"Количество копий (0 - 3)"}, {}},
}};

const ParameterTesterHandler* FindParameterTesterHandler(const std::string& name) {
    for (const ParameterTesterHandler& handler : ParameterTesterHandlers)
        if (name == handler.Name) return &handler;
    return nullptr;
}

void ApplyParameterTesterSetup(const ParameterTesterHandler& handler) {
    ApiSetup.ApiCode = handler.Code;
    ApiSetup.ApiInputCount = handler.Inputs;
    ApiSetup.ApiOutputCount = handler.Outputs;
    for (int i = 0; i < ApiParameterRows; ++i) {
        if (handler.InputHints[i]) ApiSetup.ApiInputHints[i] = handler.InputHints[i];
        if (handler.OutputHints[i]) ApiSetup.ApiOutputHints[i] = handler.OutputHints[i];
    }
}

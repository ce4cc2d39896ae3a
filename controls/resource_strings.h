#pragma once
// The controls' own texts, in the order of their resource numbers 61254 to 61264.
#include <string>

inline constexpr const char* SInformation = "Сведения";
inline constexpr const char* SLoadLibError = "Невозможно загрузить библиотеку '%s'";
inline constexpr const char* SIconFileError =
    "Указанный файл не является исполнимым файлом, динамической библиотекой или файлом иконки";
inline constexpr const char* SNotImplemented = "Функция не реализована";
inline constexpr const char* SPrevMonth = "Предыдущий месяц|";
inline constexpr const char* SPrevYear = "Предыдущий год|";
inline constexpr const char* SNextMonth = "Следующий месяц|";
inline constexpr const char* SNextYear = "Следующий год|";
inline constexpr const char* SDateDlgTitle = "Выбор даты";
inline constexpr const char* SDefaultFilter = "Все файлы (*.*)|*.*";
inline constexpr const char* SListCaption = "Список";

constexpr int FirstResourceString = 61254;
// The text of resource number id, or "" for another number.
std::string ResourceString(int id);

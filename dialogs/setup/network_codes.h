#pragma once
// How the register carries network values: an IPv4 address as eight hexadecimal digits, first octet
// first (C0A8010A is 192.168.1.10), and a number 0..65535 as four hexadecimal digits, low byte first
// (901F is 8080). Hexadecimal digits here are "0"-"9" and upper-case "A"-"F" only.
#include <optional>
#include <string>

// The dotted address of an answer field; nothing when its first eight characters are not all digits.
std::optional<std::string> DecodePackedAddress(const std::string& field);
// The number of an answer field; nothing when its first four characters are not all digits.
std::optional<int> DecodeSwappedWord(const std::string& field);

// A dotted decimal address as the register takes it; nothing unless it has exactly four parts of
// 0..255. A part that is not a decimal number raises the conversion error.
std::optional<std::string> PackedAddress(const std::string& dotted);
// value must be 0..65535.
std::string SwappedWord(int value);

inline const std::string BadAddressMessage = "Некорректный IP-адрес. Ошибка!";
inline const std::string BadPortMessage = "Некорректный номер порта. Ошибка!";
inline const std::string BadFieldMessage =
    "Информация переданная регистратором неверна. Чтение данных остановлено.";
inline const std::string NetworkTimeoutMessage = "Ошибка выполнения команды. Таймаут";

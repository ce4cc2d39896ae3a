#pragma once
// The simulated terminal may speak CP1251: field values given as UTF-8 are sent as its bytes.
#include <optional>
#include <string>

namespace regterm {

// ASCII, the Russian and Ukrainian letters and "№"; nullopt for anything else or bad UTF-8.
std::optional<std::string> Utf8ToCp1251(const std::string& text);

} // namespace regterm

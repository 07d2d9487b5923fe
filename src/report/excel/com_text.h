// Texts between the program and COM: code page 1251 to the wide strings that automation takes,
// error codes to UTF-8 reasons.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrix::report::excel {

std::wstring WideFromCp1251(std::string_view cp1251);
// The system's text for an HRESULT with its number, or the number alone.
std::string HresultText(HRESULT result);

}  // namespace tavrix::report::excel

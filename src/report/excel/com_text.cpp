#include "report/excel/com_text.h"

#include <cstdio>

#include "core/windows_text.h"

namespace tavrix::report::excel {

std::wstring WideFromCp1251(std::string_view cp1251) {
  if (cp1251.empty()) return {};
  const int size = static_cast<int>(cp1251.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  // Every byte of code page 1251 is one UTF-16 unit.
  const int n = ::MultiByteToWideChar(1251, 0, cp1251.data(), size, wide.data(), size);
  wide.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return wide;
}

std::string HresultText(HRESULT result) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  const std::string text = SystemErrorText(static_cast<std::uint32_t>(result));
  return text.empty() ? std::string(code) : text + " (" + code + ")";
}

}  // namespace tavrix::report::excel

// Windows only: the system's wide texts as the core's UTF-8 messages take them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrix {

std::string Utf8FromWide(std::wstring_view wide);

// The system's text for an error code (GetLastError, HRESULT), without the final full stop and
// line end; "" when the system has none.
std::string SystemErrorText(std::uint32_t code);

}  // namespace tavrix

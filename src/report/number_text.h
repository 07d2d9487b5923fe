// Numbers in report texts: the "general format" of reports (up to 15 significant digits, no
// trailing zeros, the user's decimal separator) and the conversion of a library's number fields.
// Library decimals read with either a point or a comma, so one library serves every locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix::report {

// 0.1f widened gives "0,100000001490116" with ','; 6553.5, -0.5, 102.3; 1E20 and 1.5E-7 beyond
// the fixed-point range (below 1E-5 or from 1E15 on); NAN, INF and -INF; negative zero is "0".
std::string FormatGeneral(double value, char decimal_separator);

// A signed 32-bit decimal integer, blanks around it allowed; none when the text is anything else.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// A decimal number such as "0.1", "0,1", "-2", "1E3", blanks around it allowed.
std::optional<double> ParseDecimal(std::string_view text);

}  // namespace tavrix::report

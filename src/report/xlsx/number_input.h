// How the spreadsheet application takes a text assigned to a cell: a text that reads as a plain
// decimal number in the user's notation (sign, digits, the user's decimal separator, an exponent
// as in "1,5E-7", blanks around) becomes that number, as typed input does. Reports write their
// numbers as such texts, so they arrive as numbers that formats, formulas and charts can use.
// Dates, times, percentages and thousands separators are left as texts.
#pragma once

#include <optional>
#include <string_view>

namespace tavrix::report::xlsx {

std::optional<double> NumberFromInput(std::string_view cp1251, char decimal_separator);

}  // namespace tavrix::report::xlsx

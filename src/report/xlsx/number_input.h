// How the spreadsheet application takes a text assigned to a cell: a text that reads as a plain
// decimal number in the user's notation (sign, digits, the user's decimal separator, an exponent
// as in "1,5E-7", blanks around) becomes that number, as typed input does. Reports write their
// numbers as such texts, so they arrive as numbers that formats, formulas and charts can use.
// Dates, times, percentages and thousands separators are left as texts, and so is every text
// that lands on a cell whose number format is Text ("@"), such as a serial number with leading
// zeros.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

namespace tavrix::report::xlsx {

std::optional<double> NumberFromInput(std::string_view cp1251, char decimal_separator);

// How one workbook takes the texts assigned to its cells.
struct CellInput {
  char decimal_separator = '.';
  std::vector<bool> text_styles;  // by cell style (the s attribute): its number format is Text

  // The number that a text landing on a cell of `style` becomes, if it becomes one.
  std::optional<double> Number(std::string_view cp1251, std::string_view style) const;
};

// The cell styles (<cellXfs> of a styles part) whose number format is Text: the built-in 49 or
// a format of the part's own whose code is "@".
std::vector<bool> TextStyles(const pugi::xml_document& styles);

}  // namespace tavrix::report::xlsx

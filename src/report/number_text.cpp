#include "report/number_text.h"

#include <charconv>
#include <cmath>

namespace tavrix::report {
namespace {

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string FormatGeneral(double value, char decimal_separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char buffer[64];
  const double magnitude = std::fabs(value);
  std::string text;
  if (magnitude >= 1e-5 && magnitude < 1e-4) {
    // The general format stays fixed down to 1E-5 (where %g would switch at 1E-4): 15
    // significant digits lie 19 places after the point here.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 19);
    text.assign(buffer, result.ptr);
    text.erase(text.find_last_not_of('0') + 1);
  } else {
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    text.assign(buffer, result.ptr);
  }
  // to_chars writes "1e+20" and "1.5e-07"; reports write "1E20" and "1.5E-7".
  if (const auto e = text.find('e'); e != std::string::npos) {
    std::string exponent = text.substr(e + 1);
    const bool negative = exponent[0] == '-';
    exponent.erase(0, exponent.find_first_not_of("+-0"));
    text = text.substr(0, e) + "E" + (negative ? "-" : "") + exponent;
  }
  if (const auto point = text.find('.'); point != std::string::npos)
    text[point] = decimal_separator;
  return text;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  text = Trim(text);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
  std::string copy(Trim(text));
  if (copy.size() > 1 && copy[0] == '+' && copy[1] != '-') copy.erase(0, 1);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  double value = 0;
  const auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  if (copy.empty() || error != std::errc{} || end != copy.data() + copy.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace tavrix::report

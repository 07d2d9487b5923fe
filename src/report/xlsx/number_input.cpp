#include "report/xlsx/number_input.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tavrix::report::xlsx {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t Digits(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

}  // namespace

std::optional<double> NumberFromInput(std::string_view text, char decimal_separator) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  // The number in the notation that from_chars reads: a point, no '+'.
  std::string plain;
  std::size_t i = 0;
  if (text[i] == '+' || text[i] == '-') {
    if (text[i] == '-') plain += '-';
    ++i;
  }
  const std::size_t whole = Digits(text, i);
  plain.append(text.substr(i, whole));
  i += whole;
  std::size_t fraction = 0;
  if (i < text.size() && text[i] == decimal_separator) {
    fraction = Digits(text, ++i);
    plain += '.';
    plain.append(text.substr(i, fraction));
    i += fraction;
  }
  if (whole + fraction == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    const std::size_t exponent = Digits(text, i);
    if (exponent == 0) return std::nullopt;
    plain.append(text.substr(i, exponent));
    i += exponent;
  }
  if (i != text.size()) return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (ec != std::errc() || end != plain.data() + plain.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace tavrix::report::xlsx

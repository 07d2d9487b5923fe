#include "report/xlsx/number_input.h"

#include <charconv>
#include <cmath>
#include <set>
#include <string>

#include "report/xlsx/xml_text.h"

namespace tavrix::report::xlsx {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t Digits(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

constexpr unsigned kTextFormatId = 49;  // the built-in "@"

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

std::optional<double> CellInput::Number(std::string_view cp1251, std::string_view style) const {
  // A cell without a style has the first one.
  std::size_t index = 0;
  const auto [end, ec] = std::from_chars(style.data(), style.data() + style.size(), index);
  const bool known = style.empty() || (ec == std::errc() && end == style.data() + style.size());
  if (known && index < text_styles.size() && text_styles[index]) return std::nullopt;
  return NumberFromInput(cp1251, decimal_separator);
}

std::vector<bool> TextStyles(const pugi::xml_document& styles) {
  const pugi::xml_node sheet = styles.document_element();
  std::set<unsigned> text_formats = {kTextFormatId};
  for (pugi::xml_node format : Child(sheet, "numFmts").children()) {
    if (format.type() == pugi::node_element && LocalName(format.name()) == "numFmt" &&
        std::string_view(format.attribute("formatCode").value()) == "@") {
      text_formats.insert(format.attribute("numFmtId").as_uint());
    }
  }
  std::vector<bool> text;
  for (pugi::xml_node xf : Child(sheet, "cellXfs").children()) {
    if (xf.type() != pugi::node_element || LocalName(xf.name()) != "xf") continue;
    text.push_back(text_formats.count(xf.attribute("numFmtId").as_uint()) != 0);
  }
  return text;
}

}  // namespace tavrix::report::xlsx

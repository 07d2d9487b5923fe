#include "report/description_list.h"

#include "core/cp1251.h"
#include "report/number_text.h"
#include "report/report_messages.h"

namespace tavrix::report {

DescriptionList SplitLines(std::string_view text) {
  DescriptionList lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  if (line.empty()) return fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab - start));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return fields;
}

DescriptionLine::DescriptionLine(const DescriptionList& list, std::size_t index) : index_(index) {
  if (index < list.size()) fields_ = SplitFields(list[index]);
}

std::string_view DescriptionLine::Text(std::size_t field) const {
  return field < fields_.size() ? fields_[field] : std::string_view{};
}

void DescriptionLine::Fail(std::string_view problem) const {
  throw LibraryError(LineMessage(index_ + 1, problem));
}

std::string_view DescriptionLine::Present(std::size_t field) const {
  if (field >= fields_.size()) Fail(FieldMissingProblem(field));
  return fields_[field];
}

std::int32_t DescriptionLine::Integer(std::size_t field) const {
  const std::string_view text = Present(field);
  const auto value = ParseInteger(text);
  if (!value) Fail(NotIntegerProblem(field, Cp1251ToUtf8(text)));
  return *value;
}

double DescriptionLine::Decimal(std::size_t field) const {
  const std::string_view text = Present(field);
  const auto value = ParseDecimal(text);
  if (!value) Fail(NotNumberProblem(field, Cp1251ToUtf8(text)));
  return *value;
}

}  // namespace tavrix::report

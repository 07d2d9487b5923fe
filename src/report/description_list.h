// The description list: the unscrambled report library as lines (code page 1251), split at
// CR LF, a lone CR or a lone LF; a last line without a line break counts, a final line break
// adds no empty line. Each line is a record of TAB-separated fields numbered from 0; an empty
// line has no fields. DescriptionLine reads fields for the writers: a field that is missing
// reads as the empty text, and a number field that is missing or does not convert throws
// LibraryError, whose message names the line (counted from 1) and the field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"

namespace tavrix::report {

using DescriptionList = std::vector<std::string>;

DescriptionList SplitLines(std::string_view text);
// Views into `line`, which must outlive them.
std::vector<std::string_view> SplitFields(std::string_view line);

// A failure caused by the library's content; its message already names the line.
class LibraryError : public Error {
 public:
  using Error::Error;
};

// Line `index` of `list` (empty when the list has no such line); the list must outlive it.
class DescriptionLine {
 public:
  DescriptionLine(const DescriptionList& list, std::size_t index);

  std::size_t index() const { return index_; }
  // The field's text, or the empty text when the line has no such field.
  std::string_view Text(std::size_t field) const;
  std::int32_t Integer(std::size_t field) const;
  double Decimal(std::size_t field) const;

  // Throws LibraryError with this line's number and the problem (UTF-8).
  [[noreturn]] void Fail(std::string_view problem) const;

 private:
  std::string_view Present(std::size_t field) const;

  std::size_t index_;
  std::vector<std::string_view> fields_;
};

}  // namespace tavrix::report

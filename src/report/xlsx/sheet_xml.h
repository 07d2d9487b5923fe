// One worksheet of the workbook being filled: the template's part as a document, the range
// writes made on it in order, and the part's new text. The new <sheetData> is streamed into one
// pre-sized buffer (no document node per cell): rows and cells ascending with their references,
// a written cell keeping the template cell's style (else the row's or the column's), the
// template's other cells as they were, formulas without their cached values so that they
// recompute, and a <dimension> that covers every cell.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <pugixml.hpp>

#include "report/cell_address.h"
#include "report/cell_block.h"

namespace tavrix::report::xlsx {

class Worksheet {
 public:
  // Throws Error naming `part` of the template `label` when the text is not a worksheet.
  // Texts that read as numbers with `decimal_separator` become numbers (number_input.h), and
  // an empty text empties its cell.
  Worksheet(std::string_view xml, std::string_view label, std::string_view part,
            char decimal_separator);

  // The value lands in every cell of the range; throws Error for a range of more cells than a
  // report could mean.
  void Write(const CellRange& range, float number);
  void Write(const CellRange& range, std::string_view cp1251_text);
  // The block fills the range from its top-left cell; its cells outside the range are dropped.
  void Write(const CellRange& range, const CellBlock& block);

  // The part's new text. The worksheet is spent afterwards: its writes and rows are gone.
  std::string Render();

 private:
  struct RangeWrite {
    template <typename V>
    RangeWrite(const CellRange& a, V&& v) : area(a), value(std::forward<V>(v)) {}
    CellRange area;  // the cells the write sets
    std::variant<double, std::string, std::shared_ptr<const CellBlock>> value;
  };
  void CheckScalarArea(const CellRange& range) const;

  pugi::xml_document document_;
  std::size_t template_bytes_;
  char decimal_separator_;
  std::vector<RangeWrite> writes_;
};

}  // namespace tavrix::report::xlsx

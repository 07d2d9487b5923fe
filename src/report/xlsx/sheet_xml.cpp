#include "report/xlsx/sheet_xml.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <span>

#include "core/error.h"
#include "report/xlsx/number_input.h"
#include "report/xlsx/xlsx_messages.h"
#include "report/xlsx/xml_text.h"

namespace tavrix::report::xlsx {
namespace {

// A single value may fill a range of this many cells at most (a few full columns); more can only
// be a mistaken address, and would make a workbook of gigabytes.
constexpr std::int64_t kMaxScalarCells = std::int64_t{1} << 22;
// About what one written cell costs in the sheet's text, to size the buffer once.
constexpr std::size_t kBytesPerCell = 40;
// The rows go where this processing instruction stands in the saved frame.
constexpr const char* kSheetDataMarkerName = "tavrix-sheet-data";
constexpr std::string_view kSheetDataMarker = "<?tavrix-sheet-data?>";
// Stands for the dimension's reference until the cells are known; as long as the longest one.
constexpr std::string_view kDimensionMarker = "tavrix-dimension-ref-";
static_assert(kDimensionMarker.size() == std::string_view("XFD1048576:XFD1048576").size());
// Children of <worksheet> that the schema puts before <sheetData>, and before <dimension>.
constexpr std::array<std::string_view, 5> kBeforeSheetData = {"sheetPr", "dimension", "sheetViews",
                                                              "sheetFormatPr", "cols"};

std::int64_t Cells(const CellRange& r) {
  return std::int64_t{r.rows()} * std::int64_t{r.columns()};
}

void AppendInt(std::string& out, std::int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void AppendColumn(std::string& out, std::int32_t column) {
  char letters[4];
  int n = 0;
  for (; column > 0; column /= 26) letters[n++] = static_cast<char>('A' + (--column) % 26);
  while (n > 0) out += letters[--n];
}

void AppendAddress(std::string& out, std::int32_t row, std::int32_t column) {
  AppendColumn(out, column);
  AppendInt(out, row);
}

void AppendNumber(std::string& out, double value) {
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

// The element names in the namespace prefix that the template's sheet uses.
struct Tags {
  explicit Tags(std::string_view prefix) {
    const std::string p = prefix.empty() ? "" : std::string(prefix) + ":";
    row_open = "<" + p + "row r=\"";
    row_close = "</" + p + "row>";
    cell_open = "<" + p + "c r=\"";
    cell_close = "</" + p + "c>";
    value_open = "<" + p + "v>";
    value_close = "</" + p + "v>";
    inline_open = "<" + p + "is><" + p + "t";
    inline_close = "</" + p + "t></" + p + "is>";
  }
  std::string row_open, row_close, cell_open, cell_close, value_open, value_close, inline_open,
      inline_close;
};

struct TemplateCell {
  std::int32_t column;
  pugi::xml_node node;
};

struct TemplateRow {
  std::int32_t row;
  pugi::xml_node node;
  std::vector<TemplateCell> cells;
};

std::int32_t RowNumber(pugi::xml_node row, std::int32_t fallback) {
  const std::string_view text = row.attribute("r").value();
  std::int32_t n = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > kMaxSheetRows) {
    return fallback;
  }
  return n;
}

// The template's rows in order, each with its cells in order; a row or cell without a
// reference follows the one before it, and rows given twice are merged.
std::vector<TemplateRow> ReadTemplateRows(pugi::xml_node sheet_data) {
  std::vector<TemplateRow> rows;
  std::int32_t previous_row = 0;
  for (pugi::xml_node row : sheet_data.children()) {
    if (row.type() != pugi::node_element || LocalName(row.name()) != "row") continue;
    TemplateRow& r = rows.emplace_back(TemplateRow{RowNumber(row, previous_row + 1), row, {}});
    previous_row = r.row;
    std::int32_t previous_column = 0;
    for (pugi::xml_node cell : row.children()) {
      if (cell.type() != pugi::node_element || LocalName(cell.name()) != "c") continue;
      const auto address = ParseCellAddress(cell.attribute("r").value());
      const std::int32_t column =
          address ? address->column : std::min(previous_column + 1, kMaxSheetColumns);
      r.cells.push_back({column, cell});
      previous_column = column;
    }
  }
  std::stable_sort(rows.begin(), rows.end(),
                   [](const TemplateRow& a, const TemplateRow& b) { return a.row < b.row; });
  std::vector<TemplateRow> merged;
  for (TemplateRow& r : rows) {
    if (!merged.empty() && merged.back().row == r.row) {
      merged.back().cells.insert(merged.back().cells.end(), r.cells.begin(), r.cells.end());
    } else {
      merged.push_back(std::move(r));
    }
  }
  for (TemplateRow& r : merged) {
    std::stable_sort(
        r.cells.begin(), r.cells.end(),
        [](const TemplateCell& a, const TemplateCell& b) { return a.column < b.column; });
  }
  return merged;
}

struct ColumnStyle {
  std::int32_t min, max;
  std::string_view style;
};

std::vector<ColumnStyle> ReadColumnStyles(pugi::xml_node worksheet) {
  std::vector<ColumnStyle> styles;
  for (pugi::xml_node col : Child(worksheet, "cols").children()) {
    if (col.type() != pugi::node_element || LocalName(col.name()) != "col") continue;
    const std::string_view style = col.attribute("style").value();
    if (!style.empty())
      styles.push_back({col.attribute("min").as_int(), col.attribute("max").as_int(), style});
  }
  return styles;
}

std::string_view RowStyle(pugi::xml_node row) {
  const std::string_view custom = row.attribute("customFormat").value();
  return custom == "1" || custom == "true" ? std::string_view(row.attribute("s").value())
                                           : std::string_view();
}

std::string_view ColumnStyleOf(const std::vector<ColumnStyle>& styles, std::int32_t column) {
  for (const ColumnStyle& s : styles) {
    if (column >= s.min && column <= s.max) return s.style;
  }
  return {};
}

struct Value {
  CellKind kind = CellKind::kEmpty;
  double number = 0;
  std::string_view text;
};

// What a write leaves in the cell at row, column inside its area.
template <typename RangeWrite>
Value ValueAt(const RangeWrite& write, std::int32_t row, std::int32_t column,
              char decimal_separator) {
  Value value;
  if (const double* n = std::get_if<double>(&write.value)) {
    // As Excel stores a single: the double of the same value, 0.1f as 0.10000000149011612.
    return {CellKind::kNumber, *n, {}};
  }
  if (const std::string* t = std::get_if<std::string>(&write.value)) {
    value = {CellKind::kText, 0, *t};
  } else {
    const CellView v = std::get<std::shared_ptr<const CellBlock>>(write.value)
                           ->At(static_cast<std::size_t>(row - write.area.first.row),
                                static_cast<std::size_t>(column - write.area.first.column));
    value = {v.kind, v.number, v.text};
  }
  if (value.kind == CellKind::kText) {
    if (value.text.empty()) return {};
    if (const auto number = NumberFromInput(value.text, decimal_separator)) {
      return {CellKind::kNumber, *number, {}};
    }
  }
  return value;
}

// The cells that the sheet holds, for <dimension>.
struct Extent {
  std::int32_t first_row = 0, last_row = 0, first_column = 0, last_column = 0;
  void Add(std::int32_t row, std::int32_t column) {
    if (first_row == 0) {
      first_row = last_row = row;
      first_column = last_column = column;
      return;
    }
    first_row = std::min(first_row, row);
    last_row = std::max(last_row, row);
    first_column = std::min(first_column, column);
    last_column = std::max(last_column, column);
  }
  std::string Ref() const {
    if (first_row == 0) return "A1";
    std::string ref;
    AppendAddress(ref, first_row, first_column);
    if (first_row != last_row || first_column != last_column) {
      ref += ':';
      AppendAddress(ref, last_row, last_column);
    }
    return ref;
  }
};

pugi::xml_node InsertAfterLeading(pugi::xml_node worksheet, std::string_view local,
                                  std::span<const std::string_view> leading) {
  pugi::xml_node after;
  for (pugi::xml_node child : worksheet.children()) {
    if (child.type() != pugi::node_element) continue;
    if (std::find(leading.begin(), leading.end(), LocalName(child.name())) == leading.end()) break;
    after = child;
  }
  const std::string name = SameNamespace(worksheet, local);
  return after ? worksheet.insert_child_after(name.c_str(), after)
               : worksheet.prepend_child(name.c_str());
}

// Streams the rows of <sheetData>.
class SheetDataWriter {
 public:
  SheetDataWriter(std::string& out, std::string_view prefix, std::vector<ColumnStyle> styles)
      : out_(out), tags_(prefix), styles_(std::move(styles)) {}

  const Extent& extent() const { return extent_; }

  void BeginRow(std::int32_t row, const TemplateRow* from) {
    row_start_ = out_.size();
    row_has_cells_ = false;
    row_from_template_ = from != nullptr;
    row_style_ = from != nullptr ? RowStyle(from->node) : std::string_view();
    out_ += tags_.row_open;
    AppendInt(out_, row);
    out_ += '"';
    if (from != nullptr) {
      for (pugi::xml_attribute a : from->node.attributes()) {
        const std::string_view name = a.name();
        if (name == "r" || name == "spans") continue;
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        AppendAttributeValue(out_, a.value());
        out_ += '"';
      }
    }
    out_ += '>';
  }

  void EndRow() {
    // A row that only the writes asked for and that ended up with no cell is left out.
    if (!row_from_template_ && !row_has_cells_) {
      out_.resize(row_start_);
      return;
    }
    out_ += tags_.row_close;
  }

  // The template's cell as it was, but a formula loses its cached value so that it recomputes.
  void TemplateCellAsIs(std::int32_t row, const TemplateCell& cell) {
    pugi::xml_node node = cell.node;
    if (Child(node, "f")) {
      node.remove_attribute("t");
      while (const pugi::xml_node v = Child(node, "v")) node.remove_child(v);
    }
    if (!node.attribute("r")) {
      std::string address;
      AppendAddress(address, row, cell.column);
      node.prepend_attribute("r").set_value(address.c_str());
    }
    StringWriter writer(out_);
    node.print(writer, "", pugi::format_raw);
    Count(row, cell.column);
  }

  // A written value; `over` is the template's cell there, if it had one.
  void WrittenCell(std::int32_t row, std::int32_t column, const Value& value,
                   const TemplateCell* over) {
    const std::string_view style = over != nullptr
                                       ? std::string_view(over->node.attribute("s").value())
                                   : !row_style_.empty() ? row_style_
                                                         : ColumnStyleOf(styles_, column);
    if (value.kind == CellKind::kEmpty && style.empty()) return;  // nothing left to keep
    out_ += tags_.cell_open;
    AppendAddress(out_, row, column);
    out_ += '"';
    if (!style.empty()) {
      out_ += " s=\"";
      AppendAttributeValue(out_, style);
      out_ += '"';
    }
    switch (value.kind) {
      case CellKind::kEmpty:
        out_ += "/>";
        break;
      case CellKind::kNumber:
        AppendNumberValue(value);
        break;
      case CellKind::kText:
        out_ += " t=\"inlineStr\">";
        out_ += tags_.inline_open;
        out_ += NeedsPreserve(value.text) ? " xml:space=\"preserve\">" : ">";
        AppendCellText(out_, value.text);
        out_ += tags_.inline_close;
        out_ += tags_.cell_close;
        break;
    }
    Count(row, column);
  }

 private:
  void AppendNumberValue(const Value& value) {
    if (!std::isfinite(value.number)) {
      // A cell cannot hold an infinity or a NaN; Excel shows such a result as #NUM!.
      out_ += " t=\"e\">";
      out_ += tags_.value_open;
      out_ += "#NUM!";
    } else {
      out_ += '>';
      out_ += tags_.value_open;
      AppendNumber(out_, value.number);
    }
    out_ += tags_.value_close;
    out_ += tags_.cell_close;
  }

  void Count(std::int32_t row, std::int32_t column) {
    row_has_cells_ = true;
    extent_.Add(row, column);
  }

  std::string& out_;
  Tags tags_;
  std::vector<ColumnStyle> styles_;
  Extent extent_;
  std::size_t row_start_ = 0;
  bool row_has_cells_ = false;
  bool row_from_template_ = false;
  std::string_view row_style_;
};

}  // namespace

Worksheet::Worksheet(std::string_view xml, std::string_view label, std::string_view part,
                     char decimal_separator)
    : template_bytes_(xml.size()), decimal_separator_(decimal_separator) {
  ParsePart(document_, xml, label, part);
  if (LocalName(document_.document_element().name()) != "worksheet") {
    throw Error(TemplateProblem(label, BadPartProblem(part, "это не рабочий лист")));
  }
}

void Worksheet::CheckScalarArea(const CellRange& range) const {
  if (Cells(range) > kMaxScalarCells) {
    throw Error(
        RangeTooLargeMessage(FormatCellAddress(range.first) + ":" + FormatCellAddress(range.last)));
  }
}

void Worksheet::Write(const CellRange& range, float number) {
  CheckScalarArea(range);
  writes_.emplace_back(range, double{number});
}

void Worksheet::Write(const CellRange& range, std::string_view cp1251_text) {
  CheckScalarArea(range);
  writes_.emplace_back(range, std::string(ClipCellText(cp1251_text)));
}

void Worksheet::Write(const CellRange& range, const CellBlock& block) {
  if (block.rows() == 0 || block.columns() == 0) return;
  CellRange area = range;
  area.last.row = static_cast<std::int32_t>(
      std::min<std::int64_t>(range.last.row, range.first.row + std::int64_t(block.rows()) - 1));
  area.last.column = static_cast<std::int32_t>(std::min<std::int64_t>(
      range.last.column, range.first.column + std::int64_t(block.columns()) - 1));
  writes_.emplace_back(area, std::make_shared<const CellBlock>(block));
}

std::string Worksheet::Render() {
  pugi::xml_node root = document_.document_element();
  pugi::xml_node sheet_data = Child(root, "sheetData");
  if (!sheet_data) sheet_data = InsertAfterLeading(root, "sheetData", kBeforeSheetData);
  // The template's rows move to a document of their own, so that the frame around them can be
  // saved first and the rows streamed after it.
  pugi::xml_document template_data;
  const pugi::xml_node rows_copy = template_data.append_copy(sheet_data);
  std::vector<TemplateRow> template_rows = ReadTemplateRows(rows_copy);
  pugi::xml_node dimension = Child(root, "dimension");
  if (!dimension) {
    dimension = InsertAfterLeading(root, "dimension", std::span(kBeforeSheetData).first(1));
  }
  if (!dimension.attribute("ref")) dimension.append_attribute("ref");
  dimension.attribute("ref").set_value(kDimensionMarker.data());
  sheet_data.remove_children();
  sheet_data.append_child(pugi::node_pi).set_name(kSheetDataMarkerName);
  const std::string frame = SavePart(document_);
  const std::size_t data_at = frame.find(kSheetDataMarker);
  const std::size_t dimension_at = frame.find(kDimensionMarker);

  std::vector<std::int32_t> row_numbers;
  std::size_t estimate = 0;
  for (const TemplateRow& r : template_rows) row_numbers.push_back(r.row);
  for (const RangeWrite& w : writes_) {
    for (std::int32_t r = w.area.first.row; r <= w.area.last.row; ++r) row_numbers.push_back(r);
    estimate += static_cast<std::size_t>(Cells(w.area)) * kBytesPerCell;
  }
  std::sort(row_numbers.begin(), row_numbers.end());
  row_numbers.erase(std::unique(row_numbers.begin(), row_numbers.end()), row_numbers.end());

  std::string out;
  out.reserve(estimate + template_bytes_ + 4096);
  out.append(frame, 0, data_at);
  SheetDataWriter writer(out, Prefix(sheet_data.name()), ReadColumnStyles(root));
  std::vector<const RangeWrite*> active;
  std::vector<std::int32_t> columns;
  auto next_template = template_rows.begin();
  for (const std::int32_t r : row_numbers) {
    const TemplateRow* from = nullptr;
    if (next_template != template_rows.end() && next_template->row == r) from = &*next_template++;
    active.clear();
    for (const RangeWrite& w : writes_) {
      if (w.area.first.row <= r && r <= w.area.last.row) active.push_back(&w);
    }
    columns.clear();
    if (from != nullptr) {
      for (const TemplateCell& c : from->cells) columns.push_back(c.column);
    }
    for (const RangeWrite* w : active) {
      for (std::int32_t c = w->area.first.column; c <= w->area.last.column; ++c)
        columns.push_back(c);
    }
    if (active.size() + (from != nullptr) > 1) {
      std::sort(columns.begin(), columns.end());
      columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    }

    writer.BeginRow(r, from);
    std::size_t next_cell = 0;
    for (const std::int32_t c : columns) {
      const TemplateCell* over = nullptr;
      if (from != nullptr) {
        while (next_cell < from->cells.size() && from->cells[next_cell].column < c) ++next_cell;
        if (next_cell < from->cells.size() && from->cells[next_cell].column == c) {
          over = &from->cells[next_cell++];
        }
      }
      const RangeWrite* top = nullptr;
      for (auto w = active.rbegin(); w != active.rend() && top == nullptr; ++w) {
        if ((*w)->area.first.column <= c && c <= (*w)->area.last.column) top = *w;
      }
      if (top == nullptr) {
        writer.TemplateCellAsIs(r, *over);
        continue;
      }
      writer.WrittenCell(r, c, ValueAt(*top, r, c, decimal_separator_), over);
    }
    writer.EndRow();
  }

  out.append(frame, data_at + kSheetDataMarker.size());
  // The marker is as long as the longest reference; a shorter one is padded with blanks after
  // its closing quote, which XML allows between attributes.
  std::string ref = writer.extent().Ref() + '"';
  ref.resize(kDimensionMarker.size() + 1, ' ');
  out.replace(dimension_at, ref.size(), ref);
  writes_.clear();
  return out;
}

}  // namespace tavrix::report::xlsx

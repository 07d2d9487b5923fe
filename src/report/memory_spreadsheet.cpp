#include "report/memory_spreadsheet.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"

namespace tavrix::report {

std::ostream& operator<<(std::ostream& out, const CellContent& cell) {
  switch (cell.kind) {
    case CellKind::kEmpty:
      return out << "empty";
    case CellKind::kNumber:
      return out << "number " << cell.number;
    case CellKind::kText:
      return out << "text \"" << Cp1251ToUtf8(cell.text) << "\"";
  }
  return out;
}

void MemorySpreadsheet::Record(std::string call) {
  if (!fail_at_.empty() && call.starts_with(fail_at_)) {
    fail_at_.clear();
    throw Error("Сбой таблицы: " + call);
  }
  calls_.push_back(std::move(call));
}

void MemorySpreadsheet::Connect() {
  Record("Connect");
  connected_ = true;
  quit_ = false;
}

void MemorySpreadsheet::OpenTemplate(const std::filesystem::path& path) {
  Record("OpenTemplate " + PathToUtf8(path));
  if (!connected_) throw Error("Нет связи с табличным процессором");
  workbook_open_ = true;
}

void MemorySpreadsheet::SelectWorksheet(int number) {
  Record("SelectWorksheet " + std::to_string(number));
  if (!workbook_open_) throw Error("Книга не открыта");
  if (number < 1 || number > worksheets_)
    throw Error("В книге нет листа " + std::to_string(number));
  selected_ = number;
}

void MemorySpreadsheet::ReleaseWorksheet() {
  Record("ReleaseWorksheet");
  selected_ = 0;
}

CellRange MemorySpreadsheet::RangeOf(std::string_view corner1, std::string_view corner2) const {
  if (selected_ == 0) throw Error("Лист не выбран");
  const auto range = ParseCellRange(corner1, corner2);
  if (!range) {
    throw Error("Неверный адрес диапазона «" + Cp1251ToUtf8(corner1) + ":" + Cp1251ToUtf8(corner2) +
                "»");
  }
  return *range;
}

void MemorySpreadsheet::Store(std::string_view corner1, std::string_view corner2, std::string what,
                              decltype(Write::value) value) {
  Record("WriteRange " + Cp1251ToUtf8(corner1) + ":" + Cp1251ToUtf8(corner2) + " " + what);
  const CellRange range = RangeOf(corner1, corner2);
  if (keep_cells_) sheets_[selected_].push_back({range, std::move(value)});
}

void MemorySpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                   float number) {
  Store(corner1, corner2, "number", number);
}

void MemorySpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                   std::string_view text) {
  Store(corner1, corner2, "text", std::string(text));
}

void MemorySpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                   const CellBlock& block) {
  Store(corner1, corner2,
        "block " + std::to_string(block.rows()) + "x" + std::to_string(block.columns()),
        keep_cells_ ? std::make_shared<const CellBlock>(block) : nullptr);
  block_cells_ += block.rows() * block.columns();
}

void MemorySpreadsheet::Show() {
  Record("Show");
  visible_ = true;
}

void MemorySpreadsheet::Quit() {
  Record("Quit");
  connected_ = workbook_open_ = false;
  selected_ = 0;
  quit_ = true;
}

CellContent MemorySpreadsheet::Cell(int worksheet, std::string_view address) const {
  const auto a = ParseCellAddress(address);
  const auto sheet = sheets_.find(worksheet);
  if (!a || sheet == sheets_.end()) return {};
  for (auto w = sheet->second.rbegin(); w != sheet->second.rend(); ++w) {
    if (!w->range.Contains(*a)) continue;
    if (const float* n = std::get_if<float>(&w->value)) return Number(*n);
    if (const std::string* t = std::get_if<std::string>(&w->value)) return Text(*t);
    const CellBlock& block = *std::get<std::shared_ptr<const CellBlock>>(w->value);
    const auto row = static_cast<std::size_t>(a->row - w->range.first.row);
    const auto column = static_cast<std::size_t>(a->column - w->range.first.column);
    if (row >= block.rows() || column >= block.columns()) continue;
    const CellView cell = block.At(row, column);
    return {cell.kind, cell.number, std::string(cell.text)};
  }
  return {};
}

}  // namespace tavrix::report

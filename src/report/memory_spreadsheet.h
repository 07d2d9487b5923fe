// A spreadsheet in memory, for tests and benchmarks: it keeps every cell written, per worksheet,
// drops block cells outside their range as Excel does, and records each call as a line of text
// ("SelectWorksheet 2", "WriteRange A5:E2604 block 2601x6") so that tests can check the order.
// It fails like a real application would: a worksheet beyond its count, a write with no worksheet
// selected, an invalid address; and it can be told to fail at a chosen call.
#pragma once

#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "report/cell_address.h"
#include "report/spreadsheet.h"

namespace tavrix::report {

// One cell as a test sees it.
struct CellContent {
  CellKind kind = CellKind::kEmpty;
  double number = 0;
  std::string text;

  bool operator==(const CellContent&) const = default;
};
inline CellContent Number(double n) { return {CellKind::kNumber, n, {}}; }
inline CellContent Text(std::string t) { return {CellKind::kText, 0, std::move(t)}; }
inline CellContent Empty() { return {}; }
std::ostream& operator<<(std::ostream& out, const CellContent& cell);

class MemorySpreadsheet final : public Spreadsheet {
 public:
  // A benchmark that only counts cells passes keep_cells = false: the writes are checked and
  // recorded, their cells not kept.
  explicit MemorySpreadsheet(int worksheets = 4, bool keep_cells = true)
      : worksheets_(worksheets), keep_cells_(keep_cells) {}

  void Connect() override;
  void OpenTemplate(const std::filesystem::path& path) override;
  void SelectWorksheet(int number) override;
  void ReleaseWorksheet() override;
  void WriteRange(std::string_view corner1, std::string_view corner2, float number) override;
  void WriteRange(std::string_view corner1, std::string_view corner2,
                  std::string_view text) override;
  void WriteRange(std::string_view corner1, std::string_view corner2,
                  const CellBlock& block) override;
  void Show() override;
  void Quit() override;

  // The next call whose record starts with `call_prefix` throws Error instead.
  void FailAt(std::string call_prefix) { fail_at_ = std::move(call_prefix); }

  const std::vector<std::string>& calls() const { return calls_; }
  // What the last write that covered the cell left there.
  CellContent Cell(int worksheet, std::string_view address) const;
  bool visible() const { return visible_; }
  bool quit() const { return quit_; }
  // Number of block cells written so far (what a benchmark counts).
  std::size_t block_cells() const { return block_cells_; }

 private:
  struct Write {
    CellRange range;
    std::variant<float, std::string, std::shared_ptr<const CellBlock>> value;
  };
  void Record(std::string call);
  CellRange RangeOf(std::string_view corner1, std::string_view corner2) const;
  void Store(std::string_view corner1, std::string_view corner2, std::string what,
             decltype(Write::value) value);

  int worksheets_;
  bool keep_cells_;
  bool connected_ = false;
  bool workbook_open_ = false;
  int selected_ = 0;  // 0: none
  bool visible_ = false;
  bool quit_ = false;
  std::string fail_at_;
  std::vector<std::string> calls_;
  std::map<int, std::vector<Write>> sheets_;
  std::size_t block_cells_ = 0;
};

}  // namespace tavrix::report

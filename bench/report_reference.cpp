// The report benchmark's fixtures and reference writers, beside tavrix-cli report:
//   report_reference fixture MODEL DIR       the model's general library (every table of a
//                                            generated image) and its template report.xlsx
//   report_reference xlsxwriter MODEL DIR RPK OUT [--default-mode]
//                                            decodes RPK with the report job, then writes the
//                                            same cells with libxlsxwriter (constant_memory
//                                            unless --default-mode); prints the wall and CPU
//                                            seconds of the writing and the number of cells
//   report_reference cells MODEL DIR RPK OUT.tsv
//                                            the same cells as text, for the openpyxl writer
// DIR is the program directory. Cells are those that the report leaves on each worksheet.
#include <xlsxwriter.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/passport.h"
#include "imagegen/recorder_tables.h"
#include "report/cell_address.h"
#include "report/library_file.h"
#include "report/report_job.h"
#include "report/unscramble.h"
#include "report/version_map.h"
#include "support/generated_library.h"

namespace tavrix::report {
namespace {

using Seconds = std::chrono::duration<double>;

struct Cell {
  std::int32_t row, column;
  CellKind kind;
  double number;
  std::string text;  // code page 1251
};

// Keeps every cell written, per worksheet; Cells() gives what the report left, in row order.
class CellRecorder final : public Spreadsheet {
 public:
  void Connect() override {}
  void OpenTemplate(const std::filesystem::path&) override {}
  void SelectWorksheet(int number) override { sheet_ = number; }
  void ReleaseWorksheet() override {}
  void WriteRange(std::string_view a, std::string_view b, float number) override {
    Each(a, b, [&](std::int32_t r, std::int32_t c) { Add({r, c, CellKind::kNumber, number, {}}); });
  }
  void WriteRange(std::string_view a, std::string_view b, std::string_view text) override {
    Each(a, b, [&](std::int32_t r, std::int32_t c) {
      Add({r, c, CellKind::kText, 0, std::string(text)});
    });
  }
  void WriteRange(std::string_view a, std::string_view b, const CellBlock& block) override {
    const CellRange range = *ParseCellRange(a, b);
    Each(a, b, [&](std::int32_t r, std::int32_t c) {
      const auto br = static_cast<std::size_t>(r - range.first.row);
      const auto bc = static_cast<std::size_t>(c - range.first.column);
      if (br >= block.rows() || bc >= block.columns()) return;
      const CellView v = block.At(br, bc);
      Add({r, c, v.kind, v.number, std::string(v.text)});
    });
  }
  void Show() override {}
  void Quit() override {}

  std::map<int, std::vector<Cell>>& Cells() {
    for (auto& [sheet, cells] : sheets_) {
      std::stable_sort(cells.begin(), cells.end(), [](const Cell& x, const Cell& y) {
        return x.row != y.row ? x.row < y.row : x.column < y.column;
      });
      std::vector<Cell> last;
      for (Cell& c : cells) {
        if (!last.empty() && last.back().row == c.row && last.back().column == c.column) {
          last.back() = std::move(c);
        } else {
          last.push_back(std::move(c));
        }
      }
      std::erase_if(last, [](const Cell& c) { return c.kind == CellKind::kEmpty; });
      cells = std::move(last);
    }
    return sheets_;
  }

 private:
  template <typename F>
  void Each(std::string_view a, std::string_view b, F f) {
    const auto range = ParseCellRange(a, b);
    if (!range) throw Error("bad range");
    for (std::int32_t r = range->first.row; r <= range->last.row; ++r) {
      for (std::int32_t c = range->first.column; c <= range->last.column; ++c) f(r, c);
    }
  }
  void Add(Cell c) { sheets_[sheet_].push_back(std::move(c)); }

  int sheet_ = 0;
  std::map<int, std::vector<Cell>> sheets_;
};

class BenchHost final : public ReportHost {
 public:
  BenchHost(std::filesystem::path dir, std::filesystem::path rpk, Model model)
      : dir_(std::move(dir)), rpk_(std::move(rpk)), model_(model) {
    HeaderValueList list;
    ReadPassport(rpk_, 0, kPassportEntries - 1, list);
    version_ = list[kEntryVersion];
    lines_ = ReadReportLibrary(ProgramFile(dir_, *FallbackLibrary(Designation(model_))));
  }
  std::filesystem::path ProgramDirectory() const override { return dir_; }
  std::filesystem::path WorkingDirectory() const override { return rpk_.parent_path(); }
  std::string FileName() const override { return PathToUtf8(rpk_.filename()); }
  std::string VersionText() const override { return version_; }
  std::string ModelDesignation() const override { return Designation(model_); }
  DescriptionList Descriptions() const override { return lines_; }
  char DecimalSeparator() const override { return '.'; }
  const Clock& clock() const override { return clock_; }
  void ShowProgress(int) override {}
  void ReportFailure(std::string_view message) override { throw Error(std::string(message)); }
  Spreadsheet& spreadsheet() override { return recorder; }
  void Synchronize(const std::function<void()>& step) override { step(); }

  CellRecorder recorder;

 private:
  std::filesystem::path dir_, rpk_;
  Model model_;
  std::string version_;
  DescriptionList lines_;
  FixedClock clock_{{2026, 6, 15, 12, 0, 0}};
};

int SheetCount(Model model) { return 4 + static_cast<int>(gen::CycleTablesOf(model).size()); }

void Check(lxw_error error) {
  if (error != LXW_NO_ERROR) throw Error(lxw_strerror(error));
}

void Fixture(Model model, const std::filesystem::path& dir) {
  std::string text;
  for (const std::string& line : tavrix::testing::GeneratedImageLibrary(model)) {
    text += Utf8ToCp1251(line) + "\r\n";
  }
  WriteFileAtomically(dir / *FallbackLibrary(Designation(model)), Scramble(text));
  lxw_workbook* book = workbook_new(PathToUtf8(dir / "report.xlsx").c_str());
  lxw_format* heading = workbook_add_format(book);
  format_set_bold(heading);
  for (int s = 1; s <= SheetCount(model); ++s) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    for (lxw_col_t c = 0; c < 8; ++c) {
      Check(worksheet_write_string(sheet, 0, c, ("Столбец " + std::to_string(c + 1)).c_str(),
                                   heading));
    }
  }
  Check(workbook_close(book));
}

struct Times {
  double wall, cpu;
};

// Wall and CPU time of `f`.
template <typename F>
Times Timed(F f) {
  const auto wall = std::chrono::steady_clock::now();
  const std::clock_t cpu = std::clock();
  f();
  return {Seconds(std::chrono::steady_clock::now() - wall).count(),
          double(std::clock() - cpu) / CLOCKS_PER_SEC};
}

void WriteWithXlsxWriter(std::map<int, std::vector<Cell>>& sheets, Model model,
                         const std::string& out, bool constant_memory) {
  lxw_workbook_options options{};
  options.constant_memory = constant_memory ? LXW_TRUE : LXW_FALSE;
  lxw_workbook* book = workbook_new_opt(out.c_str(), &options);
  for (int s = 1; s <= SheetCount(model); ++s) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    for (const Cell& c : sheets[s]) {
      const auto row = static_cast<lxw_row_t>(c.row - 1);
      const auto col = static_cast<lxw_col_t>(c.column - 1);
      if (c.kind == CellKind::kNumber) {
        worksheet_write_number(sheet, row, col, c.number, nullptr);
      } else {
        worksheet_write_string(sheet, row, col, Cp1251ToUtf8(c.text).c_str(), nullptr);
      }
    }
  }
  Check(workbook_close(book));
}

void WriteCells(std::map<int, std::vector<Cell>>& sheets, const std::string& out) {
  std::ofstream file(out, std::ios::binary);
  for (const auto& [sheet, cells] : sheets) {
    for (const Cell& c : cells) {
      file << sheet << '\t' << c.row << '\t' << c.column << '\t';
      if (c.kind == CellKind::kNumber) {
        file << "n\t" << c.number << '\n';
      } else {
        std::string t = Cp1251ToUtf8(c.text);
        std::replace_if(
            t.begin(), t.end(), [](char ch) { return ch == '\t' || ch == '\n' || ch == '\r'; },
            ' ');
        file << "s\t" << t << '\n';
      }
    }
  }
}

int Main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() < 3 || !ParseModelName(args[1])) {
    std::cerr << "usage: see the comment at the top of bench/report_reference.cpp\n";
    return 2;
  }
  const Model model = *ParseModelName(args[1]);
  const std::filesystem::path dir = PathFromUtf8(args[2]);
  if (args[0] == "fixture") {
    Fixture(model, dir);
    return 0;
  }
  if (args.size() < 5) return 2;
  BenchHost host(dir, std::filesystem::absolute(PathFromUtf8(args[3])), model);
  TZULToExcel job(host, std::chrono::milliseconds(0));
  if (!job.Execute()) return 1;
  auto& cells = host.recorder.Cells();
  if (args[0] == "cells") {
    WriteCells(cells, args[4]);
    return 0;
  }
  const bool constant_memory = !(args.size() > 5 && args[5] == "--default-mode");
  const Times write = Timed([&] { WriteWithXlsxWriter(cells, model, args[4], constant_memory); });
  std::size_t count = 0;
  for (const auto& [sheet, list] : cells) count += list.size();
  std::printf("%.3f %.3f %zu\n", write.wall, write.cpu, count);
  return 0;
}

}  // namespace
}  // namespace tavrix::report

int main(int argc, char** argv) {
  try {
    return tavrix::report::Main(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "report_reference: " << e.what() << "\n";
    return 1;
  }
}

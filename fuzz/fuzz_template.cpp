// Fuzz target: a template (bytes, as an .xlsx or .xltx file holds them) opened by the xlsx
// backend, its first worksheets written with a number, a text and a block, and the workbook
// saved. A workbook that was saved must open again as a template: we never write a file that
// we would refuse.
#include <cstdint>
#include <cstdlib>

#include "core/error.h"
#include "core/file_io.h"
#include "report/cell_block.h"
#include "report/xlsx/xlsx_spreadsheet.h"
#include "support/temp_dir.h"

namespace {

using tavrix::report::CellBlock;
using tavrix::report::xlsx::XlsxSpreadsheet;

CellBlock MixedBlock() {
  CellBlock block(3, 4);
  block.SetNumber(0, 0, 1.5);
  block.SetText(0, 2, "\xD2\xE5\xEA\xF1\xF2 <&> ");  // "Текст" in code page 1251
  block.SetNumber(2, 3, -1e20);
  block.SetText(1, 1, "");
  return block;
}

void Fill(XlsxSpreadsheet& sheet) {
  static const CellBlock block = MixedBlock();
  for (int n = 1; n <= 3; ++n) {
    try {
      sheet.SelectWorksheet(n);
    } catch (const tavrix::Error&) {
      return;
    }
    sheet.WriteRange("B2", "B2", 0.1f);
    sheet.WriteRange("C3", "A1", std::string_view("\x01\xFF"));
    sheet.WriteRange("D5", "F8", block);
    sheet.WriteRange("XFD1048576", "XFD1048576", 7.0f);
    sheet.ReleaseWorksheet();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static tavrix::testing::TempDir dir;
  const auto template_path = dir / "template.xltx";
  const auto report_path = dir / "report.xlsx";
  tavrix::WriteFileAtomically(template_path, {data, size});
  std::filesystem::remove(report_path);

  XlsxSpreadsheet sheet([&] { return report_path; }, {}, ',');
  sheet.Connect();
  try {
    sheet.OpenTemplate(template_path);
    Fill(sheet);
    sheet.Show();
  } catch (const tavrix::Error&) {
    sheet.Quit();
    return 0;
  }
  XlsxSpreadsheet reread([&] { return dir / "again.xlsx"; }, {}, ',');
  reread.Connect();
  try {
    reread.OpenTemplate(report_path);
  } catch (const tavrix::Error&) {
    std::abort();
  }
  return 0;
}

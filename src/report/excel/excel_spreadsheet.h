// The Spreadsheet over Microsoft Excel's automation object model, late bound through IDispatch
// (no type library): Workbooks.Open of the template, the last workbook, Worksheets.Item,
// Range(a, b).Value2 with a float, a wide text or a two-dimensional variant array (both lower
// bounds 0, rows first), Visible, Quit. Calls pass locale id 0x800, Visible 0x400, as Excel's
// own wrappers do. Every failed call throws Error naming the call and Excel's reason. Windows
// only; the Application object comes through a seam, so a test can hand in its own.
#pragma once

#include <oaidl.h>

#include <functional>

#include "report/excel/dispatch.h"
#include "report/spreadsheet.h"

namespace tavrix::report::excel {

// Gives one reference to an Application object, or throws Error.
using ApplicationSource = std::function<IDispatch*()>;

// A running Excel (the running object table), or else a new one ("Excel.Application").
IDispatch* RunningOrNewExcel();

class ExcelSpreadsheet final : public Spreadsheet {
 public:
  explicit ExcelSpreadsheet(ApplicationSource source = RunningOrNewExcel);
  ~ExcelSpreadsheet() override;
  ExcelSpreadsheet(const ExcelSpreadsheet&) = delete;
  ExcelSpreadsheet& operator=(const ExcelSpreadsheet&) = delete;

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

 private:
  const Dispatch& Application() const;
  void PutValue2(std::string_view corner1, std::string_view corner2, Variant& value);

  ApplicationSource source_;
  bool com_started_ = false;
  Dispatch application_;
  Dispatch workbook_;
  Dispatch worksheet_;
};

// The cell block as the variant array that Value2 takes: rows x columns, both from 0, texts
// as wide strings, empty cells empty. The caller owns the array.
SAFEARRAY* BlockArray(const CellBlock& block);

}  // namespace tavrix::report::excel

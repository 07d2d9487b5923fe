// A small stand-in for Excel's automation object model, of our own: IDispatch objects for the
// application, workbooks, worksheets and ranges that record every call (member, arguments,
// locale id) and carry what they are given into a MemorySpreadsheet, decoding the variants
// back: so a test reads both the calls and the cells that Excel would have been handed.
#pragma once

#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

#include "report/memory_spreadsheet.h"

namespace tavrix::report::testing {

struct FakeExcel {
  explicit FakeExcel(int worksheets) : sheet(worksheets) {}

  // What the objects were asked, one line a call: "Workbooks.Item(3) 800".
  std::vector<std::string> calls;
  // What reached the cells, and how: the spreadsheet calls that the automation calls mean.
  MemorySpreadsheet sheet;
  // How many objects are still referenced.
  int live = 0;
  // The count that Workbooks.Count answers (the template's workbook is the last).
  int workbooks = 2;
  // A member ("Workbooks.Open") that fails with an exception of Excel's kind.
  std::string failing;
  // The worksheet object handed out last, while it lives.
  const IDispatch* selected = nullptr;

  // A new Application object, one reference for the caller.
  IDispatch* Application();
};

}  // namespace tavrix::report::testing

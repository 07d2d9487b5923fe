#include "report/excel/excel_spreadsheet.h"

#include <objbase.h>

#include <string>

#include "core/error.h"
#include "report/excel/com_text.h"
#include "report/excel/excel_messages.h"

namespace tavrix::report::excel {
namespace {

// The locale ids that Excel's calls take: the system default for the workbook and range calls,
// the user default for Visible.
constexpr LCID kSystemLocale = 0x800;
constexpr LCID kUserLocale = 0x400;

std::wstring WideAscii(std::string_view text) { return std::wstring(text.begin(), text.end()); }

std::string CallName(std::string_view corner1, std::string_view corner2) {
  return "Range(" + std::string(corner1) + ", " + std::string(corner2) + ").Value2";
}

void SetCell(VARIANT& cell, const CellView& view) {
  switch (view.kind) {
    case CellKind::kEmpty:
      break;
    case CellKind::kNumber:
      cell.vt = VT_R8;
      cell.dblVal = view.number;
      break;
    case CellKind::kText: {
      const std::wstring wide = WideFromCp1251(view.text);
      cell.bstrVal = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
      if (cell.bstrVal == nullptr) throw std::bad_alloc();
      cell.vt = VT_BSTR;
      break;
    }
  }
}

}  // namespace

IDispatch* RunningOrNewExcel() {
  CLSID clsid{};
  if (const HRESULT r = ::CLSIDFromProgID(L"Excel.Application", &clsid); FAILED(r)) {
    throw Error(std::string(kNoExcelMessage) + HresultText(r));
  }
  IUnknown* running = nullptr;
  if (SUCCEEDED(::GetActiveObject(clsid, nullptr, &running)) && running != nullptr) {
    IDispatch* application = nullptr;
    const HRESULT r =
        running->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&application));
    running->Release();
    if (SUCCEEDED(r)) return application;
  }
  IDispatch* application = nullptr;
  const HRESULT r = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                       reinterpret_cast<void**>(&application));
  if (FAILED(r)) throw Error(std::string(kNoExcelMessage) + HresultText(r));
  return application;
}

SAFEARRAY* BlockArray(const CellBlock& block) {
  SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(block.rows()), 0},
                              {static_cast<ULONG>(block.columns()), 0}};
  SAFEARRAY* array = ::SafeArrayCreate(VT_VARIANT, 2, bounds);
  if (array == nullptr) throw std::bad_alloc();
  VARIANT* cells = nullptr;
  if (FAILED(::SafeArrayAccessData(array, reinterpret_cast<void**>(&cells)))) {
    ::SafeArrayDestroy(array);
    throw std::bad_alloc();
  }
  try {
    // The first dimension varies fastest in memory: cell (r, c) is at c * rows + r.
    for (std::size_t c = 0; c < block.columns(); ++c) {
      for (std::size_t r = 0; r < block.rows(); ++r) {
        SetCell(cells[c * block.rows() + r], block.At(r, c));
      }
    }
  } catch (...) {
    ::SafeArrayUnaccessData(array);
    ::SafeArrayDestroy(array);
    throw;
  }
  ::SafeArrayUnaccessData(array);
  return array;
}

ExcelSpreadsheet::ExcelSpreadsheet(ApplicationSource source) : source_(std::move(source)) {
  com_started_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

ExcelSpreadsheet::~ExcelSpreadsheet() {
  worksheet_.Reset();
  workbook_.Reset();
  application_.Reset();
  if (com_started_) ::CoUninitialize();
}

const Dispatch& ExcelSpreadsheet::Application() const {
  if (!application_) throw Error(std::string(kNotOpenMessage) + "Excel");
  return application_;
}

void ExcelSpreadsheet::Connect() {
  if (!application_) application_ = Dispatch(source_());
}

void ExcelSpreadsheet::OpenTemplate(const std::filesystem::path& path) {
  const Dispatch workbooks = Application().GetObject(L"Workbooks", {}, kSystemLocale, "Workbooks");
  Variant name = Variant::Text(path.wstring());
  workbooks.Call(L"Open", {&name}, kSystemLocale, "Workbooks.Open");
  Variant count = workbooks.Get(L"Count", {}, kSystemLocale, "Workbooks.Count");
  if (FAILED(::VariantChangeType(count.get(), count.get(), 0, VT_I4))) {
    throw Error(std::string(kCallFailedMessage) + "«Workbooks.Count»: не число");
  }
  Variant last = Variant::Int32(count.value().lVal);
  workbook_ = workbooks.GetObject(L"Item", {&last}, kSystemLocale, "Workbooks.Item");
  workbook_.Call(L"Activate", {}, kSystemLocale, "Workbook.Activate");
}

void ExcelSpreadsheet::SelectWorksheet(int number) {
  if (!workbook_) throw Error(std::string(kNotOpenMessage) + "шаблон");
  const Dispatch sheets = workbook_.GetObject(L"Worksheets", {}, kSystemLocale, "Worksheets");
  Variant index = Variant::Int32(number);
  worksheet_ = sheets.GetObject(L"Item", {&index}, kSystemLocale,
                                "Worksheets.Item(" + std::to_string(number) + ")");
  worksheet_.Call(L"Activate", {}, kSystemLocale, "Worksheet.Activate");
}

void ExcelSpreadsheet::ReleaseWorksheet() { worksheet_.Reset(); }

void ExcelSpreadsheet::PutValue2(std::string_view corner1, std::string_view corner2,
                                 Variant& value) {
  const std::string what = CallName(corner1, corner2);
  if (!worksheet_) throw Error(std::string(kNotOpenMessage) + "лист для " + what);
  Variant a = Variant::Text(WideAscii(corner1));
  Variant b = Variant::Text(WideAscii(corner2));
  const Dispatch range = worksheet_.GetObject(L"Range", {&a, &b}, kSystemLocale, what);
  range.Put(L"Value2", value, kSystemLocale, what);
}

void ExcelSpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                  float number) {
  Variant value = Variant::Float(number);
  PutValue2(corner1, corner2, value);
}

void ExcelSpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                  std::string_view text) {
  Variant value = Variant::Text(WideFromCp1251(text));
  PutValue2(corner1, corner2, value);
}

void ExcelSpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                  const CellBlock& block) {
  Variant value = Variant::Array(BlockArray(block));
  PutValue2(corner1, corner2, value);
}

void ExcelSpreadsheet::Show() {
  Variant visible = Variant::Bool(true);
  Application().Put(L"Visible", visible, kUserLocale, "Visible");
}

void ExcelSpreadsheet::Quit() {
  worksheet_.Reset();
  workbook_.Reset();
  if (!application_) return;
  const Dispatch application = std::move(application_);
  // Without this, Excel would ask whether to save the half-filled workbook, in a window the
  // user may not even see, and Quit would wait for the answer.
  Variant no = Variant::Bool(false);
  application.Put(L"DisplayAlerts", no, kUserLocale, "DisplayAlerts");
  application.Call(L"Quit", {}, kSystemLocale, "Quit");
}

}  // namespace tavrix::report::excel

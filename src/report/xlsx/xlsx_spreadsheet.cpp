#include "report/xlsx/xlsx_spreadsheet.h"

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "report/xlsx/xlsx_messages.h"

namespace tavrix::report::xlsx {

struct XlsxSpreadsheet::Workbook {
  Workbook(std::vector<std::uint8_t> bytes, std::string name)
      : label(std::move(name)),
        package(std::move(bytes), label),
        layout(ReadLayout(package, label)) {}

  std::string label;
  ZipPackage package;
  PackageLayout layout;
  std::map<std::size_t, std::unique_ptr<Worksheet>> sheets;  // by index in layout.worksheets
  Worksheet* selected = nullptr;
};

XlsxSpreadsheet::XlsxSpreadsheet(Destination destination, Opener open, char decimal_separator)
    : destination_(std::move(destination)),
      open_(std::move(open)),
      decimal_separator_(decimal_separator) {}

XlsxSpreadsheet::~XlsxSpreadsheet() = default;

void XlsxSpreadsheet::Connect() { connected_ = true; }

void XlsxSpreadsheet::OpenTemplate(const std::filesystem::path& path) {
  if (!connected_) throw Error(std::string(kNotConnectedMessage));
  const std::string label = PathToUtf8(path);
  std::vector<std::uint8_t> bytes;
  try {
    bytes = ReadFileBytes(path, kMaxTemplateBytes + 1);
  } catch (const Error& e) {
    throw Error(TemplateProblem(label, e.what()));
  }
  if (bytes.size() > kMaxTemplateBytes) throw Error(TemplateProblem(label, kTooLargeProblem));
  workbook_ = std::make_unique<Workbook>(std::move(bytes), label);
}

void XlsxSpreadsheet::SelectWorksheet(int number) {
  if (!workbook_) throw Error(std::string(kNoWorkbookMessage));
  const auto& parts = workbook_->layout.worksheets;
  if (number < 1 || static_cast<std::size_t>(number) > parts.size()) {
    throw Error(NoWorksheetMessage(number, parts.size()));
  }
  const auto index = static_cast<std::size_t>(number - 1);
  auto& sheet = workbook_->sheets[index];
  if (!sheet) {
    const std::string& part = parts[index];
    sheet = std::make_unique<Worksheet>(workbook_->package.Read(part), workbook_->label, part,
                                        decimal_separator_);
  }
  workbook_->selected = sheet.get();
}

void XlsxSpreadsheet::ReleaseWorksheet() {
  if (workbook_) workbook_->selected = nullptr;
}

Worksheet& XlsxSpreadsheet::Selected() const {
  if (!workbook_) throw Error(std::string(kNoWorkbookMessage));
  if (workbook_->selected == nullptr) throw Error(std::string(kNoWorksheetSelectedMessage));
  return *workbook_->selected;
}

CellRange XlsxSpreadsheet::RangeOf(std::string_view corner1, std::string_view corner2) const {
  const auto range = ParseCellRange(corner1, corner2);
  if (!range) throw Error(BadRangeMessage(Cp1251ToUtf8(corner1) + ":" + Cp1251ToUtf8(corner2)));
  return *range;
}

void XlsxSpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2, float number) {
  Worksheet& sheet = Selected();
  sheet.Write(RangeOf(corner1, corner2), number);
}

void XlsxSpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                 std::string_view text) {
  Worksheet& sheet = Selected();
  sheet.Write(RangeOf(corner1, corner2), text);
}

void XlsxSpreadsheet::WriteRange(std::string_view corner1, std::string_view corner2,
                                 const CellBlock& block) {
  Worksheet& sheet = Selected();
  sheet.Write(RangeOf(corner1, corner2), block);
}

void XlsxSpreadsheet::Show() {
  if (!workbook_) throw Error(std::string(kNoWorkbookMessage));
  const std::filesystem::path target = destination_();
  Workbook& book = *workbook_;
  PackageEdits edits = WorkbookEdits(book.package, book.layout, book.label);
  for (std::size_t i = 0; i < book.layout.worksheets.size(); ++i) {
    const auto name = book.package.Find(book.layout.worksheets[i]);
    if (!name) continue;
    auto& sheet = book.sheets[i];
    if (!sheet) {
      // A worksheet that no write touched is rewritten only so that its formulas recompute; one
      // we cannot read is kept exactly as the template has it.
      try {
        sheet = std::make_unique<Worksheet>(book.package.Read(*name), book.label, *name,
                                            decimal_separator_);
      } catch (const Error&) {
        continue;
      }
    }
    edits.replaced[*name] = sheet->Render();
    sheet.reset();  // its copies of the written blocks are not needed any more
  }
  const std::vector<std::uint8_t> bytes =
      book.package.Rebuild(edits.replaced, edits.removed, kDeflateLevel);
  edits.replaced.clear();
  WriteFileAtomically(target, bytes);
  saved_path_ = target;
  workbook_.reset();
  if (open_) open_(target);
}

void XlsxSpreadsheet::Quit() {
  workbook_.reset();
  connected_ = false;
}

}  // namespace tavrix::report::xlsx

// The spreadsheet as an xlsx template filler: the template (.xlsx or .xltx) opens as a new
// workbook in memory, range writes land on its worksheets, and Show saves the filled workbook
// as an .xlsx file (temporary file, then rename: a failure leaves no file behind) and hands it
// to the desktop's spreadsheet application. Quit discards the workbook. Every failure throws
// Error with a message for the user. The caller chooses where the file goes and how it opens.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "report/spreadsheet.h"
#include "report/xlsx/package_layout.h"
#include "report/xlsx/sheet_xml.h"
#include "report/xlsx/zip_package.h"

namespace tavrix::report::xlsx {

// Deflate level of the parts we write. For the biggest report (ЗУЛ-52Д, full logs) level 1
// gives 2.47 MB in 0.23 s of CPU, level 3 2.29 MB in 0.30 s, level 6 1.72 MB in 0.45 s: level 3
// keeps most of the speed of level 1 at a file a few per cent smaller.
inline constexpr int kDeflateLevel = 3;

// A template is a few hundred kilobytes; a larger file than this is refused before it is read
// into memory.
inline constexpr std::uintmax_t kMaxTemplateBytes = std::uintmax_t{16} << 20;

class XlsxSpreadsheet final : public Spreadsheet {
 public:
  // Asked for the output file when Show runs (it may throw Error to refuse).
  using Destination = std::function<std::filesystem::path()>;
  // Opens the saved file for the user; may be empty (the file is only saved).
  using Opener = std::function<void(const std::filesystem::path&)>;

  // Texts that read as numbers in the user's notation, with `decimal_separator`, are taken as
  // numbers, as the spreadsheet application takes them (number_input.h).
  XlsxSpreadsheet(Destination destination, Opener open, char decimal_separator);
  ~XlsxSpreadsheet() override;

  void Connect() override;
  void OpenTemplate(const std::filesystem::path& path) override;
  void SelectWorksheet(int number) override;
  void ReleaseWorksheet() override;
  void WriteRange(std::string_view corner1, std::string_view corner2, float number) override;
  void WriteRange(std::string_view corner1, std::string_view corner2,
                  std::string_view text) override;
  void WriteRange(std::string_view corner1, std::string_view corner2,
                  const CellBlock& block) override;
  // Saves the workbook, opens it, and closes it here.
  void Show() override;
  void Quit() override;

  // The file that the last Show wrote; empty before.
  const std::filesystem::path& saved_path() const { return saved_path_; }

 private:
  struct Workbook;
  CellRange RangeOf(std::string_view corner1, std::string_view corner2) const;
  Worksheet& Selected() const;

  Destination destination_;
  Opener open_;
  char decimal_separator_;
  bool connected_ = false;
  std::unique_ptr<Workbook> workbook_;
  std::filesystem::path saved_path_;
};

}  // namespace tavrix::report::xlsx

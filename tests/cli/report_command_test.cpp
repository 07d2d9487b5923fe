// tavrix-cli report against the report job itself: the saved workbook holds, cell for cell,
// what the same library leaves in the in-memory spreadsheet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "core/cp1251.h"
#include "data/passport.h"
#include "imagegen/recorder_image.h"
#include "report/report_job.h"
#include "report/report_messages.h"
#include "report/unscramble.h"
#include "support/cli_run.h"
#include "support/files.h"
#include "support/generated_library.h"
#include "support/memory_report_host.h"
#include "support/temp_dir.h"
#include "support/xlsx_package.h"

namespace tavrix::cli {
namespace {

using testing::Cli;
using ::testing::HasSubstr;
using testing::Spit;
using ::testing::StartsWith;

constexpr Model kModel = Model::k52A;

class ReportCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gen::ImageSpec image_spec{kModel, 3, gen::PlausibleHeader(kModel, 3), 0, {}, {}};
    image_spec.tables.fill = true;
    HeaderValueList list;
    list[kEntryModel] = Designation(kModel);
    list[kEntryVersion] = "7";
    data_ = BuildDataFile(gen::GenerateImage(image_spec), list);
    Spit(rpk_, data_);
    std::filesystem::create_directories(program_);
    std::string text;
    for (const std::string& line : testing::GeneratedImageLibrary(kModel)) {
      lines_.push_back(Utf8ToCp1251(line));
      text += lines_.back() + "\r\n";
    }
    Spit(program_ / "rp52A.dll", report::Scramble(text));
    testing::TemplateSpec t;
    t.parts.clear();
    t.sheet_texts.clear();
    for (int k = 1; k <= sheets_; ++k) {
      t.parts.push_back("sheet" + std::to_string(k) + ".xml");
      t.sheet_texts.push_back(testing::SheetXml(""));
    }
    testing::WriteTemplate(program_ / "report.xlsx", t);
  }

  std::vector<std::string> Args(std::vector<std::string> more) const {
    std::vector<std::string> args = {"report",          rpk_.string(), "--program-dir",
                                     program_.string(), "--now",       "2026-06-15 12:00:00"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
  }

  testing::TempDir dir_;
  std::filesystem::path rpk_ = dir_ / "кран.rpk";
  std::filesystem::path program_ = dir_ / "program";
  std::vector<std::uint8_t> data_;
  report::DescriptionList lines_;
  int sheets_ = 4 + static_cast<int>(gen::CycleTablesOf(kModel).size());
};

// What the spreadsheet application makes of a text in the notation with a decimal comma: a
// number when the whole of it reads as one, nothing for an empty text.
report::CellContent AsTyped(report::CellContent cell) {
  if (cell.kind != report::CellKind::kText) return cell;
  if (cell.text.empty()) return report::Empty();
  std::string text = cell.text;
  std::replace(text.begin(), text.end(), ',', '.');
  char* end = nullptr;
  const double number = std::strtod(text.c_str(), &end);
  const bool whole =
      !text.empty() && text.find_first_not_of("0123456789+-.eE ") == std::string::npos && *end == 0;
  return whole ? report::Number(number) : cell;
}

report::CellContent ContentOf(pugi::xml_node cell) {
  if (cell.child("is")) return report::Text(Utf8ToCp1251(cell.child("is").child_value("t")));
  const std::string_view v = cell.child_value("v");
  double number = 0;
  std::from_chars(v.data(), v.data() + v.size(), number);
  return report::Number(number);
}

TEST_F(ReportCommandTest, WorkbookHoldsWhatTheReportJobWrites) {
  const testing::CliResult r = Cli(Args({"--decimal-separator", ","}));
  ASSERT_EQ(r.code, 0) << r.err;
  const std::filesystem::path out = dir_ / "кран.xlsx";
  EXPECT_EQ(r.out, out.string() + "\n");
  EXPECT_THAT(r.err, HasSubstr("warning: VersionRP.ini names no library for ЗУЛ-52А version "
                               "\"7\"; using the general library rp52A.dll"));
  EXPECT_THAT(r.err, HasSubstr("[####################] 100%"));

  report::testing::TestHost host;
  host.sheet = report::MemorySpreadsheet(sheets_);
  Spit(host.dir / host.file_name, data_);
  host.descriptions = lines_;
  host.model = Designation(kModel);
  host.version = "7";
  ASSERT_TRUE(report::TZULToExcel(host, std::chrono::milliseconds(0)).Execute());

  for (int k = 1; k <= sheets_; ++k) {
    const testing::SheetCells cells(
        *testing::ZipText(out, "xl/worksheets/sheet" + std::to_string(k) + ".xml"));
    if (k >= 5) {
      EXPECT_FALSE(cells.cells.empty()) << "sheet " << k;  // a cycle table's sheet
    }
    for (const auto& [address, cell] : cells.cells) {
      EXPECT_EQ(ContentOf(cell), AsTyped(host.sheet.Cell(k, address)))
          << "sheet " << k << " " << address;
    }
    // And the other way round: no cell that the job wrote is missing.
    const auto range =
        report::ParseCellRange(cells.Dimension().substr(0, cells.Dimension().find(':')),
                               cells.Dimension().substr(cells.Dimension().find(':') + 1));
    ASSERT_TRUE(range.has_value()) << cells.Dimension();
    for (std::int32_t row = 1; row <= range->last.row + 2; ++row) {
      for (std::int32_t column = 1; column <= range->last.column + 2; ++column) {
        const std::string a = report::FormatCellAddress({row, column});
        if (AsTyped(host.sheet.Cell(k, a)).kind != report::CellKind::kEmpty) {
          EXPECT_TRUE(cells[a]) << "sheet " << k << " " << a;
        }
      }
    }
  }
}

TEST_F(ReportCommandTest, VersionMapOutputAndAnExistingFile) {
  Spit(program_ / "VersionRP.ini", Utf8ToCp1251("[ЗУЛ-52А]\r\n7=rp52A.dll\r\n"));
  const std::string out = (dir_ / "out.xlsx").string();
  Spit(out, std::string("earlier"));
  const testing::CliResult refused = Cli(Args({"-o", out}));
  EXPECT_EQ(refused.code, 1);
  EXPECT_THAT(refused.err, HasSubstr("--force"));
  EXPECT_EQ(testing::Slurp(out).size(), 7u);

  const testing::CliResult forced = Cli(Args({"-o", out, "--force", "--json"}));
  ASSERT_EQ(forced.code, 0) << forced.err;
  EXPECT_THAT(forced.out, StartsWith("{\"file\": \"" + out +
                                     "\", \"library\": \"rp52A.dll\", \"general_library\": false"));
  EXPECT_THAT(forced.err, Not(HasSubstr("warning")));
  EXPECT_TRUE(testing::ZipText(out, "xl/worksheets/sheet5.xml").has_value());
}

TEST_F(ReportCommandTest, FailuresLeaveNoReport) {
  Spit(program_ / "not-a-zip.xlsx", std::string("not a workbook"));
  std::string text = Utf8ToCp1251("template\tnot-a-zip.xlsx\r\n");
  Spit(program_ / "broken.dll", report::Scramble(text));
  Spit(program_ / "VersionRP.ini", Utf8ToCp1251("[ЗУЛ-52А]\r\n7=broken.dll\r\n"));
  const testing::CliResult bad_template = Cli(Args({}));
  EXPECT_EQ(bad_template.code, 1);
  EXPECT_THAT(bad_template.err, HasSubstr("not-a-zip.xlsx"));

  Spit(program_ / "VersionRP.ini", Utf8ToCp1251("[ЗУЛ-52А]\r\n7=gone.dll\r\n"));
  const testing::CliResult no_library = Cli(Args({}));
  EXPECT_EQ(no_library.code, 1);
  EXPECT_THAT(no_library.err, StartsWith("tavrix-cli: Библиотека для данной версии регистратора в "
                                         "каталоге программы"));
  EXPECT_THAT(no_library.err, HasSubstr("gone.dll"));

  EXPECT_EQ(Cli(Args({"--decimal-separator", ",,"})).code, 2);
  EXPECT_EQ(Cli({"report", (dir_ / "missing.rpk").string()}).code, 1);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "кран.xlsx"));
}

}  // namespace
}  // namespace tavrix::cli

// The Report flow: its three messages and the fallback prompt, a report made and shown under a
// name that never replaces a file, and a failed report that quits the spreadsheet, followed by
// one that succeeds.
#include <gtest/gtest.h>

#include "app/app_texts.h"
#include "app/form_send_to_excel.h"
#include "app/report_run.h"
#include "app_support.h"
#include "core/ini_file.h"
#include "report/report_messages.h"
#include "report/unscramble.h"
#include "report/xlsx/xlsx_spreadsheet.h"
#include "support/xlsx_package.h"

namespace tavrix::app {
namespace {

using report::MemorySpreadsheet;
using testing::Prompt;
using testing::PromptAnswerer;
using testing::Q;

// The report's spreadsheet, kept by the test across reports; showing it saves a file where the
// desktop's destination says, as the workbook would be.
class SharedSheet final : public report::Spreadsheet {
 public:
  SharedSheet(MemorySpreadsheet& sheet, std::function<std::filesystem::path()> destination)
      : sheet_(sheet), destination_(std::move(destination)) {}
  void Connect() override { sheet_.Connect(); }
  void OpenTemplate(const std::filesystem::path& path) override { sheet_.OpenTemplate(path); }
  void SelectWorksheet(int number) override { sheet_.SelectWorksheet(number); }
  void ReleaseWorksheet() override { sheet_.ReleaseWorksheet(); }
  void WriteRange(std::string_view a, std::string_view b, float number) override {
    sheet_.WriteRange(a, b, number);
  }
  void WriteRange(std::string_view a, std::string_view b, std::string_view text) override {
    sheet_.WriteRange(a, b, text);
  }
  void WriteRange(std::string_view a, std::string_view b, const report::CellBlock& block) override {
    sheet_.WriteRange(a, b, block);
  }
  void Show() override {
    WriteFileAtomically(destination_(), std::vector<std::uint8_t>{'P', 'K'});
    sheet_.Show();
  }
  void Quit() override { sheet_.Quit(); }

 private:
  MemorySpreadsheet& sheet_;
  std::function<std::filesystem::path()> destination_;
};

class ReportFlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(work());
    testing::SetWorkingDirectory(fixture_.program_dir(), work());
    testing::WriteSample(work() / "crane.rpk",
                         testing::Passport({{0, "ЗУЛ-38"}, {1, "1.0"}, {5, "КС-45717"}}));
    testing::WriteSample(work() / "unknown.rpk", testing::Passport({{0, "нет"}, {1, "3"}}));
    WriteLibrary("rp38.dll",
                 "шаблон\tt38.xlsx\r\nописание\r\nмодель\t270337\t0\tChar\t14\t\t1\tB2\tB2\r\n");
    fixture_.make_spreadsheet = [this](std::function<std::filesystem::path()> destination) {
      ++spreadsheets_made_;
      return std::make_unique<SharedSheet>(sheet_, std::move(destination));
    };
  }

  std::filesystem::path work() const { return fixture_.root() / "work"; }
  void WriteLibrary(const char* name, std::string_view utf8_text) {
    WriteFileAtomically(fixture_.program_dir() / name, report::Scramble(Utf8ToCp1251(utf8_text)));
  }
  static void Select(TForm_main& main, const QString& caption) {
    const auto& entries = main.controls().ListView_FileList->entries();
    for (std::size_t row = 0; row < entries.size(); ++row) {
      if (entries[row].caption == caption) main.ListView_FileListSelectItem(static_cast<int>(row));
    }
  }

  testing::AppFixture fixture_;
  MemorySpreadsheet sheet_;
  int spreadsheets_made_ = 0;
};

TEST_F(ReportFlowTest, WithoutASelectedFileOnlyTheMessageShows) {
  TForm_main& main = fixture_.Open();
  main.DescriptionList() = {"kept"};
  PromptAnswerer answers;
  main.BitBtn_SendToXclClick();
  EXPECT_EQ(
      answers.seen,
      (std::vector<Prompt>{{Q(texts::kTitleAttention), Q(report::kNoFileSelectedMessage), true}}));
  EXPECT_EQ(main.DescriptionList(), report::DescriptionList{"kept"});
  EXPECT_EQ(spreadsheets_made_, 0);
}

TEST_F(ReportFlowTest, LibraryLookupFailuresAreTold) {
  struct Case {
    const char* name;
    const char* file;
    const char* version_map;  // nullptr: no VersionRP.ini
    std::vector<std::string_view> messages;
  };
  const std::vector<Case> cases = {
      {"the map names a file that is missing",
       "crane.rpk",
       "[ЗУЛ-38]\r\n1.0=gone.dll\r\n",
       {report::kLibraryMissingMessage}},
      {"no model: the prompt, then no library",
       "unknown.rpk",
       nullptr,
       {report::kNoLibraryForVersionMessage, report::kLibraryMissingMessage}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(fixture_.program_dir() / "VersionRP.ini");
    if (c.version_map != nullptr) {
      const std::string map = Utf8ToCp1251(c.version_map);
      WriteFileAtomically(fixture_.program_dir() / "VersionRP.ini",
                          std::vector<std::uint8_t>(map.begin(), map.end()));
    }
    TForm_main& main = fixture_.Open();
    Select(main, QString::fromLatin1(c.file));
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SendToXclClick();
    ASSERT_EQ(answers.seen.size(), c.messages.size());
    for (std::size_t i = 0; i < c.messages.size(); ++i)
      EXPECT_EQ(answers.seen[i].text, Q(c.messages[i]));
    EXPECT_EQ(spreadsheets_made_, 0);
  }
}

TEST_F(ReportFlowTest, FallbackLibraryMakesAReportSavedUnderAFreeName) {
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("crane.rpk"));
  for (const char* expected : {"crane.xlsx", "crane (2).xlsx"}) {
    SCOPED_TRACE(expected);
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SendToXclClick();
    EXPECT_EQ(answers.seen, (std::vector<Prompt>{{Q(texts::kTitleWarning),
                                                  Q(report::kNoLibraryForVersionMessage), false}}));
    EXPECT_TRUE(fixture_.error_boxes.empty());
    EXPECT_TRUE(sheet_.visible());
    EXPECT_EQ(sheet_.Cell(1, "B2"), report::Text(Utf8ToCp1251("ЗУЛ-38")));
    EXPECT_TRUE(std::filesystem::exists(work() / expected));
    EXPECT_TRUE(main.controls().Label_InfoStatus->toolTip().endsWith(QString::fromUtf8(expected)));
  }
  EXPECT_EQ(fixture_.sounds.size(), 2u);
  EXPECT_EQ(main.DescriptionList().size(), 3u);
}

TEST_F(ReportFlowTest, FailedReportQuitsTheSpreadsheetAndTheNextOneIsShown) {
  WriteFileAtomically(fixture_.program_dir() / "VersionRP.ini",
                      std::vector<std::uint8_t>{});  // no entry: the prompt
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("crane.rpk"));
  sheet_.FailAt("WriteRange");
  {
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SendToXclClick();
  }
  ASSERT_EQ(fixture_.error_boxes.size(), 1u);
  EXPECT_TRUE(fixture_.error_boxes[0].startsWith(QStringLiteral("Строка 3 описания отчета")));
  EXPECT_TRUE(main.ReportWindow()->ErrorMarked());
  EXPECT_FALSE(main.ReportWindow()->isVisible());
  EXPECT_TRUE(sheet_.quit());
  EXPECT_FALSE(sheet_.visible());
  EXPECT_TRUE(fixture_.sounds.empty());
  EXPECT_FALSE(std::filesystem::exists(work() / "crane.xlsx"));

  {
    PromptAnswerer answers({"BitBtn_Next"});
    main.BitBtn_SendToXclClick();
  }
  EXPECT_FALSE(main.ReportWindow()->ErrorMarked());
  EXPECT_TRUE(sheet_.visible());
  EXPECT_EQ(fixture_.sounds.size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(work() / "crane.xlsx"));
}

// With the xlsx backend the filled template is saved beside the data file and handed to the
// desktop to open.
TEST_F(ReportFlowTest, WorkbookIsSavedBesideTheDataFileAndOpened) {
  testing::WriteTemplate(fixture_.program_dir() / "t38.xlsx");
  std::vector<std::filesystem::path> opened;
  fixture_.make_spreadsheet = [&opened](std::function<std::filesystem::path()> destination) {
    return std::make_unique<report::xlsx::XlsxSpreadsheet>(
        std::move(destination),
        [&opened](const std::filesystem::path& workbook) { opened.push_back(workbook); },
        UserDecimalSeparator());
  };
  TForm_main& main = fixture_.Open();
  Select(main, QStringLiteral("crane.rpk"));
  PromptAnswerer answers({"BitBtn_Next"});
  main.BitBtn_SendToXclClick();

  EXPECT_TRUE(fixture_.error_boxes.empty());
  const std::filesystem::path workbook = work() / "crane.xlsx";
  EXPECT_EQ(opened, std::vector{workbook});
  const std::optional<std::string> sheet = testing::ZipText(workbook, "xl/worksheets/sheet1.xml");
  ASSERT_TRUE(sheet.has_value());
  const testing::SheetCells cells(*sheet);
  EXPECT_EQ(std::string(cells["B2"].child("is").child("t").text().get()), "ЗУЛ-38");
  EXPECT_EQ(fixture_.sounds.size(), 1u);
}

}  // namespace
}  // namespace tavrix::app

#include "report/report_job.h"

#include <gmock/gmock.h>

#include "report/report_fixture.h"
#include "report/report_messages.h"

namespace tavrix::report::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(ReportTest, TwoLinesOpenTheTemplateSelectWorksheetOneTwiceAndWalkNothing) {
  ASSERT_TRUE(Run({kTemplateLine, Scalar("Int", 0, 0, 4, "1", "A1")}));
  EXPECT_THAT(
      host_.sheet.calls(),
      ElementsAre("Connect",
                  "OpenTemplate " + PathToUtf8(host_.dir.path() / "program" / "report.xlsx"),
                  "SelectWorksheet 1", "SelectWorksheet 1", "ReleaseWorksheet"));
  EXPECT_TRUE(host_.progress.empty());
  EXPECT_TRUE(host_.failures.empty());
  FinishReport(host_.sheet, true, nullptr);
  EXPECT_TRUE(host_.sheet.visible());
}

TEST_F(ReportTest, ProgressBeforeEachLineNeverReaches100) {
  std::vector<std::string> lines = {kTemplateLine, kLine1};
  for (int i = 2; i < 50; ++i) lines.push_back("unknown keyword line");
  ASSERT_TRUE(Run(lines));
  ASSERT_EQ(host_.progress.size(), 48u);
  EXPECT_EQ(host_.progress.front(), 4);
  EXPECT_EQ(host_.progress.back(), 98);
}

TEST_F(ReportTest, WorksheetIsSwitchedOnlyWhenItChanges) {
  Poke(0, {7});
  ASSERT_TRUE(Run({kTemplateLine, kLine1, Scalar("Int", 0, 0, 1, "1", "A1", "", "", "", "2"),
                   Scalar("Int", 0, 0, 1, "1", "B1", "", "", "", "2"),
                   Scalar("Int", 0, 0, 1, "1", "C1", "", "", "", "1")}));
  EXPECT_THAT(host_.sheet.calls(),
              ElementsAre("Connect", ::testing::StartsWith("OpenTemplate"), "SelectWorksheet 1",
                          "ReleaseWorksheet", "SelectWorksheet 2", "WriteRange A1:A1 text",
                          "WriteRange B1:B1 text", "ReleaseWorksheet", "SelectWorksheet 1",
                          "WriteRange C1:C1 text", "SelectWorksheet 1", "ReleaseWorksheet"));
  EXPECT_EQ(Cell(2, "B1"), T("7"));
}

TEST_F(ReportTest, KeywordsAreCaseSensitiveAndLineOneIsNeverWritten) {
  Poke(0, {5});
  ASSERT_TRUE(Run({kTemplateLine, Scalar("Int", 0, 0, 1, "1", "A1"),
                   Scalar("int", 0, 0, 1, "1", "A2"), Scalar("Int", 0, 0, 1, "1", "A3")}));
  EXPECT_EQ(Cell(1, "A1"), Empty());
  EXPECT_EQ(Cell(1, "A2"), Empty());
  EXPECT_EQ(Cell(1, "A3"), T("5"));
}

TEST_F(ReportTest, ADataFileFarTooLargeIsRefused) {
  host_.descriptions = {kTemplateLine};
  tavrix::testing::Spit(host_.dir / host_.file_name, std::vector<std::uint8_t>{});
  std::filesystem::resize_file(host_.dir / host_.file_name, kMaxDataFileBytes + 1);
  TZULToExcel job(host_, std::chrono::milliseconds(0));
  EXPECT_FALSE(job.Execute());
  EXPECT_THAT(host_.failures, ElementsAre(std::string(kDataFileTooLargeMessage)));
}

TEST_F(ReportTest, MissingDataFileFailsWithTheSystemsMessageAfterTheTemplateIsOpen) {
  host_.file_name = "missing.rpk";
  host_.descriptions = {kTemplateLine};
  TZULToExcel job(host_, std::chrono::milliseconds(0));
  EXPECT_FALSE(job.Execute());
  EXPECT_THAT(host_.failures, ElementsAre(std::string(kDataFileNotOpenedMessage)));
  EXPECT_EQ(host_.failures[0][0], '\n');
  EXPECT_THAT(host_.sheet.calls(),
              ElementsAre("Connect", ::testing::StartsWith("OpenTemplate"), "SelectWorksheet 1"));
  FinishReport(host_.sheet, false, [] { FAIL() << "no sound after a failure"; });
  EXPECT_TRUE(host_.sheet.quit());
}

// Every malformed library ends the report with a message that names the line and the problem.
struct MalformedCase {
  const char* name;
  std::vector<std::string> lines;
  const char* message_part;
};

class MalformedLibrary : public ReportTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedLibrary, FailsNamingTheLine) {
  EXPECT_FALSE(Run(GetParam().lines));
  ASSERT_EQ(host_.failures.size(), 1u);
  EXPECT_THAT(host_.failures[0], HasSubstr(GetParam().message_part));
  EXPECT_FALSE(host_.sheet.visible());
}

const std::string kCycleHead =
    Line({"x", "0", "1", "AddrCycle", "9", "4", "1", "A1", "B4", "4", "3", "8"});
const std::string kColumn = Line({"x", "0", "x", "CycleInt", "1", "1", "", "0"});

INSTANTIATE_TEST_SUITE_P(
    Cases, MalformedLibrary,
    ::testing::Values(
        MalformedCase{"EmptyLibrary", {}, "нет строки шаблона"},
        MalformedCase{"TemplateLineWithoutName", {"template"}, "нет строки шаблона"},
        MalformedCase{
            "OffsetNotANumber",
            {kTemplateLine, kLine1, Line({"x", "1O", "0", "Int", "4", "1", "1", "A1", "A1"})},
            "Строка 3 описания отчета: поле 1 («1O») не является целым числом."},
        MalformedCase{"ScaleNotANumber",
                      {kTemplateLine, kLine1, Scalar("Int", 0, 0, 4, "x1", "A1")},
                      "Строка 3 описания отчета: поле 5 («x1») не является числом."},
        MalformedCase{"EmptyCountField",
                      {kTemplateLine, kLine1, Line({"x", "0", "0", "Int"}) + "\t\t\t1\tA1\tA1",
                       Line({"x", "0", "0", "Char"}) + "\t\t\t1\tA1\tA1\t"},
                      "Строка 3 описания отчета: поле 4 («») не является целым числом."},
        MalformedCase{
            "WorksheetBeyondTheWorkbook",
            {kTemplateLine, kLine1, kLine1, Scalar("Int", 0, 0, 4, "1", "A1", "", "", "", "9")},
            "Строка 4 описания отчета: В книге нет листа 9"},
        MalformedCase{"InvalidAddress",
                      {kTemplateLine, kLine1, Scalar("Int", 0, 0, 4, "1", "A0")},
                      "Строка 3 описания отчета: Неверный адрес"},
        MalformedCase{"ColumnLinesPastTheEnd",
                      {kTemplateLine, kLine1, kCycleHead},
                      "Строка 3 описания отчета: таблица"},
        MalformedCase{"OutputColumnOutsideTheBlock",
                      {kTemplateLine, kLine1, kCycleHead,
                       Line({"x", "0", "x", "CycleInt", "1", "1", "", "2"})},
                      "Строка 4 описания отчета: столбец вывода 2 вне таблицы (0..1)."},
        MalformedCase{
            "NegativeSlotCount",
            {kTemplateLine, kLine1,
             Line({"x", "0", "1", "AddrCycle", "9", "-2", "1", "A1", "B4", "4", "3", "8"}),
             kColumn},
            "недопустимый размер таблицы"},
        MalformedCase{"HugeTable",
                      {kTemplateLine, kLine1,
                       Line({"x", "0", "2000000000", "AddrCycle", "9", "2000000000", "1", "A1",
                             "B4", "4", "3", "8"})},
                      "недопустимый размер таблицы"},
        MalformedCase{
            "ZeroSlotSize",
            {kTemplateLine, kLine1,
             Line({"x", "0", "1", "AddrCycle", "4", "4", "1", "A1", "B4", "0", "3", "8"}), kColumn},
            "недопустимый размер записи 0"},
        MalformedCase{"CycleBinTextNotANumber",
                      {kTemplateLine, kLine1, kCycleHead,
                       Line({"x", "0", "x", "CycleBin", "1", "1", "yes", "0"})},
                      "Строка 4 описания отчета: поле 6 («yes»)"}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReportTest, ASpreadsheetFailureMidReportGoesToTheFailurePath) {
  host_.sheet.FailAt("WriteRange");
  EXPECT_FALSE(Run({kTemplateLine, kLine1, Scalar("Int", 0, 0, 4, "1", "A1")}));
  EXPECT_THAT(host_.failures, ElementsAre(HasSubstr("Строка 3 описания отчета: Сбой таблицы")));
}

TEST_F(ReportTest, AStepThatFailsOnAnotherThreadFailsTheReport) {
  host_.steps_on_another_thread = true;
  host_.sheet.FailAt("WriteRange");
  EXPECT_FALSE(Run({kTemplateLine, kLine1, Scalar("Int", 0, 0, 4, "1", "A1")}));
  EXPECT_THAT(host_.failures, ElementsAre(HasSubstr("Строка 3 описания отчета: Сбой таблицы")));
}

}  // namespace
}  // namespace tavrix::report::testing

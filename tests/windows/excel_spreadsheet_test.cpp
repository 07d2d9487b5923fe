// The Excel backend against the fake automation object: the calls of the automation table with
// their arguments and locale ids, the variant array as Excel reads it, failures with Excel's
// reason, every object released; and a whole report whose cells arrive as the in-memory
// spreadsheet receives them directly.
#include "report/excel/excel_spreadsheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/passport.h"
#include "imagegen/recorder_image.h"
#include "report/report_fixture.h"
#include "support/generated_library.h"
#include "windows/fake_excel.h"

namespace tavrix::report::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(ExcelSpreadsheet, MakesTheCallsOfTheAutomationTable) {
  FakeExcel excel(4);
  excel.workbooks = 3;
  {
    excel::ExcelSpreadsheet sheet([&] { return excel.Application(); });
    sheet.Connect();
    sheet.OpenTemplate(PathFromUtf8("C:\\Tavrix\\Шаблоны\\rp52A.xlt"));
    sheet.SelectWorksheet(2);
    sheet.WriteRange("A1", "A1", 1.5f);
    sheet.WriteRange("B2", "C3", std::string_view(Utf8ToCp1251("Кран №5")));
    CellBlock block(2, 3);
    block.SetNumber(0, 0, 7.25);
    block.SetText(0, 2, Utf8ToCp1251("ёЁ"));
    block.SetText(1, 1, "x");
    sheet.WriteRange("A5", "C6", block);
    sheet.ReleaseWorksheet();
    sheet.Show();
    EXPECT_EQ(excel.live, 2) << "only the application and the workbook are held";

    EXPECT_THAT(
        excel.calls,
        ElementsAre("Application.Workbooks 800",
                    "Workbooks.Open(C:\\Tavrix\\Шаблоны\\rp52A.xlt) 800", "Workbooks.Count 800",
                    "Workbooks.Item(i4 3) 800", "Workbook3.Activate 800",
                    "Workbook3.Worksheets 800", "Worksheets.Item(i4 2) 800",
                    "Worksheet2.Activate 800", "Worksheet2.Range(A1, A1) 800",
                    "Range.Value2 = r4 1.5 800", "Worksheet2.Range(B2, C3) 800",
                    "Range.Value2 = Кран №5 800", "Worksheet2.Range(A5, C6) 800",
                    "Range.Value2 = array 800", "Application.Visible = true 400"));
  }
  EXPECT_EQ(excel.live, 0);
  EXPECT_EQ(excel.sheet.Cell(2, "A5"), Number(7.25));
  EXPECT_EQ(excel.sheet.Cell(2, "B5"), Empty());
  EXPECT_EQ(excel.sheet.Cell(2, "C5"), Text(Utf8ToCp1251("ёЁ")));
  EXPECT_EQ(excel.sheet.Cell(2, "B6"), Text("x"));
  EXPECT_EQ(excel.sheet.Cell(2, "C3"), Text(Utf8ToCp1251("Кран №5")));
}

TEST(ExcelSpreadsheet, AFailedCallTellsWhichAndWhyAndQuitClosesExcel) {
  FakeExcel excel(1);
  excel.failing = "Worksheets.Item";
  excel::ExcelSpreadsheet sheet([&] { return excel.Application(); });
  EXPECT_THAT([&] { sheet.WriteRange("A1", "A1", 1.0f); },
              ::testing::ThrowsMessage<Error>(HasSubstr("Range(A1, A1).Value2")));
  sheet.Connect();
  sheet.OpenTemplate("C:\\t.xlt");
  EXPECT_THAT([&] { sheet.SelectWorksheet(9); },
              ::testing::ThrowsMessage<Error>(HasSubstr("«Worksheets.Item(9)»: Excel отказал")));
  sheet.Quit();
  EXPECT_THAT(excel.calls, ::testing::IsSupersetOf(
                               {"Application.DisplayAlerts = false 400", "Application.Quit 800"}));
  EXPECT_EQ(excel.calls.back(), "Application.Quit 800");
  EXPECT_EQ(excel.live, 0);
  sheet.Quit();  // not connected any more: nothing to do
  EXPECT_EQ(excel.calls.back(), "Application.Quit 800");
}

TEST(ExcelSpreadsheet, NoExcelToBeHadIsAnError) {
  excel::ExcelSpreadsheet sheet([]() -> IDispatch* { throw Error("нет Excel"); });
  EXPECT_THROW(sheet.Connect(), Error);
  EXPECT_THROW(sheet.OpenTemplate("C:\\t.xlt"), Error);
}

// A report through the backend and the fake reaches the cells exactly as the same report
// written to the in-memory spreadsheet directly.
class ExcelReport : public ReportTest {
 protected:
  class ExcelHost : public TestHost {
   public:
    Spreadsheet& spreadsheet() override { return excel_sheet; }
    FakeExcel excel{6};
    excel::ExcelSpreadsheet excel_sheet{[this] { return excel.Application(); }};
  };
};

TEST_F(ExcelReport, ReachesTheCellsAsTheDirectReportDoes) {
  gen::ImageSpec wanted{Model::k52N, 9, gen::PlausibleHeader(Model::k52N, 9), 0, {}, {}};
  wanted.tables.fill = true;
  data_ = BuildDataFile(gen::GenerateImage(wanted), HeaderValueList{});
  host_.model = Designation(Model::k52N);
  host_.sheet = MemorySpreadsheet(6);
  ASSERT_TRUE(Run(tavrix::testing::GeneratedImageLibrary(Model::k52N))) << host_.failures.front();

  ExcelHost excel_host;
  excel_host.model = host_.model;
  excel_host.descriptions = host_.descriptions;
  tavrix::testing::Spit(excel_host.dir / excel_host.file_name, data_);
  TZULToExcel job(excel_host, std::chrono::milliseconds(0));
  ASSERT_TRUE(job.Execute()) << excel_host.failures.front();

  // The template's path comes out of another program directory; the rest is the same.
  std::vector<std::string> direct = host_.sheet.calls(), through = excel_host.excel.sheet.calls();
  ASSERT_GT(direct.size(), 3u);
  ASSERT_GT(through.size(), 3u);
  EXPECT_THAT(through[1], HasSubstr("report.xlsx"));
  direct.erase(direct.begin() + 1);
  through.erase(through.begin() + 1);
  EXPECT_EQ(through, direct);
  for (const char* address : {"A7", "C20", "F40", "A2000"}) {
    for (int worksheet = 1; worksheet <= 6; ++worksheet) {
      EXPECT_EQ(excel_host.excel.sheet.Cell(worksheet, address), Cell(worksheet, address))
          << worksheet << " " << address;
    }
  }
}

}  // namespace
}  // namespace tavrix::report::testing

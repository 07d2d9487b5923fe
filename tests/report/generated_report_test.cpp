// Reports over full images from the generator: every table of every model fills its range.
#include <gmock/gmock.h>

#include "data/passport.h"
#include "imagegen/recorder_image.h"
#include "report/report_fixture.h"
#include "support/generated_library.h"

namespace tavrix::report::testing {
namespace {

using ::testing::StartsWith;

class GeneratedReport : public ReportTest {
 protected:
  void Generate(Model m, std::size_t keep = kDataFileSize) {
    gen::ImageSpec image_spec{m, 9, gen::PlausibleHeader(m, 9), 0, {}, {}};
    image_spec.tables.fill = true;
    data_ = BuildDataFile(gen::GenerateImage(image_spec), HeaderValueList{});
    data_.resize(keep);
    host_.model = Designation(m);
    host_.sheet = MemorySpreadsheet(6);
    ASSERT_TRUE(Run(tavrix::testing::GeneratedImageLibrary(m))) << host_.failures.front();
  }
  std::string TextAt(int sheet, const char* address) const { return Cell(sheet, address).text; }
};

TEST_F(GeneratedReport, Model52A) {
  Generate(Model::k52A);
  EXPECT_EQ(Cell(5, "D2"), T("1"));
  EXPECT_EQ(Cell(5, "D1901"), T("1900"));
  EXPECT_EQ(Cell(6, "D7001"), T("7000"));
  EXPECT_THAT(TextAt(6, "A7001"), StartsWith("01.06.26 12:00:"));
}

TEST_F(GeneratedReport, Model52D) {
  Generate(Model::k52D);
  EXPECT_NE(Cell(2, "A3204"), Empty());
  EXPECT_NE(Cell(3, "C53"), Empty());
  EXPECT_NE(Cell(3, "O33"), Empty());
  EXPECT_EQ(Cell(4, "A7174"), Number(7167));
  EXPECT_EQ(Cell(5, "D41"), T("40"));
}

TEST_F(GeneratedReport, Model52N) {
  Generate(Model::k52N);
  EXPECT_NE(Cell(2, "E2604"), Empty());
  EXPECT_NE(Cell(3, "C154"), Empty());
  EXPECT_THAT(TextAt(4, "A7299"), StartsWith("01.06.26 12:00:"))
      << "the supplementary log's newest record ends the sheet";
  EXPECT_EQ(Cell(5, "D61"), T("60"));
}

TEST_F(GeneratedReport, Model38) {
  Generate(Model::k38);
  EXPECT_THAT(TextAt(2, "A11006"), StartsWith("01.06.2026 12:00:")) << "the newest comes last";
  EXPECT_NE(Cell(2, "A7"), Empty());
  EXPECT_EQ(Cell(5, "D151"), T("150"));
}

TEST_F(GeneratedReport, TruncatedDataFilesReportWhatTheyHold) {
  for (Model m : kModels) {
    Generate(m, 24 * 100 + 5);
    if (HasFatalFailure()) return;
  }
  EXPECT_NE(Cell(2, "A7"), Empty()) << "the ЗУЛ-38 records that the file still holds";
  EXPECT_EQ(Cell(2, "A107"), Empty());
}

}  // namespace
}  // namespace tavrix::report::testing

// The report libraries that ship in the program directory, run over the sample data files
// through the report job into the in-memory spreadsheet: every library reports every sample
// without a failure, and a model's own library puts the known values at the known cells.
#include <gmock/gmock.h>

#include <filesystem>
#include <map>

#include "core/cp1251.h"
#include "data/passport.h"
#include "report/library_file.h"
#include "report/report_fixture.h"
#include "report/report_job.h"
#include "report/version_map.h"

namespace tavrix::report::testing {
namespace {

using ::testing::StartsWith;

const std::filesystem::path kRuntime = TAVRIX_RUNTIME_DIR;

// Worksheets of each library's template.
const std::map<std::string, int> kWorksheets = {
    {"rp52A.dll", 3}, {"rp52D.dll", 5}, {"rp52N.dll", 5}, {"rp38.dll", 3}};

class ShippedHost : public TestHost {
 public:
  std::filesystem::path ProgramDirectory() const override { return kRuntime; }
  std::filesystem::path WorkingDirectory() const override { return kRuntime / "samples"; }
};

struct Sample {
  std::string file_name;  // UTF-8
  HeaderValueList passport;
};

std::map<std::string, Sample> SamplesByModel() {
  std::map<std::string, Sample> samples;
  for (const auto& entry : std::filesystem::directory_iterator(kRuntime / "samples")) {
    Sample s{entry.path().filename().string(), {}};
    ReadPassport(entry.path(), 0, kPassportEntries - 1, s.passport);
    samples[Cp1251ToUtf8(s.passport[kEntryModel])] = s;
  }
  return samples;
}

class ShippedLibraries : public ::testing::Test {
 protected:
  // Runs the library over the sample of `model` (a designation, UTF-8); false after a failure.
  bool Report(const std::string& library, const std::string& model) {
    const Sample& s = samples_.at(model);
    host_ = std::make_unique<ShippedHost>();
    host_->file_name = s.file_name;
    host_->model = s.passport[kEntryModel];
    host_->version = s.passport[kEntryVersion];
    host_->fixed_clock.Set({2026, 11, 20, 10, 30, 0});
    host_->sheet = MemorySpreadsheet(kWorksheets.at(library));
    host_->descriptions = ReadReportLibrary(kRuntime / library);
    TZULToExcel job(*host_, std::chrono::milliseconds(0));
    return job.Execute();
  }
  CellContent Cell(int sheet, const char* address) const {
    return host_->sheet.Cell(sheet, address);
  }
  std::string Entry(const std::string& model, std::size_t k) const {
    return samples_.at(model).passport[k];
  }

  std::map<std::string, Sample> samples_ = SamplesByModel();
  std::unique_ptr<ShippedHost> host_;
};

TEST_F(ShippedLibraries, VersionMapNamesTheModelsLibraryForEverySample) {
  for (const auto& [model, sample] : samples_) {
    EXPECT_EQ(LibraryFromVersionMap(kRuntime, sample.passport[kEntryModel],
                                    sample.passport[kEntryVersion]),
              FallbackLibrary(sample.passport[kEntryModel]))
        << model;
  }
}

TEST_F(ShippedLibraries, EveryLibraryReportsEverySample) {
  ASSERT_EQ(samples_.size(), kWorksheets.size());
  for (const auto& [library, sheets] : kWorksheets) {
    for (const auto& [model, sample] : samples_) {
      EXPECT_TRUE(Report(library, model))
          << library << " over " << model << ": " << ::testing::PrintToString(host_->failures);
    }
  }
}

// Values the samples hold (scripts/samples.sh), at the cells each library names.
struct Known {
  const char* model;
  const char* library;
  const char* running_time;
  double cycles;
  const char* largest_load;
  double overloads;
  const char* lowest_temperature;
  const char* set_on;
};

TEST_F(ShippedLibraries, OwnLibraryPutsPassportAndCountersAtTheirCells) {
  const Known known[] = {
      {"ЗУЛ-52А", "rp52A.dll", "8645:23:00", 48211, "14,3500003814697", 37, "-38 °C", "14.03.2025"},
      {"ЗУЛ-52Д", "rp52D.dll", "5024:15:00", 95310, "23,6000003814697", 12, "-27 °C", "02.09.24"},
      {"ЗУЛ-52Н", "rp52N.dll", "2128:04:00", 39117, "11,8000001907349", 5, "-41 °C", "15.05.25"},
      {"ЗУЛ-38", "rp38.dll", "800:00:00", 21034, "12,5", 3, "-31 °C", "14:30 25.10.2026"},
  };
  for (const Known& k : known) {
    SCOPED_TRACE(k.model);
    ASSERT_TRUE(Report(k.library, k.model));
    EXPECT_EQ(Cell(1, "C4"), Text(Entry(k.model, kEntryModel)));
    EXPECT_EQ(Cell(1, "C13"), Text(Entry(k.model, 7))) << "registration number";
    EXPECT_EQ(Cell(1, "C15"), Text(Entry(k.model, 9))) << "loading group";
    EXPECT_EQ(Cell(1, "C17"), Text(Entry(k.model, 11))) << "owner";
    EXPECT_EQ(Cell(1, "C24"), Text(Entry(k.model, 16))) << "read-out time";
    EXPECT_EQ(Cell(1, "C27"), T(k.running_time));
    EXPECT_EQ(Cell(1, "C28"), Number(k.cycles)) << "the larger copy";
    EXPECT_EQ(Cell(1, "C29"), T(k.largest_load));
    EXPECT_EQ(Cell(1, "C30"), Number(k.overloads));
    EXPECT_EQ(Cell(1, "C31"), T(k.lowest_temperature));
    EXPECT_EQ(Cell(1, "C32"), T(k.set_on));
  }
}

TEST_F(ShippedLibraries, HeaderValuesMatchThePassportTheyWereSavedWith) {
  ASSERT_TRUE(Report("rp52A.dll", "ЗУЛ-52А"));
  EXPECT_EQ(Cell(1, "C6"), Text(Entry("ЗУЛ-52А", 3))) << "limiter serial, BCD as Hex";
  EXPECT_EQ(Cell(1, "C12"), Text(Entry("ЗУЛ-52А", 6))) << "crane serial, BCD as Hex";
  EXPECT_EQ(Cell(1, "C14"), Text(Entry("ЗУЛ-52А", 8))) << "crane year";
  EXPECT_EQ(Cell(1, "C8"), Text(Entry("ЗУЛ-52А", 1))) << "version as UChar";
  ASSERT_TRUE(Report("rp52N.dll", "ЗУЛ-52Н"));
  EXPECT_EQ(Cell(1, "C12"), Text(Entry("ЗУЛ-52Н", 6))) << "crane serial as ShortInt";
  EXPECT_EQ(Cell(1, "C16"), Text(Entry("ЗУЛ-52Н", 10))) << "manufacturer from the header";
}

TEST_F(ShippedLibraries, TablesFillTheirRangesOldestFirst) {
  ASSERT_TRUE(Report("rp52A.dll", "ЗУЛ-52А"));
  EXPECT_EQ(Cell(2, "D5"), T("1")) << "the oldest cycle first";
  EXPECT_EQ(Cell(2, "D1904"), T("1900"));
  EXPECT_EQ(Cell(2, "G5"), T("")) << "a column of no known kind: the empty text";
  EXPECT_EQ(Cell(3, "D7004"), T("7000"));
  EXPECT_THAT(Cell(3, "A7004").text, StartsWith("19.11.26 18:00:"));

  ASSERT_TRUE(Report("rp52D.dll", "ЗУЛ-52Д"));
  EXPECT_EQ(Cell(4, "A7174"), Number(7167));
  EXPECT_NE(Cell(3, "O33"), Empty());
  EXPECT_EQ(Cell(5, "D44"), T("40"));

  ASSERT_TRUE(Report("rp52N.dll", "ЗУЛ-52Н"));
  EXPECT_THAT(Cell(4, "A7299").text, StartsWith("19.11.26 18:00:"));
  EXPECT_NE(Cell(2, "E2604"), Empty());
  EXPECT_EQ(Cell(5, "D64"), T("60"));

  ASSERT_TRUE(Report("rp38.dll", "ЗУЛ-38"));
  EXPECT_THAT(Cell(2, "A11006").text, StartsWith("19.11.2026 18:00:"));
  EXPECT_EQ(Cell(3, "D154"), T("150"));
}

}  // namespace
}  // namespace tavrix::report::testing

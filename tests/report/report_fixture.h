// A report run in a test: a data file built from named bytes in a temporary working directory,
// a description list written as text, a fixed clock, the in-memory spreadsheet, and a host that
// runs every step directly and records progress and failures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "core/file_io.h"
#include "report/memory_spreadsheet.h"
#include "report/report_job.h"
#include "support/files.h"
#include "support/memory_report_host.h"
#include "support/temp_dir.h"

namespace tavrix::report::testing {

// A text cell, given in UTF-8.
inline CellContent T(const std::string& utf8) { return Text(Utf8ToCp1251(utf8)); }

class ReportTest : public ::testing::Test {
 protected:
  // Bytes at an offset of the data file (which grows as needed).
  void Poke(std::size_t offset, std::vector<std::uint8_t> bytes) {
    if (data_.size() < offset + bytes.size()) data_.resize(offset + bytes.size());
    std::copy(bytes.begin(), bytes.end(), data_.begin() + static_cast<std::ptrdiff_t>(offset));
  }
  // A slot of `size` bytes whose first `summed` bytes sum to 0xFF: `bytes` then the check byte.
  void PokeSlot(std::size_t offset, std::vector<std::uint8_t> bytes, std::size_t summed) {
    bytes.resize(summed - 1);
    std::uint8_t sum = 0;
    for (auto b : bytes) sum = static_cast<std::uint8_t>(sum + b);
    bytes.push_back(static_cast<std::uint8_t>(0xFF - sum));
    Poke(offset, bytes);
  }
  // Runs the report over the description lines (UTF-8, fields joined by TABs beforehand).
  bool Run(std::vector<std::string> lines) {
    host_.descriptions.clear();
    for (const auto& l : lines) host_.descriptions.push_back(Utf8ToCp1251(l));
    tavrix::testing::Spit(host_.dir / host_.file_name, data_);
    TZULToExcel job(host_, std::chrono::milliseconds(0));
    return job.Execute();
  }
  CellContent Cell(int sheet, const char* address) const {
    return host_.sheet.Cell(sheet, address);
  }

  TestHost host_;
  std::vector<std::uint8_t> data_ = std::vector<std::uint8_t>(1024);
};

// Joins fields with TABs.
inline std::string Line(std::initializer_list<std::string> fields) {
  std::string line;
  bool first = true;
  for (const auto& f : fields) {
    if (!first) line += '\t';
    line += f;
    first = false;
  }
  return line;
}

inline const std::string kTemplateLine = "template\treport.xlsx";
inline const std::string kLine1 = "line 1 is never read";

// A scalar description line: fields 0 to 11.
inline std::string Scalar(const std::string& keyword, int offset, int copy, int count,
                          const std::string& scale, const std::string& address,
                          const std::string& prefix = "", const std::string& separator = "",
                          const std::string& suffix = "", const std::string& sheet = "1") {
  return Line({"x", std::to_string(offset), std::to_string(copy), keyword, std::to_string(count),
               scale, sheet, address, address, prefix, separator, suffix});
}

}  // namespace tavrix::report::testing

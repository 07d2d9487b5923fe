#include "templates/formula_results.h"

#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <regex>
#include <stdexcept>
#include <string>

namespace tavrix::templates {
namespace {

struct Archive {
  zip_t* zip = nullptr;
  ~Archive() {
    if (zip) zip_discard(zip);
  }
};

std::string ReadEntry(zip_t* zip, zip_uint64_t index) {
  zip_stat_t stat;
  zip_stat_index(zip, index, 0, &stat);
  std::string text(stat.size, '\0');
  zip_file_t* file = zip_fopen_index(zip, index, 0);
  const bool read =
      file && zip_fread(file, text.data(), stat.size) == static_cast<zip_int64_t>(stat.size);
  if (file) zip_fclose(file);
  if (!read) throw std::runtime_error(std::string("cannot read ") + stat.name);
  return text;
}

// Replaces an entry with a text of known size, so that no Zip64 field is needed.
void ReplaceEntry(zip_t* zip, zip_uint64_t index, const std::string& text) {
  void* copy = std::malloc(text.size());
  std::memcpy(copy, text.data(), text.size());
  zip_source_t* source = zip_source_buffer(zip, copy, text.size(), 1);
  if (!source || zip_file_replace(zip, index, source, ZIP_FL_ENC_UTF_8) < 0) {
    if (source) zip_source_free(source);
    throw std::runtime_error(std::string("cannot replace a worksheet: ") + zip_strerror(zip));
  }
}

}  // namespace

void DropFormulaResults(const std::filesystem::path& workbook) {
  int error = 0;
  Archive archive{zip_open(workbook.c_str(), 0, &error)};
  if (!archive.zip) throw std::runtime_error("cannot open " + workbook.string());
  const std::regex worksheet("xl/worksheets/sheet[0-9]+\\.xml");
  const std::regex result("</f><v>[^<]*</v>");
  const zip_int64_t entries = zip_get_num_entries(archive.zip, 0);
  for (zip_int64_t i = 0; i < entries; ++i) {
    const auto index = static_cast<zip_uint64_t>(i);
    if (!std::regex_match(zip_get_name(archive.zip, index, 0), worksheet)) continue;
    ReplaceEntry(archive.zip, index,
                 std::regex_replace(ReadEntry(archive.zip, index), result, "</f>"));
  }
  if (zip_close(archive.zip) < 0)
    throw std::runtime_error("cannot write " + workbook.string() + ": " +
                             zip_strerror(archive.zip));
  archive.zip = nullptr;
}

}  // namespace tavrix::templates

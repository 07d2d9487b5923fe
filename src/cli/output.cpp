#include "cli/output.h"

#include <cstdio>

#include "core/cp1251.h"
#include "data/detection.h"

namespace tavrix::cli {
namespace {

void PrintDetectionText(std::ostream& out, const ByteView& dump, const HeaderValueList& list) {
  out << "model: " << Cp1251ToUtf8(list[kEntryModel]) << "\nfailing blocks:\n";
  for (Model m : kModels) {
    const DetectionTable& table = DetectionTableOf(m);
    out << "  " << DesignationUtf8(m) << ": " << CountFailingBlocks(dump, m) << " of "
        << table.blocks.size() << " (accepted with at most " << table.max_failing << ")\n";
  }
  out << "entries:\n";
  PrintEntries(out, list);
}

void PrintDetectionJson(std::ostream& out, const ByteView& dump, const HeaderValueList& list) {
  out << "{\"model\": " << JsonString(Cp1251ToUtf8(list[kEntryModel])) << ", \"failing\": {";
  for (Model m : kModels) {
    out << (m == Model::k52A ? "" : ", ") << JsonString(DesignationUtf8(m)) << ": "
        << CountFailingBlocks(dump, m);
  }
  out << "}, " << EntriesJson(list) << "}\n";
}

}  // namespace

std::string JsonString(std::string_view utf8) {
  std::string json = "\"";
  for (char c : utf8) {
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
      json += escape;
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string EntriesJson(const HeaderValueList& list) {
  std::string json = "\"entries\": [";
  for (std::size_t k = 0; k < list.size(); ++k) {
    json += (k == 0 ? "" : ", ") + JsonString(Cp1251ToUtf8(list[k]));
  }
  return json + "]";
}

void PrintEntries(std::ostream& out, const HeaderValueList& list) {
  for (std::size_t k = 0; k < list.size(); ++k) {
    char number[8];
    std::snprintf(number, sizeof number, "%2zu", k);
    out << number << "  " << kPassportCaptions[k] << ": " << Cp1251ToUtf8(list[k]) << "\n";
  }
}

void WarnAboutDumpSize(std::ostream& err, std::string_view name, const Dump& dump) {
  if (dump.file_size < kDumpSize) {
    err << "tavrix-cli: warning: " << name << " holds " << dump.file_size << " bytes, not "
        << kDumpSize << "; the missing bytes read as zeros\n";
  } else if (dump.file_size > kDumpSize) {
    err << "tavrix-cli: warning: " << name << " holds " << dump.file_size
        << " bytes; only the first " << kDumpSize << " are the memory image\n";
  }
}

void PrintDetection(std::ostream& out, const ByteView& dump, const HeaderValueList& list,
                    bool json) {
  (json ? PrintDetectionJson : PrintDetectionText)(out, dump, list);
}

}  // namespace tavrix::cli

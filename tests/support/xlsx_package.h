// Small xlsx packages for tests, made and read with libzip and pugixml directly (not through the
// code under test): a template from a few XML texts, an entry of a written file, a worksheet's
// cells by reference.
#pragma once

#include <zip.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

namespace tavrix::testing {

using ZipEntries = std::vector<std::pair<std::string, std::string>>;

inline void WriteZip(const std::filesystem::path& path, const ZipEntries& entries) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  for (const auto& [name, text] : entries) {
    zip_source_t* source = zip_source_buffer(archive, text.data(), text.size(), 0);
    const zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    // Stored, so that a copy that was decompressed and deflated again would show.
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  zip_close(archive);
}

struct ZipEntryInfo {
  std::string text;
  zip_uint16_t method = 0;
  zip_uint64_t compressed_size = 0;
};

// Every entry in archive order; empty when the file is not a zip.
inline std::vector<std::pair<std::string, ZipEntryInfo>> ReadZip(
    const std::filesystem::path& path) {
  std::vector<std::pair<std::string, ZipEntryInfo>> entries;
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
  if (archive == nullptr) return entries;
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
    ZipEntryInfo info{std::string(stat.size, '\0'), stat.comp_method, stat.comp_size};
    zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
    zip_fread(file, info.text.data(), stat.size);
    zip_fclose(file);
    entries.emplace_back(stat.name, std::move(info));
  }
  zip_discard(archive);
  return entries;
}

inline std::optional<std::string> ZipText(const std::filesystem::path& path,
                                          const std::string& name) {
  for (auto& [entry, info] : ReadZip(path)) {
    if (entry == name) return info.text;
  }
  return std::nullopt;
}

inline constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// A worksheet part around the given <sheetData> content and the parts before and after it.
inline std::string SheetXml(const std::string& rows, const std::string& before = "",
                            const std::string& after = "") {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n") +
         "<worksheet xmlns=\"" + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">" + before +
         "<sheetData>" + rows + "</sheetData>" + after + "</worksheet>";
}

// A template whose workbook lists `sheets` in tab order; sheet k of the list is the part
// `xl/worksheets/<parts[k]>` with the text `sheet_texts[k]`.
struct TemplateSpec {
  std::vector<std::string> parts = {"sheet1.xml"};
  std::vector<std::string> sheet_texts = {SheetXml("")};
  std::string workbook_type =
      "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
  bool calc_chain = false;
};

inline ZipEntries TemplateEntries(const TemplateSpec& template_spec) {
  std::string types =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
      template_spec.workbook_type + "\"/>";
  std::string sheets, rels;
  for (std::size_t i = 0; i < template_spec.parts.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 10);
    types += "<Override PartName=\"/xl/worksheets/" + template_spec.parts[i] +
             "\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml."
             "worksheet+xml\"/>";
    sheets += "<sheet name=\"S" + std::to_string(i + 1) + "\" sheetId=\"" + std::to_string(i + 1) +
              "\" r:id=\"" + id + "\"/>";
    rels += "<Relationship Id=\"" + id +
            "\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "worksheet\" Target=\"worksheets/" +
            template_spec.parts[i] + "\"/>";
  }
  if (template_spec.calc_chain) {
    types +=
        "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/"
        "vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml\"/>";
    rels +=
        "<Relationship Id=\"rId99\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
        "2006/relationships/calcChain\" Target=\"calcChain.xml\"/>";
  }
  types += "</Types>";
  ZipEntries entries = {
      {"[Content_Types].xml", types},
      {"_rels/.rels",
       "<?xml version=\"1.0\"?><Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
       "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
       "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", std::string("<?xml version=\"1.0\"?><workbook xmlns=\"") + kMainNs +
                              "\" xmlns:r=\"" + kRelNs + "\"><sheets>" + sheets +
                              "</sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels",
       "<?xml version=\"1.0\"?><Relationships "
       "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           rels + "</Relationships>"},
      {"xl/styles.xml", std::string("<styleSheet xmlns=\"") + kMainNs + "\"/>"}};
  for (std::size_t i = 0; i < template_spec.parts.size(); ++i) {
    entries.emplace_back("xl/worksheets/" + template_spec.parts[i], template_spec.sheet_texts[i]);
  }
  if (template_spec.calc_chain) {
    entries.emplace_back("xl/calcChain.xml", std::string("<calcChain xmlns=\"") + kMainNs +
                                                 "\"><c r=\"A1\" i=\"1\"/></calcChain>");
  }
  return entries;
}

inline void WriteTemplate(const std::filesystem::path& path,
                          const TemplateSpec& template_spec = {}) {
  WriteZip(path, TemplateEntries(template_spec));
}

// The <c> elements of a worksheet part by their r attribute, and the part itself.
struct SheetCells {
  pugi::xml_document document;
  std::map<std::string, pugi::xml_node> cells;
  std::vector<std::string> order;  // every r in document order, rows as "row N"

  explicit SheetCells(const std::string& xml) {
    document.load_string(xml.c_str(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    for (pugi::xml_node row : document.child("worksheet").child("sheetData").children("row")) {
      order.push_back(std::string("row ") + row.attribute("r").value());
      for (pugi::xml_node c : row.children("c")) {
        cells[c.attribute("r").value()] = c;
        order.emplace_back(c.attribute("r").value());
      }
    }
  }
  pugi::xml_node operator[](const std::string& r) const {
    const auto it = cells.find(r);
    return it == cells.end() ? pugi::xml_node() : it->second;
  }
  std::string Dimension() const {
    return document.child("worksheet").child("dimension").attribute("ref").value();
  }
};

}  // namespace tavrix::testing

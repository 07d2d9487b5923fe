// The small XML helpers that the workbook parts need: names matched by local name whatever
// their prefix, a prefix's namespace resolved through the ancestors, parsing that keeps what a
// spreadsheet part holds, saving without reformatting, and the escaping of attribute values and
// cell texts (code page 1251 in, UTF-8 out, control characters as _xHHHH_).
#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace tavrix::report::xlsx {

// Appends what pugixml writes to a string.
class StringWriter final : public pugi::xml_writer {
 public:
  explicit StringWriter(std::string& out) : out_(out) {}
  void write(const void* data, size_t size) override {
    out_.append(static_cast<const char*>(data), size);
  }

 private:
  std::string& out_;
};

std::string_view LocalName(const char* qualified_name);
std::string_view Prefix(const char* qualified_name);  // "" when the name has none
// The first child element (or attribute) whose local name is `local`.
pugi::xml_node Child(pugi::xml_node node, std::string_view local);
pugi::xml_attribute Attribute(pugi::xml_node node, std::string_view local);
// The URI that `prefix` stands for at `node` ("" for the default namespace).
std::string_view NamespaceUri(pugi::xml_node node, std::string_view prefix);
// The qualified name for `local` in the namespace of `like`, e.g. "x:row" beside "x:sheetData".
std::string SameNamespace(pugi::xml_node like, std::string_view local);

// Parses a part; throws Error naming `part` of the template `label` when it is not XML.
void ParsePart(pugi::xml_document& document, std::string_view xml, std::string_view label,
               std::string_view part);
// The document as text, with an XML declaration and without added whitespace.
std::string SavePart(const pugi::xml_document& document);

void AppendAttributeValue(std::string& out, std::string_view utf8);

// A cell text cut to the 32 767 characters that a cell holds.
std::string_view ClipCellText(std::string_view cp1251);
// Whether the text begins or ends with white space, which a reader keeps only when told.
bool NeedsPreserve(std::string_view cp1251);
// The text in UTF-8, escaped for a <t> element.
void AppendCellText(std::string& out, std::string_view cp1251);

}  // namespace tavrix::report::xlsx

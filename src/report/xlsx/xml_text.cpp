#include "report/xlsx/xml_text.h"

#include <cstring>

#include "core/cp1251.h"
#include "core/error.h"
#include "report/xlsx/xlsx_messages.h"

namespace tavrix::report::xlsx {
namespace {

constexpr std::size_t kMaxCellCharacters = 32767;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool IsHex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "_x0041_" in a text would be read back as "A": its underscore must be escaped itself.
bool LooksLikeEscape(std::string_view text, std::size_t at) {
  if (at + 7 > text.size() || text[at + 1] != 'x' || text[at + 6] != '_') return false;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    if (!IsHex(text[i])) return false;
  }
  return true;
}

void AppendHexEscape(std::string& out, unsigned char c) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  out += "_x00";
  out += kDigits[c >> 4];
  out += kDigits[c & 15];
  out += '_';
}

}  // namespace

std::string_view LocalName(const char* qualified_name) {
  const char* colon = std::strchr(qualified_name, ':');
  return colon != nullptr ? std::string_view(colon + 1) : std::string_view(qualified_name);
}

std::string_view Prefix(const char* qualified_name) {
  const char* colon = std::strchr(qualified_name, ':');
  return colon != nullptr ? std::string_view(qualified_name, colon - qualified_name)
                          : std::string_view();
}

pugi::xml_node Child(pugi::xml_node node, std::string_view local) {
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_element && LocalName(child.name()) == local) return child;
  }
  return {};
}

pugi::xml_attribute Attribute(pugi::xml_node node, std::string_view local) {
  for (pugi::xml_attribute a : node.attributes()) {
    if (LocalName(a.name()) == local && Prefix(a.name()) != "xmlns") return a;
  }
  return {};
}

std::string_view NamespaceUri(pugi::xml_node node, std::string_view prefix) {
  const std::string name = prefix.empty() ? "xmlns" : "xmlns:" + std::string(prefix);
  for (; node; node = node.parent()) {
    if (const pugi::xml_attribute a = node.attribute(name.c_str())) return a.value();
  }
  return {};
}

std::string SameNamespace(pugi::xml_node like, std::string_view local) {
  const std::string_view prefix = Prefix(like.name());
  return prefix.empty() ? std::string(local) : std::string(prefix) + ":" + std::string(local);
}

void ParsePart(pugi::xml_document& document, std::string_view xml, std::string_view label,
               std::string_view part) {
  const unsigned flags =
      pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata_single;
  const pugi::xml_parse_result result =
      document.load_buffer(xml.data(), xml.size(), flags, pugi::encoding_auto);
  if (!result || !document.document_element()) {
    throw Error(TemplateProblem(label, BadPartProblem(part, result.description())));
  }
}

std::string SavePart(const pugi::xml_document& document) {
  std::string out;
  if (document.first_child().type() != pugi::node_declaration) {
    out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
  }
  StringWriter writer(out);
  document.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return out;
}

void AppendAttributeValue(std::string& out, std::string_view utf8) {
  for (const char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\t':
        out += "&#9;";
        break;
      default:
        out += c;
    }
  }
}

bool NeedsPreserve(std::string_view cp1251) {
  return !cp1251.empty() && (IsBlank(cp1251.front()) || IsBlank(cp1251.back()));
}

// Every code page 1251 character is one UTF-16 unit, so the limit counts bytes here.
std::string_view ClipCellText(std::string_view cp1251) {
  return cp1251.substr(0, kMaxCellCharacters);
}

void AppendCellText(std::string& out, std::string_view cp1251) {
  for (std::size_t i = 0; i < cp1251.size(); ++i) {
    const auto c = static_cast<unsigned char>(cp1251[i]);
    if (c >= 0x80) {
      out += Cp1251ToUtf8(cp1251.substr(i, 1));
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '_' && LooksLikeEscape(cp1251, i)) {
      out += "_x005F_";
    } else if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) {
      AppendHexEscape(out, c);  // CR too: a parser would turn it into LF
    } else {
      out += static_cast<char>(c);
    }
  }
}

}  // namespace tavrix::report::xlsx

#include "report/xlsx/package_layout.h"

#include <array>

#include <pugixml.hpp>

#include "core/error.h"
#include "report/xlsx/xlsx_messages.h"
#include "report/xlsx/xml_text.h"

namespace tavrix::report::xlsx {
namespace {

constexpr std::string_view kContentTypesPart = "[Content_Types].xml";
constexpr std::string_view kTemplateType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml";
constexpr std::string_view kWorkbookType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
// Transitional and Strict spellings of the relationships namespace.
constexpr std::array<std::string_view, 2> kRelationshipNamespaces = {
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "http://purl.oclc.org/ooxml/officeDocument/relationships"};
// Children of <workbook> that the schema puts after <calcPr>.
constexpr std::array<std::string_view, 9> kAfterCalcPr = {
    "oleSize",       "customWorkbookViews", "pivotCaches",       "smartTagPr", "smartTagTypes",
    "webPublishing", "fileRecoveryPr",      "webPublishObjects", "extLst"};

bool TypeIs(std::string_view type, std::string_view kind) {
  return type.size() > kind.size() && type.ends_with(kind) &&
         type[type.size() - kind.size() - 1] == '/';
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

struct Relationship {
  pugi::xml_node node;
  std::string_view id, type, target;
  bool external = false;
};

std::vector<Relationship> Relationships(const pugi::xml_document& rels) {
  std::vector<Relationship> list;
  for (pugi::xml_node r : rels.document_element().children()) {
    if (r.type() != pugi::node_element || LocalName(r.name()) != "Relationship") continue;
    list.push_back({r, r.attribute("Id").value(), r.attribute("Type").value(),
                    r.attribute("Target").value(),
                    EqualNoCase(r.attribute("TargetMode").value(), "External")});
  }
  return list;
}

// The package's parts as parsed documents, read once each.
class Parts {
 public:
  Parts(const ZipPackage& package, std::string_view label) : package_(package), label_(label) {}

  // None when the package has no such part.
  const pugi::xml_document* Get(std::string_view part) {
    const auto name = package_.Find(part);
    if (!name) return nullptr;
    auto& document = documents_[*name];
    if (!document.document_element()) ParsePart(document, package_.Read(*name), label_, *name);
    return &document;
  }
  pugi::xml_document& Mutable(std::string_view part) {
    Get(part);
    return documents_.at(*package_.Find(part));
  }

 private:
  const ZipPackage& package_;
  std::string_view label_;
  std::map<std::string, pugi::xml_document> documents_;
};

std::string WorkbookPart(Parts& parts, std::string_view label) {
  const pugi::xml_document* root_rels = parts.Get(RelationshipsPart(""));
  if (root_rels != nullptr) {
    for (const Relationship& r : Relationships(*root_rels)) {
      if (TypeIs(r.type, "officeDocument") && !r.external) return ResolveTarget("", r.target);
    }
  }
  throw Error(TemplateProblem(label, kNotWorkbookProblem));
}

std::string_view RelationshipId(pugi::xml_node sheet) {
  for (pugi::xml_attribute a : sheet.attributes()) {
    if (LocalName(a.name()) != "id" || Prefix(a.name()).empty()) continue;
    const std::string_view uri = NamespaceUri(sheet, Prefix(a.name()));
    for (const std::string_view known : kRelationshipNamespaces) {
      if (uri == known) return a.value();
    }
  }
  return {};
}

void SetFullCalculationOnLoad(pugi::xml_node workbook) {
  pugi::xml_node calc = Child(workbook, "calcPr");
  if (!calc) {
    pugi::xml_node after;
    for (pugi::xml_node child : workbook.children()) {
      for (const std::string_view name : kAfterCalcPr) {
        if (!after && child.type() == pugi::node_element && LocalName(child.name()) == name) {
          after = child;
        }
      }
    }
    const std::string name = SameNamespace(workbook, "calcPr");
    calc = after ? workbook.insert_child_before(name.c_str(), after)
                 : workbook.append_child(name.c_str());
  }
  pugi::xml_attribute full = calc.attribute("fullCalcOnLoad");
  if (!full) full = calc.append_attribute("fullCalcOnLoad");
  full.set_value("1");
}

}  // namespace

std::string RelationshipsPart(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  const std::string_view folder = slash == std::string_view::npos ? "" : part.substr(0, slash + 1);
  const std::string_view name = slash == std::string_view::npos ? part : part.substr(slash + 1);
  return std::string(folder) + "_rels/" + std::string(name) + ".rels";
}

std::string ResolveTarget(std::string_view source_part, std::string_view target) {
  std::vector<std::string> segments;
  std::string_view path = target;
  if (path.starts_with('/')) {
    path.remove_prefix(1);
  } else {
    const std::size_t slash = source_part.rfind('/');
    std::string_view folder = slash == std::string_view::npos ? "" : source_part.substr(0, slash);
    while (!folder.empty()) {
      const std::size_t next = folder.find('/');
      segments.emplace_back(folder.substr(0, next));
      folder = next == std::string_view::npos ? "" : folder.substr(next + 1);
    }
  }
  while (!path.empty()) {
    const std::size_t next = path.find('/');
    const std::string_view segment = path.substr(0, next);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.emplace_back(segment);
    }
    path = next == std::string_view::npos ? "" : path.substr(next + 1);
  }
  std::string part;
  for (const std::string& s : segments) part += (part.empty() ? "" : "/") + s;
  return part;
}

PackageLayout ReadLayout(const ZipPackage& package, std::string_view label) {
  Parts parts(package, label);
  PackageLayout layout;
  layout.workbook = WorkbookPart(parts, label);
  const pugi::xml_document* workbook = parts.Get(layout.workbook);
  if (workbook == nullptr || LocalName(workbook->document_element().name()) != "workbook") {
    throw Error(TemplateProblem(label, kNotWorkbookProblem));
  }
  const pugi::xml_document* rels = parts.Get(RelationshipsPart(layout.workbook));
  const std::vector<Relationship> list =
      rels != nullptr ? Relationships(*rels) : std::vector<Relationship>{};
  for (pugi::xml_node sheet : Child(workbook->document_element(), "sheets").children()) {
    if (sheet.type() != pugi::node_element || LocalName(sheet.name()) != "sheet") continue;
    const std::string_view id = RelationshipId(sheet);
    for (const Relationship& r : list) {
      if (r.id == id && !id.empty() && !r.external && TypeIs(r.type, "worksheet")) {
        layout.worksheets.push_back(ResolveTarget(layout.workbook, r.target));
      }
    }
  }
  return layout;
}

PackageEdits WorkbookEdits(const ZipPackage& package, const PackageLayout& layout,
                           std::string_view label) {
  Parts parts(package, label);
  PackageEdits edits;
  std::set<std::string> calc_chains;
  const std::string rels_part = RelationshipsPart(layout.workbook);
  if (parts.Get(rels_part) != nullptr) {
    pugi::xml_document& rels = parts.Mutable(rels_part);
    bool changed = false;
    for (const Relationship& r : Relationships(rels)) {
      if (!TypeIs(r.type, "calcChain")) continue;
      calc_chains.insert(ResolveTarget(layout.workbook, r.target));
      rels.document_element().remove_child(r.node);
      changed = true;
    }
    if (changed) edits.replaced[*package.Find(rels_part)] = SavePart(rels);
  }
  for (const std::string& part : calc_chains) {
    if (const auto name = package.Find(part)) edits.removed.insert(*name);
  }

  if (parts.Get(kContentTypesPart) == nullptr) {
    throw Error(TemplateProblem(label, MissingPartProblem(kContentTypesPart)));
  }
  pugi::xml_document& types = parts.Mutable(kContentTypesPart);
  for (pugi::xml_node o = types.document_element().first_child(); o;) {
    const pugi::xml_node next = o.next_sibling();
    const std::string_view part = o.attribute("PartName").value();
    const std::string_view name = part.starts_with('/') ? part.substr(1) : part;
    if (o.type() == pugi::node_element && LocalName(o.name()) == "Override") {
      bool chain = false;
      for (const std::string& c : calc_chains) chain = chain || EqualNoCase(c, name);
      if (chain) {
        types.document_element().remove_child(o);
      } else if (EqualNoCase(name, layout.workbook) &&
                 o.attribute("ContentType").value() == kTemplateType) {
        o.attribute("ContentType").set_value(std::string(kWorkbookType).c_str());
      }
    }
    o = next;
  }
  edits.replaced[*package.Find(kContentTypesPart)] = SavePart(types);

  pugi::xml_document& workbook = parts.Mutable(layout.workbook);
  SetFullCalculationOnLoad(workbook.document_element());
  edits.replaced[*package.Find(layout.workbook)] = SavePart(workbook);
  return edits;
}

}  // namespace tavrix::report::xlsx

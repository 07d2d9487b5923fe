// How a workbook package is put together: the workbook part found through the package's
// relationships, its worksheets in the order of the workbook's Worksheets collection (the
// <sheet> elements in document order, each resolved through its relationship; chart sheets are
// not worksheets), and the edits that make a filled copy load right: the calculation chain and
// everything naming it removed, full calculation on load, a template's workbook type turned into
// a workbook's. Names are zip entry names ("xl/worksheets/sheet1.xml").
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "report/xlsx/zip_package.h"

namespace tavrix::report::xlsx {

struct PackageLayout {
  std::string workbook;
  std::vector<std::string> worksheets;
};

// Throws Error when the package holds no workbook or its parts are not XML.
PackageLayout ReadLayout(const ZipPackage& package, std::string_view label);

struct PackageEdits {
  std::map<std::string, std::string> replaced;  // entry name -> new text
  std::set<std::string> removed;
};

PackageEdits WorkbookEdits(const ZipPackage& package, const PackageLayout& layout,
                           std::string_view label);

// A relationship's target as a part name: relative to the folder of `source_part`, or from the
// package root when it starts with '/'; "." and ".." resolved.
std::string ResolveTarget(std::string_view source_part, std::string_view target);
// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels"; "" -> "_rels/.rels".
std::string RelationshipsPart(std::string_view part);

}  // namespace tavrix::report::xlsx

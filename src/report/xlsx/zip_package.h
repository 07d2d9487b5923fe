// A zip package (an xlsx workbook) held in memory: its entries by name, their texts, and a
// rebuilt package in which some entries are replaced or left out. Entries not replaced are copied
// with their compressed data as it stands; new ones are deflated at the given level. Every entry
// is written with a known size, so no Zip64 fields appear (LibreOffice refuses them). Failures
// throw Error.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct zip;

namespace tavrix::report::xlsx {

class ZipPackage {
 public:
  // Throws Error when the bytes are not a zip archive. `label` names the file in messages.
  ZipPackage(std::vector<std::uint8_t> bytes, std::string label);
  ~ZipPackage();
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  // The entry's name as the archive spells it; part names compare without regard to case.
  std::optional<std::string> Find(std::string_view name) const;
  // The entry's uncompressed bytes. Throws Error when it is missing, too large or unreadable.
  std::string Read(std::string_view name) const;

  // A new package: the entries in their order with "[Content_Types].xml" first, those in
  // `replaced` (by the names Find gives) with the new texts, those in `removed` left out.
  std::vector<std::uint8_t> Rebuild(const std::map<std::string, std::string>& replaced,
                                    const std::set<std::string>& removed, int deflate_level) const;

 private:
  std::vector<std::uint8_t> bytes_;
  std::string label_;
  zip* archive_ = nullptr;
  std::vector<std::string> names_;
  std::map<std::string, std::size_t> index_;  // lower-case name -> entry index
};

}  // namespace tavrix::report::xlsx

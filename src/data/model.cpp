#include "data/model.h"

#include "core/cp1251.h"

namespace tavrix {
namespace {

constexpr std::array<std::string_view, 4> kDesignationsUtf8 = {"ЗУЛ-52А", "ЗУЛ-52Д", "ЗУЛ-52Н",
                                                               "ЗУЛ-38"};

const std::array<std::string, 4>& Designations() {
  static const std::array<std::string, 4> designations = {
      Utf8ToCp1251(kDesignationsUtf8[0]), Utf8ToCp1251(kDesignationsUtf8[1]),
      Utf8ToCp1251(kDesignationsUtf8[2]), Utf8ToCp1251(kDesignationsUtf8[3])};
  return designations;
}

// Short names after folding: Cyrillic letters to their Latin look-alikes, lower case.
std::string NormalisedName(std::string_view utf8) {
  std::string folded = FoldCase1251(Utf8ToCp1251(utf8));
  const std::string cyrillic = Utf8ToCp1251("зуладн");
  const std::string latin = "zuladn";
  for (char& ch : folded) {
    if (const auto pos = cyrillic.find(ch); pos != std::string::npos) ch = latin[pos];
  }
  if (folded.starts_with("zul-")) folded.erase(0, 4);
  return folded;
}

}  // namespace

const std::string& Designation(Model m) { return Designations()[static_cast<std::size_t>(m)]; }

std::string_view DesignationUtf8(Model m) { return kDesignationsUtf8[static_cast<std::size_t>(m)]; }

const std::string& NoModelMarker() {
  static const std::string marker = Utf8ToCp1251("нет");
  return marker;
}

std::optional<Model> ModelFromDesignation(std::string_view cp1251) {
  for (Model m : kModels) {
    if (Designation(m) == cp1251) return m;
  }
  return std::nullopt;
}

std::optional<Model> ParseModelName(std::string_view utf8) {
  constexpr std::array<std::string_view, 4> kShort = {"52a", "52d", "52n", "38"};
  const std::string name = NormalisedName(utf8);
  for (Model m : kModels) {
    const auto i = static_cast<std::size_t>(m);
    if (name == kShort[i] || name == std::to_string(i)) return m;
  }
  return std::nullopt;
}

}  // namespace tavrix

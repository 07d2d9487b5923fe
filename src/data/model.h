// The four limiter models: their tags (the model picture's Tag), designations and the marker
// "нет" for a dump in which no model was recognised. Designations are code page 1251 texts, as
// the header value list and the passport block hold them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavrix {

enum class Model { k52A = 0, k52D = 1, k52N = 2, k38 = 3 };

inline constexpr std::array<Model, 4> kModels = {Model::k52A, Model::k52D, Model::k52N, Model::k38};

inline int Tag(Model m) { return static_cast<int>(m); }

// "ЗУЛ-52А", "ЗУЛ-52Д", "ЗУЛ-52Н", "ЗУЛ-38" in code page 1251.
const std::string& Designation(Model m);
// The same designations in UTF-8, for the front ends.
std::string_view DesignationUtf8(Model m);
// "нет" in code page 1251.
const std::string& NoModelMarker();

// The model whose designation the text is exactly (code page 1251), if any.
std::optional<Model> ModelFromDesignation(std::string_view cp1251);

// A model as a user names it on the command line (UTF-8): its designation, the tag 0..3, or a
// short form such as "52A", "52а", "zul-52n" or "38" (Latin or Cyrillic letters, any case).
std::optional<Model> ParseModelName(std::string_view utf8);

}  // namespace tavrix

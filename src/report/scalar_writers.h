// The nine scalar writers ("Int", "UShortInt", "ShortInt", "Char", "UChar", "Hex", "Time",
// "Data", "Float"): one value (or the larger of two copies) read at a line's offset, rendered
// as a number or a text, written into the line's range. A line whose worksheet or range field
// is empty, or whose offset is not inside the data file, is skipped. A byte count is limited to
// its keyword's value buffer (a negative one reads nothing).
#pragma once

#include <optional>
#include <string_view>

#include "report/description_list.h"

namespace tavrix::report {

class TZULToExcel;

enum class ScalarKind { kInt, kUShortInt, kShortInt, kChar, kUChar, kHex, kTime, kData, kFloat };

std::optional<ScalarKind> ScalarKindFromKeyword(std::string_view keyword);

void WriteScalar(TZULToExcel& job, ScalarKind kind, const DescriptionLine& line);

}  // namespace tavrix::report

// Drops the cached results of the formulas in a workbook's worksheets (the zeros that
// libxlsxwriter stores), so that every spreadsheet application computes them when the file is
// opened: LibreOffice takes a stored result as it is. The file is rewritten in place.
#pragma once

#include <filesystem>

namespace tavrix::templates {

// Throws std::runtime_error when the workbook cannot be read or written.
void DropFormulaResults(const std::filesystem::path& workbook);

}  // namespace tavrix::templates

// A report template built from a report library's readable source: the first sheet carries a
// caption beside every value that the library writes there (the line's field 0), its section
// headings ("Раздел" lines, which the report passes over) and totals over the tables; every
// other sheet carries the tables that the library fills, with headings, frozen heading rows,
// column widths and formats, A4 landscape printing, and charts over the ranges the report
// fills: the load over time and the distribution of cycles by load.
#pragma once

#include <filesystem>

namespace tavrix::templates {

// Throws std::runtime_error naming what is wrong in the source, or why the workbook could not
// be written.
void BuildReportTemplate(const std::filesystem::path& library_source,
                         const std::filesystem::path& output);

}  // namespace tavrix::templates

// Where a shown report workbook is saved: beside its data file, under the data file's name with
// ".xlsx" in place of its extension; when that name is taken, " (2)", " (3)", ... go before
// ".xlsx", so that no existing file is ever replaced. When the data file's folder cannot be
// written (a CD, a folder of another user), the same rule applies in the fallback folder (the
// user's documents folder).
#pragma once

#include <filesystem>
#include <functional>

namespace tavrix::report {

inline constexpr int kMaxReportCopies = 9999;

// True when a file can be created in the folder: a probe file is created and removed.
bool FolderWritable(const std::filesystem::path& folder);

// Throws Error when neither folder can be written or every numbered name up to
// kMaxReportCopies is taken.
std::filesystem::path ReportOutputPath(
    const std::filesystem::path& data_file, const std::filesystem::path& fallback_folder,
    const std::function<bool(const std::filesystem::path&)>& writable = FolderWritable);

}  // namespace tavrix::report

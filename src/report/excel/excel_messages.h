// The Excel backend's texts for the user (UTF-8): what failed, then why.
#pragma once

#include <string_view>

namespace tavrix::report::excel {

// Followed by the call ("Workbooks.Open"), then ": " and the reason.
inline constexpr std::string_view kCallFailedMessage = "Excel не выполнил вызов ";
// No Excel can be reached or started; followed by the reason.
inline constexpr std::string_view kNoExcelMessage =
    "Не удалось подключиться к Microsoft Excel или запустить его: ";
// A call made before the workbook or worksheet it needs was opened.
inline constexpr std::string_view kNotOpenMessage = "Excel: не открыт ";

}  // namespace tavrix::report::excel

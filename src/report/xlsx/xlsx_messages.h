// The xlsx backend's texts for the user (UTF-8), in one place: what went wrong with the template,
// the worksheet or a range write. They reach the user through the report's failure path.
#pragma once

#include <string>
#include <string_view>

namespace tavrix::report::xlsx {

inline std::string TemplateProblem(std::string_view label, std::string_view problem) {
  return "Шаблон отчета «" + std::string(label) + "» не удалось открыть: " + std::string(problem);
}
inline constexpr std::string_view kNotZipProblem =
    "это не книга Excel (файл не является zip-архивом).";
inline constexpr std::string_view kTooLargeProblem =
    "файл больше 16 МБ и не может быть шаблоном отчета.";
inline constexpr std::string_view kNotWorkbookProblem = "это не книга Excel (в нем нет книги).";
inline std::string MissingPartProblem(std::string_view part) {
  return "в книге нет части «" + std::string(part) + "».";
}
inline std::string BadPartProblem(std::string_view part, std::string_view reason) {
  return "часть «" + std::string(part) + "» книги повреждена (" + std::string(reason) + ").";
}
inline std::string NoWorksheetMessage(int number, std::size_t count) {
  return "В книге отчета нет листа " + std::to_string(number) + " (рабочих листов в ней " +
         std::to_string(count) + ").";
}
inline std::string BadRangeMessage(std::string_view corners) {
  return "Неверный адрес диапазона «" + std::string(corners) + "».";
}
inline std::string RangeTooLargeMessage(std::string_view corners) {
  return "Диапазон «" + std::string(corners) + "» слишком велик для записи одного значения.";
}
inline constexpr std::string_view kNotConnectedMessage = "Нет связи с табличным процессором.";
inline constexpr std::string_view kNoWorkbookMessage = "Книга отчета не открыта.";
inline constexpr std::string_view kNoWorksheetSelectedMessage = "Лист книги отчета не выбран.";

}  // namespace tavrix::report::xlsx

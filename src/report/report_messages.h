// The report's texts for the user (UTF-8): the messages of the report start, the report job's
// failure texts, and the problems of a malformed library line. The system's own texts stand
// exactly as the system shows them; the front ends take the titles from their message window.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrix::report {

// Pressing "Создать отчет" with no data file selected (title "Внимание!", OK only).
inline constexpr std::string_view kNoFileSelectedMessage =
    "Для создания отчета Вам необходимо выбрать файл.\r\n\r\nФайлы с данными регистратора "
    "параметров имеют расширение \".rpk\".";
// The version map names no library (title "Предупреждение!", Продолжить / Выход).
inline constexpr std::string_view kNoLibraryForVersionMessage =
    "Библиотека для данной версии регистратора на Вашем компьютере не обнаружена.\r\n\r\nДля "
    "выхода из процесса формирования отчета нажмите \"Выход\".\r\n\r\nДля использовани общей "
    "библиотеки и формирования отчета нажмите \"Продолжить\".\r\n\r\nВсе доступные библиотеки Вы "
    "можете найти на сайте ООО НПП \"ВИРД\".";
// The library file cannot be opened (title "Ошибка!", OK only).
inline constexpr std::string_view kLibraryMissingMessage =
    "Библиотека для данной версии регистратора в каталоге программы на Вашием компьютере не "
    "обнаружена.\r\n\r\nВсе доступные библиотеки Вы можете скачать на сайте ООО НПП "
    "\"ВИРД\".\r\n\r\nПереход на страницу библиотек по занчку \"Internet\" в нижнем правом углу "
    "окна программы.\r\n\r\nТакже можно написать письмо. Переход по значку \"Почта\" в нижнем "
    "правому углу окна программы.";

// The report job's failure text when the data file cannot be opened (it starts with a line break).
inline constexpr std::string_view kDataFileNotOpenedMessage = "\n Файл не удалось открыть!";
inline constexpr std::string_view kDataFileTooLargeMessage =
    "\n Файл не удалось открыть: он больше 16 МБ и не может быть файлом данных регистратора.";
inline constexpr std::string_view kNoTemplateLineMessage =
    "В описании отчета нет строки шаблона: библиотека пуста или ее первая строка не называет "
    "файл шаблона.";

// A library file above kMaxLibraryBytes (title "Ошибка!", OK only).
inline std::string LibraryTooLargeMessage(std::string_view path_utf8) {
  return "Файл библиотеки «" + std::string(path_utf8) +
         "» больше 16 МБ и не может быть библиотекой отчета.";
}

// "Строка N описания отчета: <problem>", N counted from 1.
inline std::string LineMessage(std::size_t line_number, std::string_view problem) {
  return "Строка " + std::to_string(line_number) + " описания отчета: " + std::string(problem);
}

inline std::string FieldMissingProblem(std::size_t field) {
  return "нет поля " + std::to_string(field) + ".";
}
inline std::string NotIntegerProblem(std::size_t field, std::string_view text) {
  return "поле " + std::to_string(field) + " («" + std::string(text) +
         "») не является целым числом.";
}
inline std::string NotNumberProblem(std::size_t field, std::string_view text) {
  return "поле " + std::to_string(field) + " («" + std::string(text) + "») не является числом.";
}
inline std::string ColumnLinesMissingProblem(long columns, long present) {
  return "таблица описывает столбцов: " + std::to_string(columns) +
         ", а строк после нее в описании: " + std::to_string(present) + ".";
}
inline std::string OutputColumnProblem(long column, long columns) {
  return "столбец вывода " + std::to_string(column) + " вне таблицы (0.." +
         std::to_string(columns) + ").";
}
inline std::string TableSizeProblem(long slots, long columns) {
  return "недопустимый размер таблицы: записей " + std::to_string(slots) + ", столбцов " +
         std::to_string(columns) + ".";
}
inline std::string SlotSizeProblem(long size) {
  return "недопустимый размер записи " + std::to_string(size) + " (должен быть не меньше 1).";
}

}  // namespace tavrix::report

// The balloon tips of the main window: which control explains itself with which title and text,
// and when (tips switched on always; some only in reading mode, two only with a new dump too);
// the list of empty passport fields shown at "Сохранить"; and the leave counter that keeps a tip
// standing through five leaves while a new dump waits to be saved. Texts are UTF-8.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace tavrix::app {

inline constexpr int kInfoIcon = 1;
inline constexpr int kWarningIcon = 2;

struct TipState {
  bool tips_on = true;
  bool reading_mode = false;
  bool new_dump = false;
};

struct BalloonTipRow {
  std::string_view control;  // the control's name
  std::string_view title;
  std::string_view text;  // the mail tip has the support address appended
  bool needs_reading_mode = false;
  bool needs_new_dump = false;
};

// The rows of the table; "ListView_FileList" has two, the second replacing the first.
extern const std::array<BalloonTipRow, 23> kBalloonTipRows;

// The tip a mouse-enter on the control shows in that state, or none. "BitBtn_Save" has a tip
// of its own (EmptyFieldsText).
const BalloonTipRow* TipForControl(std::string_view control, const TipState& state);

// The tips after a download, at the ЗУЛ-38 picture: no model recognised, or check the one found.
inline constexpr std::string_view kNoModelTipTitle = "Предупреждение!";
inline constexpr std::string_view kNoModelTipText =
    "Тип ограничителя не установлен.\n\nУкажите тип принудительно,\nкликнув соотствующий квадрат "
    "мышкой.\n\nЗатем для завершения процесса считывания\nзаполните информационные поля и нажмите "
    "\"Сохранить\".";
inline constexpr std::string_view kCheckModelTipTitle = "Внимание!";
inline constexpr std::string_view kCheckModelTipText =
    "Проверьте правильность определения типа ограничителя.\nВ случае ошибки выберите мышкой "
    "соответствующий.\n\nДля завершения процесса считывания\nзаполните информационные поля и "
    "нажмите \"Сохранить\".\n\nДля перехода между полями используйте клавишу \"Tab\".";

inline constexpr std::string_view kEmptyFieldsTitle = "Предупреждение!";

// "Следующие поля не заполнены:\n" and a line for each empty field, or "" when none is empty.
// `texts` are the passport edits' texts in kPassportEdits order; the crane model is not listed
// for a ЗУЛ-52А (`model_is_52a`).
std::string EmptyFieldsText(std::span<const std::string> texts, bool model_is_52a);

// One mouse-leave: true when the tip is to be hidden (the counter goes back to 0), false when it
// stays, which it does for five leaves in a row while a new dump waits.
bool LeaveHidesTip(int& leave_counter, bool new_dump);

}  // namespace tavrix::app

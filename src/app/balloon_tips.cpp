#include "app/balloon_tips.h"

#include "app/passport_edits.h"

namespace tavrix::app {

const std::array<BalloonTipRow, 23> kBalloonTipRows = {{
    {"CheckBox_Balloon", "Совет",
     "Если Вы уже освоились с программой,\n отключите подсказки сняв галочку."},
    {"ListView_FileList", "Создайте отчет!",
     "Кликните на файл.\nПросмотрите краткую информацию.\nНажмите кнопку \"Создать отчет\""},
    {"ListView_FileList", "Внимание!",
     "Для автоматического занесения информации\nв незаполненные поля вы можете два раза "
     "кликнуть\nпо аналогичному файлу.",
     true},
    {"Edit_O_Marka", "Заполнение",
     "Вы можете ввести не более 15 символов.\nПример:  \"ЗУЛ-52А\", \"ЗУЛ-52Н-00\", "
     "\"ЗУЛ-38-00М\"",
     true},
    {"Edit_O_ZN", "Заполнение", "Вы можете ввести не более 7 символов.\nПример:  \"8043822\"", true,
     true},
    {"Edit_O_Date", "Заполнение",
     "Вы можете ввести не более 10 символов.\nФормат ввода \"01.01.2008\"", true},
    {"Edit_O_Ver", "Заполнение",
     "Данное поле заполняется автоматически из данных РП.\nПри необзодимости Вы можете ввести "
     "не более 8 символов.\nПример: \"10.14\"",
     true},
    {"Edit_K_Marka", "Заполнение",
     "Вы можете ввести не более 18 символов.\nПример: \"КБ-000-00\", \"КС-00000-00А\"\nДля "
     "мостового крана может не заполняться.",
     true},
    {"Edit_K_ZN", "Заполнение",
     "Введите заводской номер крана.\nВы можете ввести не более 18 символов.\nПример: "
     "\"001732\"",
     true},
    {"Edit_K_RN", "Заполнение",
     "Введите регистрационный номер крана.\nВы можете ввести не более 18 символов.\nПример: "
     "\"03201834\"",
     true, true},
    {"Edit_K_God", "Заполнение", "Вы можете ввести не более 4 символов.\nПример: \"1964\"", true},
    {"Edit_K_A", "Заполнение",
     "Вы можете ввести не более 2 символов.\nВведите одно из значений: А1, А2, А3, А4, А5, А6, "
     "А7, А8",
     true},
    {"Edit_K_Izg", "Заполнение",
     "Вы можете ввести не более 145 символов.\nПример: ОАО \"Крановый завод\" (г.Энск)", true},
    {"Edit_K_Vlad", "Заполнение",
     "В можете ввести не более 145 символов.\nПример: ООО \"Организация-владелец\" (г.Энск)", true},
    {"Edit_CO_Org", "Заполнение",
     "Вы можете ввести не более 145 символов.\nПример: ООО \"Сервис-центр\" (г.Энск)", true},
    {"Edit_CO_FIO", "Заполнение", "Вы можете ввести не более 48 символов.\nПример: Фамилия И.О.",
     true},
    {"Edit_CO_NUd", "Заполнение", "Вы можете ввести не более 18 символов.\nПример: 002654/08",
     true},
    {"Edit_CO_DateUd", "Заполнение",
     "Вы можете ввести не более 10 символов.\nФормат ввода \"01.01.2008\"", true},
    {"Edit_CO_DataSchit", "Заполнение",
     "Вы можете ввести не более 15 символов.\nФормат ввода \"01.01.2008 00:00\"", true},
    {"Edit_FileName", "Заполнение",
     "Введите имя файла.\nПример:\"КС-0000 №001 08.01.2008\"\nНажмите кнопку "
     "\"Сохранить\"\n",
     true},
    {"Image_Post", "Почта", "Нажав на эту кнопку,Вы создадите электронное письмо\nна адрес "},
    {"Image_Internet", "Интернет",
     "Нажав на эту кнопку,Вы запустите обозреватель\nи перейдете на сайт ООО НПП \"ВИРД\""},
    {"BitBtn_Save", kEmptyFieldsTitle, "Следующие поля не заполнены:\n", true},
}};

const BalloonTipRow* TipForControl(std::string_view control, const TipState& state) {
  const BalloonTipRow* shown = nullptr;
  if (!state.tips_on || control == "BitBtn_Save") return shown;
  for (const BalloonTipRow& row : kBalloonTipRows) {
    if (row.control != control) continue;
    if (row.needs_reading_mode && !state.reading_mode) continue;
    if (row.needs_new_dump && !state.new_dump) continue;
    shown = &row;  // a later row of the same control replaces an earlier one
  }
  return shown;
}

std::string EmptyFieldsText(std::span<const std::string> texts, bool model_is_52a) {
  std::string lines;
  for (std::size_t i = 0; i < kPassportEdits.size() && i < texts.size(); ++i) {
    if (!texts[i].empty()) continue;
    if (i == kCraneModelEdit && model_is_52a) continue;
    lines += "          ";
    lines += kPassportEdits[i].empty_label;
    lines += '\n';
  }
  return lines.empty() ? lines : std::string(kBalloonTipRows.back().text) + lines;
}

bool LeaveHidesTip(int& leave_counter, bool new_dump) {
  if (new_dump && leave_counter < 5) {
    ++leave_counter;
    return false;
  }
  leave_counter = 0;
  return true;
}

}  // namespace tavrix::app

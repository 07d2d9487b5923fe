// The 16 passport edits of the info panel: the control's name, the header value list entry it
// shows (its Tag), the most characters a user may type, and the line that names it in the list of
// empty fields. In panel order, which is also the order the header fields are shown in.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tavrix::app {

struct PassportEdit {
  std::string_view name;
  std::size_t entry;
  int max_length;
  std::string_view empty_label;
};

inline constexpr std::array<PassportEdit, 16> kPassportEdits = {{
    {"Edit_O_Marka", 2, 14, "Марка ЗУЛ"},
    {"Edit_O_ZN", 3, 7, "Заводской номер ЗУЛ"},
    {"Edit_O_Date", 4, 10, "Дата установки ЗУЛ"},
    {"Edit_O_Ver", 1, 10, "Версия ЗУЛ"},
    {"Edit_K_Marka", 5, 19, "Марка крана"},
    {"Edit_K_ZN", 6, 19, "Заводской номер крана"},
    {"Edit_K_RN", 7, 19, "Регистрационный номер крана"},
    {"Edit_K_God", 8, 4, "Год изготовления крана"},
    {"Edit_K_A", 9, 2, "Группа режима нагружения"},
    {"Edit_K_Izg", 10, 149, "Изготовитель"},
    {"Edit_K_Vlad", 11, 149, "Владелец"},
    {"Edit_CO_Org", 12, 149, "Сервисная организация"},
    {"Edit_CO_FIO", 13, 49, "ФИО оператора"},
    {"Edit_CO_NUd", 14, 19, "Номер удостоверения"},
    {"Edit_CO_DateUd", 15, 10, "Срок действия удостоверения"},
    {"Edit_CO_DataSchit", 16, 16, "Дата считывания"},
}};

// The edit of the crane model, which a ЗУЛ-52А passport may leave empty.
inline constexpr std::size_t kCraneModelEdit = 4;
// The edits that the header decoders and filling from a similar file touch: all but the last.
inline constexpr std::size_t kHeaderEdits = 15;

}  // namespace tavrix::app

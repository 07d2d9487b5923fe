#include "templates/log_forms.h"

namespace tavrix::templates {
namespace {

// Appends the eight bit columns of a flag byte.
void AddFlags(TableForm& t, const std::string& name) {
  t.flags.push_back({static_cast<int>(t.headings.size()), name});
  for (int bit = 7; bit >= 0; --bit) t.headings.push_back("б" + std::to_string(bit));
}

std::vector<SheetForm> Sheets52N() {
  TableForm ring_a = Table("Журнал А: суточные записи нагрузки", "A5", 2600,
                           {"Дата", kLoadHeading, "Крен, град", "Код события", "Режим работы"});
  TableForm ring_b = Table("Журнал Б: события и неисправности", "A5", 150,
                           {"Дата и время", "Код неисправности", "Значение параметра"});
  TableForm main = Table(
      "Журнал работы и дополнительный журнал", "A7", 7293,
      {"Дата и время", kLoadHeading, "Вылет, м", "Грузоподъёмность, т", "Угол стрелы, град",
       "Загрузка, %", "Режим работы", "Угол поворота, град", "Код события", "Скорость ветра, м/с"});
  for (const char* g : {"Входы", "Выходы", "Блокировки", "Датчики", "Неисправности", "Режимы"})
    AddFlags(main, g);
  main.headings.insert(main.headings.end(), {"Код 1", "Код 2", "Код 3"});
  main.load_column = 1;
  main.timeline = true;
  return {{2, "Журнал А", {ring_a}}, {3, "Журнал Б", {ring_b}}, {4, "Журнал работы", {main}}};
}

std::vector<SheetForm> Sheets52D() {
  TableForm shortlog = Table("Краткий журнал: суточные записи нагрузки", "A5", 3200,
                             {"Дата", kLoadHeading, "Вылет, м", "Код события"});
  SheetForm curves{3, "Характеристики", {}};
  const char* corners[] = {"B14", "F14", "J14", "N14"};
  for (int k = 0; k < 4; ++k) {
    curves.tables.push_back(Table("Грузовая характеристика " + std::to_string(k + 1), corners[k],
                                  k < 2 ? 40 : 20, {"Вылет, м", "Грузоподъёмность, т"}));
  }
  TableForm main = Table("Журнал работы", "A7", 7168,
                         {"№ записи", "Дата / время", kLoadHeading, "Вылет, м",
                          "Грузоподъёмность, т", "Угол стрелы, град", "Загрузка, %", "Режим работы",
                          "Угол поворота, град", "Скорость ветра, м/с"});
  for (const char* g :
       {"Входы", "Выходы", "Блокировки", "Датчики", "Неисправности", "Режимы", "Реле", "Сигналы"})
    AddFlags(main, g);
  main.headings.insert(main.headings.end(), {"Код 2", "Код 1"});
  main.load_column = 2;
  main.timeline = true;
  return {{2, "Краткий журнал", {shortlog}}, curves, {4, "Журнал работы", {main}}};
}

std::vector<SheetForm> Sheets38() {
  TableForm main =
      Table("Журнал работы (год записи восстановлен по дате отчёта)", "A7", 11000,
            {"Дата и время", "Вылет, м", kLoadHeading, "Грузоподъёмность, т", "Угол стрелы, град",
             "Угол поворота, град", "Загрузка, %", "Код события"});
  for (const char* g : {"Входы", "Выходы", "Блокировки"}) AddFlags(main, g);
  main.headings.insert(main.headings.end(), {"Режим", "Ступень", "Код"});
  main.load_column = 2;
  main.timeline = true;
  return {{2, "Журнал работы", {main}}};
}

}  // namespace

std::vector<SheetForm> LogSheets(const std::string& keyword) {
  if (keyword == "Oper52N") return Sheets52N();
  if (keyword == "Oper52D") return Sheets52D();
  if (keyword == "Oper38") return Sheets38();
  return {};
}

}  // namespace tavrix::templates

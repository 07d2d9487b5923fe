// The report forms of the tables that the template builder lays out: their sheets, titles,
// column headings (Russian, with units) and flag groups. The operation logs' forms follow the
// fixed ranges and columns that the Oper52N, Oper52D and Oper38 writers fill; cycle tables get
// theirs from the library's "AddrCycle" lines.
#pragma once

#include <string>
#include <vector>

namespace tavrix::templates {

// Eight columns, one per bit of a flag byte, most significant bit first.
struct FlagGroup {
  int first_column;  // index of the group's first column in its table
  std::string name;
};

struct TableForm {
  std::string title;
  std::string first_cell;             // top-left cell of the range the report writes, e.g. "A7"
  int rows = 0;                       // rows of that range
  std::vector<std::string> headings;  // one per column of the range, from its first
  std::vector<FlagGroup> flags;
  int load_column = -1;   // the column that holds the load as text, for charts and totals
  bool timeline = false;  // the table whose load over time the first sheet charts
};

inline TableForm Table(std::string title, std::string first_cell, int rows,
                       std::vector<std::string> headings) {
  TableForm t;
  t.title = std::move(title);
  t.first_cell = std::move(first_cell);
  t.rows = rows;
  t.headings = std::move(headings);
  return t;
}

struct SheetForm {
  int number = 0;  // worksheet number, from 1
  std::string name;
  std::vector<TableForm> tables;
};

inline constexpr const char* kLoadHeading = "Масса груза, т";

// The sheets that an operation-log keyword fills: empty for any other keyword.
std::vector<SheetForm> LogSheets(const std::string& keyword);

}  // namespace tavrix::templates

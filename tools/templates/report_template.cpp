#include "templates/report_template.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "templates/formula_results.h"
#include "templates/log_forms.h"

namespace tavrix::templates {
namespace {

using Fields = std::vector<std::string>;

const std::set<std::string> kScalarKeywords = {"Int", "UShortInt", "ShortInt", "Char", "UChar",
                                               "Hex", "Time",      "Data",     "Float"};
constexpr const char* kSectionKeyword = "Раздел";
constexpr int kHistogramBins = 10;
constexpr double kHistogramStep = 2.5;  // t

constexpr std::size_t kMaxSheetName = 31;

std::size_t Utf8Length(const std::string& text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

Fields Split(const std::string& line) {
  Fields fields;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) fields.push_back(field);
  if (!line.empty() && line.back() == '\t') fields.emplace_back();
  return fields;
}

std::string FieldOf(const Fields& f, std::size_t k) { return k < f.size() ? f[k] : ""; }

int ToInt(const std::string& text, int line) {
  try {
    std::size_t used = 0;
    const int v = std::stoi(text, &used);
    if (used == text.size()) return v;
  } catch (const std::exception&) {
  }
  throw std::runtime_error("line " + std::to_string(line + 1) + ": not an integer: '" + text + "'");
}

struct Caption {
  int row, column;
  std::string text;
  bool number;  // the report writes a number there, not a text
};

// What the template needs to know of a library.
struct LibraryForm {
  std::string title;
  std::vector<Caption> captions;  // first sheet
  std::vector<Caption> sections;  // first sheet
  std::map<int, SheetForm> sheets;
};

void AddSheet(LibraryForm& form, SheetForm sheet) {
  auto [it, added] = form.sheets.try_emplace(sheet.number, sheet);
  if (!added) {
    for (auto& t : sheet.tables) it->second.tables.push_back(std::move(t));
  }
}

// A cycle head line and its column lines, from line index i; returns the lines it took.
int AddCycleTable(LibraryForm& form, const std::vector<Fields>& lines, int i) {
  const Fields& head = lines[i];
  const int m = ToInt(FieldOf(head, 2), i);
  const std::string first = FieldOf(head, 7), last = FieldOf(head, 8);
  TableForm t = Table(FieldOf(head, 0), first, ToInt(FieldOf(head, 5), i), {});
  const int columns = lxw_name_to_col(last.c_str()) - lxw_name_to_col(first.c_str()) + 1;
  t.headings.resize(static_cast<std::size_t>(std::max(columns, 0)));
  for (int j = 1; j <= m; ++j) {
    if (i + j >= static_cast<int>(lines.size()))
      throw std::runtime_error("line " + std::to_string(i + 1) + ": column lines missing");
    const int column = ToInt(FieldOf(lines[i + j], 7), i + j);
    if (column < 0 || column >= columns) continue;
    t.headings[column] = FieldOf(lines[i + j], 0);
    if (t.headings[column] == kLoadHeading) t.load_column = column;
  }
  if (Utf8Length(t.title) > kMaxSheetName)
    throw std::runtime_error("line " + std::to_string(i + 1) +
                             ": a table title names its sheet, "
                             "and a sheet name has at most 31 characters");
  AddSheet(form, {ToInt(FieldOf(head, 6), i), t.title, {t}});
  return m + 1;
}

LibraryForm ReadLibrary(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  std::vector<Fields> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(Split(line));
  }
  if (lines.empty()) throw std::runtime_error(path.string() + " is empty");
  LibraryForm form{FieldOf(lines[0], 0), {}, {}, {}};
  for (int i = 2; i < static_cast<int>(lines.size());) {
    const Fields& f = lines[i];
    const std::string keyword = FieldOf(f, 3);
    if (keyword == "AddrCycle") {
      i += AddCycleTable(form, lines, i);
      continue;
    }
    for (SheetForm& s : LogSheets(keyword)) AddSheet(form, std::move(s));
    const bool scalar = kScalarKeywords.count(keyword) > 0;
    if ((scalar || keyword == kSectionKeyword) && FieldOf(f, 6) == "1") {
      const std::string cell = FieldOf(f, 7);
      const bool number = (keyword == "Int" || keyword == "UShortInt" || keyword == "ShortInt") &&
                          FieldOf(f, 5) != "1";
      Caption c{static_cast<int>(lxw_name_to_row(cell.c_str())), lxw_name_to_col(cell.c_str()),
                FieldOf(f, 0), number};
      (scalar ? form.captions : form.sections).push_back(c);
    }
    ++i;
  }
  AddSheet(form, {1, "Паспорт", {}});
  return form;
}

// The workbook being written, with its formats.
class TemplateWriter {
 public:
  TemplateWriter(const std::filesystem::path& output, const LibraryForm& form)
      : form_(form), output_(output.string()) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    book_ = workbook_new_opt(output_.c_str(), &options);
    if (!book_) throw std::runtime_error("cannot create " + output_);
    MakeFormats();
  }
  ~TemplateWriter() {
    if (book_) workbook_close(book_);
  }

  void Write() {
    int expected = 1;
    for (const auto& [number, sheet] : form_.sheets) {
      if (number != expected++)
        throw std::runtime_error("worksheet " + std::to_string(expected - 1) + " has no table");
      sheets_[number] = workbook_add_worksheet(book_, sheet.name.c_str());
    }
    for (const auto& [number, sheet] : form_.sheets) {
      if (number > 1) WriteTableSheet(sheets_[number], sheet);
    }
    WritePassportSheet(sheets_[1]);
    const lxw_error error = workbook_close(book_);
    book_ = nullptr;
    if (error != LXW_NO_ERROR) throw std::runtime_error(output_ + ": " + lxw_strerror(error));
  }

 private:
  lxw_format* Format() { return workbook_add_format(book_); }

  void MakeFormats() {
    title_ = Format();
    format_set_bold(title_);
    format_set_font_size(title_, 14);
    subtitle_ = Format();
    format_set_italic(subtitle_);
    section_ = Format();
    format_set_bold(section_);
    format_set_bg_color(section_, 0xDDEBF7);
    format_set_bottom(section_, LXW_BORDER_THIN);
    caption_ = Format();
    format_set_indent(caption_, 1);
    value_text_ = Format();
    format_set_bottom(value_text_, LXW_BORDER_HAIR);
    format_set_align(value_text_, LXW_ALIGN_LEFT);
    value_number_ = Format();
    format_set_bottom(value_number_, LXW_BORDER_HAIR);
    format_set_align(value_number_, LXW_ALIGN_LEFT);
    format_set_num_format(value_number_, "#,##0");
    total_ = Format();
    format_set_bottom(total_, LXW_BORDER_HAIR);
    format_set_align(total_, LXW_ALIGN_LEFT);
    format_set_num_format(total_, "0.##");
    heading_ = Format();
    format_set_bold(heading_);
    format_set_text_wrap(heading_);
    format_set_align(heading_, LXW_ALIGN_CENTER);
    format_set_align(heading_, LXW_ALIGN_VERTICAL_CENTER);
    format_set_border(heading_, LXW_BORDER_THIN);
    format_set_bg_color(heading_, 0xF2F2F2);
    date_column_ = Format();
    format_set_align(date_column_, LXW_ALIGN_CENTER);
    flag_column_ = Format();
    format_set_align(flag_column_, LXW_ALIGN_CENTER);
    format_set_num_format(flag_column_, "0");
    value_column_ = Format();
    format_set_align(value_column_, LXW_ALIGN_RIGHT);
    format_set_num_format(value_column_, "0.##");
    bin_ = Format();
    format_set_num_format(bin_, "0.0");
    format_set_border(bin_, LXW_BORDER_HAIR);
    count_ = Format();
    format_set_num_format(count_, "0");
    format_set_border(count_, LXW_BORDER_HAIR);
  }

  static void PageSetup(lxw_worksheet* ws, int repeat_to_row, const std::string& title) {
    worksheet_set_landscape(ws);
    worksheet_set_paper(ws, 9);  // A4
    worksheet_set_margins(ws, 0.4, 0.4, 0.6, 0.6);
    worksheet_fit_to_pages(ws, 1, 0);
    if (repeat_to_row >= 0) worksheet_repeat_rows(ws, 0, static_cast<lxw_row_t>(repeat_to_row));
    worksheet_set_header(ws, ("&L" + title + "&R&A").c_str());
    worksheet_set_footer(ws, "&CЛист &P из &N");
  }

  void WritePassportSheet(lxw_worksheet* ws) {
    worksheet_set_column(ws, 0, 0, 36, nullptr);
    worksheet_set_column(ws, 1, 1, 2, nullptr);
    worksheet_set_column(ws, 2, 5, 14, nullptr);
    worksheet_merge_range(ws, 0, 0, 0, 5, form_.title.c_str(), title_);
    worksheet_write_string(ws, 1, 0, "Паспорт крана, счётчики регистратора и итоги по журналам",
                           subtitle_);
    int last_row = 2;
    for (const Caption& s : form_.sections) {
      worksheet_merge_range(ws, s.row, s.column, s.row, 5, s.text.c_str(), section_);
      last_row = std::max(last_row, s.row);
    }
    for (const Caption& c : form_.captions) {
      worksheet_write_string(ws, c.row, 0, c.text.c_str(), caption_);
      worksheet_merge_range(ws, c.row, c.column, c.row, std::max<int>(c.column, 5), "",
                            c.number ? value_number_ : value_text_);
      last_row = std::max(last_row, c.row);
    }
    WriteTotals(ws, last_row + 2);
    if (timeline_.sheet) InsertTimeline(ws);
    PageSetup(ws, -1, form_.title);
  }

  // Record counts and the largest load of each table, as formulas that recompute on opening.
  void WriteTotals(lxw_worksheet* ws, int row) {
    worksheet_merge_range(ws, row, 0, row, 5, "Итоги по таблицам", section_);
    for (const Total& t : totals_) {
      ++row;
      worksheet_write_string(ws, row, 0, t.caption.c_str(), caption_);
      worksheet_merge_range(ws, row, 2, row, 5, "", total_);
      if (t.array) {
        worksheet_write_array_formula(ws, row, 2, row, 2, t.formula.c_str(), total_);
      } else {
        worksheet_write_formula(ws, row, 2, t.formula.c_str(), total_);
      }
    }
  }

  void InsertTimeline(lxw_worksheet* ws) {
    lxw_chart* chart = workbook_add_chart(book_, LXW_CHART_LINE);
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    const Range& r = timeline_;
    chart_series_set_categories(series, r.sheet->c_str(), r.first_row, r.first_column, r.last_row,
                                r.first_column);
    chart_series_set_values(series, r.sheet->c_str(), r.first_row, r.helper_column, r.last_row,
                            r.helper_column);
    chart_series_set_name(series, kLoadHeading);
    chart_title_set_name(chart, ("Масса груза по времени: " + r.title).c_str());
    chart_axis_set_name(chart->y_axis, kLoadHeading);
    chart_axis_set_name(chart->x_axis, "Дата и время записи");
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    chart_show_hidden_data(chart);
    chart_show_blanks_as(chart, LXW_CHART_BLANKS_AS_GAP);
    lxw_chart_options options{};
    options.x_scale = 1.6;
    options.y_scale = 1.4;
    worksheet_insert_chart_opt(ws, 2, 7, chart, &options);
  }

  struct Range {
    const std::string* sheet = nullptr;
    std::string title;
    lxw_row_t first_row = 0, last_row = 0;
    lxw_col_t first_column = 0, last_column = 0, helper_column = 0;
  };
  struct Total {
    std::string caption, formula;
    bool array;
  };

  void WriteTableSheet(lxw_worksheet* ws, const SheetForm& sheet) {
    worksheet_write_string(ws, 0, 0, (form_.title + ": " + sheet.name).c_str(), title_);
    int top = 0;
    for (const TableForm& t : sheet.tables) {
      const Range r = WriteTable(ws, sheet, t);
      top = static_cast<int>(r.first_row);
      totals_.push_back({"Записей: " + t.title, "=COUNTA(" + Ref(r, r.first_column) + ")", false});
      if (t.load_column < 0) continue;
      WriteHelper(ws, r, t.load_column);
      const std::string helper = Ref(r, r.helper_column);
      totals_.push_back({"Наибольшая масса груза, т: " + t.title,
                         "{=MAX(IF(ISNUMBER(" + helper + ")," + helper + "))}", true});
      if (t.timeline || !timeline_.sheet) timeline_ = r;
      if (!t.timeline) WriteHistogram(ws, r);
    }
    worksheet_freeze_panes(ws, static_cast<lxw_row_t>(top), sheet.tables.size() == 1 ? 1 : 0);
    PageSetup(ws, top - 1, form_.title);
  }

  // Title, group and column headings, column widths and formats of one table.
  Range WriteTable(lxw_worksheet* ws, const SheetForm& sheet, const TableForm& t) {
    Range r{&sheet.name, t.title};
    r.first_row = lxw_name_to_row(t.first_cell.c_str());
    r.first_column = lxw_name_to_col(t.first_cell.c_str());
    r.last_row = r.first_row + static_cast<lxw_row_t>(t.rows) - 1;
    r.last_column = r.first_column + static_cast<lxw_col_t>(t.headings.size()) - 1;
    r.helper_column = r.last_column + 2;
    const lxw_row_t heading_row = r.first_row - 1;
    const lxw_row_t title_row = heading_row - (t.flags.empty() ? 1 : 2);
    worksheet_write_string(ws, title_row, r.first_column, t.title.c_str(), section_);
    worksheet_set_row(ws, heading_row, 45, nullptr);
    std::vector<bool> flag(t.headings.size());
    for (const FlagGroup& g : t.flags) {
      const lxw_col_t c = r.first_column + static_cast<lxw_col_t>(g.first_column);
      worksheet_merge_range(ws, heading_row - 1, c, heading_row - 1, c + 7, g.name.c_str(),
                            heading_);
      for (int k = 0; k < 8; ++k) flag[g.first_column + k] = true;
    }
    for (std::size_t j = 0; j < t.headings.size(); ++j) {
      const lxw_col_t c = r.first_column + static_cast<lxw_col_t>(j);
      const std::string& h = t.headings[j];
      worksheet_write_string(ws, heading_row, c, h.c_str(), heading_);
      if (flag[j]) {
        worksheet_set_column(ws, c, c, 3.6, flag_column_);
      } else if (h.find("Дата") != std::string::npos) {
        worksheet_set_column(ws, c, c, 17, date_column_);
      } else {
        worksheet_set_column(ws, c, c, 12, value_column_);
      }
    }
    return r;
  }

  // A hidden column with the load as a number (no value: #N/A, a gap in the chart).
  void WriteHelper(lxw_worksheet* ws, const Range& r, int load_column) {
    lxw_row_col_options hidden{1, 0, 0};
    worksheet_set_column_opt(ws, r.helper_column, r.helper_column, 12, value_column_, &hidden);
    worksheet_write_string(ws, r.first_row - 1, r.helper_column, "Масса груза (число), т",
                           heading_);
    char cell[16];
    for (lxw_row_t row = r.first_row; row <= r.last_row; ++row) {
      lxw_rowcol_to_cell(cell, row, static_cast<lxw_col_t>(r.first_column + load_column));
      const std::string formula = std::string("=IF(") + cell + "=\"\",NA(),VALUE(" + cell + "))";
      worksheet_write_formula(ws, row, r.helper_column, formula.c_str(), nullptr);
    }
  }

  // The distribution of cycles by load: bins, counts, and a column chart over them.
  void WriteHistogram(lxw_worksheet* ws, const Range& r) {
    const lxw_col_t c = r.helper_column + 2;
    const lxw_row_t top = r.first_row - 1;
    worksheet_write_string(ws, top - 1, c, "Распределение циклов по массе груза", section_);
    worksheet_write_string(ws, top, c, "От, т", heading_);
    worksheet_write_string(ws, top, c + 1, "До, т", heading_);
    worksheet_write_string(ws, top, c + 2, "Циклов", heading_);
    worksheet_set_column(ws, c, c + 2, 9, nullptr);
    const std::string helper = Ref(r, r.helper_column);
    char from[16], to[16];
    for (int k = 0; k < kHistogramBins; ++k) {
      const lxw_row_t row = top + 1 + static_cast<lxw_row_t>(k);
      worksheet_write_number(ws, row, c, k * kHistogramStep, bin_);
      worksheet_write_number(ws, row, c + 1,
                             k + 1 < kHistogramBins ? (k + 1) * kHistogramStep : 1000, bin_);
      lxw_rowcol_to_cell(from, row, c);
      lxw_rowcol_to_cell(to, row, c + 1);
      const std::string formula =
          "=COUNTIFS(" + helper + ",\">=\"&" + from + "," + helper + ",\"<\"&" + to + ")";
      worksheet_write_formula(ws, row, c + 2, formula.c_str(), count_);
    }
    lxw_chart* chart = workbook_add_chart(book_, LXW_CHART_COLUMN);
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    chart_series_set_categories(series, r.sheet->c_str(), top + 1, c, top + kHistogramBins, c);
    chart_series_set_values(series, r.sheet->c_str(), top + 1, c + 2, top + kHistogramBins, c + 2);
    chart_series_set_name(series, "Циклов");
    chart_title_set_name(chart, ("Распределение циклов по массе груза: " + r.title).c_str());
    chart_axis_set_name(chart->x_axis, "Масса груза от, т");
    chart_axis_set_name(chart->y_axis, "Циклов");
    chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
    worksheet_insert_chart(ws, top + kHistogramBins + 2, c, chart);
  }

  // An absolute reference to one column of a table's range, with its sheet.
  static std::string Ref(const Range& r, lxw_col_t column) {
    char first[16], last[16];
    lxw_rowcol_to_cell_abs(first, r.first_row, column, 1, 1);
    lxw_rowcol_to_cell_abs(last, r.last_row, column, 1, 1);
    return "'" + *r.sheet + "'!" + first + ":" + last;
  }

  const LibraryForm& form_;
  std::string output_;
  lxw_workbook* book_ = nullptr;
  std::map<int, lxw_worksheet*> sheets_;
  std::vector<Total> totals_;
  Range timeline_;
  lxw_format *title_, *subtitle_, *section_, *caption_, *value_text_, *value_number_, *total_,
      *heading_, *date_column_, *flag_column_, *value_column_, *bin_, *count_;
};

}  // namespace

void BuildReportTemplate(const std::filesystem::path& library_source,
                         const std::filesystem::path& output) {
  const LibraryForm form = ReadLibrary(library_source);
  // Written beside the target and renamed over it, so that a failure leaves no half workbook.
  std::filesystem::path part = output;
  part += ".part";
  try {
    TemplateWriter(part, form).Write();
    DropFormulaResults(part);
  } catch (...) {
    std::filesystem::remove(part);
    throw;
  }
  std::filesystem::rename(part, output);
}

}  // namespace tavrix::templates

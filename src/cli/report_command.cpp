// tavrix-cli report: what "Создать отчет" does, without the window: the library that the version
// map names (else the model's general one, with a warning, as the "Продолжить" answer), the same
// report job, a progress bar on stderr, and the filled workbook saved as an .xlsx file, or on
// Windows left open in Excel (--excel) as the desktop application does there.
#include <chrono>
#include <filesystem>
#include <iostream>
#include <locale>
#include <memory>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/progress_bar.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/passport.h"
#include "report/library_file.h"
#include "report/report_job.h"
#include "report/report_messages.h"
#include "report/version_map.h"
#ifdef TAVRIX_HAVE_XLSX
#include "report/xlsx/xlsx_spreadsheet.h"
#endif
#ifdef TAVRIX_HAVE_EXCEL
#include "report/excel/excel_spreadsheet.h"
#endif

namespace tavrix::cli {
namespace {

constexpr std::string_view kProgressCaption = "Формирование отчета";

struct ReportOptions {
  std::string file, output, program_dir, separator, now;
  bool force = false;
  bool json = false;
  bool excel = false;
};

// The report progress window of a terminal: every step runs in place.
class TerminalReportHost final : public report::ReportHost {
 public:
  TerminalReportHost(std::filesystem::path program_dir, std::filesystem::path data_file,
                     const HeaderValueList& list, report::DescriptionList lines, char separator,
                     std::unique_ptr<Clock> clock, report::Spreadsheet& sheet, ProgressBar& bar)
      : program_dir_(std::move(program_dir)),
        data_file_(std::move(data_file)),
        list_(list),
        lines_(std::move(lines)),
        separator_(separator),
        clock_(std::move(clock)),
        sheet_(sheet),
        bar_(bar) {}

  std::filesystem::path ProgramDirectory() const override { return program_dir_; }
  std::filesystem::path WorkingDirectory() const override { return data_file_.parent_path(); }
  std::string FileName() const override { return PathToUtf8(data_file_.filename()); }
  std::string VersionText() const override { return list_[kEntryVersion]; }
  std::string ModelDesignation() const override { return list_[kEntryModel]; }
  report::DescriptionList Descriptions() const override { return lines_; }
  char DecimalSeparator() const override { return separator_; }
  const Clock& clock() const override { return *clock_; }
  void ShowProgress(int percent) override { bar_.Draw(percent, kProgressCaption); }
  void ReportFailure(std::string_view message) override { failure_ = message; }
  report::Spreadsheet& spreadsheet() override { return sheet_; }
  void Synchronize(const std::function<void()>& step) override { step(); }

  const std::string& failure() const { return failure_; }

 private:
  std::filesystem::path program_dir_, data_file_;
  const HeaderValueList& list_;
  report::DescriptionList lines_;
  char separator_;
  std::unique_ptr<Clock> clock_;
  report::Spreadsheet& sheet_;
  ProgressBar& bar_;
  std::string failure_;
};

// The user's decimal separator: that of the environment's locale, the point in the C locale.
char LocaleDecimalSeparator() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::exception&) {
    return '.';
  }
}

char SeparatorFromOption(const std::string& text) {
  if (text.empty()) return LocaleDecimalSeparator();
  if (text.size() != 1 || static_cast<unsigned char>(text[0]) >= 0x80) {
    throw UsageError("--decimal-separator expects one ASCII character, got \"" + text + "\"");
  }
  return text[0];
}

std::filesystem::path OutputPath(const ReportOptions& o, const std::filesystem::path& data_file) {
  if (!o.output.empty()) return std::filesystem::absolute(PathFromUtf8(o.output));
  std::filesystem::path path = data_file;
  return path.replace_extension(".xlsx");
}

void RefuseExisting(const std::filesystem::path& path, bool force) {
  std::error_code ec;
  if (!force && std::filesystem::exists(path, ec)) {
    throw Error(PathToUtf8(path) + ": a file with this name exists; --force replaces it");
  }
}

// The library file for the data file's model and version; `fallback` tells whether the version
// map named none.
std::string LibraryName(const std::filesystem::path& program_dir, const HeaderValueList& list,
                        bool& fallback, std::ostream& err) {
  if (auto name =
          report::LibraryFromVersionMap(program_dir, list[kEntryModel], list[kEntryVersion])) {
    fallback = false;
    return *name;
  }
  fallback = true;
  const auto general = report::FallbackLibrary(list[kEntryModel]);
  err << "tavrix-cli: warning: " << report::kVersionMapFileName << " names no library for "
      << Cp1251ToUtf8(list[kEntryModel]) << " version \"" << Cp1251ToUtf8(list[kEntryVersion])
      << "\"; " << (general ? "using the general library " + *general : "no general one either")
      << "\n";
  return general.value_or("нет");
}

// The workbook the report fills: Excel's with --excel, else an .xlsx file written to `output`
// once the report is made.
std::unique_ptr<report::Spreadsheet> ReportSpreadsheet(const ReportOptions& o,
                                                       const std::filesystem::path& output,
                                                       char separator) {
#ifdef TAVRIX_HAVE_EXCEL
  if (o.excel) return std::make_unique<report::excel::ExcelSpreadsheet>();
#endif
#ifdef TAVRIX_HAVE_XLSX
  return std::make_unique<report::xlsx::XlsxSpreadsheet>(
      [&o, output] {
        RefuseExisting(output, o.force);
        return output;
      },
      report::xlsx::XlsxSpreadsheet::Opener{}, separator);
#else
  (void)output;
  (void)separator;
  throw Error(
      "this tavrix-cli has no xlsx backend (libzip and pugixml were missing when it was "
      "built): --excel fills the template in Excel");
#endif
}

int Run(const ReportOptions& o, Streams& io) {
  const auto started = std::chrono::steady_clock::now();
  auto clock = ClockFromOption(o.now);
  const char separator = SeparatorFromOption(o.separator);
  const std::filesystem::path data_file = std::filesystem::absolute(PathFromUtf8(o.file));
  const std::filesystem::path program_dir =
      o.program_dir.empty() ? std::filesystem::current_path()
                            : std::filesystem::absolute(PathFromUtf8(o.program_dir));
  const std::filesystem::path output = OutputPath(o, data_file);
  if (!o.excel) RefuseExisting(output, o.force);

  HeaderValueList list;
  ReadPassport(data_file, 0, kPassportEntries - 1, list);
  bool fallback = false;
  const std::string library = LibraryName(program_dir, list, fallback, io.err);
  report::DescriptionList lines;
  try {
    lines = report::ReadReportLibrary(report::ProgramFile(program_dir, library));
  } catch (const Error&) {
    throw Error(std::string(report::kLibraryMissingMessage) + "\r\n(" +
                PathToUtf8(report::ProgramFile(program_dir, library)) + ")");
  }

  const std::unique_ptr<report::Spreadsheet> workbook = ReportSpreadsheet(o, output, separator);
  report::Spreadsheet& sheet = *workbook;
  ProgressBar bar(io.err, &io.err == &std::cerr && StderrIsTerminal());
  TerminalReportHost host(program_dir, data_file, list, std::move(lines), separator,
                          std::move(clock), sheet, bar);
  report::TZULToExcel job(host, std::chrono::milliseconds(0));
  const bool made = job.Execute();
  if (made) bar.Draw(100, kProgressCaption);
  bar.Close();
  if (!made) {
    report::FinishReport(sheet, false, {});
    throw Error(host.failure());
  }
  report::FinishReport(sheet, true, {});
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const std::string shown_in = o.excel ? "Microsoft Excel" : PathToUtf8(output);
  if (o.json) {
    io.out << "{\"file\": " << (o.excel ? "null" : JsonString(shown_in))
           << ", \"library\": " << JsonString(Cp1251ToUtf8(library))
           << ", \"general_library\": " << (fallback ? "true" : "false")
           << ", \"seconds\": " << seconds << "}\n";
  } else {
    io.out << shown_in << "\n";
  }
  return 0;
}

}  // namespace

Command AddReportCommand(CLI::App& parent) {
  auto o = std::make_shared<ReportOptions>();
  CLI::App* app = parent.add_subcommand(
      "report",
      "Build the report of a data file (.rpk) as \"Создать отчет\" does, and save it as .xlsx");
  app->add_option("FILE", o->file, "Data file")->required();
  CLI::Option* output =
      app->add_option("-o,--output", o->output,
                      "The report file (default: beside the data file, with the extension .xlsx)");
  app->add_option("--program-dir", o->program_dir,
                  "Program directory: VersionRP.ini, the report libraries and their templates "
                  "(default: the current folder)");
  app->add_option("--decimal-separator", o->separator,
                  "Decimal separator of numbers written as texts (default: the locale's)");
  AddNowOption(*app, o->now);
  CLI::Option* force = app->add_flag("--force", o->force, "Replace an existing report file");
#ifdef TAVRIX_HAVE_EXCEL
  app->add_flag("--excel", o->excel,
                "Fill the template in Microsoft Excel and leave the workbook open there, unsaved, "
                "as the desktop application does")
      ->excludes(output)
      ->excludes(force);
#else
  (void)output;
  (void)force;
#endif
  app->add_flag("--json", o->json,
                "Print JSON: {\"file\", \"library\", \"general_library\", \"seconds\"}");
  return {app, [o](Streams& io) { return Run(*o, io); }};
}

}  // namespace tavrix::cli

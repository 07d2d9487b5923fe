// The Report flow of the main window: the library for the selected data file's model and
// version, unscrambled into the description list, the report job behind the report window,
// then the workbook shown with a sound, or the spreadsheet application quit after a failure.
#include "app/app_texts.h"
#include "app/form_err.h"
#include "app/form_main.h"
#include "app/qt_text.h"
#include "app/report_run.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/model.h"
#include "report/library_file.h"
#include "report/report_messages.h"
#include "report/report_output.h"
#include "report/version_map.h"

namespace tavrix::app {

std::optional<std::string> TForm_main::ReportLibraryName() {
  const std::string& model = header_values_[kEntryModel];
  if (auto name = report::LibraryFromVersionMap(program_dir_, model, header_values_[kEntryVersion]))
    return name;
  ShowSMS(Utf8Text(report::kNoLibraryForVersionMessage), QString::fromUtf8(texts::kTitleWarning),
          false);
  if (form_err_->CencelTag() == 1) return std::nullopt;
  // With no library of the model the name stays "нет", which no file has.
  return report::FallbackLibrary(model).value_or(NoModelMarker());
}

void TForm_main::BitBtn_SendToXclClick() {
  form_send_to_excel_->SetDirectory(program_dir_);
  if (ui_.Edit_FileName->text().isEmpty()) {
    ShowSMS(Utf8Text(report::kNoFileSelectedMessage), QString::fromUtf8(texts::kTitleAttention),
            true);
    return;
  }
  const std::optional<std::string> library = ReportLibraryName();
  if (!library) return;
  try {
    description_list_ = report::ReadReportLibrary(report::ProgramFile(program_dir_, *library));
  } catch (const Error&) {
    ShowSMS(Utf8Text(report::kLibraryMissingMessage), QString::fromUtf8(texts::kTitleError), true);
    return;
  }
  RunReport();
}

void TForm_main::RunReport() {
  const std::filesystem::path data_file =
      PathFromUtf8(working_dir_) / PathFromUtf8(ui_.Edit_FileName->text().toStdString());
  std::filesystem::path saved_to;
  const std::unique_ptr<report::Spreadsheet> spreadsheet =
      host_.make_spreadsheet([this, data_file, &saved_to] {
        saved_to = report::ReportOutputPath(data_file, host_.documents_dir);
        return saved_to;
      });
  ReportRun run(
      *form_send_to_excel_,
      {program_dir_, PathFromUtf8(working_dir_), ui_.Edit_FileName->text().toStdString(),
       header_values_[kEntryVersion], header_values_[kEntryModel], description_list_, clock_},
      *spreadsheet, host_.show_error_box);
  const bool made = run.Run();
  try {
    report::FinishReport(*spreadsheet, made, [this] {
      host_.play_sound(program_dir_ / std::string(report::kReportSoundFile));
    });
  } catch (const Error& failure) {
    ShowSMS(QString::fromUtf8(failure.what()), QString::fromUtf8(texts::kTitleError), true);
    return;
  }
  if (made && !saved_to.empty()) {
    ShowNotice(QString::fromUtf8(texts::kReportSavedTo) +
               QString::fromStdString(PathToUtf8(saved_to)));
  }
}

}  // namespace tavrix::app

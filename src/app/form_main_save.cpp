// The Save flow of the main window: the file name checked, the passport edits copied into the
// header value list, the dump and passport written as a data file in the working directory,
// and the main window back in browse mode.
#include "app/app_texts.h"
#include "app/form_err.h"
#include "app/form_main.h"
#include "app/passport_edits.h"
#include "app/qt_text.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/save_rules.h"

namespace tavrix::app {

void TForm_main::LeaveReadingMode() {
  ui_.BitBtn_Save->setEnabled(false);
  ui_.BitBtn_SendToXcl->setEnabled(true);
  ui_.BitBtn_Read->setEnabled(true);
  SetModelPictureCursor(Qt::ArrowCursor);
  new_dump_flag_ = 0;
}

void TForm_main::BitBtn_SaveClick() {
  const QString name = ui_.Edit_FileName->text();
  const std::string offending = ForbiddenCharactersMessage(name.toStdString());
  const QString warning = QString::fromUtf8(texts::kTitleWarning);
  if (!offending.empty()) {
    ShowSMS(Utf8Text(offending), warning, false);
    if (form_err_->CencelTag() == 1) {
      ClearInfoPanel();
      LeaveReadingMode();
    }
    return;
  }
  for (std::size_t i = 0; i < kPassportEdits.size(); ++i) {
    header_values_[kPassportEdits[i].entry] = ToCp1251(ui_.passport_edits[i]->text());
  }
  const std::filesystem::path target =
      DataFileTarget(PathFromUtf8(working_dir_), name.toStdString());
  std::error_code error;
  if (std::filesystem::exists(target, error)) {
    ShowSMS(Utf8Text(kOverwriteQuestion), warning, false);
    if (form_err_->CencelTag() == 1) return;
  }
  try {
    SaveDataFile(program_dir_ / kDumpFileName, target, header_values_);
  } catch (const Error& failure) {
    // Reading mode goes on: the user may pick another folder or name and save again.
    ShowSMS(QString::fromUtf8(failure.what()), QString::fromUtf8(texts::kTitleError), true);
    return;
  }
  ClearInfoPanel();
  FillFileList(working_dir_);
  LeaveReadingMode();
  SetPassportReadOnly(true);
}

}  // namespace tavrix::app

// The Read flow of the main window: downloads behind the download window, with a repeat after
// Продолжить, then the new dump decoded and the main window left in reading mode.
#include <QStyle>

#include "app/app_texts.h"
#include "app/balloon_tips.h"
#include "app/download_run.h"
#include "app/form_err.h"
#include "app/form_main.h"
#include "app/qt_text.h"
#include "core/error.h"
#include "core/ini_file.h"
#include "data/model.h"
#include "data/passport.h"
#include "data/save_rules.h"
#include "report/report_job.h"

namespace tavrix::app {
namespace {

std::vector<PortCandidate> PortsToScan(const std::filesystem::path& program_dir) {
  try {
    return PortCandidates(IniFile::Load(program_dir / kSettingsFileName));
  } catch (const Error&) {
    return PortCandidates(IniFile());  // an unreadable Tavrix.ini was told about at start
  }
}

}  // namespace

void TForm_main::SetModelPictureCursor(Qt::CursorShape shape) {
  for (QLabel* picture : ui_.model_pictures) picture->setCursor(shape);
}

// Reading mode's marks before each download.
void TForm_main::BeginDownloadAttempt() {
  new_dump_flag_ = 1;
  ui_.BitBtn_SendToXcl->setEnabled(false);
  ui_.BitBtn_Read->setEnabled(false);
  form_ctrl_proc_->ClearMessage();
  SetModelPictureCursor(Qt::PointingHandCursor);
  form_ctrl_proc_->SetDirectory(program_dir_);
  header_values_.fill({});
  ClearInfoPanel();
}

bool TForm_main::RunDownload() {
  // A download stopped by hand may still be ending: its port must be closed first.
  if (download_) download_->Wait();
  download_ = std::make_unique<DownloadRun>(*form_ctrl_proc_, PortsToScan(program_dir_));
  download_->Start();
  form_ctrl_proc_->exec();
  if (!form_ctrl_proc_->ClosedByJob()) {
    download_->Stop();
    return false;
  }
  download_->Wait();
  return true;
}

void TForm_main::BitBtn_ReadClick() {
  SetPassportReadOnly(false);
  for (;;) {
    BeginDownloadAttempt();
    // Closing the window by hand stops the download; the user gave up.
    if (!RunDownload()) break;
    DownloadStatus label = form_ctrl_proc_->Outcome();
    const ReadFlowStep step = NextReadFlowStep(label);
    if (step == ReadFlowStep::kWarnThenSuccess) {
      ShowSMS(Utf8Text(label.message), Utf8Text(label.title), label.kind != 0);
      form_ctrl_proc_->ClearMessage();
    }
    if (step == ReadFlowStep::kSuccess || step == ReadFlowStep::kWarnThenSuccess) {
      AfterDownload();
      return;
    }
    ShowSMS(Utf8Text(label.message), Utf8Text(label.title), label.kind != 0);
    if (form_err_->NextTag() != 1) break;
  }
  ui_.BitBtn_SendToXcl->setEnabled(true);
  ui_.BitBtn_Save->setEnabled(false);
  ui_.BitBtn_Read->setEnabled(true);
  SetModelPictureCursor(Qt::ArrowCursor);
}

void TForm_main::AfterDownload() {
  DetectModel(program_dir_ / kDumpFileName);
  header_values_[kEntryReadoutTime] = FormatReadoutTime(clock_->Now());
  ui_.BitBtn_Save->setEnabled(true);
  QLineEdit* read_time = EditNamed("Edit_CO_DataSchit");
  read_time->setText(Cp1251Text(header_values_[kEntryReadoutTime]));
  read_time->setProperty("readOut", true);
  read_time->style()->unpolish(read_time);
  read_time->style()->polish(read_time);
  ui_.Edit_FileName->setText(Cp1251Text(ProposedFileName(header_values_)));
  host_.play_sound(program_dir_ / std::string(report::kReportSoundFile));
  if (ui_.CheckBox_Balloon->isChecked() && !ui_.BitBtn_SendToXcl->isEnabled()) {
    const bool no_model = header_values_[kEntryModel] == NoModelMarker();
    ShowBalloon(true, no_model ? kWarningIcon : kInfoIcon,
                Utf8Text(no_model ? kNoModelTipText : kCheckModelTipText),
                Utf8Text(no_model ? kNoModelTipTitle : kCheckModelTipTitle),
                ui_.model_pictures[Tag(Model::k38)]);
  }
  ui_.Panel_Type->setFocus();
}

}  // namespace tavrix::app

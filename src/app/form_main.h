// The main window TForm_main: the file browser (drive and folder combo, file list, view buttons,
// tips switch, report button), the info panel with the passport edits, and the model pictures
// with the mail and web icons. It owns the state the flows share: the program and working
// directories, the header value list, the description list, the reading mode (the report button
// disabled), the new-dump flag and the balloon. The flows reach the user through ShowSMS.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/balloon_tip.h"
#include "app/browse_path.h"
#include "app/file_list_view.h"
#include "app/settings.h"
#include "app/sound.h"
#include "app/volumes.h"
#include "core/clock.h"
#include "data/dump.h"
#include "data/passport.h"
#include "report/description_list.h"
#include "report/spreadsheet.h"

namespace tavrix::app {

class TForm_intro;
class TForm_Err;
class TForm_CtrlProc;
class TForm_SendToExcel;
class DownloadRun;

// Makes the spreadsheet of one report. `destination` gives the path that the shown workbook is
// to be saved to; it is asked when the workbook is shown.
using SpreadsheetFactory = std::function<std::unique_ptr<report::Spreadsheet>(
    std::function<std::filesystem::path()> destination)>;

// The desktop's spreadsheet: the filled template saved as an xlsx workbook and opened with the
// desktop's spreadsheet application.
std::unique_ptr<report::Spreadsheet> DesktopSpreadsheet(
    std::function<std::filesystem::path()> destination);

// The standard error box captioned "Error", as a failed report shows its message.
void ShowReportErrorBox(const QString& message);

// The user's documents folder, where reports go when the data file's folder cannot be written.
std::filesystem::path DocumentsFolder();

// What the main window takes from its surroundings; tests give their own.
struct MainWindowHost {
  std::function<std::vector<Volume>()> volumes = MountedVolumes;
  const Clock* clock = nullptr;  // the system clock when none
  // Hands a mailto: or web address to the desktop's mail program or browser.
  std::function<void(const QUrl&)> open_url = [](const QUrl& url) {
    QDesktopServices::openUrl(url);
  };
  std::function<void(const std::filesystem::path&)> play_sound = PlaySoundAsync;
  SpreadsheetFactory make_spreadsheet = DesktopSpreadsheet;
  std::function<void(const QString&)> show_error_box = ShowReportErrorBox;
  std::filesystem::path documents_dir = DocumentsFolder();
};

class TForm_main final : public QWidget {
 public:
  struct Controls {
    QWidget* Panel_File = nullptr;
    QWidget* Panel_DriverList = nullptr;
    QComboBox* ComboBoxEx_Driver = nullptr;
    QPushButton* BitBtn_vsIcon = nullptr;
    QPushButton* BitBtn_vsList = nullptr;
    QPushButton* BitBtn_vsReport = nullptr;
    FileListView* ListView_FileList = nullptr;
    QWidget* Panel_CreatReport = nullptr;
    QCheckBox* CheckBox_Balloon = nullptr;
    QPushButton* BitBtn_SendToXcl = nullptr;
    QWidget* Panel_Info = nullptr;
    std::array<QLineEdit*, 16> passport_edits{};  // in kPassportEdits order
    QLineEdit* Edit_FileName = nullptr;
    QPushButton* BitBtn_Read = nullptr;
    QPushButton* BitBtn_Save = nullptr;
    QLabel* Label_InfoStatus = nullptr;  // why the panel is empty, when a file failed
    QWidget* Panel_Type = nullptr;
    std::array<QLabel*, 4> model_pictures{};  // Image_52A, Image_52D, Image_52N, Image_38 by Tag
    QLabel* Image_Post = nullptr;
    QLabel* Image_Internet = nullptr;
  };

  // The program directory is the current directory at this moment.
  explicit TForm_main(MainWindowHost host = {});
  ~TForm_main() override;

  // The windows created after this one (at start-up), for the splash and ShowSMS.
  void AttachWindows(TForm_intro* intro, TForm_Err* err);
  void AttachProgressWindows(TForm_CtrlProc* ctrl_proc, TForm_SendToExcel* send_to_excel);

  const Controls& controls() const { return ui_; }
  QLineEdit* EditNamed(std::string_view name) const;  // a passport edit or Edit_FileName
  BalloonTip* Balloon() const { return balloon_; }

  // Shared state.
  const std::filesystem::path& ProgramDir() const { return program_dir_; }
  const std::string& WorkingDir() const { return working_dir_; }  // UTF-8
  HeaderValueList& HeaderValues() { return header_values_; }
  report::DescriptionList& DescriptionList() { return description_list_; }
  bool ReadingMode() const;
  int NewDumpFlag() const { return new_dump_flag_; }  // the tag of Panel_Type
  void SetNewDumpFlag(int flag) { new_dump_flag_ = flag; }
  int BalloonLeaveCount() const { return balloon_leave_count_; }  // the tag of Panel_Info
  const QString& RememberedFileName() const { return remembered_file_name_; }
  void SetPassportReadOnly(bool read_only);

  // Shows the message window with the text and title, Ок alone or Продолжить and Выход, and
  // returns when it closes; the caller reads the window's tags.
  void ShowSMS(const QString& text, const QString& title, bool ok_only);
  TForm_Err* MessageWindow() const { return form_err_; }

  // The browser.
  void FillDriveList(const std::string& path);
  void FillFileList(const std::string& path);
  void ClearInfoPanel();
  void ComboBoxEx_DriverSelect(int index);
  void BitBtn_vsIconClick();
  void BitBtn_vsListClick();
  void BitBtn_vsReportClick();
  void ListView_FileListKeyPress(char key);
  void ListView_FileListSelectItem(int row);
  void ListView_FileListDblClick();

  // The passport panel and the model pictures.
  void FillFromSimilarFile(const std::filesystem::path& path);
  void MarkModelPicture(int tag);  // a tag of no model leaves every picture unmarked
  void ShowFieldValue(QLineEdit* edit);
  void ShowHeaderFields();
  void Image_TypeZULClick(int tag);
  // After a download: selects the dump's model as a click on its picture does, or sets entry 0
  // to "нет" and leaves the pictures and edits as they are.
  void DetectModel(const std::filesystem::path& dump_path);

  // Balloon tips and the icons. CreateBalloon makes the one balloon, owned by the control's
  // window, with its first title and text and its colours.
  void CreateBalloon(QWidget* control, int icon, const QString& title, const QString& text,
                     QColor background, QColor text_color);
  void ShowBalloon(bool show, int icon, const QString& text, const QString& title,
                   QWidget* control);
  void BalloonMouseEnter(QWidget* control);
  void BitBtn_SaveMouseEnter();
  void BalloonMouseLeave();
  void Image_PostClick();
  void Image_InternetClick();

  // The three flows.
  void BitBtn_ReadClick();
  void BitBtn_SaveClick();
  void BitBtn_SendToXclClick();
  TForm_CtrlProc* DownloadWindow() const { return form_ctrl_proc_; }
  TForm_SendToExcel* ReportWindow() const { return form_send_to_excel_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFilePanel();
  void BuildInfoPanel();
  void BuildTypePanel();
  void PlacePanels();
  // Why the panel shows nothing new (a data file that could not be read), or "" for no problem.
  void SetPanelStatus(const QString& problem);
  // A neutral note in the same place, such as where a report went.
  void ShowNotice(const QString& notice);
  // The download flow's parts.
  void SetModelPictureCursor(Qt::CursorShape shape);
  void BeginDownloadAttempt();
  bool RunDownload();  // false when the user closed the window by hand
  void AfterDownload();
  void LeaveReadingMode();
  // The report flow's parts: the library's file name, or none when the user chose Выход.
  std::optional<std::string> ReportLibraryName();
  void RunReport();
  // The dump, or none after telling the user why it could not be read.
  std::optional<Dump> LoadDumpOrSay(const std::filesystem::path& path);
  void SetViewStyle(ViewStyle style);
  void FormShow();
  void FormClose();
  // The controls of the balloon table: their mouse-enter shows a tip and their leave may hide it.
  bool ExplainsItself(const QWidget* control) const;

  MainWindowHost host_;
  SystemClock system_clock_;
  const Clock* clock_;
  Controls ui_;
  BalloonTip* balloon_ = nullptr;
  TForm_intro* form_intro_ = nullptr;
  TForm_Err* form_err_ = nullptr;
  TForm_CtrlProc* form_ctrl_proc_ = nullptr;
  TForm_SendToExcel* form_send_to_excel_ = nullptr;
  std::unique_ptr<DownloadRun> download_;  // the last download, which may still be ending
  std::vector<Volume> volumes_;
  std::vector<QPixmap> model_images_;  // ImageList_TypeZUL

  std::filesystem::path program_dir_;
  std::string working_dir_;
  std::string support_mail_;
  std::string library_host_;
  HeaderValueList header_values_;
  report::DescriptionList description_list_;
  int new_dump_flag_ = 0;
  int balloon_leave_count_ = 0;
  QString remembered_file_name_;
  QString settings_problem_;  // why Tavrix.ini could not be read, told once the window shows
  bool shown_before_ = false;
};

}  // namespace tavrix::app

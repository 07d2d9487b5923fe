// TForm_main: the drive and folder combo, the file list, and the passport panel that shows the
// selected data file or the decoded dump.
#include <QDir>
#include <QPainter>
#include <QStyle>

#include "app/app_texts.h"
#include "app/balloon_tips.h"
#include "app/form_main.h"
#include "app/passport_edits.h"
#include "app/pictures.h"
#include "core/cp1251.h"
#include "core/error.h"
#include "core/file_io.h"
#include "data/detection.h"
#include "data/dump.h"
#include "data/header_decoder.h"
#include "data/model.h"

namespace tavrix::app {
namespace {

constexpr int kComboIndentRole = Qt::UserRole + 1;
constexpr int kComboPathRole = Qt::UserRole + 2;

// The unmarked picture of each model in ImageList_TypeZUL, by Tag; the marked one follows it.
constexpr std::array<std::size_t, 4> kUnmarkedPicture = {6, 4, 2, 0};
constexpr int kNoModelMarked = -1;

QString Qs(const std::string& utf8) { return QString::fromStdString(utf8); }

std::string FilePathText(const std::string& dir, const QString& name) {
  std::string path = dir;
  if (!path.ends_with(kPathSeparator)) path += kPathSeparator;
  return path + name.toStdString();
}

}  // namespace

void TForm_main::FillDriveList(const std::string& path) {
  QComboBox* combo = ui_.ComboBoxEx_Driver;
  const QSignalBlocker blocker(combo);
  combo->clear();
  volumes_ = host_.volumes();  // a stick plugged in since the last time shows up now
  const std::vector<QPixmap> pictures = DrivePictures();
  const DriveCombo items = BuildDriveCombo(volumes_, path);
  for (const ComboItem& item : items.items) {
    const QIcon icon = item.picture == kNoPicture
                           ? QIcon()
                           : QIcon(pictures[static_cast<std::size_t>(item.picture)]);
    combo->addItem(icon, Qs(item.caption), Qs(item.path));
    combo->setItemData(combo->count() - 1, item.indent, kComboIndentRole);
    combo->setItemData(combo->count() - 1, Qs(item.path), kComboPathRole);
  }
  combo->setCurrentIndex(items.selected);
  FillFileList(path);
}

void TForm_main::FillFileList(const std::string& path) {
  ui_.ListView_FileList->SetEntries(ListFolder(Qs(path), HasParent(path, volumes_)));
}

void TForm_main::SetPanelStatus(const QString& problem) {
  // A long message keeps its start and its reason; the tip holds all of it.
  QLabel* label = ui_.Label_InfoStatus;
  label->setText(label->fontMetrics().elidedText(problem, Qt::ElideMiddle, label->width()));
  label->setToolTip(problem);
  label->setProperty("notice", false);
  label->style()->unpolish(label);
  label->style()->polish(label);
}

void TForm_main::ShowNotice(const QString& notice) {
  SetPanelStatus(notice);
  ui_.Label_InfoStatus->setProperty("notice", true);
  ui_.Label_InfoStatus->style()->unpolish(ui_.Label_InfoStatus);
  ui_.Label_InfoStatus->style()->polish(ui_.Label_InfoStatus);
}

void TForm_main::ClearInfoPanel() {
  MarkModelPicture(kNoModelMarked);
  ui_.Edit_FileName->clear();
  for (QLineEdit* edit : ui_.passport_edits) edit->clear();
  SetPanelStatus({});
}

void TForm_main::ComboBoxEx_DriverSelect(int index) {
  const QComboBox* combo = ui_.ComboBoxEx_Driver;
  if (index < 0 || index >= combo->count()) return;
  // A drive's item leads to the volume it stands for, whatever its caption says.
  working_dir_ =
      combo->itemData(index, kComboIndentRole).toInt() != 0
          ? PathAfterFolderChoice(working_dir_, combo->itemText(index).toStdString(), volumes_)
          : combo->itemData(index, kComboPathRole).toString().toStdString();
  FillDriveList(working_dir_);
}

void TForm_main::ListView_FileListKeyPress(char key) {
  if (key == 13) {
    ListView_FileListDblClick();
  } else if (key == 8) {
    // ".." where the folder has one, else the first item.
    const auto& entries = ui_.ListView_FileList->entries();
    const auto parent = std::find_if(entries.begin(), entries.end(), [](const FileEntry& e) {
      return e.kind == EntryKind::kParent;
    });
    ui_.ListView_FileList->SelectRow(
        parent == entries.end() ? 0 : static_cast<int>(parent - entries.begin()));
    ListView_FileListDblClick();
  }
}

void TForm_main::ListView_FileListSelectItem(int row) {
  const auto& entries = ui_.ListView_FileList->entries();
  if (row < 0 || row >= static_cast<int>(entries.size())) return;
  const FileEntry& entry = entries[static_cast<std::size_t>(row)];
  if (ReadingMode()) {
    remembered_file_name_ = entry.caption;
    return;
  }
  if (entry.kind != EntryKind::kDataFile) {
    ClearInfoPanel();
    return;
  }
  ui_.Edit_FileName->setText(entry.caption);
  header_values_.fill({});
  try {
    ReadPassport(PathFromUtf8(FilePathText(working_dir_, entry.caption)), 0, kPassportEntries - 1,
                 header_values_);
  } catch (const Error& error) {
    ClearInfoPanel();
    SetPanelStatus(QString::fromUtf8(error.what()));
    return;
  }
  SetPanelStatus({});
  if (const auto model = ModelFromDesignation(header_values_[kEntryModel])) {
    MarkModelPicture(Tag(*model));
  }
  for (QLineEdit* edit : ui_.passport_edits) ShowFieldValue(edit);
}

void TForm_main::ListView_FileListDblClick() {
  const int row = ui_.ListView_FileList->SelectedRow();
  if (row < 0) return;
  const FileEntry& entry = ui_.ListView_FileList->entries()[static_cast<std::size_t>(row)];
  switch (entry.kind) {
    case EntryKind::kParent:
      working_dir_ = ParentPath(working_dir_, volumes_);
      FillDriveList(working_dir_);
      break;
    case EntryKind::kFolder:
      working_dir_ = ChildPath(working_dir_, entry.caption.toStdString(), volumes_);
      FillDriveList(working_dir_);
      break;
    case EntryKind::kDataFile:
      // The item's own name: the same as the remembered one, unless the item was selected
      // before reading mode began and no selection has remembered it since.
      if (ReadingMode())
        FillFromSimilarFile(PathFromUtf8(FilePathText(working_dir_, entry.caption)));
      break;
  }
}

void TForm_main::FillFromSimilarFile(const std::filesystem::path& path) {
  HeaderValueList values = header_values_;
  for (std::size_t k = 1; k <= 15; ++k) values[k].clear();
  try {
    ReadPassport(path, 1, 15, values);
  } catch (const Error& error) {
    SetPanelStatus(QString::fromUtf8(error.what()));
    return;
  }
  SetPanelStatus({});
  header_values_ = values;
  for (std::size_t i = 0; i < kHeaderEdits; ++i) {
    if (ui_.passport_edits[i]->text().isEmpty()) ShowFieldValue(ui_.passport_edits[i]);
  }
}

void TForm_main::MarkModelPicture(int tag) {
  for (std::size_t t = 0; t < ui_.model_pictures.size(); ++t) {
    QPixmap canvas(65, 65);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.drawPixmap(0, 0, model_images_[kUnmarkedPicture[t]]);
    if (static_cast<int>(t) == tag)
      painter.drawPixmap(0, 0, model_images_[kUnmarkedPicture[t] + 1]);
    painter.end();
    ui_.model_pictures[t]->setPixmap(canvas);
  }
}

void TForm_main::ShowFieldValue(QLineEdit* edit) {
  const auto i = static_cast<std::size_t>(
      std::find(ui_.passport_edits.begin(), ui_.passport_edits.end(), edit) -
      ui_.passport_edits.begin());
  if (i >= ui_.passport_edits.size()) return;
  edit->setText(Qs(Cp1251ToUtf8(header_values_[kPassportEdits[i].entry])));
  edit->setProperty("markedEmpty", edit->text().isEmpty() && ReadingMode());
  edit->style()->unpolish(edit);
  edit->style()->polish(edit);
}

void TForm_main::ShowHeaderFields() {
  for (std::size_t i = 0; i < kHeaderEdits; ++i) ShowFieldValue(ui_.passport_edits[i]);
}

std::optional<Dump> TForm_main::LoadDumpOrSay(const std::filesystem::path& path) {
  try {
    return LoadDump(path);
  } catch (const Error& error) {
    ShowSMS(QString::fromUtf8(error.what()), QString::fromUtf8(texts::kTitleError), true);
    return std::nullopt;
  }
}

void TForm_main::Image_TypeZULClick(int tag) {
  if (!ReadingMode() || tag < 0 || tag >= static_cast<int>(kModels.size())) return;
  const std::optional<Dump> dump = LoadDumpOrSay(program_dir_ / kDumpFileName);
  if (!dump) return;
  ShowBalloon(false, 0, {}, {}, nullptr);
  MarkModelPicture(tag);
  SelectModel(kModels[static_cast<std::size_t>(tag)], dump->view(), *clock_, header_values_);
  ShowHeaderFields();
}

void TForm_main::DetectModel(const std::filesystem::path& dump_path) {
  const std::optional<Dump> dump = LoadDumpOrSay(dump_path);
  if (!dump) return;
  if (const auto model = tavrix::DetectModel(dump->view())) {
    Image_TypeZULClick(Tag(*model));
  } else {
    header_values_[kEntryModel] = NoModelMarker();
  }
}

}  // namespace tavrix::app

// ListView_FileList: one list of entries shown in three view styles (large icons, a list, a report
// with the columns "Имя" and "Дата") that share the items and the single selection. It reports
// every change of an item's selection, deselection first, the double-click and the keys Enter
// and Backspace; filling it reports no selection changes.
#pragma once

#include <QListView>
#include <QStackedLayout>
#include <QStandardItemModel>
#include <QTreeView>
#include <functional>
#include <vector>

#include "app/file_list.h"
#include "app/settings.h"

namespace tavrix::app {

class FileListView final : public QWidget {
 public:
  explicit FileListView(QWidget* parent);

  void SetEntries(std::vector<FileEntry> entries);
  const std::vector<FileEntry>& entries() const { return entries_; }
  int SelectedRow() const;  // -1 when none
  void SelectRow(int row);

  void SetViewStyle(ViewStyle style);
  ViewStyle viewStyle() const { return style_; }
  QAbstractItemView* CurrentView() const;
  QTreeView* ReportView() const { return report_; }

  std::function<void(int row)> on_select_item;
  std::function<void()> on_double_click;
  std::function<void(char key)> on_key_press;  // 13 Enter, 8 Backspace

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitNameColumn();

  std::vector<FileEntry> entries_;
  std::vector<QPixmap> small_;
  std::vector<QPixmap> large_;
  QStandardItemModel model_;
  QStackedLayout* stack_ = nullptr;
  QListView* icons_ = nullptr;
  QTreeView* report_ = nullptr;
  ViewStyle style_ = ViewStyle::kReport;
  bool filling_ = false;
};

}  // namespace tavrix::app

#include "app/file_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <algorithm>

#include "app/app_texts.h"
#include "app/pictures.h"

namespace tavrix::app {
namespace {

constexpr int kNameMin = 100, kNameMax = 300, kDateWidth = 100;

void Configure(QAbstractItemView* view) {
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setFrameShape(QFrame::NoFrame);
}

}  // namespace

FileListView::FileListView(QWidget* parent)
    : QWidget(parent), small_(DirPictures(16)), large_(DirPictures(32)) {
  setObjectName(QStringLiteral("ListView_FileList"));
  icons_ = new QListView(this);
  report_ = new QTreeView(this);
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(icons_), static_cast<QAbstractItemView*>(report_)}) {
    view->setModel(&model_);
    Configure(view);
    view->installEventFilter(this);
    view->viewport()->installEventFilter(this);
  }
  report_->setSelectionModel(icons_->selectionModel());
  report_->setRootIsDecorated(false);
  report_->setUniformRowHeights(true);
  report_->setAllColumnsShowFocus(true);
  report_->header()->setStretchLastSection(false);
  report_->header()->setSectionsMovable(false);
  icons_->setResizeMode(QListView::Adjust);
  icons_->setWrapping(true);
  stack_ = new QStackedLayout(this);
  stack_->setContentsMargins(0, 0, 0, 0);
  stack_->addWidget(icons_);
  stack_->addWidget(report_);
  setStyleSheet(QStringLiteral("QAbstractItemView { border: 1px solid #C9D3DF; }"));
  connect(icons_->selectionModel(), &QItemSelectionModel::selectionChanged,
          [this](const QItemSelection& selected, const QItemSelection& deselected) {
            if (filling_ || !on_select_item) return;
            for (const QModelIndex& index : deselected.indexes()) {
              if (index.column() == 0) on_select_item(index.row());
            }
            for (const QModelIndex& index : selected.indexes()) {
              if (index.column() == 0) on_select_item(index.row());
            }
          });
  SetViewStyle(ViewStyle::kReport);
}

void FileListView::SetEntries(std::vector<FileEntry> entries) {
  filling_ = true;
  entries_ = std::move(entries);
  model_.clear();
  model_.setHorizontalHeaderLabels(
      {QString::fromUtf8(texts::kColumnName), QString::fromUtf8(texts::kColumnDate)});
  for (const FileEntry& entry : entries_) {
    const auto picture = static_cast<std::size_t>(entry.kind);
    QIcon icon;
    icon.addPixmap(small_[picture]);
    icon.addPixmap(large_[picture]);
    auto* name = new QStandardItem(icon, entry.caption);
    auto* date = new QStandardItem(entry.date);
    model_.appendRow({name, date});
  }
  FitNameColumn();
  filling_ = false;
}

int FileListView::SelectedRow() const {
  const QModelIndexList rows = icons_->selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

void FileListView::SelectRow(int row) {
  const QModelIndex index = model_.index(row, 0);
  if (!index.isValid()) return;
  icons_->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FileListView::SetViewStyle(ViewStyle style) {
  style_ = style;
  switch (style) {
    case ViewStyle::kIcon:
      icons_->setViewMode(QListView::IconMode);
      icons_->setIconSize(QSize(32, 32));
      icons_->setGridSize(QSize(76, 58));
      icons_->setFlow(QListView::LeftToRight);
      icons_->setMovement(QListView::Static);
      icons_->setWordWrap(true);
      stack_->setCurrentWidget(icons_);
      break;
    case ViewStyle::kList:
      icons_->setViewMode(QListView::ListMode);
      icons_->setIconSize(QSize(16, 16));
      icons_->setGridSize(QSize());
      icons_->setFlow(QListView::TopToBottom);
      icons_->setWrapping(true);
      icons_->setWordWrap(false);
      stack_->setCurrentWidget(icons_);
      break;
    case ViewStyle::kReport:
      report_->setIconSize(QSize(16, 16));
      stack_->setCurrentWidget(report_);
      break;
  }
  if (const int row = SelectedRow(); row >= 0) CurrentView()->scrollTo(model_.index(row, 0));
}

QAbstractItemView* FileListView::CurrentView() const {
  return style_ == ViewStyle::kReport ? static_cast<QAbstractItemView*>(report_) : icons_;
}

void FileListView::FitNameColumn() {
  report_->resizeColumnToContents(0);
  report_->setColumnWidth(0, std::clamp(report_->columnWidth(0), kNameMin, kNameMax));
  report_->setColumnWidth(1, kDateWidth);
}

bool FileListView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && on_key_press) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      on_key_press(13);
      return true;
    }
    if (key == Qt::Key_Backspace) {
      on_key_press(8);
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonDblClick && on_double_click &&
      (watched == icons_->viewport() || watched == report_->viewport())) {
    on_double_click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavrix::app

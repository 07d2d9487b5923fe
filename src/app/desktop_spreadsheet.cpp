// The desktop's report surroundings: its spreadsheet, its error box and its documents folder.
#include <QApplication>
#include <QMessageBox>
#include <QStandardPaths>

#include "app/form_main.h"
#include "core/file_io.h"
#include "report/memory_spreadsheet.h"

namespace tavrix::app {

std::unique_ptr<report::Spreadsheet> DesktopSpreadsheet(
    std::function<std::filesystem::path()> destination) {
  (void)destination;
  return std::make_unique<report::MemorySpreadsheet>();
}

void ShowReportErrorBox(const QString& message) {
  QMessageBox::critical(QApplication::activeModalWidget(), QStringLiteral("Error"), message);
}

std::filesystem::path DocumentsFolder() {
  return PathFromUtf8(
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
}

}  // namespace tavrix::app

// The desktop's report surroundings: its spreadsheet, its error box and its documents folder.
#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

#include "app/form_main.h"
#include "app/report_run.h"
#include "core/file_io.h"
#include "report/xlsx/xlsx_spreadsheet.h"

namespace tavrix::app {

std::unique_ptr<report::Spreadsheet> DesktopSpreadsheet(
    std::function<std::filesystem::path()> destination) {
  return std::make_unique<report::xlsx::XlsxSpreadsheet>(
      std::move(destination),
      [](const std::filesystem::path& workbook) {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(workbook))));
      },
      UserDecimalSeparator());
}

void ShowReportErrorBox(const QString& message) {
  QMessageBox::critical(QApplication::activeModalWidget(), QStringLiteral("Error"), message);
}

std::filesystem::path DocumentsFolder() {
  return PathFromUtf8(
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString());
}

}  // namespace tavrix::app

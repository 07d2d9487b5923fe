// The two progress windows, created once at start-up with the others: TForm_CtrlProc shows a
// download from the transfer unit, TForm_SendToExcel the building of a report.
#pragma once

#include <QDialog>

namespace tavrix::app {

class TForm_CtrlProc final : public QDialog {
 public:
  explicit TForm_CtrlProc(QWidget* main_window) : QDialog(main_window) {
    setObjectName(QStringLiteral("Form_CtrlProc"));
  }
};

class TForm_SendToExcel final : public QDialog {
 public:
  explicit TForm_SendToExcel(QWidget* main_window) : QDialog(main_window) {
    setObjectName(QStringLiteral("Form_SendToExcel"));
  }
};

}  // namespace tavrix::app

#include "app/form_send_to_excel.h"

#include <QCloseEvent>

namespace tavrix::app {

TForm_SendToExcel::TForm_SendToExcel(QWidget* main_window)
    : ProgressWindow(main_window, {.object_name = "Form_SendToExcel",
                                   .caption = "Подготовка отчета",
                                   .heading = "Создание файла отчета в Excel ",
                                   .size = QSize(347, 127),
                                   .clip = "toxls.avi",
                                   .stop_frame = 128}) {
  animation()->setObjectName(QStringLiteral("Animate_ToExcel"));
  progress_bar()->setObjectName(QStringLiteral("ProgressBar_Excel"));
}

void TForm_SendToExcel::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace tavrix::app

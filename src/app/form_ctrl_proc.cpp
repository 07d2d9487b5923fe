#include "app/form_ctrl_proc.h"

namespace tavrix::app {

TForm_CtrlProc::TForm_CtrlProc(QWidget* main_window)
    : ProgressWindow(main_window, {.object_name = "Form_CtrlProc",
                                   .caption = "Загрузка данных из ЖУВ-6",
                                   .heading = "Копирование данных с ЖУВ-6 в РС",
                                   .size = QSize(364, 157),
                                   .clip = "filecopy.avi",
                                   .stop_frame = 17}) {
  animation()->setObjectName(QStringLiteral("Animate_Copy"));
  progress_bar()->setObjectName(QStringLiteral("ProgressBar_ZhUV6"));
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label_MessagZhUV6"));
  label_->setAlignment(Qt::AlignCenter);
  label_->setWordWrap(true);
  label_->setGeometry(12, progress_bar()->geometry().bottom() + 6, width() - 24,
                      height() - progress_bar()->geometry().bottom() - 16);
  label_->setStyleSheet(QStringLiteral("color: #000080;"));
}

void TForm_CtrlProc::ShowStatus(const DownloadStatus& status) {
  label_->setText(QString::fromStdString(status.message));
  label_->setToolTip(QString::fromStdString(status.title));
  message_tag_ = status.kind;
  SetProgress(status.progress);
}

DownloadStatus TForm_CtrlProc::Outcome() const {
  return {label_->text().toStdString(), label_->toolTip().toStdString(), message_tag_, 0};
}

}  // namespace tavrix::app

#include "app/progress_window.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/pictures.h"

namespace tavrix::app {
namespace {

const QColor kCream(0xFF, 0xFB, 0xF0);
const QColor kFrame(0x8C, 0xA6, 0xC6);
constexpr int kAnimationTop = 32;
constexpr QSize kAnimationSize(272, 60);

}  // namespace

ProgressWindow::ProgressWindow(QWidget* main_window, const Look& look)
    : QDialog(main_window, Qt::Dialog | Qt::FramelessWindowHint), look_(look) {
  setObjectName(QString::fromLatin1(look.object_name));
  setWindowTitle(QString::fromUtf8(look.caption));
  setFixedSize(look.size);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kCream);
  setPalette(palette);

  heading_ = new QLabel(QString::fromUtf8(look.heading), this);
  heading_->setObjectName(QStringLiteral("Label1"));
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  heading_->setStyleSheet(QStringLiteral("color: #000080;"));
  heading_->setGeometry(12, 10, look.size.width() - 48, 16);

  const int animation_height = std::min(kAnimationSize.height(), look.size.height() - 80);
  animation_ =
      new AviPlayer(this, QSize(kAnimationSize.width(), animation_height), look.stop_frame);
  animation_->move((look.size.width() - kAnimationSize.width()) / 2, kAnimationTop);

  progress_bar_ = new QProgressBar(this);
  progress_bar_->setRange(0, 100);
  progress_bar_->setTextVisible(false);
  progress_bar_->setGeometry(16, kAnimationTop + animation_height + 8, look.size.width() - 32, 14);

  close_picture_ = new QLabel(this);
  close_picture_->setObjectName(QStringLiteral("Image4"));
  close_picture_->setPixmap(ClosePicture());
  close_picture_->setGeometry(look.size.width() - 26, 8, 16, 16);
  close_picture_->setCursor(Qt::PointingHandCursor);
  close_picture_->installEventFilter(this);
}

void ProgressWindow::SetProgress(int percent) {
  progress_bar_->setValue(std::clamp(percent, 0, 100));
}

void ProgressWindow::CloseByJob() {
  closed_by_job_ = true;
  done(QDialog::Accepted);
}

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  closed_by_job_ = false;
  if (const QWidget* main = parentWidget()) {
    move(main->geometry().center() - QPoint(width() / 2, height() / 2));
  }
  FormShow();
}

void ProgressWindow::hideEvent(QHideEvent* event) {
  FormClose();
  QDialog::hideEvent(event);
}

void ProgressWindow::FormShow() {
  animation_->SetFileName(directory_ / look_.clip);
  animation_->Play();
}

void ProgressWindow::FormClose() { animation_->Stop(); }

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == close_picture_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Image4Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

// The frame with soft corners: an outer and an inner rounded line (Shape1, Shape2).
void ProgressWindow::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kFrame, 2));
  p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 8, 8);
  p.setPen(QPen(kFrame.lighter(130), 1));
  p.drawRoundedRect(QRectF(rect()).adjusted(5, 5, -5, -5), 6, 6);
}

}  // namespace tavrix::app

#include "app/form_intro.h"

#include <QGuiApplication>
#include <QScreen>
#include <chrono>

#include "app/app_texts.h"
#include "app/pictures.h"

namespace tavrix::app {
namespace {

constexpr std::chrono::milliseconds kSplashTime{3000};

QLabel* WhiteLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
  label->adjustSize();
  return label;
}

}  // namespace

QString VersionLabelText(int major, int minor) {
  return QStringLiteral("Версия: %1.%2").arg(major).arg(minor) +
         QStringLiteral(" (beta). Программа в режиме тестирования.");
}

TForm_intro::TForm_intro(QWidget* main_window)
    : QDialog(main_window, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("Form_intro"));
  setFixedSize(387, 266);
  auto* image = new QLabel(this);
  image->setObjectName(QStringLiteral("Image_Intro"));
  image->setGeometry(0, 0, 387, 266);
  image->setPixmap(SplashPicture());
  WhiteLabel(this, "Label1", QString::fromUtf8(texts::kSplashLine))->move(32, 232);
  label_version_ =
      WhiteLabel(this, "Label_Version", QString::fromUtf8(texts::kSplashDesignVersion));
  label_version_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label_version_->setGeometry(8, 247, 371, 14);
  label_version_->setText(VersionLabelText(TAVRIX_VERSION_MAJOR, TAVRIX_VERSION_MINOR));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  timer_intro_.setInterval(kSplashTime);
  connect(&timer_intro_, &QTimer::timeout, this, &TForm_intro::Timer_introTimer);
  timer_intro_.start();
}

void TForm_intro::ShowModal() {
  if (timer_intro_.isActive()) exec();
}

void TForm_intro::Timer_introTimer() {
  timer_intro_.stop();
  done(QDialog::Accepted);
}

}  // namespace tavrix::app

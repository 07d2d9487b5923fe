// TForm_main: the balloon tips that explain the controls, and the mail and web icons.
#include <QEvent>
#include <QUrl>

#include "app/app_texts.h"
#include "app/balloon_tips.h"
#include "app/form_main.h"
#include "data/model.h"

namespace tavrix::app {
namespace {

QString Qs(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

void TForm_main::CreateBalloon(QWidget* control, int icon, const QString& title,
                               const QString& text, QColor background, QColor text_color) {
  balloon_ = new BalloonTip(control->window());
  balloon_->SetColors(background, text_color);
  balloon_->SetTitle(icon % 4, title);
  balloon_->SetText(text);
}

void TForm_main::ShowBalloon(bool show, int icon, const QString& text, const QString& title,
                             QWidget* control) {
  // Filled and placed before it shows, so that it never flashes its last tip.
  if (show && control != nullptr) {
    balloon_->SetText(text);
    balloon_->SetTitle(icon % 4, title);
    // The stem points 2 pixels above the control's lower left corner.
    balloon_->TrackPosition(control->mapToGlobal(QPoint(0, control->height() - 2)));
  }
  balloon_->TrackActivate(show && control != nullptr);
}

void TForm_main::BalloonMouseEnter(QWidget* control) {
  const std::string name = control->objectName().toStdString();
  const BalloonTipRow* row =
      TipForControl(name, {ui_.CheckBox_Balloon->isChecked(), ReadingMode(), new_dump_flag_ != 0});
  if (row == nullptr) return;
  QString text = Qs(row->text);
  if (name == "Image_Post") text += QString::fromStdString(support_mail_);
  ShowBalloon(true, kInfoIcon, text, Qs(row->title), control);
}

void TForm_main::BitBtn_SaveMouseEnter() {
  std::vector<std::string> texts;
  for (const QLineEdit* edit : ui_.passport_edits) texts.push_back(edit->text().toStdString());
  const std::string list =
      EmptyFieldsText(texts, header_values_[kEntryModel] == Designation(Model::k52A));
  if (ui_.CheckBox_Balloon->isChecked() && ReadingMode() && !list.empty()) {
    ShowBalloon(true, kWarningIcon, QString::fromStdString(list), Qs(kEmptyFieldsTitle),
                ui_.BitBtn_Save);
  }
}

void TForm_main::BalloonMouseLeave() {
  if (LeaveHidesTip(balloon_leave_count_, new_dump_flag_ != 0))
    ShowBalloon(false, 0, {}, {}, nullptr);
}

void TForm_main::Image_PostClick() {
  host_.open_url(QUrl(QStringLiteral("mailto:") + QString::fromStdString(support_mail_)));
}

void TForm_main::Image_InternetClick() {
  host_.open_url(QUrl(QStringLiteral("http://") + QString::fromStdString(library_host_) +
                      QString::fromUtf8(texts::kLibraryPagePath)));
}

bool TForm_main::ExplainsItself(const QWidget* control) const {
  const std::string name = control->objectName().toStdString();
  return std::any_of(kBalloonTipRows.begin(), kBalloonTipRows.end(),
                     [&](const BalloonTipRow& row) { return row.control == name; });
}

bool TForm_main::eventFilter(QObject* watched, QEvent* event) {
  auto* control = qobject_cast<QWidget*>(watched);
  if (control == nullptr) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Enter:
      if (control == ui_.BitBtn_Save) {
        BitBtn_SaveMouseEnter();
      } else if (ExplainsItself(control)) {
        BalloonMouseEnter(control);
      }
      break;
    case QEvent::Leave:
      if (ExplainsItself(control)) BalloonMouseLeave();
      break;
    case QEvent::MouseButtonRelease:
      if (control == ui_.Image_Post) {
        Image_PostClick();
      } else if (control == ui_.Image_Internet) {
        Image_InternetClick();
      } else if (const auto it =
                     std::find(ui_.model_pictures.begin(), ui_.model_pictures.end(), control);
                 it != ui_.model_pictures.end()) {
        Image_TypeZULClick(static_cast<int>(it - ui_.model_pictures.begin()));
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tavrix::app

// The balloon tip: one rounded popup with a stem whose point sits on an anchor point of the
// screen, a title with an information or warning icon above a text of one or more lines. It is
// tracked by the program (shown, filled, moved and hidden on request) and lets the mouse through.
#pragma once

#include <QColor>
#include <QPoint>
#include <QString>
#include <QWidget>

namespace tavrix::app {

class BalloonTip final : public QWidget {
 public:
  explicit BalloonTip(QWidget* owner);

  void SetColors(QColor background, QColor text);
  void SetTitle(int icon, const QString& title);
  void SetText(const QString& text);
  // Places the balloon so that its stem points at `anchor` (screen coordinates): below the point,
  // or above it where the screen has no room below.
  void TrackPosition(QPoint anchor);
  void TrackActivate(bool show);

  int icon() const { return icon_; }
  QString title() const { return title_; }
  QString text() const { return text_; }
  QPoint anchor() const { return anchor_; }
  // Where the stem's point lies in the widget.
  QPoint StemPoint() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Relayout();

  QColor background_{0xFF, 0xFB, 0xF0};
  QColor text_color_{0x00, 0x00, 0x80};
  int icon_ = 0;
  QString title_;
  QString text_;
  QPoint anchor_;
  bool stem_below_ = false;  // the balloon stands above its anchor
  int stem_x_ = 0;
};

}  // namespace tavrix::app

#include "app/balloon_tip.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <algorithm>

#include "app/pictures.h"

namespace tavrix::app {
namespace {

constexpr int kStemHeight = 14;
constexpr int kStemWidth = 16;
constexpr int kStemInset = 18;  // from the balloon's left edge to the stem's point
constexpr int kPadding = 10;
constexpr int kRadius = 8;
constexpr int kIconSize = 16;

QFont TitleFont(QFont font) {
  font.setBold(true);
  return font;
}

}  // namespace

BalloonTip::BalloonTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                         Qt::WindowTransparentForInput) {
  setObjectName(QStringLiteral("Balloon"));
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  Relayout();
}

void BalloonTip::SetColors(QColor background, QColor text) {
  background_ = background;
  text_color_ = text;
  update();
}

void BalloonTip::SetTitle(int icon, const QString& title) {
  icon_ = icon;
  title_ = title;
  Relayout();
}

void BalloonTip::SetText(const QString& text) {
  text_ = text;
  Relayout();
}

void BalloonTip::TrackPosition(QPoint anchor) {
  anchor_ = anchor;
  Relayout();
}

void BalloonTip::TrackActivate(bool show) { setVisible(show); }

QPoint BalloonTip::StemPoint() const { return {stem_x_, stem_below_ ? height() - 1 : 0}; }

void BalloonTip::Relayout() {
  const QFontMetrics body(font());
  const QFontMetrics head(TitleFont(font()));
  const QStringList lines = text_.split(QLatin1Char('\n'));
  int text_width = 0;
  for (const QString& line : lines) text_width = std::max(text_width, body.horizontalAdvance(line));
  const int icon_width = BalloonIcon(icon_).isNull() ? 0 : kIconSize + 6;
  const int title_width = icon_width + head.horizontalAdvance(title_);
  const int width = std::max({text_width, title_width, 2 * kStemInset}) + 2 * kPadding;
  const int title_height = std::max(head.height(), icon_width > 0 ? kIconSize : 0);
  const int height = kStemHeight + 2 * kPadding + title_height + 4 +
                     body.lineSpacing() * static_cast<int>(lines.size());
  resize(width, height);

  const QScreen* screen = QGuiApplication::screenAt(anchor_);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect area =
      screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1 << 15, 1 << 15);
  stem_below_ = anchor_.y() + height > area.bottom() && anchor_.y() - height >= area.top();
  int left = anchor_.x() - kStemInset;
  left = std::max(area.left(), std::min(left, area.right() + 1 - width));
  stem_x_ = std::clamp(anchor_.x() - left, kRadius, width - kRadius - kStemWidth);
  // The stem's point stays on the anchor even where the body is kept inside the screen.
  move(anchor_.x() - stem_x_, stem_below_ ? anchor_.y() - height + 1 : anchor_.y());
  update();
}

void BalloonTip::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF body = stem_below_
                          ? QRectF(0.5, 0.5, width() - 1, height() - kStemHeight - 1)
                          : QRectF(0.5, kStemHeight + 0.5, width() - 1, height() - kStemHeight - 1);
  QPainterPath shape;
  shape.addRoundedRect(body, kRadius, kRadius);
  QPainterPath stem;
  const double base_y = stem_below_ ? body.bottom() - 1 : body.top() + 1;
  stem.moveTo(stem_x_ + 0.5, stem_below_ ? height() - 0.5 : 0.5);
  stem.lineTo(stem_x_ + 0.5, base_y);
  stem.lineTo(stem_x_ + kStemWidth + 0.5, base_y);
  stem.closeSubpath();
  shape = shape.united(stem);
  p.setPen(QPen(text_color_.lighter(250), 1));
  p.setBrush(background_);
  p.drawPath(shape);

  const int top = static_cast<int>(body.top()) + kPadding;
  int x = kPadding;
  const QPixmap icon = BalloonIcon(icon_);
  const QFontMetrics head(TitleFont(font()));
  const int title_height = std::max(head.height(), icon.isNull() ? 0 : kIconSize);
  if (!icon.isNull()) {
    p.drawPixmap(x, top + (title_height - kIconSize) / 2, icon);
    x += kIconSize + 6;
  }
  p.setPen(text_color_);
  p.setFont(TitleFont(font()));
  p.drawText(QRect(x, top, width() - x - kPadding, title_height), Qt::AlignLeft | Qt::AlignVCenter,
             title_);
  p.setFont(font());
  const QFontMetrics metrics(font());
  int y = top + title_height + 4;
  for (const QString& line : text_.split(QLatin1Char('\n'))) {
    p.drawText(kPadding, y + metrics.ascent(), line);
    y += metrics.lineSpacing();
  }
}

}  // namespace tavrix::app

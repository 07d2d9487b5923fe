#include "app/pictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <array>

namespace tavrix::app {
namespace {

const QColor kNavy(0x1B, 0x35, 0x58);
const QColor kSteel(0x4A, 0x6F, 0x95);
const QColor kMist(0xE9, 0xEF, 0xF6);
const QColor kLine(0xA9, 0xB8, 0xC9);
const QColor kAmber(0xF2, 0xA9, 0x00);
const QColor kRed(0xC8, 0x37, 0x2D);
const QColor kBlue(0x2A, 0x6E, 0xBB);
const QColor kGreen(0x2E, 0x8B, 0x57);
const QColor kFolder(0xF0, 0xC0, 0x4A);
const QColor kFolderDark(0xC9, 0x97, 0x22);

// A transparent square canvas with an antialiasing painter.
struct Canvas {
  explicit Canvas(int w, int h = 0) : pixmap(w, h ? h : w) {
    pixmap.fill(Qt::transparent);
    painter.begin(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
  }
  QPixmap Take() {
    painter.end();
    return pixmap;
  }
  QPixmap pixmap;
  QPainter painter;
};

QFont Bold(double pixel_size) {
  QFont font("Tahoma");
  font.setPixelSize(static_cast<int>(pixel_size));
  font.setBold(true);
  return font;
}

// A lattice-boom crane in a box of width w and height h from (x, y), drawn with the pen set.
void DrawCrane(QPainter& p, QRectF box) {
  const auto at = [&](double fx, double fy) {
    return QPointF(box.left() + fx * box.width(), box.top() + fy * box.height());
  };
  p.drawLine(at(0.30, 1.0), at(0.30, 0.15));  // mast
  p.drawLine(at(0.38, 1.0), at(0.38, 0.15));
  for (double y = 0.25; y < 1.0; y += 0.15) p.drawLine(at(0.30, y), at(0.38, y + 0.15));
  p.drawLine(at(0.05, 0.15), at(1.0, 0.15));  // jib
  p.drawLine(at(0.34, 0.0), at(0.95, 0.15));  // tie
  p.drawLine(at(0.34, 0.0), at(0.05, 0.15));
  p.drawLine(at(0.80, 0.15), at(0.80, 0.55));  // hoist rope and hook
  p.drawRect(QRectF(at(0.75, 0.55), at(0.85, 0.63)));
  p.drawRect(QRectF(at(0.05, 0.15), at(0.15, 0.30)));  // counterweight
}

QPixmap ModelPicture(const QString& name, bool marked) {
  Canvas c(65);
  QPainter& p = c.painter;
  const QRectF tile(1.5, 1.5, 62, 62);
  p.setPen(QPen(marked ? kAmber : kLine, marked ? 3 : 1.2));
  if (marked) {
    QLinearGradient fill(0, 0, 0, 65);
    fill.setColorAt(0, kSteel);
    fill.setColorAt(1, kNavy);
    p.setBrush(fill);
  } else {
    p.setBrush(kMist);
  }
  p.drawRoundedRect(tile, 9, 9);
  const QColor ink = marked ? Qt::white : kNavy;
  p.setPen(QPen(marked ? QColor(255, 255, 255, 150) : kLine, 1.2));
  p.setBrush(Qt::NoBrush);
  DrawCrane(p, QRectF(10, 8, 44, 22));
  p.setPen(ink);
  p.setFont(Bold(9));
  p.drawText(QRectF(0, 30, 65, 12), Qt::AlignCenter, "ЗУЛ");
  p.setFont(Bold(17));
  p.drawText(QRectF(0, 40, 65, 20), Qt::AlignCenter, name);
  if (marked) {  // a check badge in the corner
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawEllipse(QRectF(46, 4, 15, 15));
    p.setPen(QPen(kNavy, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(49.5, 11.5), QPointF(52.5, 14.5), QPointF(57.5, 8)}));
  }
  return c.Take();
}

void DrawFolder(QPainter& p, double s, const QColor& body, const QColor& edge) {
  QPainterPath back;
  back.moveTo(0.06 * s, 0.22 * s);
  back.lineTo(0.38 * s, 0.22 * s);
  back.lineTo(0.46 * s, 0.32 * s);
  back.lineTo(0.94 * s, 0.32 * s);
  back.lineTo(0.94 * s, 0.86 * s);
  back.lineTo(0.06 * s, 0.86 * s);
  back.closeSubpath();
  p.setPen(QPen(edge, s / 24));
  p.setBrush(edge.lighter(115));
  p.drawPath(back);
  p.setBrush(body);
  p.drawRoundedRect(QRectF(0.06 * s, 0.40 * s, 0.88 * s, 0.46 * s), s / 24, s / 24);
}

QPixmap FolderPicture(int size, bool parent) {
  Canvas c(size);
  DrawFolder(c.painter, size, kFolder, kFolderDark);
  if (parent) {  // an arrow up to the parent folder
    const double s = size;
    c.painter.setPen(QPen(kNavy, s / 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    c.painter.drawLine(QPointF(0.5 * s, 0.78 * s), QPointF(0.5 * s, 0.50 * s));
    c.painter.drawPolyline(QPolygonF(
        {QPointF(0.36 * s, 0.62 * s), QPointF(0.5 * s, 0.48 * s), QPointF(0.64 * s, 0.62 * s)}));
  }
  return c.Take();
}

// A data file: a sheet with a folded corner, a load curve and a navy band.
QPixmap DataFilePicture(int size) {
  Canvas c(size);
  QPainter& p = c.painter;
  const double s = size;
  QPainterPath sheet;
  sheet.moveTo(0.18 * s, 0.04 * s);
  sheet.lineTo(0.62 * s, 0.04 * s);
  sheet.lineTo(0.84 * s, 0.26 * s);
  sheet.lineTo(0.84 * s, 0.96 * s);
  sheet.lineTo(0.18 * s, 0.96 * s);
  sheet.closeSubpath();
  p.setPen(QPen(kSteel, s / 24));
  p.setBrush(Qt::white);
  p.drawPath(sheet);
  p.drawPolyline(QPolygonF(
      {QPointF(0.62 * s, 0.04 * s), QPointF(0.62 * s, 0.26 * s), QPointF(0.84 * s, 0.26 * s)}));
  p.setPen(QPen(kBlue, s / 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(0.28 * s, 0.56 * s), QPointF(0.40 * s, 0.40 * s),
                            QPointF(0.52 * s, 0.50 * s), QPointF(0.66 * s, 0.32 * s),
                            QPointF(0.74 * s, 0.38 * s)}));
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  p.drawRect(QRectF(0.18 * s, 0.68 * s, 0.66 * s, 0.20 * s));
  if (size >= 32) {
    p.setPen(Qt::white);
    p.setFont(Bold(0.18 * s));
    p.drawText(QRectF(0.18 * s, 0.68 * s, 0.66 * s, 0.20 * s), Qt::AlignCenter, "RPK");
  }
  return c.Take();
}

QPixmap DiskPicture() {  // a fixed disk: a slab with a light
  Canvas c(16);
  QPainter& p = c.painter;
  p.setPen(QPen(kNavy, 1));
  QLinearGradient fill(0, 5, 0, 13);
  fill.setColorAt(0, QColor(0xD5, 0xDE, 0xE8));
  fill.setColorAt(1, QColor(0x9C, 0xAE, 0xC2));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(1.5, 5.5, 13, 7), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawEllipse(QRectF(11, 8, 2.5, 2.5));
  return c.Take();
}

QPixmap CdPicture() {
  Canvas c(16);
  QPainter& p = c.painter;
  QLinearGradient fill(0, 0, 16, 16);
  fill.setColorAt(0, QColor(0xE8, 0xEE, 0xF7));
  fill.setColorAt(0.5, QColor(0xB8, 0xD4, 0xF0));
  fill.setColorAt(1, QColor(0xE2, 0xD6, 0xF2));
  p.setPen(QPen(kSteel, 1));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(6, 6, 4, 4));
  return c.Take();
}

QPixmap RemovablePicture() {  // a USB stick
  Canvas c(16);
  QPainter& p = c.painter;
  p.setPen(QPen(kNavy, 1));
  p.setBrush(QColor(0xC4, 0xCC, 0xD6));
  p.drawRect(QRectF(5.5, 1.5, 5, 4));
  p.setBrush(kSteel);
  p.drawRoundedRect(QRectF(3.5, 5.5, 9, 9), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(kAmber);
  p.drawEllipse(QRectF(6.5, 9, 3, 3));
  return c.Take();
}

QPixmap NetworkPicture() {  // a disk on a network line
  Canvas c(16);
  QPainter& p = c.painter;
  p.setPen(QPen(kNavy, 1));
  p.setBrush(QColor(0xC4, 0xD3, 0xE3));
  p.drawRoundedRect(QRectF(1.5, 2.5, 13, 6), 2, 2);
  p.drawLine(QPointF(8, 8.5), QPointF(8, 12.5));
  p.drawLine(QPointF(2, 13.5), QPointF(14, 13.5));
  p.setPen(Qt::NoPen);
  p.setBrush(kGreen);
  p.drawRect(QRectF(6, 11, 4, 4));
  return c.Take();
}

// A round badge with a glyph: the information, question and error logos.
QPixmap Badge(int size, const QColor& color, const QString& glyph) {
  Canvas c(size);
  QPainter& p = c.painter;
  const double s = size;
  QRadialGradient fill(QPointF(0.35 * s, 0.3 * s), 0.8 * s);
  fill.setColorAt(0, color.lighter(135));
  fill.setColorAt(1, color);
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawEllipse(QRectF(0.06 * s, 0.06 * s, 0.88 * s, 0.88 * s));
  p.setPen(Qt::white);
  p.setFont(Bold(0.62 * s));
  p.drawText(QRectF(0, 0, s, s), Qt::AlignCenter, glyph);
  return c.Take();
}

QPixmap WarningTriangle(int size) {
  Canvas c(size);
  QPainter& p = c.painter;
  const double s = size;
  QPainterPath tri;
  tri.moveTo(0.5 * s, 0.06 * s);
  tri.lineTo(0.96 * s, 0.90 * s);
  tri.lineTo(0.04 * s, 0.90 * s);
  tri.closeSubpath();
  p.setPen(QPen(kAmber.darker(120), s / 20, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kAmber);
  p.drawPath(tri);
  p.setPen(kNavy);
  p.setFont(Bold(0.56 * s));
  p.drawText(QRectF(0, 0.24 * s, s, 0.66 * s), Qt::AlignCenter, "!");
  return c.Take();
}

}  // namespace

std::vector<QPixmap> TypeZulPictures() {
  std::vector<QPixmap> pictures;
  for (const char* name : {"38", "52Н", "52Д", "52А"}) {
    pictures.push_back(ModelPicture(QString::fromUtf8(name), false));
    pictures.push_back(ModelPicture(QString::fromUtf8(name), true));
  }
  return pictures;
}

std::vector<QPixmap> DrivePictures() {
  return {DiskPicture(), CdPicture(), RemovablePicture(), NetworkPicture(),
          FolderPicture(16, false)};
}

std::vector<QPixmap> DirPictures(int size) {
  return {FolderPicture(size, true), FolderPicture(size, false), DataFilePicture(size)};
}

std::vector<QPixmap> LogoPictures() {
  return {Badge(32, kBlue, "!"), Badge(32, kGreen, "?"), WarningTriangle(32),
          Badge(32, kRed, QString::fromUtf8("×"))};
}

QPixmap BalloonIcon(int icon) {
  switch (icon) {
    case 1:
      return Badge(16, kBlue, "i");
    case 2:
      return WarningTriangle(16);
    case 3:
      return Badge(16, kRed, QString::fromUtf8("×"));
    default:
      return {};
  }
}

QPixmap SplashPicture() {
  Canvas c(387, 266);
  QPainter& p = c.painter;
  QLinearGradient sky(0, 0, 0, 266);
  sky.setColorAt(0, QColor(0x2C, 0x5C, 0x8F));
  sky.setColorAt(0.75, kNavy);
  sky.setColorAt(1, QColor(0x10, 0x22, 0x3A));
  p.fillRect(QRect(0, 0, 387, 266), sky);
  // A faint engineering grid.
  p.setPen(QPen(QColor(255, 255, 255, 18), 1));
  for (int x = 0; x < 387; x += 16) p.drawLine(x, 0, x, 220);
  for (int y = 0; y < 220; y += 16) p.drawLine(0, y, 387, y);
  p.setPen(QPen(QColor(255, 255, 255, 120), 2));
  DrawCrane(p, QRectF(190, 30, 180, 180));
  p.setPen(QPen(kAmber, 2));
  p.drawLine(0, 220, 387, 220);
  p.setPen(Qt::white);
  p.setFont(Bold(42));
  p.drawText(QRectF(28, 56, 300, 50), Qt::AlignLeft | Qt::AlignVCenter, "Tavrix");
  QFont sub("Tahoma");
  sub.setPixelSize(13);
  p.setFont(sub);
  p.setPen(QColor(0xD7, 0xE3, 0xF0));
  p.drawText(QRectF(30, 108, 220, 40), Qt::AlignLeft | Qt::TextWordWrap,
             QString::fromUtf8("Регистраторы параметров\nограничителей нагрузки крана"));
  return c.Take();
}

QPixmap ViewStylePicture(int style) {
  Canvas c(16);
  QPainter& p = c.painter;
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  if (style == 0) {  // large icons: a two by two grid
    for (int x : {2, 9}) {
      for (int y : {2, 9}) p.drawRoundedRect(QRectF(x, y, 5, 5), 1, 1);
    }
  } else if (style == 2) {  // list: two columns of small icons and names
    for (int x : {1, 9}) {
      for (int y : {2, 7, 12}) {
        p.setBrush(kSteel);
        p.drawRect(QRectF(x, y, 2, 2));
        p.setBrush(kNavy);
        p.drawRect(QRectF(x + 3, y + 0.5, 3, 1.2));
      }
    }
  } else {  // report: a header and rows with two columns
    p.drawRect(QRectF(1, 2, 14, 2.5));
    p.setBrush(kSteel);
    for (int y : {6, 9, 12}) {
      p.drawRect(QRectF(1, y, 8, 1.5));
      p.drawRect(QRectF(11, y, 4, 1.5));
    }
  }
  return c.Take();
}

QPixmap MailPicture() {
  Canvas c(24);
  QPainter& p = c.painter;
  p.setPen(QPen(kNavy, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(0xF4, 0xF7, 0xFB));
  p.drawRoundedRect(QRectF(2, 5, 20, 14), 2, 2);
  p.drawPolyline(QPolygonF({QPointF(2.5, 6), QPointF(12, 13), QPointF(21.5, 6)}));
  return c.Take();
}

QPixmap InternetPicture() {
  Canvas c(24);
  QPainter& p = c.painter;
  p.setPen(QPen(kNavy, 1.4));
  p.setBrush(QColor(0xD6, 0xE8, 0xF8));
  const QRectF globe(2.5, 2.5, 19, 19);
  p.drawEllipse(globe);
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(7.5, 2.5, 9, 19));
  p.drawLine(QPointF(12, 2.5), QPointF(12, 21.5));
  p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
  p.drawLine(QPointF(4.5, 7.5), QPointF(19.5, 7.5));
  p.drawLine(QPointF(4.5, 16.5), QPointF(19.5, 16.5));
  return c.Take();
}

QPixmap ClosePicture() {
  Canvas c(16);
  QPainter& p = c.painter;
  p.setPen(QPen(kNavy, 1.2));
  p.setBrush(QColor(0xF4, 0xF7, 0xFB));
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
  p.setPen(QPen(kNavy, 1.8, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5, 5), QPointF(11, 11));
  p.drawLine(QPointF(11, 5), QPointF(5, 11));
  return c.Take();
}

}  // namespace tavrix::app

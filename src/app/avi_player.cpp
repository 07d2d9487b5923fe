#include "app/avi_player.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "core/avi_clip.h"
#include "core/error.h"
#include "core/file_io.h"

namespace tavrix::app {
namespace {

constexpr std::uintmax_t kMaxClipBytes = std::uintmax_t{32} << 20;
constexpr int kBuiltInFrames = 18;
constexpr std::chrono::milliseconds kBuiltInInterval{80};

QImage FrameImage(const AviClip& clip, const std::vector<std::uint8_t>& frame) {
  QImage image(clip.width, clip.height, QImage::Format_RGB32);
  for (int y = 0; y < clip.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < clip.width; ++x) {
      line[x] = 0xFF000000u | clip.palette[frame[static_cast<std::size_t>(y) * clip.width + x]];
    }
  }
  return image;
}

void DrawFolder(QPainter& p, QPointF at) {
  p.setPen(QColor(0x9A, 0x6B, 0x12));
  p.setBrush(QColor(0xF2, 0xC2, 0x4B));
  p.drawRect(QRectF(at.x(), at.y() + 4, 34, 24));
  p.drawRect(QRectF(at.x(), at.y(), 14, 5));
}

// Frame n of the built-in animation: a sheet flies in an arc from the left folder to the right.
QImage BuiltInFrame(QSize size, int n) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(QColor(0xFF, 0xFB, 0xF0));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double h = size.height();
  DrawFolder(p, {8, h - 34});
  DrawFolder(p, {size.width() - 42.0, h - 34});
  const double t = static_cast<double>(n) / (kBuiltInFrames - 1);
  const double x = 20 + t * (size.width() - 62);
  const double y = (h - 40) - std::sin(t * M_PI) * (h - 44);
  p.setPen(QColor(0x33, 0x33, 0x66));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(x, y, 14, 18));
  for (int line = 0; line < 3; ++line)
    p.drawLine(QPointF(x + 3, y + 5 + 4 * line), QPointF(x + 11, y + 5 + 4 * line));
  return image;
}

}  // namespace

AviPlayer::AviPlayer(QWidget* parent, QSize size, int stop_frame)
    : QWidget(parent), stop_frame_(stop_frame) {
  setFixedSize(size);
  connect(&timer_, &QTimer::timeout, this, &AviPlayer::NextFrame);
  UseBuiltIn();
}

bool AviPlayer::SetFileName(const std::filesystem::path& path) {
  try {
    const AviClip clip = ReadAviClip(ReadFileBytes(path, kMaxClipBytes));
    frames_.clear();
    const std::size_t played = std::min<std::size_t>(clip.frames.size(), stop_frame_ + 1);
    for (std::size_t i = 0; i < played; ++i) frames_.push_back(FrameImage(clip, clip.frames[i]));
    timer_.setInterval(std::max<int>(1, static_cast<int>(clip.frame_interval.count() / 1000)));
    built_in_ = false;
  } catch (const Error&) {
    UseBuiltIn();
  }
  current_ = 0;
  update();
  return !built_in_;
}

void AviPlayer::UseBuiltIn() {
  frames_.clear();
  for (int n = 0; n < kBuiltInFrames; ++n) frames_.push_back(BuiltInFrame(size(), n));
  timer_.setInterval(kBuiltInInterval);
  built_in_ = true;
}

void AviPlayer::Play() {
  current_ = 0;
  timer_.start();
  update();
}

void AviPlayer::Stop() { timer_.stop(); }

void AviPlayer::SeekFrame(int n) {
  current_ = std::clamp(n, 0, FrameCount() - 1);
  update();
}

void AviPlayer::NextFrame() {
  current_ = (current_ + 1) % FrameCount();
  update();
}

void AviPlayer::paintEvent(QPaintEvent*) {
  if (frames_.empty()) return;
  QPainter p(this);
  const QImage& frame = frames_[static_cast<std::size_t>(current_)];
  p.drawImage(QPoint((width() - frame.width()) / 2, (height() - frame.height()) / 2), frame);
}

}  // namespace tavrix::app

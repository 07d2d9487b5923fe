// The animation player of the progress windows (Animate_Copy, Animate_ToExcel): plays an AVI
// clip (8-bit, uncompressed or RLE8) from a file in a loop from its first frame to its stop
// frame, centred in the control. A clip that is missing or cannot be read is replaced by a
// built-in animation of a sheet passing between two folders, so the window always shows motion.
#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <vector>

namespace tavrix::app {

class AviPlayer final : public QWidget {
 public:
  AviPlayer(QWidget* parent, QSize size, int stop_frame);

  // Loads the clip; false when the built-in animation stands in for it.
  bool SetFileName(const std::filesystem::path& path);
  void Play();
  void Stop();

  bool Active() const { return timer_.isActive(); }
  bool UsesBuiltIn() const { return built_in_; }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  int CurrentFrame() const { return current_; }
  // Shows frame n (clamped to the frames played), for pictures of the window mid-way.
  void SeekFrame(int n);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void UseBuiltIn();
  void NextFrame();

  int stop_frame_;
  std::vector<QImage> frames_;
  bool built_in_ = true;
  int current_ = 0;
  QTimer timer_;
};

}  // namespace tavrix::app

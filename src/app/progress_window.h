// What the two progress windows share: a borderless cream window with a soft-cornered frame,
// centred on the main window when it shows, a bold navy heading, an animation played from the
// window's directory while the window is shown, a progress bar 0..100, and the close picture
// Image4. CloseByJob is how a worker's job closes the window; ClosedByJob tells the caller, after
// the modal display, whether the job closed it or the user did.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <filesystem>

#include "app/avi_player.h"

namespace tavrix::app {

class ProgressWindow : public QDialog {
 public:
  struct Look {
    const char* object_name;
    const char* caption;
    const char* heading;
    QSize size;
    const char* clip;  // the clip file in the directory
    int stop_frame;
  };

  ProgressWindow(QWidget* main_window, const Look& look);

  // The directory text: the folder of the clip (the program directory).
  void SetDirectory(const std::filesystem::path& directory) { directory_ = directory; }
  const std::filesystem::path& Directory() const { return directory_; }

  void SetProgress(int percent);
  void CloseByJob();
  bool ClosedByJob() const { return closed_by_job_; }

  QLabel* heading() const { return heading_; }
  AviPlayer* animation() const { return animation_; }
  QProgressBar* progress_bar() const { return progress_bar_; }
  QLabel* close_picture() const { return close_picture_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // A click on Image4; nothing unless the window says otherwise.
  virtual void Image4Click() {}

 private:
  void FormShow();
  void FormClose();

  Look look_;
  std::filesystem::path directory_;
  bool closed_by_job_ = false;
  QLabel* heading_ = nullptr;
  AviPlayer* animation_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QLabel* close_picture_ = nullptr;
};

}  // namespace tavrix::app

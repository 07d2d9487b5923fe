// The download window TForm_CtrlProc: heading "Копирование данных с ЖУВ-6 в РС", the clip
// filecopy.avi (frames up to 17), the progress bar and the status label Label_MessagZhUV6, whose
// caption, hint and tag carry the download's status line and, at the end, its outcome (message,
// title, kind). Image4 closes the window by hand.
#pragma once

#include "app/progress_window.h"
#include "device/download_outcome.h"

namespace tavrix::app {

class TForm_CtrlProc final : public ProgressWindow {
 public:
  explicit TForm_CtrlProc(QWidget* main_window);

  QLabel* Label_MessagZhUV6() const { return label_; }
  int MessageTag() const { return message_tag_; }

  // What the download job shows: caption, hint, tag and the bar.
  void ShowStatus(const DownloadStatus& status);
  // The label as the Read flow reads it once the window has closed (progress left 0).
  DownloadStatus Outcome() const;
  void ClearMessage() { label_->clear(); }

 protected:
  void Image4Click() override { close(); }

 private:
  QLabel* label_ = nullptr;
  int message_tag_ = 0;
};

}  // namespace tavrix::app

// The splash window TForm_intro: the splash picture with the program's name and version, shown
// once over the main window and closed by its timer 3 s after the window was created (the time
// taken before it is shown counts against those 3 s).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>
#include <QTimer>

namespace tavrix::app {

// "Версия: 3.3 (beta). Программа в режиме тестирования." for the file version 3.3.x.x.
QString VersionLabelText(int major, int minor);

class TForm_intro final : public QDialog {
 public:
  // The version shown is the one the program was built with: on Linux the executable carries no
  // version resource, and the program directory's tavrix binary is this program.
  explicit TForm_intro(QWidget* main_window);

  // Shows the splash modally, unless its time is already over.
  void ShowModal();
  void Timer_introTimer();

  // Esc and the window manager do not close the splash; its timer does.
  void reject() override {}

  QLabel* Label_Version() const { return label_version_; }
  const QTimer& Timer_intro() const { return timer_intro_; }

 private:
  QLabel* label_version_ = nullptr;
  QTimer timer_intro_;
};

}  // namespace tavrix::app

// The application object and the window set. The application carries the title
// "Обработка информации РП ЗУЛ-52А", the captions of the box that shows an exception reaching
// the event loop (the program then goes on), and the Tahoma 8 pt font of every window. The five
// windows are created once, in a fixed order, and live until the program ends.
#pragma once

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>

#include "app/form_ctrl_proc.h"
#include "app/form_err.h"
#include "app/form_intro.h"
#include "app/form_main.h"
#include "app/form_send_to_excel.h"

namespace tavrix::app {

// The standard error box with the application title as its caption.
void ShowExceptionBox(const QString& message);

class Application final : public QApplication {
 public:
  Application(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows the message of an exception that reached the event loop; tests put their own here.
  std::function<void(const QString&)> show_exception = ShowExceptionBox;
};

struct WindowSet {
  std::unique_ptr<TForm_main> main;
  std::unique_ptr<TForm_intro> intro;
  std::unique_ptr<TForm_CtrlProc> ctrl_proc;
  std::unique_ptr<TForm_SendToExcel> send_to_excel;
  std::unique_ptr<TForm_Err> err;
};

// Main window, splash, download progress, report progress, message window, in this order.
WindowSet CreateWindows(MainWindowHost host = {});

}  // namespace tavrix::app

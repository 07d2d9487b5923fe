#include "app/application.h"

#include <QFontDatabase>
#include <QMessageBox>
#include <exception>

#include "app/app_texts.h"

namespace tavrix::app {
namespace {

constexpr int kFontPointSize = 8;

// Where Tahoma is found on Linux when fontconfig does not know it: the fonts-wine package.
constexpr std::array<const char*, 2> kTahomaFiles = {"/usr/share/wine/fonts/tahoma.ttf",
                                                     "/usr/share/wine/fonts/tahomabd.ttf"};

void UseTahoma() {
  if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
    for (const char* file : kTahomaFiles)
      QFontDatabase::addApplicationFont(QString::fromLatin1(file));
  }
  QApplication::setFont(QFont(QStringLiteral("Tahoma"), kFontPointSize));
}

}  // namespace

void ShowExceptionBox(const QString& message) {
  QMessageBox::critical(nullptr, QString::fromUtf8(texts::kApplicationTitle), message);
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromUtf8(texts::kApplicationTitle));
  setStyle(QStringLiteral("Fusion"));
  UseTahoma();
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    show_exception(QString::fromUtf8(error.what()));
  } catch (...) {
    show_exception(QString());
  }
  return false;
}

WindowSet CreateWindows(MainWindowHost host) {
  WindowSet windows;
  windows.main = std::make_unique<TForm_main>(std::move(host));
  windows.intro = std::make_unique<TForm_intro>(windows.main.get());
  windows.ctrl_proc = std::make_unique<TForm_CtrlProc>(windows.main.get());
  windows.send_to_excel = std::make_unique<TForm_SendToExcel>(windows.main.get());
  windows.err = std::make_unique<TForm_Err>(windows.main.get());
  windows.main->AttachWindows(windows.intro.get(), windows.err.get());
  windows.main->AttachProgressWindows(windows.ctrl_proc.get(), windows.send_to_excel.get());
  return windows;
}

}  // namespace tavrix::app

// tavrix: the desktop application. Takes no arguments and always exits with 0; an exception
// that escapes start-up or the event loop is shown in the standard box before the program ends.
#include <exception>

#include "app/application.h"

int main(int argc, char** argv) {
  tavrix::app::Application app(argc, argv);
  try {
    const tavrix::app::WindowSet windows = tavrix::app::CreateWindows();
    windows.main->show();
    tavrix::app::Application::exec();
  } catch (const std::exception& error) {
    tavrix::app::ShowExceptionBox(QString::fromUtf8(error.what()));
  } catch (...) {
    tavrix::app::ShowExceptionBox(QString());
  }
  return 0;
}

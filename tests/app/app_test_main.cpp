// The desktop tests' main: one application object under the offscreen platform (unless the
// caller chose another), alive while the tests run and destroyed before the program exits.
#include <gtest/gtest.h>

#include "app_support.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  tavrix::app::Application app(argc, argv);
  tavrix::testing::SetApp(&app);
  return RUN_ALL_TESTS();
}

// The widget tests need one application object for the whole run: the program's own, which
// carries the default failure handler. They draw offscreen unless told otherwise, also when
// CTest lists them, which it does without the tests' environment.
#include <gtest/gtest.h>

#include "ui/qt/application.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  tarnwick::ui::Application app(argc, argv);
  return RUN_ALL_TESTS();
}

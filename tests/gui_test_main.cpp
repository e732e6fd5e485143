// Widget tests run in one process with the program's own application object, on the offscreen
// platform.
#include <gtest/gtest.h>

#include <cstdlib>

#include "shell/shelf_application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  shelf::TShelfApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// The window-manager tests' entry point: one QApplication on the X display
// that run_under_window_manager.sh made, for the whole run.

#include <QApplication>

#include <gtest/gtest.h>

#include "app/toolkit/fonts.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  app::LoadWindowTypeface();
  return RUN_ALL_TESTS();
}

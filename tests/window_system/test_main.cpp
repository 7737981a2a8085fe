// The window-manager tests' entry point: one QApplication on the X display
// that run_under_window_manager.sh made, for the whole run.

#include <QApplication>

#include <gtest/gtest.h>

#include "toolkit/qt/backend.h"
#include "toolkit/qt/fonts.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  app::qt::LoadWindowTypeface();
  app::qt::QtBackend backend;
  app::SetCurrentBackend(&backend);
  const int result = RUN_ALL_TESTS();
  app::SetCurrentBackend(nullptr);
  return result;
}

// The window tests' entry point on the Qt front end: one QApplication on the
// offscreen platform and the Qt backend for the whole run, so that windows
// are real but never reach a screen.

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

#include "toolkit/qt/backend.h"
#include "toolkit/qt/fonts.h"

namespace {

constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kOffscreen[] = "offscreen";
constexpr char kPrefixVariable[] = "QUILLOMAR_PREFIX";
constexpr char kPrefixTemplate[] = "/quillomar-app-tests-XXXXXX";

// Points the program's default drive prefix, and the home where it finds
// the desktop folder, at a folder of their own for the run, so that a
// window made without a test prefix can never reach the user's data or
// desktop. Returns that folder, or "" when a prefix was already chosen.
std::string IsolateDefaultPrefix() {
  if (qEnvironmentVariableIsSet(kPrefixVariable)) return {};
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = std::string((tmp != nullptr && *tmp != '\0') ? tmp : "/tmp") + kPrefixTemplate;
  if (mkdtemp(folder.data()) == nullptr) return {};
  qputenv(kPrefixVariable, QByteArray::fromStdString(folder + "/prefix"));
  qputenv("HOME", QByteArray::fromStdString(folder));
  qunsetenv("XDG_CONFIG_HOME");
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty(kPlatformVariable)) qputenv(kPlatformVariable, kOffscreen);
  const std::string isolated = IsolateDefaultPrefix();
  int result = 0;
  {
    QApplication application(argc, argv);
    // The windows' own font, as the program loads it.
    app::qt::LoadWindowTypeface();
    app::qt::QtBackend backend;
    app::SetCurrentBackend(&backend);
    result = RUN_ALL_TESTS();
    app::SetCurrentBackend(nullptr);
  }
  if (!isolated.empty()) {
    // remove_all takes the drive links away without following them.
    std::error_code ignored;
    std::filesystem::remove_all(isolated, ignored);
  }
  return result;
}

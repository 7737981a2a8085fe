// Writes the program's 48 x 48 icon as a PNG file, for the desktop's icon
// theme (share/icons/hicolor/48x48/apps).
//
//   quillomar_icon <file.png>

#include <stdlib.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>

#include "app/pictures/pictures.h"
#include "app/toolkit/qt/qt_convert.h"

namespace {
constexpr char kPlatformVariable[] = "QT_QPA_PLATFORM";
constexpr char kOffscreen[] = "offscreen";
constexpr char kPngFormat[] = "PNG";
}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
    return EXIT_FAILURE;
  }
  // Runs during the build, where there may be no display.
  ::setenv(kPlatformVariable, kOffscreen, 1);
  QGuiApplication application(argc, argv);
  const app::Image icon = app::ApplicationIcon();
  if (!app::qt::ViewOf(icon).save(argv[1], kPngFormat)) {
    std::fprintf(stderr, "quillomar_icon: cannot write %s\n", argv[1]);
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

// Writes the program's 48 x 48 icon as a PNG file, for the desktop's icon
// theme (share/icons/hicolor/48x48/apps): the bitmap that the program's
// windows carry, so that the launcher shows exactly their picture.
//
//   quillomar_icon <file.png>

#include <QImage>

#include <cstdio>
#include <cstdlib>

#include "app/pictures/pictures.h"
#include "toolkit/qt/convert.h"

namespace {
constexpr char kPngFormat[] = "PNG";
}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
    return EXIT_FAILURE;
  }
  const app::Image& icon = app::ApplicationIcon();
  if (icon.IsNull() || !app::qt::ViewOf(icon).save(argv[1], kPngFormat)) {
    std::fprintf(stderr, "quillomar_icon: cannot write %s\n", argv[1]);
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

#include "tools/pictures/picture_set.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <string>
#include <functional>
#include <utility>

#include "app/pictures/pictures.h"
#include "toolkit/qt/convert.h"
#include "tools/pictures/drawing.h"
#include "tools/pictures/icon_file.h"

namespace drawing {

namespace {

constexpr char kBitmapExtension[] = ".bmp";
// The side of the program's icon as its windows carry it.
constexpr int kApplicationIconSide = 48;

// `image` as a PNG file, with nothing in it but the pixels (no time, no text).
std::string PngFile(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
  return bytes.toStdString();
}

std::string StripName(app::Size size) {
  return "menu_strip_" + std::to_string(size.width) + "x" + std::to_string(size.height);
}

}  // namespace

std::vector<DrawnFile> DrawAllFiles() {
  // The bitmaps' names are those that app/pictures/pictures.cpp looks up.
  const std::pair<std::string, std::function<QImage(int scale)>> pictures[] = {
      {"glossy_title", GlossyTitlePicture},
      {"navy_title", NavyTitlePicture},
      {"hide_folder", HideFolderPicture},
      {"comeback", ComebackPicture},
      {"options", OptionsPicture},
      {"find", FindPicture},
      {"skin", SkinPicture},
      {"help", HelpPicture},
      {"up_folder", UpFolderPicture},
      {"hidden_row", HiddenRowPicture},
      {"application_icon", [](int scale) { return ApplicationIcon(kApplicationIconSide * scale); }},
      {StripName(app::kFileMenuStrip),
       [](int scale) { return MenuStripPicture(app::kFileMenuStrip.width, app::kFileMenuStrip.height, scale); }},
      {StripName(app::kOptionsMenuStrip),
       [](int scale) { return MenuStripPicture(app::kOptionsMenuStrip.width, app::kOptionsMenuStrip.height, scale); }},
  };
  std::vector<DrawnFile> files;
  for (const auto& [name, draw] : pictures) {
    files.push_back({name + kBitmapExtension, app::qt::ToImage(draw(1)).ToBmp()});
    files.push_back({name + app::kDoublePictureSuffix + kBitmapExtension, app::qt::ToImage(draw(2)).ToBmp()});
  }

  std::vector<IconImage> icons;
  for (int side : kIconFileSides) {
    const QImage icon = ApplicationIcon(side);
    icons.push_back({app::qt::ToImage(icon), side == kIconFilePngSide ? PngFile(icon) : std::string()});
  }
  files.push_back({kIconFileName, IconFile(icons)});
  return files;
}

}  // namespace drawing

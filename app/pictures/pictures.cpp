#include "app/pictures/pictures.h"

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace app {

namespace {

struct PictureFile {
  const char* name;  // the bitmap's name without .bmp
  const unsigned char* bytes;
  std::size_t size;
};

// Generated at build time from app/pictures/bitmaps/*.bmp: each bitmap's
// bytes and kPictureFiles, which lists them all.
#include "picture_files.inc"

Image Decoded(const PictureFile& file) {
  const std::string_view bytes(reinterpret_cast<const char*>(file.bytes), file.size);
  return Image::FromBmp(bytes).value_or(Image());
}

// The picture of the bitmap `name`, carrying the double-size bitmap of the
// same name; an empty image when there is none.
const Image& Picture(std::string_view name) {
  static const std::map<std::string, Image, std::less<>> pictures = [] {
    std::map<std::string, Image, std::less<>> decoded;
    for (const PictureFile& file : kPictureFiles) {
      if (!std::string_view(file.name).ends_with(kDoublePictureSuffix)) decoded.emplace(file.name, Decoded(file));
    }
    for (const PictureFile& file : kPictureFiles) {
      std::string_view name = file.name;
      if (!name.ends_with(kDoublePictureSuffix)) continue;
      name.remove_suffix(std::string_view(kDoublePictureSuffix).size());
      const auto single = decoded.find(name);
      if (single != decoded.end()) single->second.SetDouble(Decoded(file));
    }
    return decoded;
  }();
  static const Image none;
  const auto found = pictures.find(name);
  return found != pictures.end() ? found->second : none;
}

}  // namespace

const Image& GlossyTitlePicture() { return Picture("glossy_title"); }
const Image& NavyTitlePicture() { return Picture("navy_title"); }
const Image& HideFolderPicture() { return Picture("hide_folder"); }
const Image& ComebackPicture() { return Picture("comeback"); }
const Image& OptionsPicture() { return Picture("options"); }
const Image& FindPicture() { return Picture("find"); }
const Image& SkinPicture() { return Picture("skin"); }
const Image& HelpPicture() { return Picture("help"); }
const Image& UpFolderPicture() { return Picture("up_folder"); }
const Image& HiddenRowPicture() { return Picture("hidden_row"); }
const Image& ApplicationIcon() { return Picture("application_icon"); }

const Image& MenuStripPicture(int width, int height) {
  return Picture("menu_strip_" + std::to_string(width) + "x" + std::to_string(height));
}

}  // namespace app

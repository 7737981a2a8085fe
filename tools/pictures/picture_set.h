#pragma once

#include <string>
#include <vector>

#include "toolkit/image.h"

namespace drawing {

// One file that the picture tool writes under app/pictures/bitmaps.
struct DrawnFile {
  std::string name;   // "glossy_title.bmp", "quillomar.ico"
  std::string bytes;
};

// The sides of the program's icon in its Windows icon file; the largest,
// which Explorer shows in its large views, is kept as a PNG.
inline constexpr int kIconFileSides[] = {16, 32, 48, 256};
inline constexpr int kIconFilePngSide = 256;
// The Windows icon file's name.
inline constexpr char kIconFileName[] = "quillomar.ico";

// Every file of the drawn pictures, drawn afresh: two bitmaps per picture
// that app/pictures/pictures.h gives (the menu strip at each size it lists),
// "name.bmp" and at twice its pixels "name@2x.bmp", and the program's icon
// file.
std::vector<DrawnFile> DrawAllFiles();

}  // namespace drawing

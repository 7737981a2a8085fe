#pragma once

#include "toolkit/win32/windows_api.h"

#include <map>

#include "toolkit/image.h"
#include "toolkit/win32/scale.h"

namespace app::win32 {

// The 16 x 16 pictures of a list's rows or a tree's nodes in a system image
// list, that size scaled (from a picture's double-size pixels above 1x):
// each picture is added once, the first time it is shown.
class ImageList {
 public:
  explicit ImageList(Scale scale);
  ~ImageList();
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  HIMAGELIST Handle() const { return list_; }
  // The index of the picture, adding it when new; -1 for none.
  int IndexOf(const Image* picture);

 private:
  Scale scale_;
  int side_;
  HIMAGELIST list_;
  std::map<const Image*, int> indices_;
};

}  // namespace app::win32

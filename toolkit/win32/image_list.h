#pragma once

#include "toolkit/win32/windows_api.h"

#include <functional>
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
  // Makes the list again at `scale`, each picture at the index it had, and
  // hands it to `show` (the control that shows it) before the old list is
  // destroyed.
  void Rescale(Scale scale, const std::function<void(HIMAGELIST)>& show);

 private:
  // Adds the picture at the list's scale; its index, or -1.
  int Add(HIMAGELIST list, const Image& picture) const;

  Scale scale_;
  int side_;
  HIMAGELIST list_;
  std::map<const Image*, int> indices_;
};

}  // namespace app::win32

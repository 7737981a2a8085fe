#include "toolkit/win32/image_list.h"

#include "toolkit/win32/gdi.h"

namespace app::win32 {

namespace {
constexpr int kSide = 16;
constexpr int kInitialCount = 8;
constexpr int kGrowBy = 8;
}  // namespace

ImageList::ImageList(Scale scale)
    : scale_(scale), side_(scale.ToScreen(kSide)),
      list_(::ImageList_Create(side_, side_, ILC_COLOR32, kInitialCount, kGrowBy)) {}

ImageList::~ImageList() {
  if (list_ != nullptr) ::ImageList_Destroy(list_);
}

int ImageList::IndexOf(const Image* picture) {
  if (picture == nullptr || picture->IsNull() || list_ == nullptr) return -1;
  const auto found = indices_.find(picture);
  if (found != indices_.end()) return found->second;
  // A 32-bit bitmap with alpha, as the image list draws it.
  const Image& source = scale_.AboveOne() && picture->Double() != nullptr ? *picture->Double() : *picture;
  Image scaled(side_, side_);
  for (int y = 0; y < side_; ++y) {
    for (int x = 0; x < side_; ++x) {
      scaled.SetPixel(x, y, source.Pixel(x * source.Width() / side_, y * source.Height() / side_));
    }
  }
  HBITMAP handle = MakeBitmap(scaled);
  if (handle == nullptr) return -1;
  const int index = ::ImageList_Add(list_, handle, nullptr);
  ::DeleteObject(handle);
  indices_.emplace(picture, index);
  return index;
}

}  // namespace app::win32

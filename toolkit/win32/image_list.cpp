#include "toolkit/win32/image_list.h"

#include "toolkit/win32/gdi.h"

namespace app::win32 {

namespace {
constexpr int kSide = 16;
constexpr int kInitialCount = 8;
constexpr int kGrowBy = 8;
}  // namespace

ImageList::ImageList() : list_(::ImageList_Create(kSide, kSide, ILC_COLOR32, kInitialCount, kGrowBy)) {}

ImageList::~ImageList() {
  if (list_ != nullptr) ::ImageList_Destroy(list_);
}

int ImageList::IndexOf(const Image* picture) {
  if (picture == nullptr || picture->IsNull() || list_ == nullptr) return -1;
  const auto found = indices_.find(picture);
  if (found != indices_.end()) return found->second;
  // A 32-bit bitmap with alpha, as the image list draws it.
  Image scaled(kSide, kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      scaled.SetPixel(x, y, picture->Pixel(x * picture->Width() / kSide, y * picture->Height() / kSide));
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

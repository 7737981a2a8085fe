#include "toolkit/win32/image_list.h"

#include <vector>

#include "toolkit/win32/gdi.h"

namespace app::win32 {

namespace {
constexpr int kSide = 16;
constexpr int kInitialCount = 8;
constexpr int kGrowBy = 8;

HIMAGELIST MakeList(int side) { return ::ImageList_Create(side, side, ILC_COLOR32, kInitialCount, kGrowBy); }
}  // namespace

ImageList::ImageList(Scale scale) : scale_(scale), side_(scale.ToScreen(kSide)), list_(MakeList(side_)) {}

ImageList::~ImageList() {
  if (list_ != nullptr) ::ImageList_Destroy(list_);
}

int ImageList::IndexOf(const Image* picture) {
  if (picture == nullptr || picture->IsNull() || list_ == nullptr) return -1;
  const auto found = indices_.find(picture);
  if (found != indices_.end()) return found->second;
  const int index = Add(list_, *picture);
  if (index >= 0) indices_.emplace(picture, index);
  return index;
}

void ImageList::Rescale(Scale scale, const std::function<void(HIMAGELIST)>& show) {
  scale_ = scale;
  side_ = scale.ToScreen(kSide);
  HIMAGELIST old = list_;
  list_ = MakeList(side_);
  std::vector<const Image*> by_index(indices_.size(), nullptr);
  for (const auto& [picture, index] : indices_) {
    if (index >= 0 && static_cast<std::size_t>(index) < by_index.size()) by_index[static_cast<std::size_t>(index)] = picture;
  }
  for (const Image* picture : by_index) {
    if (list_ != nullptr && picture != nullptr) Add(list_, *picture);
  }
  show(list_);
  if (old != nullptr) ::ImageList_Destroy(old);
}

int ImageList::Add(HIMAGELIST list, const Image& picture) const {
  // A 32-bit bitmap with alpha, as the image list draws it.
  const Image& source = scale_.AboveOne() && picture.Double() != nullptr ? *picture.Double() : picture;
  Image scaled(side_, side_);
  for (int y = 0; y < side_; ++y) {
    for (int x = 0; x < side_; ++x) {
      scaled.SetPixel(x, y, source.Pixel(x * source.Width() / side_, y * source.Height() / side_));
    }
  }
  HBITMAP handle = MakeBitmap(scaled);
  if (handle == nullptr) return -1;
  const int index = ::ImageList_Add(list, handle, nullptr);
  ::DeleteObject(handle);
  return index;
}

}  // namespace app::win32

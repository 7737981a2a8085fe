#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/colors.h"
#include "toolkit/geometry.h"

namespace app {

// A picture in memory, the same on both front ends: width x height pixels,
// row by row from the top, each 0xAARRGGBB with straight (not premultiplied)
// alpha. The program's pictures are drawn once into images; each front end
// shows them as they are. An image may carry the same picture drawn at twice
// its pixels, which a front end shows in its place on a screen of more than
// one device pixel to a layout pixel; copies share it.
class Image {
 public:
  Image() = default;
  // A fully transparent image of the given size (empty for a size <= 0).
  Image(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Size GetSize() const { return {width_, height_}; }
  bool IsNull() const { return width_ <= 0 || height_ <= 0; }

  // The pixel at (x, y); 0 (transparent) outside the image.
  std::uint32_t Pixel(int x, int y) const;
  void SetPixel(int x, int y, std::uint32_t argb);
  // The colour of a pixel without its alpha, as 0x00BBGGRR.
  BgrColor ColorAt(int x, int y) const;
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  std::vector<std::uint32_t>& Pixels() { return pixels_; }

  // The image as a 32-bit bitmap file with alpha (BITMAPV4HEADER, top-down
  // rows), which both front ends and every image viewer read.
  std::string ToBmp() const;
  // Reads a 32-bit bitmap file as ToBmp() writes it (or a bottom-up one);
  // nullopt for anything else. Neither carries the double-size picture.
  static std::optional<Image> FromBmp(std::string_view bytes);

  // The same picture drawn at exactly twice the width and height, or nullptr
  // when the image carries none.
  const Image* Double() const { return double_.get(); }
  // Makes `twice` the double-size picture of this image. Refused (false, the
  // image unchanged) unless it is exactly twice this image's width and height
  // and carries no double of its own.
  bool SetDouble(Image twice);

  // Equal when the pixels are, and the double-size pictures are too (or
  // neither image carries one).
  friend bool operator==(const Image& a, const Image& b);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  std::shared_ptr<const Image> double_;
};

}  // namespace app

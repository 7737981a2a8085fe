#pragma once

#include <cstdint>
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
// shows them as they are.
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
  // nullopt for anything else.
  static std::optional<Image> FromBmp(std::string_view bytes);

  friend bool operator==(const Image&, const Image&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace app

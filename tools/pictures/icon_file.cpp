#include "tools/pictures/icon_file.h"

#include <cstddef>
#include <cstdint>

namespace drawing {

namespace {

constexpr std::uint16_t kIconType = 1;
constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::uint16_t kBitsPerPixel = 32;
constexpr int kLargestSide = 256;  // written as 0 in the directory

void PutU8(std::string& out, std::uint8_t v) { out += static_cast<char>(v); }

void PutU16(std::string& out, std::uint16_t v) {
  PutU8(out, static_cast<std::uint8_t>(v & 0xFF));
  PutU8(out, static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) PutU8(out, static_cast<std::uint8_t>((v >> shift) & 0xFF));
}

bool Fits(const app::Image& image) {
  return !image.IsNull() && image.Width() <= kLargestSide && image.Height() <= kLargestSide;
}

// One image as an icon holds it as a bitmap: the bitmap header with twice the height
// (colours and mask), the colour rows from the bottom up, then the mask rows
// from the bottom up, each padded to four bytes.
std::string BitmapBody(const app::Image& image) {
  const int w = image.Width();
  const int h = image.Height();
  const std::size_t mask_row = static_cast<std::size_t>((w + 31) / 32) * 4;
  const std::size_t data_size = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4 +
                                mask_row * static_cast<std::size_t>(h);
  std::string out;
  PutU32(out, kInfoHeaderSize);
  PutU32(out, static_cast<std::uint32_t>(w));
  PutU32(out, static_cast<std::uint32_t>(2 * h));
  PutU16(out, 1);
  PutU16(out, kBitsPerPixel);
  PutU32(out, 0);  // BI_RGB
  PutU32(out, static_cast<std::uint32_t>(data_size));
  for (int i = 0; i < 4; ++i) PutU32(out, 0);  // resolution and palette
  for (int y = h - 1; y >= 0; --y) {
    for (int x = 0; x < w; ++x) PutU32(out, image.Pixel(x, y));
  }
  for (int y = h - 1; y >= 0; --y) {
    std::string row(mask_row, '\0');
    for (int x = 0; x < w; ++x) {
      if ((image.Pixel(x, y) >> 24) == 0) row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
    }
    out += row;
  }
  return out;
}

}  // namespace

std::string IconFile(const std::vector<IconImage>& images) {
  std::vector<std::string> bodies;
  std::vector<const app::Image*> kept;
  for (const IconImage& entry : images) {
    if (!Fits(entry.image)) continue;
    kept.push_back(&entry.image);
    bodies.push_back(entry.png.empty() ? BitmapBody(entry.image) : entry.png);
  }
  std::string out;
  PutU16(out, 0);
  PutU16(out, kIconType);
  PutU16(out, static_cast<std::uint16_t>(kept.size()));
  std::size_t offset = kDirectorySize + kEntrySize * kept.size();
  for (std::size_t i = 0; i < kept.size(); ++i) {
    PutU8(out, static_cast<std::uint8_t>(kept[i]->Width() % kLargestSide));
    PutU8(out, static_cast<std::uint8_t>(kept[i]->Height() % kLargestSide));
    PutU8(out, 0);  // no palette
    PutU8(out, 0);
    PutU16(out, 1);  // planes
    PutU16(out, kBitsPerPixel);
    PutU32(out, static_cast<std::uint32_t>(bodies[i].size()));
    PutU32(out, static_cast<std::uint32_t>(offset));
    offset += bodies[i].size();
  }
  for (const std::string& body : bodies) out += body;
  return out;
}

}  // namespace drawing

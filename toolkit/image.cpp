#include "toolkit/image.h"

#include <cstddef>
#include <utility>

namespace app {

namespace {

// The parts of a 32-bit bitmap file with an alpha channel.
constexpr char kMagic[] = "BM";
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;      // BITMAPINFOHEADER
constexpr std::uint32_t kV4HeaderSize = 108;       // BITMAPV4HEADER
constexpr std::uint32_t kV5HeaderSize = 124;       // BITMAPV5HEADER
constexpr std::uint16_t kBitsPerPixel = 32;
constexpr std::uint32_t kNoCompression = 0;        // BI_RGB
constexpr std::uint32_t kBitFields = 3;            // BI_BITFIELDS
constexpr std::uint32_t kRedMask = 0x00FF0000;
constexpr std::uint32_t kGreenMask = 0x0000FF00;
constexpr std::uint32_t kBlueMask = 0x000000FF;
constexpr std::uint32_t kAlphaMask = 0xFF000000;
constexpr std::uint32_t kSrgbColorSpace = 0x73524742;  // 'sRGB'
constexpr std::int32_t kPixelsPerMetre = 3780;         // 96 dpi
constexpr std::size_t kV4Rest = 36 + 12;               // colour endpoints and gammas, all zero
constexpr int kMaxSide = 1 << 14;

void PutU16(std::string& out, std::uint16_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

void PutU32(std::string& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((v >> shift) & 0xFF);
}

// Little-endian reads that never look past the end (they give 0 there).
std::uint32_t U32At(std::string_view bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

std::uint16_t U16At(std::string_view bytes, std::size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

}  // namespace

Image::Image(int width, int height) {
  if (width <= 0 || height <= 0) return;
  width_ = width;
  height_ = height;
  pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

std::uint32_t Image::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)];
}

void Image::SetPixel(int x, int y, std::uint32_t argb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = argb;
}

BgrColor Image::ColorAt(int x, int y) const {
  const std::uint32_t argb = Pixel(x, y);
  return FromRgb(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
                 static_cast<int>(argb & 0xFF));
}

bool Image::SetDouble(Image twice) {
  if (IsNull() || twice.double_ || twice.width_ != 2 * width_ || twice.height_ != 2 * height_) return false;
  double_ = std::make_shared<const Image>(std::move(twice));
  return true;
}

bool operator==(const Image& a, const Image& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_ || a.pixels_ != b.pixels_) return false;
  if (!a.double_ || !b.double_) return !a.double_ && !b.double_;
  return *a.double_ == *b.double_;
}

std::string Image::ToBmp() const {
  const std::uint32_t data_size = static_cast<std::uint32_t>(pixels_.size() * 4);
  const std::uint32_t offset = kFileHeaderSize + kV4HeaderSize;
  std::string out;
  out.reserve(offset + data_size);
  out += kMagic;
  PutU32(out, offset + data_size);
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, kV4HeaderSize);
  PutU32(out, static_cast<std::uint32_t>(width_));
  PutU32(out, static_cast<std::uint32_t>(-height_));  // negative: rows from the top
  PutU16(out, 1);
  PutU16(out, kBitsPerPixel);
  PutU32(out, kBitFields);
  PutU32(out, data_size);
  PutU32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
  PutU32(out, static_cast<std::uint32_t>(kPixelsPerMetre));
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, kRedMask);
  PutU32(out, kGreenMask);
  PutU32(out, kBlueMask);
  PutU32(out, kAlphaMask);
  PutU32(out, kSrgbColorSpace);
  out.append(kV4Rest, '\0');
  for (std::uint32_t argb : pixels_) PutU32(out, argb);
  return out;
}

std::optional<Image> Image::FromBmp(std::string_view bytes) {
  if (bytes.size() < kFileHeaderSize + kInfoHeaderSize || bytes.substr(0, 2) != kMagic) return std::nullopt;
  const std::uint32_t offset = U32At(bytes, 10);
  const std::uint32_t header = U32At(bytes, kFileHeaderSize);
  if (header != kInfoHeaderSize && header != kV4HeaderSize && header != kV5HeaderSize) return std::nullopt;
  const auto width = static_cast<std::int32_t>(U32At(bytes, 18));
  const auto signed_height = static_cast<std::int32_t>(U32At(bytes, 22));
  const std::uint16_t bits = U16At(bytes, 28);
  const std::uint32_t compression = U32At(bytes, 30);
  const bool top_down = signed_height < 0;
  const std::int32_t height = top_down ? -signed_height : signed_height;
  if (bits != kBitsPerPixel || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    return std::nullopt;
  }
  bool has_alpha = false;
  if (compression == kBitFields) {
    const std::size_t masks = kFileHeaderSize + kInfoHeaderSize;
    if (U32At(bytes, masks) != kRedMask || U32At(bytes, masks + 4) != kGreenMask ||
        U32At(bytes, masks + 8) != kBlueMask) {
      return std::nullopt;
    }
    has_alpha = header > kInfoHeaderSize && U32At(bytes, masks + 12) == kAlphaMask;
  } else if (compression != kNoCompression) {
    return std::nullopt;
  }
  const std::size_t row_bytes = static_cast<std::size_t>(width) * 4;
  if (offset > bytes.size() || bytes.size() - offset < row_bytes * static_cast<std::size_t>(height)) {
    return std::nullopt;
  }
  Image image(width, height);
  for (int y = 0; y < height; ++y) {
    const int source_row = top_down ? y : height - 1 - y;
    const std::size_t row = offset + static_cast<std::size_t>(source_row) * row_bytes;
    for (int x = 0; x < width; ++x) {
      std::uint32_t argb = U32At(bytes, row + static_cast<std::size_t>(x) * 4);
      if (!has_alpha) argb |= kAlphaMask;
      image.SetPixel(x, y, argb);
    }
  }
  return image;
}

}  // namespace app

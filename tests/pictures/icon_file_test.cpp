// The Windows program's icon file, read as Windows reads it: a directory of
// 32-bit images, each a bitmap of twice its height (colours, then a one-bit
// mask), rows from the bottom up; the 256-pixel one a PNG file.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/pictures/pictures.h"
#include "tests/pictures/picture_files.h"

namespace {

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
  if (at + 2 > bytes.size()) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) | (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

std::uint32_t BigEndianU32(const std::string& bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
  return v;
}

TEST(IconFileTest, HoldsTheIconAt16And32And48PixelsWithAlphaAndAMatchingMask) {
  const std::string ico = picture_files::Read("quillomar.ico");
  ASSERT_GE(ico.size(), 6u);
  EXPECT_EQ(U16(ico, 0), 0);
  EXPECT_EQ(U16(ico, 2), 1) << "an icon, not a cursor";
  ASSERT_EQ(U16(ico, 4), 4);
  const int sides[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    const int side = sides[i];
    SCOPED_TRACE(side);
    const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
    EXPECT_EQ(static_cast<unsigned char>(ico[entry]), side);
    EXPECT_EQ(static_cast<unsigned char>(ico[entry + 1]), side);
    EXPECT_EQ(U16(ico, entry + 6), 32);
    const std::uint32_t size = U32(ico, entry + 8);
    const std::uint32_t offset = U32(ico, entry + 12);
    ASSERT_LE(static_cast<std::size_t>(offset) + size, ico.size());
    // The bitmap header: 40 bytes, the side, twice the side, 32 bits, no compression.
    EXPECT_EQ(U32(ico, offset), 40u);
    EXPECT_EQ(U32(ico, offset + 4), static_cast<std::uint32_t>(side));
    EXPECT_EQ(U32(ico, offset + 8), static_cast<std::uint32_t>(2 * side));
    EXPECT_EQ(U16(ico, offset + 14), 32);
    EXPECT_EQ(U32(ico, offset + 16), 0u);
    const std::size_t colours = offset + 40;
    const std::size_t mask_row = static_cast<std::size_t>((side + 31) / 32) * 4;
    ASSERT_EQ(size, 40 + static_cast<std::size_t>(side * side * 4) + mask_row * static_cast<std::size_t>(side));

    int opaque = 0;
    std::uint32_t pupil = 0;
    for (int y = 0; y < side; ++y) {
      for (int x = 0; x < side; ++x) {
        const std::size_t row = static_cast<std::size_t>(side - 1 - y);
        const std::uint32_t argb = U32(ico, colours + (row * static_cast<std::size_t>(side) + static_cast<std::size_t>(x)) * 4);
        const auto mask_byte = static_cast<unsigned char>(
            ico[colours + static_cast<std::size_t>(side * side * 4) + row * mask_row + static_cast<std::size_t>(x / 8)]);
        const bool masked = (mask_byte & (0x80 >> (x % 8))) != 0;
        EXPECT_EQ(masked, (argb >> 24) == 0) << x << "," << y;
        if ((argb >> 24) == 0xFF) ++opaque;
        if (x == side / 2 && y == side * 29 / 48) pupil = argb;
        // The largest is the program's own 48 x 48 icon, pixel for pixel.
        if (side == 48) {
          EXPECT_EQ(argb, app::ApplicationIcon().Pixel(x, y)) << x << "," << y;
        }
      }
    }
    EXPECT_GT(opaque, side * side / 3) << "the folder fills most of the square";
    EXPECT_LT(opaque, side * side);
    // Every size is the whole design to scale: the eye's pupil in the middle.
    EXPECT_LT(((pupil >> 16) & 0xFF) + ((pupil >> 8) & 0xFF), 200u) << std::hex << pupil;
  }
}

// The image for Explorer's large views: 256 pixels (0 in the directory), 32
// bits, kept as a PNG of 8-bit RGBA, last in the file.
TEST(IconFileTest, HoldsA256PixelPngImage) {
  const std::string ico = picture_files::Read("quillomar.ico");
  ASSERT_EQ(U16(ico, 4), 4);
  const std::size_t entry = 6 + 16 * 3;
  EXPECT_EQ(ico[entry], 0);
  EXPECT_EQ(ico[entry + 1], 0);
  EXPECT_EQ(U16(ico, entry + 6), 32);
  const std::size_t size = U32(ico, entry + 8);
  const std::size_t offset = U32(ico, entry + 12);
  ASSERT_EQ(offset + size, ico.size());
  const std::string png = ico.substr(offset, size);
  ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  ASSERT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndianU32(png, 16), 256u);
  EXPECT_EQ(BigEndianU32(png, 20), 256u);
  EXPECT_EQ(png[24], 8) << "bits per channel";
  EXPECT_EQ(png[25], 6) << "colour type RGBA";
  EXPECT_EQ(png.substr(png.size() - 8, 4), "IEND");
}

}  // namespace

// The committed bitmaps never drift from their drawing: the picture tool's
// drawing is run again and every file it writes must be there, of the same
// length, with nothing else beside them. Each byte may differ by a little:
// the raster engine blends through different vector paths on different
// processors, and a shade one step off is not a changed drawing. The icon
// file's PNG image is compared by its pixels, since one shade changes its
// compressed bytes throughout.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "tests/pictures/picture_files.h"
#include "tools/pictures/picture_set.h"

namespace {

constexpr char kHowToDrawAnew[] =
    "the drawing in tools/pictures and the bitmaps in app/pictures/bitmaps differ: run "
    "scripts/draw_pictures.sh and commit the bitmaps";

// How far one byte of a committed file may be from the drawing's.
constexpr int kBlendingTolerance = 2;

// The largest difference between two bytes at one place, or -1 when the
// files' lengths differ.
int LargestByteDifference(const std::string& committed, const std::string& drawn) {
  if (committed.size() != drawn.size()) return -1;
  int largest = 0;
  for (std::size_t at = 0; at < drawn.size(); ++at) {
    const int difference = std::abs(static_cast<unsigned char>(committed[at]) -
                                    static_cast<unsigned char>(drawn[at]));
    largest = std::max(largest, difference);
  }
  return largest;
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  if (at + 4 > bytes.size()) return 0;
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return v;
}

// An icon file as its pixels decide it: the directory without the places
// and lengths of PNG images, each bitmap image as it is, each PNG image as
// its decoded 32-bit pixels.
std::string ComparableIcon(const std::string& ico) {
  static const std::string kPngSignature = "\x89PNG\r\n\x1a\n";
  if (ico.size() < 6) return ico;
  const std::size_t count = static_cast<unsigned char>(ico[4]) | (static_cast<unsigned char>(ico[5]) << 8);
  std::string directory = ico.substr(0, 6 + 16 * count);
  std::string bodies;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    const std::string body = ico.substr(std::min<std::size_t>(U32(ico, entry + 12), ico.size()), U32(ico, entry + 8));
    if (body.compare(0, kPngSignature.size(), kPngSignature) != 0) {
      bodies += body;
      continue;
    }
    directory.replace(entry + 8, 8, 8, '\0');
    const QImage image = QImage::fromData(QByteArray(body.data(), static_cast<qsizetype>(body.size())), "PNG")
                             .convertToFormat(QImage::Format_ARGB32);
    bodies.append(reinterpret_cast<const char*>(image.constBits()), static_cast<std::size_t>(image.sizeInBytes()));
  }
  return directory + bodies;
}

TEST(PictureDrawingTest, EveryCommittedBitmapIsWhatTheDrawingGivesAndNothingElseIsThere) {
  std::set<std::string> drawn;
  for (const drawing::DrawnFile& file : drawing::DrawAllFiles()) {
    SCOPED_TRACE(file.name);
    drawn.insert(file.name);
    std::string committed = picture_files::Read(file.name);
    std::string drawn_bytes = file.bytes;
    if (file.name == drawing::kIconFileName) {
      committed = ComparableIcon(committed);
      drawn_bytes = ComparableIcon(drawn_bytes);
    }
    const int difference = LargestByteDifference(committed, drawn_bytes);
    EXPECT_GE(difference, 0) << kHowToDrawAnew;
    EXPECT_LE(difference, kBlendingTolerance) << kHowToDrawAnew;
  }
  std::set<std::string> committed;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLOMAR_PICTURE_BITMAPS)) {
    committed.insert(entry.path().filename().string());
  }
  EXPECT_EQ(committed, drawn) << kHowToDrawAnew;
}

}  // namespace

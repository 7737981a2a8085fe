// The committed bitmaps never drift from their drawing: the picture tool's
// drawing is run again and every file it writes must be there, of the same
// length, with nothing else beside them. Each byte may differ by a little:
// the raster engine blends through different vector paths on different
// processors, and a shade one step off is not a changed drawing.

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(PictureDrawingTest, EveryCommittedBitmapIsWhatTheDrawingGivesAndNothingElseIsThere) {
  std::set<std::string> drawn;
  for (const drawing::DrawnFile& file : drawing::DrawAllFiles()) {
    SCOPED_TRACE(file.name);
    drawn.insert(file.name);
    const int difference = LargestByteDifference(picture_files::Read(file.name), file.bytes);
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

// The committed bitmaps never drift from their drawing: the picture tool's
// drawing is run again and every file it writes must be there, byte for byte,
// with nothing else beside them.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/pictures/picture_files.h"
#include "tools/pictures/picture_set.h"

namespace {

constexpr char kHowToDrawAnew[] =
    "the drawing in tools/pictures and the bitmaps in app/pictures/bitmaps differ: run "
    "scripts/draw_pictures.sh and commit the bitmaps";

TEST(PictureDrawingTest, EveryCommittedBitmapIsWhatTheDrawingGivesAndNothingElseIsThere) {
  std::set<std::string> drawn;
  for (const drawing::DrawnFile& file : drawing::DrawAllFiles()) {
    SCOPED_TRACE(file.name);
    drawn.insert(file.name);
    EXPECT_TRUE(picture_files::Read(file.name) == file.bytes) << kHowToDrawAnew;
  }
  std::set<std::string> committed;
  for (const auto& entry : std::filesystem::directory_iterator(QUILLOMAR_PICTURE_BITMAPS)) {
    committed.insert(entry.path().filename().string());
  }
  EXPECT_EQ(committed, drawn) << kHowToDrawAnew;
}

}  // namespace

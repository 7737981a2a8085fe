// The pictures as the program carries them on both front ends: each the
// committed bitmap, at its size, with the content its description gives.
// Runs on Linux and, in the Windows build, under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/pictures/pictures.h"
#include "tests/pictures/picture_files.h"

namespace {

using app::Image;

struct Picture {
  const char* name;  // its bitmap, without .bmp
  std::function<const Image&()> get;
  app::Size size;
};

const std::vector<Picture>& AllPictures() {
  static const std::vector<Picture> pictures = {
      {"glossy_title", app::GlossyTitlePicture, {553, 27}},
      {"navy_title", app::NavyTitlePicture, {527, 26}},
      {"hide_folder", app::HideFolderPicture, {32, 32}},
      {"comeback", app::ComebackPicture, {32, 32}},
      {"options", app::OptionsPicture, {32, 32}},
      {"find", app::FindPicture, {32, 32}},
      {"skin", app::SkinPicture, {32, 32}},
      {"help", app::HelpPicture, {32, 32}},
      {"up_folder", app::UpFolderPicture, {25, 16}},
      {"hidden_row", app::HiddenRowPicture, {16, 16}},
      {"application_icon", app::ApplicationIcon, {48, 48}},
      {"menu_strip_25x132", []() -> const Image& { return app::MenuStripPicture(25, 132); }, {25, 132}},
      {"menu_strip_23x91", []() -> const Image& { return app::MenuStripPicture(23, 91); }, {23, 91}},
  };
  return pictures;
}

int Alpha(std::uint32_t argb) { return static_cast<int>(argb >> 24); }
int Red(std::uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }
int Green(std::uint32_t argb) { return static_cast<int>((argb >> 8) & 0xFF); }
int Blue(std::uint32_t argb) { return static_cast<int>(argb & 0xFF); }

// How far a colour is from grey: the spread between its strongest and
// weakest channel.
int Colourfulness(std::uint32_t argb) {
  return std::max({Red(argb), Green(argb), Blue(argb)}) - std::min({Red(argb), Green(argb), Blue(argb)});
}

int OpaquePixels(const Image& image) {
  return static_cast<int>(std::count_if(image.Pixels().begin(), image.Pixels().end(),
                                        [](std::uint32_t argb) { return Alpha(argb) > 200; }));
}

TEST(PicturesTest, EveryPictureIsItsCommittedBitmapAtItsSize) {
  std::vector<const Image*> toolbar;
  for (const Picture& picture : AllPictures()) {
    SCOPED_TRACE(picture.name);
    const Image& image = picture.get();
    EXPECT_EQ(image.GetSize(), picture.size);
    EXPECT_EQ(&picture.get(), &image) << "decoded once";
    const std::optional<Image> committed = Image::FromBmp(picture_files::Read(std::string(picture.name) + ".bmp"));
    ASSERT_TRUE(committed.has_value());
    EXPECT_TRUE(committed->Pixels() == image.Pixels());
    if (picture.size == app::Size{32, 32}) toolbar.push_back(&image);
  }
  for (std::size_t i = 0; i < toolbar.size(); ++i) {
    for (std::size_t j = i + 1; j < toolbar.size(); ++j) EXPECT_FALSE(*toolbar[i] == *toolbar[j]) << i << "," << j;
  }
  EXPECT_EQ(app::MenuStripPicture(app::kFileMenuStrip.width, app::kFileMenuStrip.height).GetSize(),
            app::kFileMenuStrip);
  EXPECT_EQ(app::MenuStripPicture(app::kOptionsMenuStrip.width, app::kOptionsMenuStrip.height).GetSize(),
            app::kOptionsMenuStrip);
  // Only the sizes drawn: no strip is made up at run time.
  for (app::Size other : {app::Size{25, 134}, app::Size{23, 132}, app::Size{0, 132}, app::Size{25, -1}}) {
    EXPECT_TRUE(app::MenuStripPicture(other.width, other.height).IsNull()) << other.width << "x" << other.height;
  }
}

// Each picture carries its committed double-size bitmap: the same design at
// exactly twice the pixels, so drawn afresh rather than enlarged (an
// enlarged picture's pixels come in identical two-by-two blocks).
TEST(PicturesTest, EveryPictureCarriesItsDrawingAtTwiceItsSize) {
  for (const Picture& picture : AllPictures()) {
    SCOPED_TRACE(picture.name);
    const Image* twice = picture.get().Double();
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice->GetSize(), (app::Size{2 * picture.size.width, 2 * picture.size.height}));
    const std::optional<Image> committed =
        Image::FromBmp(picture_files::Read(std::string(picture.name) + app::kDoublePictureSuffix + ".bmp"));
    ASSERT_TRUE(committed.has_value());
    EXPECT_TRUE(*committed == *twice);
    // The navy title, rows of flat colour, is its own enlargement; every
    // other picture has a shade or an edge that falls within some block.
    if (picture.name == std::string("navy_title")) continue;
    int unlike_blocks = 0;
    for (int y = 0; y < picture.size.height; ++y) {
      for (int x = 0; x < picture.size.width; ++x) {
        const std::uint32_t p = twice->Pixel(2 * x, 2 * y);
        if (twice->Pixel(2 * x + 1, 2 * y) != p || twice->Pixel(2 * x, 2 * y + 1) != p ||
            twice->Pixel(2 * x + 1, 2 * y + 1) != p) {
          ++unlike_blocks;
        }
      }
    }
    EXPECT_GT(unlike_blocks, 0) << "enlarged, not drawn";
  }
}

TEST(ImageTest, TakesADoubleOnlyAtExactlyTwiceItsSizeAndComparesIt) {
  for (const app::Size size : {app::Size{4, 6}, app::Size{4, 5}, app::Size{2, 3}}) {
    Image single(2, 3);
    EXPECT_EQ(single.SetDouble(Image(size.width, size.height)), size.width == 4 && size.height == 6);
  }
  Image doubled(2, 3);
  ASSERT_TRUE(doubled.SetDouble(Image(4, 6)));
  EXPECT_FALSE(doubled == Image(2, 3)) << "the double counts";
  EXPECT_TRUE(Image(doubled) == doubled);
}

TEST(PicturesTest, IconsAreShapesOnATransparentGround) {
  for (const Picture& picture : AllPictures()) {
    // The square pictures stand free; the up button's folder runs to its edges.
    if (picture.size.width != picture.size.height) continue;
    SCOPED_TRACE(picture.name);
    const Image& image = picture.get();
    const int w = image.Width(), h = image.Height();
    for (app::Point corner : {app::Point{0, 0}, app::Point{w - 1, 0}, app::Point{0, h - 1}, app::Point{w - 1, h - 1}}) {
      EXPECT_EQ(Alpha(image.Pixel(corner.x, corner.y)), 0) << corner.x << "," << corner.y;
    }
    const int opaque = OpaquePixels(image);
    EXPECT_GT(opaque, w * h / 5) << "draws too little";
    EXPECT_LT(opaque, w * h * 9 / 10) << "fills its whole square";
  }
}

TEST(PicturesTest, GlossyTitleIsDarkAtBothEdgesAndBrightBlueInTheMiddle) {
  const Image& image = app::GlossyTitlePicture();
  for (int x : {0, 276, 552}) {
    for (int y : {0, 26}) {
      const std::uint32_t edge = image.Pixel(x, y);
      EXPECT_LT(std::max({Red(edge), Green(edge), Blue(edge)}), 90) << x << "," << y;
    }
    const std::uint32_t middle = image.Pixel(x, 13);
    EXPECT_GE(Blue(middle), 240);
    EXPECT_GE(Red(middle), 170);
    EXPECT_GE(Green(middle), 180);
    EXPECT_EQ(Alpha(middle), 255);
  }
  // Bright in the middle, darker towards each edge, row after row.
  auto brightness = [&](int y) {
    const std::uint32_t p = image.Pixel(100, y);
    return Red(p) + Green(p) + Blue(p);
  };
  for (int y = 0; y < 10; ++y) EXPECT_LE(brightness(y), brightness(y + 1) + 6) << y;
  for (int y = 16; y < 26; ++y) EXPECT_GE(brightness(y), brightness(y + 1)) << y;
}

TEST(PicturesTest, NavyTitleIsFlatNavyBetweenALighterTopAndADarkerBottom) {
  const Image& image = app::NavyTitlePicture();
  EXPECT_EQ(image.Pixel(263, 13), 0xFF0000A0u);
  int lightest = 0, darkest = 255;
  for (int y = 0; y < image.Height(); ++y) {
    const std::uint32_t p = image.Pixel(200, y);
    ASSERT_EQ(p & 0xFFFFFF00u, 0xFF000000u) << y;
    EXPECT_EQ(image.Pixel(0, y), p) << "rows are uniform";
    lightest = std::max(lightest, Blue(p));
    darkest = std::min(darkest, Blue(p));
  }
  EXPECT_EQ(Blue(image.Pixel(5, 0)), 191);
  EXPECT_EQ(Blue(image.Pixel(5, 25)), 80);
  EXPECT_EQ(lightest, 191);
  EXPECT_EQ(darkest, 80);
}

TEST(PicturesTest, HideAndComebackShowTheSameBoxWithGreyOrColouredContents) {
  const Image& hide = app::HideFolderPicture();
  const Image& comeback = app::ComebackPicture();
  int differing = 0, colourful_in_comeback = 0;
  // Above the box's rim the contents stand on their own, so every pixel in
  // which the two pictures differ belongs to them.
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t h = hide.Pixel(x, y), c = comeback.Pixel(x, y);
      if (h == c) continue;
      ++differing;
      EXPECT_LE(Colourfulness(h), 12) << "greyed contents at " << x << "," << y;
      if (Colourfulness(c) > 80) ++colourful_in_comeback;
    }
  }
  EXPECT_GT(differing, 100);
  EXPECT_GT(colourful_in_comeback, 60);
  // The box's front, below its rim, is the same in both.
  for (int y = 18; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) EXPECT_EQ(hide.Pixel(x, y), comeback.Pixel(x, y)) << x << "," << y;
  }
}

TEST(PicturesTest, RowPictureIsARedBarSlantingUpToTheRight) {
  const Image& image = app::HiddenRowPicture();
  const std::uint32_t centre = image.Pixel(8, 8);
  EXPECT_EQ(Alpha(centre), 255);
  EXPECT_GT(Red(centre), Green(centre) + 100);
  EXPECT_GT(Red(centre), Blue(centre) + 100);
  EXPECT_GT(Alpha(image.Pixel(11, 3)), 200);
  EXPECT_GT(Alpha(image.Pixel(4, 12)), 200);
  EXPECT_EQ(Alpha(image.Pixel(3, 3)), 0);
  EXPECT_EQ(Alpha(image.Pixel(12, 12)), 0);
}

TEST(PicturesTest, MenuStripsAreBeigeOpaqueAndLighterTowardsTheirLeftEdge) {
  for (app::Size size : {app::kFileMenuStrip, app::kOptionsMenuStrip}) {
    SCOPED_TRACE(size.width);
    const Image& image = app::MenuStripPicture(size.width, size.height);
    EXPECT_EQ(image.Pixel(size.width / 2, size.height / 2), 0xFFD0CFC0u);  // RGB(208, 207, 192)
    for (int x = 0; x < size.width; ++x) {
      const std::uint32_t p = image.Pixel(x, size.height - 1);
      EXPECT_EQ(Alpha(p), 255);
      EXPECT_NEAR(Red(p), 208, 20) << x;
      EXPECT_NEAR(Blue(p), 192, 20) << x;
      EXPECT_EQ(image.Pixel(x, 0), p) << "columns are uniform";
    }
    EXPECT_GT(Red(image.Pixel(0, 0)), Red(image.Pixel(size.width / 2, 0)));
  }
}

}  // namespace

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <cstdint>

#include <gtest/gtest.h>

#include "app/pictures/pictures.h"

namespace {

struct Picture {
  std::string name;
  std::function<app::Image()> draw;
  app::Size size;
};

using Argb = std::uint32_t;
constexpr int qAlpha(Argb p) { return static_cast<int>(p >> 24); }
constexpr int qRed(Argb p) { return static_cast<int>((p >> 16) & 0xFF); }
constexpr int qGreen(Argb p) { return static_cast<int>((p >> 8) & 0xFF); }
constexpr int qBlue(Argb p) { return static_cast<int>(p & 0xFF); }
constexpr Argb qRgb(int r, int g, int b) {
  return 0xFF000000u | (static_cast<Argb>(r) << 16) | (static_cast<Argb>(g) << 8) | static_cast<Argb>(b);
}

const std::vector<Picture>& AllPictures() {
  static const std::vector<Picture> pictures = {
      {"glossy title", app::GlossyTitlePicture, {553, 27}},
      {"navy title", app::NavyTitlePicture, {527, 26}},
      {"hide folder", app::HideFolderPicture, {32, 32}},
      {"comeback", app::ComebackPicture, {32, 32}},
      {"options", app::OptionsPicture, {32, 32}},
      {"find", app::FindPicture, {32, 32}},
      {"skin", app::SkinPicture, {32, 32}},
      {"help", app::HelpPicture, {32, 32}},
      {"up folder", app::UpFolderPicture, {25, 16}},
      {"hidden row", app::HiddenRowPicture, {16, 16}},
      {"application icon", app::ApplicationIcon, {48, 48}},
  };
  return pictures;
}

const app::Image& Image(const app::Image& image) { return image; }

// How far a colour is from grey: the spread between its strongest and
// weakest channel.
int Colourfulness(Argb pixel) {
  const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
  return std::max({r, g, b}) - std::min({r, g, b});
}

int OpaquePixels(const app::Image& image) {
  int count = 0;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) count += qAlpha(image.Pixel(x, y)) > 200 ? 1 : 0;
  }
  return count;
}

TEST(PicturesTest, EveryPictureHasItsSizeAndTheIconsAreDistinct) {
  std::vector<app::Image> icons;
  for (const Picture& picture : AllPictures()) {
    const app::Image pixmap = picture.draw();
    EXPECT_EQ(pixmap.GetSize(), picture.size) << picture.name;
    if (picture.size == app::Size{32, 32}) icons.push_back(Image(pixmap));
  }
  for (std::size_t i = 0; i < icons.size(); ++i) {
    for (std::size_t j = i + 1; j < icons.size(); ++j) EXPECT_NE(icons[i], icons[j]) << i << "," << j;
  }
  EXPECT_EQ(app::MenuStripPicture(25, 134).GetSize(), (app::Size{25, 134}));
  EXPECT_EQ(app::MenuStripPicture(23, 93).GetSize(), (app::Size{23, 93}));
  EXPECT_TRUE(app::MenuStripPicture(0, 134).IsNull());
  EXPECT_TRUE(app::MenuStripPicture(25, -1).IsNull());
}

TEST(PicturesTest, IconsAreShapesOnATransparentGround) {
  for (const Picture& picture : AllPictures()) {
    // The square pictures stand free; the up button's folder runs to its edges.
    if (picture.size.width != picture.size.height) continue;
    const app::Image image = Image(picture.draw());
    const int w = image.Width(), h = image.Height();
    for (app::Point corner : {app::Point{0, 0}, app::Point{w - 1, 0}, app::Point{0, h - 1}, app::Point{w - 1, h - 1}}) {
      EXPECT_EQ(qAlpha(image.Pixel(corner.x, corner.y)), 0) << picture.name << " at " << corner.x << "," << corner.y;
    }
    const int opaque = OpaquePixels(image);
    EXPECT_GT(opaque, w * h / 5) << picture.name << " draws too little";
    EXPECT_LT(opaque, w * h * 9 / 10) << picture.name << " fills its whole square";
  }
}

TEST(PicturesTest, GlossyTitleIsDarkAtBothEdgesAndBrightBlueInTheMiddle) {
  const app::Image image = Image(app::GlossyTitlePicture());
  for (int x : {0, 276, 552}) {
    for (int y : {0, 26}) {
      const Argb edge = image.Pixel(x, y);
      EXPECT_LT(std::max({qRed(edge), qGreen(edge), qBlue(edge)}), 90) << x << "," << y;
    }
    const Argb middle = image.Pixel(x, 13);
    EXPECT_GE(qBlue(middle), 240);
    EXPECT_GE(qRed(middle), 170);
    EXPECT_GE(qGreen(middle), 180);
    EXPECT_GE(qBlue(middle), qRed(middle));
    EXPECT_EQ(qAlpha(middle), 255);
  }
  // Bright in the middle, darker towards each edge, row after row.
  auto brightness = [&](int y) {
    const Argb p = image.Pixel(100, y);
    return qRed(p) + qGreen(p) + qBlue(p);
  };
  for (int y = 0; y < 10; ++y) EXPECT_LE(brightness(y), brightness(y + 1) + 6) << y;
  for (int y = 16; y < 26; ++y) EXPECT_GE(brightness(y), brightness(y + 1)) << y;
}

TEST(PicturesTest, NavyTitleIsFlatNavyBetweenALighterTopAndADarkerBottom) {
  const app::Image image = Image(app::NavyTitlePicture());
  EXPECT_EQ(image.Pixel(263, 13), qRgb(0, 0, 160));
  int lightest = 0, darkest = 255;
  for (int y = 0; y < image.Height(); ++y) {
    const Argb p = image.Pixel(200, y);
    ASSERT_EQ(qRed(p), 0) << y;
    ASSERT_EQ(qGreen(p), 0) << y;
    EXPECT_EQ(image.Pixel(0, y), p) << "rows are uniform";
    lightest = std::max(lightest, qBlue(p));
    darkest = std::min(darkest, qBlue(p));
  }
  EXPECT_EQ(qBlue(image.Pixel(5, 0)), 191);
  EXPECT_EQ(qBlue(image.Pixel(5, 25)), 80);
  EXPECT_EQ(lightest, 191);
  EXPECT_EQ(darkest, 80);
}

TEST(PicturesTest, HideAndComebackShowTheSameBoxWithGreyOrColouredContents) {
  const app::Image hide = Image(app::HideFolderPicture());
  const app::Image comeback = Image(app::ComebackPicture());
  int differing = 0, colourful_in_comeback = 0;
  // Above the box's rim the contents stand on their own, so every pixel in
  // which the two pictures differ belongs to them.
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 32; ++x) {
      const Argb h = hide.Pixel(x, y), c = comeback.Pixel(x, y);
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
  const app::Image image = Image(app::HiddenRowPicture());
  const Argb centre = image.Pixel(8, 8);
  EXPECT_EQ(qAlpha(centre), 255);
  EXPECT_GT(qRed(centre), qGreen(centre) + 100);
  EXPECT_GT(qRed(centre), qBlue(centre) + 100);
  EXPECT_GT(qAlpha(image.Pixel(11, 3)), 200);
  EXPECT_GT(qAlpha(image.Pixel(4, 12)), 200);
  EXPECT_EQ(qAlpha(image.Pixel(3, 3)), 0);
  EXPECT_EQ(qAlpha(image.Pixel(12, 12)), 0);
}

TEST(PicturesTest, MenuStripIsBeigeAndOpaque) {
  const app::Image image = Image(app::MenuStripPicture(25, 134));
  EXPECT_EQ(image.Pixel(12, 67), qRgb(208, 207, 192));
  for (int x = 0; x < 25; ++x) {
    const Argb p = image.Pixel(x, 100);
    EXPECT_EQ(qAlpha(p), 255);
    EXPECT_NEAR(qRed(p), 208, 20) << x;
    EXPECT_NEAR(qBlue(p), 192, 20) << x;
    EXPECT_EQ(image.Pixel(x, 0), p) << "columns are uniform";
  }
}

}  // namespace

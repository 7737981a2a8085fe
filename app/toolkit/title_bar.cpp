#include "app/toolkit/title_bar.h"

#include "app/pictures/pictures.h"
#include "app/toolkit/fonts.h"
#include "app/toolkit/label.h"
#include "app/toolkit/picture.h"
#include "app/toolkit/shape.h"

namespace app {

namespace {
constexpr int kCaptionPoints = 10;
}  // namespace

TitleBar BuildTitleBar(QWidget* window, const TitleBarLayout& layout) {
  TitleBar bar;
  // Made later means drawn in front.
  auto make_glossy = [&] {
    bar.glossy = new Picture(GlossyTitlePicture(), window);
    bar.glossy->setGeometry(layout.glossy_picture);
  };
  auto make_navy = [&] {
    bar.navy = new Picture(NavyTitlePicture(), window);
    bar.navy->setGeometry(layout.navy_picture);
  };
  if (layout.glossy_in_front) {
    make_navy();
    make_glossy();
  } else {
    make_glossy();
    make_navy();
  }
  bar.caption = new Label(layout.caption, window);
  bar.caption->setFont(SansFont(kCaptionPoints));
  bar.caption->adjustSize();
  bar.caption->move(layout.caption_at);
  bar.outline = new Shape(Shape::Kind::kRoundSquare, window);
  bar.outline->setGeometry(layout.close_mark_outline);
  bar.outline->SetOutlineOnly(true);
  bar.outline->setAttribute(Qt::WA_TransparentForMouseEvents);
  bar.close_mark = new Label(QString::fromUtf8(layout.close_mark), window);
  bar.close_mark->setFont(SansFont(layout.close_mark_points, layout.close_mark_bold));
  bar.close_mark->setGeometry(layout.close_mark_box);
  bar.close_mark->setAlignment(layout.close_mark_alignment);
  return bar;
}

}  // namespace app

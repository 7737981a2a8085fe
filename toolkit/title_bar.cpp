#include "toolkit/title_bar.h"

#include "toolkit/label.h"
#include "toolkit/picture.h"
#include "toolkit/shape.h"

namespace app {

namespace {
constexpr int kCaptionPoints = 10;
// What screen readers call the close mark.
constexpr char kCloseMarkName[] = "Close";
}  // namespace

TitleBar BuildTitleBar(WinControl* window, const TitleBarLayout& layout, const Image& glossy, const Image& navy) {
  TitleBar bar;
  // Made later means drawn in front.
  auto make_glossy = [&] {
    bar.glossy = new Picture(glossy, window);
    bar.glossy->SetBounds(layout.glossy_picture);
  };
  auto make_navy = [&] {
    bar.navy = new Picture(navy, window);
    bar.navy->SetBounds(layout.navy_picture);
  };
  if (layout.glossy_in_front) {
    make_navy();
    make_glossy();
  } else {
    make_glossy();
    make_navy();
  }
  bar.caption = new Label(layout.caption, window);
  bar.caption->SetFont(Font{kCaptionPoints, false});
  bar.caption->Move(layout.caption_at);
  bar.caption->AutoSize();
  bar.outline = new Shape(Shape::Kind::kRoundSquare, window);
  bar.outline->SetBounds(layout.close_mark_outline);
  bar.outline->SetOutlineOnly(true);
  bar.outline->SetMouseTransparent(true);
  bar.close_mark = new Label(layout.close_mark, window);
  bar.close_mark->SetFont(Font{layout.close_mark_points, layout.close_mark_bold});
  bar.close_mark->SetBounds(layout.close_mark_box);
  bar.close_mark->SetAlignment(HAlign::kLeft, layout.close_mark_v_align);
  bar.close_mark->accessible.name = kCloseMarkName;
  return bar;
}

}  // namespace app

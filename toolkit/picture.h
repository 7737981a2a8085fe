#pragma once

#include "toolkit/control.h"
#include "toolkit/image.h"

namespace app {

// A picture drawn to fill its box (stretched where the box differs in size).
class Picture : public GraphicControl {
 public:
  Picture(Image image, WinControl* parent);

  void Paint(Canvas& canvas) override;

 private:
  Image image_;
};

// A bevel line: a sunken horizontal or vertical rule, two pixels wide, dark
// above (or left of) light. The mouse passes through it.
class BevelLine : public GraphicControl {
 public:
  BevelLine(Orientation orientation, WinControl* parent);

  void Paint(Canvas& canvas) override;

 private:
  Orientation orientation_;
};

}  // namespace app

#pragma once

#include "toolkit/colors.h"
#include "toolkit/control.h"

namespace app {

// A drawn shape: a filled rectangle with a one-pixel outline, or (outline
// only) just the outline over whatever lies beneath. The rounded square has
// corners of four pixels.
class Shape : public GraphicControl {
 public:
  enum class Kind { kRectangle, kRoundSquare };

  Shape(Kind kind, WinControl* parent);

  void SetFill(BgrColor color);
  void SetOutline(BgrColor color);
  // Outline only: the inside lets what lies beneath show through.
  void SetOutlineOnly(bool outline_only);
  BgrColor Fill() const { return fill_; }
  BgrColor Outline() const { return outline_; }

  void Paint(Canvas& canvas) override;

 private:
  Kind kind_;
  BgrColor fill_ = kWhite;
  BgrColor outline_ = kBlack;
  bool outline_only_ = false;
};

}  // namespace app

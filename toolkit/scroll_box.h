#pragma once

#include "toolkit/colors.h"
#include "toolkit/control.h"

namespace app {

// The edge a panel draws around itself.
enum class Bevel {
  kNone,     // no edge
  kFlat,     // a one-pixel grey line
  kLowered,  // a sunken edge, dark above and left
  kTiled,    // a raised edge, light above and left (the drop-down menu panels)
};

// A panel with a window of its own, a colour and a bevel; controls are placed
// on it at fixed positions. Its own mouse events are the Control ones.
class ScrollBox : public WinControl {
 public:
  explicit ScrollBox(WinControl* parent);

  void SetColor(BgrColor color);
  BgrColor Color() const { return color_; }
  void SetBevel(Bevel bevel);
  Bevel GetBevel() const { return bevel_; }
  // A transparent panel paints no background or edge: what lies beneath it
  // shows between the controls on it.
  void SetTransparent(bool transparent);
  bool Transparent() const { return transparent_; }

 protected:
  void PaintBackground(Canvas& canvas) override;

 private:
  BgrColor color_ = kLightGrey;
  Bevel bevel_ = Bevel::kNone;
  bool transparent_ = false;
};

}  // namespace app

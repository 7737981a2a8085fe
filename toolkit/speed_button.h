#pragma once

#include <optional>
#include <string>

#include "toolkit/control.h"
#include "toolkit/image.h"

namespace app {

// A speed button without a window of its own: flat (only a thin raised edge
// while the pointer is over it, sunk while it is pressed) or with the
// standard button face, carrying an optional picture above its caption. A
// click is a left press and release over it; it never takes the focus.
class SpeedButton : public GraphicControl {
 public:
  SpeedButton(std::string caption, WinControl* parent);

  const std::string& Caption() const { return caption_; }
  // Flat buttons draw no face; the others draw the standard button face.
  void SetFlat(bool flat);
  bool Flat() const { return flat_; }

  // Puts a picture centred at `picture_top` and the caption centred at
  // `caption_top` (both in button coordinates). Without a picture the
  // caption is centred in the button.
  void SetPicture(Image picture, int picture_top, int caption_top);
  bool HasPicture() const { return !picture_.IsNull(); }
  // The top of the caption's line when the button has a picture.
  int CaptionTop() const { return caption_top_; }

  // The caption's colour on a flat button that stands on one of the
  // window's own fixed colours: the colour designed for text there,
  // whatever the system's palette. Without one (and always on the standard
  // face) the caption takes the system's button text colour.
  void SetFontColor(BgrColor color);

  void Paint(Canvas& canvas) override;
  // The name given, else the caption.
  std::string AccessibleName() const override;

 protected:
  void MouseEntered() override { Invalidate(); }
  void MouseLeft() override { Invalidate(); }

 private:
  std::string caption_;
  bool flat_ = true;
  Image picture_;
  int picture_top_ = 0;
  int caption_top_ = 0;
  std::optional<BgrColor> font_color_;
};

}  // namespace app

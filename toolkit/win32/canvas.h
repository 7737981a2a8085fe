#pragma once

#include "toolkit/win32/windows_api.h"

#include <vector>

#include "toolkit/canvas.h"
#include "toolkit/win32/scale.h"

namespace app::win32 {

// The canvas of one paint on a GDI device context (the back buffer of a
// painted window), drawing the layout's coordinates at a scale. The DC's
// viewport places the window's (0, 0) in screen pixels; Save() moves the
// layout origin (kept here, so that every box is scaled from the window's
// own origin and boxes that meet in the layout meet on the screen) and
// narrows the clip with SaveDC/RestoreDC.
class GdiCanvas final : public Canvas {
 public:
  // `dc` is drawn on as it is set up now (origin and clip).
  explicit GdiCanvas(HDC dc, Scale scale = Scale());
  ~GdiCanvas() override;

  void FillRect(const Rect& rect, BgrColor color) override;
  void DrawLine(Point from, Point to, BgrColor color) override;
  void FrameRect(const Rect& rect, BgrColor color) override;
  void FrameRoundRect(const Rect& rect, int radius, BgrColor color) override;
  void DrawImage(const Image& image, const Rect& target) override;
  void DrawText(const Rect& box, std::string_view text, const TextStyle& style) override;
  void DrawButtonFace(const Rect& rect, FaceState state) override;
  void Save(Point offset, const Rect& clip) override;
  void Restore() override;

 private:
  // A box of the current origin's layout coordinates in the DC's pixels.
  RECT Device(const Rect& rect) const;

  HDC dc_;
  Scale scale_;
  std::vector<Point> origins_{Point{0, 0}};  // the layout origin of each Save()
  int saved_ = 0;  // SaveDC levels not yet restored
  int base_level_;
};

}  // namespace app::win32

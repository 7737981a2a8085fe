#pragma once

#include "toolkit/win32/windows_api.h"

#include "toolkit/canvas.h"

namespace app::win32 {

// The canvas of one paint on a GDI device context (the back buffer of a
// painted window). The DC's viewport places the control's (0, 0); Save()
// moves it and narrows the clip with SaveDC/RestoreDC.
class GdiCanvas final : public Canvas {
 public:
  // `dc` is drawn on as it is set up now (origin and clip).
  explicit GdiCanvas(HDC dc);
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
  HDC dc_;
  int saved_ = 0;  // SaveDC levels not yet restored
  int base_level_;
};

}  // namespace app::win32

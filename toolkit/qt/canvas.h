#pragma once

#include <QPainter>

#include "toolkit/canvas.h"

class QWidget;

namespace app::qt {

// The toolkit's canvas on a QPainter that paints `widget`.
class QtCanvas final : public Canvas {
 public:
  QtCanvas(QPainter& painter, QWidget& widget) : painter_(painter), widget_(widget) {}

  void FillRect(const Rect& rect, BgrColor color) override;
  void DrawLine(Point from, Point to, BgrColor color) override;
  void FrameRect(const Rect& rect, BgrColor color) override;
  void FrameRoundRect(const Rect& rect, int radius, BgrColor color) override;
  void DrawImage(const Image& image, const Rect& target) override;
  void DrawText(const Rect& box, std::string_view text, const TextStyle& style) override;
  void DrawButtonFace(const Rect& rect, FaceState state) override;
  // Inverts the dots, as the classic focus mark does.
  void DrawFocusRect(const Rect& rect) override;
  void Save(Point offset, const Rect& clip) override;
  void Restore() override;

 protected:
  void FocusDot(Point at) override;

 private:
  QPainter& painter_;
  QWidget& widget_;
};

}  // namespace app::qt

#pragma once

#include <QWidget>

#include "app/toolkit/colors.h"

namespace app {

// A drawn shape: a filled rectangle with an outline, or (in outline-only
// mode) just the outline of a rounded square over whatever lies beneath.
// Mouse events pass through to what lies beneath, except pointer movement,
// which it reports.
class Shape : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { kRectangle, kRoundSquare };

  Shape(Kind kind, QWidget* parent);

  void SetFill(BgrColor color);
  void SetOutline(BgrColor color);
  // Outline only: the inside lets what lies beneath show through.
  void SetOutlineOnly(bool outline_only);
  BgrColor Fill() const { return fill_; }
  BgrColor Outline() const { return outline_; }

 signals:
  void MouseMove();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  Kind kind_;
  BgrColor fill_ = kWhite;
  BgrColor outline_ = kBlack;
  bool outline_only_ = false;
};

}  // namespace app

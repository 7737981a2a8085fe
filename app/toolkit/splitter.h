#pragma once

#include <QSplitter>

#include "app/toolkit/colors.h"

namespace app {

// A splitter that resizes its two panes live while dragged, never lets
// either pane shrink below `minimum` pixels, and reports every change of the
// panes' sizes, during the drag and once more when the handle is released.
class Splitter : public QSplitter {
  Q_OBJECT

 public:
  Splitter(Qt::Orientation orientation, int handle_width, int minimum, QWidget* parent);

  // Adds a pane (at most two).
  void AddPane(QWidget* pane);
  // The handle's colour (0x00BBGGRR).
  void SetColor(BgrColor color);
  // Moves the handle as a drag to `position` would (clamped to the minimum).
  void MoveHandleTo(int position);

 signals:
  void Moved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int minimum_;
};

}  // namespace app

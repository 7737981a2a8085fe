#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QEvent;
class QWidget;

namespace app::qt {

// Moves a top-level window with the pointer while a mouse button is held
// down: the stand-in for the window system's interactive move where that is
// not available. It watches the application's mouse events without taking
// them away from the widgets.
class PointerDrag final : public QObject {
 public:
  PointerDrag() = default;
  ~PointerDrag() override;

  // Makes `window`'s top-level window follow the pointer from where the
  // pointer is now until every mouse button is up. A drag in progress ends
  // first. A null window does nothing.
  void Start(QWidget* window);

  // Ends the drag in progress, if any; the window stays where it is.
  void Stop();

  // True while a window follows the pointer.
  bool active() const { return !window_.isNull(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
  QPoint pointer_start_;
  QPoint window_start_;
};

}  // namespace app::qt

#pragma once

#include <functional>
#include <QWidget>

#include "toolkit/native.h"
#include "toolkit/qt/peer.h"

namespace app::qt {

// A widget that the toolkit paints and that reports the mouse, keys and
// closing to it: the body of top-level windows, panels, splitters and pages.
class PaintedWidget : public QWidget {
 public:
  PaintedWidget(NativeEvents& events, QWidget* parent, Qt::WindowFlags flags = {});

  // The toolkit's control behind the widget (for the accessibility layer).
  Control* Owner() const { return events_.NativeOwner(); }
  NativeEvents& Events() const { return events_; }

  // Lets go of the native window of a hidden top-level widget; showing it
  // makes a new one.
  void DropNativeWindow() { destroy(); }

  // The window system (the task bar) brought a top-level window back from
  // minimised.
  std::function<void()> on_restored_by_window_system;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  // Tab moves among the graphic controls this widget carries before it
  // leaves the widget (only while the widget itself has the focus: Qt asks
  // a child's parents too).
  bool focusNextPrevChild(bool next) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // Drops of local files and folders, when the widget takes drops.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  NativeEvents& events_;
};

// A child window the toolkit paints.
class PaintedPeer final : public Peer<NativeWindow> {
 public:
  PaintedPeer(NativeEvents& events, QWidget* parent);
};

}  // namespace app::qt

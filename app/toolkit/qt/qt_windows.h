#pragma once

#include <QEventLoop>

#include <functional>
#include <QPointer>
#include <QWidget>

#include "app/toolkit/native.h"
#include "app/toolkit/qt/qt_peer.h"

namespace platform {
class PointerDrag;
}  // namespace platform

namespace app::qt {

// A widget that the toolkit paints and that reports the mouse, keys and
// closing to it: the body of top-level windows, panels, splitters and pages.
class PaintedWidget : public QWidget {
 public:
  PaintedWidget(NativeEvents& events, QWidget* parent, Qt::WindowFlags flags = {});

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
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  NativeEvents& events_;
};

// A child window the toolkit paints.
class QtPaintedWindow final : public QtPeer<NativeWindow> {
 public:
  QtPaintedWindow(NativeEvents& events, QWidget* parent);
};

// A top-level window without a system frame, of a fixed size.
class QtTopLevel final : public QtPeer<NativeTopLevel> {
 public:
  QtTopLevel(NativeEvents& events, Size client, platform::PointerDrag& drag);

  void SetBounds(const Rect& bounds) override;
  // Shown again after the window system brought it back from minimised, the
  // window gets a new native window: on X11 the old one would still ask the
  // window manager to map it minimised, so the program would seem to vanish.
  void SetVisible(bool visible) override;
  void SetTitle(const std::string& title) override;
  Point ScreenPosition() const override;
  void StartSystemMove() override;
  bool IsMinimised() const override;
  void Restore() override;
  void Minimise() override;
  void SetModal(bool modal) override;
  void RunModal() override;
  void EndModal() override;

 private:
  platform::PointerDrag& drag_;
  QPointer<QEventLoop> loop_;
  bool restored_by_window_system_ = false;
};

}  // namespace app::qt

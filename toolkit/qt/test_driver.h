#pragma once

#include <QPointer>
#include <QWidget>

#include "toolkit/test_driver.h"

namespace app::qt {

// Drives the Qt front end for the window tests: mouse and key events made
// by hand and sent through QApplication to the widget at a point of a
// window, as the window system would deliver them (the widget that took a
// press keeps the pointer until the release; entering and leaving widgets
// are reported), and the window's own rendering as its picture.
class QtTestDriver final : public TestDriver {
 public:
  void ProcessEvents() override;
  void MouseMove(BorderlessWindow& window, Point at) override;
  void MousePress(BorderlessWindow& window, Point at, MouseButton button) override;
  void MouseRelease(BorderlessWindow& window, Point at, MouseButton button) override;
  void DoubleClick(BorderlessWindow& window, Point at) override;
  void KeyPress(BorderlessWindow& window, Key key) override;
  void TypeText(BorderlessWindow& window, const std::string& text) override;
  void DropFiles(BorderlessWindow& window, Point at, const std::vector<std::string>& paths) override;
  Image Grab(BorderlessWindow& window) override;
  bool BusyPointerShown() override;
  void UseDarkSystemColours(bool dark) override;
  void UseHighContrast(bool high) override;

 private:
  // The widget the event goes to, and the point in its coordinates.
  QWidget* Target(BorderlessWindow& window, Point at, QPoint& local);
  void SendMouse(BorderlessWindow& window, Point at, int type, Qt::MouseButton button);
  // Reports leaving the widget the pointer was over and entering `now`.
  void Hover(QWidget* now, const QPoint& local);

  QPointer<QWidget> under_;    // the widget the pointer is over
  QPointer<QWidget> grabbed_;  // the widget that took the press
  Qt::MouseButtons held_ = Qt::NoButton;
};

}  // namespace app::qt

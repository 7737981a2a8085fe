#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "toolkit/test_driver.h"
#include "toolkit/win32/backend.h"
#include "tests/toolkit/win32/demo_windows.h"

namespace demo {

// A graphic control that draws whatever the test gives it.
class Sketch : public app::GraphicControl {
 public:
  Sketch(app::WinControl* parent, std::function<void(app::Canvas&)> draw)
      : GraphicControl(parent), draw_(std::move(draw)) {}
  void Paint(app::Canvas& canvas) override { draw_(canvas); }

 private:
  std::function<void(app::Canvas&)> draw_;
};

// The demo window on screen, and the driver and backend that the tests use.
class DemoTest : public ::testing::Test {
 protected:
  static constexpr app::Point kScreenPlace{40, 40};

  void SetUp() override {
    window_ = std::make_unique<DemoWindow>();
    window_->MoveTo(kScreenPlace);
    window_->Show();
    driver().ProcessEvents();
  }
  void TearDown() override {
    window_.reset();
    driver().ProcessEvents();
  }

  DemoWindow& window() { return *window_; }
  app::TestDriver& driver() { return app::CurrentTestDriver(); }
  app::win32::Win32Backend& backend() { return dynamic_cast<app::win32::Win32Backend&>(app::CurrentBackend()); }
  // A point of a control, in its window's client coordinates.
  static app::Point At(app::Control& control, app::Point local) { return control.WindowOrigin() + local; }
  static app::Point Centre(app::Control& control) { return At(control, control.Bounds().Local().Centre()); }
  void Click(app::Point at, app::MouseButton button = app::MouseButton::kLeft) {
    driver().MouseMove(window(), at);
    driver().MousePress(window(), at, button);
    driver().MouseRelease(window(), at, button);
  }

 private:
  std::unique_ptr<DemoWindow> window_;
};

}  // namespace demo

#include "tests/app/program_fixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/Unit2.h"
#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"
#include "toolkit/edit_controls.h"
#include "toolkit/test_driver.h"
#include "store/data_store.h"

namespace testing_support {

namespace {
constexpr char kScreenshotFolderVariable[] = "QUILLOMAR_SCREENSHOT_DIR";
constexpr char kBitmapSuffix[] = ".bmp";

app::TestDriver& Driver() { return app::CurrentTestDriver(); }

// The point of the window where a point of the control lies.
app::Point InWindow(app::Control* control, app::Point local) {
  if (local == app::Point{-1, -1}) local = control->Bounds().Local().Centre();
  return control->WindowOrigin() + local;
}
}  // namespace

ProgramTest::ProgramTest() : services_{files_, shell_, dialogs_, window_manager_} {}

ProgramTest::~ProgramTest() {
  program_.reset();
  ProcessEvents();
}

void ProgramTest::Start() {
  program_ = std::make_unique<app::Program>(services_);
  program_->Start();
  ProcessEvents();
}

void ProgramTest::Restart() {
  program_.reset();
  ProcessEvents();
  Start();
}

void ProgramTest::StartInitialised() {
  Start();
  forms().login->SpeedButton2Click();
  ProcessEvents();
}

void ProgramTest::LogIn(const std::string& name, const std::string& password) {
  app::TForm2* login = forms().login;
  // Items are found by the bytes they stand for, which need not be UTF-8.
  login->UserBox()->SetCurrentIndex(login->UserBox()->FindValue(name));
  login->PasswordBox()->SetText(password);
  login->Button8Click();
  ProcessEvents();
}

void ProgramTest::StartLoggedInAsAdministrator() {
  StartInitialised();
  LogIn("name", "31852");
}

std::string ProgramTest::FileText(const std::string& windows_path) { return ReadAll(Native(windows_path)); }

void ProcessEvents() { Driver().ProcessEvents(); }

void Idle(int ms) { WaitUntil([] { return false; }, ms); }

bool WaitUntil(const std::function<bool()>& done, int ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    ProcessEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

void MoveOver(app::Control* control, app::Point local) {
  Driver().MouseMove(*control->Window(), InWindow(control, local));
}

void PressOn(app::Control* control, app::Point local, app::MouseButton button) {
  Driver().MousePress(*control->Window(), InWindow(control, local), button);
}

void ReleaseOn(app::Control* control, app::Point local, app::MouseButton button) {
  Driver().MouseRelease(*control->Window(), InWindow(control, local), button);
}

void ClickOn(app::Control* control, app::Point local, app::MouseButton button) {
  PressOn(control, local, button);
  ReleaseOn(control, local, button);
}

void KeyInto(app::WinControl* control, app::Key key) {
  control->SetFocus();
  Driver().KeyPress(*control->Window(), key);
}

app::Image GrabWindow(app::BorderlessWindow* window, const std::string& name) {
  const app::Image image = Driver().Grab(*window);
  const char* folder = std::getenv(kScreenshotFolderVariable);
  if (folder != nullptr && *folder != '\0') {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    WriteAll(std::string(folder) + "/" + name + kBitmapSuffix, image.ToBmp());
  }
  return image;
}

std::string Hex(app::BgrColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "%06x", static_cast<unsigned>(color & 0xFFFFFF));
  return text;
}

bool RunModalWith(app::BorderlessWindow& window, const std::function<void()>& inside, int watchdog_ms) {
  app::Backend& backend = app::CurrentBackend();
  bool watchdog_fired = false;
  const std::unique_ptr<app::NativeTimer> watchdog = backend.StartTimer(watchdog_ms, false, [&] {
    watchdog_fired = true;
    window.Close();
  });
  backend.Post(inside);
  window.RunModal();
  ProcessEvents();
  return !watchdog_fired;
}

}  // namespace testing_support

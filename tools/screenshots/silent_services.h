#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "app/window_manager.h"

namespace screenshots {

// Message boxes that never block the tour: each one is kept, so that the
// tour can fail when the program said something it should not have.
class SilentDialogs final : public platform::Dialogs {
 public:
  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  void ShowError(const std::string& text) override { shown.push_back(platform::ErrorBoxText(text)); }

  std::vector<std::string> shown;  // every box's text, in order
};

// A desktop shell that opens nothing.
class SilentShell final : public platform::Shell {
 public:
  bool OpenDocument(const std::string&) override { return true; }
  void NotifyAssociationsChanged() override {}
};

// A window system that never moves or minimises anything.
class SilentWindowManager final : public app::WindowManager {
 public:
  void StartDrag(app::BorderlessWindow&) override {}
  void MinimiseAll() override {}
};

}  // namespace screenshots

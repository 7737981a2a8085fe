#pragma once

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/shell.h"

namespace testing_support {

// Dialogs that never block: every box is recorded instead of shown.
class RecordingDialogs final : public platform::Dialogs {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowError(const std::string& text) override { errors.push_back(platform::ErrorBoxText(text)); }
  void Clear() { messages.clear(); errors.clear(); }

  std::vector<std::string> messages;  // fixed messages, in order
  std::vector<std::string> errors;    // error boxes, as shown (full stop rule applied)
};

// A shell that records what it was asked to do.
class RecordingShell final : public platform::Shell {
 public:
  bool OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return open_result;
  }
  void NotifyAssociationsChanged() override { ++notifications; }

  std::vector<std::string> opened;  // Windows paths, in order
  bool open_result = true;          // what OpenDocument answers
  int notifications = 0;
};

}  // namespace testing_support

#pragma once

#include <string>

#include "platform/dialogs.h"

namespace platform {

// The program's message boxes as Qt message boxes: modal, captioned
// "Quillomar", one OK button, the text shown as plain text with its blanks.
// Each box belongs to the window that is active when it opens, if any.
class QtDialogs final : public Dialogs {
 public:
  QtDialogs() = default;

  // A box without an icon, as the system's plain message box shows it.
  void ShowMessage(const std::string& text) override;

  // A box with the critical icon showing ErrorBoxText(text).
  void ShowError(const std::string& text) override;
};

}  // namespace platform

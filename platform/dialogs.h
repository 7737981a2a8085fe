#pragma once

#include <string>

namespace platform {

// The program's message boxes: modal, captioned "Quillomar", one OK button.
class Dialogs {
 public:
  Dialogs() = default;
  Dialogs(const Dialogs&) = delete;
  Dialogs& operator=(const Dialogs&) = delete;
  virtual ~Dialogs() = default;

  // Shows one of the program's fixed messages, text as given, and waits for OK.
  virtual void ShowMessage(const std::string& text) = 0;

  // Shows an error's text in the error box (error icon) and waits for OK.
  // The text shown is ErrorBoxText(text).
  virtual void ShowError(const std::string& text) = 0;
};

// The text that the error box shows for an error: a full stop is appended
// when the last character sorts after "." (so "x" gets one, "!" does not).
std::string ErrorBoxText(const std::string& text);

}  // namespace platform

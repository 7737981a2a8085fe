#pragma once

#include <string>
#include <vector>

#include "app/skin.h"

namespace app {

// What a window asks of the other windows, served by the program: no window
// names another window's class or includes its header.
class WindowLinks {
 public:
  WindowLinks() = default;
  WindowLinks(const WindowLinks&) = delete;
  WindowLinks& operator=(const WindowLinks&) = delete;
  virtual ~WindowLinks() = default;

  // Makes the main, Options and Find windows unless they are made; the login
  // window calls it before it turns to them.
  virtual void CompleteWindows() = 0;

  // The current account: the login window's user box. Setting it puts the
  // name and the password in the login window's boxes.
  virtual std::string CurrentAccount() const = 0;
  virtual void SetAccount(const std::string& name, const std::string& password) = 0;

  // A skin on the main, Options and Find windows (the login window's own
  // share is its own business).
  virtual void ApplySkin(Skin skin, SkinOrigin origin) = 0;

  // Paths handed from outside the browser (a drop): hidden at once once
  // logged in, else after the login (Program::HandPaths).
  virtual void HandPaths(const std::vector<std::string>& paths) = 0;

  // Closing the login window ends the program.
  virtual void CloseLogin() = 0;
  virtual void ShowMain() = 0;
  virtual void CloseMain() = 0;
  // The Options window: shown, and its user list read afresh. Its modal
  // run returns once it has closed.
  virtual void ShowOptions() = 0;
  virtual void RunOptions() = 0;
  virtual void ReloadUserList() = 0;
  // The Find window's modal run, which returns once it has closed, and the
  // mark of its close, cleared after each run.
  virtual void RunFind() = 0;
  virtual void ResetFindCloseMark() = 0;
};

}  // namespace app

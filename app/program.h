#pragma once

#include <functional>
#include <memory>

#include "app/services.h"

namespace app {

// The running program: its four windows, created once in the order login,
// main, Options, Find, and living until the program ends. The login window
// is the program's own main window: when it closes, the program ends.
class Program {
 public:
  // Creates the four windows; the front end's backend must be installed.
  explicit Program(Services& services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Shows the login window, centred on the screen.
  void Start();

  Forms& forms() { return forms_; }
  // True once the login window has closed.
  bool Ended() const { return ended_; }

  // The login window closed: the front end ends its event loop.
  std::function<void()> on_finished;

 private:
  Forms forms_;
  std::unique_ptr<TForm2> login_;
  std::unique_ptr<TForm1> main_;
  std::unique_ptr<TForm3> options_;
  std::unique_ptr<TForm4> find_;
  bool ended_ = false;
};

}  // namespace app

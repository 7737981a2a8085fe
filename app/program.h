#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/services.h"
#include "app/window_links.h"

namespace app {


class TForm1;
class TForm2;
class TForm3;
class TForm4;

// The four windows as the program holds them, filled in as they are created
// (login, main, Options, Find) and living until the program ends; the tests
// and tools reach them here. The windows themselves reach each other only
// through the program's WindowLinks.
struct Forms {
  TForm2* login = nullptr;    // the login window; closing it ends the program
  TForm1* main = nullptr;     // the main window
  TForm3* options = nullptr;  // the Options window
  TForm4* find = nullptr;     // the Find window
};

// When the windows other than the login window are made.
enum class WindowCreation {
  kAllAtOnce,  // all four as the program is made
  kWhenAsked,  // the login window first; the others when it first turns to them
};

// The running program: its four windows, created once in the order login,
// main, Options, Find, and living until the program ends. The login window
// is the program's own main window: when it closes, the program ends.
//
// A front end starts with the login window alone: it is on the screen at
// once, and the other three are made when the login window first needs
// them, so that nothing keeps the program busy while the user (or a
// password manager) gives the login, and input is handled in the order it
// came. The login window asks for them before it turns to them
// (WindowLinks::CompleteWindows), so nothing ever finds one missing.
class Program final : private WindowLinks {
 public:
  // Creates the windows; the front end's backend must be installed.
  explicit Program(Services& services, WindowCreation creation = WindowCreation::kAllAtOnce);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Shows the login window, centred on the screen.
  void Start();

  Forms& forms() { return forms_; }
  // True once the login window has closed.
  bool Ended() const { return ended_; }

  // Paths handed from outside the browser (given at start, passed on by a
  // second start, dropped on a window), whole as FullHandedPath makes them.
  // Before a login they wait, and the first successful login hides them in
  // the order given; once logged in they are hidden at once under the
  // current account. Whatever still waits when the program ends is dropped.
  void HandPaths(const std::vector<std::string>& paths) override;
  // Brings the program's window to the front: the login window until a
  // login, then the main window (unless another window is on screen in
  // its place).
  void BringToFront();

  // The login window closed: the front end ends its event loop.
  std::function<void()> on_finished;

 private:
  // Makes the main, Options and Find windows unless they are made.
  void CreateOtherWindows();
  // The login succeeded: what waits is hidden.
  void LoggedIn();
  // Hides the waiting paths, unless a hide of them runs already.
  void HideWaitingPaths();

  // What the windows ask of each other.
  void CompleteWindows() override;
  std::string CurrentAccount() const override;
  void SetAccount(const std::string& name, const std::string& password) override;
  void ApplySkin(Skin skin, SkinOrigin origin) override;
  void CloseLogin() override;
  void ShowMain() override;
  void CloseMain() override;
  void ShowOptions() override;
  void RunOptions() override;
  void ReloadUserList() override;
  void RunFind() override;
  void ResetFindCloseMark() override;

  Services& services_;
  Forms forms_;
  std::unique_ptr<TForm2> login_;
  std::unique_ptr<TForm1> main_;
  std::unique_ptr<TForm3> options_;
  std::unique_ptr<TForm4> find_;
  bool ended_ = false;
  bool logged_in_ = false;
  bool hiding_ = false;
  std::vector<std::string> waiting_paths_;
};

}  // namespace app

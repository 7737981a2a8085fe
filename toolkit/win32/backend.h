#pragma once

#include "toolkit/win32/windows_api.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/win32/scale.h"

namespace app::win32 {

class TopLevelPeer;

// The Win32 front end: native windows made of this backend's own painted
// classes and the common controls, GDI drawing, and the services of USER32
// and SHELL32. Posted tasks and timers run on a hidden message window.
class Win32Backend final : public Backend {
 public:
  // Registers the window classes and makes the message window; the common
  // controls must have been initialised (InitCommonControlsEx).
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;

  std::unique_ptr<NativeTopLevel> CreateTopLevel(NativeEvents& events, Size client) override;
  std::unique_ptr<NativeWindow> CreatePainted(NativeWindow& parent, NativeEvents& events) override;
  std::unique_ptr<NativeEdit> CreateEdit(NativeWindow& parent, NativeEvents& events) override;
  std::unique_ptr<NativeComboBox> CreateComboBox(NativeWindow& parent, NativeEvents& events) override;
  std::unique_ptr<NativePushButton> CreatePushButton(NativeWindow& parent, NativeEvents& events) override;
  std::unique_ptr<NativeTabs> CreateTabs(NativeWindow& parent, NativeEvents& events) override;
  std::unique_ptr<NativeReportList> CreateReportList(NativeWindow& parent, NativeEvents& events) override;
  std::unique_ptr<NativeTree> CreateTree(NativeWindow& parent, NativeEvents& events) override;

  Size MeasureText(const std::string& text, const Font& font) override;
  BgrColor SystemColour(SystemColor which) override;
  bool HighContrast() override;
  Size ScreenSize() override;
  const Image& ShellIcon(ShellPicture which) override;
  int PopupMenu(NativeWindow& owner, Point at, const std::vector<MenuItem>& items) override;
  void MinimiseAll() override;

  void Post(std::function<void()> task) override;
  std::unique_ptr<NativeTimer> StartTimer(int milliseconds, bool repeat, std::function<void()> tick) override;
  void PushBusyPointer() override;
  void PopBusyPointer() override;
  int Run() override;
  void Quit() override;

  HINSTANCE Instance() const { return instance_; }
  // The scale of the screen as the program starts, from its dots per inch
  // (96 = 1x): the scale of a window where the system cannot tell the dpi
  // of the monitor it stands on, and of the screen's size.
  Scale GetScale() const { return scale_; }
  // For tests: the windows made from now on are shown at `scale`, whatever
  // the monitor they stand on.
  void SetScale(Scale scale) {
    scale_ = scale;
    scale_set_ = true;
  }
  // The scale a new top-level window is made at: the dots per inch of the
  // monitor it stands on (GetDpiForWindow, where the system has it), else
  // GetScale(). Each window keeps its own scale from then on and its peers
  // meet the window system through it.
  Scale ScaleOfNewWindow(HWND hwnd) const;
  // A window is shown at `scale` from now on: above 1x the shell's pictures
  // carry their double-size pixels too.
  void NoteWindowScale(Scale scale);
  bool Busy() const { return busy_depth_ > 0; }

  // The top-level windows, as they are made and destroyed.
  void AddTopLevel(TopLevelPeer* window);
  void RemoveTopLevel(TopLevelPeer* window);
  // While `window` is modal every other window of the program is disabled;
  // the ones this disabled are enabled again when it stops being modal.
  void SetModal(TopLevelPeer& window, bool modal);
  // Runs a nested message loop until `ended` turns true (or the program
  // quits).
  void RunNestedLoop(const bool& ended);
  // Takes every other visible window of the program off the screen with
  // `window`, which is minimised; they come back when it is restored.
  void MinimiseGroup(TopLevelPeer& window);
  // Shows the windows minimised with `window` again.
  void RestoreGroup(TopLevelPeer& window);

  // For the test driver: the pointer is driven by messages only, so the
  // windows do not ask the system to watch the real pointer leave them (the
  // driver reports that itself), a system move is only counted, and a
  // pop-up menu gives the next answer set with AnswerMenus() or is dismissed
  // (-1) without showing.
  void SetSyntheticPointer(bool on) { synthetic_pointer_ = on; }
  bool SyntheticPointer() const { return synthetic_pointer_; }
  int SystemMovesStarted() const { return system_moves_; }
  void CountSystemMove() { ++system_moves_; }

  // For the test driver: the answers the next pop-up menus give without
  // showing (an index, or -1), taken in order.
  void AnswerMenus(std::vector<int> answers) { menu_answers_ = std::move(answers); }
  // The entries of the last menu shown or answered.
  const std::vector<MenuItem>& LastMenu() const { return last_menu_; }

  // Handles a message of the hidden message window.
  LRESULT MessageWindowProc(UINT message, WPARAM wparam, LPARAM lparam);

 private:
  class Timer;
  friend class Timer;

  // Gives the shell's picture its double-size pixels, from the large icon.
  static void AddDoubleShellIcon(ShellPicture which, Image& picture);

  HINSTANCE instance_;
  Scale scale_;
  bool scale_set_ = false;
  // USER32's GetDpiForWindow, where the system has it (Windows 10 1607 on).
  UINT(WINAPI* dpi_for_window_)(HWND) = nullptr;
  bool double_pictures_ = false;
  bool com_ready_ = false;
  HWND message_window_ = nullptr;
  std::vector<TopLevelPeer*> top_levels_;
  std::vector<HWND> minimised_with_;
  std::map<UINT_PTR, Timer*> timers_;
  UINT_PTR next_timer_id_ = 1;
  int busy_depth_ = 0;
  bool synthetic_pointer_ = false;
  int system_moves_ = 0;
  std::vector<int> menu_answers_;
  std::vector<MenuItem> last_menu_;
  std::map<TopLevelPeer*, std::vector<HWND>> disabled_by_;
  std::array<std::optional<Image>, 5> shell_icons_;
};

}  // namespace app::win32

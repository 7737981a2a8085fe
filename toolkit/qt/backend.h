#pragma once

#include <map>
#include <memory>

#include "toolkit/backend.h"
#include "toolkit/qt/minimised_group.h"
#include "toolkit/qt/mnemonics.h"
#include "toolkit/qt/pointer_drag.h"

namespace app::qt {

// The Qt front end's backend: Qt widgets for the native windows, QPainter
// for the canvas, the style's standard icons for the shell's pictures. A
// QApplication must exist while it does.
class QtBackend final : public Backend {
 public:
  QtBackend();
  ~QtBackend() override;

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
  bool HiddenWindowsKeepTheirPlace() override;

  void Post(std::function<void()> task) override;
  std::unique_ptr<NativeTimer> StartTimer(int milliseconds, bool repeat, std::function<void()> tick) override;
  void PushBusyPointer() override;
  void PopBusyPointer() override;
  int Run() override;
  void Quit() override;

 private:
  PointerDrag drag_;
  MnemonicFilter mnemonics_;
  MinimisedGroup minimised_;
  std::map<ShellPicture, Image> icons_;
};

}  // namespace app::qt

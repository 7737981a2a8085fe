#include "tests/app/main_window_fixture.h"

#include <QApplication>
#include <QMouseEvent>

#include <filesystem>

#include "app/toolkit/scroll_box.h"
#include "app/toolkit/shape.h"
#include "platform/qt/shell_list_view.h"

namespace testing_support {

namespace {
void SendMouse(QWidget* window, QWidget* widget, QPoint local, QEvent::Type type, Qt::MouseButton button) {
  if (local == QPoint(-1, -1)) local = widget->rect().center();
  const QPoint at = widget->mapTo(window, local);
  QWidget* target = window->childAt(at) != nullptr ? window->childAt(at) : window;
  const QPoint target_local = target->mapFrom(window, at);
  const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent event(type, target_local, target->mapToGlobal(target_local), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
  ProcessEvents();
}
}  // namespace

void MainWindowTest::MoveOver(QWidget* widget, QPoint local) {
  SendMouse(&main(), widget, local, QEvent::MouseMove, Qt::NoButton);
}

void MainWindowTest::PressOn(QWidget* widget, QPoint local, Qt::MouseButton button) {
  SendMouse(&main(), widget, local, QEvent::MouseButtonPress, button);
}

void MainWindowTest::ClickOn(QWidget* widget, QPoint local) {
  SendMouse(&main(), widget, local, QEvent::MouseButtonPress, Qt::LeftButton);
  SendMouse(&main(), widget, local, QEvent::MouseButtonRelease, Qt::LeftButton);
}

void MainWindowTest::Hide(const std::vector<std::string>& names) {
  std::filesystem::create_directories(prefix_.DriveC() + "/Data");
  for (const std::string& name : names) WriteAll(prefix_.DriveC() + "/Data/" + name, "contents");
  for (const std::string& name : names) {
    SelectInBrowser("C:\\Data", name);
    main().SpeedButton1Click();
  }
}

void MainWindowTest::SelectInBrowser(const std::string& folder, const std::string& name) {
  platform::ShellListView* browser = main().ShellBrowser();
  ASSERT_TRUE(browser->ShowFolder(folder));
  for (int row = 0; row < browser->RowCount(); ++row) {
    if (browser->RowName(row) == name) return browser->SelectRow(row);
  }
  FAIL() << name << " is not listed in " << folder;
}

bool MainWindowTest::MenusClosed() {
  return !Shown(main().FileMenu()) && !Shown(main().OptionsMenu()) && !Shown(main().FileTitleFrame()) &&
         !Shown(main().OptionsTitleFrame()) && !Shown(main().FileEntryBar()) && !Shown(main().OptionsEntryBar());
}

}  // namespace testing_support

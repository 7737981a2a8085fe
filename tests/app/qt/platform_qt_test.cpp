#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_shell.h"
#include "toolkit/qt/minimised_group.h"
#include "toolkit/qt/pointer_drag.h"
#include "tests/support/temp_prefix.h"

// Records the URLs that would have gone to the desktop's default handler.
class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  std::vector<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls.push_back(url); }
};

namespace {

using testing_support::TempPrefix;
using testing_support::WriteAll;

std::unique_ptr<QWidget> ShownWindow(QPoint where = {100, 100}) {
  auto window = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint);
  window->resize(200, 120);
  window->move(where);
  window->show();
  QApplication::processEvents();
  return window;
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons) {
  const QPointF local = target->mapFromGlobal(QPointF(global));
  QMouseEvent event(type, local, QPointF(global), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

TEST(QtWindowManagerTest, MinimiseAllTakesEveryVisibleWindowAndOneRestoreBringsAllBack) {
  app::qt::MinimisedGroup manager;
  auto main_window = ShownWindow();
  auto options_window = ShownWindow({300, 200});
  auto hidden_login = std::make_unique<QWidget>();

  manager.MinimiseAll();
  EXPECT_TRUE(main_window->isMinimized());
  EXPECT_TRUE(options_window->isMinimized());
  EXPECT_TRUE(hidden_login->isHidden()) << "a hidden window must not be put on screen";

  // Restoring one window (as the task bar does) brings its companion back.
  options_window->showNormal();
  QApplication::processEvents();
  EXPECT_FALSE(options_window->isMinimized());
  EXPECT_FALSE(main_window->isMinimized());
  EXPECT_TRUE(main_window->isVisible());
  EXPECT_TRUE(hidden_login->isHidden());

  // The group is over: minimising one window by itself later is not mirrored.
  main_window->showMinimized();
  EXPECT_FALSE(options_window->isMinimized());
  main_window->showNormal();

  // A second round works the same way, restored through the state alone.
  manager.MinimiseAll();
  EXPECT_TRUE(main_window->isMinimized());
  main_window->setWindowState(main_window->windowState() & ~Qt::WindowMinimized);
  EXPECT_FALSE(options_window->isMinimized());
}

TEST(QtWindowManagerTest, RestoringSkipsWindowsHiddenOrDestroyedWhileMinimised) {
  app::qt::MinimisedGroup manager;
  auto main_window = ShownWindow();
  auto find_window = ShownWindow({150, 150});
  auto options_window = ShownWindow({200, 200});

  manager.MinimiseAll();
  find_window->hide();
  options_window.reset();
  main_window->showNormal();
  QApplication::processEvents();

  EXPECT_FALSE(main_window->isMinimized());
  EXPECT_TRUE(find_window->isHidden()) << "the program hid it; restoring must not show it";
}

TEST(QtWindowManagerTest, DragWithoutTheWindowSystemFollowsThePointerUntilRelease) {
  app::qt::PointerDrag manager;
  auto window = ShownWindow({100, 100});
  auto* caption = new QWidget(window.get());
  caption->setGeometry(0, 0, 200, 24);
  caption->show();

  QCursor::setPos(110, 105);
  if (QCursor::pos() != QPoint(110, 105)) GTEST_SKIP() << "the platform has no pointer to set";
  manager.Start(caption);
  if (!manager.active()) GTEST_SKIP() << "the drag could not start";

  SendMouse(caption, QEvent::MouseMove, {140, 125}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window->pos(), QPoint(130, 120));
  // Every event passes the filter twice (window, then widget): no double steps.
  SendMouse(caption, QEvent::MouseMove, {150, 135}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window->pos(), QPoint(140, 130));

  SendMouse(caption, QEvent::MouseButtonRelease, {160, 135}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window->pos(), QPoint(150, 130));
  EXPECT_FALSE(manager.active());
  SendMouse(caption, QEvent::MouseMove, {300, 300}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(window->pos(), QPoint(150, 130)) << "the window must stay once released";

  // A release that never arrived: the first move without a button ends it.
  QCursor::setPos(200, 200);
  manager.Start(window.get());
  SendMouse(window.get(), QEvent::MouseMove, {210, 200}, Qt::NoButton, Qt::NoButton);
  EXPECT_FALSE(manager.active());
  EXPECT_EQ(window->pos(), QPoint(150, 130));

  // A window closed for good during a drag ends it without harm.
  QCursor::setPos(200, 200);
  manager.Start(caption);
  window.reset();
  auto other = ShownWindow();
  SendMouse(other.get(), QEvent::MouseMove, {220, 220}, Qt::NoButton, Qt::LeftButton);
  EXPECT_FALSE(manager.active());
  EXPECT_EQ(other->pos(), QPoint(100, 100));
}

TEST(QtShellTest, OpensOnlyExistingFilesAndHandsOverTheirRealPath) {
  TempPrefix prefix;
  platform::QtShell shell(prefix.fs());
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("file", &recorder, "Open");

  std::filesystem::create_directories(prefix.DriveC() + "/guides");
  WriteAll(prefix.DriveC() + "/guides/Quillomar.htm", "<html></html>");

  EXPECT_FALSE(shell.OpenDocument("C:\\GUIDES\\missing.htm"));
  EXPECT_FALSE(shell.OpenDocument("C:\\GUIDES")) << "a folder is not a document";
  EXPECT_TRUE(recorder.urls.empty());

  // The Windows path reaches the file whatever the letter case of its parts.
  EXPECT_TRUE(shell.OpenDocument("C:\\GUIDES\\quillomar.HTM"));
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_EQ(recorder.urls.size(), 1u);
  EXPECT_EQ(recorder.urls[0].toLocalFile().toStdString(),
            prefix.DriveC() + "/guides/Quillomar.htm");

  shell.NotifyAssociationsChanged();
  shell.NotifyAssociationsChanged();
  EXPECT_EQ(shell.notification_count(), 2);
}

TEST(QtShellTest, HelpPutsTheInstalledGuideInPlaceWhenTheCopyIsMissingOrOlder) {
  TempPrefix prefix;
  const std::string installed = prefix.root() + "/share/quillomar/Quillomar.htm";
  std::filesystem::create_directories(prefix.root() + "/share/quillomar");
  WriteAll(installed, "<html>the installed guide</html>");
  platform::QtShell shell(prefix.fs(), installed);
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("file", &recorder, "Open");

  const std::string copy = prefix.DriveC() + "/WINDOWS/Quillomar.htm";
  std::filesystem::remove(copy);
  EXPECT_TRUE(shell.OpenDocument("C:\\WINDOWS\\Quillomar.htm"));
  EXPECT_EQ(testing_support::ReadAll(copy), "<html>the installed guide</html>");
  // Other documents are opened as they are.
  WriteAll(prefix.DriveC() + "/other.htm", "mine");
  EXPECT_TRUE(shell.OpenDocument("C:\\other.htm"));
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_EQ(recorder.urls.size(), 2u);
  EXPECT_EQ(recorder.urls[0].toLocalFile().toStdString(), copy);
}

// What a message box showed, read while it was open.
struct SeenBox {
  bool seen = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  int buttons = 0;
  bool ok_button = false;
  QWidget* parent = nullptr;
};

// Reads the box that the next modal run opens, then presses its OK button.
void AnswerNextBox(SeenBox& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen.seen = true;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.format = box->textFormat();
    seen.buttons = static_cast<int>(box->buttons().size());
    seen.ok_button = box->button(QMessageBox::Ok) != nullptr;
    seen.parent = box->parentWidget();
    if (seen.ok_button) box->button(QMessageBox::Ok)->click();
  });
}

TEST(QtDialogsTest, BoxesShowTheTextExactlyUnderTheProgramsTitleWithOneOkButton) {
  platform::QtDialogs dialogs;
  auto window = ShownWindow();
  window->activateWindow();
  QApplication::processEvents();

  SeenBox message;
  AnswerNextBox(message);
  dialogs.ShowMessage("Please   select <b>one</b> item  ");
  ASSERT_TRUE(message.seen);
  EXPECT_EQ(message.title, "Quillomar");
  EXPECT_EQ(message.text, "Please   select <b>one</b> item  ");
  EXPECT_EQ(message.format, Qt::PlainText);
  EXPECT_EQ(message.icon, QMessageBox::NoIcon);
  EXPECT_EQ(message.buttons, 1);
  EXPECT_TRUE(message.ok_button);
  if (QApplication::activeWindow() == window.get()) {
    EXPECT_EQ(message.parent, window.get());
  }

  SeenBox error;
  AnswerNextBox(error);
  dialogs.ShowError("Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI");
  ASSERT_TRUE(error.seen);
  EXPECT_EQ(error.title, "Quillomar");
  EXPECT_EQ(error.text, "Unable to write to C:\\WINDOWS\\zizodo\\zizodo123\\zizodo.INI.");
  EXPECT_EQ(error.icon, QMessageBox::Critical);
  EXPECT_EQ(error.buttons, 1);
}

}  // namespace

#include "platform_qt_test.moc"

#include "tests/app/program_fixture.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QMouseEvent>
#include <QWidget>

#include "app/Unit2.h"
#include "app/toolkit/edit_controls.h"
#include "store/data_store.h"

namespace testing_support {

ProgramTest::ProgramTest() : services_{prefix_.fs(), shell_, dialogs_, window_manager_} {}

ProgramTest::~ProgramTest() {
  program_.reset();
  ProcessEvents();
}

void ProgramTest::Start() {
  program_ = std::make_unique<app::Program>(services_);
  program_->Start();
  ProcessEvents();
}

void ProgramTest::Restart() {
  program_.reset();
  ProcessEvents();
  Start();
}

void ProgramTest::StartInitialised() {
  Start();
  forms().login->SpeedButton2Click();
  ProcessEvents();
}

void ProgramTest::LogIn(const std::string& name, const std::string& password) {
  app::TForm2* login = forms().login;
  // Items are found by the bytes they stand for, which need not be UTF-8.
  const int index = login->UserBox()->findData(QByteArray::fromStdString(name));
  login->UserBox()->setCurrentIndex(index);
  login->PasswordBox()->setText(QString::fromStdString(password));
  login->Button8Click();
  ProcessEvents();
}

void ProgramTest::StartLoggedInAsAdministrator() {
  StartInitialised();
  LogIn("name", "31852");
}

std::string ProgramTest::FileText(const std::string& windows_path) {
  return ReadAll(Native(windows_path));
}

namespace {
constexpr char kScreenshotFolderVariable[] = "QUILLOMAR_SCREENSHOT_DIR";
}  // namespace

QImage GrabWindow(QWidget* window, const QString& file_name) {
  ProcessEvents();
  const QImage image = window->grab().toImage();
  const QByteArray folder = qgetenv(kScreenshotFolderVariable);
  if (!folder.isEmpty()) {
    QDir().mkpath(QString::fromLocal8Bit(folder));
    image.save(QString::fromLocal8Bit(folder) + "/" + file_name);
  }
  return image;
}

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button) {
  const QPointF local = QRectF(widget->rect()).center();
  const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
  QMouseEvent event(type, local, widget->mapToGlobal(local), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void MoveOver(QWidget* widget) { SendMouse(widget, QEvent::MouseMove, Qt::NoButton); }

void Press(QWidget* widget, Qt::MouseButton button) {
  SendMouse(widget, QEvent::MouseButtonPress, button);
  SendMouse(widget, QEvent::MouseButtonRelease, button);
}

void ProcessEvents() {
  QApplication::processEvents();
  QApplication::sendPostedEvents();
  QApplication::processEvents();
}

}  // namespace testing_support

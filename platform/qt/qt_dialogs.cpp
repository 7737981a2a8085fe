#include "platform/qt/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace platform {

namespace {

constexpr char kBoxTitle[] = "Quillomar";

void ShowBox(QMessageBox::Icon icon, const std::string& text) {
  QMessageBox box(icon, QString::fromUtf8(kBoxTitle),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, QApplication::activeWindow());
  // Rich-text detection would swallow "<...>" in a path and collapse runs of
  // blanks; the texts are meant to be shown exactly.
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
}

}  // namespace

void QtDialogs::ShowMessage(const std::string& text) { ShowBox(QMessageBox::NoIcon, text); }

void QtDialogs::ShowError(const std::string& text) {
  ShowBox(QMessageBox::Critical, ErrorBoxText(text));
}

}  // namespace platform

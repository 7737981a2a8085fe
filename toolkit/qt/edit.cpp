#include "toolkit/qt/peers.h"

#include <QKeyEvent>

namespace app::qt {

namespace {
constexpr char kAsteriskPasswordStyle[] = "QLineEdit { lineedit-password-character: 42; }";
}  // namespace

EditWidget::EditWidget(NativeEvents& events, QWidget* parent) : QLineEdit(parent), events_(events) {}

void EditWidget::keyPressEvent(QKeyEvent* event) {
  QLineEdit::keyPressEvent(event);
  if (event->isAccepted()) return;
  // What the box did not use goes to the toolkit, which hands it on.
  events_.NativeKey(KeyOf(*event));
  event->accept();
}

EditPeer::EditPeer(NativeEvents& events, QWidget* parent) : Peer<NativeEdit>(new EditWidget(events, parent)) {
  (new MouseReporter(events, widget_))->Watch(widget_, widget_);
}

void EditPeer::SetText(const std::string& text) { edit()->setText(kept_.Keep(text)); }

std::string EditPeer::Text() const { return kept_.Read(edit()->text()); }

void EditPeer::SetPassword(bool password) {
  edit()->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
  edit()->setStyleSheet(password ? kAsteriskPasswordStyle : "");
}

}  // namespace app::qt

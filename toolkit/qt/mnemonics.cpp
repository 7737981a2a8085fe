#include "toolkit/qt/mnemonics.h"

#include <QKeyEvent>
#include <QWidget>

#include "toolkit/qt/painted.h"

namespace app::qt {

namespace {
// Gives the letter to the toolkit window of `watched`; true when used.
bool Deliver(QObject* watched, char letter) {
  auto* painted = dynamic_cast<PaintedWidget*>(static_cast<QWidget*>(watched)->window());
  return painted != nullptr && painted->Events().NativeMnemonic(letter);
}
}  // namespace

bool MnemonicFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress) alt_alone_ = false;
  if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !watched->isWidgetType()) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (type == QEvent::KeyRelease) {
    if (key->key() != Qt::Key_Alt || !alt_alone_) return false;
    alt_alone_ = false;
    return Deliver(watched, 0);
  }
  if (key->key() == Qt::Key_Alt) {
    if (!key->isAutoRepeat()) alt_alone_ = true;
    return false;
  }
  alt_alone_ = false;
  const Qt::KeyboardModifiers modifiers = key->modifiers();
  if ((modifiers & Qt::AltModifier) == 0 || (modifiers & Qt::ControlModifier) != 0) return false;
  if (key->key() < Qt::Key_A || key->key() > Qt::Key_Z) return false;
  return Deliver(watched, static_cast<char>('A' + (key->key() - Qt::Key_A)));
}

}  // namespace app::qt

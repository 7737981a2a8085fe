#include "toolkit/qt/peers.h"

namespace app::qt {

PushButtonPeer::PushButtonPeer(NativeEvents& events, QWidget* parent)
    : Peer<NativePushButton>(new QPushButton(parent)) {
  (new MouseReporter(events, widget_))->Watch(widget_, widget_);
  QObject::connect(static_cast<QPushButton*>(widget_.data()), &QPushButton::clicked, widget_, [this] {
    if (on_click) on_click();
  });
}

void PushButtonPeer::SetCaption(const std::string& caption) {
  static_cast<QPushButton*>(widget_.data())->setText(ToQString(caption));
}

void PushButtonPeer::SetDefault(bool is_default) { static_cast<QPushButton*>(widget_.data())->setDefault(is_default); }

}  // namespace app::qt

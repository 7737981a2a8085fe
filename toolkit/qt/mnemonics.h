#pragma once

#include <QObject>

namespace app::qt {

// Hands Alt with a letter, and Alt pressed and released alone, to the
// toolkit window they were typed in (NativeEvents::NativeMnemonic), from
// whichever widget of it has the focus: the menus' keys. Installed on the
// application by the backend.
class MnemonicFilter final : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool alt_alone_ = false;  // Alt went down and nothing else came since
};

}  // namespace app::qt

#include "platform/qt/qt_window_manager.h"

#include <QWidget>
#include <QWindow>

namespace platform {

void QtWindowManager::StartDrag(QWidget* window) {
  if (window == nullptr) return;
  QWidget* top = window->window();
  QWindow* handle = top->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  drag_.Start(top);
}

void QtWindowManager::MinimiseAll() { minimised_.MinimiseAll(); }

}  // namespace platform

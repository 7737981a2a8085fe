#include "toolkit/qt/top_level.h"

#include <QWindow>

#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"
#include "toolkit/qt/painted.h"
#include "toolkit/qt/pointer_drag.h"

namespace app::qt {

TopLevelPeer::TopLevelPeer(NativeEvents& events, Size client, PointerDrag& drag)
    : Peer<NativeTopLevel>(new PaintedWidget(events, nullptr, Qt::Window | Qt::FramelessWindowHint)),
      drag_(drag) {
  widget_->setFixedSize(client.width, client.height);
  widget_->setFont(ToQFont(kDefaultFont));
  static_cast<PaintedWidget*>(widget_.data())->on_restored_by_window_system = [this] {
    restored_by_window_system_ = true;
  };
}

void TopLevelPeer::SetBounds(const Rect& bounds) {
  widget_->move(bounds.left, bounds.top);
  widget_->setFixedSize(bounds.width, bounds.height);
}

void TopLevelPeer::SetVisible(bool visible) {
  if (!visible) {
    widget_->hide();
    return;
  }
  // Qt keeps the native window's hints at "start minimised" when the window
  // manager restores it (it does not set them itself), and maps the window
  // with them the next time it is shown. A native window made afresh starts
  // normal; the widget keeps its place, size and content.
  if (restored_by_window_system_ && widget_->isHidden() && widget_->testAttribute(Qt::WA_WState_Created)) {
    static_cast<PaintedWidget*>(widget_.data())->DropNativeWindow();
  }
  restored_by_window_system_ = false;
  widget_->show();
}

void TopLevelPeer::SetTitle(const std::string& title) { widget_->setWindowTitle(ToQString(title)); }

Point TopLevelPeer::ScreenPosition() const { return ToPoint(widget_->pos()); }

void TopLevelPeer::StartSystemMove() {
  QWindow* handle = widget_->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  // Where the window system refuses (the offscreen platform, some X11
  // window managers) the window follows the pointer by itself.
  drag_.Start(widget_.data());
}

bool TopLevelPeer::IsMinimised() const { return widget_->isMinimized(); }

void TopLevelPeer::Restore() {
  widget_->setWindowState(widget_->windowState() & ~Qt::WindowMinimized);
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void TopLevelPeer::Minimise() { widget_->showMinimized(); }

void TopLevelPeer::AcceptFileDrops() { widget_->setAcceptDrops(true); }

void TopLevelPeer::SetModal(bool modal) {
  // Qt takes the modality when the window is shown.
  widget_->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
}

void TopLevelPeer::RunModal() {
  if (loop_ != nullptr) return;
  widget_->activateWindow();
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
}

void TopLevelPeer::EndModal() {
  if (loop_ != nullptr) loop_->quit();
}

}  // namespace app::qt

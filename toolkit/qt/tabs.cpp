#include "toolkit/qt/peers.h"

#include <QStackedWidget>

#include "toolkit/qt/painted.h"

namespace app::qt {

namespace {
// A page of the tabs: placed and shown by the tabs, never by the toolkit.
class PagePeer final : public Peer<NativeWindow> {
 public:
  explicit PagePeer(QWidget* widget) : Peer<NativeWindow>(widget) {}
  void SetBounds(const Rect&) override {}
  void SetVisible(bool) override {}
};
}  // namespace

TabsPeer::TabsPeer(NativeEvents& events, QWidget* parent) : Peer<NativeTabs>(new QTabWidget(parent)) {
  (void)events;
}

std::unique_ptr<NativeWindow> TabsPeer::AddPage(const std::string& caption, NativeEvents& events) {
  auto* page = new PaintedWidget(events, nullptr);
  tabs()->addTab(page, ToQString(caption));
  return std::make_unique<PagePeer>(page);
}

int TabsPeer::CurrentIndex() const { return tabs()->currentIndex(); }

void TabsPeer::SetCurrentIndex(int index) { tabs()->setCurrentIndex(index); }

Rect TabsPeer::PageArea() const {
  const auto* stack = tabs()->findChild<QStackedWidget*>();
  return stack != nullptr ? ToRect(stack->geometry()) : Rect(0, 0, tabs()->width(), tabs()->height());
}

}  // namespace app::qt

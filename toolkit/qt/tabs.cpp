#include "toolkit/qt/peers.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>

#include "toolkit/qt/painted.h"

namespace app::qt {

namespace {
// The tabs, which tell where their pages lie as soon as they are placed
// (the pages' own places follow only once the tabs are shown).
class TabWidget final : public QTabWidget {
 public:
  using QTabWidget::QTabWidget;
  QRect PageArea() const {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
  }
};
// A page of the tabs: placed and shown by the tabs, never by the toolkit.
class PagePeer final : public Peer<NativeWindow> {
 public:
  explicit PagePeer(QWidget* widget) : Peer<NativeWindow>(widget) {}
  void SetBounds(const Rect&) override {}
  void SetVisible(bool) override {}
};
}  // namespace

TabsPeer::TabsPeer(NativeEvents& events, QWidget* parent) : Peer<NativeTabs>(new TabWidget(parent)) {
  (void)events;
}

std::unique_ptr<NativeWindow> TabsPeer::AddPage(const std::string& caption, NativeEvents& events) {
  auto* page = new PaintedWidget(events, nullptr);
  tabs()->addTab(page, ToQString(caption));
  return std::make_unique<PagePeer>(page);
}

int TabsPeer::CurrentIndex() const { return tabs()->currentIndex(); }

void TabsPeer::SetCurrentIndex(int index) { tabs()->setCurrentIndex(index); }

Rect TabsPeer::PageArea() const { return ToRect(static_cast<const TabWidget*>(tabs())->PageArea()); }

}  // namespace app::qt

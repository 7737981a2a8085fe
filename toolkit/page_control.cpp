#include "toolkit/page_control.h"

#include <algorithm>
#include <cstddef>
#include <memory>
#include <utility>

#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"

namespace app {

PageControl::PageControl(WinControl* parent) : WinControl(parent) {
  std::unique_ptr<NativeTabs> tabs = CurrentBackend().CreateTabs(parent->Native(), *this);
  tabs_ = tabs.get();
  AttachNative(std::move(tabs));
  SetAccessible(AccessibleRole::kPageTabs);
  SetTabStop(true);
}

TabSheet* PageControl::ActivePage() const {
  const int index = tabs_->CurrentIndex();
  if (index < 0 || index >= static_cast<int>(pages_.size())) return nullptr;
  return pages_[static_cast<std::size_t>(index)];
}

void PageControl::SetActivePage(TabSheet* page) {
  const auto found = std::find(pages_.begin(), pages_.end(), page);
  if (found != pages_.end()) tabs_->SetCurrentIndex(static_cast<int>(found - pages_.begin()));
}

bool PageControl::KeyPressed(Key key) {
  const auto count = static_cast<std::ptrdiff_t>(pages_.size());
  if ((key != Key::kNextPage && key != Key::kPreviousPage) || count == 0) return WinControl::KeyPressed(key);
  const auto at = std::find(pages_.begin(), pages_.end(), ActivePage()) - pages_.begin();
  TabSheet* page = pages_[static_cast<std::size_t>((at + (key == Key::kNextPage ? 1 : count - 1)) % count)];
  SetActivePage(page);
  BorderlessWindow* window = Window();
  if (window == nullptr) return true;
  // The page's first stop, else the tab bar.
  for (Control* stop : window->TabStops()) {
    for (Control* on = stop; on != nullptr; on = on->Parent()) {
      if (on == page) {
        stop->SetFocus();
        return true;
      }
    }
  }
  SetFocus();
  return true;
}

bool TabSheet::ShownByParent() const {
  const auto* page_control = static_cast<const PageControl*>(Parent());
  return page_control == nullptr || page_control->ActivePage() == this;
}

TabSheet::TabSheet(std::string caption, PageControl* page_control)
    : WinControl(page_control), caption_(std::move(caption)) {
  // The tabs place the page; its bounds only tell the controls' layout.
  AttachNative(page_control->Tabs().AddPage(caption_, *this));
  page_control->pages_.push_back(this);
  SetBounds(page_control->Tabs().PageArea());
}

}  // namespace app

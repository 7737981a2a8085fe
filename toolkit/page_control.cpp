#include "toolkit/page_control.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "toolkit/backend.h"

namespace app {

PageControl::PageControl(WinControl* parent) : WinControl(parent) {
  std::unique_ptr<NativeTabs> tabs = CurrentBackend().CreateTabs(parent->Native(), *this);
  tabs_ = tabs.get();
  AttachNative(std::move(tabs));
  SetAccessible(AccessibleRole::kPageTabs);
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

TabSheet::TabSheet(std::string caption, PageControl* page_control)
    : WinControl(page_control), caption_(std::move(caption)) {
  // The tabs place the page; its bounds only tell the controls' layout.
  AttachNative(page_control->Tabs().AddPage(caption_, *this));
  page_control->pages_.push_back(this);
  SetBounds(page_control->Tabs().PageArea());
}

}  // namespace app

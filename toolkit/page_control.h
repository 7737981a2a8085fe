#pragma once

#include <string>
#include <vector>

#include "toolkit/control.h"

namespace app {

class TabSheet;

// A row of tabs over a page area; the page of the current tab shows. Pages
// are made with `new TabSheet(caption, page_control)`, the first one current.
class PageControl : public WinControl {
 public:
  explicit PageControl(WinControl* parent);

  const std::vector<TabSheet*>& Pages() const { return pages_; }
  // The page shown, nullptr before any page was made.
  TabSheet* ActivePage() const;
  void SetActivePage(TabSheet* page);

  NativeTabs& Tabs() const { return *tabs_; }

 protected:
  // Ctrl+Tab and Ctrl+Shift+Tab anywhere on the pages turn to the next and
  // previous page, round, and give the focus to the page's first stop.
  bool KeyPressed(Key key) override;

 private:
  friend class TabSheet;

  NativeTabs* tabs_;
  std::vector<TabSheet*> pages_;
};

// One page of a PageControl: a transparent panel in the page area that
// carries the page's controls.
class TabSheet : public WinControl {
 public:
  TabSheet(std::string caption, PageControl* page_control);

  const std::string& Caption() const { return caption_; }

 protected:
  bool ShownByParent() const override;

 private:
  std::string caption_;
};

}  // namespace app

#pragma once

#include <vector>

#include "toolkit/borderless_window.h"
#include "toolkit/control.h"
#include "toolkit/page_control.h"

namespace testing_support {

// Every control of the window that shows, parents before their children; of
// a page control only the current page, the one that shows.
inline void CollectShown(app::Control* control, std::vector<app::Control*>& out) {
  if (!control->Visible()) return;
  out.push_back(control);
  if (!control->IsWindowed()) return;
  auto* windowed = static_cast<app::WinControl*>(control);
  if (auto* pages = dynamic_cast<app::PageControl*>(windowed)) {
    if (app::TabSheet* page = pages->ActivePage()) CollectShown(page, out);
    return;
  }
  for (app::Control* child : windowed->Children()) CollectShown(child, out);
}

inline std::vector<app::Control*> ShownControls(app::BorderlessWindow* window) {
  std::vector<app::Control*> controls;
  CollectShown(window, controls);
  return controls;
}

}  // namespace testing_support

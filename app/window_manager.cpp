#include "app/window_manager.h"

#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"

namespace app {

void ToolkitWindowManager::StartDrag(BorderlessWindow& window) { window.StartSystemMove(); }

void ToolkitWindowManager::MinimiseAll() { CurrentBackend().MinimiseAll(); }

bool ToolkitWindowManager::HiddenWindowsKeepTheirPlace() { return CurrentBackend().HiddenWindowsKeepTheirPlace(); }

}  // namespace app

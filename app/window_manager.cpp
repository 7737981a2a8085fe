#include "app/window_manager.h"

#include "app/toolkit/backend.h"
#include "app/toolkit/borderless_window.h"

namespace app {

void ToolkitWindowManager::StartDrag(BorderlessWindow& window) { window.StartSystemMove(); }

void ToolkitWindowManager::MinimiseAll() { CurrentBackend().MinimiseAll(); }

}  // namespace app

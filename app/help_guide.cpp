#include "app/help_guide.h"

#include <string>

#include "app/messages.h"
#include "store/records.h"

namespace app {

void OpenHelpGuide(Services& services) {
  if (services.shell.OpenDocument(store::records::kHelpDocument)) return;
  std::string path = services.fs.NativePath(store::records::kHelpDocument);
  if (path.empty()) path = store::records::kHelpDocument;
  services.dialogs.ShowMessage(messages::kCannotOpenGuide + path + messages::kCannotOpenGuideEnd);
}

}  // namespace app

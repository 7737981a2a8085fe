#pragma once

#include <string>

namespace platform {

// The desktop shell: opening documents and telling open shell windows that
// something changed.
class Shell {
 public:
  Shell() = default;
  Shell(const Shell&) = delete;
  Shell& operator=(const Shell&) = delete;
  virtual ~Shell() = default;

  // Asks the desktop to open the document at the Windows path with its
  // default program ("open" verb, shown normally). Returns false when the
  // request could not be made (for instance the file is missing); callers
  // ignore the result.
  virtual bool OpenDocument(const std::string& path) = 0;

  // Tells open shell windows that associations changed, so that they redraw
  // (SHChangeNotify with SHCNE_ASSOCCHANGED, no items).
  virtual void NotifyAssociationsChanged() = 0;
};

}  // namespace platform

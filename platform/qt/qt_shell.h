#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace platform {

// The desktop shell on Linux: documents go to the desktop's default handler;
// shell notifications have nobody to tell and are only counted.
class QtShell final : public Shell {
 public:
  // `fs` maps Windows paths to real ones and must outlive the shell.
  explicit QtShell(FileSystem& fs) : fs_(fs) {}

  // Hands the file at the Windows path to the desktop's default handler.
  // Returns false when no file is there (folders included) or the desktop
  // refused the request, true when the request was made.
  bool OpenDocument(const std::string& path) override;

  // Counts the notification; nothing else listens for it on Linux.
  void NotifyAssociationsChanged() override { ++notification_count_; }

  // How many notifications were sent since the shell was made.
  int notification_count() const { return notification_count_; }

 private:
  FileSystem& fs_;
  int notification_count_ = 0;
};

}  // namespace platform

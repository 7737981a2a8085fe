#pragma once

#include <string>
#include <utility>

#include "platform/file_system.h"
#include "platform/shell.h"

namespace platform {

// The desktop shell on Linux: documents go to the desktop's default handler;
// shell notifications have nobody to tell and are only counted.
class QtShell final : public Shell {
 public:
  // `fs` maps Windows paths to real ones and must outlive the shell.
  // `installed_guide` is the real path of the user guide installed with the
  // program ("" for none).
  explicit QtShell(FileSystem& fs, std::string installed_guide = {})
      : fs_(fs), installed_guide_(std::move(installed_guide)) {}

  // Hands the file at the Windows path to the desktop's default handler.
  // The program's guide (C:\WINDOWS\Quillomar.htm) is first put in place
  // from the installed one when the prefix's copy is missing or older, as
  // an installer would have left it. Returns false when no file is there
  // (folders included) or the desktop refused the request, true when the
  // request was made.
  bool OpenDocument(const std::string& path) override;

  // Counts the notification; nothing else listens for it on Linux.
  void NotifyAssociationsChanged() override { ++notification_count_; }

  // How many notifications were sent since the shell was made.
  int notification_count() const { return notification_count_; }

 private:
  FileSystem& fs_;
  std::string installed_guide_;
  int notification_count_ = 0;
};

}  // namespace platform

#include "platform/posix/help_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <string>

#include "platform/posix/fd_io.h"

namespace platform::posix {

namespace {

// Generated at build time from docs/Quillomar.htm: kHelpDocumentBytes and
// kHelpDocumentBytesSize.
#include "help_document_bytes.inc"

// A document for the user to read: not private like the record files (the
// prefix itself keeps others out).
constexpr mode_t kDocumentMode = 0644;
constexpr char kTempSuffix[] = ".new-";

}  // namespace

std::string_view HelpDocument() {
  return {reinterpret_cast<const char*>(kHelpDocumentBytes), kHelpDocumentBytesSize};
}

bool PlaceHelpDocument(const std::string& native_path) {
  // The bytes go to a temporary file that then takes the real name in a step
  // that refuses an existing one: nothing is ever overwritten, and a reader
  // never sees half a page. A temporary name of this process can only be
  // left over from a crash.
  const std::string temp = native_path + kTempSuffix + std::to_string(::getpid());
  ::unlink(temp.c_str());
  UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kDocumentMode));
  if (!fd.valid()) return false;
  bool placed = WriteFully(fd.get(), HelpDocument()) && fd.Close();
  if (placed && ::link(temp.c_str(), native_path.c_str()) != 0) {
    // Some file systems have no hard links; a rename that never replaces
    // serves there.
    placed = errno != EEXIST &&
             ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, native_path.c_str(), RENAME_NOREPLACE) == 0;
  }
  ::unlink(temp.c_str());
  return placed;
}

}  // namespace platform::posix

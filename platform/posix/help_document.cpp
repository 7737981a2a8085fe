#include "platform/posix/help_document.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

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

bool Earlier(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Writes `bytes` to a new temporary file beside `native_path`, stamped with
// `modified`, then gives it the real name: over an older guide when
// `replace`, otherwise only where nothing is. Nobody ever sees half a page.
bool InstallGuideBytes(const std::string& native_path, std::string_view bytes, const timespec& modified,
                       bool replace) {
  const std::string temp = native_path + kTempSuffix + std::to_string(::getpid());
  ::unlink(temp.c_str());
  UniqueFd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kDocumentMode));
  if (!fd.valid()) return false;
  const timespec times[2] = {{0, UTIME_NOW}, modified};
  bool placed = WriteFully(fd.get(), bytes) && ::futimens(fd.get(), times) == 0 && fd.Close();
  if (placed && replace) {
    placed = ::rename(temp.c_str(), native_path.c_str()) == 0;
  } else if (placed && ::link(temp.c_str(), native_path.c_str()) != 0) {
    // As PlaceHelpDocument: a rename that never replaces where there are no
    // hard links.
    placed = errno != EEXIST &&
             ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, native_path.c_str(), RENAME_NOREPLACE) == 0;
  }
  ::unlink(temp.c_str());
  return placed;
}

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

bool UpdateHelpDocument(const std::string& native_path, const std::string& installed_path) {
  struct stat current;
  const bool present = ::lstat(native_path.c_str(), &current) == 0;
  if (present && !S_ISREG(current.st_mode)) return false;

  UniqueFd installed(::open(installed_path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat source;
  if (!installed.valid() || ::fstat(installed.get(), &source) != 0 || !S_ISREG(source.st_mode)) {
    return present || PlaceHelpDocument(native_path);
  }
  if (present && !Earlier(current.st_mtim, source.st_mtim)) return true;
  const std::optional<std::string> bytes = ReadToEnd(installed.get());
  if (!bytes) return present;
  return InstallGuideBytes(native_path, *bytes, source.st_mtim, present) || present;
}

}  // namespace platform::posix

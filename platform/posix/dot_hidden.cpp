#include "platform/posix/dot_hidden.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "platform/posix/atomic_file.h"
#include "platform/posix/fd_io.h"

namespace platform::posix {

namespace {

constexpr char kLineEnd = '\n';
constexpr mode_t kNewFileMode = 0666;

std::string DotHiddenPath(const std::string& native_folder) {
  if (native_folder == "/") return std::string("/") + kDotHiddenName;
  return native_folder + "/" + kDotHiddenName;
}

// Calls `visit(line, line_with_end)` for each line of `content`.
template <typename Visit>
void ForEachLine(std::string_view content, Visit visit) {
  while (!content.empty()) {
    std::size_t end = content.find(kLineEnd);
    std::size_t next = (end == std::string_view::npos) ? content.size() : end + 1;
    visit(content.substr(0, end == std::string_view::npos ? content.size() : end),
          content.substr(0, next));
    content.remove_prefix(next);
  }
}

// The file's bytes: "" when there is none, nullopt when it cannot be read.
std::optional<std::string> ReadContent(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) {
    if (errno == ENOENT) return std::string();
    return std::nullopt;
  }
  return ReadToEnd(fd.get());
}

}  // namespace

bool HasLine(std::string_view content, std::string_view name) {
  bool found = false;
  ForEachLine(content, [&](std::string_view line, std::string_view) {
    if (line == name) found = true;
  });
  return found;
}

std::string WithLine(std::string_view content, std::string_view name) {
  std::string out(content);
  if (!out.empty() && out.back() != kLineEnd) out += kLineEnd;
  out += name;
  out += kLineEnd;
  return out;
}

std::string WithoutLine(std::string_view content, std::string_view name) {
  std::string out;
  out.reserve(content.size());
  ForEachLine(content, [&](std::string_view line, std::string_view whole) {
    if (line != name) out += whole;
  });
  return out;
}

std::unordered_set<std::string> ReadDotHiddenNames(const std::string& native_folder) {
  std::unordered_set<std::string> names;
  std::optional<std::string> content = ReadContent(DotHiddenPath(native_folder));
  if (!content) return names;
  ForEachLine(*content, [&](std::string_view line, std::string_view) {
    names.emplace(line);
  });
  return names;
}

bool ListedInDotHidden(const std::string& native_folder, std::string_view name) {
  std::optional<std::string> content = ReadContent(DotHiddenPath(native_folder));
  return content && HasLine(*content, name);
}

bool SetListedInDotHidden(const std::string& native_folder, const std::string& name,
                          bool listed, mode_t umask) {
  // A name with a line feed would list two other names instead of itself.
  if (name.empty() || name.find(kLineEnd) != std::string::npos) return true;
  const std::string path = DotHiddenPath(native_folder);
  std::optional<std::string> content = ReadContent(path);
  if (!content) return false;
  if (HasLine(*content, name) == listed) return true;
  struct stat status;
  if (::lstat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    // Not ours to replace (a link the user made).
    return false;
  }

  const std::string updated = listed ? WithLine(*content, name) : WithoutLine(*content, name);
  if (updated.empty()) return ::unlink(path.c_str()) == 0 || errno == ENOENT;
  AtomicFile file;
  return file.Open(path, kNewFileMode & ~umask) && file.Write(updated) &&
         file.Commit(Durability::kCheap);
}

}  // namespace platform::posix

#include "platform/file_system.h"

namespace platform {

bool ToReadAfter(StampVerdict verdict, StampedRead& read) {
  switch (verdict) {
    case StampVerdict::kKnown:
      read.status = ReadStatus::kOk;
      read.known = true;
      read.after = read.before;
      return false;
    case StampVerdict::kTooLarge:
      read.status = ReadStatus::kError;
      return false;
    case StampVerdict::kRead:
      break;
  }
  return true;
}

// The portable form: a stamp, the read, and a second stamp, each its own call.
StampedRead FileSystem::ReadStamped(const std::string& path,
                                    const std::function<StampVerdict(const FileStamp&)>& look) {
  StampedRead result;
  result.before = Stamp(path);
  if (result.before) {
    if (!ToReadAfter(look(*result.before), result)) return result;
  }
  ReadResult read = ReadFile(path);
  result.status = read.status;
  if (read.status != ReadStatus::kOk) return result;
  result.bytes = std::move(read.bytes);
  const std::optional<FileStamp> after = Stamp(path);
  if (result.before && after && *after == *result.before && after->size == result.bytes.size()) {
    result.after = after;
  }
  return result;
}

Replacement FileSystem::ReplaceFileStamped(const std::string& path, const std::string& bytes) {
  Replacement result;
  result.replaced = ReplaceFile(path, bytes);
  if (result.replaced) result.stamp = Stamp(path);
  return result;
}

}  // namespace platform

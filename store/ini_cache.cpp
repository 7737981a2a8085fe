#include "store/ini_cache.h"

#include <algorithm>

namespace store {

IniCache& IniCache::Instance() {
  static IniCache cache;
  return cache;
}

std::optional<CachedIni> IniCache::Find(const platform::FileStamp& stamp) {
  std::lock_guard lock(mutex_);
  const auto it = slots_.find(IdOf(stamp));
  if (it == slots_.end()) return std::nullopt;
  it->second.last_use = ++clock_;
  return it->second.entry;
}

std::optional<CachedIni> IniCache::Take(const platform::FileStamp& stamp) {
  std::lock_guard lock(mutex_);
  const auto it = slots_.find(IdOf(stamp));
  if (it == slots_.end()) return std::nullopt;
  CachedIni entry = std::move(it->second.entry);
  slots_.erase(it);
  return entry;
}

void IniCache::Put(CachedIni entry) {
  const FileId id = IdOf(entry.stamp);
  std::lock_guard lock(mutex_);
  if (slots_.size() >= kMaxFiles && slots_.find(id) == slots_.end()) {
    const auto oldest = std::min_element(slots_.begin(), slots_.end(), [](const auto& a, const auto& b) {
      return a.second.last_use < b.second.last_use;
    });
    slots_.erase(oldest);
  }
  slots_[id] = Slot{std::move(entry), ++clock_};
}

void IniCache::Clear() {
  std::lock_guard lock(mutex_);
  slots_.clear();
}

bool StampIsSettled(const platform::FileStamp& stamp, std::chrono::system_clock::time_point read_at) {
  const std::int64_t read_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(read_at.time_since_epoch()).count();
  const std::int64_t granularity_ns = std::chrono::nanoseconds(kStampGranularity).count();
  return std::max(stamp.modified_ns, stamp.changed_ns) < read_ns - granularity_ns;
}

}  // namespace store

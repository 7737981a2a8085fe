#include "platform/nested_lock.h"

namespace platform {

class NestedLock::Holder final : public RecordLock {
 public:
  explicit Holder(NestedLock& owner) : owner_(owner) {}
  ~Holder() override { owner_.Release(); }

 private:
  NestedLock& owner_;
};

std::unique_ptr<RecordLock> NestedLock::Acquire() {
  std::lock_guard<std::mutex> guard(mutex_);
  if (depth_ == 0 && !LockFirst()) return nullptr;
  ++depth_;
  return std::make_unique<Holder>(*this);
}

void NestedLock::Release() {
  std::lock_guard<std::mutex> guard(mutex_);
  if (--depth_ == 0) UnlockLast();
}

}  // namespace platform

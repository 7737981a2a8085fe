#include "app/busy_pointer.h"

#include "toolkit/backend.h"

namespace app {

BusyPointer::BusyPointer() : start_(std::chrono::steady_clock::now()), listener_([this] { Check(); }) {}

BusyPointer::~BusyPointer() {
  if (shown_) CurrentBackend().PopBusyPointer();
}

void BusyPointer::Check() {
  if (shown_ || std::chrono::steady_clock::now() - start_ < kBusyPointerDelay) return;
  shown_ = true;
  CurrentBackend().PushBusyPointer();
}

}  // namespace app

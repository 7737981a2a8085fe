#include "toolkit/backend.h"

#include <cassert>

namespace app {

namespace {
Backend* current_backend = nullptr;
}  // namespace

Backend& CurrentBackend() {
  assert(current_backend != nullptr && "the front end installs its backend before making controls");
  return *current_backend;
}

void SetCurrentBackend(Backend* backend) { current_backend = backend; }

}  // namespace app

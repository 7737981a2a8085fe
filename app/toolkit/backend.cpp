#include "app/toolkit/backend.h"

namespace app {

namespace {
Backend* current_backend = nullptr;
}  // namespace

Backend& CurrentBackend() { return *current_backend; }

void SetCurrentBackend(Backend* backend) { current_backend = backend; }

}  // namespace app

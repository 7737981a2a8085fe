#include "store/errors.h"

namespace store {

namespace {
constexpr char kWriteErrorFormat[] = "Unable to write to ";
}  // namespace

WriteError::WriteError(const std::string& windows_path)
    : Error(kWriteErrorFormat + windows_path), path_(windows_path) {}

}  // namespace store

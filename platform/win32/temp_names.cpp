#include "platform/win32/temp_names.h"

#include <cstdint>
#include <mutex>
#include <random>

namespace platform::win32 {

namespace {

constexpr std::wstring_view kPrefix = L"qlm";
constexpr std::wstring_view kSuffix = L".tmp";
constexpr std::size_t kRandomDigits = 16;
constexpr wchar_t kDigits[] = L"0123456789abcdef";

bool IsDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f'); }

}  // namespace

std::wstring NewTempName() {
  static std::mutex mutex;
  static std::mt19937_64 generator{std::random_device{}()};
  std::uint64_t random;
  {
    const std::lock_guard<std::mutex> lock(mutex);
    random = generator();
  }
  std::wstring name(kPrefix);
  for (std::size_t i = 0; i < kRandomDigits; ++i) {
    name += kDigits[(random >> (4 * (kRandomDigits - 1 - i))) & 0xF];
  }
  name += kSuffix;
  return name;
}

bool IsTempName(std::wstring_view name) {
  if (name.size() != kPrefix.size() + kRandomDigits + kSuffix.size()) return false;
  if (name.substr(0, kPrefix.size()) != kPrefix || name.substr(name.size() - kSuffix.size()) != kSuffix) {
    return false;
  }
  for (wchar_t c : name.substr(kPrefix.size(), kRandomDigits)) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

}  // namespace platform::win32

#include "engine/account_names.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "platform/windows_path.h"
#include "store/ini_document.h"
#include "store/records.h"

namespace engine {

namespace {

// Characters that would change how the name reads back as a key of the
// settings file (a file name cannot hold the others).
constexpr std::string_view kForbiddenInKey = "=[]";
// A line of the settings file that starts with this is a comment.
constexpr char kCommentStart = ';';
constexpr char kBlank = ' ';
constexpr char kDot = '.';
constexpr char kSingleQuote = '\'';
constexpr char kDoubleQuote = '"';
// The longest path Windows accepts, without its terminating NUL.
constexpr std::size_t kMaxPathLength = 259;
// Device names that Windows reserves in every folder, whatever the extension.
constexpr std::array<std::string_view, 24> kReservedDeviceNames = {
    "con",  "prn",  "aux",  "nul",  "conin$", "conout$", "com1", "com2",
    "com3", "com4", "com5", "com6", "com7",   "com8",    "com9", "lpt1",
    "lpt2", "lpt3", "lpt4", "lpt5", "lpt6",   "lpt7",    "lpt8", "lpt9"};
// The data folder's own record files, which share the folder with the
// account files: "zizodo.INI" and "biefei.INI".
constexpr std::array<std::string_view, 2> kRecordFileNames = {"zizodo", "biefei"};

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

bool IsForbiddenInName(char c) {
  return IsControl(c) || kForbiddenInKey.find(c) != std::string_view::npos ||
         platform::windows_path::HoldsForbiddenCharacter(std::string_view(&c, 1));
}

bool IsOneOf(std::string_view folded, std::span<const std::string_view> names) {
  return std::find(names.begin(), names.end(), folded) != names.end();
}

// Windows takes the part before the first dot, without the blanks before
// that dot, as the device name: "nul.txt" and "con .x" are devices too.
bool IsReservedDeviceName(const std::string& name) {
  std::string_view base = std::string_view(name).substr(0, name.find(kDot));
  while (!base.empty() && base.back() == kBlank) base.remove_suffix(1);
  return IsOneOf(platform::windows_path::FoldCase(base), kReservedDeviceNames);
}

}  // namespace

bool IsValidAccountName(const std::string& name) {
  if (name.empty()) return false;
  if (std::any_of(name.begin(), name.end(), IsForbiddenInName)) return false;
  if (name.front() == kCommentStart || name.front() == kBlank || name.back() == kBlank) return false;
  // Covers "." and ".." too.
  if (name.back() == kDot) return false;
  if (IsReservedDeviceName(name)) return false;
  if (IsOneOf(platform::windows_path::FoldCase(name), kRecordFileNames)) return false;
  return store::records::AccountFile(name).size() <= kMaxPathLength;
}

bool IsValidPassword(const std::string& password) {
  if (password.empty() || password.size() > store::IniDocument::kMaxValueLength) return false;
  if (std::any_of(password.begin(), password.end(), IsControl)) return false;
  if (password.front() == kBlank || password.back() == kBlank) return false;
  const char first = password.front();
  const bool quoted =
      password.size() >= 2 && (first == kSingleQuote || first == kDoubleQuote) && password.back() == first;
  return !quoted;
}

std::optional<std::string> AccountFile(const std::string& account) {
  if (!IsValidAccountName(account)) return std::nullopt;
  return store::records::AccountFile(account);
}

}  // namespace engine

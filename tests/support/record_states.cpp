#include "tests/support/record_states.h"

#include <filesystem>
#include <set>

#include "tests/support/temp_prefix.h"

namespace testing_support {

namespace {
namespace fs = std::filesystem;

constexpr char kAbsent[] = "<absent>";

// The state of one entry in a map, or kAbsent.
const std::string& StateIn(const FileStates& states, const std::string& name) {
  static const std::string absent = kAbsent;
  const auto it = states.find(name);
  return it == states.end() ? absent : it->second;
}

// A short, printable view of a state for a failure message.
std::string Shown(const std::string& state) {
  constexpr std::size_t kShown = 120;
  std::string out;
  for (char c : state.substr(0, kShown)) {
    out += (c == '\r') ? std::string("\\r") : (c == '\n') ? std::string("\\n") : std::string(1, c);
  }
  if (state.size() > kShown) out += "...(" + std::to_string(state.size()) + " bytes)";
  return out;
}
}  // namespace

FileStates ReadFileStates(const std::string& real_folder) {
  FileStates states;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(real_folder, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    const std::string name = fs::relative(it->path(), real_folder).string();
    if (it->is_symlink()) {
      states[name] = kOtherState;
      it.disable_recursion_pending();
    } else if (it->is_directory()) {
      states[name] = kFolderState;
    } else if (it->is_regular_file()) {
      states[name] = ReadAll(it->path().string());
    } else {
      states[name] = kOtherState;
    }
  }
  return states;
}

std::string EntriesInNeitherState(const FileStates& now, const FileStates& before,
                                  const FileStates& after) {
  std::set<std::string> names;
  for (const FileStates* states : {&now, &before, &after}) {
    for (const auto& entry : *states) names.insert(entry.first);
  }
  std::string report;
  for (const std::string& name : names) {
    const std::string& state = StateIn(now, name);
    if (state == StateIn(before, name) || state == StateIn(after, name)) continue;
    report += name + ": " + Shown(state) + " (before: " + Shown(StateIn(before, name)) +
              ", after: " + Shown(StateIn(after, name)) + ")\n";
  }
  return report;
}

}  // namespace testing_support

#include <memory>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/account_names.h"
#include "engine/entry_deletion.h"
#include "engine/hidden_items.h"
#include "engine/records_lock.h"
#include "store/errors.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "store/records.h"

namespace engine {

namespace {

namespace records = store::records;

// The paths of the unticked rows in the order the restore walks the list:
// from the last row to the first.
std::vector<std::string> UntickedFromLast(const std::vector<ListRow>& rows) {
  std::vector<std::string> paths;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    if (!row->ticked) paths.push_back(row->path);
  }
  return paths;
}

// Takes out of `paths` every path whose item still carries a mark after
// the change `marks` reports: its entries stay, so that the item is never
// hidden without a record. An item that is no more goes from the records.
// Returns what could not be changed for the first such path (the list of
// hidden names that could not be rewritten, or else the item), "" when
// every item came back.
std::string KeepUnshown(const std::vector<platform::AttributesResult>& marks, std::vector<std::string>& paths) {
  std::unordered_set<std::string> unshown_paths;
  std::string unshown;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (marks[i].applied || marks[i].absent) continue;
    unshown_paths.insert(paths[i]);
    if (unshown.empty()) unshown = marks[i].unlisted_in.empty() ? paths[i] : marks[i].unlisted_in;
  }
  std::erase_if(paths, [&](const std::string& path) { return unshown_paths.count(path) != 0; });
  return unshown;
}

}  // namespace

void CleanGlobalRecord(platform::FileSystem& fs, const std::vector<ListRow>& rows) {
  std::vector<std::string> paths = UntickedFromLast(rows);
  if (paths.empty()) return;
  std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  store::IniFile(fs, records::kGlobalRecordFile).Update([&](store::IniDocument& doc) {
    DeleteEntriesWithPaths(doc, paths);
  });
}

std::vector<std::string> Restore(platform::FileSystem& fs, const std::string& account,
                                 const std::vector<ListRow>& rows) {
  // An account whose name fails the account rules has no list to restore from.
  if (!IsValidAccountName(account)) return {};
  std::vector<std::string> paths = UntickedFromLast(rows);
  if (paths.empty()) return LoadList(fs, account);
  std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);

  // The items come back first: should a record file then fail to be
  // rewritten, its entries still name items that are visible, which a later
  // restore settles, rather than hidden items without entries.
  // All in one call, which reads and replaces each folder's list of hidden
  // names once however many of its items come back.
  const std::string unshown = KeepUnshown(fs.SetItemsAttributes(paths, platform::kAttrNone, platform::LastNameMatch::kExact), paths);

  // The global record goes before the account file, and the account file
  // only once the global record is rewritten: a restore that stops or fails
  // in between leaves the account file listing the items, so that the row
  // stays and the next Comeback finishes the job, never a global entry that
  // nothing would remove. Each is cleaned once per unticked row, each time
  // over the keys as they stand then and the unticked rows still in the
  // list. After a pass that deletes nothing the later ones cannot delete
  // anything either.
  if (!paths.empty()) {
    store::IniFile(fs, records::kGlobalRecordFile).Update([&](store::IniDocument& doc) {
      std::span<const std::string> remaining(paths);
      while (!remaining.empty() && DeleteEntriesWithPaths(doc, remaining)) {
        remaining = remaining.subspan(1);
      }
    });
    // The account file's keys are listed once, before any deletion.
    store::IniFile(fs, records::AccountFile(account)).Update([&](store::IniDocument& doc) {
      DeleteEntriesWithPaths(doc, paths);
    });
  }
  if (!unshown.empty()) throw store::WriteError(unshown);

  return LoadList(fs, account);
}

}  // namespace engine

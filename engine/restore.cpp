#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/entry_deletion.h"
#include "engine/hidden_items.h"
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

std::vector<std::string> HiddenItemKeys(const store::IniDocument& doc) {
  return doc.Keys(records::kHiddenItemsSection);
}

}  // namespace

void CleanGlobalRecord(platform::FileSystem& fs, const std::vector<ListRow>& rows) {
  std::vector<std::string> paths = UntickedFromLast(rows);
  if (paths.empty()) return;
  std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();
  store::IniFile(fs, records::kGlobalRecordFile).Update([&](store::IniDocument& doc) {
    DeleteEntriesWithPaths(doc, HiddenItemKeys(doc), paths);
  });
}

std::vector<std::string> Restore(platform::FileSystem& fs, const std::string& account,
                                 const std::vector<ListRow>& rows) {
  // An account whose name fails the account rules has no list to restore from.
  if (!IsValidAccountName(account)) return {};
  std::vector<std::string> paths = UntickedFromLast(rows);
  if (paths.empty()) return LoadList(fs, account);
  std::unique_ptr<platform::RecordLock> lock = fs.LockRecords();

  // The items come back first: should a record file then fail to be
  // rewritten, its entries still name items that are visible, which a later
  // restore settles, rather than hidden items without entries.
  for (const std::string& path : paths) fs.SetAttributes(path, platform::kAttrNone);

  // The account file's keys are listed once, before any deletion.
  store::IniFile(fs, records::AccountFile(account)).Update([&](store::IniDocument& doc) {
    DeleteEntriesWithPaths(doc, HiddenItemKeys(doc), paths);
  });

  // The global record is cleaned once per unticked row, each time over the
  // keys as they stand then and the unticked rows still in the list. After a
  // pass that deletes nothing the later ones cannot delete anything either.
  store::IniFile(fs, records::kGlobalRecordFile).Update([&](store::IniDocument& doc) {
    std::span<const std::string> remaining(paths);
    while (!remaining.empty() && DeleteEntriesWithPaths(doc, HiddenItemKeys(doc), remaining)) {
      remaining = remaining.subspan(1);
    }
  });

  return LoadList(fs, account);
}

}  // namespace engine

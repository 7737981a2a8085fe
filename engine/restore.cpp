#include <exception>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/account_names.h"
#include "engine/entry_deletion.h"
#include "engine/hidden_items.h"
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

// Every key of the hidden-item section: a restore must reach each entry the
// list shows, however many there are.
std::vector<std::string> HiddenItemKeys(const store::IniDocument& doc) {
  return doc.AllKeys(records::kHiddenItemsSection);
}

// Runs `rewrite`; a write error is kept in `failure` (the first one only)
// instead of ending the command, so that the next file is still attempted.
template <typename Rewrite>
void Attempt(Rewrite rewrite, std::exception_ptr& failure) {
  try {
    rewrite();
  } catch (const store::WriteError&) {
    if (!failure) failure = std::current_exception();
  }
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

  // The global record goes before the account file: a restore that stops in
  // between leaves the account file listing the items, so that the next
  // Comeback finishes the job, and never a global entry that nothing would
  // remove. Each is cleaned once per unticked row, each time over the keys
  // as they stand then and the unticked rows still in the list. After a pass
  // that deletes nothing the later ones cannot delete anything either.
  std::exception_ptr failure;
  Attempt([&] {
    store::IniFile(fs, records::kGlobalRecordFile).Update([&](store::IniDocument& doc) {
      std::span<const std::string> remaining(paths);
      while (!remaining.empty() && DeleteEntriesWithPaths(doc, HiddenItemKeys(doc), remaining)) {
        remaining = remaining.subspan(1);
      }
    });
  }, failure);
  // The account file's keys are listed once, before any deletion.
  Attempt([&] {
    store::IniFile(fs, records::AccountFile(account)).Update([&](store::IniDocument& doc) {
      DeleteEntriesWithPaths(doc, HiddenItemKeys(doc), paths);
    });
  }, failure);
  if (failure) std::rethrow_exception(failure);

  return LoadList(fs, account);
}

}  // namespace engine

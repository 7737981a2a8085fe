#include <memory>
#include <optional>
#include <string>

#include "engine/account_names.h"
#include "engine/hidden_items.h"
#include "engine/hide_counter.h"
#include "engine/records_lock.h"
#include "store/errors.h"
#include "store/ini_file.h"
#include "store/records.h"
#include "platform/record_text.h"
#include "platform/windows_path.h"

namespace engine {

namespace records = store::records;

bool IsRejectedPath(const std::string& path) {
  return platform::windows_path::IsDriveRoot(path) ||
         !platform::windows_path::StartsWithDrive(path);
}

std::string HideItem(platform::FileSystem& fs, const std::string& account,
                     const std::string& path, const platform::FolderEntry& entry) {
  if (IsRejectedPath(path)) return "";
  // No account file is ever named after a name that fails the account rules.
  if (!IsValidAccountName(account)) return "";
  if (std::optional<Unrecordable> why = WhyUnhideable(fs, path, entry)) {
    throw UnrecordableItem(path, *why);
  }

  // Another copy of the program must not raise the counter in between.
  std::unique_ptr<platform::RecordLock> lock = LockRecords(fs);
  store::IniFile settings(fs, records::kSettingsFile);
  // Converted before anything changes, so a counter that is not a number
  // leaves the item and every file as they were.
  std::string next = NextCounterText(
      settings.ReadString(records::kCounterSection, records::kCounterKey, ""));
  settings.WriteString(records::kCounterSection, records::kCounterKey, next);
  // The sequence number is the counter as the file now holds it.
  std::string number = settings.ReadString(records::kCounterSection, records::kCounterKey, "");
  const std::string recorded = platform::ToRecordText(path).value_or(path);
  store::IniFile(fs, records::AccountFile(account))
      .WriteString(records::kHiddenItemsSection, number, recorded);
  store::IniFile(fs, records::kGlobalRecordFile)
      .WriteString(records::kHiddenItemsSection, number, recorded);

  // The marks come last: a record of an item that is not hidden is harmless
  // (the list shows it and Comeback clears it), a hidden item without one
  // is lost.
  const platform::AttributesResult marks = fs.SetEntryAttributes(entry, platform::kAttrHiddenSystem);
  if (!marks.unlisted_in.empty()) {
    // The folder's list of hidden names could not be changed, so the item
    // was left unmarked: it is not hidden, and its entries go again, the
    // global one first, as a restore takes them. The number stays used.
store::IniFile(fs, records::kGlobalRecordFile).DeleteKey(records::kHiddenItemsSection, number);
    store::IniFile(fs, records::AccountFile(account)).DeleteKey(records::kHiddenItemsSection, number);
    throw store::WriteError(marks.unlisted_in);
  }
  return number;
}

std::string HideItem(platform::FileSystem& fs, const std::string& account,
                     const std::string& path) {
  namespace windows_path = platform::windows_path;
  return HideItem(fs, account, path, {windows_path::Parent(path), windows_path::LastName(path)});
}

}  // namespace engine

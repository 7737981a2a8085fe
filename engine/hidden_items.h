#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

// Hiding, listing and restoring the current account's items. Every routine
// takes the current account (the login window's user box) and the rows it
// needs, and returns what the window shows. Record files are read afresh at
// every call; nothing is cached here.
namespace engine {

// One row of the hidden-item list: the item's path and its tick.
struct ListRow {
  std::string path;
  bool ticked = true;
};

// True when the hide routine refuses the path without a word: a drive root
// "A:\".."Z:\", an empty text, or a text not starting with a capital drive
// letter and a colon.
bool IsRejectedPath(const std::string& path);

// The hide routine's checks and writes: sets the item hidden+system, raises
// the shared counter, and records the path under the new sequence number in
// the account file and then in the global record. Returns the sequence
// number, or "" when the path was rejected or the account's name fails
// IsValidAccountName (nothing changed). Holds the records' lock meanwhile.
// Throws store::WriteError or engine::ConversionError; the item is never
// left hidden without its records.
std::string HideItem(platform::FileSystem& fs, const std::string& account,
                     const std::string& path);

// The list load: the paths of the account file's hidden-item entries in file
// order (every row ticked by the caller); empty for an account whose name
// fails IsValidAccountName.
std::vector<std::string> LoadList(platform::FileSystem& fs, const std::string& account);

// The global-record cleanup: deletes every global-record entry whose value
// equals the path of an unticked row, with one rewrite of the file (none when
// nothing is deleted), under the records' lock. Throws store::WriteError when
// it cannot be rewritten.
void CleanGlobalRecord(platform::FileSystem& fs, const std::vector<ListRow>& rows);

// The restore: for every unticked row clears the item's attributes and
// deletes every entry with its path from the account file and the global
// record, with at most one rewrite of each; with no unticked row no file is
// written; the records' lock is held meanwhile. Returns the list as reloaded
// afterwards. Throws store::WriteError when a record file cannot be
// rewritten; the items' attributes are cleared by then. For an account whose
// name fails IsValidAccountName nothing changes and the list is empty.
std::vector<std::string> Restore(platform::FileSystem& fs, const std::string& account,
                                 const std::vector<ListRow>& rows);

// "Present user name:" + account + ";     Hide:  " + rows + " File".
std::string StatusLine(const std::string& account, std::size_t rows);

}  // namespace engine

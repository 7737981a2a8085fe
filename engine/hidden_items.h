#pragma once

#include <string>
#include <vector>

#include "engine/unrecordable_item.h"
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

// The hide routine's checks and writes on the item `path` names, which is
// the folder entry `entry` (the browser's row: its folder and exact name).
// Rejected paths, and an account whose name fails IsValidAccountName,
// change nothing and return "". An item whose path the
// records cannot give back exactly, or a link that cannot carry marks of
// its own, is refused before anything changes (throws UnrecordableItem). Otherwise it raises the shared counter,
// records the path under the new sequence number in the account file and
// then in the global record, and only then makes the entry hidden+system,
// so that wherever the process dies no item is hidden without both entries.
// Returns the sequence number. Holds the records' lock meanwhile (throws
// store::WriteError naming the lock file, changing nothing, when it cannot
// be taken). Throws store::WriteError or engine::ConversionError (the item
// then unchanged), and store::WriteError naming the folder's list of hidden
// names when file managers could not be told: the item is then left
// unmarked and its entries are taken out again (the number stays used).
std::string HideItem(platform::FileSystem& fs, const std::string& account,
                     const std::string& path, const platform::FolderEntry& entry);

// The same for an item known by its path alone (tools and tests): the
// entry is the path's last name in the folder before it.
std::string HideItem(platform::FileSystem& fs, const std::string& account,
                     const std::string& path);

// The list load: the paths of every hidden-item entry of the account file in
// file order, however many there are (every row ticked by the caller);
// empty for an account whose name fails IsValidAccountName.
std::vector<std::string> LoadList(platform::FileSystem& fs, const std::string& account);

// The global-record cleanup: deletes every global-record entry whose value
// equals the path of an unticked row, with one rewrite of the file (none when
// nothing is deleted), under the records' lock. Throws store::WriteError when
// it cannot be rewritten.
void CleanGlobalRecord(platform::FileSystem& fs, const std::vector<ListRow>& rows);

// The restore: for every unticked row clears the item's attributes, then
// deletes every entry with its path from the global record and then from
// the account file, with at most one rewrite of each, so that wherever the
// process dies a restored item is still listed in the account file or gone
// from both. An item that still carries a mark afterwards (its attribute or
// its folder's list of hidden names could not be changed, or its drive is
// not there) keeps every entry of its path, and once the others are done
// store::WriteError names what could not be changed for the first such
// row; an item that is no more (its drive and volume are there, and it is
// not) loses its entries. With no unticked row no file is written; the
// records' lock is held meanwhile. Returns the list as reloaded afterwards.
// When the global record cannot be rewritten the account file is left as it
// is, so that the rows stay and a later Comeback finishes them; the failure
// is thrown (store::WriteError).
// For an account whose name fails IsValidAccountName nothing changes and
// the list is empty.
std::vector<std::string> Restore(platform::FileSystem& fs, const std::string& account,
                                 const std::vector<ListRow>& rows);

// "Present user name:" + account + ";     Hide:  " + rows + " File".
std::string StatusLine(const std::string& account, std::size_t rows);

}  // namespace engine

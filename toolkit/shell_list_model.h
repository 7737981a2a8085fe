#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace app {

// Where the shell browser stands.
enum class ShellLocation {
  kDesktop,     // the top of the namespace: My Computer, then the desktop directory
  kMyComputer,  // the drives
  kFolder,      // a file-system folder
};

// What one row of the shell browser stands for.
enum class ShellRowKind { kMyComputer, kDrive, kFolder, kFile };

// One row: the entry's own name for folders and files (bytes as the
// directory holds them), the display name for drives and My Computer.
struct ShellRow {
  std::string name;
  ShellRowKind kind = ShellRowKind::kFile;
  char drive = '\0';  // the drive letter of a drive row
};

// The rows of the shell browser: one location of the namespace, read in one
// listing and sorted once (containers first, then files, each group by name
// without regard to case). Hidden entries and "." and ".." never show.
class ShellListModel {
 public:
  // Starts empty at My Computer with no rows; call one of the List methods.
  explicit ShellListModel(platform::FileSystem& fs);

  // Lists the drives that exist now, one row each in letter order.
  void ListMyComputer();

  // Lists My Computer and then the entries of the desktop directory. When
  // the desktop cannot be read only My Computer shows.
  void ListDesktop();

  // Lists a folder given by its Windows path (normalized by the caller).
  // Returns false and leaves the model unchanged when it cannot be read.
  bool ListFolder(const std::string& folder);

  // Reads the current location again. A folder that can no longer be read
  // shows no rows but stays the current location.
  void Reload();

  // Shows the entries of the current folder named `names` (their exact
  // names) as they are now, without reading the rest of the folder again:
  // a name that is gone or hidden loses its row, one that is there and
  // shown has its row at its sorted place. My Computer has no such
  // entries. A name that holds "\\", which a path would split, makes the
  // whole location read again.
  void UpdateEntries(const std::vector<std::string>& names);

  // The current location, and for kFolder and kDesktop its folder path.
  ShellLocation location() const { return location_; }
  const std::string& folder() const { return folder_; }

  // The row at `row` (0 <= row < RowCount()).
  const ShellRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  int RowCount() const { return static_cast<int>(rows_.size()); }

  // The parsing name of a row: folder + "\" + name for file-system rows,
  // "C:\" for a drive, the "::{...}" name for My Computer; "" when out of range.
  std::string RowPath(int row) const;

  // The directory entry of a folder or file row (its folder and exact name),
  // for acting on the row itself; nullopt for drives, My Computer and rows
  // out of range.
  std::optional<platform::FolderEntry> RowEntry(int row) const;

  // True when the row's parsing name leads to the row itself: false for a
  // folder or file whose name holds "\", which a path would split.
  bool HasOwnPath(int row) const;

  // True when the row can be renamed: a folder or a file.
  bool IsRenamable(int row) const;

  // The text of the row's second column: the kind of item ("File Folder",
  // "TXT File", ...).
  std::string TypeText(int row) const;

  // Renames a folder or file row in place through the file system: the entry
  // itself, inside its folder. Refused (false, row unchanged) when the new name is empty,
  // "." or "..", contains a character that a file name cannot hold (such as
  // "\" or "/"), or when the rename fails, for instance because the target
  // exists. The same name is accepted without touching the disk.
  bool Rename(int row, const std::string& new_name);

 private:
  // The sorted rows of a folder listing; nullopt when it cannot be read.
  std::optional<std::vector<ShellRow>> ReadFolder(const std::string& folder);

  platform::FileSystem& fs_;
  ShellLocation location_ = ShellLocation::kMyComputer;
  std::string folder_;
  std::vector<ShellRow> rows_;
};

// True when `name` can be given to an item by a rename: not empty, not "."
// or "..", and free of the characters that file names cannot hold
// (\ / : * ? " < > | and control characters).
bool IsValidItemName(const std::string& name);

}  // namespace app

#include "toolkit/shell_list_model.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "toolkit/shell_names.h"
#include "platform/windows_path.h"

namespace app {

namespace {

namespace windows_path = platform::windows_path;

constexpr char kTypeMyComputer[] = "System Folder";
constexpr char kTypeDrive[] = "Local Disk";
constexpr char kTypeFolder[] = "File Folder";
constexpr char kTypeFile[] = "File";
constexpr char kTypeFileSuffix[] = " File";

bool IsFileSystemRow(const ShellRow& row) {
  return row.kind == ShellRowKind::kFolder || row.kind == ShellRowKind::kFile;
}

// Containers before files, then by name without regard to case.
bool RowLess(const ShellRow& a, const ShellRow& b) {
  const bool a_folder = a.kind != ShellRowKind::kFile;
  const bool b_folder = b.kind != ShellRowKind::kFile;
  if (a_folder != b_folder) return a_folder;
  return windows_path::LessIgnoringCase(a.name, b.name);
}

}  // namespace

bool IsValidItemName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  return !windows_path::HoldsForbiddenCharacter(name);
}

ShellListModel::ShellListModel(platform::FileSystem& fs) : fs_(fs) {}

void ShellListModel::ListMyComputer() {
  std::vector<ShellRow> rows;
  for (char letter : fs_.Drives()) {
    rows.push_back(ShellRow{DriveDisplayName(letter), ShellRowKind::kDrive, letter});
  }
  rows_ = std::move(rows);
  location_ = ShellLocation::kMyComputer;
  folder_.clear();
}

void ShellListModel::ListDesktop() {
  std::string desktop = fs_.DesktopPath();
  std::vector<ShellRow> rows;
  if (auto listed = ReadFolder(desktop)) rows = std::move(*listed);
  rows.insert(rows.begin(), ShellRow{kMyComputerName, ShellRowKind::kMyComputer, '\0'});
  rows_ = std::move(rows);
  location_ = ShellLocation::kDesktop;
  folder_ = std::move(desktop);
}

bool ShellListModel::ListFolder(const std::string& folder) {
  auto listed = ReadFolder(folder);
  if (!listed) return false;
  rows_ = std::move(*listed);
  location_ = ShellLocation::kFolder;
  folder_ = folder;
  return true;
}

void ShellListModel::Reload() {
  switch (location_) {
    case ShellLocation::kDesktop:
      ListDesktop();
      break;
    case ShellLocation::kMyComputer:
      ListMyComputer();
      break;
    case ShellLocation::kFolder: {
      auto listed = ReadFolder(folder_);
      rows_ = listed ? std::move(*listed) : std::vector<ShellRow>{};
      break;
    }
  }
}

void ShellListModel::UpdateEntries(const std::vector<std::string>& names) {
  if (location_ == ShellLocation::kMyComputer) return;
  for (const std::string& name : names) {
    if (name.find(windows_path::kSeparator) != std::string::npos) {
      Reload();
      return;
    }
  }
  // The Desktop's first row (My Computer) stays first.
  const std::ptrdiff_t skip = location_ == ShellLocation::kDesktop && !rows_.empty() ? 1 : 0;
  for (const std::string& name : names) {
    const auto shown = std::find_if(rows_.begin() + skip, rows_.end(), [&](const ShellRow& row) {
      return IsFileSystemRow(row) && row.name == name;
    });
    if (shown != rows_.end()) rows_.erase(shown);
    const std::optional<std::uint32_t> attributes = fs_.GetAttributes(windows_path::Join(folder_, name));
    if (!attributes || !IsShownEntry(platform::DirEntry{name, *attributes})) continue;
    const ShellRowKind kind =
        (*attributes & platform::kAttrDirectory) != 0 ? ShellRowKind::kFolder : ShellRowKind::kFile;
    ShellRow row{name, kind, '\0'};
    const auto place = std::lower_bound(rows_.begin() + skip, rows_.end(), row, RowLess);
    rows_.insert(place, std::move(row));
  }
}

std::string ShellListModel::RowPath(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  const ShellRow& r = Row(row);
  switch (r.kind) {
    case ShellRowKind::kMyComputer:
      return kMyComputerParsingName;
    case ShellRowKind::kDrive:
      return windows_path::DriveRoot(r.drive);
    case ShellRowKind::kFolder:
    case ShellRowKind::kFile:
      break;
  }
  return windows_path::Join(folder_, r.name);
}

std::optional<platform::FolderEntry> ShellListModel::RowEntry(int row) const {
  if (!IsRenamable(row)) return std::nullopt;
  return platform::FolderEntry{folder_, Row(row).name};
}

bool ShellListModel::HasOwnPath(int row) const {
  return row >= 0 && row < RowCount() && Row(row).name.find(windows_path::kSeparator) == std::string::npos;
}

bool ShellListModel::IsRenamable(int row) const {
  return row >= 0 && row < RowCount() && IsFileSystemRow(Row(row));
}

std::string ShellListModel::TypeText(int row) const {
  if (row < 0 || row >= RowCount()) return {};
  const ShellRow& r = Row(row);
  switch (r.kind) {
    case ShellRowKind::kMyComputer:
      return kTypeMyComputer;
    case ShellRowKind::kDrive:
      return kTypeDrive;
    case ShellRowKind::kFolder:
      return kTypeFolder;
    case ShellRowKind::kFile:
      break;
  }
  const std::size_t dot = r.name.find_last_of('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == r.name.size()) return kTypeFile;
  std::string extension = r.name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension + kTypeFileSuffix;
}

bool ShellListModel::Rename(int row, const std::string& new_name) {
  if (!IsRenamable(row)) return false;
  ShellRow& r = rows_[static_cast<std::size_t>(row)];
  if (new_name == r.name) return true;
  // The name must stay a single component: a separator in it would move the
  // item into another folder instead of renaming it.
  if (!IsValidItemName(new_name)) return false;
  if (!fs_.RenameEntry({folder_, r.name}, new_name)) return false;
  r.name = new_name;
  return true;
}

std::optional<std::vector<ShellRow>> ShellListModel::ReadFolder(const std::string& folder) {
  auto listing = fs_.ListFolder(folder);
  if (!listing) return std::nullopt;
  std::vector<ShellRow> rows;
  rows.reserve(listing->size());
  for (platform::DirEntry& entry : *listing) {
    if (!IsShownEntry(entry)) continue;
    const ShellRowKind kind =
        (entry.attributes & platform::kAttrDirectory) != 0 ? ShellRowKind::kFolder : ShellRowKind::kFile;
    rows.push_back(ShellRow{std::move(entry.name), kind, '\0'});
  }
  std::sort(rows.begin(), rows.end(), RowLess);
  return rows;
}

}  // namespace app

#include "platform/qt/shell_list_model.h"

#include <algorithm>
#include <utility>

#include "platform/qt/shell_names.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr int kColumnCount = 2;
constexpr char kNameHeader[] = "Name";
constexpr char kTypeHeader[] = "Type";
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

ShellListModel::ShellListModel(FileSystem& fs, const ShellIcons& icons, QObject* parent)
    : QAbstractTableModel(parent), fs_(fs), icons_(icons) {}

void ShellListModel::ListMyComputer() {
  std::vector<ShellRow> rows;
  for (char letter : fs_.Drives()) {
    rows.push_back(ShellRow{DriveDisplayName(letter), ShellRowKind::kDrive, letter});
  }
  Replace(std::move(rows), ShellLocation::kMyComputer, {});
}

void ShellListModel::ListDesktop() {
  std::string desktop = fs_.DesktopPath();
  std::vector<ShellRow> rows;
  if (auto listed = ReadFolder(desktop)) rows = std::move(*listed);
  rows.insert(rows.begin(), ShellRow{kMyComputerName, ShellRowKind::kMyComputer, '\0'});
  Replace(std::move(rows), ShellLocation::kDesktop, std::move(desktop));
}

bool ShellListModel::ListFolder(const std::string& folder) {
  auto listed = ReadFolder(folder);
  if (!listed) return false;
  Replace(std::move(*listed), ShellLocation::kFolder, folder);
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
      Replace(listed ? std::move(*listed) : std::vector<ShellRow>{}, location_, folder_);
      break;
    }
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

std::optional<FolderEntry> ShellListModel::RowEntry(int row) const {
  if (row < 0 || row >= RowCount() || !IsFileSystemRow(Row(row))) return std::nullopt;
  return FolderEntry{folder_, Row(row).name};
}

bool ShellListModel::HasOwnPath(int row) const {
  return row >= 0 && row < RowCount() &&
         Row(row).name.find(windows_path::kSeparator) == std::string::npos;
}

bool ShellListModel::IsContainer(int row) const {
  return row >= 0 && row < RowCount() && Row(row).kind != ShellRowKind::kFile;
}

int ShellListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : RowCount();
}

int ShellListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ShellListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= RowCount()) return {};
  const ShellRow& row = Row(index.row());
  if (index.column() == kNameColumn) {
    if (role == Qt::DisplayRole || role == Qt::EditRole) return QString::fromStdString(row.name);
    if (role == Qt::DecorationRole) {
      switch (row.kind) {
        case ShellRowKind::kMyComputer:
          return icons_.computer;
        case ShellRowKind::kDrive:
          return icons_.drive;
        case ShellRowKind::kFolder:
          return icons_.folder;
        case ShellRowKind::kFile:
          return icons_.file;
      }
    }
  } else if (index.column() == kTypeColumn && role == Qt::DisplayRole) {
    return TypeText(row);
  }
  return {};
}

QVariant ShellListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == kNameColumn) return QString::fromLatin1(kNameHeader);
  if (section == kTypeColumn) return QString::fromLatin1(kTypeHeader);
  return {};
}

Qt::ItemFlags ShellListModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= RowCount()) return Qt::NoItemFlags;
  Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == kNameColumn && IsFileSystemRow(Row(index.row()))) {
    result |= Qt::ItemIsEditable;
  }
  return result;
}

bool ShellListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.column() != kNameColumn ||
      index.row() >= RowCount() || !IsFileSystemRow(Row(index.row()))) {
    return false;
  }
  const std::string new_name = value.toString().toStdString();
  ShellRow& row = rows_[static_cast<std::size_t>(index.row())];
  if (new_name == row.name) return true;
  // The name must stay a single component: a separator in it would move the
  // item into another folder instead of renaming it.
  if (!IsValidItemName(new_name)) return false;
  if (!fs_.RenameEntry({folder_, row.name}, new_name)) return false;
  row.name = new_name;
  emit dataChanged(index.siblingAtColumn(kNameColumn), index.siblingAtColumn(kTypeColumn));
  emit RowRenamed(index.row());
  return true;
}

void ShellListModel::Replace(std::vector<ShellRow> rows, ShellLocation location,
                             std::string folder) {
  beginResetModel();
  rows_ = std::move(rows);
  location_ = location;
  folder_ = std::move(folder);
  endResetModel();
}

std::optional<std::vector<ShellRow>> ShellListModel::ReadFolder(const std::string& folder) {
  auto listing = fs_.ListFolder(folder);
  if (!listing) return std::nullopt;
  std::vector<ShellRow> rows;
  rows.reserve(listing->size());
  for (DirEntry& entry : *listing) {
    if (!IsShownEntry(entry)) continue;
    const ShellRowKind kind =
        (entry.attributes & kAttrDirectory) != 0 ? ShellRowKind::kFolder : ShellRowKind::kFile;
    rows.push_back(ShellRow{std::move(entry.name), kind, '\0'});
  }
  std::sort(rows.begin(), rows.end(), RowLess);
  return rows;
}

QString ShellListModel::TypeText(const ShellRow& row) const {
  switch (row.kind) {
    case ShellRowKind::kMyComputer:
      return QString::fromLatin1(kTypeMyComputer);
    case ShellRowKind::kDrive:
      return QString::fromLatin1(kTypeDrive);
    case ShellRowKind::kFolder:
      return QString::fromLatin1(kTypeFolder);
    case ShellRowKind::kFile:
      break;
  }
  const std::size_t dot = row.name.find_last_of('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == row.name.size()) {
    return QString::fromLatin1(kTypeFile);
  }
  return QString::fromStdString(row.name.substr(dot + 1)).toUpper() +
         QString::fromLatin1(kTypeFileSuffix);
}

}  // namespace platform

#include "platform/qt/shell_list_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QPalette>

#include "platform/qt/shell_list_model.h"
#include "platform/qt/shell_names.h"
#include "platform/windows_path.h"

namespace platform {

namespace {

constexpr int kNameColumnWidth = 260;
constexpr int kTypeColumnWidth = 120;
constexpr char kOpenAction[] = "Open";
constexpr char kRenameAction[] = "Rename";
constexpr char kRefreshAction[] = "Refresh";

// The selection keeps its colours when the view loses the focus.
void KeepSelectionVisible(QWidget& widget) {
  QPalette palette = widget.palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  widget.setPalette(palette);
}

}  // namespace

ShellListView::ShellListView(FileSystem& fs, Shell& shell, QWidget* parent)
    : QTreeView(parent),
      fs_(fs),
      shell_(shell),
      icons_(*style()),
      model_(new ShellListModel(fs, icons_, this)) {
  setModel(model_);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  header()->setStretchLastSection(true);
  header()->setSectionsClickable(false);
  setColumnWidth(ShellListModel::kNameColumn, kNameColumnWidth);
  setColumnWidth(ShellListModel::kTypeColumn, kTypeColumnWidth);
  KeepSelectionVisible(*this);

  for (QWidget* part : {static_cast<QWidget*>(this), viewport(), header()->viewport()}) {
    part->setMouseTracking(true);
    part->installEventFilter(this);
  }

  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ShellListView::OnSelectionChanged);
  connect(model_, &ShellListModel::RowRenamed, this, &ShellListView::OnRowRenamed);
  connect(this, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { OpenRow(index.row()); });

  model_->ListMyComputer();
}

ShellListView::~ShellListView() = default;

void ShellListView::ShowMyComputer() {
  Relist([this] {
    model_->ListMyComputer();
    return true;
  }, -1);
  scrollToTop();
}

void ShellListView::ShowDesktop() {
  Relist([this] {
    model_->ListDesktop();
    return true;
  }, -1);
  scrollToTop();
}

bool ShellListView::ShowFolder(const std::string& windows_path) {
  if (windows_path == kMyComputerParsingName) {
    ShowMyComputer();
    return true;
  }
  if (!windows_path::HasDriveLetter(windows_path)) return false;
  const std::string folder = windows_path::NormalizeFolder(windows_path);
  const bool shown = Relist([this, &folder] { return model_->ListFolder(folder); }, -1);
  if (shown) scrollToTop();
  return shown;
}

std::string ShellListView::CurrentFolder() const {
  if (AtMyComputer()) return kMyComputerParsingName;
  return model_->folder();
}

bool ShellListView::AtDesktop() const { return model_->location() == ShellLocation::kDesktop; }

bool ShellListView::AtMyComputer() const {
  return model_->location() == ShellLocation::kMyComputer;
}

void ShellListView::GoUp() {
  switch (model_->location()) {
    case ShellLocation::kDesktop:
      return;
    case ShellLocation::kMyComputer:
      ShowDesktop();
      return;
    case ShellLocation::kFolder:
      break;
  }
  // A parent that went away or cannot be read is passed over.
  for (std::string parent = windows_path::Parent(model_->folder()); !parent.empty();
       parent = windows_path::Parent(parent)) {
    if (ShowFolder(parent)) return;
  }
  ShowMyComputer();
}

void ShellListView::Refresh() {
  const int selected = SelectedRow();
  Relist([this] {
    model_->Reload();
    return true;
  }, selected);
}

int ShellListView::RowCount() const { return model_->RowCount(); }

int ShellListView::SelectedRow() const {
  const QModelIndexList rows = selectionModel()->selectedRows(ShellListModel::kNameColumn);
  return rows.isEmpty() ? -1 : rows.first().row();
}

void ShellListView::SelectRow(int row) {
  if (row < 0 || row >= RowCount()) {
    selectionModel()->clearSelection();
    return;
  }
  const QModelIndex index = model_->index(row, ShellListModel::kNameColumn);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  scrollTo(index);
}

std::string ShellListView::SelectedPath() const { return model_->RowPath(SelectedRow()); }

std::optional<FolderEntry> ShellListView::SelectedEntry() const {
  return model_->RowEntry(SelectedRow());
}

std::string ShellListView::RowPath(int row) const { return model_->RowPath(row); }

std::string ShellListView::RowName(int row) const {
  return (row >= 0 && row < RowCount()) ? model_->Row(row).name : std::string();
}

void ShellListView::OpenRow(int row) {
  if (row < 0 || row >= RowCount() || !model_->HasOwnPath(row)) return;
  const std::string path = model_->RowPath(row);
  switch (model_->Row(row).kind) {
    case ShellRowKind::kMyComputer:
      ShowMyComputer();
      break;
    case ShellRowKind::kDrive:
    case ShellRowKind::kFolder:
      ShowFolder(path);
      break;
    case ShellRowKind::kFile:
      shell_.OpenDocument(path);
      break;
  }
}

void ShellListView::RenameRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  const QModelIndex index = model_->index(row, ShellListModel::kNameColumn);
  if ((model_->flags(index) & Qt::ItemIsEditable) == 0) return;
  SelectRow(row);
  edit(index);
}

void ShellListView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      OpenRow(SelectedRow());
      event->accept();
      return;
    case Qt::Key_Backspace:
      GoUp();
      event->accept();
      return;
    case Qt::Key_F5:
      Refresh();
      event->accept();
      return;
    default:
      QTreeView::keyPressEvent(event);
  }
}

void ShellListView::contextMenuEvent(QContextMenuEvent* event) {
  const int row = SelectedRow();
  const QModelIndex name_index = model_->index(row, ShellListModel::kNameColumn);
  QMenu menu(this);
  QAction* open = menu.addAction(QString::fromLatin1(kOpenAction));
  QAction* rename = menu.addAction(QString::fromLatin1(kRenameAction));
  menu.addSeparator();
  QAction* refresh = menu.addAction(QString::fromLatin1(kRefreshAction));
  open->setEnabled(row >= 0);
  rename->setEnabled(row >= 0 && (model_->flags(name_index) & Qt::ItemIsEditable) != 0);
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == open) {
    OpenRow(row);
  } else if (chosen == rename) {
    RenameRow(row);
  } else if (chosen == refresh) {
    Refresh();
  }
}

bool ShellListView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress ||
      event->type() == QEvent::MouseButtonDblClick) {
    emit MousePressed();
  } else if (event->type() == QEvent::MouseMove) {
    emit MouseMoved();
  }
  return QTreeView::eventFilter(watched, event);
}

template <typename ListStep>
bool ShellListView::Relist(ListStep list_step, int keep_row) {
  const bool had_selection = SelectedRow() >= 0;
  relisting_ = true;
  const bool listed = list_step();
  if (listed) {
    selectionModel()->clear();
    if (keep_row >= 0 && keep_row < RowCount() - 1) SelectRow(keep_row);
  }
  relisting_ = false;
  if (listed && (had_selection || SelectedRow() >= 0)) emit Change();
  return listed;
}

void ShellListView::OnSelectionChanged() {
  if (!relisting_) emit Change();
}

void ShellListView::OnRowRenamed(int row) {
  // The selected row's parsing name changed: report it like a selection, so
  // that whoever shows the selected path does not keep the old one.
  if (row == SelectedRow()) emit Change();
}

}  // namespace platform

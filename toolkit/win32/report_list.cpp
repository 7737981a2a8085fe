#include "toolkit/win32/windows_api.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/list_ticks.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

// The rows live in the peer and the list asks for what it draws
// (LVS_OWNERDATA): a list of any length is shown in one step.
constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                         LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_EDITLABELS | LVS_SHAREIMAGELISTS |
                         LVS_OWNERDATA;
constexpr DWORD kExtendedStyle = LVS_EX_FULLROWSELECT;
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(kUntickedImage);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(kTickedImage);
constexpr int kNoPicture = I_IMAGENONE;
// The row count changes without scrolling the list or repainting the rows
// already shown.
constexpr LPARAM kQuietCount = LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL;
// The subclass of the list's column header that holds its height.
constexpr UINT_PTR kFixedHeightSubclass = 1;

// The column header lays itself out at the height its font gives; a list
// told a height of its own answers the list's layout question with that
// height instead, and the rows begin below it.
LRESULT CALLBACK FixedHeightHeaderProc(HWND header, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR height) {
  if (message == WM_NCDESTROY) ::RemoveWindowSubclass(header, &FixedHeightHeaderProc, id);
  const LRESULT result = ::DefSubclassProc(header, message, wparam, lparam);
  if (message == HDM_LAYOUT && result != FALSE) {
    auto* layout = reinterpret_cast<HDLAYOUT*>(lparam);
    const int fixed = static_cast<int>(height);
    layout->prc->top += fixed - layout->pwpos->cy;
    layout->pwpos->cy = fixed;
  }
  return result;
}

// A report-style list of the system (WC_LISTVIEW): one row per item, tick
// boxes as state pictures, row pictures from an image list, names edited
// in place when asked. The list is virtual: it holds the selection and
// asks for the texts, pictures and ticks of the rows it draws.
class ReportListPeer final : public Peer<NativeReportList> {
 public:
  ReportListPeer(Win32Backend& backend, HWND parent, NativeEvents& events)
      : Peer(backend, events, false), pictures_(ScaleIn(backend, parent)) {
    Create(0, WC_LISTVIEWW, kStyle, parent, false);
    ::SendMessageW(Hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, kExtendedStyle, kExtendedStyle);
  }

  void SetColumns(const std::vector<int>& widths) override {
    while (::SendMessageW(Hwnd(), LVM_DELETECOLUMN, 0, 0) != FALSE) {
    }
    for (std::size_t i = 0; i < widths.size(); ++i) {
      LVCOLUMNW column{};
      column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_FMT;
      column.fmt = LVCFMT_LEFT;
      column.cx = GetScale().ToScreen(std::max(widths[i], 0));
      column.pszText = const_cast<wchar_t*>(L"");
      ::SendMessageW(Hwnd(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    widths_ = widths;
    FillWithLastColumn();
  }

  void SetColumnCaption(int column, const std::string& caption) override {
    std::wstring text = ToWide(caption);
    LVCOLUMNW item{};
    item.mask = LVCF_TEXT;
    item.pszText = text.data();
    ::SendMessageW(Hwnd(), LVM_SETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
  }

  void SetHeaderVisible(bool visible) override { SetStyleBit(LVS_NOCOLUMNHEADER, !visible); }

  void SetHeaderHeight(int height) override {
    header_height_ = height;
    HWND header = reinterpret_cast<HWND>(::SendMessageW(Hwnd(), LVM_GETHEADER, 0, 0));
    if (header == nullptr) return;
    ::SetWindowSubclass(header, &FixedHeightHeaderProc, kFixedHeightSubclass,
                        static_cast<DWORD_PTR>(GetScale().ToScreen(std::max(height, 0))));
    // The list lays out its header and rows again when it is resized.
    RECT bounds{};
    ::GetWindowRect(Hwnd(), &bounds);
    const int width = bounds.right - bounds.left;
    const int height_now = bounds.bottom - bounds.top;
    constexpr UINT kResizeOnly = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, width, height_now + 1, kResizeOnly);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, width, height_now, kResizeOnly);
  }

  void SetCheckBoxes(bool on) override {
    SetExtended(LVS_EX_CHECKBOXES, on);
    // The ticks are the peer's: the list asks for them as it draws.
    ::SendMessageW(Hwnd(), LVM_SETCALLBACKMASK, on ? LVIS_STATEIMAGEMASK : 0, 0);
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
  }

  void SetGridLines(bool on) override { SetExtended(LVS_EX_GRIDLINES, on); }

  void SetBorder(bool on) override {
    LONG_PTR ex = ::GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    ex = on ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    ::SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, ex);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

  void Clear() override { SetRows({}); }

  void SetRows(std::vector<Row> rows) override {
    rows_ = std::move(rows);
    for (const Row& row : rows_) {
      if (row.picture != nullptr) {
        AttachPictures(row.picture);
        break;
      }
    }
    ::SendMessageW(Hwnd(), LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageW(Hwnd(), LVM_SETITEMCOUNT, rows_.size(), 0);
    NoteSelection();
  }

  void AddRow(const Row& row) override {
    AttachPictures(row.picture);
    rows_.push_back(row);
    ::SendMessageW(Hwnd(), LVM_SETITEMCOUNT, rows_.size(), kQuietCount);
    RedrawRow(RowCount() - 1);
  }

  void RemoveRow(int row) override {
    if (!IsRow(row)) return;
    rows_.erase(rows_.begin() + row);
    // The list moves the selection of the rows below up by one.
    ::SendMessageW(Hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    NoteSelection();
  }

  void SetCell(int row, int column, const std::string& text) override {
    if (!IsRow(row) || column < 0) return;
    std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row)].cells;
    if (static_cast<std::size_t>(column) >= cells.size()) cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = text;
    RedrawRow(row);
  }

  void SetRowPicture(int row, const Image* picture) override {
    if (!IsRow(row)) return;
    AttachPictures(picture);
    rows_[static_cast<std::size_t>(row)].picture = picture;
    RedrawRow(row);
  }

  int RowCount() const override { return static_cast<int>(rows_.size()); }

  const std::vector<std::string>* Cells(int row) const override {
    return IsRow(row) ? &rows_[static_cast<std::size_t>(row)].cells : nullptr;
  }

  bool Checked(int row) const override { return IsRow(row) && rows_[static_cast<std::size_t>(row)].checked; }

  void SetChecked(int row, bool checked) override {
    if (!IsRow(row)) return;
    rows_[static_cast<std::size_t>(row)].checked = checked;
    RedrawRow(row);
  }

  int SelectedRow() const override {
    return static_cast<int>(::SendMessageW(Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }

  void SelectRow(int row) override {
    {
      Updating guard(*this);
      LVITEMW item{};
      item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      item.state = 0;
      ::SendMessageW(Hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
      if (row >= 0 && row < RowCount()) {
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(Hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        ::SendMessageW(Hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
      }
    }
    NoteSelection();
  }

  void BeginRename(int row) override {
    if (row < 0 || row >= RowCount()) return;
    ::SetFocus(Hwnd());
    rename_asked_ = true;
    ::SendMessageW(Hwnd(), LVM_EDITLABELW, static_cast<WPARAM>(row), 0);
    rename_asked_ = false;
  }

  int RowAt(Point at) const override {
    LVHITTESTINFO hit{};
    const Point scaled = GetScale().ToScreen(at);
    hit.pt = POINT{scaled.x, scaled.y};
    const LRESULT row = ::SendMessageW(Hwnd(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & LVHT_ONITEM) != 0 ? static_cast<int>(row) : -1;
  }

  Rect RowRect(int row) const override {
    RECT r{};
    r.left = LVIR_BOUNDS;
    if (::SendMessageW(Hwnd(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)) ==
        FALSE) {
      return Rect();
    }
    const int first_width = static_cast<int>(::SendMessageW(Hwnd(), LVM_GETCOLUMNWIDTH, 0, 0));
    Rect bounds = FromRect(r);
    if (first_width > 0 && first_width < bounds.width) bounds.width = first_width;
    return GetScale().ToLayout(bounds);
  }

  // The window goes before the pictures it shows.
  ~ReportListPeer() override { DestroyOwnWindow(); }

  void Rescaled() override {
    PeerCore::Rescaled();
    // The rows take the height of the new font and pictures.
    pictures_.Rescale(GetScale(), [this](HIMAGELIST list) {
      if (pictures_attached_) ::SendMessageW(Hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(list));
    });
    for (std::size_t i = 0; i < widths_.size(); ++i) {
      ::SendMessageW(Hwnd(), LVM_SETCOLUMNWIDTH, i, MAKELPARAM(GetScale().ToScreen(std::max(widths_[i], 0)), 0));
    }
    FillWithLastColumn();
    if (header_height_) SetHeaderHeight(*header_height_);
  }

  bool Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    (void)wparam;
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    switch (header->code) {
      case LVN_GETDISPINFOW:
        Describe(reinterpret_cast<NMLVDISPINFOW*>(lparam)->item);
        break;
      case LVN_ITEMCHANGED:
        ItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lparam));
        break;
      case LVN_ODFINDITEMW: {
        // Typing a name's first letters finds its row.
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(lparam);
        result = FindRow(find->lvfi, find->iStart);
        return true;
      }
      case LVN_ODSTATECHANGED:
        if (updating_ == 0) NoteSelection();
        break;
      case NM_DBLCLK: {
        const int row = reinterpret_cast<const NMITEMACTIVATE*>(lparam)->iItem;
        if (row >= 0 && on_activate) on_activate(row);
        break;
      }
      case NM_RETURN:
        if (SelectedRow() >= 0 && on_activate) on_activate(SelectedRow());
        break;
      case NM_RCLICK: {
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lparam);
        const Point at = GetScale().ToLayout(Point{click->ptAction.x, click->ptAction.y});
        if (on_context_menu) on_context_menu(RowAt(at), at);
        break;
      }
      case LVN_BEGINLABELEDITW:
        // Names are edited when the program asks, never by a slow click.
        result = rename_asked_ ? FALSE : TRUE;
        return true;
      case LVN_ENDLABELEDITW: {
        const auto* edit = reinterpret_cast<const NMLVDISPINFOW*>(lparam);
        result = FALSE;
        const int row = edit->item.iItem;
        if (edit->item.pszText != nullptr && on_rename && IsRow(row)) {
          const std::string name = FromWide(edit->item.pszText);
          if (on_rename(row, name)) {
            // The list keeps no text of its own: the row takes the name.
            SetCell(row, 0, name);
            result = TRUE;
          }
        }
        return true;
      }
      default:
        return false;
    }
    result = 0;
    return true;
  }

 protected:
  bool UsesKey(Key key) const override {
    return (key == Key::kEnter && SelectedRow() >= 0) || (key == Key::kSpace && HasCheckBoxes());
  }

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    if (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK ||
        message == WM_RBUTTONDOWN) {
      const int ticked = TickedRow(message, wparam, lparam);
      LRESULT result = 0;
      {
        // A virtual list clears the selection and then sets it again:
        // the new selection is reported once, when the list is done.
        Updating guard(*this);
        result = PeerCore::HandleMessage(message, wparam, lparam);
      }
      if (IsRow(ticked)) Toggle(ticked);
      NoteSelection();
      return result;
    }
    if (message == kToggleRowMessage) {
      const int row = static_cast<int>(wparam);
      if (HasCheckBoxes() && IsRow(row)) Toggle(row);
      return 0;
    }
    if (message == WM_SIZE) {
      const LRESULT result = PeerCore::HandleMessage(message, wparam, lparam);
      FillWithLastColumn();
      return result;
    }
    // The menu key over the list: the selected row's menu at the row.
    if (message == WM_CONTEXTMENU && lparam == -1 && on_context_menu) {
      const int row = SelectedRow();
      on_context_menu(row, row >= 0 ? RowRect(row).Centre() : Point{0, 0});
      return 0;
    }
    return PeerCore::HandleMessage(message, wparam, lparam);
  }

 private:
  // A selection made by the program is reported once, when it is done.
  class Updating {
   public:
    explicit Updating(ReportListPeer& list) : list_(list) { ++list_.updating_; }
    ~Updating() { --list_.updating_; }
   private:
    ReportListPeer& list_;
  };

  void ItemChanged(const NMLISTVIEW& change) {
    if ((change.uChanged & LVIF_STATE) == 0) return;
    const UINT toggled = change.uOldState ^ change.uNewState;
    if ((toggled & LVIS_SELECTED) != 0 && updating_ == 0) NoteSelection();
  }

  // The row whose tick the message changes, or -1. A virtual list leaves
  // the ticks to its owner: a press on a tick box, and Space on the
  // focused row, tick or untick it here.
  int TickedRow(UINT message, WPARAM wparam, LPARAM lparam) const {
    if (!HasCheckBoxes() || message == WM_RBUTTONDOWN) return -1;
    if (message == WM_KEYDOWN) {
      if (wparam != VK_SPACE) return -1;
      return static_cast<int>(::SendMessageW(Hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    }
    LVHITTESTINFO hit{};
    hit.pt = POINT{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    ::SendMessageW(Hwnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return (hit.flags & LVHT_ONITEMSTATEICON) != 0 ? hit.iItem : -1;
  }

  // The user ticked or unticked a row.
  void Toggle(int row) {
    Row& shown = rows_[static_cast<std::size_t>(row)];
    shown.checked = !shown.checked;
    RedrawRow(row);
    if (on_check) on_check(row);
  }

  // What the list asks of a row it draws or reads.
  void Describe(LVITEMW& item) {
    if (!IsRow(item.iItem)) return;
    const Row& row = rows_[static_cast<std::size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
      const auto column = static_cast<std::size_t>(item.iSubItem);
      const std::wstring text = column < row.cells.size() ? ToWide(row.cells[column]) : std::wstring();
      ::lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0) {
      const int index = pictures_attached_ ? pictures_.IndexOf(row.picture) : -1;
      item.iImage = index >= 0 ? index : kNoPicture;
    }
    if ((item.mask & LVIF_STATE) != 0 && HasCheckBoxes()) {
      item.state = (item.state & ~LVIS_STATEIMAGEMASK) | (row.checked ? kChecked : kUnchecked);
      item.stateMask |= LVIS_STATEIMAGEMASK;
    }
  }

  bool IsRow(int row) const { return row >= 0 && row < RowCount(); }

  // The first row from `start` (and then from the top, when told to wrap)
  // whose first cell is the text sought, or begins with it; -1 for none.
  int FindRow(const LVFINDINFOW& sought, int start) const {
    if ((sought.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || sought.psz == nullptr) return -1;
    const int length = ::lstrlenW(sought.psz);
    const bool partial = (sought.flags & LVFI_PARTIAL) != 0;
    const int first = IsRow(start) ? start : 0;
    const int count = (sought.flags & LVFI_WRAP) != 0 ? RowCount() : RowCount() - first;
    for (int step = 0; step < count; ++step) {
      const int row = (first + step) % RowCount();
      const std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row)].cells;
      const std::wstring name = ToWide(cells.empty() ? std::string() : cells[0]);
      if (partial && static_cast<int>(name.size()) < length) continue;
      const int compared = partial ? length : static_cast<int>(name.size());
      if (::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), compared, sought.psz, length) ==
          CSTR_EQUAL) {
        return row;
      }
    }
    return -1;
  }

  void RedrawRow(int row) {
    ::SendMessageW(Hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), static_cast<LPARAM>(row));
  }

  // Reports a change of the selected row once, whatever number of
  // notifications the list sent for it.
  void NoteSelection() {
    const int now = SelectedRow();
    if (now == last_selected_) return;
    last_selected_ = now;
    if (on_selection_change) on_selection_change();
  }

  // A last column given a width below zero takes the width the others leave.
  void FillWithLastColumn() {
    if (widths_.empty() || widths_.back() >= 0) return;
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    int others = 0;
    for (std::size_t i = 0; i + 1 < widths_.size(); ++i) others += GetScale().ToScreen(widths_[i]);
    const int last = static_cast<int>(widths_.size()) - 1;
    ::SendMessageW(Hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(last),
                   MAKELPARAM(std::max(0, static_cast<int>(client.right) - others), 0));
  }

  bool HasCheckBoxes() const {
    return (::SendMessageW(Hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
  }

  // The list takes its image list (and rows of its height) once a row
  // has a picture, before it draws one.
  void AttachPictures(const Image* picture) {
    if (picture == nullptr || pictures_attached_) return;
    ::SendMessageW(Hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures_.Handle()));
    pictures_attached_ = true;
  }

  void SetExtended(DWORD bit, bool on) {
    ::SendMessageW(Hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, bit, on ? bit : 0);
  }

  void SetStyleBit(DWORD bit, bool on) {
    LONG_PTR style = ::GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    style = on ? (style | bit) : (style & ~static_cast<LONG_PTR>(bit));
    ::SetWindowLongPtrW(Hwnd(), GWL_STYLE, style);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

  std::vector<Row> rows_;
  ImageList pictures_;
  bool pictures_attached_ = false;
  std::vector<int> widths_;
  std::optional<int> header_height_;
  int updating_ = 0;
  int last_selected_ = -1;
  bool rename_asked_ = false;
};

}  // namespace

std::unique_ptr<NativeReportList> MakeReportList(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<ReportListPeer>(backend, parent, events);
}

}  // namespace app::win32

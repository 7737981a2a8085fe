#include "toolkit/win32/windows_api.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL |
                         LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;
constexpr DWORD kExtendedStyle = LVS_EX_FULLROWSELECT;
constexpr UINT kUnchecked = INDEXTOSTATEIMAGEMASK(1);
constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);
constexpr int kNoPicture = I_IMAGENONE;
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
// in place when asked.
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
    Updating guard(*this);
    SetExtended(LVS_EX_CHECKBOXES, on);
  }

  void SetGridLines(bool on) override { SetExtended(LVS_EX_GRIDLINES, on); }

  void SetBorder(bool on) override {
    LONG_PTR ex = ::GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE);
    ex = on ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
    ::SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, ex);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }

  void Clear() override {
    Updating guard(*this);
    ::SendMessageW(Hwnd(), LVM_DELETEALLITEMS, 0, 0);
    NoteSelection();
  }

  void AddRow(const Row& row) override {
    Updating guard(*this);
    const int index = RowCount();
    std::wstring first = ToWide(row.cells.empty() ? std::string() : row.cells[0]);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = first.data();
    item.iImage = PictureIndex(row.picture);
    ::SendMessageW(Hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (std::size_t column = 1; column < row.cells.size(); ++column) {
      WriteCell(index, static_cast<int>(column), row.cells[column]);
    }
    if (HasCheckBoxes()) WriteChecked(index, row.checked);
  }

  void RemoveRow(int row) override {
    Updating guard(*this);
    ::SendMessageW(Hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    NoteSelection();
  }

  void SetCell(int row, int column, const std::string& text) override { WriteCell(row, column, text); }

  void SetRowPicture(int row, const Image* picture) override {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = PictureIndex(picture);
    ::SendMessageW(Hwnd(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }

  int RowCount() const override { return static_cast<int>(::SendMessageW(Hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

  bool Checked(int row) const override {
    const UINT state = static_cast<UINT>(
        ::SendMessageW(Hwnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK));
    return (state & LVIS_STATEIMAGEMASK) == kChecked;
  }

  void SetChecked(int row, bool checked) override {
    Updating guard(*this);
    WriteChecked(row, checked);
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
      case LVN_ITEMCHANGED:
        ItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lparam));
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
        if (edit->item.pszText != nullptr && on_rename) {
          result = on_rename(edit->item.iItem, FromWide(edit->item.pszText)) ? TRUE : FALSE;
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
  bool UsesKey(Key key) const override { return key == Key::kEnter && SelectedRow() >= 0; }

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
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
  // Changes made by the program report no tick to on_check.
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
    if ((toggled & LVIS_STATEIMAGEMASK) != 0 && updating_ == 0 && change.iItem >= 0 &&
        (change.uOldState & LVIS_STATEIMAGEMASK) != 0 && on_check) {
      on_check(change.iItem);
    }
    if ((toggled & LVIS_SELECTED) != 0 && updating_ == 0) NoteSelection();
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

  void WriteCell(int row, int column, const std::string& text) {
    std::wstring wide = ToWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    ::SendMessageW(Hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }

  void WriteChecked(int row, bool checked) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = checked ? kChecked : kUnchecked;
    ::SendMessageW(Hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }

  bool HasCheckBoxes() const {
    return (::SendMessageW(Hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
  }

  int PictureIndex(const Image* picture) {
    if (picture == nullptr) return kNoPicture;
    if (!pictures_attached_) {
      ::SendMessageW(Hwnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(pictures_.Handle()));
      pictures_attached_ = true;
    }
    const int index = pictures_.IndexOf(picture);
    return index >= 0 ? index : kNoPicture;
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

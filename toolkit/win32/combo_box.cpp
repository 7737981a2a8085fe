#include <string>
#include <vector>

#include "toolkit/win32/keyboard.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr DWORD kCommonStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL;
constexpr DWORD kListStyle = kCommonStyle | CBS_DROPDOWNLIST;
constexpr DWORD kFreeTextStyle = kCommonStyle | CBS_DROPDOWN;
// The height of the dropped-down list below the box.
constexpr int kDropDownHeight = 160;
constexpr wchar_t kForwardedProperty[] = L"QuillomarComboEdit";

// A drop-down list of the system (COMBOBOX). It takes free text by being
// made again as a drop-down with an edit field (a combo box cannot change
// that style once made); its items, place and font come along.
class ComboBoxPeer final : public Peer<NativeComboBox> {
 public:
  ComboBoxPeer(Win32Backend& backend, HWND parent, NativeEvents& events)
      : Peer(backend, events, false), parent_(parent) {
    Create(0, L"COMBOBOX", kListStyle, parent, false);
  }

  void SetBounds(const Rect& bounds) override {
    bounds_ = bounds;
    // A combo box's window reaches down over its list.
    Place(Rect(bounds.left, bounds.top, bounds.width, bounds.height + kDropDownHeight));
  }

  void Clear() override {
    items_.clear();
    ::SendMessageW(Hwnd(), CB_RESETCONTENT, 0, 0);
  }

  void AddItem(const std::string& text) override {
    items_.push_back(text);
    ::SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(text).c_str()));
  }

  int Count() const override { return static_cast<int>(items_.size()); }

  int CurrentIndex() const override {
    const LRESULT index = ::SendMessageW(Hwnd(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
  }

  void SetCurrentIndex(int index) override {
    ::SendMessageW(Hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

  void SetFreeText(const std::string& text) override {
    if (!free_text_) Remake();
    free_text_ = true;
    free_text_shown_ = text;
    ::SetWindowTextW(Hwnd(), ToWide(text).c_str());
  }

  std::string CurrentText() const override {
    if (!free_text_) {
      const int index = CurrentIndex();
      return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)] : std::string();
    }
    const int length = ::GetWindowTextLengthW(Hwnd());
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(Hwnd(), wide.data(), length + 1)));
    const int index = CurrentIndex();
    if (index >= 0 && index < Count() && ToWide(items_[static_cast<std::size_t>(index)]) == wide) {
      return items_[static_cast<std::size_t>(index)];
    }
    return TextBack(free_text_shown_, wide);
  }

  bool Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    (void)lparam;
    if (message != WM_COMMAND || HIWORD(wparam) != CBN_SELCHANGE) return false;
    if (on_change) on_change();
    result = 0;
    return true;
  }

 protected:
  bool UsesKey(Key key) const override {
    const bool dropped = ::SendMessageW(Hwnd(), CB_GETDROPPEDSTATE, 0, 0) != FALSE;
    return dropped && (key == Key::kEnter || key == Key::kEscape);
  }

 private:
  // The edit field of a free-text box gets the keys; the ones it does not
  // use are reported as the box's.
  static LRESULT CALLBACK EditFieldProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* peer = static_cast<ComboBoxPeer*>(::GetPropW(hwnd, kForwardedProperty));
    if (peer == nullptr) return ::DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_KEYDOWN && wparam == VK_TAB && HandleNavigationKey(*peer, VK_TAB)) {
      peer->swallow_edit_char_ = true;
      return 0;
    }
    if (message == WM_KEYDOWN) {
      const Key key = KeyOf(wparam);
      peer->swallow_edit_char_ = key != Key::kOther && key != Key::kBackspace && peer->RouteKey(key);
      if (peer->swallow_edit_char_) return 0;
    } else if (message == WM_CHAR && peer->swallow_edit_char_) {
      peer->swallow_edit_char_ = false;
      return 0;
    }
    return ::CallWindowProcW(peer->edit_field_proc_, hwnd, message, wparam, lparam);
  }

  void Remake() {
    const bool visible = ::IsWindowVisible(Hwnd()) != FALSE;
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageW(Hwnd(), WM_GETFONT, 0, 0));
    const int index = CurrentIndex();
    HWND above = ::GetWindow(Hwnd(), GW_HWNDPREV);
    DestroyOwnWindow();
    Create(0, L"COMBOBOX", kFreeTextStyle, parent_, false);
    ::SendMessageW(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    for (const std::string& item : items_) {
      ::SendMessageW(Hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(item).c_str()));
    }
    if (index >= 0) SetCurrentIndex(index);
    // Same place in the stacking order as the box it replaces.
    ::SetWindowPos(Hwnd(), above != nullptr ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetBounds(bounds_);
    if (visible) ::ShowWindow(Hwnd(), SW_SHOWNA);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (::GetComboBoxInfo(Hwnd(), &info) && info.hwndItem != nullptr) {
      ::SetPropW(info.hwndItem, kForwardedProperty, this);
      edit_field_proc_ = reinterpret_cast<WNDPROC>(
          ::SetWindowLongPtrW(info.hwndItem, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditFieldProc)));
    }
  }

  HWND parent_;
  Rect bounds_;
  std::vector<std::string> items_;
  bool free_text_ = false;
  std::string free_text_shown_;
  WNDPROC edit_field_proc_ = nullptr;
  bool swallow_edit_char_ = false;
};

}  // namespace

std::unique_ptr<NativeComboBox> MakeComboBox(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<ComboBoxPeer>(backend, parent, events);
}

}  // namespace app::win32

#include <string>

#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT;
constexpr DWORD kExStyle = WS_EX_CLIENTEDGE;
constexpr wchar_t kPasswordChar = L'*';

// A single-line edit box of the system (EDIT), with a sunken edge.
class EditPeer final : public Peer<NativeEdit> {
 public:
  EditPeer(Win32Backend& backend, HWND parent, NativeEvents& events) : Peer(backend, events, false) {
    Create(kExStyle, L"EDIT", kStyle, parent, false);
  }

  void SetText(const std::string& text) override {
    shown_ = text;
    ::SetWindowTextW(Hwnd(), ToWide(text).c_str());
  }

  std::string Text() const override {
    const int length = ::GetWindowTextLengthW(Hwnd());
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    wide.resize(static_cast<std::size_t>(::GetWindowTextW(Hwnd(), wide.data(), length + 1)));
    return TextBack(shown_, wide);
  }

  void SetPassword(bool password) override {
    ::SendMessageW(Hwnd(), EM_SETPASSWORDCHAR, password ? kPasswordChar : 0, 0);
    ::InvalidateRect(Hwnd(), nullptr, TRUE);
  }

 protected:
  bool UsesKey(Key key) const override { return key == Key::kBackspace; }

 private:
  std::string shown_;  // the text last given, to give it back byte for byte
};

}  // namespace

std::unique_ptr<NativeEdit> MakeEdit(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<EditPeer>(backend, parent, events);
}

}  // namespace app::win32

#include "toolkit/win32/accessible.h"

#include <oleacc.h>

#include <string>
#include <vector>

#include "toolkit/win32/backend.h"
#include "toolkit/win32/gdi.h"
#include "toolkit/win32/list_ticks.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr wchar_t kPress[] = L"Press";
constexpr wchar_t kExecute[] = L"Execute";

LONG RoleOf(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kPushButton: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::kMenuBar: return ROLE_SYSTEM_MENUBAR;
    case AccessibleRole::kMenu:
    case AccessibleRole::kMenuItem: return ROLE_SYSTEM_MENUITEM;
    case AccessibleRole::kPopupMenu: return ROLE_SYSTEM_MENUPOPUP;
    case AccessibleRole::kLabel: return ROLE_SYSTEM_STATICTEXT;
    case AccessibleRole::kFrame: return ROLE_SYSTEM_WINDOW;
    case AccessibleRole::kDialog: return ROLE_SYSTEM_DIALOG;
    case AccessibleRole::kText: return ROLE_SYSTEM_TEXT;
    case AccessibleRole::kComboBox: return ROLE_SYSTEM_COMBOBOX;
    case AccessibleRole::kList: return ROLE_SYSTEM_LIST;
    case AccessibleRole::kTree: return ROLE_SYSTEM_OUTLINE;
    case AccessibleRole::kPageTabs: return ROLE_SYSTEM_PAGETABLIST;
    case AccessibleRole::kPanel:
    case AccessibleRole::kNone: break;
  }
  return ROLE_SYSTEM_PANE;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
  if (out == nullptr) return E_INVALIDARG;
  *out = nullptr;
  if (text.empty()) return S_FALSE;
  *out = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

VARIANT Integer(LONG value) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

std::wstring WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

// The visible child windows, bottom of the stacking order (made first) first.
std::vector<HWND> ChildWindows(HWND hwnd) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(::GetWindow(hwnd, GW_CHILD), GW_HWNDLAST); child != nullptr;
       child = ::GetWindow(child, GW_HWNDPREV)) {
    if (::IsWindowVisible(child)) children.push_back(child);
  }
  return children;
}

// What every IAccessible here shares: reference counting and IDispatch
// (not offered: clients use the IAccessible methods).
class AccessibleBase : public IAccessible {
 public:
  virtual ~AccessibleBase() = default;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count != nullptr) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 private:
  LONG references_ = 1;
};

// A window the toolkit paints. Child 1..n are its child windows, then the
// controls painted on it; everything is read afresh on each call, so the
// object tells what is on the screen now, and fails once the window is gone.
class PaintedAccessible final : public AccessibleBase {
 public:
  explicit PaintedAccessible(HWND hwnd) : hwnd_(hwnd) {}

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_INVALIDARG;
    return ::AccessibleObjectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                        reinterpret_cast<void**>(parent));
  }

  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_INVALIDARG;
    if (Peer() == nullptr) return E_FAIL;
    *count = static_cast<LONG>(ChildWindows(hwnd_).size() + Peer()->Events().NativeAccessibleParts().size());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    if (out == nullptr) return E_INVALIDARG;
    *out = nullptr;
    const std::vector<HWND> windows = ChildWindows(hwnd_);
    const LONG id = child.vt == VT_I4 ? child.lVal : -1;
    if (id >= 1 && id <= static_cast<LONG>(windows.size())) {
      return ::AccessibleObjectFromWindow(windows[static_cast<std::size_t>(id - 1)],
                                          static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                          reinterpret_cast<void**>(out));
    }
    return Part(child) != nullptr ? S_FALSE : E_INVALIDARG;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child)) {
      if (Peer() == nullptr) return E_FAIL;
      const std::string own = Peer()->Events().NativeAccessibleSelf().name;
      return Text(own.empty() ? WindowText(hwnd_) : ToWide(own), name);
    }
    const AccessibleItem* part = Part(child);
    return part != nullptr ? Text(ToWide(part->name), name) : E_INVALIDARG;
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return Text(L"", value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return Text(L"", text); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return Text(L"", text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (topic != nullptr) *topic = 0;
    return Text(L"", file);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override { return Text(L"", text); }

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_INVALIDARG;
    if (IsSelf(child)) {
      if (Peer() == nullptr) return E_FAIL;
      *role = Integer(RoleOf(Peer()->Events().NativeAccessibleSelf().role));
      return S_OK;
    }
    const AccessibleItem* part = Part(child);
    if (part == nullptr) return E_INVALIDARG;
    *role = Integer(RoleOf(part->role));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_INVALIDARG;
    PeerCore* peer = Peer();
    if (peer == nullptr) return E_FAIL;
    const bool focused_window = ::GetFocus() == hwnd_;
    LONG flags = ::IsWindowVisible(hwnd_) ? 0 : STATE_SYSTEM_INVISIBLE;
    if (::IsWindowEnabled(::GetAncestor(hwnd_, GA_ROOT)) == FALSE) flags |= STATE_SYSTEM_UNAVAILABLE;
    if (IsSelf(child)) {
      flags |= STATE_SYSTEM_FOCUSABLE;
      if (focused_window && peer->FocusedPart() < 0) flags |= STATE_SYSTEM_FOCUSED;
    } else {
      const AccessibleItem* part = Part(child);
      if (part == nullptr) return E_INVALIDARG;
      if (part->action) {
        flags |= STATE_SYSTEM_FOCUSABLE;
        if (focused_window && PartIndex(child) == peer->FocusedPart()) flags |= STATE_SYSTEM_FOCUSED;
      } else if (part->role != AccessibleRole::kLabel) {
        flags |= STATE_SYSTEM_UNAVAILABLE;
      }
      if (part->role == AccessibleRole::kLabel) flags |= STATE_SYSTEM_READONLY;
    }
    *state = Integer(flags);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_INVALIDARG;
    ::VariantInit(focus);
    PeerCore* peer = Peer();
    if (peer == nullptr || ::GetFocus() != hwnd_) return S_FALSE;
    const int part = peer->FocusedPart();
    *focus = Integer(part < 0 ? CHILDID_SELF
                              : static_cast<LONG>(ChildWindows(hwnd_).size()) + part + 1);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_INVALIDARG;
    ::VariantInit(selection);
    return S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    const AccessibleItem* part = IsSelf(child) ? nullptr : Part(child);
    if (part == nullptr || !part->action) return Text(L"", action);
    return Text(part->role == AccessibleRole::kMenuItem ? kExecute : kPress, action);
  }

  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    PeerCore* peer = Peer();
    if (peer == nullptr) return E_FAIL;
    if ((flags & SELFLAG_TAKEFOCUS) == 0) return DISP_E_MEMBERNOTFOUND;
    if (IsSelf(child)) {
      peer->FocusPart(-1);
      return S_OK;
    }
    const AccessibleItem* part = Part(child);
    if (part == nullptr || !part->action) return E_INVALIDARG;
    peer->FocusPart(PartIndex(child));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_INVALIDARG;
    RECT box{};
    if (IsSelf(child)) {
      ::GetClientRect(hwnd_, &box);
    } else if (const AccessibleItem* part = Part(child)) {
      PeerCore* peer = Peer();
      box = ToRect(peer != nullptr ? peer->GetScale().ToScreen(part->bounds) : part->bounds);
    } else {
      return E_INVALIDARG;
    }
    ::MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&box), 2);
    *left = box.left;
    *top = box.top;
    *width = box.right - box.left;
    *height = box.bottom - box.top;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
    if (end != nullptr) ::VariantInit(end);
    return DISP_E_MEMBERNOTFOUND;
  }

  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    if (child == nullptr) return E_INVALIDARG;
    ::VariantInit(child);
    PeerCore* peer = Peer();
    if (peer == nullptr) return E_FAIL;
    POINT at{x, y};
    ::ScreenToClient(hwnd_, &at);
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    if (!::PtInRect(&client, at)) return S_FALSE;
    const std::vector<HWND> windows = ChildWindows(hwnd_);
    const std::vector<AccessibleItem> parts = peer->Events().NativeAccessibleParts();
    // The topmost first: child windows over the painted controls, the
    // controls made later over the earlier ones.
    for (std::size_t i = windows.size(); i-- > 0;) {
      RECT r{};
      ::GetWindowRect(windows[i], &r);
      ::MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
      if (!::PtInRect(&r, at)) continue;
      if (get_accChild(Integer(static_cast<LONG>(i + 1)), &child->pdispVal) != S_OK) return E_FAIL;
      child->vt = VT_DISPATCH;
      return S_OK;
    }
    for (std::size_t i = parts.size(); i-- > 0;) {
      if (parts[i].bounds.Contains(peer->GetScale().ToLayout(Point{at.x, at.y}))) {
        *child = Integer(static_cast<LONG>(windows.size() + i + 1));
        return S_OK;
      }
    }
    *child = Integer(CHILDID_SELF);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    PeerCore* peer = Peer();
    if (peer == nullptr) return E_FAIL;
    const AccessibleItem* part = IsSelf(child) ? nullptr : Part(child);
    if (part == nullptr || !part->action) return DISP_E_MEMBERNOTFOUND;
    // Run from the message loop, as a click is, not inside the caller's call.
    peer->Backend().Post(part->action);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  PeerCore* Peer() const { return PeerCore::FromHandle(hwnd_); }
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  // The place of a child among the painted controls, -1 for none.
  int PartIndex(const VARIANT& child) const {
    if (child.vt != VT_I4) return -1;
    return static_cast<int>(child.lVal) - static_cast<int>(ChildWindows(hwnd_).size()) - 1;
  }

  // The painted control a child stands for, read afresh; nullptr for none.
  const AccessibleItem* Part(const VARIANT& child) {
    PeerCore* peer = Peer();
    const int index = PartIndex(child);
    if (peer == nullptr || index < 0) return nullptr;
    parts_ = peer->Events().NativeAccessibleParts();
    return index < static_cast<int>(parts_.size()) ? &parts_[static_cast<std::size_t>(index)] : nullptr;
  }

  HWND hwnd_;
  std::vector<AccessibleItem> parts_;
};

// A ticked row's action, the name screen readers give it on every front end.
constexpr wchar_t kToggleAction[] = L"Toggle";
// The state pictures of a list's tick boxes.
// Room for a row's text (a path the records can hold).
constexpr int kRowTextLength = 1024;

// The system's IAccessible of a system control, with the name of its label
// for a box (the label is painted, so the system cannot find it), and the
// role of its class where the system tells only "client" (as Wine does).
class SystemControl final : public AccessibleBase {
 public:
  SystemControl(HWND hwnd, IAccessible* system, std::wstring name, LONG role)
      : hwnd_(hwnd), system_(system), name_(std::move(name)), role_(role) {}
  ~SystemControl() override { system_->Release(); }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (IsSelf(child) && !name_.empty()) return Text(name_, name);
    if (const int row = Row(child); row >= 0) return Text(RowText(row), name);
    return system_->get_accName(child, name);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT c, VARIANT* r) override {
    if (Row(c) >= 0 && r != nullptr) {
      r->vt = VT_I4;
      r->lVal = ROLE_SYSTEM_LISTITEM;
      return S_OK;
    }
    const HRESULT result = system_->get_accRole(c, r);
    if (SUCCEEDED(result) && IsSelf(c) && r->vt == VT_I4 && r->lVal == ROLE_SYSTEM_CLIENT) r->lVal = role_;
    return result;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return system_->get_accParent(p); }
  // A control that carries windows of the toolkit (the pages of tabs) has
  // them as its children, as they tell themselves.
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* n) override {
    if (role_ == ROLE_SYSTEM_LIST && n != nullptr) {
      *n = RowCount();
      return S_OK;
    }
    const std::vector<HWND> pages = Pages();
    if (pages.empty() || n == nullptr) return system_->get_accChildCount(n);
    *n = static_cast<LONG>(pages.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override {
    if (Row(c) >= 0) {
      if (d != nullptr) *d = nullptr;
      return S_FALSE;  // a row is an element of the list, not an object
    }
    const std::vector<HWND> pages = Pages();
    if (pages.empty()) return system_->get_accChild(c, d);
    if (d == nullptr || c.vt != VT_I4 || c.lVal < 1 || c.lVal > static_cast<LONG>(pages.size())) return E_INVALIDARG;
    return ::AccessibleObjectFromWindow(pages[static_cast<std::size_t>(c.lVal - 1)], static_cast<DWORD>(OBJID_CLIENT),
                                        IID_IDispatch, reinterpret_cast<void**>(d));
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT c, BSTR* v) override { return system_->get_accValue(c, v); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT c, BSTR* t) override {
    return system_->get_accDescription(c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override {
    const int row = Row(c);
    if (row < 0 || s == nullptr) return system_->get_accState(c, s);
    const auto state = static_cast<UINT>(
        ::SendMessageW(hwnd_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED | LVIS_STATEIMAGEMASK));
    s->vt = VT_I4;
    s->lVal = STATE_SYSTEM_SELECTABLE | ((state & LVIS_SELECTED) != 0 ? STATE_SYSTEM_SELECTED : 0) |
              (TickedRow(c) >= 0 && (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(kTickedImage)
                   ? STATE_SYSTEM_CHECKED : 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* t) override { return system_->get_accHelp(c, t); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, LONG* t) override {
    return system_->get_accHelpTopic(f, c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* t) override {
    return system_->get_accKeyboardShortcut(c, t);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return system_->get_accFocus(f); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return system_->get_accSelection(s); }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT c, BSTR* a) override {
    if (TickedRow(c) >= 0) return Text(kToggleAction, a);
    return system_->get_accDefaultAction(c, a);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG f, VARIANT c) override {
    const HRESULT result = system_->accSelect(f, c);
    if (SUCCEEDED(result) || !IsSelf(c) || f != SELFLAG_TAKEFOCUS) return result;
    ::SetFocus(hwnd_);  // what the system leaves undone (Wine)
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* l, LONG* t, LONG* w, LONG* h, VARIANT c) override {
    return system_->accLocation(l, t, w, h, c);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG d, VARIANT s, VARIANT* e) override {
    return system_->accNavigate(d, s, e);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* c) override { return system_->accHitTest(x, y, c); }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT c) override {
    const int row = TickedRow(c);
    if (row < 0) return system_->accDoDefaultAction(c);
    // As Space or a click on the box: the list's owner holds the ticks.
    ::SendMessageW(hwnd_, kToggleRowMessage, static_cast<WPARAM>(row), 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return system_->put_accName(c, n); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return system_->put_accValue(c, v); }

 private:
  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
  // A list's rows are its children 1..n, read from the list itself (Wine's
  // own object of a list tells none of them).
  LONG RowCount() const { return static_cast<LONG>(::SendMessageW(hwnd_, LVM_GETITEMCOUNT, 0, 0)); }
  int Row(const VARIANT& child) const {
    if (role_ != ROLE_SYSTEM_LIST || child.vt != VT_I4 || child.lVal < 1 || child.lVal > RowCount()) return -1;
    return static_cast<int>(child.lVal - 1);
  }
  std::wstring RowText(int row) const {
    wchar_t text[kRowTextLength] = {};
    LVITEMW item{};
    item.pszText = text;
    item.cchTextMax = kRowTextLength;
    ::SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
  }
  // The row that `child` names in a list with tick boxes, whose action
  // ticks and unticks it; -1 for anything else.
  int TickedRow(const VARIANT& child) const {
    const auto style = static_cast<DWORD>(::SendMessageW(hwnd_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    return (style & LVS_EX_CHECKBOXES) != 0 ? Row(child) : -1;
  }

  std::vector<HWND> Pages() const {
    std::vector<HWND> pages;
    for (HWND child : ChildWindows(hwnd_)) {
      if (PeerCore::FromHandle(child) != nullptr) pages.push_back(child);
    }
    return pages;
  }

  HWND hwnd_;
  IAccessible* system_;
  std::wstring name_;
  LONG role_;
};

// The system controls the peers are made of, with the role of each; the
// boxes are named by their labels, lists and trees by what they list.
struct SystemClass {
  const wchar_t* name;
  LONG role;
  bool labelled;
};
constexpr SystemClass kSystemClasses[] = {
    {L"Edit", ROLE_SYSTEM_TEXT, true},
    {L"ComboBox", ROLE_SYSTEM_COMBOBOX, true},
    {L"Button", ROLE_SYSTEM_PUSHBUTTON, false},
    {L"SysListView32", ROLE_SYSTEM_LIST, true},
    {L"SysTreeView32", ROLE_SYSTEM_OUTLINE, true},
    {L"SysTabControl32", ROLE_SYSTEM_PAGETABLIST, false},
};

const SystemClass* SystemClassOf(HWND hwnd) {
  wchar_t name[32] = {};
  ::GetClassNameW(hwnd, name, 32);
  for (const SystemClass& known : kSystemClasses) {
    if (::lstrcmpiW(name, known.name) == 0) return &known;
  }
  return nullptr;
}

LRESULT Answer(IAccessible* object, WPARAM wparam) {
  const LRESULT result = ::LresultFromObject(IID_IAccessible, wparam, object);
  object->Release();
  return result;
}

}  // namespace

void AnnounceFocus(HWND hwnd, int part) {
  const LONG child = part < 0 ? CHILDID_SELF : static_cast<LONG>(ChildWindows(hwnd).size()) + part + 1;
  ::NotifyWinEvent(EVENT_OBJECT_FOCUS, hwnd, OBJID_CLIENT, child);
}

std::optional<LRESULT> AnswerGetObject(PeerCore& peer, bool painted, WPARAM wparam, LPARAM lparam) {
  if (static_cast<LONG>(lparam) != OBJID_CLIENT) return std::nullopt;
  if (painted) return Answer(new PaintedAccessible(peer.Hwnd()), wparam);
  const SystemClass* known = SystemClassOf(peer.Hwnd());
  IAccessible* system = nullptr;
  if (known == nullptr || FAILED(::CreateStdAccessibleObject(peer.Hwnd(), OBJID_CLIENT, IID_IAccessible,
                                                              reinterpret_cast<void**>(&system)))) {
    return std::nullopt;
  }
  const std::string name = known->labelled ? peer.Events().NativeAccessibleSelf().name : std::string();
  return Answer(new SystemControl(peer.Hwnd(), system, ToWide(name), known->role), wparam);
}

}  // namespace app::win32

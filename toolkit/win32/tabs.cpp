#include "toolkit/win32/windows_api.h"

#include <algorithm>
#include <vector>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/painted.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;

class TabsPeer;

// The page of one tab: a painted window on the tab control, shown while its
// tab is the current one and its control wants it shown.
class PagePeer final : public PaintedPeer {
 public:
  PagePeer(Win32Backend& backend, TabsPeer& tabs, HWND parent, NativeEvents& events);
  ~PagePeer() override;

  void SetVisible(bool visible) override {
    wanted_ = visible;
    Update();
  }
  // A page always fills its tabs' page area.
  void SetBounds(const Rect& bounds) override;
  void Rescaled() override;
  // Shows or hides the page as its tab and its control say.
  void Update();

 private:
  TabsPeer& tabs_;
  bool wanted_ = false;
};

// A row of tabs of the system (WC_TABCONTROL) over the pages' area.
class TabsPeer final : public Peer<NativeTabs> {
 public:
  TabsPeer(Win32Backend& backend, HWND parent, NativeEvents& events) : Peer(backend, events, false) {
    Create(0, WC_TABCONTROLW, kStyle, parent, false);
  }

  void SetBounds(const Rect& bounds) override {
    Place(bounds);
    PlacePages();
  }

  // The tabs' height follows the new font, and the pages' area with it.
  void Rescaled() override {
    PeerCore::Rescaled();
    PlacePages();
  }

  std::unique_ptr<NativeWindow> AddPage(const std::string& caption, NativeEvents& events) override {
    std::wstring text = ToWide(caption);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    const int index = static_cast<int>(pages_.size());
    ::SendMessageW(Hwnd(), TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    auto page = std::make_unique<PagePeer>(Backend(), *this, Hwnd(), events);
    pages_.push_back(page.get());
    page->Place(PageArea());
    return page;
  }

  int CurrentIndex() const override { return static_cast<int>(::SendMessageW(Hwnd(), TCM_GETCURSEL, 0, 0)); }

  void SetCurrentIndex(int index) override {
    ::SendMessageW(Hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    ShowCurrentPage();
  }

  Rect PageArea() const override {
    RECT r{};
    ::GetClientRect(Hwnd(), &r);
    ::SendMessageW(Hwnd(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return GetScale().ToLayout(FromRect(r));
  }

  bool Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    (void)wparam;
    if (message != WM_NOTIFY || reinterpret_cast<const NMHDR*>(lparam)->code != static_cast<UINT>(TCN_SELCHANGE)) {
      return false;
    }
    ShowCurrentPage();
    result = 0;
    return true;
  }

  bool IsCurrent(const PagePeer* page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found != pages_.end() && found - pages_.begin() == CurrentIndex();
  }

  void Forget(PagePeer* page) { pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end()); }

 private:
  void PlacePages() {
    for (PagePeer* page : pages_) page->Place(PageArea());
  }

  void ShowCurrentPage() {
    for (PagePeer* page : pages_) page->Update();
  }

  std::vector<PagePeer*> pages_;
};

PagePeer::PagePeer(Win32Backend& backend, TabsPeer& tabs, HWND parent, NativeEvents& events)
    : PaintedPeer(backend, parent, events), tabs_(tabs) {}

PagePeer::~PagePeer() { tabs_.Forget(this); }

void PagePeer::SetBounds(const Rect& bounds) {
  (void)bounds;
  Place(tabs_.PageArea());
}

void PagePeer::Rescaled() { Place(tabs_.PageArea()); }

void PagePeer::Update() { Show(wanted_ && tabs_.IsCurrent(this)); }

}  // namespace

std::unique_ptr<NativeTabs> MakeTabs(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<TabsPeer>(backend, parent, events);
}

}  // namespace app::win32

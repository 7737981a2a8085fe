#include "toolkit/win32/windows_api.h"

#include <string>
#include <unordered_map>

#include "toolkit/win32/gdi.h"
#include "toolkit/win32/image_list.h"
#include "toolkit/win32/peer.h"
#include "toolkit/win32/peers.h"
#include "toolkit/win32/text.h"

namespace app::win32 {

namespace {

constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                         TVS_LINESATROOT | TVS_SHOWSELALWAYS;
constexpr DWORD kExStyle = WS_EX_CLIENTEDGE;

// A tree of the system (WC_TREEVIEW). Each node carries the owner's name for
// it; a node that may have children shows its expand mark (cChildren) until
// it is expanded, when the owner reads them (TVN_ITEMEXPANDING).
class TreePeer final : public Peer<NativeTree> {
 public:
  TreePeer(Win32Backend& backend, HWND parent, NativeEvents& events)
      : Peer(backend, events, false), pictures_(ScaleIn(backend, parent)) {
    Create(kExStyle, WC_TREEVIEWW, kStyle, parent, false);
  }

  void AddNode(Node parent, Node node, const std::string& text, const Image* picture,
               bool may_have_children) override {
    Insert(parent, TVI_LAST, node, text, picture, may_have_children);
  }

  void InsertNode(Node parent, Node before, Node node, const std::string& text, const Image* picture,
                  bool may_have_children) override {
    // The tree inserts after an item: after the one before `before`.
    HTREEITEM next = ItemOf(before);
    HTREEITEM after = TVI_LAST;
    if (next != nullptr) {
      HTREEITEM previous = TreeView_GetPrevSibling(Hwnd(), next);
      after = previous != nullptr ? previous : TVI_FIRST;
    }
    Insert(parent, after, node, text, picture, may_have_children);
  }

  void RemoveNode(Node node) override {
    if (HTREEITEM item = ItemOf(node)) TreeView_DeleteItem(Hwnd(), item);
  }

  void SetMayHaveChildren(Node node, bool may_have_children) override {
    HTREEITEM item = ItemOf(node);
    if (item == nullptr) return;
    TVITEMW data{};
    data.mask = TVIF_CHILDREN | TVIF_HANDLE;
    data.hItem = item;
    data.cChildren = may_have_children ? 1 : 0;
    ::SendMessageW(Hwnd(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  }

  void Expand(Node node) override {
    if (HTREEITEM item = ItemOf(node)) TreeView_Expand(Hwnd(), item, TVE_EXPAND);
  }

  void Select(Node node) override {
    HTREEITEM item = ItemOf(node);
    if (item == nullptr) return;
    TreeView_SelectItem(Hwnd(), item);
    TreeView_EnsureVisible(Hwnd(), item);
  }

  Node Selected() const override { return NodeOf(TreeView_GetSelection(Hwnd())); }

  Node NodeAt(Point at) const override {
    TVHITTESTINFO hit{};
    const Point scaled = GetScale().ToScreen(at);
    hit.pt = POINT{scaled.x, scaled.y};
    HTREEITEM item = TreeView_HitTest(Hwnd(), &hit);
    return (hit.flags & TVHT_ONITEM) != 0 ? NodeOf(item) : nullptr;
  }

  Rect NodeRect(Node node) const override {
    HTREEITEM item = ItemOf(node);
    RECT r{};
    if (item == nullptr || !TreeView_GetItemRect(Hwnd(), item, &r, TRUE)) return Rect();
    return GetScale().ToLayout(FromRect(r));
  }

  // The window goes before the pictures it shows.
  ~TreePeer() override { DestroyOwnWindow(); }

  void Rescaled() override {
    PeerCore::Rescaled();
    // The nodes take the height of the new font and pictures.
    pictures_.Rescale(GetScale(), [this](HIMAGELIST list) {
      if (pictures_attached_) TreeView_SetImageList(Hwnd(), list, TVSIL_NORMAL);
    });
  }

  bool Reflect(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override {
    (void)wparam;
    if (message != WM_NOTIFY) return false;
    const auto* header = reinterpret_cast<const NMHDR*>(lparam);
    const auto* change = reinterpret_cast<const NMTREEVIEWW*>(lparam);
    result = 0;
    switch (header->code) {
      case TVN_ITEMEXPANDINGW:
        if ((change->action & TVE_EXPAND) != 0) Expanding(change->itemNew.hItem);
        return true;
      case TVN_SELCHANGEDW:
        if (on_selection_change) on_selection_change();
        return true;
      case TVN_DELETEITEMW:
        Forget(change->itemOld.hItem);
        return true;
      default:
        return false;
    }
  }

 protected:
  bool UsesKey(Key key) const override { return key == Key::kBackspace; }

 private:
  void Insert(Node parent, HTREEITEM after, Node node, const std::string& text, const Image* picture,
              bool may_have_children) {
    std::wstring wide = ToWide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent != nullptr ? ItemOf(parent) : TVI_ROOT;
    if (insert.hParent == nullptr) return;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN;
    insert.item.pszText = wide.data();
    insert.item.lParam = reinterpret_cast<LPARAM>(node);
    insert.item.cChildren = may_have_children ? 1 : 0;
    const int image = PictureIndex(picture);
    if (image >= 0) {
      insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
      insert.item.iImage = image;
      insert.item.iSelectedImage = image;
    }
    HTREEITEM item = reinterpret_cast<HTREEITEM>(
        ::SendMessageW(Hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (item != nullptr) {
      items_[node] = item;
      nodes_[item] = node;
    }
  }

  void Expanding(HTREEITEM item) {
    const Node node = NodeOf(item);
    if (node != nullptr && on_expanding) on_expanding(node);
    // A node whose children turned out to be none loses its mark.
    if (ItemOf(node) == item && TreeView_GetChild(Hwnd(), item) == nullptr) SetMayHaveChildren(node, false);
  }

  void Forget(HTREEITEM item) {
    const auto found = nodes_.find(item);
    if (found == nodes_.end()) return;
    items_.erase(found->second);
    nodes_.erase(found);
  }

  HTREEITEM ItemOf(Node node) const {
    const auto found = items_.find(node);
    return found != items_.end() ? found->second : nullptr;
  }

  Node NodeOf(HTREEITEM item) const {
    const auto found = nodes_.find(item);
    return found != nodes_.end() ? found->second : nullptr;
  }

  int PictureIndex(const Image* picture) {
    if (picture == nullptr) return -1;
    if (!pictures_attached_) {
      TreeView_SetImageList(Hwnd(), pictures_.Handle(), TVSIL_NORMAL);
      pictures_attached_ = true;
    }
    return pictures_.IndexOf(picture);
  }

  ImageList pictures_;
  bool pictures_attached_ = false;
  std::unordered_map<Node, HTREEITEM> items_;
  std::unordered_map<HTREEITEM, Node> nodes_;
};

}  // namespace

std::unique_ptr<NativeTree> MakeTree(Win32Backend& backend, HWND parent, NativeEvents& events) {
  return std::make_unique<TreePeer>(backend, parent, events);
}

}  // namespace app::win32

#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/backend.h"
#include "toolkit/borderless_window.h"
#include "toolkit/control.h"

// A window of every kind of native peer, built from small controls of its
// own over the toolkit's control model: the Win32 backend's tests drive it,
// and the demo program shows it.
namespace demo {

// A windowed control around one native peer of kind `Kind`, recording the
// keys it is offered.
template <class Kind>
class Windowed : public app::WinControl {
 public:
  using Maker = std::unique_ptr<Kind> (app::Backend::*)(app::NativeWindow&, app::NativeEvents&);
  Windowed(app::WinControl* parent, Maker make) : WinControl(parent) {
    std::unique_ptr<Kind> native = (app::CurrentBackend().*make)(parent->Native(), *this);
    peer = native.get();
    AttachNative(std::move(native));
  }

  Kind* peer = nullptr;
  std::vector<app::Key> keys;  // the keys offered to the control
  bool takes_keys = false;     // whether it uses them (else its window may)

 protected:
  bool KeyPressed(app::Key key) override {
    keys.push_back(key);
    return takes_keys || WinControl::KeyPressed(key);
  }
};

// A painted panel: a colour, optionally a frame.
class Panel : public app::WinControl {
 public:
  Panel(app::WinControl* parent, app::BgrColor color);
  app::BgrColor color;
  bool framed = false;

 protected:
  // A panel whose native window the subclass attaches.
  Panel(app::WinControl* parent, app::BgrColor color, bool attach_later);
  void PaintBackground(app::Canvas& canvas) override;
};

// A flat button drawn by its parent: a raised face that sinks while
// pressed, its caption red while the pointer is over it.
class FlatButton : public app::GraphicControl {
 public:
  FlatButton(app::WinControl* parent, std::string caption);
  void Paint(app::Canvas& canvas) override;

  std::string caption;
  int clicks = 0;
  int enters = 0;
  int leaves = 0;

 protected:
  void MouseEntered() override;
  void MouseLeft() override;
};

// A picture with alpha, drawn by its parent.
class PictureBox : public app::GraphicControl {
 public:
  PictureBox(app::WinControl* parent, app::Image image);
  void Paint(app::Canvas& canvas) override;
  app::Image image;
};

// The demo window: a title strip, a flat button, an edit box, a combo box,
// a push button, a report list, a tree and two tab pages.
class DemoWindow : public app::BorderlessWindow {
 public:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 300;
  DemoWindow();

  Panel* title;
  FlatButton* close_mark;
  FlatButton* flat;
  PictureBox* picture;
  Windowed<app::NativeEdit>* edit;
  Windowed<app::NativeComboBox>* combo;
  Windowed<app::NativePushButton>* push;
  Windowed<app::NativeReportList>* list;
  Windowed<app::NativeTree>* tree;
  Windowed<app::NativeTabs>* tabs;
  Panel* first_page;
  Panel* second_page;

  // The tree's nodes are named by their texts' addresses; a node expanded
  // for the first time gets two children.
  const void* NewNode(const std::string& text);
  std::deque<std::string> node_texts;
  std::vector<const void*> expanded;

  std::vector<app::Key> window_keys;  // keys no control used
  int close_requests = 0;
  int restores = 0;

 protected:
  bool KeyPressed(app::Key key) override {
    window_keys.push_back(key);
    return false;
  }
  void NativeCloseRequest() override { ++close_requests; }
  void NativeRestored() override { ++restores; }
};

// A page of a tab control, painted.
class Page : public Panel {
 public:
  Page(Windowed<app::NativeTabs>* tabs, const std::string& caption, app::BgrColor color);
};

// The picture the demo's rows, nodes and picture box show: a 16 x 16
// square, opaque red inside a half-transparent blue rim.
const app::Image& RowPicture();

}  // namespace demo

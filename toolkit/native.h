#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/accessible.h"
#include "toolkit/canvas.h"
#include "toolkit/font.h"
#include "toolkit/geometry.h"
#include "toolkit/image.h"

// The native side of the toolkit: one small interface per kind of native
// window, implemented once by each front end (toolkit/qt, toolkit/win32).
// The controls in toolkit hold one of these as their peer, tell it what
// to show, and hear from it through NativeEvents. A peer holds no behaviour
// of the program: it shows what it is told and reports what the user did.
namespace app {

class Control;

enum class MouseButton { kLeft, kRight, kMiddle };

// The keys the windows give a meaning to; every other key is kOther. Tab
// and Shift+Tab walk the window's stops; Ctrl+Tab and Ctrl+Shift+Tab turn
// to the next and previous tab page.
enum class Key {
  kEnter, kEscape, kBackspace, kF2, kF5, kSpace, kUp, kDown, kLeft, kRight,
  kTab, kBackTab, kNextPage, kPreviousPage, kOther
};

// How a native window came to have the keyboard focus.
enum class FocusReason {
  kTabForward,   // Tab from the control before it
  kTabBackward,  // Shift+Tab from the control after it
  kOther,        // the window became active, or the program gave it the focus
};

// What a native window reports to the control that owns it. Every call comes
// on the user-interface thread. Points are in the window's own coordinates.
class NativeEvents {
 public:
  virtual ~NativeEvents() = default;

  // Paint the part `dirty` (own coordinates) of a painted window.
  virtual void NativePaint(Canvas& canvas, const Rect& dirty) { (void)canvas, (void)dirty; }
  virtual void NativeMouseMove(Point at) { (void)at; }
  virtual void NativeMouseDown(Point at, MouseButton button) { (void)at, (void)button; }
  virtual void NativeMouseUp(Point at, MouseButton button) { (void)at, (void)button; }
  // The pointer left the window.
  virtual void NativeMouseLeave() {}
  // The window lost the mouse capture while a button was held (a system
  // move took over, another window grabbed the mouse): no release follows.
  virtual void NativeCaptureLost() {}
  // A key the native window did not use itself. True when it was used here.
  virtual bool NativeKey(Key key) { (void)key; return false; }
  // A top-level window is asked to close (close keystroke, window manager).
  virtual void NativeCloseRequest() {}
  // A top-level window came back from being minimised.
  virtual void NativeRestored() {}
  // Files and folders were dropped on a top-level window that takes them:
  // their paths, as the system gives them (on Linux byte for byte).
  virtual void NativeFilesDropped(const std::vector<std::string>& paths) { (void)paths; }

  // Keyboard focus. The window took the focus; false when it has nothing
  // to focus (the front end then moves the focus on in the same direction).
  virtual bool NativeFocusIn(FocusReason reason) { (void)reason; return true; }
  virtual void NativeFocusOut() {}
  // Tab (forward) or Shift+Tab in this window or a window inside it: the
  // focus goes to the next stop of its top-level window (the toolkit's own
  // walk, the same on both front ends); true when it moved.
  virtual bool NativeTab(bool forward) { (void)forward; return false; }
  // Alt with a letter (upper case), or Alt pressed and released alone
  // (letter 0), anywhere in a top-level window. True when it was used.
  virtual bool NativeMnemonic(char letter) { (void)letter; return false; }
  // A top-level window whose front end walks the keyboard itself was just
  // used with the keys: from now on it shows the focus mark and the menus'
  // underlined letters.
  virtual void NativeKeyboardUsed() {}
  // The control that owns the window, for the front end's accessibility
  // layer (its graphic children, names, roles and actions).
  virtual Control* NativeOwner() { return nullptr; }
  // What assistive technology is told of the window's own control, and of
  // the controls painted on it (toolkit/accessible.h).
  virtual AccessibleItem NativeAccessibleSelf() { return {}; }
  virtual std::vector<AccessibleItem> NativeAccessibleParts() { return {}; }
};

// Any native window: a child window of a top-level one, or a top-level one.
class NativeWindow {
 public:
  NativeWindow() = default;
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;
  virtual ~NativeWindow() = default;

  // Place and size in the parent's client coordinates (screen coordinates
  // for a top-level window).
  virtual void SetBounds(const Rect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  // Asks for the part `rect` (own coordinates) to be painted again soon.
  virtual void Invalidate(const Rect& rect) = 0;
  // Keeps every mouse event for this window until released.
  virtual void CaptureMouse(bool capture) = 0;
  virtual void SetFocus() = 0;
  virtual void SetFont(const Font& font) = 0;

  // Keyboard and accessibility; front ends without them keep the defaults.
  // True while the window has the keyboard focus.
  virtual bool HasFocus() const { return false; }
  // A painted window that carries controls reached with Tab takes the
  // focus by the keyboard (never by the mouse).
  virtual void SetTabStop(bool tab_stop) { (void)tab_stop; }
  // The name a screen reader gives the window (a box's label, a list's use).
  virtual void SetAccessibleName(const std::string& name) { (void)name; }
  // A graphic control on this window took the keyboard focus: screen
  // readers are told.
  virtual void AnnounceFocus(Control& graphic) { (void)graphic; }
};

// A top-level window without a system frame, of a fixed size.
class NativeTopLevel : public NativeWindow {
 public:
  virtual void SetTitle(const std::string& title) = 0;
  // The screen position of the window's top-left corner.
  virtual Point ScreenPosition() const = 0;
  // Starts the window system's interactive move with the button just pressed
  // (the caption drag of a frameless window).
  virtual void StartSystemMove() = 0;
  virtual bool IsMinimised() const = 0;
  // Brings a minimised window back and raises it.
  virtual void Restore() = 0;
  virtual void Minimise() = 0;
  // While modal, the other windows of the program take no input. Set before
  // the window is shown for a modal run, and cleared after it.
  virtual void SetModal(bool modal) = 0;
  // Runs a nested event loop until EndModal() (harmless when no loop runs).
  virtual void RunModal() = 0;
  virtual void EndModal() = 0;
  // From now on files and folders dragged from the desktop may be dropped
  // on the window (NativeEvents::NativeFilesDropped).
  virtual void AcceptFileDrops() = 0;
};

// A single-line edit box.
class NativeEdit : public NativeWindow {
 public:
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;
  // Shows every character as "*".
  virtual void SetPassword(bool password) = 0;
};

// A drop-down list (no typing, until it is told to take free text).
class NativeComboBox : public NativeWindow {
 public:
  virtual void Clear() = 0;
  virtual void AddItem(const std::string& text) = 0;
  virtual int Count() const = 0;
  // -1 when nothing is chosen.
  virtual int CurrentIndex() const = 0;
  virtual void SetCurrentIndex(int index) = 0;
  // Lets the box take free text and shows `text` as its current text.
  virtual void SetFreeText(const std::string& text) = 0;
  // The text shown: the chosen item's, or the free text.
  virtual std::string CurrentText() const = 0;
  std::function<void()> on_change;  // the user chose another item
};

// A push button (the system's own look).
class NativePushButton : public NativeWindow {
 public:
  virtual void SetCaption(const std::string& caption) = 0;
  // The default button shows so, and Enter in the window presses it.
  virtual void SetDefault(bool is_default) = 0;
  std::function<void()> on_click;
};

// A row of tabs over a page area. The pages are painted windows made by
// CreatePage; the one of the current tab shows.
class NativeTabs : public NativeWindow {
 public:
  // Adds a tab and returns the window of its page (client size of the page
  // area), which reports to `events`.
  virtual std::unique_ptr<NativeWindow> AddPage(const std::string& caption, NativeEvents& events) = 0;
  virtual int CurrentIndex() const = 0;
  virtual void SetCurrentIndex(int index) = 0;
  // The page area in the tabs' own coordinates.
  virtual Rect PageArea() const = 0;
};

// A report-style list: columns with blank, unclickable headers unless told
// otherwise, whole-row selection of one row at a time, an optional tick box
// and an optional 16 x 16 picture in front of each row's first cell.
class NativeReportList : public NativeWindow {
 public:
  struct Row {
    std::vector<std::string> cells;  // first column first
    const Image* picture = nullptr;  // kept alive by the caller while shown
    bool checked = false;            // used when the list has tick boxes
  };

  // The columns and their widths in pixels; a last width below zero makes
  // the last column take whatever width the others leave.
  virtual void SetColumns(const std::vector<int>& widths) = 0;
  virtual void SetColumnCaption(int column, const std::string& caption) = 0;
  virtual void SetHeaderVisible(bool visible) = 0;
  // The column header's height in pixels (that of a row unless told); a
  // front end whose system sets it itself may keep the system's.
  virtual void SetHeaderHeight(int height) { (void)height; }
  virtual void SetCheckBoxes(bool on) = 0;
  virtual void SetGridLines(bool on) = 0;
  virtual void SetBorder(bool on) = 0;

  virtual void Clear() = 0;
  // Replaces every row with `rows` in one step (however many), none
  // selected.
  virtual void SetRows(std::vector<Row> rows) = 0;
  virtual void AddRow(const Row& row) = 0;
  virtual void RemoveRow(int row) = 0;
  virtual void SetCell(int row, int column, const std::string& text) = 0;
  virtual void SetRowPicture(int row, const Image* picture) = 0;
  virtual int RowCount() const = 0;
  // The cells of a row as they show; nullptr outside the rows.
  virtual const std::vector<std::string>* Cells(int row) const = 0;
  virtual bool Checked(int row) const = 0;
  virtual void SetChecked(int row, bool checked) = 0;
  // -1 when none is selected.
  virtual int SelectedRow() const = 0;
  // Selects the row (or none for -1) and shows it.
  virtual void SelectRow(int row) = 0;
  // Starts editing the first cell of the row in place.
  virtual void BeginRename(int row) = 0;
  // The row at a point of the list (own coordinates), -1 for none.
  virtual int RowAt(Point at) const = 0;
  // Where the first cell of a row lies (own coordinates).
  virtual Rect RowRect(int row) const = 0;

  std::function<void()> on_selection_change;   // by the user or by SelectRow
  std::function<void(int row)> on_activate;    // double-click or Enter on a row
  std::function<void(int row)> on_check;       // the user toggled a tick box
  // The user finished editing a row's name; true keeps the new text.
  std::function<bool(int row, const std::string& text)> on_rename;
  // A right click (or the menu key) over a row (-1: over no row), at a point
  // in own coordinates.
  std::function<void(int row, Point at)> on_context_menu;
};

// A tree of nodes, each with a text and a picture, whose children are read
// when a node is first expanded.
class NativeTree : public NativeWindow {
 public:
  using Node = const void*;  // a node, named by the control that owns the tree

  // Adds a node at the end of `parent`'s children (nullptr: a top node).
  // `may_have_children` shows an expand mark before the children are read.
  virtual void AddNode(Node parent, Node node, const std::string& text, const Image* picture,
                       bool may_have_children) = 0;
  // Inserts a node before `before` among `parent`'s children.
  virtual void InsertNode(Node parent, Node before, Node node, const std::string& text,
                          const Image* picture, bool may_have_children) = 0;
  virtual void RemoveNode(Node node) = 0;
  virtual void SetMayHaveChildren(Node node, bool may_have_children) = 0;
  virtual void Expand(Node node) = 0;
  virtual void Select(Node node) = 0;
  // nullptr when none is selected.
  virtual Node Selected() const = 0;
  virtual Node NodeAt(Point at) const = 0;
  virtual Rect NodeRect(Node node) const = 0;

  std::function<void(Node node)> on_expanding;  // before a node shows its children
  std::function<void()> on_selection_change;     // by the user or by Select
};

// A timer on the user-interface thread; stops when destroyed.
class NativeTimer {
 public:
  virtual ~NativeTimer() = default;
};

}  // namespace app

#include "toolkit/borderless_window.h"

#include <algorithm>
#include <cstddef>
#include <memory>

#include "toolkit/backend.h"
#include "toolkit/system_colours.h"

namespace app {

namespace {
void InvalidateAll(WinControl& control) {
  control.Invalidate();
  for (Control* child : control.Children()) {
    if (child->IsWindowed()) InvalidateAll(*static_cast<WinControl*>(child));
  }
}

// The windowed controls on screen, from `control` down.
void CollectShown(WinControl& control, std::vector<WinControl*>& shown) {
  if (!control.Visible() || !control.ShownByParent()) return;
  shown.push_back(&control);
  for (Control* child : control.Children()) {
    if (child->IsWindowed()) CollectShown(*static_cast<WinControl*>(child), shown);
  }
}

WinControl* FocusedIn(WinControl& control) {
  for (Control* child : control.Children()) {
    if (!child->IsWindowed()) continue;
    if (WinControl* inner = FocusedIn(*static_cast<WinControl*>(child))) return inner;
  }
  return control.Focused() ? &control : nullptr;
}
}  // namespace

BorderlessWindow::BorderlessWindow(int width, int height) : WinControl(nullptr) {
  SetVisible(false);
  SetBounds(Rect(0, 0, width, height));
  std::unique_ptr<NativeTopLevel> native = CurrentBackend().CreateTopLevel(*this, Size{width, height});
  top_native_ = native.get();
  AttachNative(std::move(native));
}

BorderlessWindow::~BorderlessWindow() = default;

void BorderlessWindow::SetColor(BgrColor color) {
  color_ = color;
  Invalidate();
}

void BorderlessWindow::SetTitle(const std::string& title) { top_native_->SetTitle(title); }

void BorderlessWindow::PlaceInScreenCentre() {
  const Size screen = CurrentBackend().ScreenSize();
  MoveTo(Point{(screen.width - Width()) / 2, (screen.height - Height()) / 2});
}

void BorderlessWindow::MoveTo(Point screen_position) {
  // Placed as designed, then moved inside the screen's work area where the
  // screen (a small one, or one at a large scale) would leave it partly off
  // it; the top left corner stays on the screen first.
  const Size screen = CurrentBackend().ScreenSize();
  if (screen.width > 0 && screen.height > 0) {
    screen_position.x = std::max(0, std::min(screen_position.x, screen.width - Width()));
    screen_position.y = std::max(0, std::min(screen_position.y, screen.height - Height()));
  }
  SetBounds(Rect(screen_position, Bounds().GetSize()));
}

Point BorderlessWindow::ScreenPosition() const { return top_native_->ScreenPosition(); }

void BorderlessWindow::Close() {
  Closing();
  Hide();
}

void BorderlessWindow::RunModal() {
  if (modal_) return;
  modal_ = true;
  top_native_->SetModal(true);
  Show();
  ModalRunStarting();
  // The window may have ended its run already (closed by what the hook did).
  if (modal_) top_native_->RunModal();
  modal_ = false;
  top_native_->SetModal(false);
}

void BorderlessWindow::EndModal() {
  if (!modal_) return;
  modal_ = false;
  top_native_->EndModal();
}

bool BorderlessWindow::IsMinimised() const { return top_native_->IsMinimised(); }

void BorderlessWindow::Restore() { top_native_->Restore(); }

void BorderlessWindow::AcceptFileDrops(std::function<void(const std::vector<std::string>&)> dropped) {
  files_dropped_ = std::move(dropped);
  top_native_->AcceptFileDrops();
}

void BorderlessWindow::NativeFilesDropped(const std::vector<std::string>& paths) {
  if (files_dropped_ && !paths.empty()) files_dropped_(paths);
}

void BorderlessWindow::StartSystemMove() {
  // The window system takes the pointer over until the button is released;
  // the press that started the move never gets its release here.
  ResetMouseState();
  top_native_->StartSystemMove();
}

void BorderlessWindow::VisibilityChanged() {
  WinControl::VisibilityChanged();
  // However the window leaves the screen (minimising aside), a modal run
  // must not go on without it.
  if (!Visible()) {
    EndModal();
    return;
  }
  Control* first = focus_when_shown_;
  focus_when_shown_ = nullptr;
  if (first == nullptr && !shown_before_) {
    const std::vector<Control*> stops = TabStops();
    if (!stops.empty()) first = stops.front();
  }
  shown_before_ = true;
  if (first != nullptr && first->Showing()) first->SetFocus();
}

void BorderlessWindow::ShowKeyboardCues() {
  if (keyboard_cues_) return;
  keyboard_cues_ = true;
  InvalidateAll(*this);
}

WinControl* BorderlessWindow::FocusedControl() { return FocusedIn(*this); }

std::vector<Control*> BorderlessWindow::TabStops() {
  std::vector<WinControl*> shown;
  CollectShown(*this, shown);
  std::stable_sort(shown.begin(), shown.end(),
                   [](const WinControl* a, const WinControl* b) { return a->Serial() < b->Serial(); });
  std::vector<Control*> stops;
  for (WinControl* control : shown) {
    if (control->TabStop()) stops.push_back(control);
    for (Control* child : control->Children()) {
      if (!child->IsWindowed() && child->TabStop() && child->Visible()) stops.push_back(child);
    }
  }
  return stops;
}

Control* BorderlessWindow::FocusedStop() {
  WinControl* focused = FocusedControl();
  if (focused == nullptr) return nullptr;
  Control* graphic = focused->FocusedGraphic();
  return graphic != nullptr ? graphic : focused;
}

bool BorderlessWindow::MoveFocusByTab(bool forward) {
  const std::vector<Control*> stops = TabStops();
  if (stops.empty()) return false;
  ShowKeyboardCues();
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  const auto at = std::find(stops.begin(), stops.end(), FocusedStop()) - stops.begin();
  std::ptrdiff_t next = forward ? 0 : count - 1;
  if (at < count) next = (at + (forward ? 1 : count - 1)) % count;
  stops[static_cast<std::size_t>(next)]->SetFocus();
  return true;
}

void BorderlessWindow::PaintBackground(Canvas& canvas) { canvas.FillRect(Bounds().Local(), GroundColour(color_)); }

}  // namespace app

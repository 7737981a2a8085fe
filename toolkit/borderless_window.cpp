#include "toolkit/borderless_window.h"

#include <memory>

#include "toolkit/backend.h"

namespace app {

namespace {
void InvalidateAll(WinControl& control) {
  control.Invalidate();
  for (Control* child : control.Children()) {
    if (child->IsWindowed()) InvalidateAll(*static_cast<WinControl*>(child));
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

void BorderlessWindow::MoveTo(Point screen_position) { SetBounds(Rect(screen_position, Bounds().GetSize())); }

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
  if (!Visible()) EndModal();
}

void BorderlessWindow::ShowKeyboardCues() {
  if (keyboard_cues_) return;
  keyboard_cues_ = true;
  InvalidateAll(*this);
}

WinControl* BorderlessWindow::FocusedControl() { return FocusedIn(*this); }

void BorderlessWindow::PaintBackground(Canvas& canvas) { canvas.FillRect(Bounds().Local(), color_); }

}  // namespace app

#include "toolkit/edit_controls.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "toolkit/backend.h"

namespace app {

namespace {
constexpr int kLabelSpacing = 3;
// The height of a single-line edit box in the windows' font.
constexpr int kEditHeight = 21;
}  // namespace

LabeledEdit::LabeledEdit(std::string label, WinControl* parent)
    : WinControl(parent), label_(new Label(std::move(label), parent)) {
  std::unique_ptr<NativeEdit> edit = CurrentBackend().CreateEdit(parent->Native(), *this);
  edit_ = edit.get();
  AttachNative(std::move(edit));
  SetTabStop(true);
  // A screen reader names the box by its label.
  SetAccessible(AccessibleRole::kText, label_->Text());
}

void LabeledEdit::Place(int left, int top, int width) {
  SetBounds(Rect(left, top, width, kEditHeight));
  label_->AutoSize();
  label_->Move({left - kLabelSpacing - label_->Width(), top + (kEditHeight - label_->Height()) / 2});
}

void LabeledEdit::SetPasswordChar(bool on) { edit_->SetPassword(on); }

std::string LabeledEdit::Text() const { return edit_->Text(); }

void LabeledEdit::SetText(const std::string& text) { edit_->SetText(text); }

ComboBox::ComboBox(WinControl* parent) : WinControl(parent) {
  std::unique_ptr<NativeComboBox> combo = CurrentBackend().CreateComboBox(parent->Native(), *this);
  combo_ = combo.get();
  combo_->on_change = [this] {
    if (on_change) on_change();
  };
  AttachNative(std::move(combo));
  SetTabStop(true);
  SetAccessible(AccessibleRole::kComboBox);
}

void ComboBox::Clear() {
  items_.clear();
  combo_->Clear();
}

void ComboBox::AddItem(const std::string& caption, const std::string& value) {
  items_.push_back(Item{caption, value});
  combo_->AddItem(caption);
}

int ComboBox::FindText(const std::string& text) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.caption == text; });
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

int ComboBox::FindValue(const std::string& value) const {
  const auto found = std::find_if(items_.begin(), items_.end(), [&](const Item& item) { return item.value == value; });
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

std::string ComboBox::Value() const {
  if (free_text_) return CurrentText();
  const int index = CurrentIndex();
  return index >= 0 && index < Count() ? items_[static_cast<std::size_t>(index)].value : std::string();
}

int ComboBox::CurrentIndex() const { return combo_->CurrentIndex(); }

void ComboBox::SetCurrentIndex(int index) { combo_->SetCurrentIndex(index); }

void ComboBox::SetFreeText(const std::string& text) {
  free_text_ = true;
  combo_->SetFreeText(text);
}

std::string ComboBox::CurrentText() const { return combo_->CurrentText(); }

PushButton::PushButton(std::string caption, WinControl* parent)
    : WinControl(parent), caption_(std::move(caption)) {
  std::unique_ptr<NativePushButton> button = CurrentBackend().CreatePushButton(parent->Native(), *this);
  button_ = button.get();
  button_->SetCaption(caption_);
  button_->on_click = [this] { Click(); };
  AttachNative(std::move(button));
  SetTabStop(true);
  SetAccessible(AccessibleRole::kPushButton, caption_);
}

void PushButton::SetDefault(bool is_default) { button_->SetDefault(is_default); }

void PushButton::Click() {
  if (on_click) on_click();
}

}  // namespace app

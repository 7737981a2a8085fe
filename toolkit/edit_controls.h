#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/label.h"

namespace app {

// A single-line edit box with its label placed to its left (the label is a
// graphic control on the same parent), optionally showing every character
// as "*". Its text is the program's 8-bit string.
class LabeledEdit : public WinControl {
 public:
  // The label is created on the same parent and kept beside the box.
  LabeledEdit(std::string label, WinControl* parent);

  // Places the box at the height of an edit box; the label goes to its
  // left, vertically centred.
  void Place(int left, int top, int width);
  // Shows "*" for every character typed.
  void SetPasswordChar(bool on);

  std::string Text() const;
  void SetText(const std::string& text);
  void Clear() { SetText(std::string()); }

  Label* EditLabel() const { return label_; }

 private:
  NativeEdit* edit_;
  Label* label_;
};

// A drop-down list without typing (until it is told to take free text).
// Each item shows a caption and stands for a value: the bytes of a name as
// stored, which need not be UTF-8.
class ComboBox : public WinControl {
 public:
  explicit ComboBox(WinControl* parent);

  void Clear();
  // Appends an item showing `caption` that stands for `value`.
  void AddItem(const std::string& caption, const std::string& value);
  // Appends an item that stands for its own caption.
  void AddItem(const std::string& text) { AddItem(text, text); }
  int Count() const { return static_cast<int>(items_.size()); }
  const std::string& ItemText(int index) const { return items_[static_cast<std::size_t>(index)].caption; }
  // The index of the first item with exactly this text, -1 for none.
  int FindText(const std::string& text) const;
  // The index of the first item standing for exactly this value, -1 for none.
  int FindValue(const std::string& value) const;
  // The value of the current text: the chosen item's value, or the free
  // text once the box takes free text; "" when nothing is chosen.
  std::string Value() const;
  // -1 when nothing is chosen.
  int CurrentIndex() const;
  void SetCurrentIndex(int index);
  // Lets the box take free text and shows `text` as its current text.
  void SetFreeText(const std::string& text);
  // The text shown: the chosen item's, or the free text; "" when none.
  std::string CurrentText() const;

  // The user chose another item.
  std::function<void()> on_change;

 private:
  struct Item {
    std::string caption;
    std::string value;
  };

  NativeComboBox* combo_;
  std::vector<Item> items_;
  bool free_text_ = false;
};

// A push button with the system's own look.
class PushButton : public WinControl {
 public:
  PushButton(std::string caption, WinControl* parent);

  const std::string& Caption() const { return caption_; }
  // The default button of its window shows so.
  void SetDefault(bool is_default);
  // Presses the button as a click would.
  void Click();

 private:
  NativePushButton* button_;
  std::string caption_;
};

}  // namespace app

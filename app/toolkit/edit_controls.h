#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "app/toolkit/label.h"

namespace app {

// An edit box with its label placed to its left, optionally showing every
// character as "*".
class LabeledEdit : public QLineEdit {
  Q_OBJECT

 public:
  // The label is created on the same parent and kept beside the box.
  LabeledEdit(const QString& label, QWidget* parent);

  // Places the box; the label goes to its left, vertically centred.
  void Place(int left, int top, int width);
  // Shows "*" for every character typed.
  void SetPasswordChar(bool on);

  Label* EditLabel() const { return label_; }

 private:
  Label* label_;
};

// A drop-down list without typing (until it is told to take free text).
// Each item shows a caption and stands for a value: the bytes of a name as
// stored, which need not be UTF-8.
class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ComboBox(QWidget* parent);

  // Appends an item showing `caption` (UTF-8) that stands for `value`.
  void AddItem(const std::string& caption, const std::string& value);

  // The value of the current text: the chosen item's value, or the free
  // text as UTF-8 once the box takes free text; "" when nothing is chosen.
  std::string Value() const;

  // Lets the box take free text and shows `text` as its current text.
  void SetFreeText(const QString& text);
};

// A push button that also reports pointer movement.
class PushButton : public QPushButton {
  Q_OBJECT

 public:
  PushButton(const QString& caption, QWidget* parent);

 signals:
  void MouseMove();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace app

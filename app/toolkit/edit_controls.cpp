#include "app/toolkit/edit_controls.h"

#include <QByteArray>
#include <QFontMetrics>

namespace app {

namespace {
constexpr int kLabelSpacing = 3;
constexpr char kAsteriskPasswordStyle[] = "QLineEdit { lineedit-password-character: 42; }";
}  // namespace

LabeledEdit::LabeledEdit(const QString& label, QWidget* parent)
    : QLineEdit(parent), label_(new Label(label, parent)) {}

void LabeledEdit::Place(int left, int top, int width) {
  setGeometry(left, top, width, sizeHint().height());
  label_->adjustSize();
  label_->move(left - kLabelSpacing - label_->width(), top + (height() - label_->height()) / 2);
}

void LabeledEdit::SetPasswordChar(bool on) {
  setEchoMode(on ? QLineEdit::Password : QLineEdit::Normal);
  setStyleSheet(on ? kAsteriskPasswordStyle : "");
}

ComboBox::ComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setInsertPolicy(QComboBox::NoInsert);
}

void ComboBox::AddItem(const std::string& caption, const std::string& value) {
  addItem(QString::fromStdString(caption), QByteArray::fromStdString(value));
}

std::string ComboBox::Value() const {
  if (isEditable()) return currentText().toStdString();
  const QVariant value = currentData();
  return value.isValid() ? value.toByteArray().toStdString() : currentText().toStdString();
}

void ComboBox::SetFreeText(const QString& text) {
  setEditable(true);
  setEditText(text);
}

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setMouseTracking(true);
}

void PushButton::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  QPushButton::mouseMoveEvent(event);
}

}  // namespace app

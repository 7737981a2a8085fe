#include "app/toolkit/qt/qt_controls.h"

#include <QKeyEvent>
#include <QStackedWidget>

#include "app/toolkit/qt/qt_windows.h"

namespace app::qt {

namespace {
constexpr char kAsteriskPasswordStyle[] = "QLineEdit { lineedit-password-character: 42; }";

// A page of the tabs: placed and shown by the tabs, never by the toolkit.
class QtPage final : public QtPeer<NativeWindow> {
 public:
  explicit QtPage(QWidget* widget) : QtPeer<NativeWindow>(widget) {}
  void SetBounds(const Rect&) override {}
  void SetVisible(bool) override {}
};
}  // namespace

EditWidget::EditWidget(NativeEvents& events, QWidget* parent) : QLineEdit(parent), events_(events) {}

void EditWidget::keyPressEvent(QKeyEvent* event) {
  QLineEdit::keyPressEvent(event);
  if (event->isAccepted()) return;
  // What the box did not use goes to the toolkit, which hands it on.
  events_.NativeKey(KeyOf(*event));
  event->accept();
}

QtEdit::QtEdit(NativeEvents& events, QWidget* parent) : QtPeer<NativeEdit>(new EditWidget(events, parent)) {
  (new MouseReporter(events, widget_))->Watch(widget_, widget_);
}

void QtEdit::SetText(const std::string& text) { edit()->setText(kept_.Keep(text)); }

std::string QtEdit::Text() const { return kept_.Read(edit()->text()); }

void QtEdit::SetPassword(bool password) {
  edit()->setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
  edit()->setStyleSheet(password ? kAsteriskPasswordStyle : "");
}

QtComboBox::QtComboBox(NativeEvents& events, QWidget* parent) : QtPeer<NativeComboBox>(new QComboBox(parent)) {
  combo()->setEditable(false);
  combo()->setInsertPolicy(QComboBox::NoInsert);
  (new MouseReporter(events, widget_))->Watch(widget_, widget_);
  QObject::connect(combo(), qOverload<int>(&QComboBox::activated), widget_, [this](int) {
    if (on_change) on_change();
  });
}

void QtComboBox::Clear() {
  items_.clear();
  combo()->clear();
}

void QtComboBox::AddItem(const std::string& text) {
  items_.push_back(text);
  combo()->addItem(ToQString(text));
}

int QtComboBox::Count() const { return combo()->count(); }

int QtComboBox::CurrentIndex() const { return combo()->currentIndex(); }

void QtComboBox::SetCurrentIndex(int index) { combo()->setCurrentIndex(index); }

void QtComboBox::SetFreeText(const std::string& text) {
  combo()->setEditable(true);
  combo()->setEditText(free_text_.Keep(text));
}

std::string QtComboBox::CurrentText() const {
  const QString shown = combo()->currentText();
  if (combo()->isEditable()) {
    // Free text: what the box shows now, byte for byte when unchanged.
    const int index = combo()->currentIndex();
    if (index >= 0 && index < static_cast<int>(items_.size()) && shown == combo()->itemText(index)) {
      return items_[static_cast<std::size_t>(index)];
    }
    return free_text_.Read(shown);
  }
  const int index = combo()->currentIndex();
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[static_cast<std::size_t>(index)]
                                                                : std::string();
}

QtPushButton::QtPushButton(NativeEvents& events, QWidget* parent)
    : QtPeer<NativePushButton>(new QPushButton(parent)) {
  (new MouseReporter(events, widget_))->Watch(widget_, widget_);
  QObject::connect(static_cast<QPushButton*>(widget_.data()), &QPushButton::clicked, widget_, [this] {
    if (on_click) on_click();
  });
}

void QtPushButton::SetCaption(const std::string& caption) {
  static_cast<QPushButton*>(widget_.data())->setText(ToQString(caption));
}

void QtPushButton::SetDefault(bool is_default) { static_cast<QPushButton*>(widget_.data())->setDefault(is_default); }

QtTabs::QtTabs(NativeEvents& events, QWidget* parent) : QtPeer<NativeTabs>(new QTabWidget(parent)) {
  (void)events;
}

std::unique_ptr<NativeWindow> QtTabs::AddPage(const std::string& caption, NativeEvents& events) {
  auto* page = new PaintedWidget(events, nullptr);
  tabs()->addTab(page, ToQString(caption));
  return std::make_unique<QtPage>(page);
}

int QtTabs::CurrentIndex() const { return tabs()->currentIndex(); }

void QtTabs::SetCurrentIndex(int index) { tabs()->setCurrentIndex(index); }

Rect QtTabs::PageArea() const {
  const auto* stack = tabs()->findChild<QStackedWidget*>();
  return stack != nullptr ? ToRect(stack->geometry()) : Rect(0, 0, tabs()->width(), tabs()->height());
}

}  // namespace app::qt

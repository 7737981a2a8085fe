#include "toolkit/qt/accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <map>
#include <vector>

#include "toolkit/control.h"
#include "toolkit/qt/convert.h"
#include "toolkit/qt/painted.h"

namespace app::qt {

namespace {

QAccessible::Role QtRole(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::kFrame:
      return QAccessible::Window;
    case AccessibleRole::kDialog:
      return QAccessible::Dialog;
    case AccessibleRole::kPushButton:
      return QAccessible::Button;
    case AccessibleRole::kMenuBar:
      return QAccessible::MenuBar;
    // As in Qt's own menu bars: the titles are items of the bar, and the
    // drop-down menu is a pop-up menu holding the entries.
    case AccessibleRole::kMenu:
    case AccessibleRole::kMenuItem:
      return QAccessible::MenuItem;
    case AccessibleRole::kPopupMenu:
      return QAccessible::PopupMenu;
    case AccessibleRole::kLabel:
      return QAccessible::StaticText;
    case AccessibleRole::kText:
      return QAccessible::EditableText;
    case AccessibleRole::kComboBox:
      return QAccessible::ComboBox;
    case AccessibleRole::kList:
      return QAccessible::List;
    case AccessibleRole::kTree:
      return QAccessible::Tree;
    case AccessibleRole::kPageTabs:
      return QAccessible::PageTabList;
    case AccessibleRole::kPanel:
    case AccessibleRole::kNone:
      break;
  }
  return QAccessible::Pane;
}

// The controls a screen reader can press: the others are text.
WinControl* OwnerOf(const QWidget* widget) {
  const auto* painted = dynamic_cast<const PaintedWidget*>(widget);
  Control* owner = painted != nullptr ? painted->Owner() : nullptr;
  return owner != nullptr && owner->IsWindowed() ? static_cast<WinControl*>(owner) : nullptr;
}

// True while `control` is still a child of the control behind `host`.
bool Carries(const QWidget* host, const Control* control) {
  const WinControl* owner = host != nullptr ? OwnerOf(host) : nullptr;
  if (owner == nullptr) return false;
  const std::vector<Control*>& children = owner->Children();
  return std::find(children.begin(), children.end(), control) != children.end();
}

// A graphic control, painted by the widget it lies on, as a screen reader
// sees it.
class GraphicAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  GraphicAccessible(QWidget* host, Control* control) : host_(host), control_(control) {}

  bool isValid() const override { return Carries(host_.data(), control_); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return host_ != nullptr ? host_->window()->windowHandle() : nullptr; }
  QVector<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
      QAccessible::Relation) const override {
    return {};
  }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(host_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QString text(QAccessible::Text which) const override {
    if (which != QAccessible::Name || !isValid()) return {};
    return ToQString(control_->AccessibleName());
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const Rect box = control_->Bounds();
    return {host_->mapToGlobal(QPoint(box.left, box.top)), QSize(box.width, box.height)};
  }
  QAccessible::Role role() const override { return isValid() ? QtRole(control_->Role()) : QAccessible::NoRole; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.invisible = !control_->Showing();
    state.focusable = control_->TabStop();
    state.focused = control_->Focused();
    return state;
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ActionInterface && isValid() && IsPressable(control_->Role())) {
      return static_cast<QAccessibleActionInterface*>(this);
    }
    return nullptr;
  }
  QStringList actionNames() const override {
    return isValid() && IsPressable(control_->Role()) ? QStringList{pressAction()} : QStringList{};
  }
  // The action runs from the event loop, as a click does: a command that
  // opens a modal window must not hold the screen reader's call open.
  void doAction(const QString& name) override {
    if (name != pressAction() || !isValid()) return;
    QMetaObject::invokeMethod(
        host_.data(),
        [host = host_, control = control_] {
          if (Carries(host.data(), control) && control->Showing()) control->Activate();
        },
        Qt::QueuedConnection);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  const Control* control() const { return control_; }

 private:
  QPointer<QWidget> host_;
  Control* control_;
};

// A window or panel the toolkit paints: its role from its control, and the
// graphic controls on it after its native children.
class PaintedAccessible final : public QAccessibleWidget {
 public:
  explicit PaintedAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Pane) {}
  ~PaintedAccessible() override {
    for (const auto& [control, id] : graphics_) QAccessible::deleteAccessibleInterface(id);
  }

  QAccessible::Role role() const override {
    const WinControl* owner = OwnerOf(widget());
    return owner != nullptr ? QtRole(owner->Role()) : QAccessible::Pane;
  }
  QString text(QAccessible::Text which) const override {
    const WinControl* owner = OwnerOf(widget());
    if (which == QAccessible::Name && owner != nullptr && !widget()->isWindow()) {
      return ToQString(owner->AccessibleName());
    }
    return QAccessibleWidget::text(which);
  }
  // While a control painted on it has the focus, that control alone is
  // the focused node.
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    const WinControl* owner = OwnerOf(widget());
    const Control* focused = owner != nullptr ? owner->FocusedGraphic() : nullptr;
    if (focused != nullptr && focused->Focused()) state.focused = false;
    return state;
  }
  int childCount() const override {
    return QAccessibleWidget::childCount() + static_cast<int>(Graphics().size());
  }
  QAccessibleInterface* child(int index) const override {
    const int native = QAccessibleWidget::childCount();
    if (index < native) return QAccessibleWidget::child(index);
    const std::vector<Control*> graphics = Graphics();
    const auto at = static_cast<std::size_t>(index - native);
    return at < graphics.size() ? Interface(graphics[at]) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* graphic = dynamic_cast<const GraphicAccessible*>(child);
    if (graphic == nullptr) return QAccessibleWidget::indexOfChild(child);
    const std::vector<Control*> graphics = Graphics();
    const auto found = std::find(graphics.begin(), graphics.end(), graphic->control());
    if (found == graphics.end()) return -1;
    return QAccessibleWidget::childCount() + static_cast<int>(found - graphics.begin());
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = widget()->mapFromGlobal(QPoint(x, y));
    const std::vector<Control*> graphics = Graphics();
    for (auto it = graphics.rbegin(); it != graphics.rend(); ++it) {
      if ((*it)->Bounds().Contains(Point{at.x(), at.y()})) return Interface(*it);
    }
    return QAccessibleWidget::childAt(x, y);
  }
  QAccessibleInterface* focusChild() const override {
    const WinControl* owner = OwnerOf(widget());
    Control* focused = owner != nullptr ? owner->FocusedGraphic() : nullptr;
    if (focused != nullptr && focused->Focused()) return Interface(focused);
    return QAccessibleWidget::focusChild();
  }

  // The interface of one graphic control, made once.
  QAccessibleInterface* Interface(Control* control) const {
    auto found = graphics_.find(control);
    if (found == graphics_.end()) {
      auto* made = new GraphicAccessible(widget(), control);
      found = graphics_.emplace(control, QAccessible::registerAccessibleInterface(made)).first;
    }
    return QAccessible::accessibleInterface(found->second);
  }

 private:
  std::vector<Control*> Graphics() const {
    const WinControl* owner = OwnerOf(widget());
    return owner != nullptr ? owner->AccessibleGraphics() : std::vector<Control*>{};
  }

  mutable std::map<Control*, QAccessible::Id> graphics_;
};

QAccessibleInterface* PaintedFactory(const QString&, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr || dynamic_cast<PaintedWidget*>(widget) == nullptr) return nullptr;
  return new PaintedAccessible(widget);
}

}  // namespace

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(PaintedFactory);
    return true;
  }();
  (void)installed;
}

void AnnounceGraphicFocus(QWidget* host, Control& graphic) {
  if (host == nullptr || !QAccessible::isActive()) return;
  auto* painted = dynamic_cast<PaintedAccessible*>(QAccessible::queryAccessibleInterface(host));
  if (painted == nullptr) return;
  QAccessibleEvent event(painted->Interface(&graphic), QAccessible::Focus);
  QAccessible::updateAccessibility(&event);
}

}  // namespace app::qt

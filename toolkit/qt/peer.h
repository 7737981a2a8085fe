#pragma once

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "toolkit/native.h"
#include "toolkit/qt/convert.h"
#include "toolkit/qt/fonts.h"

namespace app::qt {

// The Qt widget behind a native window of the toolkit.
class QtWidgetOwner {
 public:
  virtual ~QtWidgetOwner() = default;
  virtual QWidget* Widget() const = 0;
};

// The widget of a native window made by the Qt backend.
QWidget* WidgetOf(const NativeWindow& window);

// Tells screen readers that a graphic control painted on `host` took the
// keyboard focus (toolkit/qt/accessible.cpp).
void AnnounceGraphicFocus(QWidget* host, Control& graphic);

// What every native window does with its widget. The peer owns the widget
// (and so the widgets of the windows made on it, which their own peers
// delete first).
template <typename Interface>
class Peer : public Interface, public QtWidgetOwner {
 public:
  explicit Peer(QWidget* widget) : widget_(widget) {}
  ~Peer() override { delete widget_.data(); }

  QWidget* Widget() const override { return widget_.data(); }

  void SetBounds(const Rect& bounds) override { widget_->setGeometry(ToQRect(bounds)); }
  void SetVisible(bool visible) override { widget_->setVisible(visible); }
  void Invalidate(const Rect& rect) override { widget_->update(ToQRect(rect)); }
  // Qt keeps the mouse for the widget that took the press until release.
  void CaptureMouse(bool) override {}
  void SetFocus() override { widget_->setFocus(Qt::OtherFocusReason); }
  void SetFont(const Font& font) override { widget_->setFont(ToQFont(font)); }
  // The widget or a part of it (a tab widget's bar) has the focus.
  bool HasFocus() const override {
    const QWidget* focused = QApplication::focusWidget();
    return focused != nullptr && (focused == widget_ || widget_->isAncestorOf(focused)) &&
           widget_->isActiveWindow();
  }
  // Reached with Tab only: a click never moves the focus to a painted window.
  void SetTabStop(bool tab_stop) override { widget_->setFocusPolicy(tab_stop ? Qt::TabFocus : Qt::NoFocus); }
  void SetAccessibleName(const std::string& name) override { widget_->setAccessibleName(ToQString(name)); }
  void AnnounceFocus(Control& graphic) override { AnnounceGraphicFocus(widget_.data(), graphic); }

 protected:
  QPointer<QWidget> widget_;
};

// Reports the mouse over a widget of Qt's own (and its parts, such as a
// list's viewport) to the toolkit without taking the events away.
class MouseReporter final : public QObject {
 public:
  explicit MouseReporter(NativeEvents& events, QObject* parent) : QObject(parent), events_(events) {}
  // Watches `part`, whose coordinates are mapped to those of `frame`.
  void Watch(QWidget* part, QWidget* frame);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  NativeEvents& events_;
  QWidget* frame_ = nullptr;
};

}  // namespace app::qt

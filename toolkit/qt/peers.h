#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "toolkit/native.h"
#include "toolkit/qt/peer.h"

namespace app::qt {

// A QLineEdit that hands the keys it does not use to the toolkit.
class EditWidget final : public QLineEdit {
 public:
  EditWidget(NativeEvents& events, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  NativeEvents& events_;
};

class EditPeer final : public Peer<NativeEdit> {
 public:
  EditPeer(NativeEvents& events, QWidget* parent);

  void SetText(const std::string& text) override;
  std::string Text() const override;
  void SetPassword(bool password) override;

 private:
  QLineEdit* edit() const { return static_cast<QLineEdit*>(widget_.data()); }
  KeptText kept_;
};

class ComboBoxPeer final : public Peer<NativeComboBox> {
 public:
  ComboBoxPeer(NativeEvents& events, QWidget* parent);

  void SetAccessibleName(const std::string& name) override;
  void Clear() override;
  void AddItem(const std::string& text) override;
  int Count() const override;
  int CurrentIndex() const override;
  void SetCurrentIndex(int index) override;
  void SetFreeText(const std::string& text) override;
  std::string CurrentText() const override;

 private:
  QComboBox* combo() const { return static_cast<QComboBox*>(widget_.data()); }
  std::vector<std::string> items_;  // the items' bytes
  KeptText free_text_;
};

class PushButtonPeer final : public Peer<NativePushButton> {
 public:
  PushButtonPeer(NativeEvents& events, QWidget* parent);

  void SetCaption(const std::string& caption) override;
  void SetDefault(bool is_default) override;
};

class TabsPeer final : public Peer<NativeTabs> {
 public:
  TabsPeer(NativeEvents& events, QWidget* parent);

  std::unique_ptr<NativeWindow> AddPage(const std::string& caption, NativeEvents& events) override;
  int CurrentIndex() const override;
  void SetCurrentIndex(int index) override;
  Rect PageArea() const override;

 private:
  QTabWidget* tabs() const { return static_cast<QTabWidget*>(widget_.data()); }
};

}  // namespace app::qt

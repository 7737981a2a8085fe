#include "toolkit/qt/peers.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace app::qt {

ComboBoxPeer::ComboBoxPeer(NativeEvents& events, QWidget* parent) : Peer<NativeComboBox>(new QComboBox(parent)) {
  combo()->setEditable(false);
  combo()->setInsertPolicy(QComboBox::NoInsert);
  (new MouseReporter(events, widget_))->Watch(widget_, widget_);
  QObject::connect(combo(), qOverload<int>(&QComboBox::activated), widget_, [this](int) {
    if (on_change) on_change();
  });
  // A screen reader chooses an item by selecting it in the closed list; the
  // open list is the pointer's and the keys' own, chosen on release.
  QObject::connect(combo()->view()->selectionModel(), &QItemSelectionModel::selectionChanged, widget_,
                   [this](const QItemSelection& selected) {
                     if (combo()->view()->isVisible() || selected.indexes().isEmpty()) return;
                     const int row = selected.indexes().first().row();
                     if (row == combo()->currentIndex()) return;
                     combo()->setCurrentIndex(row);
                     if (on_change) on_change();
                   });
}

void ComboBoxPeer::SetAccessibleName(const std::string& name) {
  Peer::SetAccessibleName(name);
  // The list of choices is named by the box.
  combo()->view()->setAccessibleName(ToQString(name));
}

void ComboBoxPeer::Clear() {
  items_.clear();
  combo()->clear();
}

void ComboBoxPeer::AddItem(const std::string& text) {
  items_.push_back(text);
  combo()->addItem(ToQString(text));
}

int ComboBoxPeer::Count() const { return combo()->count(); }

int ComboBoxPeer::CurrentIndex() const { return combo()->currentIndex(); }

void ComboBoxPeer::SetCurrentIndex(int index) { combo()->setCurrentIndex(index); }

void ComboBoxPeer::SetFreeText(const std::string& text) {
  combo()->setEditable(true);
  combo()->setEditText(free_text_.Keep(text));
}

std::string ComboBoxPeer::CurrentText() const {
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

}  // namespace app::qt

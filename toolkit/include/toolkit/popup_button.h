// A popup button: a menu of items of which one (or none) is selected.
#pragma once

#include <any>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/control.h"

namespace toolkit {

struct MenuItem {
  std::string title;
  // Only shown when the popup does not enable its items automatically.
  bool enabled = true;
  // Any value the owner attaches to the item (a choice record, say).
  std::any representedObject;
};

class PopUpButton : public Control {
 public:
  using Control::Control;
  ViewKind kind() const override { return ViewKind::popUpButton; }

  const std::vector<MenuItem>& items() const { return items_; }
  std::int64_t numberOfItems() const { return static_cast<std::int64_t>(items_.size()); }
  // Null for an index outside the items.
  MenuItem* itemAtIndex(std::int64_t index);
  const MenuItem* itemAtIndex(std::int64_t index) const;
  MenuItem* lastItem() { return items_.empty() ? nullptr : &items_.back(); }

  // Adding the first item to an empty popup selects it.
  void addItem(MenuItem item);
  void addItemWithTitle(std::string title) { addItem(MenuItem{std::move(title), true, {}}); }
  void removeAllItems();
  void removeItemAtIndex(std::int64_t index);

  // -1 when nothing is selected.
  std::int64_t indexOfSelectedItem() const { return selected_; }
  const MenuItem* selectedItem() const { return itemAtIndex(selected_); }
  std::string titleOfSelectedItem() const;
  // -1 clears the selection. Any other index outside the items leaves the
  // selection as it was and answers false. A disabled item can be selected
  // this way; only a person is kept from picking it.
  bool selectItemAtIndex(std::int64_t index);

  // On by default: every item is then shown enabled whatever its own flag.
  bool autoenablesItems() const { return autoenablesItems_; }
  void setAutoenablesItems(bool on) {
    autoenablesItems_ = on;
    didChange();
  }
  // Whether a person can pick the item at `index` (false outside the items).
  bool isItemEnabled(std::int64_t index) const;
  // Sets the item's own flag; no effect outside the items.
  void setItemEnabled(std::int64_t index, bool enabled);

 private:
  std::vector<MenuItem> items_;
  std::int64_t selected_ = -1;
  bool autoenablesItems_ = true;
};

}  // namespace toolkit

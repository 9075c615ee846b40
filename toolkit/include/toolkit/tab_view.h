// A tab view: items, each with a label, an identifier and a view of its own,
// of which one is selected; a delegate may refuse a person's switch.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/view.h"

namespace toolkit {

class TabView;

class TabViewItem {
 public:
  TabViewItem(std::string identifier, std::string label, std::shared_ptr<View> view);

  const std::string& identifier() const { return identifier_; }
  void setIdentifier(std::string identifier) { identifier_ = std::move(identifier); }
  const std::string& label() const { return label_; }
  void setLabel(std::string label);
  // The item's content; never null.
  View& view() const { return *view_; }
  const std::shared_ptr<View>& viewPointer() const { return view_; }
  // The tab view holding the item, or null once removed.
  TabView* tabView() const { return tabView_; }

 private:
  friend class TabView;
  std::string identifier_;
  std::string label_;
  std::shared_ptr<View> view_;
  TabView* tabView_ = nullptr;
};

class TabViewDelegate {
 public:
  virtual ~TabViewDelegate() = default;
  virtual bool tabViewShouldSelectTabViewItem(TabView* tabView, TabViewItem* item) = 0;
  virtual void tabViewWillSelectTabViewItem(TabView* /*tabView*/, TabViewItem* /*item*/) {}
};

class TabView : public View {
 public:
  using View::View;
  ~TabView() override;
  ViewKind kind() const override { return ViewKind::tabView; }
  std::vector<View*> childViews() const override;

  std::int64_t numberOfTabViewItems() const { return static_cast<std::int64_t>(items_.size()); }
  // Null outside the items.
  TabViewItem* tabViewItemAtIndex(std::int64_t index) const;
  std::int64_t indexOfTabViewItem(const TabViewItem* item) const;
  std::int64_t indexOfTabViewItemWithIdentifier(const std::string& identifier) const;

  void addTabViewItem(std::shared_ptr<TabViewItem> item);
  // Removing the selected item selects the first remaining one.
  void removeTabViewItem(TabViewItem* item);

  TabViewItem* selectedTabViewItem() const { return tabViewItemAtIndex(selected_); }
  std::int64_t indexOfSelectedTabViewItem() const { return selected_; }
  // Plain selection by the program: the delegate is not asked. An index
  // outside the items is refused (false).
  bool selectTabViewItemAtIndex(std::int64_t index);
  void selectFirstTabViewItem() { selectTabViewItemAtIndex(0); }

  // A person's click on a tab: asks the delegate (no delegate answers YES),
  // and on YES tells it and switches. Returns the answer; false for an index
  // outside the items.
  bool clickTabViewItemAtIndex(std::int64_t index);

  // Not owned.
  TabViewDelegate* delegate() const { return delegate_; }
  void setDelegate(TabViewDelegate* delegate) { delegate_ = delegate; }

 private:
  friend class TabViewItem;  // tells its tab view when its label changes

  std::vector<std::shared_ptr<TabViewItem>> items_;
  std::int64_t selected_ = -1;
  TabViewDelegate* delegate_ = nullptr;
};

}  // namespace toolkit

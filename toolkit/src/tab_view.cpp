#include "toolkit/tab_view.h"

#include <algorithm>

namespace toolkit {

TabViewItem::TabViewItem(std::string identifier, std::string label, std::shared_ptr<View> view)
    : identifier_(std::move(identifier)),
      label_(std::move(label)),
      view_(view ? std::move(view) : std::make_shared<View>()) {}

void TabViewItem::setLabel(std::string label) {
  label_ = std::move(label);
  if (tabView_ != nullptr) tabView_->didChange();
}

TabView::~TabView() {
  for (auto& item : items_) {
    detachChild(*item->view_);
    item->tabView_ = nullptr;
  }
}

std::vector<View*> TabView::childViews() const {
  std::vector<View*> children = View::childViews();
  for (const auto& item : items_) children.push_back(item->view_.get());
  return children;
}

TabViewItem* TabView::tabViewItemAtIndex(std::int64_t index) const {
  if (index < 0 || index >= numberOfTabViewItems()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

std::int64_t TabView::indexOfTabViewItem(const TabViewItem* item) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<std::int64_t>(i);
  }
  return -1;
}

std::int64_t TabView::indexOfTabViewItemWithIdentifier(const std::string& identifier) const {
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i]->identifier_ == identifier) return static_cast<std::int64_t>(i);
  }
  return -1;
}

void TabView::addTabViewItem(std::shared_ptr<TabViewItem> item) {
  if (!item) return;
  if (item->tabView_ != nullptr) item->tabView_->removeTabViewItem(item.get());
  item->tabView_ = this;
  attachChild(*this, *item->view_);
  items_.push_back(std::move(item));
  if (selected_ < 0) selected_ = 0;
  didChange();
}

void TabView::removeTabViewItem(TabViewItem* item) {
  std::int64_t index = indexOfTabViewItem(item);
  if (index < 0) return;
  std::shared_ptr<TabViewItem> keep = items_[static_cast<std::size_t>(index)];
  items_.erase(items_.begin() + index);
  detachChild(*keep->view_);
  keep->tabView_ = nullptr;
  if (selected_ == index) {
    selected_ = items_.empty() ? -1 : 0;
  } else if (selected_ > index) {
    --selected_;
  }
  didChange();
}

bool TabView::selectTabViewItemAtIndex(std::int64_t index) {
  if (index < 0 || index >= numberOfTabViewItems()) return false;
  selected_ = index;
  didChange();
  return true;
}

bool TabView::clickTabViewItemAtIndex(std::int64_t index) {
  TabViewItem* item = tabViewItemAtIndex(index);
  if (item == nullptr) return false;
  if (delegate_ != nullptr) {
    if (!delegate_->tabViewShouldSelectTabViewItem(this, item)) return false;
    delegate_->tabViewWillSelectTabViewItem(this, item);
  }
  // The delegate may have changed the items; select the item itself.
  std::int64_t now = indexOfTabViewItem(item);
  if (now >= 0) selected_ = now;
  didChange();
  return true;
}

}  // namespace toolkit
